#include "pins/JwFormatConverter.h"

TJwFormatConverter::TJwFormatConverter(const TGUID& AInputID, const TGUID& AOutputID)
    : TComponent(nullptr), FLock(new TJwLock), FInputID(AInputID), FOutputID(AOutputID),
      FInputPin(MakeOwned<TJwSinkPin>(this, FLock)),
      FOutputPin(MakeOwned<TJwSourcePin>(this, FLock)) {
    FInputPin->StreamType.AddType(FInputID, [this](TJwPin*, const TGUID&, uint32_t AState,
                                                   const TJwNotifyOperationPtr& AOperation) {
        return Receive(AState, AOperation);
    });
    FOutputPin->StreamType.AddType(FOutputID);
}

TJwFormatConverter::~TJwFormatConverter() = default;

bool TJwFormatConverter::Receive(uint32_t AState, const TJwNotifyOperationPtr& AOperation) {
    // A request for the current value goes on only when it carries one.
    if ((AState & JwStateRequest) && !dynamic_cast<TJwSuppliedOperation*>(AOperation->Instance()))
        return false;
    return FOutputPin->Send(nullptr, Convert(AOperation));
}
