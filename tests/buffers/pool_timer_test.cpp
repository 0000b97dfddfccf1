// The pool's trimming clock: ticks arrive while enabled, and disabling waits
// for a running tick, so that a caller may drive the ticks itself afterwards.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "buffers/KvPoolTimer.h"

namespace {

TEST(PoolTimerTest, TicksWhileEnabledAndNoTickRunsOnceDisabled) {
    std::mutex Lock;
    std::condition_variable Ticked;
    int Ticks = 0;
    std::atomic<bool> InTick{false};
    TKvPoolTimer Timer(std::chrono::milliseconds(1), [&] {
        InTick = true;
        {
            std::lock_guard Guard(Lock);
            ++Ticks;
        }
        Ticked.notify_all();
        InTick = false;
    });
    EXPECT_FALSE(Timer.GetEnabled());
    Timer.SetEnabled(true);
    {
        std::unique_lock Guard(Lock);
        ASSERT_TRUE(Ticked.wait_for(Guard, std::chrono::seconds(30), [&] { return Ticks >= 3; }));
    }
    Timer.SetEnabled(false);
    EXPECT_FALSE(InTick.load());
    EXPECT_FALSE(Timer.GetEnabled());
    Timer.Stop();
    Timer.SetEnabled(true);
    EXPECT_FALSE(Timer.GetEnabled()) << "a stopped clock stays stopped";
}

} // namespace
