#include "foundation/KvOptionalLabel.h"

TKvBasicOptionalLabel::TKvBasicOptionalLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                             TNotifyEvent AOnChange)
    : THxPersistentNotify(AOwnerProperty, ALock, std::move(AOnChange)),
      FFont(MakeOwned<TKvDisplayFont>()) {
    FFont->SetName(QStringLiteral("Arial"));
    FFont->SetUniSize(8);
    FFont->SetColor(clWhite);
    FFont->OnChange = [this] { LockChanged(); };
}

TKvBasicOptionalLabel::~TKvBasicOptionalLabel() = default;

void TKvBasicOptionalLabel::SetFont(TKvDisplayFont* AValue) {
    const TJwLockSectionPtr Section = FLock->WriteLock();
    if (!JwHolds(Section))
        return;
    FFont->Assign(AValue);
    LockChanged();
}

bool TKvBasicOptionalLabel::GetVisible() const {
    return FLock->Getter(FVisible);
}

void TKvBasicOptionalLabel::SetVisible(bool AValue) {
    FLock->Setter(FVisible, AValue, nullptr);
}

TKvOptionalLabel::TKvOptionalLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                   TNotifyEvent AOnChange)
    : TKvBasicOptionalLabel(AOwnerProperty, ALock, std::move(AOnChange)) {}

TKvOptionalLabel::~TKvOptionalLabel() = default;

QString TKvOptionalLabel::GetText() const {
    return FLock->Getter(FText);
}

void TKvOptionalLabel::SetText(const QString& AValue) {
    FLock->Setter(FText, AValue, nullptr);
}
