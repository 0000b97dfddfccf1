#include "display/KvDisplayToolBar.h"

#include "display/KvDataDisplay.h"

TKvBasicDisplayToolBar::TKvBasicDisplayToolBar(TKvDataDisplay* ADisplay)
    : TKvDisplayComponent(ADisplay),
      FButtonImages(std::make_unique<TKvDisplayButtonImages>(ButtonColors(), ADisplay->Color())) {}

TKvBasicDisplayToolBar::~TKvBasicDisplayToolBar() = default;

void TKvBasicDisplayToolBar::GetDrawRect(TRect& ARect) const {
    ARect = FViewRect;
}

void TKvBasicDisplayToolBar::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

void TKvBasicDisplayToolBar::SetAutoHide(bool AValue) {
    FLock->Setter(FAutoHide, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

void TKvBasicDisplayToolBar::ColorsChanged() {}

TKvButtonColors TKvBasicDisplayToolBar::ButtonColors() const {
    TKvButtonColors colors;
    colors.Glyph = FGlyphColor;
    colors.Border = FBorderColor;
    colors.Button = FButtonColor;
    colors.MouseOverBorder = FMouseOverBorderColor;
    colors.MouseOverButton = FMouseOverButtonColor;
    colors.MouseDownBorder = FMouseDownBorderColor;
    colors.MouseDownButton = FMouseDownButtonColor;
    colors.Disabled = FDisabledColor;
    return colors;
}

void TKvBasicDisplayToolBar::SetColorValue(TColor& AField, TColor AValue) {
    FLock->SetterColor(AField, AValue, [this] {
        FButtonImages->Rebuild(ButtonColors(), FDisplay->Color());
        ColorsChanged();
        FDisplay->InvalidateRefresh();
    });
}

TKvDisplayToolBar::TKvDisplayToolBar(TKvDataDisplay* ADisplay) : TKvBasicDisplayToolBar(ADisplay) {}

TKvDisplayToolBar::~TKvDisplayToolBar() = default;
