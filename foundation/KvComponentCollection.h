#pragma once
// Lists of member components that a control draws and manages itself. The
// members are real components (named, stored as components of the form,
// possibly controls) but not windows of their own. Membership stays
// consistent from both sides: the list's Add tells the item, the item's
// SetComponentList calls Add; each side returns at once when the state is
// already as asked, so the pair never recurses further.

#include "foundation/HxPersistent.h"
#include "platform/Component.h"
#include "platform/Interfaces.h"

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TKvComponentItems;

// A component that knows the list it belongs to.
class IJwOwnedComponent : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{26204375-2E95-4CDE-9D24-95E73E0390A1}");

    virtual TPersistent* GetOwnerList() = 0;
    virtual int32_t GetIndex() = 0;

protected:
    ~IJwOwnedComponent() = default;
};

// A member of a TKvComponentItems list. Members realise it through their
// component: references do not count, the component's owner frees it.
class IKvComponentItem : public IJwOwnedComponent {
public:
    using Parent = IJwOwnedComponent;
    static constexpr TGUID IID = TGUID::Parse("{08C4BC2F-F721-4E47-9391-C5510E1DE17B}");

    virtual void SetComponentList(TKvComponentItems* AList) = 0;
    virtual TKvComponentItems* GetComponentList() = 0;
    virtual void SetOwnerComponent(TComponent* AComponent) = 0;
    virtual TComponent* GetOwnerComponent() = 0;
    virtual TComponent* GetComponent() = 0;
    virtual void SetIndex(int32_t AIndex) = 0;
    virtual bool GetHasEnable() = 0;
    virtual bool GetCanDisable() = 0;
    virtual bool GetItemVisible() = 0;
    virtual void SetItemVisible(bool AValue) = 0;

protected:
    ~IKvComponentItem() = default;
};

using TKvComponentItemPtr = TIntfPtr<IKvComponentItem>;

// The item interface of a component, or null when it has none.
TKvComponentItemPtr KvComponentItem(TComponent* AComponent);

class TKvComponentItems : public THxPersistent {
    Q_OBJECT
public:
    TKvComponentItems(TComponent* AOwner, const THxLockPtr& ALock);

    TComponent* Owner() const { return FOwner; }

    // Appends AItem (taking it out of any other list) and tells it.
    void Add(const TKvComponentItemPtr& AItem);
    // The former index, or -1 when AItem was not a member. The item is told
    // that it left.
    int32_t Remove(const TKvComponentItemPtr& AItem);
    // Removes the member AComponent and tells it that it left.
    void RemoveComponent(TComponent* AComponent);
    // Raises EListError for an index outside 0..Count-1.
    void Exchange(int32_t AIndex1, int32_t AIndex2);
    int32_t IndexOf(const TKvComponentItemPtr& AItem) const;
    int32_t IndexOfComponent(const TComponent* AComponent) const;
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }
    // Raises EListError for an index outside 0..Count-1.
    void Get(int32_t AIndex, TKvComponentItemPtr& AItem) const;
    // Takes the members out, last first. With ADelete the member components
    // are also taken from the owner, reported to the removal hooks and freed;
    // without it they live on, outside any list and with no owner component.
    void Clear(bool ADelete);

    // A member being freed leaves the list.
    void Notification(TComponent* AComponent, TOperation AOperation);
    // The members owned by ARoot, in list order (for storing them with the form).
    void GetChildren(const TGetChildProc& AProc, TComponent* ARoot) const;
    void SetChildOrder(TComponent* AChild, int32_t AOrder);

protected:
    ~TKvComponentItems() override;

private:
    class TMemberWatch;

    TComponent* const FOwner;
    std::vector<TKvComponentItemPtr> FList;
    // Told when a member is freed by other code.
    TOwned<TMemberWatch> FWatch;
};

// The published properties of object type of one instance.
class TPropInfoList {
public:
    explicit TPropInfoList(const QObject* AInstance);

    int32_t Count() const { return FCount; }
    const QMetaProperty& Items(int32_t AIndex) const;
    // The object a property holds, or null.
    QObject* Value(int32_t AIndex) const;

private:
    const QObject* FInstance;
    std::vector<QMetaProperty> FList;
    int32_t FCount;
};

// Property lookups over the published properties of object type of AInstance.
// Each answers whether it found something.
// The value of the first property whose declared class inherits AClass.
bool KvFindPropertyOfClass(const QObject* AInstance, const QMetaObject& AClass, QObject*& AValue);
// The name of the property that holds AValue.
bool KvFindPropertyNameOfValue(const QObject* AInstance, const QObject* AValue, QString& AName);
// The value of the property named AName.
bool KvFindPropertyByName(const QObject* AInstance, const QString& AName, QObject*& AValue);

// Removal hooks: two process-wide slots called in order with (owner,
// component) when Clear(true) takes a member out before freeing it.
using TKvRemoveComponentProc = void (*)(TComponent* AOwner, TComponent* AComponent);
constexpr int32_t KvRemovalHookCount = 2;
void SetKvRemovalHook(int32_t ASlot, TKvRemoveComponentProc AProc);
TKvRemoveComponentProc GetKvRemovalHook(int32_t ASlot);

// Member classes a collector class offers, with their display names.
class TKvCollectionComponentClass {
public:
    explicit TKvCollectionComponentClass(const QMetaObject& AComponentCollectorClass);

    const QMetaObject& ComponentCollectorClass() const { return FComponentCollectorClass; }
    // Registering a class again replaces its display name.
    void Add(const QString& AName, const QMetaObject& AClass);
    int32_t Count() const { return static_cast<int32_t>(FClasses.size()); }
    const QString& Names(int32_t AIndex) const;
    const QMetaObject& Classes(int32_t AIndex) const;

private:
    const QMetaObject& FComponentCollectorClass;
    QStringList FNames;
    std::vector<const QMetaObject*> FClasses;
};

class TKvCollectionComponentClasses {
public:
    // The entry of that collector class, made on first use.
    TKvCollectionComponentClass& ForCollector(const QMetaObject& ACollectorClass);
    // The entry of that collector class, or null.
    const TKvCollectionComponentClass* Find(const QMetaObject& ACollectorClass) const;
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }

private:
    std::vector<std::unique_ptr<TKvCollectionComponentClass>> FList;
};

// The process-wide registry; it lives until the program ends.
TKvCollectionComponentClasses& KvCollectionComponentClasses();
