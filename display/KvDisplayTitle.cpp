#include "display/KvDisplayTitle.h"

#include "display/KvDataDisplay.h"
#include "foundation/HxCanvas.h"

#include <algorithm>
#include <climits>
#include <utility>

TKvDisplayTitle::TKvDisplayTitle(TKvDataDisplay* ADisplay)
    : TKvOptionalView(ADisplay, vaTop), FFont(MakeOwned<TKvDisplayFont>()) {
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetUniSize(16);
    FFont->SetStyle(TFont::fsBold);
    FFont->SetColor(clWhite);
    FFont->OnChange = [this] { DisplayInvalidateLayout(); };
}

TKvDisplayTitle::~TKvDisplayTitle() = default;

void TKvDisplayTitle::SetText(const QString& AValue) {
    FLock->Setter(FText, AValue, [this] { DisplayInvalidateLayout(); });
}

void TKvDisplayTitle::SetFont(TKvDisplayFont* AValue) {
    const TJwLockSectionPtr section = FLock->WriteLock();
    if (!JwHolds(section))
        return;
    // the font's own change notice lays the display out again
    FFont->Assign(AValue);
}

void TKvDisplayTitle::GetDefaultRect(TSize& ASize) const {
    int32_t height = 0;
    if (GetViewSize()->GetAutoSize()) {
        THxCanvas* canvas = FDisplay->GetBitmapCanvas();
        canvas->SetFromDisplayFont(FFont.get());
        height = canvas->TextHeight(QStringLiteral("Xg")) + 16;
    } else {
        height = static_cast<int32_t>(std::min<uint32_t>(GetViewSize()->GetSize(), INT32_MAX));
    }
    ASize = TSize{-1, height};
    const TKvViewAlign align = GetViewAlign();
    if (align == vaLeft || align == vaRight)
        std::swap(ASize.cx, ASize.cy);
}

void TKvDisplayTitle::Draw(TKvDisplayDrawPart, THxCanvas* ACanvas, bool, bool) {
    DrawBackground(ACanvas);
    ACanvas->SetFromDisplayFont(FFont.get());
    const QString text = GetText();
    const int32_t width = ACanvas->TextWidth(text);
    switch (GetViewAlign()) {
    case vaLeft:
        // turned to read upwards: the text runs up from the point given
        ACanvas->SetFontAngle(90);
        ACanvas->TextOut(FDrawRect.Left + TextMargin, (FDisplay->PlotHeight() + width) / 2, text);
        break;
    case vaRight:
        ACanvas->SetFontAngle(270);
        ACanvas->TextOut(FDrawRect.Right - TextMargin, (FDisplay->PlotHeight() - width) / 2, text);
        break;
    case vaTop:
    case vaBottom:
        ACanvas->TextOut((FDisplay->PlotWidth() - width) / 2, FDrawRect.Top + TextMargin, text);
        break;
    }
    ACanvas->SetFontAngle(0);
}
