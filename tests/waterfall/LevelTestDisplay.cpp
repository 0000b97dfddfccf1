#include "LevelTestDisplay.h"

#include "foundation/HxCanvas.h"

TLevelTestDisplay::TLevelTestDisplay(TComponent* AOwner)
    : TPlainTestDisplay(AOwner), FLevels(MakeOwned<TKvWaterfallDisplayLevelView>(
                                     this, [this] { return Min; }, [this] { return Max; },
                                     [this](int32_t X, int32_t Y) { return ValueAt(X, Y); })),
      FDataView(MakeOwned<TFillDataView>(this)) {
    SetColor(clBlack);
}

TLevelTestDisplay::~TLevelTestDisplay() {
    FDataView.reset();
    FLevels.reset();
}

TColor TLevelTestDisplay::ColorAt(const TGmBasicBitmap& ABitmap, int32_t X, int32_t Y) {
    const uint8_t* p = ABitmap.DataPtr() + Y * ABitmap.RowStride() + X * 4;
    return RGBColor(p[2], p[1], p[0]);
}

void TLevelTestDisplay::DrawDisplay(TGmBasicBitmap&, THxCanvas& ACanvas, bool APrinting,
                                    const QRegion&, const TRect& ARect) {
    CalculateLayout();
    ClearNeedsRecalc();
    ACanvas.GetBrush().SetStyle(lbsSolid);
    ACanvas.GetBrush().SetColor(clBlack);
    ACanvas.FillRect(ARect);
    FLevels->Draw(ddpBackground, &ACanvas, false, APrinting);
}
