#pragma once
// The pool's trimming clock: a thread of its own that calls OnTimer every
// interval while enabled. The pool is used from any thread, so its clock
// needs no event loop.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TKvPoolTimer {
public:
    TKvPoolTimer(std::chrono::milliseconds AInterval, std::function<void()> AOnTimer);
    ~TKvPoolTimer();
    TKvPoolTimer(const TKvPoolTimer&) = delete;
    TKvPoolTimer& operator=(const TKvPoolTimer&) = delete;

    bool GetEnabled();
    // Returns only when no tick is running any more, so that a caller that
    // disables the timer may then drive the ticks itself.
    void SetEnabled(bool AValue);
    // Ends the thread for good.
    void Stop();

private:
    void Run();

    const std::chrono::milliseconds FInterval;
    const std::function<void()> FOnTimer;
    std::mutex FLock;
    std::condition_variable FWake;
    bool FEnabled = false;
    bool FStopped = false;
    std::thread FThread;
};
