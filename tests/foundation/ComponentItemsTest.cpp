// Member lists: membership kept from both sides, clearing, members freed by
// other code, storing order and the property lookups.

#include "DrawLayersTestHost.h"

#include "foundation/KvComponentCollection.h"
#include "foundation/KvControlCollection.h"
#include "platform/Exceptions.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace {

// A member that is a plain component: it relies on the list alone to notice
// that it has gone.
class TPlainMember : public TComponent, public IKvComponentItem {
public:
    explicit TPlainMember(TComponent* AOwner) : TComponent(AOwner) {}

    void AddRef() noexcept override {}
    void Release() noexcept override {}
    void* QueryInterface(const TGUID& AIID) noexcept override {
        return AIID == IKvComponentItem::IID ? static_cast<IKvComponentItem*>(this) : nullptr;
    }
    TPersistent* GetOwnerList() override { return FList; }
    int32_t GetIndex() override { return FList ? FList->IndexOf(TKvComponentItemPtr(this)) : -1; }
    void SetComponentList(TKvComponentItems* AList) override {
        if (AList == FList)
            return;
        if (TKvComponentItems* old = std::exchange(FList, nullptr))
            old->Remove(TKvComponentItemPtr(this));
        FList = AList;
        if (AList)
            AList->Add(TKvComponentItemPtr(this));
    }
    TKvComponentItems* GetComponentList() override { return FList; }
    void SetOwnerComponent(TComponent* AComponent) override { FOwnerComponent = AComponent; }
    TComponent* GetOwnerComponent() override { return FOwnerComponent; }
    TComponent* GetComponent() override { return this; }
    void SetIndex(int32_t) override {}
    bool GetHasEnable() override { return false; }
    bool GetCanDisable() override { return false; }
    bool GetItemVisible() override { return true; }
    void SetItemVisible(bool) override {}

protected:
    ~TPlainMember() override = default;

private:
    TKvComponentItems* FList = nullptr;
    TComponent* FOwnerComponent = nullptr;
};

TKvComponentItemPtr ItemOf(TComponent* AComponent) {
    return KvComponentItem(AComponent);
}

std::vector<TComponent*> Members(const TKvComponentItems& AList) {
    std::vector<TComponent*> result;
    for (int32_t i = 0; i < AList.Count(); ++i) {
        TKvComponentItemPtr item;
        AList.Get(i, item);
        result.push_back(item->GetComponent());
    }
    return result;
}

class ComponentItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = MakeOwned<TComponent>(nullptr);
        hostA = new TTestLayerHost(root.get());
        hostB = new TTestLayerHost(root.get());
    }

    THxDrawLayers& A() const { return *hostA->GetLayers(); }
    THxDrawLayers& B() const { return *hostB->GetLayers(); }

    TOwned<TComponent> root;
    TTestLayerHost* hostA = nullptr;
    TTestLayerHost* hostB = nullptr;
};

TEST_F(ComponentItemsTest, AddingAMemberOfAnotherListMovesIt) {
    auto* item = new TKvCustomControlItem(root.get());
    auto* other = new TKvCustomControlItem(root.get());
    A().Add(ItemOf(other));
    A().Add(ItemOf(item));
    ASSERT_EQ(item->GetComponentList(), &A());
    EXPECT_EQ(item->GetOwnerComponent(), hostA);
    EXPECT_EQ(item->GetIndex(), 1);

    B().Add(ItemOf(item));
    EXPECT_EQ(Members(A()), std::vector<TComponent*>{other});
    EXPECT_EQ(Members(B()), std::vector<TComponent*>{item});
    EXPECT_EQ(item->GetComponentList(), &B());
    EXPECT_EQ(item->GetOwnerComponent(), hostB);
    EXPECT_EQ(item->GetParentComponent(), hostB);

    // The item's side moves it back the same way, and adding twice is one membership.
    item->SetComponentList(&A());
    A().Add(ItemOf(item));
    EXPECT_EQ(B().Count(), 0);
    EXPECT_EQ(Members(A()), (std::vector<TComponent*>{other, item}));
}

TEST_F(ComponentItemsTest, ClearingWithoutDeletingLeavesTheMembersAliveAndFree) {
    QPointer<TKvCustomControlItem> first = new TKvCustomControlItem(root.get());
    QPointer<TKvCustomControlItem> second = new TKvCustomControlItem(root.get());
    A().Add(ItemOf(first));
    A().Add(ItemOf(second));

    A().Clear(false);
    EXPECT_EQ(A().Count(), 0);
    for (TKvCustomControlItem* item : {first.data(), second.data()}) {
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->GetComponentList(), nullptr);
        EXPECT_EQ(item->GetOwnerComponent(), nullptr);
        EXPECT_EQ(item->GetIndex(), -1);
        EXPECT_FALSE(item->HasParent());
        EXPECT_EQ(item->Parent(), nullptr);
        EXPECT_EQ(item->Owner(), root.get());
    }
}

std::vector<std::pair<TComponent*, QString>> GHookCalls;

void RecordRemoval(TComponent* AOwner, TComponent* AComponent) {
    GHookCalls.emplace_back(AOwner, AComponent->GetName());
}

TEST_F(ComponentItemsTest, ClearingWithDeleteFreesTheMembersAndTellsTheHooks) {
    ASSERT_EQ(GetKvRemovalHook(1), nullptr);
    SetKvRemovalHook(1, RecordRemoval);
    GHookCalls.clear();
    QPointer<TKvCustomControlItem> owned = new TKvCustomControlItem(hostA);
    owned->SetName(QStringLiteral("Owned"));
    QPointer<TKvCustomControlItem> foreign = new TKvCustomControlItem(root.get());
    foreign->SetName(QStringLiteral("Foreign"));
    A().Add(ItemOf(owned));
    A().Add(ItemOf(foreign));

    A().Clear(true);
    SetKvRemovalHook(1, nullptr);
    EXPECT_TRUE(owned.isNull());
    EXPECT_TRUE(foreign.isNull());
    EXPECT_EQ(hostA->ComponentCount(), 0);
    EXPECT_EQ(root->ComponentCount(), 2); // the two hosts
    // Last member first.
    const std::vector<std::pair<TComponent*, QString>> expected{{hostA, QStringLiteral("Foreign")},
                                                                {hostA, QStringLiteral("Owned")}};
    EXPECT_EQ(GHookCalls, expected);
    EXPECT_THROW(SetKvRemovalHook(2, RecordRemoval), EListError);
}

TEST_F(ComponentItemsTest, AMemberFreedByOtherCodeLeavesTheList) {
    auto* first = new TPlainMember(root.get());
    auto* gone = new TPlainMember(root.get());
    auto* last = new TKvCustomControlItem(root.get());
    auto* goneItem = new TKvCustomControlItem(root.get());
    for (TComponent* c : std::initializer_list<TComponent*>{first, gone, last, goneItem})
        A().Add(ItemOf(c));

    TPersistent::Free(gone);
    TPersistent::Free(goneItem);
    EXPECT_EQ(Members(A()), (std::vector<TComponent*>{first, last}));
    EXPECT_EQ(last->GetIndex(), 1);

    // A member taken out is no longer watched: freeing it leaves the list alone.
    A().Remove(ItemOf(first));
    TPersistent::Free(first);
    EXPECT_EQ(Members(A()), std::vector<TComponent*>{last});
}

TEST_F(ComponentItemsTest, RemoveComponentTellsTheMemberAndRemoveAnswersTheFormerIndex) {
    auto* a = new TKvCustomControlItem(root.get());
    auto* b = new TKvCustomControlItem(root.get());
    A().Add(ItemOf(a));
    A().Add(ItemOf(b));
    EXPECT_EQ(A().Remove(ItemOf(b)), 1);
    EXPECT_EQ(A().Remove(ItemOf(b)), -1);
    A().RemoveComponent(a);
    EXPECT_EQ(A().Count(), 0);
    EXPECT_EQ(a->GetComponentList(), nullptr);
    EXPECT_EQ(a->GetIndex(), -1);
}

TEST_F(ComponentItemsTest, GetChildrenListsOnlyMembersOfTheRootInListOrder) {
    auto otherRoot = MakeOwned<TComponent>(nullptr);
    auto* c = new TKvCustomControlItem(root.get());
    auto* stranger = new TKvCustomControlItem(otherRoot.get());
    auto* a = new TKvCustomControlItem(root.get());
    for (TComponent* m : std::initializer_list<TComponent*>{c, stranger, a})
        A().Add(ItemOf(m));

    std::vector<TComponent*> children;
    A().GetChildren([&](TComponent* AChild) { children.push_back(AChild); }, root.get());
    EXPECT_EQ(children, (std::vector<TComponent*>{c, a}));
    A().Clear(false);
}

TEST_F(ComponentItemsTest, ExchangeAndChildOrder) {
    auto* a = new TKvCustomControlItem(root.get());
    auto* b = new TKvCustomControlItem(root.get());
    auto* c = new TKvCustomControlItem(root.get());
    for (TComponent* m : std::initializer_list<TComponent*>{a, b, c})
        A().Add(ItemOf(m));
    A().Exchange(0, 2);
    EXPECT_EQ(Members(A()), (std::vector<TComponent*>{c, b, a}));
    EXPECT_THROW(A().Exchange(0, 3), EListError);
    EXPECT_THROW(A().Exchange(-1, 0), EListError);
    TKvComponentItemPtr item;
    EXPECT_THROW(A().Get(3, item), EListError);

    A().SetChildOrder(c, 1);
    EXPECT_EQ(Members(A()), (std::vector<TComponent*>{b, c, a}));
    A().SetChildOrder(root.get(), 0); // not a member: nothing
    EXPECT_EQ(Members(A()), (std::vector<TComponent*>{b, c, a}));
}

TEST_F(ComponentItemsTest, ElementListInvalidatesOnEveryChangeAndReportsSelection) {
    int invalidations = 0;
    int selections = 0;
    auto elements = MakeOwned<THxComponentElements>(
        hostA, hostA->Lock(), [&] { ++invalidations; },
        [&](const THxComponentElementPtr& ASelected) { selections += ASelected ? 100 : 1; });
    auto* a = new TKvCustomControlItem(root.get());
    auto* b = new TKvCustomControlItem(root.get());
    elements->Add(ItemOf(a));
    const int afterAdd = invalidations;
    EXPECT_GE(afterAdd, 1);
    elements->Add(ItemOf(b));
    EXPECT_GT(invalidations, afterAdd);
    const int afterSecondAdd = invalidations;
    elements->Exchange(0, 1);
    EXPECT_EQ(invalidations, afterSecondAdd + 1);
    elements->Remove(ItemOf(a));
    EXPECT_GT(invalidations, afterSecondAdd + 1);
    // The removed item knows it left: nothing points at the list once it goes.
    EXPECT_EQ(a->GetComponentList(), nullptr);

    // A control item is not an element.
    THxComponentElementPtr element;
    elements->Get(0, element);
    EXPECT_FALSE(element);
    elements->SelectionChange(nullptr);
    EXPECT_EQ(selections, 1);
    elements->Clear(false);
}

TEST_F(ComponentItemsTest, PropertyLookups) {
    QObject* value = nullptr;
    ASSERT_TRUE(KvFindPropertyOfClass(hostA, THxDrawLayers::staticMetaObject, value));
    EXPECT_EQ(value, &A());
    value = nullptr;
    ASSERT_TRUE(KvFindPropertyOfClass(hostA, TKvComponentItems::staticMetaObject, value));
    EXPECT_EQ(value, &A());
    ASSERT_TRUE(KvFindPropertyOfClass(hostA, TCollection::staticMetaObject, value));
    EXPECT_EQ(value, hostA->GetLinks());
    EXPECT_FALSE(KvFindPropertyOfClass(hostA, THxComponentElements::staticMetaObject, value));

    QString name;
    ASSERT_TRUE(KvFindPropertyNameOfValue(hostA, hostA->GetLinks(), name));
    EXPECT_EQ(name, QStringLiteral("Links"));
    EXPECT_FALSE(KvFindPropertyNameOfValue(hostA, &B(), name));
    EXPECT_FALSE(KvFindPropertyNameOfValue(hostA, nullptr, name));

    ASSERT_TRUE(KvFindPropertyByName(hostA, QStringLiteral("layers"), value));
    EXPECT_EQ(value, &A());
    EXPECT_FALSE(KvFindPropertyByName(hostA, QStringLiteral("Width"), value));
    EXPECT_FALSE(KvFindPropertyByName(nullptr, QStringLiteral("Layers"), value));
}

TEST(ComponentItemsRegistry, MemberClassesByCollector) {
    TKvCollectionComponentClasses registry;
    EXPECT_EQ(registry.Find(THxDrawLayers::staticMetaObject), nullptr);
    TKvCollectionComponentClass& entry = registry.ForCollector(THxDrawLayers::staticMetaObject);
    entry.Add(QStringLiteral("Layer"), TTestLayer::staticMetaObject);
    entry.Add(QStringLiteral("Item"), TKvCustomControlItem::staticMetaObject);
    entry.Add(QStringLiteral("Test layer"), TTestLayer::staticMetaObject);
    EXPECT_EQ(&registry.ForCollector(THxDrawLayers::staticMetaObject), &entry);
    EXPECT_EQ(registry.Count(), 1);
    ASSERT_EQ(entry.Count(), 2);
    EXPECT_EQ(entry.Names(0), QStringLiteral("Test layer"));
    EXPECT_EQ(&entry.Classes(1), &TKvCustomControlItem::staticMetaObject);
    EXPECT_THROW(entry.Names(2), EListError);
}

} // namespace
