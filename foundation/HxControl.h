#pragma once
// The windowed custom control all visible controls of the library descend
// from. It owns the root lock of its settings tree, tracks the mouse entering
// and leaving (a 100 ms timer polls the cursor once it is in, because a
// window is not always told when the cursor leaves it) and stores its
// zero-valued floating-point properties in "_Floats".

#include "foundation/HxLock.h"
#include "foundation/HxTimer.h"
#include "platform/Controls.h"

#include <memory>
#include <mutex>

class THxCustomControl : public TControl {
    Q_OBJECT
public:
    Q_INVOKABLE explicit THxCustomControl(TComponent* AOwner);

    const THxLockPtr& Lock() const { return FLock; }

    // Where the cursor is, in client coordinates: a hosted item answers the
    // last position its host forwarded; otherwise the system cursor, or
    // (-10000, -10000) when it cannot be read.
    TPoint GetMouseCursorPos() const;
    TPoint GetIntegerMouseCursorPos() const { return GetMouseCursorPos(); }
    bool MouseIsIn() const { return FMouseIsIn; }

    // Repaints ARect without erasing its background first.
    void InvalidateIntRect(const TRect& ARect);

    // Stores, besides "_Floats", the root methods bound to OnMouseEnter,
    // OnMouseLeave and OnResize.
    void DefineProperties(TFiler& AFiler) override;
    // Under the write lock: the published properties except "Name" of
    // another control of this family; any other source raises the "cannot
    // assign" error.
    void Assign(TPersistent* ASource) override;

    void MouseMove(TShiftState AShift, int32_t X, int32_t Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    TControlEvent OnMouseEnter;
    TControlEvent OnMouseLeave;

    static constexpr uint32_t MousePollInterval = 100;
    static constexpr TPoint NoMousePos{-10000, -10000};

protected:
    ~THxCustomControl() override;
    void BeforeDestruction() override;

    virtual void MouseEntered();
    virtual void MouseLeft();
    // Called after a successful set through the control's lock, always on
    // the user-interface thread: a set on another thread posts it there.
    virtual void LockChanged();
    // True while the control is drawn by another one instead of showing itself.
    virtual bool IsHostedItem() const;

    // Checks whether the cursor has left the control.
    void MouseTimerTick();
    bool MouseTimerEnabled() const { return FMouseTimer->GetEnabled(); }

    TPoint FLastMousePos = NoMousePos;

private:
    // The lock's notify target; cleared on destruction, because other
    // threads may keep the lock after the control has gone, and a setter let
    // through by the stopping lock may still be notifying.
    struct TNotifyTarget {
        std::recursive_mutex Guard;
        THxCustomControl* Control = nullptr;
    };
    std::shared_ptr<TNotifyTarget> FNotifyTarget;
    THxLockPtr FLock;
    bool FMouseIsIn = false;
    TOwned<THxTimer> FMouseTimer;
    // The root methods the stored form bound to the events.
    QString FOnMouseEnterName;
    QString FOnMouseLeaveName;
    QString FOnResizeName;
};

// What a host needs of a hosted control.
class IYbBasicControl : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{EB658139-1734-40DC-B738-D20259D066CC}");

    virtual void ResetLayers() = 0;
    virtual void Redraw() = 0;
    virtual void InvalidateControl() = 0;
    virtual void RedrawControl() = 0;
    virtual bool IsFocusedControl() = 0;
    virtual void GetLock(THxLockPtr& ALock) = 0;
    virtual TControl* GetControl() = 0;

protected:
    ~IYbBasicControl() = default;
};
