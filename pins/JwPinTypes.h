#pragma once
// Types shared by the pin classes: the submit functions through which
// receivers take operations, state flags and the pin framework's error.

#include <cstdint>
#include <functional>

#include "pins/JwDispatcherPin.h"
#include "pins/JwNotify.h"
#include "platform/Exceptions.h"

class TJwPin;

// State flags handed to receivers with each operation.
inline constexpr uint32_t JwStateRequest = 1; // asks for the sender's current value
inline constexpr uint32_t JwStateLast = 2;    // the last receiver of this send

// A receiving pin's function for one stream type: called with the receiving
// pin's stream interface (the pin itself), the stream type ID, the state
// flags and the operation; answers whether the receiver took it (bit 0 of
// the answer pushes the receiver later in the source's order).
using TJwSubmitFunction = std::function<bool(TJwPin* AStream, const TGUID& AID, uint32_t AState,
                                             const TJwNotifyOperationPtr& AOperation)>;

class EJwPinError : public Exception {
public:
    using Exception::Exception;
};

// Receivers of plain values ("Real", "Float", ...): what the standard value
// send function delivers to.
class IJwDataStream {
public:
    virtual bool DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                              uint32_t AState) = 0;

protected:
    ~IJwDataStream() = default;
};

// Receivers of buffer streams: what the buffer send function delivers to.
class IJwKvGenericStream {
public:
    virtual bool DispatchData(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation,
                              uint32_t AState) = 0;

protected:
    ~IJwKvGenericStream() = default;
};
