#include "foundation/KvComponentCollection.h"

#include "platform/Exceptions.h"
#include "platform/PublishedProperties.h"

#include <algorithm>
#include <array>

class TKvComponentItems::TMemberWatch : public TComponent {
public:
    explicit TMemberWatch(TKvComponentItems* AList) : TComponent(nullptr), FList(AList) {}

protected:
    ~TMemberWatch() override = default;
    void Notification(TComponent* AComponent, TOperation AOperation) override {
        TComponent::Notification(AComponent, AOperation);
        FList->Notification(AComponent, AOperation);
    }

private:
    TKvComponentItems* const FList;
};

TKvComponentItemPtr KvComponentItem(TComponent* AComponent) {
    return TKvComponentItemPtr(dynamic_cast<IKvComponentItem*>(AComponent));
}

TKvComponentItems::TKvComponentItems(TComponent* AOwner, const THxLockPtr& ALock)
    : THxPersistent(AOwner, ALock), FOwner(AOwner), FWatch(new TMemberWatch(this)) {}

TKvComponentItems::~TKvComponentItems() {
    Clear(true);
}

void TKvComponentItems::Add(const TKvComponentItemPtr& AItem) {
    if (!AItem || IndexOf(AItem) >= 0)
        return;
    FList.push_back(AItem);
    if (TComponent* component = AItem->GetComponent())
        component->FreeNotification(FWatch.get());
    AItem->SetComponentList(this);
    AItem->SetOwnerComponent(FOwner);
    LockChanged();
}

int32_t TKvComponentItems::Remove(const TKvComponentItemPtr& AItem) {
    const int32_t index = IndexOf(AItem);
    if (index >= 0) {
        FList.erase(FList.begin() + index);
        if (TComponent* component = AItem->GetComponent())
            component->RemoveFreeNotification(FWatch.get());
        // An item left believing it is a member would point at this list
        // after it has gone.
        if (AItem->GetComponentList() == this)
            AItem->SetComponentList(nullptr);
    }
    LockChanged();
    return index;
}

void TKvComponentItems::RemoveComponent(TComponent* AComponent) {
    const int32_t index = IndexOfComponent(AComponent);
    if (index >= 0) {
        const TKvComponentItemPtr item = FList[static_cast<size_t>(index)];
        Remove(item);
        item->SetComponentList(nullptr);
    }
    LockChanged();
}

void TKvComponentItems::Exchange(int32_t AIndex1, int32_t AIndex2) {
    for (const int32_t index : {AIndex1, AIndex2})
        if (index < 0 || index >= Count())
            ListIndexError(index);
    std::swap(FList[static_cast<size_t>(AIndex1)], FList[static_cast<size_t>(AIndex2)]);
    LockChanged();
}

int32_t TKvComponentItems::IndexOf(const TKvComponentItemPtr& AItem) const {
    const auto it = std::find(FList.begin(), FList.end(), AItem);
    return it == FList.end() ? -1 : static_cast<int32_t>(it - FList.begin());
}

int32_t TKvComponentItems::IndexOfComponent(const TComponent* AComponent) const {
    if (!AComponent)
        return -1;
    const auto it = std::find_if(FList.begin(), FList.end(), [&](const TKvComponentItemPtr& AItem) {
        return AItem->GetComponent() == AComponent;
    });
    return it == FList.end() ? -1 : static_cast<int32_t>(it - FList.begin());
}

void TKvComponentItems::Get(int32_t AIndex, TKvComponentItemPtr& AItem) const {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    AItem = FList[static_cast<size_t>(AIndex)];
}

void TKvComponentItems::Clear(bool ADelete) {
    while (!FList.empty()) {
        // Taken out here first, so the loop ends whatever the item does.
        TKvComponentItemPtr item = FList.back();
        FList.pop_back();
        TComponent* const component = item->GetComponent();
        if (component)
            component->RemoveFreeNotification(FWatch.get());
        if (ADelete && component) {
            if (FOwner && FOwner->ComponentCount() > 0)
                FOwner->RemoveComponent(component);
            for (int32_t slot = 0; slot < KvRemovalHookCount; ++slot)
                if (const TKvRemoveComponentProc hook = GetKvRemovalHook(slot))
                    hook(FOwner, component);
        }
        item->SetComponentList(nullptr);
        item->SetOwnerComponent(nullptr);
        // Dropped before the component goes: the reference lives in it.
        item.reset();
        if (ADelete && component)
            TPersistent::Free(component);
    }
}

void TKvComponentItems::Notification(TComponent* AComponent, TOperation AOperation) {
    if (AOperation == TOperation::opRemove && IndexOfComponent(AComponent) >= 0)
        RemoveComponent(AComponent);
}

void TKvComponentItems::GetChildren(const TGetChildProc& AProc, TComponent* ARoot) const {
    // A copy: storing a member may not change the list, but a caller's
    // procedure might.
    const std::vector<TKvComponentItemPtr> members = FList;
    for (const TKvComponentItemPtr& item : members)
        if (TComponent* component = item->GetComponent(); component && component->Owner() == ARoot)
            AProc(component);
}

void TKvComponentItems::SetChildOrder(TComponent* AChild, int32_t AOrder) {
    if (const TKvComponentItemPtr item = KvComponentItem(AChild))
        item->SetIndex(AOrder);
}

TPropInfoList::TPropInfoList(const QObject* AInstance) : FInstance(AInstance) {
    if (AInstance)
        for (const QMetaProperty& prop : PublishedProperties(*AInstance->metaObject()))
            if (IsObjectProperty(prop))
                FList.push_back(prop);
    FCount = static_cast<int32_t>(FList.size());
}

const QMetaProperty& TPropInfoList::Items(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= FCount)
        ListIndexError(AIndex);
    return FList[static_cast<size_t>(AIndex)];
}

QObject* TPropInfoList::Value(int32_t AIndex) const {
    return Items(AIndex).read(FInstance).value<QObject*>();
}

bool KvFindPropertyOfClass(const QObject* AInstance, const QMetaObject& AClass, QObject*& AValue) {
    const TPropInfoList props(AInstance);
    for (int32_t i = 0; i < props.Count(); ++i) {
        const QMetaObject* cls = PropertyClass(props.Items(i));
        if (cls && cls->inherits(&AClass)) {
            AValue = props.Value(i);
            return true;
        }
    }
    return false;
}

bool KvFindPropertyNameOfValue(const QObject* AInstance, const QObject* AValue, QString& AName) {
    if (!AValue)
        return false;
    const TPropInfoList props(AInstance);
    for (int32_t i = 0; i < props.Count(); ++i)
        if (props.Value(i) == AValue) {
            AName = QString::fromLatin1(props.Items(i).name());
            return true;
        }
    return false;
}

bool KvFindPropertyByName(const QObject* AInstance, const QString& AName, QObject*& AValue) {
    const TPropInfoList props(AInstance);
    for (int32_t i = 0; i < props.Count(); ++i)
        if (AName.compare(QLatin1String(props.Items(i).name()), Qt::CaseInsensitive) == 0) {
            AValue = props.Value(i);
            return true;
        }
    return false;
}

namespace {

std::array<TKvRemoveComponentProc, KvRemovalHookCount>& RemovalHooks() {
    static std::array<TKvRemoveComponentProc, KvRemovalHookCount> hooks{};
    return hooks;
}

void CheckHookSlot(int32_t ASlot) {
    if (ASlot < 0 || ASlot >= KvRemovalHookCount)
        ListIndexError(ASlot);
}

} // namespace

void SetKvRemovalHook(int32_t ASlot, TKvRemoveComponentProc AProc) {
    CheckHookSlot(ASlot);
    RemovalHooks()[static_cast<size_t>(ASlot)] = AProc;
}

TKvRemoveComponentProc GetKvRemovalHook(int32_t ASlot) {
    CheckHookSlot(ASlot);
    return RemovalHooks()[static_cast<size_t>(ASlot)];
}

TKvCollectionComponentClass::TKvCollectionComponentClass(
    const QMetaObject& AComponentCollectorClass)
    : FComponentCollectorClass(AComponentCollectorClass) {}

void TKvCollectionComponentClass::Add(const QString& AName, const QMetaObject& AClass) {
    const auto it = std::find(FClasses.begin(), FClasses.end(), &AClass);
    if (it != FClasses.end()) {
        FNames[it - FClasses.begin()] = AName;
        return;
    }
    FNames.append(AName);
    FClasses.push_back(&AClass);
}

const QString& TKvCollectionComponentClass::Names(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    return FNames[AIndex];
}

const QMetaObject& TKvCollectionComponentClass::Classes(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    return *FClasses[static_cast<size_t>(AIndex)];
}

TKvCollectionComponentClass&
TKvCollectionComponentClasses::ForCollector(const QMetaObject& ACollectorClass) {
    for (const auto& entry : FList)
        if (&entry->ComponentCollectorClass() == &ACollectorClass)
            return *entry;
    FList.push_back(std::make_unique<TKvCollectionComponentClass>(ACollectorClass));
    return *FList.back();
}

const TKvCollectionComponentClass*
TKvCollectionComponentClasses::Find(const QMetaObject& ACollectorClass) const {
    for (const auto& entry : FList)
        if (&entry->ComponentCollectorClass() == &ACollectorClass)
            return entry.get();
    return nullptr;
}

TKvCollectionComponentClasses& KvCollectionComponentClasses() {
    static TKvCollectionComponentClasses registry;
    return registry;
}
