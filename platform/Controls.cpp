#include "platform/Controls.h"

#include "platform/Exceptions.h"
#include "platform/SilentFailure.h"
#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>
#include <atomic>
#include <cstdlib>

namespace {

// Runs an operation of a control for a Qt event: a failure must not unwind
// through Qt's event loop, so it ends the operation.
template <class F> void Guarded(F&& AOperation) {
    Silently("a control's event", std::forward<F>(AOperation));
}

bool ButtonOf(Qt::MouseButton AButton, TMouseButton& AResult) {
    switch (AButton) {
    case Qt::LeftButton:
        AResult = mbLeft;
        return true;
    case Qt::RightButton:
        AResult = mbRight;
        return true;
    case Qt::MiddleButton:
        AResult = mbMiddle;
        return true;
    default:
        return false;
    }
}

constexpr int32_t WheelNotch = 120;

} // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers AModifiers, Qt::MouseButtons AButtons) {
    TShiftState s;
    if (AModifiers & Qt::ShiftModifier)
        s |= ssShift;
    if (AModifiers & Qt::AltModifier)
        s |= ssAlt;
    if (AModifiers & Qt::ControlModifier)
        s |= ssCtrl;
    if (AButtons & Qt::LeftButton)
        s |= ssLeft;
    if (AButtons & Qt::RightButton)
        s |= ssRight;
    if (AButtons & Qt::MiddleButton)
        s |= ssMiddle;
    return s;
}

uint16_t VirtualKeyOf(int AQtKey) {
    if ((AQtKey >= Qt::Key_A && AQtKey <= Qt::Key_Z) ||
        (AQtKey >= Qt::Key_0 && AQtKey <= Qt::Key_9))
        return static_cast<uint16_t>(AQtKey);
    if (AQtKey >= Qt::Key_F1 && AQtKey <= Qt::Key_F24)
        return static_cast<uint16_t>(VK_F1 + (AQtKey - Qt::Key_F1));
    switch (AQtKey) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Tab:
        return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Alt:
        return VK_MENU;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_End:
        return VK_END;
    case Qt::Key_Home:
        return VK_HOME;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    case Qt::Key_Plus:
        return VK_OEM_PLUS;
    case Qt::Key_Minus:
        return VK_OEM_MINUS;
    default:
        return 0;
    }
}

// The widget of a control: forwards Qt's events to the control's operations.
// The control may be freed first (it then deletes this widget and unhooks
// itself), or Qt may delete this widget first (its destructor tells the
// control); events arriving while either happens go nowhere.
class TControlWidget : public QWidget {
public:
    explicit TControlWidget(TControl* AControl) : FControl(AControl) {
        setMouseTracking(true);
        // the control erases what needs erasing itself
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::NoFocus);
    }

    ~TControlWidget() override {
        if (FControl)
            FControl->WidgetDestroyed();
        FControl = nullptr;
    }

    TControl* FControl;

protected:
    void paintEvent(QPaintEvent* AEvent) override {
        QPainter painter(this);
        FControl->PaintWidget(AEvent->region(), painter);
    }

    void mousePressEvent(QMouseEvent* AEvent) override {
        TMouseButton button;
        if (!ButtonOf(AEvent->button(), button))
            return;
        const QPoint p = AEvent->position().toPoint();
        if (button == mbLeft)
            FControl->FLeftPressed = true;
        Guarded([&] {
            FControl->MouseDown(button, ShiftStateOf(AEvent->modifiers(), AEvent->buttons()), p.x(),
                                p.y());
        });
    }

    void mouseDoubleClickEvent(QMouseEvent* AEvent) override {
        TMouseButton button;
        if (!ButtonOf(AEvent->button(), button))
            return;
        const QPoint p = AEvent->position().toPoint();
        const TShiftState shift = ShiftStateOf(AEvent->modifiers(), AEvent->buttons()) | ssDouble;
        Guarded([&] { FControl->DblClick(); });
        Guarded([&] { FControl->MouseDown(button, shift, p.x(), p.y()); });
    }

    void mouseReleaseEvent(QMouseEvent* AEvent) override {
        TMouseButton button;
        if (!ButtonOf(AEvent->button(), button))
            return;
        const QPoint p = AEvent->position().toPoint();
        if (button == mbLeft && FControl->FLeftPressed) {
            FControl->FLeftPressed = false;
            if (rect().contains(p))
                Guarded([&] { FControl->Click(); });
        }
        Guarded([&] {
            FControl->MouseUp(button, ShiftStateOf(AEvent->modifiers(), AEvent->buttons()), p.x(),
                              p.y());
        });
    }

    void mouseMoveEvent(QMouseEvent* AEvent) override {
        const QPoint p = AEvent->position().toPoint();
        Guarded([&] {
            FControl->MouseMove(ShiftStateOf(AEvent->modifiers(), AEvent->buttons()), p.x(), p.y());
        });
    }

    void wheelEvent(QWheelEvent* AEvent) override {
        const QPoint global = AEvent->globalPosition().toPoint();
        bool passOn = false;
        Guarded([&] {
            passOn =
                FControl->WheelTurned(ShiftStateOf(AEvent->modifiers(), AEvent->buttons()),
                                      AEvent->angleDelta().y(), TPoint{global.x(), global.y()});
        });
        // steps nobody handled go on to the parent, as wheel messages do
        AEvent->setAccepted(!passOn);
    }

    void enterEvent(QEnterEvent*) override {
        Guarded([&] { FControl->MouseEnter(); });
    }
    void leaveEvent(QEvent*) override {
        Guarded([&] { FControl->MouseLeave(); });
    }

    void keyPressEvent(QKeyEvent* AEvent) override {
        const TShiftState shift =
            ShiftStateOf(AEvent->modifiers(), QGuiApplication::mouseButtons());
        uint16_t key = VirtualKeyOf(AEvent->key());
        const bool hadKey = key != 0;
        if (hadKey)
            Guarded([&] { FControl->KeyDown(key, shift); });
        if (hadKey && key == 0)
            return;
        for (QChar c : AEvent->text()) {
            Guarded([&] { FControl->KeyPress(c); });
        }
    }

    void keyReleaseEvent(QKeyEvent* AEvent) override {
        if (AEvent->isAutoRepeat())
            return;
        uint16_t key = VirtualKeyOf(AEvent->key());
        if (key == 0)
            return;
        const TShiftState shift =
            ShiftStateOf(AEvent->modifiers(), QGuiApplication::mouseButtons());
        Guarded([&] { FControl->KeyUp(key, shift); });
    }

    void focusInEvent(QFocusEvent*) override {
        Guarded([&] { FControl->DoEnter(); });
    }
    void focusOutEvent(QFocusEvent*) override {
        Guarded([&] { FControl->DoExit(); });
    }

    void resizeEvent(QResizeEvent*) override {
        Guarded([&] { FControl->WidgetResized(width(), height()); });
    }

    void moveEvent(QMoveEvent*) override {
        if (isWindow())
            FControl->WidgetMoved(x(), y());
    }

    void closeEvent(QCloseEvent* AEvent) override {
        bool canClose = true;
        Guarded([&] { FControl->WindowClosing(canClose); });
        if (!canClose)
            AEvent->ignore();
    }
};

struct TControl::TAlive {
    std::atomic<TControl*> Control;
};

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FWidget(new TControlWidget(this)), FAlive(std::make_shared<TAlive>()) {
    FAlive->Control = this;
    FWidget->setGeometry(0, 0, 0, 0);
}

TControl::~TControl() {
    FAlive->Control = nullptr;
    if (FWidget) {
        // deleting a widget takes it out of its Qt parent and any layout
        TControlWidget* widget = FWidget;
        widget->FControl = nullptr;
        FWidget = nullptr;
        delete widget;
    }
}

void TControl::WidgetDestroyed() {
    FWidget = nullptr;
}

bool TControl::PostedToUiThread(std::function<void(TControl*)> AOperation) {
    if (InUiThread())
        return false;
    PostToUiThread([Alive = FAlive, Operation = std::move(AOperation)] {
        if (TControl* control = Alive->Control.load())
            Operation(control);
    });
    return true;
}

void TControl::BeforeDestruction() {
    // children go with their parent, while both are whole
    while (!FControls.empty())
        Free(FControls.back());
    SetParent(nullptr);
    TComponent::BeforeDestruction();
}

QWidget* TControl::Widget() const {
    return FWidget;
}

TControl* TControl::Controls(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= ControlCount())
        ListIndexError(AIndex);
    return FControls[static_cast<size_t>(AIndex)];
}

void TControl::SetParent(TControl* AParent) {
    if (AParent == FParent)
        return;
    for (TControl* p = AParent; p; p = p->FParent)
        if (p == this)
            throw Exception(QStringLiteral("A control cannot have itself as its parent"));
    if (FParent) {
        TControl* old = FParent;
        std::erase(old->FControls, this);
        std::erase(old->FTabList, this);
        FParent = nullptr;
        old->Realign();
    }
    FParent = AParent;
    if (FParent) {
        FParent->FControls.push_back(this);
        FParent->FTabList.push_back(this);
    }
    if (FWidget) {
        KV_ASSERT_UI_THREAD();
        FWidget->setParent(FParent ? FParent->FWidget : nullptr);
    }
    if (FParent && FTabOrder >= 0)
        SetTabOrder(FTabOrder);
    ApplyBounds();
    ApplyVisible();
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::ApplyBounds() {
    if (!FWidget)
        return;
    KV_ASSERT_UI_THREAD();
    FWidget->setGeometry(FLeft, FTop, FWidth, FHeight);
}

void TControl::ApplyVisible() {
    if (!FWidget)
        return;
    KV_ASSERT_UI_THREAD();
    // a control without parent shows as a window only when asked to
    FWidget->setVisible(FVisible && (FParent || FIsWindow));
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    const bool sized = AWidth != FWidth || AHeight != FHeight;
    const bool moved = ALeft != FLeft || ATop != FTop;
    if (!sized && !moved)
        return;
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    ApplyBounds();
    if (FParent && FAlign != alNone && !FParent->FRealigning)
        FParent->Realign();
    if (sized) {
        Realign();
        Resize();
    }
}

void TControl::WidgetResized(int32_t AWidth, int32_t AHeight) {
    if (AWidth == FWidth && AHeight == FHeight)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    Realign();
    Resize();
}

void TControl::WidgetMoved(int32_t ALeft, int32_t ATop) {
    FLeft = ALeft;
    FTop = ATop;
}

TPoint TControl::ClientToScreen(TPoint APoint) const {
    if (!FWidget)
        return APoint;
    const QPoint p = FWidget->mapToGlobal(APoint.ToQPoint());
    return TPoint{p.x(), p.y()};
}

TPoint TControl::ScreenToClient(TPoint APoint) const {
    if (!FWidget)
        return APoint;
    const QPoint p = FWidget->mapFromGlobal(APoint.ToQPoint());
    return TPoint{p.x(), p.y()};
}

TPoint TControl::MouseCursorPos() const {
    const QPoint p = QCursor::pos();
    return ScreenToClient(TPoint{p.x(), p.y()});
}

void TControl::SetAlign(TAlign AValue) {
    if (AValue == FAlign)
        return;
    FAlign = AValue;
    if (FParent)
        FParent->Realign();
}

void TControl::Realign() {
    if (FRealigning)
        return;
    FRealigning = true;
    TRect r = ClientRect();
    auto place = [&](TAlign AAlign) {
        for (TControl* c : FControls) {
            if (c->FAlign != AAlign || !c->FVisible)
                continue;
            switch (AAlign) {
            case alTop:
                c->SetBounds(r.Left, r.Top, r.Width(), c->FHeight);
                r.Top += c->FHeight;
                break;
            case alBottom:
                c->SetBounds(r.Left, r.Bottom - c->FHeight, r.Width(), c->FHeight);
                r.Bottom -= c->FHeight;
                break;
            case alLeft:
                c->SetBounds(r.Left, r.Top, c->FWidth, r.Height());
                r.Left += c->FWidth;
                break;
            case alRight:
                c->SetBounds(r.Right - c->FWidth, r.Top, c->FWidth, r.Height());
                r.Right -= c->FWidth;
                break;
            case alClient:
                c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
                break;
            case alNone:
                break;
            }
        }
    };
    try {
        for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient})
            place(a);
    } catch (...) {
        FRealigning = false;
        throw;
    }
    FRealigning = false;
}

void TControl::SetVisible(bool AValue) {
    if (AValue == FVisible)
        return;
    FVisible = AValue;
    ApplyVisible();
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

bool TControl::Showing() const {
    return FWidget && FWidget->isVisible();
}

void TControl::SetEnabled(bool AValue) {
    if (AValue == FEnabled)
        return;
    FEnabled = AValue;
    if (FWidget) {
        KV_ASSERT_UI_THREAD();
        FWidget->setEnabled(AValue);
    }
}

void TControl::SetColor(TColor AValue) {
    if (AValue == FColor)
        return;
    FColor = AValue;
    Invalidate();
}

void TControl::SetCursor(TCursor AValue) {
    if (!InUiThread() &&
        PostedToUiThread([AValue](TControl* AControl) { AControl->SetCursor(AValue); }))
        return;
    FCursor = AValue;
    if (!FWidget)
        return;
    if (AValue == crDefault)
        FWidget->unsetCursor();
    else
        FWidget->setCursor(CursorToQCursor(AValue));
}

namespace {

const TComponent* OwnerRoot(const TComponent* AComponent) {
    while (AComponent->Owner())
        AComponent = AComponent->Owner();
    return AComponent;
}

} // namespace

int32_t TControl::TabOrder() const {
    // A place counts among the controls of one form: a control kept on a
    // parent outside its owner's form (a hidden parking parent) has none, so
    // that no stored form records where it happened to be parked.
    if (!FParent || (Owner() && OwnerRoot(FParent) != OwnerRoot(this)))
        return -1;
    const auto& list = FParent->FTabList;
    return static_cast<int32_t>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TControl::SetTabOrder(int32_t AValue) {
    if (!FParent) {
        FTabOrder = AValue;
        return;
    }
    FTabOrder = -1;
    auto& list = FParent->FTabList;
    std::erase(list, this);
    const auto place = static_cast<size_t>(std::max(AValue, 0));
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(std::min(place, list.size())), this);
    // Qt's focus chain follows the same order.
    QWidget* previous = nullptr;
    for (TControl* c : list) {
        QWidget* widget = c->Widget();
        if (!widget)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

void TControl::SetTabStop(bool AValue) {
    FTabStop = AValue;
    if (FWidget) {
        KV_ASSERT_UI_THREAD();
        FWidget->setFocusPolicy(AValue ? Qt::TabFocus : Qt::NoFocus);
    }
}

bool TControl::Focused() const {
    return FWidget && FWidget->hasFocus();
}

void TControl::SetFocus() {
    if (!FWidget)
        return;
    KV_ASSERT_UI_THREAD();
    FWidget->setFocus(Qt::OtherFocusReason);
}

void TControl::Invalidate() {
    if (!InUiThread() && PostedToUiThread([](TControl* AControl) { AControl->Invalidate(); }))
        return;
    FKeepRegion = QRegion();
    if (FWidget)
        FWidget->update();
}

void TControl::InvalidateRect(const TRect& ARect, bool AErase) {
    if (!InUiThread() && PostedToUiThread([ARect, AErase](TControl* AControl) {
            AControl->InvalidateRect(ARect, AErase);
        }))
        return;
    if (!FWidget)
        return;
    const QRect r = ARect.ToQRect();
    if (AErase)
        FKeepRegion -= r;
    else
        FKeepRegion =
            FKeepRegion.united(r).intersected(FWidget->rect()); // stays small while hidden
    FWidget->update(r);
}

void TControl::Update() {
    if ((!InUiThread() && PostedToUiThread([](TControl* AControl) { AControl->Update(); })) ||
        !FWidget)
        return;
    QCoreApplication::sendPostedEvents(FWidget->window(), QEvent::UpdateRequest);
}

void TControl::Repaint() {
    if (!InUiThread() && PostedToUiThread([](TControl* AControl) { AControl->Repaint(); }))
        return;
    Invalidate();
    if (FWidget)
        FWidget->repaint();
}

void TControl::PaintWidget(QRegion ARegion, QPainter& APainter) {
    KV_ASSERT_UI_THREAD();
    const QRegion erase = ARegion.subtracted(FKeepRegion);
    FKeepRegion -= ARegion;
    const QColor background = ColorToQColor(FColor);
    for (const QRect& r : erase)
        APainter.fillRect(r, background);
    FCanvas.Attach(&APainter);
    FUpdateRegion = ARegion;
    // a failing paint ends this pass
    Silently("a control's paint", [this] { Paint(); });
    FUpdateRegion = QRegion();
    FCanvas.Detach();
}

bool TControl::WheelTurned(TShiftState AShift, int32_t ADelta, TPoint AScreenPos) {
    FWheelAccumulator += ADelta;
    bool stepped = false;
    bool handled = false;
    while (std::abs(FWheelAccumulator) >= WheelNotch) {
        const int32_t step = FWheelAccumulator > 0 ? WheelNotch : -WheelNotch;
        FWheelAccumulator -= step;
        stepped = true;
        handled = DoMouseWheel(AShift, step, AScreenPos) || handled;
    }
    return stepped && !handled;
}

void TControl::WindowClosing(bool&) {}

bool TControl::HasParent() const {
    return FParent != nullptr;
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* AParent) {
    if (auto* parent = qobject_cast<TControl*>(AParent))
        SetParent(parent);
}

void TControl::GetChildren(const TGetChildProc& AProc, TComponent* ARoot) {
    for (TControl* c : FControls)
        if (c->Owner() == ARoot)
            AProc(c);
    TComponent::GetChildren(AProc, ARoot);
}

void TControl::MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) {
    if (OnMouseDown)
        OnMouseDown(this, AButton, AShift, X, Y);
}

void TControl::MouseMove(TShiftState AShift, int32_t X, int32_t Y) {
    if (OnMouseMove)
        OnMouseMove(this, AShift, X, Y);
}

void TControl::MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) {
    if (OnMouseUp)
        OnMouseUp(this, AButton, AShift, X, Y);
}

bool TControl::DoMouseWheel(TShiftState AShift, int32_t AWheelDelta, TPoint AMousePos) {
    return AWheelDelta < 0 ? DoMouseWheelDown(AShift, AMousePos)
                           : DoMouseWheelUp(AShift, AMousePos);
}

bool TControl::DoMouseWheelDown(TShiftState AShift, TPoint AMousePos) {
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, AShift, AMousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState AShift, TPoint AMousePos) {
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, AShift, AMousePos, handled);
    return handled;
}

void TControl::MouseEnter() {}

void TControl::MouseLeave() {}

void TControl::KeyDown(uint16_t& AKey, TShiftState AShift) {
    if (OnKeyDown)
        OnKeyDown(this, AKey, AShift);
}

void TControl::KeyPress(QChar& AKey) {
    if (OnKeyPress)
        OnKeyPress(this, AKey);
}

void TControl::KeyUp(uint16_t& AKey, TShiftState AShift) {
    if (OnKeyUp)
        OnKeyUp(this, AKey, AShift);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

void TControl::Paint() {}
