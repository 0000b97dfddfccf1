#pragma once
// The zoom pin of an axis: axes of several displays whose zoom pins are
// linked follow each other's zoom, pan, undo and unzoom. Every pin of a
// link is a member of one state dispatcher, so a change reaches each other
// member once; a member that follows does not send again, so nothing echoes.

#include "display/KvScopeTypes.h"
#include "pins/JwStatePin.h"

class TKvDisplayAxis;

// An axis changed its zoom: the receivers read the new range off the axis.
class TJwSuppliedZoomOperation : public TJwSuppliedOperation {
public:
    TJwSuppliedZoomOperation(TKvDisplayAxis* AAxis, TKvZoomOperation AOperation)
        : Axis(AAxis), Operation(AOperation) {}

    TKvDisplayAxis* const Axis;
    const TKvZoomOperation Operation;
};

class TKvZoomPin : public TJwStatePin {
    Q_OBJECT
public:
    static constexpr TGUID ZoomTypeID = TGUID::Parse("{E9DBD9D7-EF1F-4229-B042-EF8CCFE3E383}");

    // Owned by AAxis; named after its display.
    explicit TKvZoomPin(TKvDisplayAxis* AAxis);

    TKvDisplayAxis* Axis() const { return FAxis; }
    // Tells every linked pin that this axis's zoom changed by AOperation.
    void SendChange(TKvZoomOperation AOperation);
    // A linked axis's change: this axis follows without sending anything.
    // Always false.
    bool DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                      uint32_t AState);
    // A zoom pin joining outside loading takes this axis's zoom over.
    bool ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;

protected:
    ~TKvZoomPin() override;

private:
    TKvDisplayAxis* const FAxis;
};
