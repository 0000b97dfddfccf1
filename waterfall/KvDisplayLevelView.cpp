#include "waterfall/KvDisplayLevelView.h"

TKvLevelDisplayLabel::TKvLevelDisplayLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                           TNotifyEvent AOnChange)
    : TKvDisplayLabel(AOwnerProperty, ALock, std::move(AOnChange)) {
    SetText(QStringLiteral("Levels"));
    GetFont()->SetUniSize(10);
    GetFont()->SetStyle(GetFont()->Style() | TFont::fsBold);
}

TKvLevelDisplayLabel::~TKvLevelDisplayLabel() = default;

TKvAxisDisplayLevelView::TKvAxisDisplayLevelView(TKvDataDisplay* ADisplay, TKvLevelFunc AMinFunc,
                                                 TKvLevelFunc AMaxFunc,
                                                 TKvGetValueAtFunc AGetValueAtFunc)
    : TKvBasicLevelDisplayLevelView(ADisplay, std::move(AMinFunc), std::move(AMaxFunc),
                                    std::move(AGetValueAtFunc)),
      FAxis(MakeOwned<TKvLevelAxis>(this, [this](TPersistent*) { ViewChanged(); })) {}

TKvAxisDisplayLevelView::~TKvAxisDisplayLevelView() = default;

void TKvAxisDisplayLevelView::SetAxis(TKvLevelAxis* AValue) {
    FAxis->Assign(AValue);
}

QString TKvAxisDisplayLevelView::LevelTickText(double AValue) {
    const TKvLevelRange range = LevelRange();
    return FAxis->CustomTickText(this, range.Min(), range.Max(), AValue);
}

TKvDisplayLevelView::TKvDisplayLevelView(TKvDataDisplay* ADisplay, TKvLevelFunc AMinFunc,
                                         TKvLevelFunc AMaxFunc, TKvGetValueAtFunc AGetValueAtFunc)
    : TKvAxisDisplayLevelView(ADisplay, std::move(AMinFunc), std::move(AMaxFunc),
                              std::move(AGetValueAtFunc)),
      FLabel(
          MakeOwned<TKvLevelDisplayLabel>(this, Lock(), [this](TPersistent*) { ViewChanged(); })) {
    FLevelLabel = FLabel.get();
}

TKvDisplayLevelView::~TKvDisplayLevelView() {
    FLevelLabel = nullptr;
}

void TKvDisplayLevelView::SetLevelLabel(TKvLevelDisplayLabel* AValue) {
    FLabel->Assign(AValue);
}

TKvWaterfallDisplayLevelView::TKvWaterfallDisplayLevelView(TKvDataDisplay* ADisplay,
                                                           TKvLevelFunc AMinFunc,
                                                           TKvLevelFunc AMaxFunc,
                                                           TKvGetValueAtFunc AGetValueAtFunc)
    : TKvDisplayLevelView(ADisplay, std::move(AMinFunc), std::move(AMaxFunc),
                          std::move(AGetValueAtFunc)),
      FButton(MakeOwned<TKvViewButtonSettings>(
          this, [this](TPersistent*) { DisplayInvalidateRefresh(); })) {}

TKvWaterfallDisplayLevelView::~TKvWaterfallDisplayLevelView() = default;

void TKvWaterfallDisplayLevelView::SetButton(TKvViewButtonSettings* AValue) {
    FButton->Assign(AValue);
}

bool TKvWaterfallDisplayLevelView::GetButtonEnabled() const {
    return FButton->GetEnabled();
}

TCursor TKvWaterfallDisplayLevelView::GetButtonCursor() const {
    return FButton->GetCursor();
}

void TKvWaterfallDisplayLevelView::GetButtonColors(TColor& AOverBorder, TColor& AOver,
                                                   TColor& ADownBorder, TColor& ADown) const {
    AOverBorder = FButton->GetMouseOverBorderColor();
    AOver = FButton->GetMouseOverColor();
    ADownBorder = FButton->GetMouseDownBorderColor();
    ADown = FButton->GetMouseDownColor();
}

void TKvWaterfallDisplayLevelView::ButtonClick(bool& Handled) {
    if (FButton->OnClick)
        FButton->OnClick(this, Handled);
}
