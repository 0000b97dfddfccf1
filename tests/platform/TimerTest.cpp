// Timers are driven by running the Qt event loop until a reference timer
// has ticked a number of times (bounded by a generous deadline).
#include "platform/Timer.h"
#include "platform/Cursors.h"
#include "platform/Exceptions.h"

#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace {

// Runs the event loop until ATicks more ticks of a 5 ms reference timer.
bool RunTicks(int ATicks) {
    int ticks = 0;
    auto owned = MakeOwned<TTimer>(nullptr);
    TTimer& reference = *owned;
    reference.SetInterval(5);
    reference.SetOnTimer([&](TTimer*) { ++ticks; });
    return QTest::qWaitFor([&] { return ticks >= ATicks; }, 10000);
}

} // namespace

TEST(Timer, TicksWhileEnabledWithIntervalAndHandler) {
    int ticks = 0;
    TTimer* sender = nullptr;
    auto owned = MakeOwned<TTimer>(nullptr);
    TTimer& timer = *owned;
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_FALSE(timer.Active()) << "inert until a handler is assigned";
    timer.SetInterval(5);
    timer.SetOnTimer([&](TTimer* ASender) {
        ++ticks;
        sender = ASender;
    });
    EXPECT_TRUE(timer.Active());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 10000));
    EXPECT_EQ(sender, &timer);

    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Active());
    const int stopped = ticks;
    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(ticks, stopped);
}

TEST(Timer, IntervalZeroOrNoHandlerNeverFires) {
    int zeroTicks = 0;
    auto zero = MakeOwned<TTimer>(nullptr);
    zero->SetOnTimer([&](TTimer*) { ++zeroTicks; });
    zero->SetInterval(0);
    auto noHandler = MakeOwned<TTimer>(nullptr);
    noHandler->SetInterval(5);
    auto disabled = MakeOwned<TTimer>(nullptr);
    int disabledTicks = 0;
    disabled->SetEnabled(false);
    disabled->SetInterval(5);
    disabled->SetOnTimer([&](TTimer*) { ++disabledTicks; });
    EXPECT_FALSE(zero->Active());
    EXPECT_FALSE(noHandler->Active());
    EXPECT_FALSE(disabled->Active());
    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(zeroTicks, 0);
    EXPECT_EQ(disabledTicks, 0);
}

TEST(Timer, FailingHandlerKeepsTicking) {
    int ticks = 0;
    auto timer = MakeOwned<TTimer>(nullptr);
    timer->SetInterval(5);
    timer->SetOnTimer([&](TTimer*) {
        ++ticks;
        throw std::runtime_error("handler failed");
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 10000));
}

TEST(Timer, HandlerMayDestroyItsTimer) {
    int ticks = 0;
    auto timer = MakeOwned<TTimer>(nullptr);
    timer->SetInterval(5);
    timer->SetOnTimer([&](TTimer*) {
        ++ticks;
        timer.reset();
    });
    ASSERT_TRUE(RunTicks(5));
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
}

TEST(Timer, VeryLongIntervalsAreClampedNotRefused) {
    auto timer = MakeOwned<TTimer>(nullptr);
    timer->SetInterval(4000000000u);
    timer->SetOnTimer([](TTimer*) {});
    EXPECT_TRUE(timer->Active());
}

TEST(Timer, RefusedStartRaises) {
    // a thread without an event loop cannot run timers
    bool raised = false;
    QString message;
    std::thread worker([&] {
        auto timer = MakeOwned<TTimer>(nullptr);
        timer->SetInterval(5);
        try {
            timer->SetOnTimer([](TTimer*) {});
        } catch (const EOutOfResources& e) {
            raised = true;
            message = e.Message();
        }
    });
    worker.join();
    EXPECT_TRUE(raised);
    EXPECT_EQ(message, "Not enough timers available");
}

TEST(Cursors, FrameworkIdsMapToQtShapes) {
    EXPECT_EQ(CursorShape(crDefault), Qt::ArrowCursor);
    EXPECT_EQ(CursorShape(crHandPoint), Qt::PointingHandCursor);
    EXPECT_EQ(CursorShape(-21), Qt::PointingHandCursor);
    EXPECT_EQ(CursorShape(crSizeWE), Qt::SizeHorCursor);
    EXPECT_EQ(CursorShape(crSizeNS), Qt::SizeVerCursor);
    EXPECT_EQ(CursorShape(crSizeNWSE), Qt::SizeFDiagCursor);
    EXPECT_EQ(CursorShape(crSizeNESW), Qt::SizeBDiagCursor);
    EXPECT_EQ(CursorShape(crSize), Qt::SizeAllCursor);
    EXPECT_EQ(CursorShape(crCross), Qt::CrossCursor);
    EXPECT_EQ(CursorShape(crNone), Qt::BlankCursor);
    EXPECT_EQ(CursorShape(1234), Qt::ArrowCursor);
    EXPECT_EQ(CursorToQCursor(crIBeam).shape(), Qt::IBeamCursor);
}
