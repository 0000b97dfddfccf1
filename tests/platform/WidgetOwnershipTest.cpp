// A control hosted in a user's own window: the widget belongs to whichever
// of the two goes first, and neither side touches it after that.
#include "platform/Controls.h"
#include "platform/Forms.h"

#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

class TPaintCountingControl : public TControl {
public:
    using TControl::TControl;
    int paints = 0;
    int resizes = 0;
    void Paint() override { ++paints; }
    void Resize() override { ++resizes; }
};

struct HostedControl {
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    TOwned<TPaintCountingControl> control = MakeOwned<TPaintCountingControl>(nullptr);

    HostedControl() {
        auto* central = new QWidget;
        auto* layout = new QVBoxLayout(central);
        layout->addWidget(control->Widget());
        window->setCentralWidget(central);
        window->resize(200, 120);
        window->show();
    }
};

} // namespace

TEST(WidgetOwnership, WindowDeletedFirstLeavesTheControlUsable) {
    HostedControl host;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.window.get()));
    EXPECT_GT(host.control->Width(), 0) << "the layout sizes the control";
    EXPECT_GT(host.control->resizes, 0);
    QPointer<QWidget> widget = host.control->Widget();

    host.window.reset(); // Qt deletes the widget with its window
    EXPECT_TRUE(widget.isNull());
    EXPECT_EQ(host.control->Widget(), nullptr);

    // the control goes on without a widget and is freed without touching one
    host.control->Invalidate();
    host.control->InvalidateRect(Rect(0, 0, 5, 5), false);
    host.control->Update();
    host.control->Repaint();
    host.control->SetBounds(1, 2, 30, 40);
    host.control->SetCursor(crCross);
    host.control->SetVisible(false);
    host.control->SetEnabled(false);
    host.control->SetTabStop(true);
    host.control->SetFocus();
    EXPECT_FALSE(host.control->Showing());
    EXPECT_FALSE(host.control->Focused());
    EXPECT_EQ(host.control->Width(), 30);
    host.control.reset();
}

TEST(WidgetOwnership, ControlFreedFirstLeavesTheLayout) {
    HostedControl host;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.window.get()));
    QLayout* layout = host.window->centralWidget()->layout();
    ASSERT_EQ(layout->count(), 1);
    QPointer<QWidget> widget = host.control->Widget();

    host.control.reset();
    EXPECT_TRUE(widget.isNull()) << "the control takes its widget along";
    EXPECT_EQ(layout->count(), 0) << "and out of the user's layout";
    host.window->update();
    QApplication::processEvents(); // relayout and repaint without the widget
    host.window.reset();
}

TEST(WidgetOwnership, ChildControlsOfAHostedControlGoWithTheWindow) {
    HostedControl host;
    auto* child = new TPaintCountingControl(host.control.get());
    child->SetParent(host.control.get());
    child->SetBounds(0, 0, 10, 10);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.window.get()));

    host.window.reset();
    EXPECT_EQ(child->Widget(), nullptr);
    child->SetBounds(0, 0, 20, 20);
    host.control.reset(); // frees the child too, neither touching a widget
}

TEST(WidgetOwnership, FormClosedAfterItsWidgetWentDoesNothing) {
    auto form = MakeOwned<TForm>(nullptr);
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(form->Widget());
    window.reset();
    form->SetCaption(QStringLiteral("gone"));
    form->Close();
    EXPECT_EQ(form->Caption(), QStringLiteral("gone"));
}
