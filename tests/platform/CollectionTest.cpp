#include "TestComponents.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace {

TTestMarker* AddMarker(TCollection* ACollection, const char* ACaption) {
    auto* m = static_cast<TTestMarker*>(ACollection->Add());
    m->SetCaption(QString::fromLatin1(ACaption));
    return m;
}

TEST(CollectionTest, ItemsKeepIndexAndIdThroughInsertMoveAndDelete) {
    auto markers = MakeOwned<TTestMarkers>(nullptr);
    TTestMarker* a = AddMarker(markers.get(), "a");
    TTestMarker* b = AddMarker(markers.get(), "b");
    auto* c = static_cast<TTestMarker*>(markers->Insert(0));
    EXPECT_EQ(markers->Count(), 3);
    EXPECT_EQ(c->Index(), 0);
    EXPECT_EQ(a->Index(), 1);
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(a->ID(), 0);
    EXPECT_EQ(c->ID(), 2);
    EXPECT_EQ(markers->FindItemID(1), b);
    EXPECT_EQ(a->Collection(), markers.get());

    c->SetIndex(99); // clamped to the last position
    EXPECT_EQ(c->Index(), 2);
    EXPECT_EQ(markers->Items(0), a);
    c->SetIndex(-5);
    EXPECT_EQ(markers->Items(0), c);

    TestLog().clear();
    markers->Delete(1); // a
    EXPECT_EQ(TestLog(), std::vector<std::string>{"~marker a"});
    EXPECT_EQ(markers->Count(), 2);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_THROW(markers->Delete(2), EListError);
    EXPECT_THROW(markers->Items(-1), EListError);

    // Freeing an item directly removes it too.
    TPersistent::Free(b);
    EXPECT_EQ(markers->Count(), 1);
    EXPECT_EQ(markers->FindItemID(1), nullptr);
}

TEST(CollectionTest, NotifiesAddsAndRemovalsAndReportsUpdatesOnce) {
    auto markers = MakeOwned<TTestMarkers>(nullptr);
    TTestMarker* a = AddMarker(markers.get(), "a");
    EXPECT_EQ(markers->Updates, 1);
    markers->BeginUpdate();
    AddMarker(markers.get(), "b");
    AddMarker(markers.get(), "c");
    EXPECT_EQ(markers->Updates, 1);
    markers->EndUpdate();
    EXPECT_EQ(markers->Updates, 2);

    auto other = MakeOwned<TTestMarkers>(nullptr);
    a->SetCollection(other.get());
    EXPECT_EQ(other->Count(), 1);
    EXPECT_EQ(markers->Count(), 2);
    markers->Clear();
    const std::vector<std::pair<int, TCollectionNotification>> expected{
        {0, TCollectionNotification::cnAdded},    {1, TCollectionNotification::cnAdded},
        {2, TCollectionNotification::cnAdded},    {0, TCollectionNotification::cnExtracting},
        {2, TCollectionNotification::cnDeleting}, {1, TCollectionNotification::cnDeleting}};
    EXPECT_EQ(markers->Notes, expected);
    EXPECT_TRUE(markers->AllWhole);
}

TEST(CollectionTest, AssignReplacesItemsWithCopies) {
    auto source = MakeOwned<TTestMarkers>(nullptr);
    auto dest = MakeOwned<TTestMarkers>(nullptr);
    AddMarker(source.get(), "x")->SetPosition(-2.5);
    AddMarker(source.get(), "y")->SetAlign(taRight);
    AddMarker(dest.get(), "old");
    TestLog().clear();
    dest->Assign(source.get());
    EXPECT_EQ(TestLog(), std::vector<std::string>{"~marker old"});
    ASSERT_EQ(dest->Count(), 2);
    auto* x = static_cast<TTestMarker*>(dest->Items(0));
    auto* y = static_cast<TTestMarker*>(dest->Items(1));
    EXPECT_EQ(x->GetCaption(), QStringLiteral("x"));
    EXPECT_EQ(x->GetPosition(), -2.5);
    EXPECT_EQ(y->GetAlign(), taRight);
    EXPECT_EQ(source->Count(), 2);
    dest->Assign(dest.get()); // self-assignment keeps the items
    EXPECT_EQ(dest->Count(), 2);
}

} // namespace
