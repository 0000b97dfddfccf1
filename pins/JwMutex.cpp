#include "pins/JwMutex.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <map>
#include <thread>
#include <vector>

#include "platform/Exceptions.h"

struct TJwMutex::TState {
    std::mutex Guard;
    std::condition_variable Freed;
    TJwThreadToken Owner = JwNoThread;
    uint32_t Depth = 0;
};

namespace {

std::atomic<TJwThreadToken> GLastThreadToken{JwNoThread};
thread_local TJwThreadToken GThreadToken = JwNoThread;

// Set once the calling thread's list of held mutexes is gone: objects freed
// later at exit (statics outlive the main thread's thread-locals) still lock.
thread_local bool GHeldMutexesGone = false;

// The mutexes a thread holds, so that they are abandoned (freed for the next
// waiter) when the thread ends without releasing them.
class THeldMutexes {
public:
    ~THeldMutexes() {
        GHeldMutexesGone = true;
        const auto Me = JwCurrentThread();
        for (const auto& Weak : FHeld) {
            if (const auto State = Weak.lock()) {
                std::lock_guard<std::mutex> L(State->Guard);
                if (State->Owner == Me) {
                    State->Owner = JwNoThread;
                    State->Depth = 0;
                    State->Freed.notify_one();
                }
            }
        }
    }
    void Add(const std::shared_ptr<TJwMutex::TState>& AState) {
        if (!GHeldMutexesGone)
            FHeld.push_back(AState);
    }
    void Remove(const std::shared_ptr<TJwMutex::TState>& AState) noexcept {
        if (GHeldMutexesGone)
            return;
        const auto It = std::find_if(FHeld.begin(), FHeld.end(),
                                     [&](const auto& AWeak) { return AWeak.lock() == AState; });
        if (It != FHeld.end())
            FHeld.erase(It);
    }

private:
    std::vector<std::weak_ptr<TJwMutex::TState>> FHeld;
};

thread_local THeldMutexes GHeldMutexes;

std::mutex GNamedGuard;

// Named mutexes may be made during start-up, before a plain global map exists.
std::map<QString, std::weak_ptr<TJwMutex::TState>>& NamedMutexes() {
    static std::map<QString, std::weak_ptr<TJwMutex::TState>> Map;
    return Map;
}

} // namespace

TJwThreadToken JwCurrentThread() noexcept {
    if (GThreadToken == JwNoThread)
        GThreadToken = GLastThreadToken.fetch_add(1, std::memory_order_relaxed) + 1;
    return GThreadToken;
}

TJwMutex::TJwMutex() : FState(std::make_shared<TState>()) {}

TJwMutex::TJwMutex(const QString& AName) : FName(AName) {
    std::lock_guard<std::mutex> L(GNamedGuard);
    auto& Slot = NamedMutexes()[AName];
    FState = Slot.lock();
    if (!FState) {
        FState = std::make_shared<TState>();
        Slot = FState;
    }
}

TJwMutex::~TJwMutex() {
    if (FName.isEmpty())
        return;
    std::lock_guard<std::mutex> L(GNamedGuard);
    FState.reset();
    auto& Map = NamedMutexes();
    const auto It = Map.find(FName);
    if (It != Map.end() && It->second.expired())
        Map.erase(It);
}

bool TJwMutex::Acquire(uint32_t AMilliseconds) {
    const auto Me = JwCurrentThread();
    std::unique_lock<std::mutex> L(FState->Guard);
    if (FState->Owner == Me) {
        ++FState->Depth;
        return true;
    }
    const auto IsFree = [this] { return FState->Owner == JwNoThread; };
    if (AMilliseconds == JwInfinite)
        FState->Freed.wait(L, IsFree);
    else if (!FState->Freed.wait_for(L, std::chrono::milliseconds(AMilliseconds), IsFree))
        return false;
    FState->Owner = Me;
    FState->Depth = 1;
    GHeldMutexes.Add(FState);
    return true;
}

void TJwMutex::Release() {
    if (!TryRelease())
        throw Exception(QStringLiteral("The mutex is not held by the calling thread"));
}

bool TJwMutex::TryRelease() noexcept {
    std::lock_guard<std::mutex> L(FState->Guard);
    if (FState->Owner != JwCurrentThread())
        return false;
    if (--FState->Depth == 0) {
        FState->Owner = JwNoThread;
        GHeldMutexes.Remove(FState);
        FState->Freed.notify_one();
    }
    return true;
}
