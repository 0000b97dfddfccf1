// Settings collections and their items: which lock they share, whom they
// notify, and how they are copied.
#include "TestSettings.h"

#include "platform/Exceptions.h"

#include <gtest/gtest.h>

TEST(HxCollection, ItemsShareTheCollectionsLockAndNotifyThemselves) {
    auto collection =
        MakeOwned<TTestCollection>(static_cast<TPersistent*>(nullptr), ItemFactory<TTestItem>());
    auto* first = static_cast<TTestItem*>(collection->Add());
    auto* second = static_cast<TTestItem*>(collection->Add());
    EXPECT_EQ(first->Lock()->Instance(), collection->Lock()->Instance());
    EXPECT_EQ(second->Lock()->Instance(), collection->Lock()->Instance());
    EXPECT_EQ(first->Collection(), collection.get());

    first->SetPosition(2.0);
    first->SetPosition(2.0);
    EXPECT_EQ(first->Changes(), 1);
    EXPECT_EQ(second->Changes(), 0);
    EXPECT_EQ(collection->Changes(), 0);

    collection->SetSpacing(5);
    EXPECT_EQ(collection->Changes(), 0) << "a collection made without a lock notifies no one";
}

TEST(HxCollection, OwnedByASettingsObjectItSharesTheOwnersLock) {
    int ownerChanges = 0;
    const THxLockPtr treeLock = THxLock::Create(nullptr);
    auto owner = MakeOwned<TTestSettings>(static_cast<TPersistent*>(nullptr), treeLock,
                                          [&](TPersistent*) { ++ownerChanges; });
    auto copied = MakeOwned<TTestCollection>(owner.get(), ItemFactory<TTestItem>());
    auto shared = MakeOwned<TTestCollection>(static_cast<TPersistent*>(owner.get()), owner->Lock(),
                                             ItemFactory<TTestItem>());
    TOwned<TComponent> component = MakeOwned<TComponent>(nullptr);
    auto ofComponent =
        MakeOwned<TTestCollection>(component.get(), treeLock, ItemFactory<TTestItem>());
    auto* item = static_cast<TTestItem*>(copied->Add());
    auto ofItem = MakeOwned<TTestCollection>(item, ItemFactory<TTestItem>());

    for (TTestCollection* c : {copied.get(), shared.get(), ofComponent.get(), ofItem.get()})
        EXPECT_EQ(c->Lock()->Instance(), treeLock->Instance());
    EXPECT_EQ(copied->GetOwner(), owner.get());
    EXPECT_EQ(ofItem->GetOwner(), item);

    copied->SetSpacing(7);
    ofComponent->SetSpacing(7);
    ofItem->SetSpacing(7);
    EXPECT_EQ(copied->Changes(), 1);
    EXPECT_EQ(ofComponent->Changes(), 1);
    EXPECT_EQ(ofItem->Changes(), 1);
    EXPECT_EQ(ownerChanges, 0);

    EXPECT_EQ(shared->Lock(), owner->Lock()) << "the owner's wrapper itself";
    shared->SetSpacing(9);
    EXPECT_EQ(shared->Changes(), 0);
    EXPECT_EQ(ownerChanges, 1) << "its changes notify the owner";
}

TEST(HxCollection, NeedsALockAndItemsNeedASettingsCollection) {
    EXPECT_THROW(MakeOwned<TTestCollection>(static_cast<TPersistent*>(nullptr), THxLockPtr(),
                                            ItemFactory<TTestItem>()),
                 Exception);
    EXPECT_THROW(
        MakeOwned<TTestCollection>(static_cast<THxPersistent*>(nullptr), ItemFactory<TTestItem>()),
        Exception);
    EXPECT_THROW(MakeOwned<TTestItem>(nullptr), Exception);
    auto plain = MakeOwned<TJwExtCollection>(nullptr, ItemFactory<TTestItem>());
    EXPECT_THROW(plain->Add(), Exception);
    EXPECT_EQ(plain->Count(), 0);
}

TEST(HxCollectionAssign, CopiesPropertiesAndItemsButNotItemNames) {
    auto source =
        MakeOwned<TTestCollection>(static_cast<TPersistent*>(nullptr), ItemFactory<TTestItem>());
    source->SetSpacing(11);
    for (double position : {0.25, 0.75}) {
        auto* item = static_cast<TTestItem*>(source->Add());
        item->SetPosition(position);
        item->SetName(QStringLiteral("Marker%1").arg(position));
    }
    auto dest =
        MakeOwned<TTestCollection>(static_cast<TPersistent*>(nullptr), ItemFactory<TTestItem>());
    dest->Add();
    dest->Assign(source.get());
    EXPECT_EQ(dest->GetSpacing(), 11);
    ASSERT_EQ(dest->Count(), 2);
    for (int i = 0; i < 2; ++i) {
        auto* item = static_cast<TTestItem*>(dest->Items(i));
        EXPECT_EQ(item->GetPosition(), static_cast<TTestItem*>(source->Items(i))->GetPosition());
        EXPECT_EQ(item->GetName(), QString()) << "Name is skipped";
        EXPECT_EQ(item->Lock()->Instance(), dest->Lock()->Instance());
    }
}

TEST(HxCollectionAssign, OtherSourcesRaiseTheCannotAssignError) {
    auto collection =
        MakeOwned<TTestCollection>(static_cast<TPersistent*>(nullptr), ItemFactory<TTestItem>());
    auto* item = static_cast<TTestItem*>(collection->Add());
    auto settings =
        MakeOwned<TTestSettings>(static_cast<TPersistent*>(nullptr), THxLock::Create(nullptr));
    try {
        item->Assign(settings.get());
        FAIL() << "a settings object was assigned to an item";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Cannot assign a TTestSettings to a TTestItem"));
    }
    EXPECT_THROW(collection->Assign(settings.get()), EConvertError);
    EXPECT_EQ(collection->Count(), 1);
    EXPECT_EQ(collection->Lock()->Instance()->GetCounts().CountLocks, 0);
}
