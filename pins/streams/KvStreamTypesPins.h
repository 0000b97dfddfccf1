#pragma once
// Buffer pins: sources that send sample buffers and stream operations, and
// sinks that hand everything they receive to their owner's operation event.

#include <functional>

#include "buffers/KvBufferInterfaces.h"
#include "pins/JwSinkPin.h"
#include "pins/JwSourcePin.h"

class TKvJwSinkPin;

// The owner's handler of received operations.
using TKvJwOperationEvent =
    std::function<void(TJwPin* ASender, const TGUID& ADataTypeID, uint32_t AState,
                       const TJwNotifyOperationPtr& AOperation)>;
using TKvJwLinkEvent = std::function<void(TKvJwSinkPin* ASender)>;

class TKvJwSourcePin : public TJwSourcePin, public IJwKvGenericStream {
    Q_OBJECT
public:
    explicit TKvJwSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {},
                            const TIntfPtr<IJwLock>& AInputOwnerLock = {});

    // Sends ABuffer (shared, not copied); errors of receivers answer false.
    bool SubmitBuffer(const TKvDataPtr& ABuffer);
    bool Stop();
    bool EndStop();
    bool FileEndNoStop();
    // Remembers the last start operation until a stop.
    bool Notify(const TJwNotifyOperationPtr& AOperation) override;
    TJwNotifyOperationPtr GetLastStartOperation();

    // Operations sent upstream by the sinks (a master pump) go to OnOperation.
    bool DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                      uint32_t AState) override;
    TKvJwOperationEvent OnOperation;

protected:
    ~TKvJwSourcePin() override = default;

private:
    TJwNotifyOperationPtr FLastStart;
};

class TKvJwBinarySourcePin : public TKvJwSourcePin {
    Q_OBJECT
public:
    explicit TKvJwBinarySourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwBinarySourcePin() override = default;
};

class TKvJwRealSourcePin : public TKvJwSourcePin {
    Q_OBJECT
public:
    // AUseFloat also offers "Float", through which value sinks get the
    // last sample of each buffer.
    explicit TKvJwRealSourcePin(TComponent* AOwner, bool AUseFloat = false,
                                const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwRealSourcePin() override = default;
    // Value receivers get the last sample: "Real" receivers as a real,
    // "Float"-only receivers as a single.
    TJwNotifyOperationPtr AdaptOperation(TJwPin* AReceiver, const TGUID& AID,
                                         const TJwNotifyOperationPtr& AOperation) override;
};

class TKvJwIntegerSourcePin : public TKvJwSourcePin {
    Q_OBJECT
public:
    explicit TKvJwIntegerSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwIntegerSourcePin() override = default;
};

class TKvJwRealMatrixSourcePin : public TKvJwSourcePin {
    Q_OBJECT
public:
    explicit TKvJwRealMatrixSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwRealMatrixSourcePin() override = default;
};

class TKvJwStringSourcePin : public TKvJwSourcePin {
    Q_OBJECT
public:
    explicit TKvJwStringSourcePin(TComponent* AOwner, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwStringSourcePin() override = default;
};

class TKvJwSinkPin : public TJwSinkPin, public IJwKvGenericStream {
    Q_OBJECT
public:
    TKvJwSinkPin(TComponent* AOwner, TKvJwLinkEvent AOnDisconnect, TKvJwLinkEvent AOnConnect,
                 TKvJwOperationEvent AOperationEvent, const TIntfPtr<IJwLock>& AOwnerLock = {});

    bool DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                      uint32_t AState) override;
    // Asks the source for data.
    bool MasterPump(TJwPin* ASender);
    void* GetEventData() const { return FEventData; }

protected:
    ~TKvJwSinkPin() override = default;
    void Connected() override;
    void Disconnected() override;
    // Adds AID received through the sink's own submit function.
    void AddSinkType(const TGUID& AID);

    void* FEventData = nullptr;

private:
    bool SinkSubmit(TJwPin* AStream, const TGUID& AID, uint32_t AState,
                    const TJwNotifyOperationPtr& AOperation);

    TKvJwLinkEvent FOnDisconnect;
    TKvJwLinkEvent FOnConnect;
    TKvJwOperationEvent FOperationEvent;
};

class TKvJwRealSinkPin : public TKvJwSinkPin {
    Q_OBJECT
public:
    TKvJwRealSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                     void* AEventData = nullptr, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwRealSinkPin() override = default;
};

class TKvJwComboRealSinkPin : public TKvJwRealSinkPin {
    Q_OBJECT
public:
    TKvJwComboRealSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                          void* AEventData = nullptr, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwComboRealSinkPin() override = default;
};

class TKvJwComboRealIntSinkPin : public TKvJwComboRealSinkPin {
    Q_OBJECT
public:
    TKvJwComboRealIntSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                             void* AEventData = nullptr, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwComboRealIntSinkPin() override = default;
};

// The waterfall's input: every buffer and value type it can show.
class TKvJwComboRealIntMatrixSinkPin : public TKvJwComboRealIntSinkPin {
    Q_OBJECT
public:
    TKvJwComboRealIntMatrixSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                                   void* AEventData = nullptr,
                                   const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwComboRealIntMatrixSinkPin() override = default;
};

class TKvJwIntegerSinkPin : public TKvJwSinkPin {
    Q_OBJECT
public:
    TKvJwIntegerSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                        void* AEventData = nullptr, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwIntegerSinkPin() override = default;
};

class TKvJwComplexSinkPin : public TKvJwSinkPin {
    Q_OBJECT
public:
    TKvJwComplexSinkPin(TComponent* AOwner, TKvJwOperationEvent AOperationEvent,
                        void* AEventData = nullptr, const TIntfPtr<IJwLock>& AOwnerLock = {});

protected:
    ~TKvJwComplexSinkPin() override = default;
};
