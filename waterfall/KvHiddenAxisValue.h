#pragma once
// A leftover of an older stored layout of the waterfall's X axis: forms of
// that layout hold tick limits that no longer mean anything. They are read
// and dropped, and nothing is ever written for them.

#include "platform/Persistent.h"

class TKvHiddenAxisValue : public TPersistent {
    Q_OBJECT
public:
    TKvHiddenAxisValue() = default;

    // Reads "Value" (one float) and "_Floats" (a list of name/float pairs)
    // and discards them.
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TKvHiddenAxisValue() override = default;
};
