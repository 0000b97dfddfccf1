#include "display/KvZoomPin.h"

#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxis.h"

TKvZoomPin::TKvZoomPin(TKvDisplayAxis* AAxis) : TJwStatePin(AAxis->Display()), FAxis(AAxis) {
    setObjectName(QStringLiteral("ZoomPin"));
    StreamType.AddType(ZoomTypeID, [this](TJwPin*, const TGUID& AID, uint32_t AState,
                                          const TJwNotifyOperationPtr& AOperation) {
        return DispatchData(AID, AOperation, AState);
    });
}

TKvZoomPin::~TKvZoomPin() = default;

void TKvZoomPin::SendChange(TKvZoomOperation AOperation) {
    if (!GetDispatcher())
        return;
    Notify(TJwNotifyOperationPtr(new TJwSuppliedZoomOperation(FAxis, AOperation)));
}

bool TKvZoomPin::DispatchData(const TGUID&, const TJwNotifyOperationPtr& AOperation, uint32_t) {
    auto* zoom =
        AOperation ? dynamic_cast<TJwSuppliedZoomOperation*>(AOperation->Instance()) : nullptr;
    if (!zoom || !zoom->Axis || zoom->Axis == FAxis)
        return false;
    FAxis->FollowZoom(zoom->Axis, zoom->Operation);
    return false;
}

bool TKvZoomPin::ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) {
    if (!TJwStatePin::ConnectAfter(AOtherPin, ANotifyAfterPin))
        return false;
    if (auto* peer = dynamic_cast<TKvZoomPin*>(AOtherPin); peer && !IsLoading())
        peer->DispatchData(ZoomTypeID,
                           TJwNotifyOperationPtr(new TJwSuppliedZoomOperation(FAxis, zoZoom)),
                           JwStateLast);
    return true;
}
