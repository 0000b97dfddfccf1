// The view layers: sides, sizes, hiding, backgrounds, and what each setting
// asks of the display (a new layout or only a new picture).

#include "ViewsTestDisplay.h"

namespace {

class OptionalViewTest : public ViewsFixture {
protected:
    void SetUp() override {
        ViewsFixture::SetUp();
        view = MakeOwned<TSizedTestView>(display.get(), vaTop);
        view->GetViewSize()->SetSize(40);
        data = display->AddView("data", KvDataViewAlign, 0, clBlue);
        display->Settle();
    }
    void TearDown() override {
        view.reset();
        ViewsFixture::TearDown();
    }

    TOwned<TSizedTestView> view;
    TTestView* data = nullptr;
};

TEST_F(OptionalViewTest, TakesItsSizeOnItsSideAndNothingWhileHidden) {
    EXPECT_EQ(view->DrawRect(), Rect(0, 0, 450, 40));
    EXPECT_EQ(data->DrawRect(), Rect(0, 40, 450, 280));

    view->SetAlign(vaRight);
    display->Settle();
    EXPECT_EQ(view->DrawRect(), Rect(410, 0, 450, 280));
    EXPECT_EQ(data->DrawRect(), Rect(0, 0, 410, 280));

    view->SetVisible(false);
    display->Settle();
    EXPECT_FALSE(view->IsVisible());
    EXPECT_FALSE(view->IsVisibleForced());
    EXPECT_EQ(view->DrawRect(), TRect{});
    EXPECT_EQ(data->DrawRect(), Rect(0, 0, 450, 280));
}

TEST_F(OptionalViewTest, SizeSideAndVisibilityLayOutAgainWhileBackgroundOnlyRepaints) {
    const auto expectLayout = [&](const char* AWhat, auto AChange, bool ALayout) {
        display->Settle();
        const int before = display->LayoutRequests;
        AChange();
        EXPECT_EQ(display->LayoutRequests - before, ALayout ? 1 : 0) << AWhat;
        EXPECT_EQ(display->NeedsRecalc(), ALayout) << AWhat;
        EXPECT_TRUE(display->RefreshPending()) << AWhat;
        // the same value again changes nothing
        display->Settle();
        AChange();
        EXPECT_FALSE(display->RefreshPending()) << AWhat;
    };
    expectLayout(
        "Size", [&] { view->GetViewSize()->SetSize(60); }, true);
    expectLayout(
        "AutoSize", [&] { view->GetViewSize()->SetAutoSize(false); }, true);
    expectLayout(
        "Align", [&] { view->SetAlign(vaBottom); }, true);
    expectLayout(
        "Visible", [&] { view->SetVisible(false); }, true);
    expectLayout(
        "Color", [&] { view->GetBackground()->SetColor(clRed); }, false);
    expectLayout(
        "UseControlColor", [&] { view->GetBackground()->SetUseControlColor(false); }, false);
}

} // namespace
