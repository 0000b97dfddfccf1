#include "foundation/KvDisplayBrush.h"

TKvDisplayBrush::TKvDisplayBrush(TBrushStyle AStyle, TColor AColor) {
    SetStyle(AStyle);
    SetColor(AColor);
}

TKvDisplayBrush::~TKvDisplayBrush() = default;
