// Defaults through the stored form, the host interface, the cursor
// protocol, and destruction while the refresh timer runs or another thread
// holds the display's lock.

#include "DisplayFixture.h"

#include "platform/Bitmap.h"
#include "platform/StoredForm.h"

#include <atomic>
#include <thread>

namespace {

constexpr int WaitMs = 5000;

using DisplayLifetimeTest = DisplayFixture;

TEST_F(DisplayLifetimeTest, DefaultsAreLeftOutOfTheStoredFormAndChangesRoundTrip) {
    EXPECT_EQ(display->Width(), 450);
    EXPECT_EQ(display->Height(), 280);
    EXPECT_TRUE(display->TabStop());
    EXPECT_EQ(display->Color(), clBlack);
    EXPECT_EQ(display->GetRefreshInterval(), 100u);
    EXPECT_EQ(display->GetNavigateMode(), nmZoom);
    EXPECT_EQ(display->GetZooming()->GetSelectionColor(), clWhite);
    EXPECT_TRUE(display->GetToolBar()->GetAutoHide());

    const QString plain = ComponentToText(display.get());
    for (const char* name :
         {"Color", "TabStop", "RefreshInterval", "NavigateMode", "KeyboardZoom", "AutoHide"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name << "\n" << plain.toStdString();

    display->SetColor(clRed);
    display->SetRefreshInterval(40);
    display->SetNavigateMode(nmPan);
    display->GetZooming()->SetKeyboardZoom(false);
    display->GetZooming()->SetMode(zmYAxis);
    display->GetToolBar()->SetAutoHide(false);
    const QString text = ComponentToText(display.get());

    auto copy = MakeOwned<TTestDisplay>(nullptr);
    ReadComponentFromText(text, copy.get());
    EXPECT_EQ(copy->Color(), clRed);
    EXPECT_EQ(copy->GetRefreshInterval(), 40u);
    EXPECT_EQ(copy->GetNavigateMode(), nmPan);
    EXPECT_FALSE(copy->GetZooming()->GetKeyboardZoom());
    EXPECT_EQ(copy->GetZooming()->GetMode(), zmYAxis);
    EXPECT_FALSE(copy->GetToolBar()->GetAutoHide());
    EXPECT_TRUE(copy->NeedsRecalc());
}

TEST_F(DisplayLifetimeTest, HostsReachTheDisplayThroughItsBasicControlInterface) {
    TIntfPtr<IYbBasicControl> control;
    ASSERT_TRUE(Supports(static_cast<IHxDrawItem*>(display.get()), control));
    EXPECT_EQ(control->GetControl(), display.get());
    THxLockPtr lock;
    control->GetLock(lock);
    EXPECT_EQ(lock.get(), display->Lock().get());
    display->Layout();
    control->ResetLayers();
    EXPECT_TRUE(display->NeedsRecalc());
    EXPECT_TRUE(display->RefreshPending());
}

TEST_F(DisplayLifetimeTest, LeavingTheDisplayPutsTheUsersCursorBack) {
    display->SetCursor(crCross);
    display->SetToolCursor(crHandPoint);
    EXPECT_EQ(display->Cursor(), crHandPoint);
    display->MouseMove(TShiftState(), 5, 5);
    display->MouseLeave();
    EXPECT_EQ(display->Cursor(), crCross);
    EXPECT_EQ(display->UserCursor(), crCross);
}

TEST_F(DisplayLifetimeTest, SettersFromAFeedingThreadReachTheWidgetThroughItsThread) {
    display->AddStandardViews();
    Show();
    std::thread feeder([&] {
        display->SetColor(clRed);
        display->SetRefreshInterval(7);
        display->PostRefresh();
    });
    feeder.join();
    EXPECT_TRUE(display->RefreshPending());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return display->Color() == clRed && display->GetRefreshInterval() == 7; }, WaitMs));
}

TEST_F(DisplayLifetimeTest, OutlivesAWindowThatDeletesItsWidget) {
    display->AddStandardViews();
    Show();
    host.reset();
    EXPECT_EQ(display->Widget(), nullptr);
    display->InvalidateRefresh();
    display->SetHold(true);
    TBitmap bitmap;
    display->CopyToBitmap(bitmap);
    EXPECT_EQ(bitmap.Image().pixel(200, 100) & 0xFFFFFFu, Expected(200, 100));
}

TEST_F(DisplayLifetimeTest, DestroyedWhileItsRefreshTimerRuns) {
    display->AddStandardViews();
    display->SetRefreshInterval(1);
    Show();
    const int calls = display->UpdateDataCalls;
    ASSERT_TRUE(QTest::qWaitFor([&] { return display->UpdateDataCalls > calls; }, WaitMs));
    display->NewData = true;
    display->InvalidateRefresh();
    display.reset();
    // Pending ticks and paint requests find nothing to reach.
    QTest::qWait(20);
    SUCCEED();
}

TEST_F(DisplayLifetimeTest, DestroyedWhileAnotherThreadHoldsItsLock) {
    display->AddStandardViews();
    THxLockPtr lock = display->Lock();
    std::atomic<bool> held{false};
    std::atomic<bool> go{false};
    TTestDisplay* target = display.get();
    std::thread feeder([&] {
        const TJwLockSectionPtr section = lock->WriteLock();
        held = true;
        while (!go)
            std::this_thread::yield();
        // The display is alive until this section ends: its destruction
        // waits for the lock.
        for (int i = 0; i < 100; ++i)
            target->PostRefresh();
    });
    while (!held)
        std::this_thread::yield();
    go = true;
    display.reset();
    feeder.join();
    EXPECT_EQ(display, nullptr);
}

} // namespace
