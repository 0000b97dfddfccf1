#pragma once
// Small helpers the buffer tests share.

#include <gtest/gtest.h>

#include <QString>

#include "buffers/KvSimpleDataBuffer.h"

// The interface I of a buffer, asserting that it is there.
template <class I, class U> TIntfPtr<I> As(const TIntfPtr<U>& ABuffer) {
    TIntfPtr<I> Result;
    EXPECT_TRUE(Supports(ABuffer, Result));
    return Result;
}

template <class U> TKvGenericBuffer* ImplOf(const TIntfPtr<U>& ABuffer) {
    return dynamic_cast<TKvGenericBuffer*>(ABuffer->GetInstance());
}

template <class U> TKvSmartBuffer* ContainerOf(const TIntfPtr<U>& ABuffer) {
    return ImplOf(ABuffer)->DataContainer();
}

// Runs AAction and returns the message of the TError it raises.
template <class TError, class TAction> QString MessageOf(TAction AAction) {
    try {
        AAction();
    } catch (const TError& E) {
        return E.Message();
    }
    ADD_FAILURE() << "nothing was raised";
    return {};
}
