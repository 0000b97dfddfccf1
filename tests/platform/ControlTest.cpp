// Widget tests: real Qt events reach a control's operations with the
// framework's buttons, shift states, coordinates and wheel directions.
#include "platform/ClassRegistry.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"
#include "platform/StoredForm.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Call {
    std::string op;
    int button = -1;
    TShiftState shift;
    int x = 0, y = 0;
    QChar ch;
    uint16_t key = 0;
};

Call Rec(std::string AOp, int AButton = -1, TShiftState AShift = {}, int X = 0, int Y = 0,
         QChar ACh = QChar(), uint16_t AKey = 0) {
    return Call{std::move(AOp), AButton, AShift, X, Y, ACh, AKey};
}

class TRecordingControl : public TControl {
public:
    explicit TRecordingControl(TComponent* AOwner) : TControl(AOwner) { ++Live; }
    static inline int Live = 0;

    std::vector<Call> calls;
    std::vector<QRegion> paints;
    bool zeroKeys = false;
    std::function<void(TCanvas&)> painter;

    std::vector<Call> Of(const std::string& AOp) const {
        std::vector<Call> out;
        for (const Call& c : calls)
            if (c.op == AOp)
                out.push_back(c);
        return out;
    }

    void MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override {
        calls.push_back(Rec("down", AButton, AShift, X, Y));
        TControl::MouseDown(AButton, AShift, X, Y);
    }
    void MouseMove(TShiftState AShift, int32_t X, int32_t Y) override {
        calls.push_back(Rec("move", -1, AShift, X, Y));
    }
    void MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override {
        calls.push_back(Rec("up", AButton, AShift, X, Y));
    }
    bool DoMouseWheelDown(TShiftState AShift, TPoint APos) override {
        calls.push_back(Rec("wheeldown", -1, AShift, APos.X, APos.Y));
        return true;
    }
    bool DoMouseWheelUp(TShiftState AShift, TPoint APos) override {
        calls.push_back(Rec("wheelup", -1, AShift, APos.X, APos.Y));
        return true;
    }
    void MouseEnter() override { calls.push_back(Rec("enter")); }
    void MouseLeave() override { calls.push_back(Rec("leave")); }
    void KeyDown(uint16_t& AKey, TShiftState AShift) override {
        calls.push_back(Rec("keydown", -1, AShift, 0, 0, QChar(), AKey));
        if (zeroKeys)
            AKey = 0;
    }
    void KeyPress(QChar& AKey) override { calls.push_back({"keypress", -1, {}, 0, 0, AKey}); }
    void KeyUp(uint16_t& AKey, TShiftState AShift) override {
        calls.push_back(Rec("keyup", -1, AShift, 0, 0, QChar(), AKey));
    }
    void Click() override { calls.push_back(Rec("click")); }
    void DblClick() override { calls.push_back(Rec("dblclick")); }
    void DoEnter() override { calls.push_back(Rec("focusin")); }
    void DoExit() override { calls.push_back(Rec("focusout")); }
    void Resize() override { calls.push_back(Rec("resize", -1, {}, Width(), Height())); }
    void Paint() override {
        paints.push_back(UpdateRegion());
        if (painter)
            painter(Canvas());
    }

protected:
    ~TRecordingControl() override { --Live; }
};

// Buttons another test left pressed (a double click ends with one held) grab
// the mouse and show up in every shift state: release them through the
// window system, as the user would.
void ReleaseHeldButtons(QWidget* AWidget) {
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (QGuiApplication::mouseButtons() & b)
            QTest::mouseRelease(AWidget, b, Qt::NoModifier, QPoint(0, 0));
}

// A shown form 200 x 150 at (30, 40) with a recording control at (10, 20), 100 x 80.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeOwned<TForm>(nullptr);
        form->SetBounds(30, 40, 200, 150);
        control = new TRecordingControl(form.get());
        control->SetParent(form.get());
        control->SetBounds(10, 20, 100, 80);
        form->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
        ReleaseHeldButtons(W());
        ASSERT_EQ(QGuiApplication::mouseButtons(), Qt::NoButton);
        control->calls.clear();
    }

    void TearDown() override {
        if (control)
            ReleaseHeldButtons(W());
    }

    QWidget* W() const { return control->Widget(); }

    void SendWheel(QPoint ALocal, int ADelta, Qt::KeyboardModifiers AModifiers = Qt::NoModifier) {
        const QPointF global = W()->mapToGlobal(QPointF(ALocal));
        QWheelEvent event(QPointF(ALocal), global, QPoint(), QPoint(0, ADelta), Qt::NoButton,
                          AModifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(W(), &event);
    }

    TOwned<TForm> form;
    TRecordingControl* control = nullptr;
};

} // namespace

TEST_F(ControlTest, MouseButtonsShiftStateAndClientCoordinates) {
    QTest::mousePress(W(), Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    QTest::mouseMove(W(), QPoint(7, 9));
    QTest::mouseRelease(W(), Qt::LeftButton, Qt::ShiftModifier, QPoint(8, 9));
    QTest::mousePress(W(), Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, QPoint(50, 60));
    QTest::mouseRelease(W(), Qt::RightButton, Qt::ControlModifier | Qt::AltModifier,
                        QPoint(50, 60));

    const auto downs = control->Of("down");
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].button, mbLeft);
    EXPECT_EQ(downs[0].shift, ssShift | ssLeft) << "the pressed button is held";
    EXPECT_EQ(downs[0].x, 5);
    EXPECT_EQ(downs[0].y, 6);
    EXPECT_EQ(downs[1].button, mbRight);
    EXPECT_EQ(downs[1].shift, ssCtrl | ssAlt | ssRight);

    const auto moves = control->Of("move");
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.back().x, 7);
    EXPECT_EQ(moves.back().y, 9);
    EXPECT_TRUE(moves.back().shift.testFlag(ssLeft)) << "moving with the button down";

    const auto ups = control->Of("up");
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_EQ(ups[0].button, mbLeft);
    EXPECT_EQ(ups[0].shift, TShiftState(ssShift)) << "the released button is no longer held";
    EXPECT_EQ(ups[0].x, 8);
    EXPECT_EQ(ups[1].button, mbRight);
    EXPECT_EQ(control->Of("click").size(), 1u) << "only the left button clicks";
}

TEST_F(ControlTest, ReleaseOutsideDoesNotClickAndDoubleClickIsMarked) {
    QTest::mousePress(W(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(W(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
    EXPECT_TRUE(control->Of("click").empty());
    EXPECT_EQ(control->Of("up").back().x, 150) << "captured: client coordinates beyond the control";

    control->calls.clear();
    QTest::mouseDClick(W(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
    ASSERT_EQ(control->Of("dblclick").size(), 1u);
    const auto downs = control->Of("down");
    ASSERT_FALSE(downs.empty());
    EXPECT_TRUE(downs.back().shift.testFlag(ssDouble));
}

TEST_F(ControlTest, WheelStepsCarryDirectionShiftAndScreenPosition) {
    SendWheel(QPoint(12, 13), -120, Qt::ShiftModifier);
    SendWheel(QPoint(12, 13), 240);
    SendWheel(QPoint(12, 13), 60); // half a notch: nothing yet
    const QPoint screen = W()->mapToGlobal(QPoint(12, 13));
    auto downs = control->Of("wheeldown");
    auto ups = control->Of("wheelup");
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0].shift, TShiftState(ssShift));
    EXPECT_EQ(downs[0].x, screen.x());
    EXPECT_EQ(downs[0].y, screen.y());
    EXPECT_EQ(ups.size(), 2u);
    SendWheel(QPoint(12, 13), 60);
    EXPECT_EQ(control->Of("wheelup").size(), 3u) << "two halves make a notch";
    EXPECT_EQ(screen, QPoint(30 + 10 + 12, 40 + 20 + 13));
    EXPECT_EQ(control->ClientToScreen(Point(12, 13)), Point(screen.x(), screen.y()));
    EXPECT_EQ(control->ScreenToClient(Point(screen.x(), screen.y())), Point(12, 13));
}

TEST_F(ControlTest, WheelStepsNobodyHandlesAreLeftForTheParent) {
    // Qt hands an ignored wheel event from the window system to the parent
    auto* inner = new TControl(form.get());
    inner->SetParent(control);
    inner->SetBounds(0, 0, 50, 50);
    bool handled = false;
    inner->OnMouseWheelUp = [&](TControl*, TShiftState, TPoint, bool& AHandled) {
        AHandled = handled;
    };
    auto turn = [&](int ADelta) {
        QWheelEvent event(QPointF(5, 5), inner->Widget()->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, ADelta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(inner->Widget(), &event);
        return event.isAccepted();
    };
    EXPECT_FALSE(turn(120));
    EXPECT_TRUE(turn(60)) << "half a notch is kept for later";
    handled = true;
    EXPECT_TRUE(turn(60));
    SendWheel(QPoint(1, 1), -120);
    EXPECT_EQ(control->Of("wheeldown").size(), 1u);
}

TEST_F(ControlTest, KeysArriveAsKeyDownKeyPressAndKeyUp) {
    QTest::keyClick(W(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(W(), '+');
    QTest::keyClick(W(), Qt::Key_A, Qt::ControlModifier);
    // modifiers are keys of their own, as on the framework's platform
    const auto downs = control->Of("keydown");
    ASSERT_EQ(downs.size(), 5u);
    EXPECT_EQ(downs[0].key, VK_SHIFT);
    EXPECT_EQ(downs[1].key, VK_LEFT);
    EXPECT_EQ(downs[1].shift, TShiftState(ssShift));
    EXPECT_EQ(downs[2].key, VK_OEM_PLUS);
    EXPECT_EQ(downs[3].key, VK_CONTROL);
    EXPECT_EQ(downs[4].key, uint16_t('A'));
    EXPECT_EQ(downs[4].shift, TShiftState(ssCtrl));
    const auto presses = control->Of("keypress");
    ASSERT_GE(presses.size(), 1u);
    EXPECT_EQ(presses[0].ch, QChar('+'));
    ASSERT_EQ(control->Of("keyup").size(), 5u);
    EXPECT_EQ(control->Of("keyup")[0].key, VK_LEFT);

    control->calls.clear();
    control->zeroKeys = true;
    QTest::keyClick(W(), '-');
    EXPECT_EQ(control->Of("keydown").size(), 1u);
    EXPECT_TRUE(control->Of("keypress").empty()) << "a key cleared in KeyDown is not pressed";
}

TEST_F(ControlTest, EnterAndLeave) {
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), W()->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(W(), &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(W(), &leave);
    ASSERT_EQ(control->calls.size(), 2u);
    EXPECT_EQ(control->calls[0].op, "enter");
    EXPECT_EQ(control->calls[1].op, "leave");

    control->calls.clear();
    QTest::mouseMove(form->Widget(), QPoint(15, 25));   // over the control
    QTest::mouseMove(form->Widget(), QPoint(190, 140)); // off it
    EXPECT_EQ(control->Of("enter").size(), 1u);
    EXPECT_EQ(control->Of("leave").size(), 1u);
}

TEST_F(ControlTest, FocusGainAndLoss) {
    form->Widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));
    auto* other = new TRecordingControl(form.get());
    other->SetParent(form.get());
    other->SetBounds(150, 0, 20, 20);
    control->SetTabStop(true);
    control->SetFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return control->Focused(); }, 5000));
    EXPECT_EQ(control->Of("focusin").size(), 1u);
    other->SetFocus();
    EXPECT_TRUE(QTest::qWaitFor([&] { return other->Focused(); }, 5000));
    EXPECT_EQ(control->Of("focusout").size(), 1u);
    EXPECT_EQ(control->Widget()->focusPolicy(), Qt::TabFocus);
}

TEST_F(ControlTest, PaintRunsThePaintRoutineWithTheUpdateRegion) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control->paints.empty(); }, 5000));
    control->paints.clear();
    control->InvalidateRect(Rect(5, 6, 25, 16), false);
    control->Update();
    ASSERT_EQ(control->paints.size(), 1u);
    EXPECT_EQ(control->paints[0], QRegion(5, 6, 20, 10));
    control->Invalidate();
    control->Update();
    ASSERT_EQ(control->paints.size(), 2u);
    EXPECT_EQ(control->paints[1], QRegion(0, 0, 100, 80));
}

TEST_F(ControlTest, PaintErasesToColorExceptRectanglesInvalidatedWithoutErasing) {
    int pass = 0;
    control->painter = [&](TCanvas& ACanvas) {
        if (pass++ == 0) {
            ACanvas.Brush().SetColor(clRed);
            ACanvas.FillRect(Rect(0, 0, 100, 80));
        }
    };
    control->SetColor(clBlue);
    control->Update();
    ASSERT_GE(pass, 1);
    auto grab = [&] {
        return form->Widget()
            ->windowHandle()
            ->screen()
            ->grabWindow(form->Widget()->winId())
            .toImage();
    };
    const QPoint origin(10, 20); // the control inside the form
    EXPECT_EQ(grab().pixel(origin + QPoint(50, 40)), qRgb(255, 0, 0));

    control->InvalidateRect(Rect(0, 0, 10, 10), false); // paints nothing: keeps red
    control->InvalidateRect(Rect(20, 0, 30, 10), true); // erased to Color
    control->Update();
    const QImage image = grab();
    EXPECT_EQ(image.pixel(origin + QPoint(5, 5)), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(origin + QPoint(25, 5)), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(origin + QPoint(50, 40)), qRgb(255, 0, 0));
}

TEST_F(ControlTest, ResizingRealignsAndCallsResize) {
    auto* top = new TRecordingControl(form.get());
    top->SetHeight(30);
    top->SetAlign(alTop);
    top->SetParent(form.get());
    auto* client = new TRecordingControl(form.get());
    client->SetParent(form.get());
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 200, 30));
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 200, 150));

    form->Widget()->resize(300, 250); // as a window manager would
    QApplication::processEvents();
    EXPECT_EQ(form->ClientWidth(), 300);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 300, 250));
    ASSERT_FALSE(client->Of("resize").empty());
    EXPECT_EQ(client->Of("resize").back().x, 300);
    EXPECT_EQ(client->Of("resize").back().y, 220);
    EXPECT_EQ(client->Widget()->geometry(), QRect(0, 30, 300, 220));

    top->SetVisible(false);
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 250));
    client->SetBounds(5, 5, 10, 10); // aligned controls stay aligned
    EXPECT_EQ(client->BoundsRect(), Rect(0, 0, 300, 250));
    client->SetAlign(alNone);
    client->SetBounds(5, 5, -3, 10);
    EXPECT_EQ(client->BoundsRect(), Rect(5, 5, 5, 15));
}

TEST_F(ControlTest, CursorAndVisibility) {
    control->SetCursor(crHandPoint);
    EXPECT_EQ(W()->cursor().shape(), Qt::PointingHandCursor);
    control->SetCursor(crSizeWE);
    EXPECT_EQ(W()->cursor().shape(), Qt::SizeHorCursor);
    control->SetCursor(crDefault);
    EXPECT_FALSE(W()->testAttribute(Qt::WA_SetCursor));
    EXPECT_EQ(control->Cursor(), crDefault);

    EXPECT_TRUE(control->Showing());
    control->Hide();
    EXPECT_FALSE(control->Showing());
    control->Show();
    form->Hide();
    EXPECT_TRUE(control->Visible());
    EXPECT_FALSE(control->Showing());
}

TEST_F(ControlTest, FailingOperationsDoNotEscapeIntoQt) {
    int calls = 0;
    control->OnMouseDown = [&](TControl*, TMouseButton, TShiftState, int32_t, int32_t) {
        ++calls;
        throw std::runtime_error("handler failed");
    };
    QTest::mousePress(W(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QTest::mouseRelease(W(), Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QTest::mousePress(W(), Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(control->Of("up").size(), 1u);
}

TEST(Controls, ParentsChildrenAndTheirWidgets) {
    const int live = TRecordingControl::Live;
    auto form = MakeOwned<TForm>(nullptr);
    auto* panel = new TRecordingControl(form.get());
    auto* child = new TRecordingControl(nullptr); // owned by nobody, parented to the panel
    panel->SetParent(form.get());
    child->SetParent(panel);
    EXPECT_TRUE(form->Widget()->isWindow());
    EXPECT_FALSE(panel->Widget()->isWindow());
    EXPECT_EQ(child->Widget()->parentWidget(), panel->Widget());
    ASSERT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(panel->Controls(0), child);
    EXPECT_THROW(panel->Controls(1), EListError);
    EXPECT_THROW(panel->SetParent(child), Exception) << "no cycles";
    EXPECT_TRUE(child->HasParent());
    EXPECT_EQ(child->GetParentComponent(), panel);

    child->SetParent(form.get());
    EXPECT_EQ(panel->ControlCount(), 0);
    EXPECT_EQ(form->ControlCount(), 2);
    child->SetParent(panel);

    std::vector<TComponent*> stored;
    form->GetChildren([&](TComponent* c) { stored.push_back(c); }, form.get());
    EXPECT_EQ(stored, std::vector<TComponent*>{panel}) << "a form stores the children it owns";

    TPersistent::Free(panel); // takes its child along
    EXPECT_EQ(form->ControlCount(), 0);
    EXPECT_EQ(TRecordingControl::Live, live);

    auto* orphan = new TRecordingControl(form.get());
    orphan->SetParent(form.get());
    orphan->SetParent(nullptr);
    EXPECT_FALSE(orphan->Widget()->isVisible())
        << "a control without parent is not a window of its own";
}

TEST(Forms, CaptionClientSizePositionColorAndClosing) {
    auto form = MakeOwned<TForm>(nullptr);
    form->SetCaption("Simple Waterfall Demo");
    form->SetClientWidth(586);
    form->SetClientHeight(350);
    form->SetLeft(17);
    form->SetTop(23);
    form->SetColor(clRed);
    EXPECT_FALSE(form->Visible()) << "forms start hidden";
    EXPECT_EQ(form->Widget()->windowTitle(), "Simple Waterfall Demo");
    EXPECT_EQ(form->Widget()->size(), QSize(586, 350));
    EXPECT_EQ(form->ClientRect(), Rect(0, 0, 586, 350));
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
    EXPECT_EQ(form->Widget()->geometry().topLeft(), QPoint(17, 23));
    const QImage image =
        form->Widget()->windowHandle()->screen()->grabWindow(form->Widget()->winId()).toImage();
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 0, 0));

    bool allow = false;
    int closes = 0;
    form->OnCloseQuery = [&](TControl*, bool& ACanClose) { ACanClose = allow; };
    form->OnClose = [&](TControl*, TCloseAction& AAction) {
        ++closes;
        EXPECT_EQ(AAction, caHide);
    };
    form->Close();
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(closes, 0);
    allow = true;
    form->Close();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->Widget()->isVisible());
    EXPECT_EQ(closes, 1);
}

TEST(Forms, StoredFormKeepsControlsInsideTheirParents) {
    RegisterClass<TControl>();
    RegisterClass<TForm>();
    auto form = MakeOwned<TForm>(nullptr);
    form->SetName("Form1");
    form->SetCaption("Simple Waterfall Demo");
    form->SetClientSize(586, 350);
    form->SetColor(clBlack);
    auto* panel = new TControl(form.get());
    panel->SetName("Panel1");
    panel->SetParent(form.get());
    panel->SetAlign(alClient);
    auto* inner = new TControl(form.get());
    inner->SetName("Inner1");
    inner->SetParent(panel);
    inner->SetBounds(3, 4, 50, 60);
    inner->SetCursor(crHandPoint);
    const QString text = ComponentToText(form.get());

    auto copy = MakeOwned<TForm>(nullptr);
    ReadComponentFromText(text, copy.get());
    EXPECT_EQ(copy->Caption(), "Simple Waterfall Demo");
    EXPECT_EQ(copy->ClientWidth(), 586);
    EXPECT_EQ(copy->Color(), clBlack);
    ASSERT_EQ(copy->ControlCount(), 1);
    TControl* panelCopy = copy->Controls(0);
    EXPECT_EQ(panelCopy->GetName(), "Panel1");
    EXPECT_EQ(panelCopy->Owner(), copy.get());
    EXPECT_EQ(panelCopy->BoundsRect(), Rect(0, 0, 586, 350));
    ASSERT_EQ(panelCopy->ControlCount(), 1);
    EXPECT_EQ(panelCopy->Controls(0)->BoundsRect(), Rect(3, 4, 53, 64));
    EXPECT_EQ(panelCopy->Controls(0)->Cursor(), crHandPoint);
    EXPECT_EQ(panelCopy->Controls(0)->Widget()->parentWidget(), panelCopy->Widget());
}
