#include "foundation/KvDisplayFont.h"

TKvDisplayFont::TKvDisplayFont() = default;

TKvDisplayFont::~TKvDisplayFont() = default;

void TKvDisplayFont::SetUniSize(int32_t ASize) {
    SetSize(ASize);
}
