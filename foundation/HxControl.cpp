#include "foundation/HxControl.h"

#include "platform/EventBinding.h"
#include "platform/UiThread.h"
#include "platform/ZeroFloats.h"

#include <QGuiApplication>

THxCustomControl::THxCustomControl(TComponent* AOwner)
    : TControl(AOwner), FNotifyTarget(std::make_shared<TNotifyTarget>()),
      FMouseTimer(new THxTimer(nullptr)) {
    FNotifyTarget->Control = this;
    FLock = THxLock::Create([Target = FNotifyTarget] {
        const auto notify = [Target] {
            const std::lock_guard guard(Target->Guard);
            if (Target->Control)
                Target->Control->LockChanged();
        };
        // what a change leads to (repaints, cursors, timers) belongs to the
        // user-interface thread
        if (InUiThread())
            notify();
        else
            PostToUiThread(notify);
    });
    FMouseTimer->SetEnabled(false);
    FMouseTimer->SetInterval(MousePollInterval);
    FMouseTimer->SetOnTimer([this](TPersistent*) { MouseTimerTick(); });
}

THxCustomControl::~THxCustomControl() = default;

void THxCustomControl::BeforeDestruction() {
    {
        const TJwLockSectionPtr stop = FLock->StopLock();
        const std::lock_guard guard(FNotifyTarget->Guard);
        FNotifyTarget->Control = nullptr;
    }
    FMouseTimer->SetEnabled(false);
    TControl::BeforeDestruction();
}

TPoint THxCustomControl::GetMouseCursorPos() const {
    if (IsHostedItem())
        return FLastMousePos;
    if (!QGuiApplication::primaryScreen())
        return NoMousePos;
    return MouseCursorPos();
}

void THxCustomControl::InvalidateIntRect(const TRect& ARect) {
    InvalidateRect(ARect, false);
}

void THxCustomControl::Assign(TPersistent* ASource) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (!JwHolds(section))
        return;
    AssignPublished(ASource, THxCustomControl::staticMetaObject, true);
}

void THxCustomControl::DefineProperties(TFiler& AFiler) {
    TControl::DefineProperties(AFiler);
    DefineZeroFloats(AFiler, this);
    DefineEvent<TControl>(AFiler, QStringLiteral("OnMouseEnter"), FOnMouseEnterName,
                          [this](TControlEvent AHandler) { OnMouseEnter = std::move(AHandler); });
    DefineEvent<TControl>(AFiler, QStringLiteral("OnMouseLeave"), FOnMouseLeaveName,
                          [this](TControlEvent AHandler) { OnMouseLeave = std::move(AHandler); });
    DefineEvent<TControl>(AFiler, QStringLiteral("OnResize"), FOnResizeName,
                          [this](TControlEvent AHandler) { OnResize = std::move(AHandler); });
}

void THxCustomControl::MouseMove(TShiftState AShift, int32_t X, int32_t Y) {
    FLastMousePos = Point(X, Y);
    if (!FMouseIsIn)
        MouseEnter();
    TControl::MouseMove(AShift, X, Y);
}

void THxCustomControl::MouseEnter() {
    // The window system and the first move may both report the entry.
    if (FMouseIsIn)
        return;
    // A hosted item hears of leaving from its host; the cursor is never over
    // its parked window.
    if (!IsHostedItem())
        FMouseTimer->SetEnabled(true);
    TControl::MouseEnter();
    MouseEntered();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void THxCustomControl::MouseLeave() {
    if (!FMouseIsIn)
        return;
    TControl::MouseLeave();
    MouseLeft();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void THxCustomControl::MouseEntered() {
    FMouseIsIn = true;
}

void THxCustomControl::MouseLeft() {
    FMouseIsIn = false;
    FMouseTimer->SetEnabled(false);
}

void THxCustomControl::LockChanged() {}

bool THxCustomControl::IsHostedItem() const {
    return false;
}

void THxCustomControl::MouseTimerTick() {
    if (IsHostedItem() || !QGuiApplication::primaryScreen())
        return;
    if (!ClientRect().Contains(MouseCursorPos()))
        MouseLeave();
}
