// Display collection items: what they tell the legend, the mouse events of
// selectable items, and the repaint a change asks for.

#include "ViewsTestDisplay.h"

#include <string>
#include <vector>

namespace {

class DisplayCollectionItemsTest : public ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        items.reset(new TKvDisplayCollection(display.get(), display.get(), display->Lock(),
                                             ItemFactory<TKvOptionalDisplayCollectionItem>()));
        display->Settle();
    }
    void TearDown() override {
        items.reset();
        ViewsFixture::TearDown();
    }

    TKvOptionalDisplayCollectionItem* Add() {
        return static_cast<TKvOptionalDisplayCollectionItem*>(items->Add());
    }

    TOwned<TKvDisplayCollection> items;
};

TEST_F(DisplayCollectionItemsTest, AnItemNeedsADisplayCollection) {
    TOwned<THxCollection> plain(new THxCollection(static_cast<TPersistent*>(nullptr),
                                                  ItemFactory<TKvDisplayCollectionItem>()));
    EXPECT_THROW(plain->Add(), Exception);
    EXPECT_EQ(plain->Count(), 0);
}

TEST_F(DisplayCollectionItemsTest, NameAndVisibilityRepaintTheDisplayButNotItsLayout) {
    TKvOptionalDisplayCollectionItem* item = Add();
    EXPECT_EQ(item->Display(), display.get());
    EXPECT_TRUE(item->IsLegendVisible());
    EXPECT_EQ(item->GetLegendColor(), clRed);

    display->Settle();
    item->SetName(QStringLiteral("first"));
    EXPECT_EQ(item->GetDisplayName(), QStringLiteral("first"));
    EXPECT_TRUE(display->RefreshPending());
    EXPECT_FALSE(display->NeedsRecalc());

    display->Settle();
    item->SetVisible(false);
    EXPECT_FALSE(item->IsLegendVisible());
    EXPECT_TRUE(display->RefreshPending());

    display->Settle();
    item->SetTag(7);
    EXPECT_FALSE(display->RefreshPending());
}

TEST_F(DisplayCollectionItemsTest, APressFiresDownThenClickForTheLeftButtonAndOneRelease) {
    TKvOptionalDisplayCollectionItem* item = Add();
    std::vector<std::string> events;
    item->OnMouseEnter = [&](TPersistent* S) { events.push_back(S == item ? "enter" : "?"); };
    item->OnMouseLeave = [&](TPersistent*) { events.push_back("leave"); };
    item->OnMouseDown = [&](TPersistent*, TMouseButton B, TShiftState, int32_t X, int32_t Y) {
        events.push_back("down" + std::to_string(B) + "@" + std::to_string(X) + "," +
                         std::to_string(Y));
    };
    item->OnClick = [&](TPersistent*) { events.push_back("click"); };
    item->OnMouseUp = [&](TPersistent*, TMouseButton, TShiftState, int32_t, int32_t) {
        events.push_back("up");
    };

    item->ItemMouseUp(mbLeft, {}, 1, 2); // no press before it
    item->ItemMouseEnter();
    item->ItemMouseDown(mbRight, {}, 3, 4);
    item->ItemMouseUp(mbRight, {}, 3, 4);
    item->ItemMouseDown(mbLeft, {}, 5, 6);
    EXPECT_TRUE(item->MouseIsDown());
    item->ItemMouseUp(mbLeft, {}, 5, 6);
    item->ItemMouseUp(mbLeft, {}, 5, 6);
    item->ItemMouseLeave();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down1@3,4", "up", "down0@5,6", "click",
                                                "up", "leave"}));
}

} // namespace
