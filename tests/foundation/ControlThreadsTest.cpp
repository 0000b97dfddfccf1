// Settings of a control changed from a worker thread: what the change leads
// to (the control's notification and its repaint) happens on the
// user-interface thread, never on the worker.
#include "foundation/HxControl.h"

#include <QCoreApplication>
#include <QThread>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class TRepaintingProbe : public THxCustomControl {
public:
    using THxCustomControl::THxCustomControl;

    void SetLevel(int32_t AValue) { Lock()->Setter(FLevel, AValue, nullptr); }

    std::atomic<int32_t> notified{0};
    std::atomic<int32_t> notifiedOffUiThread{0};
    int32_t painted = -1;
    int32_t paints = 0;

protected:
    void LockChanged() override {
        const int32_t count = ++notified;
        if (QThread::currentThread() != QCoreApplication::instance()->thread())
            ++notifiedOffUiThread;
        Invalidate();
        SetCursor(count % 2 ? crCross : crDefault);
    }

    void Paint() override {
        const TJwLockSectionPtr section = Lock()->ReadLock();
        painted = FLevel;
        ++paints;
        Canvas().Brush().SetColor(FLevel % 2 ? clRed : clBlue);
        Canvas().FillRect(ClientRect());
    }

private:
    int32_t FLevel = 0;
};

} // namespace

TEST(ControlThreads, SettingsFromAWorkerArePaintedOnTheUserInterfaceThread) {
    auto control = MakeOwned<TRepaintingProbe>(nullptr);
    QWidget* window = control->Widget();
    window->resize(40, 30);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    constexpr int32_t Changes = 200;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int32_t i = 1; i <= Changes; ++i)
            control->SetLevel(i);
        done = true;
    });
    // paint all along while the worker sets
    while (!done) {
        control->Repaint();
        QCoreApplication::processEvents();
    }
    worker.join();
    QCoreApplication::sendPostedEvents();
    control->Repaint();

    EXPECT_EQ(control->notified, Changes);
    EXPECT_EQ(control->notifiedOffUiThread, 0);
    EXPECT_EQ(control->painted, Changes);
    EXPECT_EQ(control->Cursor(), crDefault);
    EXPECT_EQ(window->cursor().shape(), Qt::ArrowCursor);
}

TEST(ControlThreads, ChangesPostedToAFreedControlAreDropped) {
    auto control = MakeOwned<TRepaintingProbe>(nullptr);
    const THxLockPtr lock = control->Lock();
    std::thread worker([&] {
        for (int32_t i = 1; i <= 10; ++i)
            control->SetLevel(i);
        control->Invalidate();
        control->InvalidateRect(Rect(0, 0, 3, 3), false);
        control->SetCursor(crCross);
    });
    worker.join();
    EXPECT_EQ(control->notified, 0) << "not yet: posted";
    control.reset();
    QCoreApplication::sendPostedEvents(); // runs nothing on the freed control
}
