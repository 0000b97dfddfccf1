#pragma once
// The look of a marker group beyond pen, brush and shape: the crosshair
// lines from a marker to the edges of the data view, and the label with its
// place next to the marker.

#include "foundation/HxOptionalPenProperty.h"
#include "foundation/KvOptionalLabel.h"
#include "pins/streams/KvStreamTypesOffsets.h"

// One crosshair line: hidden, in a yellow pen, until told otherwise.
class TKvDisplayMarkerCrosshairLine : public THxOptionalPenProperty {
    Q_OBJECT
    Q_CLASSINFO("default:Visible", "False")
public:
    TKvDisplayMarkerCrosshairLine(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                  TNotifyEvent AOnChange);

protected:
    ~TKvDisplayMarkerCrosshairLine() override;
};

class TKvDisplayMarkerCrosshairLines : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayMarkerCrosshairLine* Left READ GetLeft WRITE SetLeft)
    Q_PROPERTY(TKvDisplayMarkerCrosshairLine* Top READ GetTop WRITE SetTop)
    Q_PROPERTY(TKvDisplayMarkerCrosshairLine* Right READ GetRight WRITE SetRight)
    Q_PROPERTY(TKvDisplayMarkerCrosshairLine* Bottom READ GetBottom WRITE SetBottom)
public:
    // A change of any line raises this object's OnChange.
    TKvDisplayMarkerCrosshairLines(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                   TNotifyEvent AOnChange);

    TKvDisplayMarkerCrosshairLine* GetLeft() const { return FLeft.get(); }
    TKvDisplayMarkerCrosshairLine* GetTop() const { return FTop.get(); }
    TKvDisplayMarkerCrosshairLine* GetRight() const { return FRight.get(); }
    TKvDisplayMarkerCrosshairLine* GetBottom() const { return FBottom.get(); }
    // Each copies AValue into the owned line.
    void SetLeft(TKvDisplayMarkerCrosshairLine* AValue) { FLeft->Assign(AValue); }
    void SetTop(TKvDisplayMarkerCrosshairLine* AValue) { FTop->Assign(AValue); }
    void SetRight(TKvDisplayMarkerCrosshairLine* AValue) { FRight->Assign(AValue); }
    void SetBottom(TKvDisplayMarkerCrosshairLine* AValue) { FBottom->Assign(AValue); }

protected:
    ~TKvDisplayMarkerCrosshairLines() override;

private:
    TOwned<TKvDisplayMarkerCrosshairLine> FLeft;
    TOwned<TKvDisplayMarkerCrosshairLine> FTop;
    TOwned<TKvDisplayMarkerCrosshairLine> FRight;
    TOwned<TKvDisplayMarkerCrosshairLine> FBottom;
};

// Where a marker's label sits: right of and above the marker, 4 pixels out.
class TKvDisplayMarkerPosition : public TKvCoordinateOffset {
    Q_OBJECT
    Q_CLASSINFO("default:CoordinateMode", "cmRightTop")
    Q_CLASSINFO("default:CX", "4")
    Q_CLASSINFO("default:CY", "0")
public:
    TKvDisplayMarkerPosition(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                             TNotifyEvent AOnChange);

protected:
    ~TKvDisplayMarkerPosition() override;
};

// A marker group's label: its text is a template that the display expands
// for each marker.
class TKvMarkerGroupLabel : public TKvOptionalLabel {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayMarkerPosition* Position READ GetPosition WRITE SetPosition)
public:
    TKvMarkerGroupLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                        TNotifyEvent AOnChange);

    TKvDisplayMarkerPosition* GetPosition() const { return FPosition.get(); }
    // Copies AValue into the owned position.
    void SetPosition(TKvDisplayMarkerPosition* AValue) { FPosition->Assign(AValue); }

protected:
    ~TKvMarkerGroupLabel() override;

private:
    TOwned<TKvDisplayMarkerPosition> FPosition;
};
