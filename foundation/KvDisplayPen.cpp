#include "foundation/KvDisplayPen.h"

TKvDisplayPen::TKvDisplayPen(TPenStyle AStyle, TColor AColor) {
    SetStyle(AStyle);
    SetColor(AColor);
}

TKvDisplayPen::~TKvDisplayPen() = default;
