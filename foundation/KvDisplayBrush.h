#pragma once
// A brush in a display's settings. Its colour outlives the clear style: a
// brush switched to clear and back to solid paints in its colour again (the
// brush editor relies on it). Colour and style are always stored, as for
// the display pen.

#include "platform/Graphics.h"

class TKvDisplayBrush : public TBrush {
    Q_OBJECT
    Q_CLASSINFO("default:Color", "")
    Q_CLASSINFO("default:Style", "")
public:
    TKvDisplayBrush(TBrushStyle AStyle, TColor AColor);

protected:
    ~TKvDisplayBrush() override;
};
