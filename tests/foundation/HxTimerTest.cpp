// The timer component, driven by the Qt event loop until a reference timer
// has ticked a number of times (bounded by a generous deadline).
#include "TestSettings.h"

#include "platform/ClassRegistry.h"
#include "platform/StoredForm.h"

#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

bool RunTicks(int ATicks) {
    int ticks = 0;
    auto reference = MakeOwned<TTimer>(nullptr);
    reference->SetInterval(5);
    reference->SetOnTimer([&](TTimer*) { ++ticks; });
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

TEST(HxTimer, StoredWithItsHandlerByName) {
    RegisterClass<THxTimer>();
    auto form = MakeOwned<TTimerTestForm>(nullptr);
    ReadComponentFromText(QStringLiteral("object Form1: TTimerTestForm\n"
                                         "  object Timer1: THxTimer\n"
                                         "    Interval = 5\n"
                                         "    OnTimer = Timer1Timer\n"
                                         "  end\n"
                                         "end\n"),
                          form.get());
    auto* timer = qobject_cast<THxTimer*>(form->FindComponent(QStringLiteral("Timer1")));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->GetInterval(), 5u);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->Senders.empty(); }, 10000));
    EXPECT_EQ(form->Senders[0], timer);

    timer->SetEnabled(false);
    QString text = ComponentToText(form.get());
    EXPECT_TRUE(text.contains(QStringLiteral("OnTimer = Timer1Timer"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Enabled = False"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Interval = 1000")));

    timer->SetOnTimer([](TPersistent*) {});
    text = ComponentToText(form.get());
    EXPECT_FALSE(text.contains(QStringLiteral("OnTimer"))) << "a handler set in code is not stored";
}
