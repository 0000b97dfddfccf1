// The pin framework's collection tells its listeners of every item that
// joins and leaves it.
#include "pins/JwExtCollection.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

class TPlainItem : public TJwExtCollectionItem {
public:
    using TJwExtCollectionItem::TJwExtCollectionItem;
};

struct TNotice {
    TJwExtCollection* Collection;
    TCollectionItem* Item;
    TCollectionNotification Action;
    int CountWhenTold;
    bool operator==(const TNotice&) const = default;
};

class TListener : public TJwCollectionListener {
public:
    std::vector<TNotice> Notices;
    std::function<void()> OnNotify;

    void CollectionNotify(TJwExtCollection* ACollection, TCollectionItem* AItem,
                          TCollectionNotification AAction) override {
        Notices.push_back({ACollection, AItem, AAction, ACollection->Count()});
        if (OnNotify)
            OnNotify();
    }
};

using enum TCollectionNotification;

} // namespace

TEST(JwExtCollection, ListenersHearOfItemsJoiningAndLeaving) {
    TListener listener;
    auto collection = MakeOwned<TJwExtCollection>(nullptr, ItemFactory<TPlainItem>());
    collection->AddListener(&listener);
    collection->AddListener(&listener);
    TCollectionItem* first = collection->Add();
    TCollectionItem* second = collection->Add();
    TCollectionItem* third = collection->Add();
    collection->Delete(0);
    third->SetCollection(nullptr);
    EXPECT_EQ(listener.Notices, (std::vector<TNotice>{{collection.get(), first, cnAdded, 1},
                                                      {collection.get(), second, cnAdded, 2},
                                                      {collection.get(), third, cnAdded, 3},
                                                      {collection.get(), first, cnDeleting, 3},
                                                      {collection.get(), third, cnExtracting, 2}}));
    TPersistent::Free(third);

    listener.Notices.clear();
    TJwExtCollection* const freed = collection.get();
    collection.reset();
    EXPECT_EQ(listener.Notices, (std::vector<TNotice>{{freed, second, cnDeleting, 1}}))
        << "items freed with the collection are told while it is whole";
}

TEST(JwExtCollection, RemovedListenersAreNotTold) {
    TListener stays;
    TListener leaves;
    auto collection = MakeOwned<TJwExtCollection>(nullptr, ItemFactory<TPlainItem>());
    collection->AddListener(&leaves);
    collection->AddListener(&stays);
    leaves.OnNotify = [&] { collection->RemoveListener(&leaves); };
    collection->Add();
    collection->Add();
    EXPECT_EQ(leaves.Notices.size(), 1u);
    EXPECT_EQ(stays.Notices.size(), 2u);
    EXPECT_EQ(collection->GetOwner(), nullptr);
}
