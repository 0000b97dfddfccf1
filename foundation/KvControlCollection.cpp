#include "foundation/KvControlCollection.h"

#include "platform/Filer.h"
#include "platform/Forms.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace {

TForm* GParkingForm = nullptr;

void FreeParkingForm() {
    TForm* const form = std::exchange(GParkingForm, nullptr);
    if (!form)
        return;
    // Parked members belong to their owners, not to this form.
    while (form->ControlCount() > 0)
        form->Controls(form->ControlCount() - 1)->TControl::SetParent(nullptr);
    TPersistent::Free(form);
}

const bool GRemovalHookInstalled = (SetKvRemovalHook(0, KvUnparkComponent), true);

} // namespace

TForm* KvParkingForm() {
    if (!GParkingForm) {
        GParkingForm = new TForm(nullptr);
        qAddPostRoutine(FreeParkingForm);
    }
    return GParkingForm;
}

void KvUnparkComponent(TComponent* AOwner, TComponent* AComponent) {
    auto* control = qobject_cast<TControl*>(AComponent);
    if (!control)
        return;
    if (GParkingForm && GParkingForm->ControlCount() > 0 && control->Parent() == GParkingForm)
        control->TControl::SetParent(nullptr);
    auto* owner = qobject_cast<TControl*>(AOwner);
    if (owner && owner->ControlCount() > 0 && control->Parent() == owner)
        control->TControl::SetParent(nullptr);
}

THxComponentElements::THxComponentElements(TComponent* AOwner, const THxLockPtr& ALock,
                                           THxPropUpdateFunc AOnInvalidate,
                                           THxElementsSelectionChangeFunc AOnSelectionChange)
    : TKvComponentItems(AOwner, ALock), FOnInvalidate(std::move(AOnInvalidate)),
      FOnSelectionChange(std::move(AOnSelectionChange)) {}

void THxComponentElements::LockChanged() {
    InvalidateOwner();
}

void THxComponentElements::InvalidateOwner() {
    if (FOnInvalidate)
        FOnInvalidate();
}

void THxComponentElements::SelectionChange(const THxComponentElementPtr& ASelected) {
    if (FOnSelectionChange)
        FOnSelectionChange(ASelected);
}

void THxComponentElements::Get(int32_t AIndex, THxComponentElementPtr& AElement) const {
    TKvComponentItemPtr item;
    TKvComponentItems::Get(AIndex, item);
    Supports(item, AElement);
}

TKvCustomControlItem::TKvCustomControlItem(TComponent* AOwner) : THxCustomControl(AOwner) {}

TKvCustomControlItem::~TKvCustomControlItem() = default;

void* TKvCustomControlItem::QueryInterface(const TGUID& AIID) noexcept {
    auto* item = static_cast<IKvComponentItem*>(this);
    if (AIID == IKvComponentItem::IID)
        return item;
    if (AIID == IJwOwnedComponent::IID)
        return static_cast<IJwOwnedComponent*>(item);
    if (AIID == IInterface::IID)
        return static_cast<IInterface*>(item);
    return nullptr;
}

void TKvCustomControlItem::BeforeDestruction() {
    if (TKvComponentItems* const list = FOwnerList) {
        const THxLockPtr lock = list->Lock();
        const TJwLockSectionPtr stop = lock->StopLock();
        FOwnerList = nullptr;
        list->Remove(TKvComponentItemPtr(this));
    }
    THxCustomControl::BeforeDestruction();
}

TPersistent* TKvCustomControlItem::GetOwnerList() {
    return FOwnerList;
}

int32_t TKvCustomControlItem::GetIndex() {
    return FOwnerList ? FOwnerList->IndexOf(TKvComponentItemPtr(this)) : -1;
}

void TKvCustomControlItem::SetComponentList(TKvComponentItems* AValue) {
    if (AValue == FOwnerList)
        return;
    const TKvComponentItemPtr self(this);
    if (TKvComponentItems* const old = std::exchange(FOwnerList, nullptr))
        old->Remove(self);
    FOwnerList = AValue;
    if (AValue) {
        AValue->Add(self);
        FOwnerComponent = AValue->Owner();
        TControl::SetParent(KvParkingForm());
    } else {
        // A member that leaves its list is a free control again.
        FOwnerComponent = nullptr;
        if (IsHostedItem())
            TControl::SetParent(nullptr);
    }
}

void TKvCustomControlItem::SetOwnerComponent(TComponent* AComponent) {
    FOwnerComponent = AComponent;
}

void TKvCustomControlItem::SetIndex(int32_t AValue) {
    if (!FOwnerList || FOwnerList->Count() == 0)
        return;
    AValue = std::clamp(AValue, 0, FOwnerList->Count() - 1);
    const int32_t current = GetIndex();
    if (current >= 0 && AValue != current)
        FOwnerList->Exchange(current, AValue);
}

bool TKvCustomControlItem::GetHasEnable() {
    return true;
}

bool TKvCustomControlItem::GetCanDisable() {
    return true;
}

bool TKvCustomControlItem::GetItemVisible() {
    return Visible();
}

void TKvCustomControlItem::SetItemVisible(bool AValue) {
    SetVisible(AValue);
}

const QMetaObject& TKvCustomControlItem::ComponentListClass() const {
    return TKvComponentItems::staticMetaObject;
}

void TKvCustomControlItem::SetParent(TControl* AParent) {
    TControl::SetParent(FOwnerList ? KvParkingForm() : AParent);
}

bool TKvCustomControlItem::HasParent() const {
    return FOwnerList ? true : THxCustomControl::HasParent();
}

TComponent* TKvCustomControlItem::GetParentComponent() const {
    return FOwnerList ? FOwnerList->Owner() : THxCustomControl::GetParentComponent();
}

void TKvCustomControlItem::SetParentComponent(TComponent* AValue) {
    THxCustomControl::SetParentComponent(AValue);
    if (ComponentState().testFlag(csLoading) || !AValue)
        return;
    JoinList(AValue);
}

void TKvCustomControlItem::JoinList(QObject* AHolder) {
    QObject* list = nullptr;
    if (KvFindPropertyOfClass(AHolder, ComponentListClass(), list))
        if (auto* items = qobject_cast<TKvComponentItems*>(list))
            SetComponentList(items);
}

void TKvCustomControlItem::ReadState(TReader& AReader) {
    THxCustomControl::ReadState(AReader);
    TComponent* const parent = AReader.Parent();
    if (parent && parent->ClassName() == QLatin1String("TQmGlassPanel"))
        JoinList(parent);
}

void TKvCustomControlItem::DefineProperties(TFiler& AFiler) {
    THxCustomControl::DefineProperties(AFiler);
    QString name;
    const bool hasData =
        FOwnerList && KvFindPropertyNameOfValue(FOwnerList->Owner(), FOwnerList, name);
    AFiler.DefineProperty(
        QStringLiteral("_OwnerCollection"),
        [this](TReader& AReader) { ReadOwnerCollection(AReader); },
        [name](TWriter& AWriter) { AWriter.WriteIdent(name); }, hasData);
}

void TKvCustomControlItem::ReadOwnerCollection(TReader& AReader) {
    const QString name = AReader.ReadIdent();
    TComponent* const parent = AReader.Parent();
    if (!parent || parent == this)
        return;
    QObject* list = nullptr;
    if (!KvFindPropertyByName(parent, name, list))
        return;
    auto* items = qobject_cast<TKvComponentItems*>(list);
    if (items && items->metaObject()->inherits(&ComponentListClass()))
        SetComponentList(items);
}

bool TKvCustomControlItem::IsHostedItem() const {
    return GParkingForm && Parent() == GParkingForm;
}
