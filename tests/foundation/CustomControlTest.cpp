// The custom control: mouse enter and leave with the polling timer, the
// hosted cursor position, the root lock across threads, Assign and "_Floats".

#include "CustomControlProbe.h"
#include "DrawLayersTestHost.h"

#include "foundation/HxControl.h"
#include "platform/ClassRegistry.h"
#include "platform/Exceptions.h"
#include "platform/StoredForm.h"

#include <QCursor>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

constexpr int WaitMs = 5000;

// A shown form 300 x 200 with a probe control at (20, 30), 100 x 80.
class CustomControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeOwned<TProbeForm>(nullptr);
        form->SetBounds(40, 50, 300, 200);
        control = new TProbeControl(form.get());
        control->SetName(QStringLiteral("Probe"));
        control->SetParent(form.get());
        control->SetBounds(20, 30, 100, 80);
        control->OnMouseEnter = [this](TControl*) { events.push_back("enter"); };
        control->OnMouseLeave = [this](TControl*) { events.push_back("leave"); };
    }

    void ShowForm() {
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
    }

    TOwned<TProbeForm> form;
    TProbeControl* control = nullptr;
    std::vector<std::string> events;
};

TEST_F(CustomControlTest, ARealMouseMoveInAndOutFiresEnterThenLeave) {
    ShowForm();
    // Start away from the control, on the form.
    QTest::mouseMove(form->Widget(), QPoint(250, 150));
    ASSERT_TRUE(events.empty());

    QTest::mouseMove(control->Widget(), QPoint(10, 12));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !events.empty(); }, WaitMs));
    EXPECT_TRUE(control->MouseIsIn());
    EXPECT_EQ(control->LastMousePos(), Point(10, 12));
    EXPECT_TRUE(control->Polling());
    EXPECT_EQ(control->GetMouseCursorPos(), Point(10, 12));

    QTest::mouseMove(form->Widget(), QPoint(250, 150));
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.size() >= 2; }, WaitMs));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_FALSE(control->MouseIsIn());
    EXPECT_FALSE(control->Polling());
    // The control-relative cursor: (250, 150) on the form is (230, 120) here.
    EXPECT_EQ(control->GetMouseCursorPos(), Point(230, 120));
}

TEST_F(CustomControlTest, ThePollingTimerNoticesTheCursorOutside) {
    ShowForm();
    QCursor::setPos(form->Widget()->mapToGlobal(QPoint(280, 190)));
    QCoreApplication::processEvents();
    events.clear();
    // A move the window system reported without telling of the leave that follows.
    control->MouseMove(TShiftState(), 50, 40);
    EXPECT_EQ(events, std::vector<std::string>{"enter"});
    EXPECT_TRUE(control->Polling());
    ASSERT_TRUE(QTest::qWaitFor([&] { return events.size() >= 2; }, WaitMs));
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_FALSE(control->Polling());
}

TEST_F(CustomControlTest, AControlNeverEnteredKnowsNoMousePosition) {
    EXPECT_EQ(control->LastMousePos(), Point(-10000, -10000));
    EXPECT_FALSE(control->MouseIsIn());
    EXPECT_FALSE(control->Polling());
}

TEST_F(CustomControlTest, AHostedItemReportsTheForwardedPositionOnly) {
    auto* host = new TTestLayerHost(form.get());
    host->SetParent(form.get());
    host->SetBounds(0, 0, 200, 150);
    auto* layer = new TTestLayer(form.get());
    host->GetLayers()->Add(KvComponentItem(layer));
    ASSERT_TRUE(layer->IsHostedItem());

    QCursor::setPos(QPoint(7, 9));
    EXPECT_EQ(layer->GetMouseCursorPos(), Point(-10000, -10000));
    host->MouseMove(TShiftState(), 33, 44);
    EXPECT_EQ(layer->GetMouseCursorPos(), Point(33, 44));
    EXPECT_EQ(layer->GetIntegerMouseCursorPos(), Point(33, 44));
    EXPECT_TRUE(layer->MouseIsIn());
}

TEST_F(CustomControlTest, AssignCopiesPublishedPropertiesButNotTheName) {
    auto* other = new TProbeControl(form.get());
    other->SetName(QStringLiteral("Other"));
    other->SetGain(0.25);
    other->SetSteps(9);
    other->SetBounds(1, 2, 3, 4);
    control->Assign(other);
    EXPECT_EQ(control->GetGain(), 0.25);
    EXPECT_EQ(control->GetSteps(), 9);
    EXPECT_EQ(control->BoundsRect(), Bounds(1, 2, 3, 4));
    EXPECT_EQ(control->GetName(), QStringLiteral("Probe"));
    EXPECT_THROW(control->Assign(form.get()), EConvertError);
}

TEST_F(CustomControlTest, ZeroFloatsSurviveTheStoredForm) {
    RegisterClass<TProbeForm>();
    RegisterClass<TProbeControl>();
    control->SetGain(0.0);
    const QString text = ComponentToText(form.get());
    EXPECT_TRUE(text.contains(QStringLiteral("_Floats"))) << text.toStdString();
    auto copy = MakeOwned<TProbeForm>(nullptr);
    ReadComponentFromText(text, copy.get());
    auto* probe = qobject_cast<TProbeControl*>(copy->FindComponent(QStringLiteral("Probe")));
    ASSERT_NE(probe, nullptr);
    EXPECT_EQ(probe->GetGain(), 0.0);
}

TEST_F(CustomControlTest, EnterAndLeaveHandlersAreStoredByRootMethod) {
    RegisterClass<TProbeForm>();
    RegisterClass<TProbeControl>();
    const QString text = QStringLiteral("object : TProbeForm\n"
                                        "  object Probe: TProbeControl\n"
                                        "    OnMouseEnter = ProbeEntered\n"
                                        "    OnMouseLeave = ProbeLeft\n"
                                        "  end\n"
                                        "end\n");
    auto copy = MakeOwned<TProbeForm>(nullptr);
    ReadComponentFromText(text, copy.get());
    auto* probe = qobject_cast<TProbeControl*>(copy->FindComponent(QStringLiteral("Probe")));
    ASSERT_NE(probe, nullptr);
    probe->MouseEnter();
    probe->MouseLeave();
    EXPECT_EQ(copy->entered, 1);
    EXPECT_EQ(copy->left, 1);
    const QString written = ComponentToText(copy.get());
    EXPECT_TRUE(written.contains(QStringLiteral("OnMouseEnter = ProbeEntered")))
        << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("OnMouseLeave = ProbeLeft")));
}

TEST_F(CustomControlTest, SettersThroughTheRootLockNotifyTheControl) {
    const int32_t before = control->changes;
    control->SetSteps(5);
    control->SetSteps(5);
    EXPECT_EQ(control->changes, before + 1);
}

// Destroying a control while another thread holds its lock: the destruction
// waits for the holder, and the thread's later setters through the lock it
// kept reach no control.
TEST(CustomControlThreads, DestroyingWhileAnotherThreadHoldsTheLock) {
    for (int round = 0; round < 20; ++round) {
        auto* control = new TProbeControl(nullptr);
        const THxLockPtr lock = control->Lock();
        std::atomic<bool> held{false};
        std::atomic<bool> freed{false};
        std::thread holder([&] {
            {
                const TJwLockSectionPtr section = lock->WriteLock();
                held = true;
                // Keep it until the destruction is waiting for it.
                while (lock->Instance()->GetCounts().InStopCount == 0)
                    std::this_thread::yield();
            }
            while (!freed)
                std::this_thread::yield();
            int32_t value = 0;
            EXPECT_TRUE(lock->Setter(value, round + 1, nullptr));
            EXPECT_EQ(value, round + 1);
        });
        while (!held)
            std::this_thread::yield();
        TPersistent::Free(control);
        freed = true;
        holder.join();
    }
}

TEST(CustomControlThreads, DestroyingWhileOtherThreadsKeepTakingTheLock) {
    for (int round = 0; round < 10; ++round) {
        auto* control = new TProbeControl(nullptr);
        const THxLockPtr lock = control->Lock();
        std::atomic<int32_t> started{0};
        std::atomic<bool> freed{false};
        std::vector<std::thread> threads;
        for (int t = 0; t < 2; ++t)
            threads.emplace_back([&, lock] {
                int32_t value = 0;
                ++started;
                // Bounded: a fixed number of entries after the control went.
                for (int afterwards = 0; afterwards < 50;) {
                    {
                        const TJwLockSectionPtr section = lock->WriteLock();
                        lock->Setter(value, value + 1, nullptr);
                    }
                    if (freed)
                        ++afterwards;
                }
            });
        while (started < 2)
            std::this_thread::yield();
        TPersistent::Free(control);
        freed = true;
        for (std::thread& t : threads)
            t.join();
    }
}

} // namespace
