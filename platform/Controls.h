#pragma once
// Controls: components with a window. A control owns a QWidget (a control
// cannot be a QWidget itself, being a QObject already) and turns Qt's events
// into the framework's operations: mouse down, move and up with button,
// shift state and client coordinates; wheel steps with the screen position;
// mouse enter and leave; key down, press and up; focus gain and loss; paint
// with the update region. Parent and child controls mirror the widgets'
// parent and child relation; a control without a parent is a top-level
// window.
//
// The widget has one owner at a time: its Qt parent when it has one (the
// parent control's widget, or a user's window or layout), otherwise the
// control. The control outlives a widget Qt deletes and then leaves it
// alone. Everything that touches the widget runs on the user-interface
// thread; repaint requests and cursor changes from other threads are
// posted there.

#include "platform/Canvas.h"
#include "platform/Colors.h"
#include "platform/Component.h"
#include "platform/Cursors.h"
#include "platform/Geometry.h"

#include <QChar>
#include <QFlags>
#include <QRegion>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QWidget;
class TControlWidget;

enum TShiftStateFlag {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};
Q_DECLARE_FLAGS(TShiftState, TShiftStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TShiftState)

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Virtual key codes of the framework's key events.
constexpr uint16_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                   VK_CONTROL = 0x11, VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
                   VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25,
                   VK_UP = 0x26, VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D,
                   VK_DELETE = 0x2E, VK_ADD = 0x6B, VK_SUBTRACT = 0x6D, VK_F1 = 0x70,
                   VK_OEM_PLUS = 0xBB, VK_OEM_MINUS = 0xBD;

class TControl;

using TControlEvent = std::function<void(TControl* Sender)>;
using TMouseEvent = std::function<void(TControl* Sender, TMouseButton Button, TShiftState Shift,
                                       int32_t X, int32_t Y)>;
using TMouseMoveEvent =
    std::function<void(TControl* Sender, TShiftState Shift, int32_t X, int32_t Y)>;
using TMouseWheelUpDownEvent =
    std::function<void(TControl* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TControl* Sender, uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TControl* Sender, QChar& Key)>;

class TControl : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int32_t Left READ Left WRITE SetLeft)
    Q_PROPERTY(int32_t Top READ Top WRITE SetTop)
    Q_PROPERTY(int32_t Width READ Width WRITE SetWidth)
    Q_PROPERTY(int32_t Height READ Height WRITE SetHeight)
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TCursor Cursor READ Cursor WRITE SetCursor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
    Q_PROPERTY(int32_t TabOrder READ TabOrder WRITE SetTabOrder)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Align", "alNone")
    Q_CLASSINFO("default:Color", "clBtnFace")
    Q_CLASSINFO("default:Cursor", "0")
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("default:TabStop", "False")
    Q_CLASSINFO("default:TabOrder", "0")
    Q_CLASSINFO("default:Visible", "True")

public:
    enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
    Q_ENUM(TAlign)

    Q_INVOKABLE explicit TControl(TComponent* AOwner);

    // The widget that shows this control; null once Qt has deleted it.
    // To host the control in a window of your own, add this widget to your
    // layout (or give it your widget as parent): Qt's parent then owns it,
    // and freeing the control first takes the widget out of the layout.
    QWidget* Widget() const;

    // Parent and children. Setting a parent puts the widget inside the
    // parent's; null makes the control a top-level window.
    TControl* Parent() const { return FParent; }
    virtual void SetParent(TControl* AParent);
    int32_t ControlCount() const { return static_cast<int32_t>(FControls.size()); }
    // Raises EListError outside 0..ControlCount-1.
    TControl* Controls(int32_t AIndex) const;

    // Bounds in the parent's client coordinates (screen coordinates for a
    // top-level control).
    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t AValue) { SetBounds(AValue, FTop, FWidth, FHeight); }
    void SetTop(int32_t AValue) { SetBounds(FLeft, AValue, FWidth, FHeight); }
    void SetWidth(int32_t AValue) { SetBounds(FLeft, FTop, AValue, FHeight); }
    void SetHeight(int32_t AValue) { SetBounds(FLeft, FTop, FWidth, AValue); }
    // Negative sizes count as 0. A change of size realigns the children
    // and calls Resize.
    virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
    TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
    int32_t ClientWidth() const { return FWidth; }
    int32_t ClientHeight() const { return FHeight; }
    TRect ClientRect() const { return Rect(0, 0, FWidth, FHeight); }
    void SetClientSize(int32_t AWidth, int32_t AHeight) { SetBounds(FLeft, FTop, AWidth, AHeight); }
    TPoint ClientToScreen(TPoint APoint) const;
    TPoint ScreenToClient(TPoint APoint) const;

    // alClient fills the parent's client area; top, bottom, left and right
    // stack along that edge, taken in that order before the client one.
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign AValue);
    // Lays out the aligned children again.
    void Realign();

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool AValue);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Whether it is on screen: visible itself and all its parents.
    bool Showing() const;
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool AValue);
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    TCursor Cursor() const { return FCursor; }
    virtual void SetCursor(TCursor AValue);

    // Focus. A control takes the focus by the Tab key only with TabStop.
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool AValue);
    // Place in the parent's Tab sequence (0 first; -1 without parent). A
    // place past the end moves the control to the end; one set before the
    // control has a parent is taken when it gets one.
    int32_t TabOrder() const;
    void SetTabOrder(int32_t AValue);
    bool Focused() const;
    void SetFocus();

    // Repaint requests: the whole control with its background erased, or a
    // rectangle whose old pixels the paint routine draws over.
    void Invalidate();
    void InvalidateRect(const TRect& ARect, bool AErase);
    // Paints the pending requests now.
    void Update();
    void Repaint();

    // The canvas during Paint (drawing outside a paint pass raises;
    // measuring text works at any time).
    TCanvas& Canvas() { return FCanvas; }
    // During Paint: the part of the control being painted.
    const QRegion& UpdateRegion() const { return FUpdateRegion; }

    // The system cursor in client coordinates.
    TPoint MouseCursorPos() const;

    // Stored-form relation: a control is stored inside its parent.
    bool HasParent() const override;
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* AParent) override;
    void GetChildren(const TGetChildProc& AProc, TComponent* ARoot) override;

    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelUpDownEvent OnMouseWheelDown;
    TMouseWheelUpDownEvent OnMouseWheelUp;
    TKeyEvent OnKeyDown;
    TKeyPressEvent OnKeyPress;
    TKeyEvent OnKeyUp;
    TControlEvent OnClick;
    TControlEvent OnDblClick;
    TControlEvent OnResize;
    TControlEvent OnEnter;
    TControlEvent OnExit;

    // The framework's operations, called by the widget's events. The base
    // versions raise the matching On... event.
    virtual void MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y);
    virtual void MouseMove(TShiftState AShift, int32_t X, int32_t Y);
    virtual void MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y);
    // One call per wheel notch (120 units; finer wheels add up). Positive
    // deltas roll away from the user: wheel up. AMousePos is in screen
    // coordinates. Returns whether the step was handled; steps not handled
    // go on to the parent control.
    virtual bool DoMouseWheel(TShiftState AShift, int32_t AWheelDelta, TPoint AMousePos);
    virtual bool DoMouseWheelDown(TShiftState AShift, TPoint AMousePos);
    virtual bool DoMouseWheelUp(TShiftState AShift, TPoint AMousePos);
    // The mouse entered or left the control's window.
    virtual void MouseEnter();
    virtual void MouseLeave();
    // Setting AKey to 0 in KeyDown suppresses the KeyPress of that key;
    // setting the character to 0 in KeyPress consumes it.
    virtual void KeyDown(uint16_t& AKey, TShiftState AShift);
    virtual void KeyPress(QChar& AKey);
    virtual void KeyUp(uint16_t& AKey, TShiftState AShift);
    virtual void Click();
    virtual void DblClick();
    // Focus gained and lost.
    virtual void DoEnter();
    virtual void DoExit();
    virtual void Resize();
    // Draws the control on Canvas; the update region has been erased to
    // Color except where a rectangle was invalidated without erasing.
    virtual void Paint();

protected:
    ~TControl() override;
    // Frees the child controls and leaves the parent.
    void BeforeDestruction() override;
    // The user asked to close the window; clear ACanClose to refuse.
    virtual void WindowClosing(bool& ACanClose);

    // Forms show as windows of their own; other controls without a parent stay hidden.
    bool FIsWindow = false;

private:
    friend class TControlWidget;
    // Called by the widget's destructor: the control goes on without it.
    void WidgetDestroyed();
    // Posts AOperation to the user-interface thread when called from
    // another one (answering true), for as long as this control lives.
    bool PostedToUiThread(std::function<void(TControl*)> AOperation);
    void ApplyBounds();
    void ApplyVisible();
    void PaintWidget(QRegion ARegion, QPainter& APainter);
    void WidgetResized(int32_t AWidth, int32_t AHeight);
    void WidgetMoved(int32_t ALeft, int32_t ATop);
    // Whether whole notches went unhandled (and go on to the parent).
    bool WheelTurned(TShiftState AShift, int32_t ADelta, TPoint AScreenPos);

    struct TAlive;
    // Owned by itself or by its Qt parent, see above; cleared when deleted.
    TControlWidget* FWidget = nullptr;
    // What posted operations check before they run.
    std::shared_ptr<TAlive> FAlive;
    TControl* FParent = nullptr;
    std::vector<TControl*> FControls;
    int32_t FLeft = 0;
    int32_t FTop = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    bool FTabStop = false;
    int32_t FTabOrder = -1;          // asked for before there was a parent
    std::vector<TControl*> FTabList; // children in Tab order
    TColor FColor = clBtnFace;
    TCursor FCursor = crDefault;
    TCanvas FCanvas;
    QRegion FUpdateRegion;
    QRegion FKeepRegion; // invalidated without erasing, not yet painted
    int32_t FWheelAccumulator = 0;
    bool FLeftPressed = false;
    bool FRealigning = false;
};

using TAlign = TControl::TAlign;
using enum TControl::TAlign;

// The shift state of Qt's modifiers and mouse buttons.
TShiftState ShiftStateOf(Qt::KeyboardModifiers AModifiers, Qt::MouseButtons AButtons);
// The framework's virtual key code of a Qt key (0 when it has none).
uint16_t VirtualKeyOf(int AQtKey);
