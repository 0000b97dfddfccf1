#include "platform/Component.h"

#include "platform/Exceptions.h"
#include "platform/Filer.h"

#include <algorithm>

bool IsValidIdent(const QString& AName) {
    if (AName.isEmpty())
        return false;
    auto alpha = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
    };
    if (!alpha(AName[0]))
        return false;
    return std::all_of(AName.begin(), AName.end(),
                       [&](QChar c) { return alpha(c) || (c >= u'0' && c <= u'9'); });
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    Detach();
    DestroyComponents();
}

void TComponent::BeforeDestruction() {
    Destroying();
    Detach();
}

void TComponent::Detach() {
    // Runs while the object is still whole, so that those told can still
    // look at what is going away.
    while (!FFreeNotifies.empty()) {
        TComponent* other = FFreeNotifies.back();
        RemoveFreeNotification(other);
        other->Notification(this, TOperation::opRemove);
    }
    if (FOwner)
        FOwner->RemoveComponent(this);
}

void TComponent::Destroying() {
    if (FComponentState.testFlag(csDestroying))
        return;
    FComponentState |= csDestroying;
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        RemoveComponent(last);
        Free(last);
    }
}

TComponent* TComponent::Components(int AIndex) const {
    if (AIndex < 0 || AIndex >= ComponentCount())
        ListIndexError(AIndex);
    return FComponents[static_cast<size_t>(AIndex)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    const auto& list = FOwner->FComponents;
    return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

TComponent* TComponent::FindComponent(const QString& AName) const {
    if (AName.isEmpty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->FName.compare(AName, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent->FOwner == this)
        return;
    ValidateRename(AComponent, QString(), AComponent->FName);
    if (AComponent->FOwner)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    auto it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it == FComponents.end())
        return;
    Notification(AComponent, TOperation::opRemove);
    // Notification may have changed the list.
    it = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (it != FComponents.end())
        FComponents.erase(it);
    AComponent->FOwner = nullptr;
}

void TComponent::SetName(const QString& AName) {
    if (FName == AName)
        return;
    if (!AName.isEmpty() && !IsValidIdent(AName))
        throw EComponentError(QStringLiteral("'%1' is not a valid component name").arg(AName));
    if (FOwner)
        FOwner->ValidateRename(this, FName, AName);
    else
        ValidateRename(nullptr, FName, AName);
    FName = AName;
    setObjectName(AName);
}

void TComponent::ValidateRename(TComponent* AComponent, const QString& ACurName,
                                const QString& ANewName) {
    if (AComponent && ANewName.isEmpty())
        return;
    if (ACurName.compare(ANewName, Qt::CaseInsensitive) == 0)
        return;
    TComponent* other = FindComponent(ANewName);
    if (other && other != AComponent)
        throw EComponentError(QStringLiteral("A component named %1 already exists").arg(ANewName));
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
        FFreeNotifies.push_back(AComponent);
    if (std::find(AComponent->FFreeNotifies.begin(), AComponent->FFreeNotifies.end(), this) ==
        AComponent->FFreeNotifies.end())
        AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    std::erase(FFreeNotifies, AComponent);
    std::erase(AComponent->FFreeNotifies, this);
}

void TComponent::Notification(TComponent* AComponent, TOperation AOperation) {
    if (AOperation == TOperation::opRemove && AComponent)
        RemoveFreeNotification(AComponent);
    // Copy: a component told may free others of the list.
    const std::vector<TComponent*> owned = FComponents;
    for (TComponent* c : owned)
        if (std::find(FComponents.begin(), FComponents.end(), c) != FComponents.end())
            c->Notification(AComponent, AOperation);
}

void TComponent::GetChildren(const TGetChildProc& AProc, TComponent* ARoot) {
    if (ARoot != this)
        return;
    for (TComponent* c : FComponents)
        if (!c->HasParent())
            AProc(c);
}

bool TComponent::HasParent() const {
    return false;
}

TComponent* TComponent::GetParentComponent() const {
    return nullptr;
}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::SetChildOrder(TComponent* AChild, int AOrder) {
    if (!AChild || AChild->FOwner != this || AChild->HasParent())
        return;
    // The stored children keep their slots in the owned list; only their
    // order among themselves changes.
    std::vector<TComponent*> stored;
    for (TComponent* c : FComponents)
        if (c != AChild && !c->HasParent())
            stored.push_back(c);
    const auto place = static_cast<size_t>(std::clamp(AOrder, 0, static_cast<int>(stored.size())));
    stored.insert(stored.begin() + static_cast<std::ptrdiff_t>(place), AChild);
    auto next = stored.begin();
    for (TComponent*& c : FComponents)
        if (c == AChild || !c->HasParent())
            c = *next++;
}

TComponent* TComponent::GetChildOwner() {
    return nullptr;
}

TComponent* TComponent::GetChildParent() {
    return this;
}

void TComponent::ReadState(TReader& AReader) {
    AReader.ReadData(this);
}

void TComponent::Loaded() {
    FComponentState &= ~TComponentState(csLoading);
}

QString TComponent::GetNamePath() const {
    return FName;
}

void TComponent::SetLoading(bool AValue) {
    FComponentState.setFlag(csLoading, AValue);
}

void TComponent::SetReading(bool AValue) {
    FComponentState.setFlag(csReading, AValue);
}

void TComponent::SetWriting(bool AValue) {
    FComponentState.setFlag(csWriting, AValue);
}

void TComponent::SetInline(bool AValue) {
    FComponentState.setFlag(csInline, AValue);
}

void TComponent::SetAncestor(bool AValue) {
    FComponentState.setFlag(csAncestor, AValue);
}
