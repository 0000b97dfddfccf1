// The timer component, driven by the Qt event loop until a reference timer
// has ticked a number of times (bounded by a generous deadline).
#include "foundation/HxTimer.h"

#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

bool RunTicks(int ATicks) {
    int ticks = 0;
    TTimer reference;
    reference.SetInterval(5);
    reference.SetOnTimer([&] { ++ticks; });
    return QTest::qWaitFor([&] { return ticks >= ATicks; }, 10000);
}

} // namespace

TEST(HxTimer, FiresWithItselfAsSender) {
    auto timer = MakeOwned<THxTimer>(nullptr);
    EXPECT_TRUE(timer->GetEnabled());
    EXPECT_EQ(timer->GetInterval(), 1000u);
    std::vector<TPersistent*> senders;
    timer->SetInterval(5);
    timer->SetOnTimer([&](TPersistent* ASender) { senders.push_back(ASender); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return senders.size() >= 2; }, 10000));
    EXPECT_EQ(senders[0], timer.get());

    timer->SetEnabled(false);
    const size_t stopped = senders.size();
    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(senders.size(), stopped);
}

TEST(HxTimer, IntervalZeroOrNoHandlerNeverFiresWhateverEnabledSays) {
    int zeroTicks = 0;
    auto zero = MakeOwned<THxTimer>(nullptr);
    zero->SetInterval(0);
    zero->SetOnTimer([&](TPersistent*) { ++zeroTicks; });
    zero->SetEnabled(false);
    zero->SetEnabled(true);

    int clearedTicks = 0;
    auto cleared = MakeOwned<THxTimer>(nullptr);
    cleared->SetInterval(5);
    cleared->SetOnTimer([&](TPersistent*) { ++clearedTicks; });
    cleared->SetOnTimer(nullptr);
    cleared->SetEnabled(false);
    cleared->SetEnabled(true);

    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(zeroTicks, 0);
    EXPECT_EQ(clearedTicks, 0);
}

TEST(HxTimer, AFailingHandlerKeepsTheTimerRunning) {
    int ticks = 0;
    auto timer = MakeOwned<THxTimer>(nullptr);
    timer->SetInterval(5);
    timer->SetOnTimer([&](TPersistent*) {
        ++ticks;
        throw std::runtime_error("handler failed");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 10000));
}

TEST(HxTimer, HandlerMayFreeItsTimerOrReplaceItself) {
    int ticks = 0;
    TOwned<THxTimer> timer = MakeOwned<THxTimer>(nullptr);
    timer->SetInterval(5);
    timer->SetOnTimer([&](TPersistent*) {
        ++ticks;
        timer.reset();
    });
    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(ticks, 1);

    int replaced = 0;
    auto other = MakeOwned<THxTimer>(nullptr);
    other->SetInterval(5);
    other->SetOnTimer([&](TPersistent* ASender) {
        static_cast<THxTimer*>(ASender)->SetOnTimer([&](TPersistent*) { ++replaced; });
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return replaced >= 2; }, 10000));
}

TEST(HxTimer, FreedWithItsOwner) {
    int ticks = 0;
    auto owner = MakeOwned<TComponent>(nullptr);
    auto* timer = new THxTimer(owner.get());
    timer->SetInterval(5);
    timer->SetOnTimer([&](TPersistent*) { ++ticks; });
    EXPECT_EQ(owner->ComponentCount(), 1);
    owner.reset();
    const int atFree = ticks;
    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(ticks, atFree);
}
