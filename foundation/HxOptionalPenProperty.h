#pragma once
// A line that can be hidden, with its pen (solid black to begin with). A
// change of the pen reaches the owner's handler directly, with the pen as sender.

#include "foundation/HxOptionalVisibilityProperty.h"
#include "foundation/KvDisplayPen.h"

class THxOptionalPenProperty : public THxOptionalVisibilityProperty {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayPen* Pen READ GetPen WRITE SetPen)
public:
    THxOptionalPenProperty(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                           TNotifyEvent AOnChange);

    TKvDisplayPen* GetPen() const { return FPen.get(); }
    // Copies AValue into the owned pen.
    void SetPen(TKvDisplayPen* AValue);

protected:
    ~THxOptionalPenProperty() override;

private:
    TOwned<TKvDisplayPen> FPen;
};
