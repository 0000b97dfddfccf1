#pragma once
// The operation that carries a sample buffer.

#include "buffers/KvBufferInterfaces.h"
#include "pins/JwNotify.h"

class TJwSuppliedBufferOperation : public TJwSuppliedOperation {
public:
    // Shares the data of ABuffer through a copy of the buffer object, so the
    // sender may drop its own reference at once.
    explicit TJwSuppliedBufferOperation(const TKvDataPtr& ABuffer);
    const TKvDataPtr& GetBuffer() const { return FBuffer; }

private:
    TKvDataPtr FBuffer;
};
