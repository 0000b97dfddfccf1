#pragma once
// The operating-system style primitives the lock model is built from: a
// re-entrant critical section and a timed, re-entrant mutex.

#include <cstdint>
#include <memory>
#include <mutex>

#include <QString>

// Waits without a time-out.
inline constexpr uint32_t JwInfinite = 0xFFFFFFFFu;

// Names the calling thread for the life of the process. Unlike
// std::thread::id it is never handed to a later thread, so a lock recorded as
// held by a thread that ended is not taken for held by a new one.
using TJwThreadToken = uint64_t;
inline constexpr TJwThreadToken JwNoThread = 0;
TJwThreadToken JwCurrentThread() noexcept;

class TJwCriticalSection {
public:
    TJwCriticalSection() = default;
    TJwCriticalSection(const TJwCriticalSection&) = delete;
    TJwCriticalSection& operator=(const TJwCriticalSection&) = delete;

    void Enter() { FMutex.lock(); }
    void Leave() { FMutex.unlock(); }

private:
    std::recursive_mutex FMutex;
};

// Holds ASection entered for its own lifetime.
class TJwCriticalSectionLock {
public:
    explicit TJwCriticalSectionLock(TJwCriticalSection& ASection) : FSection(ASection) {
        FSection.Enter();
    }
    ~TJwCriticalSectionLock() { FSection.Leave(); }
    TJwCriticalSectionLock(const TJwCriticalSectionLock&) = delete;
    TJwCriticalSectionLock& operator=(const TJwCriticalSectionLock&) = delete;

private:
    TJwCriticalSection& FSection;
};

// A mutex created unowned. The owning thread may acquire it again (each
// Acquire needs its Release). When a thread ends while holding it, the mutex
// is abandoned: the next waiter gets it, and Acquire counts that as success.
// Mutexes created with the same name share one mutex within the process.
class TJwMutex {
public:
    TJwMutex();
    explicit TJwMutex(const QString& AName);
    ~TJwMutex();
    TJwMutex(const TJwMutex&) = delete;
    TJwMutex& operator=(const TJwMutex&) = delete;

    // False only when AMilliseconds passed without getting the mutex.
    bool Acquire(uint32_t AMilliseconds);
    // Raises Exception when the calling thread does not hold the mutex.
    void Release();
    // As Release; false, and nothing changes, when the calling thread does
    // not hold the mutex.
    bool TryRelease() noexcept;
    const QString& Name() const { return FName; }

    struct TState;

private:
    QString FName;
    std::shared_ptr<TState> FState;
};
