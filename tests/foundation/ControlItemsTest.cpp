// Control items: parked on the hidden form while in a list, joining lists
// through their parent, their index, and members kept in order through a
// stored form.

#include "DrawLayersTestHost.h"

#include "platform/StoredForm.h"

#include <QPointer>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class ControlItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLayerTestClasses();
        form = MakeOwned<TTestLayerForm>(nullptr);
        form->SetBounds(30, 40, 300, 200);
        host = new TTestLayerHost(form.get());
        host->SetName(QStringLiteral("Host"));
        host->SetParent(form.get());
        host->SetBounds(10, 10, 200, 150);
    }

    TKvCustomControlItem* NewItem(const QString& AName) {
        auto* item = new TTestLayer(form.get());
        item->SetName(AName);
        return item;
    }

    std::vector<QString> MemberNames(TTestLayerHost* AHost) const {
        std::vector<QString> names;
        THxDrawLayers* layers = AHost->GetLayers();
        for (int32_t i = 0; i < layers->Count(); ++i) {
            TKvComponentItemPtr item;
            layers->Get(i, item);
            names.push_back(item->GetComponent()->GetName());
        }
        return names;
    }

    TOwned<TTestLayerForm> form;
    TTestLayerHost* host = nullptr;
};

TEST_F(ControlItemsTest, AMemberIsParkedOnTheHiddenFormAndNotShown) {
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
    auto* item = NewItem(QStringLiteral("Item"));
    item->SetParent(form.get());
    ASSERT_TRUE(item->Showing());

    host->GetLayers()->Add(KvComponentItem(item));
    EXPECT_EQ(item->Parent(), KvParkingForm());
    EXPECT_FALSE(KvParkingForm()->Visible());
    EXPECT_FALSE(item->Showing());
    EXPECT_FALSE(item->Widget()->isVisible());
    EXPECT_TRUE(item->Visible()); // it keeps its own setting
    EXPECT_TRUE(item->HasParent());
    EXPECT_EQ(item->GetParentComponent(), host);

    // Whatever parent is asked for, a member stays parked.
    item->SetParent(form.get());
    EXPECT_EQ(item->Parent(), KvParkingForm());
    EXPECT_FALSE(item->Widget()->isVisible());

    // Out of the list it is a free control again.
    item->SetComponentList(nullptr);
    EXPECT_EQ(item->Parent(), nullptr);
    item->SetParent(form.get());
    EXPECT_TRUE(item->Showing());
}

TEST_F(ControlItemsTest, PlacingAnItemOnAHostJoinsTheHostsList) {
    auto* item = NewItem(QStringLiteral("Item"));
    item->SetParentComponent(host);
    EXPECT_EQ(item->GetComponentList(), host->GetLayers());
    EXPECT_EQ(item->Parent(), KvParkingForm());

    // A parent without a list property leaves it an ordinary child.
    auto* plain = NewItem(QStringLiteral("Plain"));
    plain->SetParentComponent(form.get());
    EXPECT_EQ(plain->GetComponentList(), nullptr);
    EXPECT_EQ(plain->Parent(), form.get());
}

TEST_F(ControlItemsTest, SetIndexClampsToTheListAndAFreeControlHasNoIndex) {
    auto* a = NewItem(QStringLiteral("A"));
    auto* b = NewItem(QStringLiteral("B"));
    auto* c = NewItem(QStringLiteral("C"));
    for (TKvCustomControlItem* item : {a, b, c})
        host->GetLayers()->Add(KvComponentItem(item));

    a->SetIndex(99);
    EXPECT_EQ(a->GetIndex(), 2);
    EXPECT_EQ(MemberNames(host), (std::vector<QString>{"C", "B", "A"}));
    a->SetIndex(-5);
    EXPECT_EQ(a->GetIndex(), 0);
    EXPECT_EQ(MemberNames(host), (std::vector<QString>{"A", "B", "C"}));

    auto* free = NewItem(QStringLiteral("Free"));
    free->SetIndex(1);
    EXPECT_EQ(free->GetIndex(), -1);
    EXPECT_EQ(MemberNames(host), (std::vector<QString>{"A", "B", "C"}));
}

TEST_F(ControlItemsTest, MembersSurviveAStoredFormRoundTripInOrder) {
    // Created in one order, listed in another.
    auto* first = NewItem(QStringLiteral("First"));
    auto* second = NewItem(QStringLiteral("Second"));
    auto* third = NewItem(QStringLiteral("Third"));
    for (TKvCustomControlItem* item : {third, first, second})
        host->GetLayers()->Add(KvComponentItem(item));
    first->SetBounds(5, 6, 70, 80);
    auto* free = NewItem(QStringLiteral("Free"));
    free->SetParent(form.get());

    const QString text = ComponentToText(form.get());
    EXPECT_EQ(text.count(QStringLiteral("_OwnerCollection = Layers")), 3) << text.toStdString();

    auto copy = MakeOwned<TTestLayerForm>(nullptr);
    ReadComponentFromText(text, copy.get());
    auto* copyHost = qobject_cast<TTestLayerHost*>(copy->FindComponent(QStringLiteral("Host")));
    ASSERT_NE(copyHost, nullptr);
    EXPECT_EQ(MemberNames(copyHost), (std::vector<QString>{"Third", "First", "Second"}));
    auto* copyFirst = qobject_cast<TTestLayer*>(copy->FindComponent(QStringLiteral("First")));
    ASSERT_NE(copyFirst, nullptr);
    EXPECT_EQ(copyFirst->Parent(), KvParkingForm());
    EXPECT_EQ(copyFirst->GetOwnerComponent(), copyHost);
    EXPECT_EQ(copyFirst->BoundsRect(), Bounds(5, 6, 70, 80));
    auto* copyFree = qobject_cast<TTestLayer*>(copy->FindComponent(QStringLiteral("Free")));
    ASSERT_NE(copyFree, nullptr);
    EXPECT_EQ(copyFree->GetComponentList(), nullptr);
    EXPECT_EQ(copyFree->Parent(), copy.get());

    // Writing the copy gives the same text.
    EXPECT_EQ(ComponentToText(copy.get()), text);
}

TEST_F(ControlItemsTest, FreeingTheHostFreesItsMembersAndClearingForgetsThem) {
    QPointer<TKvCustomControlItem> owned = new TTestLayer(host);
    host->GetLayers()->Add(KvComponentItem(owned));
    QPointer<TKvCustomControlItem> kept = NewItem(QStringLiteral("Kept"));
    host->GetLayers()->Add(KvComponentItem(kept));
    const int32_t parked = KvParkingForm()->ControlCount();

    host->GetLayers()->Clear(false);
    EXPECT_EQ(KvParkingForm()->ControlCount(), parked - 2);
    host->GetLayers()->Add(KvComponentItem(owned));
    TPersistent::Free(host);
    EXPECT_TRUE(owned.isNull());
    ASSERT_FALSE(kept.isNull());
    EXPECT_EQ(kept->GetComponentList(), nullptr);
}

} // namespace
