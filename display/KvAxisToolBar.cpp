#include "display/KvAxisToolBar.h"

#include "display/KvDataDisplay.h"
#include "display/KvDisplayAxis.h"

TKvAxisToolBarButtons::TKvAxisToolBarButtons(THxPersistent* AOwner, TKvDataDisplay* ADisplay)
    : TKvDisplayPersistent(AOwner, ADisplay),
      FZoomIn(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomOut(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomOff(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)),
      FZoomOneDir(MakeOwned<TKvDisplayToolBarButton>(this, ADisplay)) {}

TKvAxisToolBarButtons::~TKvAxisToolBarButtons() = default;

TKvAxisToolBar::TKvAxisToolBar(TKvDataDisplay* ADisplay, TKvDisplayAxis* AAxis)
    : TKvBasicDisplayToolBar(ADisplay), FAxis(AAxis),
      FButtons(MakeOwned<TKvAxisToolBarButtons>(this, ADisplay)) {
    TKvAxisToolBarButtons& b = *FButtons;
    FZoomInButton = AddButton(biZoomIn, b.GetZoomIn(), [AAxis] { AAxis->ToolBarZoomIn(); });
    FZoomOutButton = AddButton(biZoomOut, b.GetZoomOut(), [AAxis] { AAxis->ToolBarZoomOut(); });
    FZoomOffButton = AddButton(biZoomOff, b.GetZoomOff(), [AAxis] { AAxis->ToolBarZoomOff(); });
    FZoomOneDirButton = AddButton(biHorizontalArrows, b.GetZoomOneDir(),
                                  [this] { FDisplay->GetZooming()->SetMode(OneDirMode()); });
}

TKvAxisToolBar::~TKvAxisToolBar() {
    FButtonList.Clear();
}

TKvDisplayZoomMode TKvAxisToolBar::OneDirMode() const {
    return FAxis->IsYAxis() ? zmYAxis : zmXAxis;
}

bool TKvAxisToolBar::IsVisible() const {
    return GetVisible() && FAxis->IsVisible();
}

void TKvAxisToolBar::UpdateButtons() {
    FZoomInButton->FEnabled = FAxis->GetCanZoomIn();
    FZoomOutButton->FEnabled = FAxis->GetCanZoomOut();
    FZoomOffButton->FEnabled = FAxis->GetZoomed();
    FZoomOneDirButton->FImageIndex =
        FAxis->IsVerticalDirection() ? biVerticalArrows : biHorizontalArrows;
    FZoomOneDirButton->FEnabled = FDisplay->GetZooming()->GetMode() != OneDirMode();
}

int32_t TKvAxisToolBar::GetToolLeft() const {
    return FAxis
        ->ToolBarPosition(TKvDisplayButtonImages::ImageSize, TKvDisplayButtonImages::ImageSize)
        .X;
}

int32_t TKvAxisToolBar::GetToolTop() const {
    return FAxis
        ->ToolBarPosition(TKvDisplayButtonImages::ImageSize, TKvDisplayButtonImages::ImageSize)
        .Y;
}

int32_t TKvAxisToolBar::GetRowCount() const {
    return FAxis->IsVerticalDirection() ? 4 : 1;
}
