#pragma once
// Controls that can be members of another component's item list. A member
// is not shown as a window of its own: it is parked on a hidden form (so it
// still has a window and a canvas) and drawn by the list's owner.

#include "foundation/HxControl.h"
#include "foundation/KvComponentCollection.h"

#include <functional>

class TForm;

// The element type of THxComponentElements.
class IHxComponentElement : public virtual IKvComponentItem {
public:
    using Parent = IKvComponentItem;
    static constexpr TGUID IID = TGUID::Parse("{03BE236C-39CC-428A-BE90-133A91E2936B}");

    virtual void SetSelected(bool AValue) = 0;

protected:
    ~IHxComponentElement() = default;
};

using THxComponentElementPtr = TIntfPtr<IHxComponentElement>;
using THxElementsSelectionChangeFunc = std::function<void(const THxComponentElementPtr& ASelected)>;

// The element list of a data display: every change invalidates the owner.
class THxComponentElements : public TKvComponentItems {
    Q_OBJECT
public:
    THxComponentElements(TComponent* AOwner, const THxLockPtr& ALock,
                         THxPropUpdateFunc AOnInvalidate,
                         THxElementsSelectionChangeFunc AOnSelectionChange);

    void LockChanged() override;
    void InvalidateOwner();
    void SelectionChange(const THxComponentElementPtr& ASelected);
    using TKvComponentItems::Get;
    // The member at AIndex as an element, or null when it is not one.
    // Raises EListError for an index outside 0..Count-1.
    void Get(int32_t AIndex, THxComponentElementPtr& AElement) const;

protected:
    ~THxComponentElements() override = default;

private:
    THxPropUpdateFunc FOnInvalidate;
    THxElementsSelectionChangeFunc FOnSelectionChange;
};

class TKvCustomControlItem : public THxCustomControl, public virtual IKvComponentItem {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TKvCustomControlItem(TComponent* AOwner);

    // The parent control, not the interface's parent type.
    using TControl::Parent;

    // References to a member do not count: its owner frees it.
    void AddRef() noexcept override {}
    void Release() noexcept override {}
    void* QueryInterface(const TGUID& AIID) noexcept override;

    // IKvComponentItem
    TPersistent* GetOwnerList() override;
    int32_t GetIndex() override;
    void SetComponentList(TKvComponentItems* AValue) override;
    TKvComponentItems* GetComponentList() override { return FOwnerList; }
    void SetOwnerComponent(TComponent* AComponent) override;
    TComponent* GetOwnerComponent() override { return FOwnerComponent; }
    TComponent* GetComponent() override { return this; }
    // Clamped to the list; ignored outside a list.
    void SetIndex(int32_t AValue) override;
    bool GetHasEnable() override;
    bool GetCanDisable() override;
    bool GetItemVisible() override;
    void SetItemVisible(bool AValue) override;

    // The list class this item can join.
    virtual const QMetaObject& ComponentListClass() const;

    // In a list, the parent is always the parking form.
    void SetParent(TControl* AParent) override;
    bool HasParent() const override;
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* AValue) override;
    void ReadState(TReader& AReader) override;
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TKvCustomControlItem() override;
    void BeforeDestruction() override;
    bool IsHostedItem() const override;

private:
    // Joins the list held by AHolder's first property of the list class.
    void JoinList(QObject* AHolder);
    void ReadOwnerCollection(TReader& AReader);

    TKvComponentItems* FOwnerList = nullptr;
    TComponent* FOwnerComponent = nullptr;
};

// The invisible form that parks list members; made on first use, freed
// when the application object goes.
TForm* KvParkingForm();
// Takes AComponent out of the parking form's children (when it has any),
// as a list does when its owner removes the component.
void KvUnparkComponent(TComponent* AOwner, TComponent* AComponent);
