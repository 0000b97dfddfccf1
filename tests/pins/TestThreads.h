#pragma once
// Waiting in threaded tests: spin on an observable condition, never sleep.
// A condition that never comes makes the test run into CTest's time-out.

#include <atomic>
#include <thread>

template <class TPredicate> void WaitUntil(TPredicate APredicate) {
    while (!APredicate())
        std::this_thread::yield();
}

// A flag one thread raises and another waits for.
class TSignal {
public:
    void Raise() { FRaised.store(true); }
    bool IsRaised() const { return FRaised.load(); }
    void Wait() const {
        WaitUntil([this] { return IsRaised(); });
    }

private:
    std::atomic<bool> FRaised{false};
};
