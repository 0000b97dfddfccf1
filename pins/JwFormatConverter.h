#pragma once
// A format converter sits between a source and a sink that have no stream
// type in common: it receives on its input pin and sends on its output pin.
// It lives while links use it (a reference per link); the source that made
// it frees it when the last link goes.

#include <atomic>

#include "pins/JwSinkPin.h"
#include "pins/JwSourcePin.h"
#include "platform/Component.h"

class TJwFormatConverter : public TComponent {
    Q_OBJECT
public:
    TJwFormatConverter(const TGUID& AInputID, const TGUID& AOutputID);

    void AddRef() noexcept { FRefCount.fetch_add(1); }
    // Answers the count left.
    int32_t ReleaseRef() noexcept { return FRefCount.fetch_sub(1) - 1; }
    int32_t GetRefCount() const noexcept { return FRefCount.load(); }

    TJwSinkPin* GetInputPin() const { return FInputPin.get(); }
    TJwSourcePin* GetOutputPin() const { return FOutputPin.get(); }
    const TGUID& GetInputID() const { return FInputID; }
    const TGUID& GetOutputID() const { return FOutputID; }
    const TIntfPtr<IJwLock>& GetLock() const { return FLock; }

protected:
    ~TJwFormatConverter() override;

    // What goes on for a received operation: supplied data converted, any
    // other operation unchanged.
    virtual TJwNotifyOperationPtr Convert(const TJwNotifyOperationPtr& AOperation) = 0;

private:
    bool Receive(uint32_t AState, const TJwNotifyOperationPtr& AOperation);

    TIntfPtr<IJwLock> FLock;
    std::atomic<int32_t> FRefCount{0};
    TGUID FInputID;
    TGUID FOutputID;
    TOwned<TJwSinkPin> FInputPin;
    TOwned<TJwSourcePin> FOutputPin;
};

// The registered class of a converter type T constructed from its two IDs.
template <class T>
TJwFormatConverter* JwConverterClass(const TGUID& AInputID, const TGUID& AOutputID) {
    return new T(AInputID, AOutputID);
}
