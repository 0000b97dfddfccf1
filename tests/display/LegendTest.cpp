// The legend: its width and rows, its picture, hover and click on items,
// scrolling by wheel and by the held scroll buttons, and older forms.

#include "ViewPixels.h"
#include "ViewsTestDisplay.h"

#include "platform/StoredForm.h"

#include <QtTest/QTest>

namespace {

// A group over a plain list of items.
class TListGroup : public TKvBasicLegendGroup {
public:
    struct TItem {
        QString Text;
        TColor Color = clRed;
        bool Visible = true;
    };

    TListGroup(TKvLegendView* AOwner, const QString& ADefaultLabel, std::vector<TItem> AItems)
        : TKvBasicLegendGroup(AOwner, ADefaultLabel), Items(std::move(AItems)) {}

    int32_t GetItemCount() override { return static_cast<int32_t>(Items.size()); }
    void GetItemText(int32_t AIndex, QString& AText) override { AText = At(AIndex).Text; }
    bool GetItemVisible(int32_t AIndex) override { return At(AIndex).Visible; }
    TColor GetItemColor(int32_t AIndex) override { return At(AIndex).Color; }

    std::vector<TItem> Items;

protected:
    ~TListGroup() override = default;

private:
    TItem& At(int32_t AIndex) { return Items.at(static_cast<size_t>(AIndex)); }
};

class LegendTest : public TDisplayInWindow<TTitledTestDisplay> {
protected:
    void SetUp() override {
        TDisplayInWindow::SetUp();
        display->GetTitle()->SetVisible(false);
        legend = display->GetLegend();
    }
    void TearDown() override {
        groups.clear();
        TDisplayInWindow::TearDown();
    }

    TListGroup* AddGroup(const QString& ALabel, std::vector<TListGroup::TItem> AItems) {
        groups.push_back(TOwned<TListGroup>(new TListGroup(legend, ALabel, std::move(AItems))));
        legend->AddGroup(groups.back().get());
        display->Settle();
        return groups.back().get();
    }
    QFontMetrics Metrics(TKvDisplayFont* AFont) const { return QFontMetrics(AFont->ToQFont()); }
    int32_t TextHeight() const { return Metrics(legend->GetFont()).height(); }
    int32_t Row() const { return TextHeight() + 1 < 7 ? 6 : TextHeight() + 1; }
    // Where item rows are drawn: the Y of each visible item's symbol, in
    // order, from the drawing rule.
    std::vector<int32_t> RowYs() const {
        std::vector<int32_t> ys;
        int32_t y = legend->DrawRect().Top + Row() / 2 + 2 - legend->ScrollPos();
        for (const auto& g : groups) {
            if (!g->GetVisible() || g->Items.empty())
                continue;
            if (g->GetCaption()->GetVisible())
                y += std::max(Metrics(g->GetCaption()->GetFont()).height() + 1, 6) - 6;
            for (const auto& item : g->Items)
                if (item.Visible) {
                    ys.push_back(y);
                    y += Row();
                }
            y += Row();
        }
        return ys;
    }
    void MoveTo(int32_t X, int32_t Y) { display->MouseMove({}, X, Y); }
    void Press(int32_t X, int32_t Y) { display->MouseDown(mbLeft, {}, X, Y); }
    void Release(int32_t X, int32_t Y) { display->MouseUp(mbLeft, {}, X, Y); }

    TKvLegendView* legend = nullptr;
    std::vector<TOwned<TListGroup>> groups;
};

TEST_F(LegendTest, AutoSizeWidthIsTheWidestCaptionOrItemOfAShownGroup) {
    EXPECT_EQ(legend->GetViewAlign(), vaRight);
    EXPECT_EQ(legend->DefaultRect(), (TSize{0, -1}));
    TListGroup* empty = AddGroup(QStringLiteral("Empty"), {});
    TListGroup* hidden = AddGroup(QStringLiteral("Hidden"), {{QStringLiteral("a long item")}});
    hidden->SetVisible(false);
    display->Settle();
    EXPECT_EQ(legend->DefaultRect().cx, 0);
    EXPECT_FALSE(legend->IsVisible());
    EXPECT_EQ(display->Data()->DrawRect(), Rect(0, 0, 450, 280));

    TListGroup* shown = AddGroup(QStringLiteral("Caption"),
                                 {{QStringLiteral("x")}, {QStringLiteral("wider item")}});
    const QFontMetrics caption = Metrics(shown->GetCaption()->GetFont());
    const QFontMetrics items = Metrics(legend->GetFont());
    int32_t width = std::max(caption.horizontalAdvance(QStringLiteral("Caption")) + 23,
                             items.horizontalAdvance(QStringLiteral("wider item")) + 30);
    EXPECT_EQ(legend->DefaultRect().cx, width);
    EXPECT_EQ(legend->DrawRect(), Rect(450 - width, 0, 450, 280));

    // a hidden item and a hidden caption no longer count
    shown->Items[1].Visible = false;
    shown->GetCaption()->SetVisible(false);
    display->Settle();
    EXPECT_EQ(legend->DefaultRect().cx, items.horizontalAdvance(QStringLiteral("x")) + 30);

    legend->GetViewSize()->SetAutoSize(false);
    legend->GetViewSize()->SetSize(77);
    display->Settle();
    EXPECT_EQ(legend->DrawRect(), Rect(450 - 77, 0, 450, 280));
    (void)empty;
}

TEST_F(LegendTest, RowsAreTheTextHeightAndOneButNeverBelowSix) {
    EXPECT_EQ(legend->RowHeight(), Row());
    bool sawFive = false;
    for (int32_t pixels = 1; pixels <= 12; ++pixels) {
        legend->GetFont()->SetHeight(-pixels);
        const int32_t h = TextHeight();
        sawFive = sawFive || h == 5;
        EXPECT_EQ(legend->RowHeight(), h + 1 < 7 ? 6 : h + 1) << pixels;
        if (h == 5) {
            EXPECT_EQ(legend->RowHeight(), 6);
        }
    }
    EXPECT_TRUE(sawFive) << "no font height of 5 pixels to try";
}

TEST_F(LegendTest, TwoGroupsDrawCaptionsSymbolsAndTextsWhereTheRulesPutThem) {
    const TColor background = RGBColor(0x10, 0x20, 0x30);
    legend->GetBackground()->SetUseControlColor(false);
    legend->GetBackground()->SetColor(background);
    TListGroup* first = AddGroup(QStringLiteral("Alpha"),
                                 {{QStringLiteral("one"), clRed}, {QStringLiteral("two"), clLime}});
    TListGroup* second =
        AddGroup(QStringLiteral("unused"),
                 {{QStringLiteral("three"), clBlue}, {QStringLiteral("gone"), clRed, false}});
    second->GetCaption()->SetText(QStringLiteral("Second"));
    display->Settle();

    const TRect area = legend->DrawRect();
    const std::vector<int32_t> ys = RowYs();
    ASSERT_EQ(ys.size(), 3u);
    const int32_t h = TextHeight();
    const QFont itemFont = legend->GetFont()->ToQFont();

    TExpectedPicture expected(QSize(450, 280), PixelOf(background));
    const auto caption = [&](TListGroup* AGroup, const QString& AText, int32_t AFirstRowY) {
        const QFont font = AGroup->GetCaption()->GetFont()->ToQFont();
        const int32_t ch = QFontMetrics(font).height();
        // the caption is written 6 pixels above where the walk stood, and
        // its row takes the walk to the first item
        const int32_t y = AFirstRowY - (std::max(ch + 1, 6) - 6) - 6;
        expected.Text({AText, font, area.Left + 4, y - ch / 2});
    };
    caption(first, QStringLiteral("Alpha"), ys[0]);
    caption(second, QStringLiteral("Second"), ys[2]);
    const QString texts[] = {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
    const TColor colors[] = {clRed, clLime, clBlue};
    for (size_t i = 0; i < 3; ++i) {
        expected.Fill(Rect(area.Left + 6, ys[i] - 1, area.Left + 19, ys[i] + 2),
                      PixelOf(colors[i]));
        expected.Text({texts[i], itemFont, area.Left + 23, ys[i] - h / 2});
    }
    expected.ExpectSame(Painted(), area);
}

TEST_F(LegendTest, TheRowUnderTheMouseIsAButtonAndAClickAsksForItsProperties) {
    const TColor background = RGBColor(0x10, 0x20, 0x30);
    legend->GetBackground()->SetUseControlColor(false);
    legend->GetBackground()->SetColor(background);
    display->SetCursor(crCross);
    TListGroup* first =
        AddGroup(QStringLiteral("Alpha"), {{QStringLiteral("one")}, {QStringLiteral("two")}});
    TListGroup* second =
        AddGroup(QStringLiteral("Beta"), {{QStringLiteral("three")}, {QStringLiteral("four")}});
    second->SetCursor(crSizeAll);
    const TRect area = legend->DrawRect();
    const std::vector<int32_t> ys = RowYs();
    const int32_t x = area.Left + 10;

    MoveTo(x, ys[1]);
    EXPECT_EQ(first->HighlightedItemIndex(), 1);
    EXPECT_EQ(second->HighlightedItemIndex(), -1);
    EXPECT_EQ(display->Cursor(), crHandPoint);
    {
        const QImage image = Painted();
        const int32_t h = TextHeight();
        const int32_t top = ys[1] - 1 - h / 2;
        const int32_t bottom = top + Row();
        EXPECT_EQ(image.pixel(area.Left + 5, top) & 0xFFFFFF, PixelOf(background)); // corner
        EXPECT_EQ(image.pixel(area.Right - 6, bottom - 1) & 0xFFFFFF, PixelOf(background));
        EXPECT_EQ(image.pixel(area.Left + 6, top) & 0xFFFFFF, PixelOf(clLime)); // border
        EXPECT_EQ(image.pixel(area.Left + 5, top + 1) & 0xFFFFFF, PixelOf(clLime));
        EXPECT_EQ(image.pixel(area.Left + 21, ys[1]) & 0xFFFFFF, PixelOf(clGreen)); // fill
        EXPECT_EQ(image.pixel(area.Left + 4, ys[1]) & 0xFFFFFF, PixelOf(background));
    }

    MoveTo(x, ys[3]);
    EXPECT_EQ(first->HighlightedItemIndex(), -1);
    EXPECT_EQ(second->HighlightedItemIndex(), 1);
    EXPECT_EQ(display->Cursor(), crSizeAll);

    Press(x, ys[3]);
    Release(x, ys[3]);
    ASSERT_EQ(display->PropertiesRequests.size(), 1u);
    EXPECT_EQ(display->PropertiesRequests[0].Page, 1);
    EXPECT_EQ(display->PropertiesRequests[0].Item, 1);

    std::vector<int32_t> clicked;
    second->OnItemClick = [&](TPersistent* S, int32_t AIndex, bool& AHandled) {
        EXPECT_EQ(S, second);
        clicked.push_back(AIndex);
        AHandled = true;
    };
    Press(x, ys[2]);
    Release(x, ys[2]);
    EXPECT_EQ(clicked, std::vector<int32_t>{0});
    EXPECT_EQ(display->PropertiesRequests.size(), 1u);

    // between the groups no row is hot and the user's cursor is back
    MoveTo(x, ys[1] + Row() + Row() / 2);
    EXPECT_EQ(second->HighlightedItemIndex(), -1);
    EXPECT_EQ(display->Cursor(), crCross);

    MoveTo(x, ys[0]);
    EXPECT_EQ(first->HighlightedItemIndex(), 0);
    MoveTo(10, 10); // over the data view: the legend is left
    EXPECT_EQ(first->HighlightedItemIndex(), -1);
    EXPECT_EQ(display->Cursor(), crCross);

    legend->GetButtons()->SetEnabled(false);
    MoveTo(x, ys[0]);
    EXPECT_EQ(first->HighlightedItemIndex(), -1);
}

class LegendScrollTest : public LegendTest {
protected:
    void SetUp() override {
        LegendTest::SetUp();
        std::vector<TListGroup::TItem> items;
        for (int i = 0; i < 40; ++i)
            items.push_back({QStringLiteral("item %1").arg(i)});
        group = AddGroup(QStringLiteral("Many"), std::move(items));
        // content taller than the control by this much
        excess = legend->ContentHeight() - 280;
        ASSERT_GT(excess, 50);
        const TRect area = legend->DrawRect();
        MoveTo(area.Left + 10, 100);
    }

    TListGroup* group = nullptr;
    int32_t excess = 0;
};

TEST_F(LegendScrollTest, TheWheelScrollsByTenWithinTheContent) {
    EXPECT_EQ(legend->ContentHeight(),
              std::max(Metrics(group->GetCaption()->GetFont()).height() + 1 - 6, 0) + 40 * Row());
    const TPoint p = Point(legend->DrawRect().Left + 10, 100);
    legend->MouseWheelUp({}, p);
    EXPECT_EQ(legend->ScrollPos(), 0);
    legend->MouseWheelDown({}, p);
    legend->MouseWheelDown({}, p);
    EXPECT_EQ(legend->ScrollPos(), 20);
    for (int i = 0; i < 100; ++i)
        legend->MouseWheelDown({}, p);
    EXPECT_EQ(legend->ScrollPos(), (excess + 9) / 10 * 10);
    EXPECT_FALSE(legend->CanScrollDown());
    legend->MouseWheelUp({}, p);
    EXPECT_EQ(legend->ScrollPos(), (excess + 9) / 10 * 10 - 10);
}

TEST_F(LegendScrollTest, AHeldButtonScrollsAtOnceAfter400MsThenEvery50UntilTheLastRow) {
    const TRect down = legend->DownButtonRect();
    EXPECT_EQ(down.Right, legend->DrawRect().Right - 3);
    EXPECT_EQ(down.Bottom, legend->DrawRect().Bottom - 3);
    MoveTo(down.Left + 2, down.Top + 2);
    EXPECT_EQ(legend->HighlightButtonID(), TKvLegendView::ScrollDownButton);
    // no row is hot under a button
    EXPECT_EQ(group->HighlightedItemIndex(), -1);

    Press(down.Left + 2, down.Top + 2);
    EXPECT_EQ(legend->ScrollPos(), 10);
    EXPECT_TRUE(legend->RepeatTimer().GetEnabled());
    EXPECT_EQ(legend->RepeatTimer().GetInterval(), 400u);
    QTRY_COMPARE_WITH_TIMEOUT(legend->ScrollPos(), 20, 10000);
    EXPECT_EQ(legend->RepeatTimer().GetInterval(), 50u);
    QTRY_COMPARE_WITH_TIMEOUT(legend->ScrollPos(), 30, 10000);
    const int32_t last = (excess + 9) / 10 * 10;
    QTRY_COMPARE_WITH_TIMEOUT(legend->ScrollPos(), last, 20000);
    EXPECT_FALSE(legend->CanScrollDown());
    // later ticks find nothing left to scroll
    QTest::qWait(200);
    EXPECT_EQ(legend->ScrollPos(), last);

    Release(down.Left + 2, down.Top + 2);
    EXPECT_FALSE(legend->RepeatTimer().GetEnabled());

    const TRect up = legend->UpButtonRect();
    EXPECT_EQ(up.Top, legend->DrawRect().Top);
    MoveTo(up.Left + 2, up.Top + 2);
    Press(up.Left + 2, up.Top + 2);
    EXPECT_EQ(legend->ScrollPos(), last - 10);
    Release(up.Left + 2, up.Top + 2);
    EXPECT_FALSE(legend->RepeatTimer().GetEnabled());
}

TEST_F(LegendScrollTest, ButtonsShowOnlyWhileTheMouseIsOverTheLegend) {
    const TRect up = legend->UpButtonRect();
    const TRect down = legend->DownButtonRect();
    const auto buttonPixels = [&](const QImage& AImage, const TRect& ARect) {
        int n = 0;
        for (int32_t y = ARect.Top; y < ARect.Bottom; ++y)
            for (int32_t x = ARect.Left; x < ARect.Right; ++x)
                n += (AImage.pixel(x, y) & 0xFFFFFF) == PixelOf(clYellow);
        return n;
    };
    // over the legend: the down arrow in the glyph colour, the up one disabled
    QImage image = Painted();
    EXPECT_GT(buttonPixels(image, down), 0);
    EXPECT_EQ(buttonPixels(image, up), 0);
    MoveTo(10, 10);
    image = Painted();
    EXPECT_EQ(buttonPixels(image, down), 0);
}

TEST_F(LegendTest, ButtonSettingsOfOlderFormsAreRead) {
    QString text = ComponentToText(display.get());
    const qsizetype end = text.lastIndexOf(QLatin1String("end"));
    text.insert(end, QStringLiteral("  Legend.MouseOverBorderColor = clRed\n"
                                    "  Legend.MouseOverButtonColor = 65535\n"
                                    "  Legend.MouseDownBorderColor = clBlue\n"
                                    "  Legend.MouseDownButtonColor = clWhite\n"
                                    "  Legend.ButtonsEnabled = False\n"));
    ReadComponentFromText(text, display.get());
    TKvLegendViewButtonSettings* buttons = legend->GetButtons();
    EXPECT_EQ(buttons->GetMouseOverBorderColor(), clRed);
    EXPECT_EQ(buttons->GetMouseOverColor(), clYellow);
    EXPECT_EQ(buttons->GetMouseDownBorderColor(), clBlue);
    EXPECT_EQ(buttons->GetMouseDownColor(), clWhite);
    EXPECT_FALSE(buttons->GetEnabled());
    // and written back in the current form only
    const QString written = ComponentToText(display.get());
    EXPECT_FALSE(written.contains(QLatin1String("ButtonsEnabled")));
    EXPECT_TRUE(written.contains(QLatin1String("Legend.Buttons.MouseOverColor")));
}

TEST_F(LegendTest, FontLaysOutAgainWhileButtonColoursOnlyRepaint) {
    AddGroup(QStringLiteral("G"), {{QStringLiteral("item")}});
    display->Settle();
    legend->GetFont()->SetSize(12);
    EXPECT_TRUE(display->NeedsRecalc());
    display->Settle();
    legend->GetButtons()->SetButtonColor(clMaroon);
    EXPECT_FALSE(display->NeedsRecalc());
    EXPECT_TRUE(display->RefreshPending());
}

TEST_F(LegendTest, AGroupFreedFirstLeavesTheLegendAndOneLeftBehindForgetsIt) {
    TListGroup* a = AddGroup(QStringLiteral("A"), {{QStringLiteral("a")}});
    AddGroup(QStringLiteral("B"), {{QStringLiteral("b")}});
    ASSERT_EQ(legend->GroupCount(), 2);
    groups.erase(groups.begin());
    EXPECT_EQ(legend->GroupCount(), 1);
    EXPECT_EQ(legend->Groups(0)->DefaultLabel(), QStringLiteral("B"));
    EXPECT_THROW(legend->Groups(1), EListError);
    (void)a;
    // the display (and its legend) goes before the remaining group
    TOwned<TListGroup> survivor = std::move(groups.back());
    groups.clear();
    display.reset();
    EXPECT_EQ(survivor->Legend(), nullptr);
}

} // namespace

namespace {

// An item that remembers its highlight and draws a symbol of its own when
// asked to: a 3 x 3 square in its colour centred on the row's point.
class TSymbolItem : public TKvOptionalDisplayCollectionItem {
public:
    explicit TSymbolItem(TCollection* ACollection)
        : TKvOptionalDisplayCollectionItem(ACollection) {}

    bool IsHighlighted() override { return Highlighted; }
    void SetHighlighted(bool AState) override { Highlighted = AState; }
    TColor GetLegendColor() override { return clFuchsia; }
    bool DrawLegendSymbol(THxCanvas* ACanvas, int32_t Y, int32_t X) override {
        if (!OwnSymbol)
            return false;
        ACanvas->GetBrush().SetStyle(lbsSolid);
        ACanvas->GetBrush().SetColor(clAqua);
        ACanvas->FillRect(Rect(X, Y - 1, X + 3, Y + 2));
        return true;
    }

    bool Highlighted = false;
    bool OwnSymbol = false;

protected:
    ~TSymbolItem() override = default;
};

class CollectionLegendTest : public LegendTest {
protected:
    void SetUp() override {
        LegendTest::SetUp();
        items.reset(new TKvDisplayCollection(display.get(), display.get(), display->Lock(),
                                             ItemFactory<TSymbolItem>()));
        for (const char* name : {"first", "hidden", "third"})
            Add()->SetName(QString::fromLatin1(name));
        Item(1)->SetVisible(false);
        group.reset(new TKvLegendGroup(legend, QStringLiteral("Markers"), items.get()));
        legend->AddGroup(group.get());
        display->Settle();
    }
    void TearDown() override {
        group.reset();
        items.reset();
        LegendTest::TearDown();
    }
    TSymbolItem* Add() { return static_cast<TSymbolItem*>(items->Add()); }
    TSymbolItem* Item(int AIndex) { return static_cast<TSymbolItem*>(items->Items(AIndex)); }
    // The Y of the row of the visible item AVisibleIndex.
    int32_t RowY(int32_t AVisibleIndex) const {
        const int32_t ch = Metrics(group->GetCaption()->GetFont()).height();
        return legend->DrawRect().Top + Row() / 2 + 2 + std::max(ch + 1, 6) - 6 +
               AVisibleIndex * Row();
    }

    TOwned<TKvDisplayCollection> items;
    TOwned<TKvLegendGroup> group;
};

TEST_F(CollectionLegendTest, ShowsTheVisibleItemsByNameAndTellsThemOfTheHighlight) {
    const QFontMetrics caption = Metrics(group->GetCaption()->GetFont());
    const QFontMetrics names = Metrics(legend->GetFont());
    EXPECT_EQ(legend->DefaultRect().cx,
              std::max({caption.horizontalAdvance(QStringLiteral("Markers")) + 23,
                        names.horizontalAdvance(QStringLiteral("first")) + 30,
                        names.horizontalAdvance(QStringLiteral("third")) + 30}));
    EXPECT_EQ(group->CaptionText(), QStringLiteral("Markers"));

    const int32_t x = legend->DrawRect().Left + 10;
    MoveTo(x, RowY(1));
    EXPECT_EQ(group->HighlightedItemIndex(), 2);
    EXPECT_FALSE(Item(0)->Highlighted);
    EXPECT_TRUE(Item(2)->Highlighted);
    MoveTo(x, RowY(0));
    EXPECT_TRUE(Item(0)->Highlighted);
    EXPECT_FALSE(Item(2)->Highlighted);
    MoveTo(10, 10);
    EXPECT_FALSE(Item(0)->Highlighted);
    EXPECT_FALSE(Item(2)->Highlighted);

    // a renamed item widens the legend
    display->Settle();
    Item(2)->SetName(QStringLiteral("a much longer name than before"));
    display->Settle();
    EXPECT_EQ(legend->DefaultRect().cx,
              names.horizontalAdvance(QStringLiteral("a much longer name than before")) + 30);
}

TEST_F(CollectionLegendTest, AnItemMayDrawItsOwnSymbol) {
    Item(0)->OwnSymbol = true;
    display->InvalidateRefresh();
    const TRect area = legend->DrawRect();
    const QImage image = Painted();
    const int32_t own = RowY(0);
    const int32_t plain = RowY(1);
    for (int32_t dx = 0; dx < 13; ++dx) {
        // its own square where the symbol starts, nothing of the plain bar beyond it
        const uint32_t expectedOwn = dx < 3 ? PixelOf(clAqua) : 0u;
        EXPECT_EQ(image.pixel(area.Left + 6 + dx, own) & 0xFFFFFF, expectedOwn) << dx;
        EXPECT_EQ(image.pixel(area.Left + 6 + dx, plain) & 0xFFFFFF, PixelOf(clFuchsia)) << dx;
    }
}

} // namespace
