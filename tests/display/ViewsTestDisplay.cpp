#include "ViewsTestDisplay.h"

TViewsTestDisplay::TViewsTestDisplay(TComponent* AOwner) : TTestDisplay(AOwner) {}

TViewsTestDisplay::~TViewsTestDisplay() = default;

void TViewsTestDisplay::InvalidateLayout() {
    ++LayoutRequests;
    TTestDisplay::InvalidateLayout();
}

void TViewsTestDisplay::Settle() {
    Widget()->grab();
}

void TViewsTestDisplay::ShowProperties(int32_t APage, int32_t AItem) {
    PropertiesRequests.push_back({APage, AItem});
}

void TViewsTestDisplay::DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                                    const QRegion& AClipRegion, const TRect& ARect) {
    TTestDisplay::DrawDisplay(ABitmap, ACanvas, APrinting, AClipRegion, ARect);
    for (int32_t i = 0; i < Views().Count(); ++i) {
        TKvDisplayView* view = Views()[i];
        if (!qobject_cast<TTestView*>(view) && view->IsVisible())
            view->Draw(ddpFeatures, &ACanvas, false, APrinting);
    }
}

TTitledTestDisplay::TTitledTestDisplay(TComponent* AOwner)
    : TViewsTestDisplay(AOwner), FTitle(MakeOwned<TKvDisplayTitle>(this)),
      FLegend(MakeOwned<TKvLegendView>(this)) {
    FData = AddView("data", KvDataViewAlign, 0, clBlue);
}

TTitledTestDisplay::~TTitledTestDisplay() {
    FLegend.reset();
    FTitle.reset();
}

TSizedTestView::TSizedTestView(TKvDataDisplay* ADisplay, TKvViewAlign AAlign)
    : TKvOptionalView(ADisplay, AAlign) {}

TSizedTestView::~TSizedTestView() = default;

void TSizedTestView::GetDefaultRect(TSize& ASize) const {
    const auto size = static_cast<int32_t>(GetViewSize()->GetSize());
    ASize =
        (GetViewAlign() == vaTop || GetViewAlign() == vaBottom) ? TSize{-1, size} : TSize{size, -1};
}

void TSizedTestView::Draw(TKvDisplayDrawPart, THxCanvas* ACanvas, bool, bool) {
    DrawBackground(ACanvas);
}
