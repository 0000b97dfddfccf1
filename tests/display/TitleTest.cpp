// The title: its room in the layout, where its text goes on each side, what
// a change of each setting asks of the display, and the stored form.

#include "ViewPixels.h"
#include "ViewsTestDisplay.h"

#include "platform/StoredForm.h"

namespace {

class TitleTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<QWidget>();
        host->resize(500, 320);
        display = MakeOwned<TTitledTestDisplay>(nullptr);
        display->Widget()->setParent(host.get());
        display->SetBounds(0, 0, 450, 280);
        display->Widget()->show();
        title = display->GetTitle();
        title->SetText(QStringLiteral("Waterfall"));
        display->Settle();
    }
    void TearDown() override {
        display.reset();
        host.reset();
    }

    QImage Painted() {
        return display->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QFontMetrics Metrics() const { return QFontMetrics(title->GetFont()->ToQFont()); }

    std::unique_ptr<QWidget> host;
    TOwned<TTitledTestDisplay> display;
    TKvDisplayTitle* title = nullptr;
};

TEST_F(TitleTest, DefaultsAreABoldWhiteArialOnTop) {
    EXPECT_EQ(title->GetViewAlign(), vaTop);
    EXPECT_TRUE(title->GetVisible());
    EXPECT_EQ(title->GetFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(title->GetFont()->Size(), 16);
    EXPECT_EQ(title->GetFont()->Style(), TFont::TFontStyles(TFont::fsBold));
    EXPECT_EQ(title->GetFont()->Color(), clWhite);
    EXPECT_TRUE(title->GetBackground()->GetUseControlColor());
}

TEST_F(TitleTest, TakesTheTextHeightAndSixteenOrItsFixedSizeAndNothingHidden) {
    const int32_t height = Metrics().height() + 16;
    EXPECT_EQ(title->DrawRect(), Rect(0, 0, 450, height));
    EXPECT_EQ(display->Data()->DrawRect(), Rect(0, height, 450, 280));

    title->GetViewSize()->SetAutoSize(false);
    title->GetViewSize()->SetSize(40);
    display->Settle();
    EXPECT_EQ(title->DrawRect(), Rect(0, 0, 450, 40));

    title->SetAlign(vaLeft);
    display->Settle();
    EXPECT_EQ(title->DrawRect(), Rect(0, 0, 40, 280));
    EXPECT_EQ(display->Data()->DrawRect(), Rect(40, 0, 450, 280));

    title->SetVisible(false);
    display->Settle();
    EXPECT_EQ(title->DrawRect(), TRect{});
    EXPECT_EQ(display->Data()->DrawRect(), Rect(0, 0, 450, 280));
}

TEST_F(TitleTest, TextIsCentredOnEachSideOverItsOwnBackground) {
    const TColor background = RGBColor(0x40, 0x00, 0x40);
    title->GetBackground()->SetUseControlColor(false);
    title->GetBackground()->SetColor(background);
    const QFontMetrics metrics = Metrics();
    const int32_t w = metrics.horizontalAdvance(QStringLiteral("Waterfall"));
    const int32_t h = metrics.height();
    const int32_t size = h + 16;

    {
        SCOPED_TRACE("top");
        const int32_t x = (450 - w) / 2;
        ExpectTextOnlyInCells(Painted(), Rect(0, 0, 450, size), {Rect(x, 4, x + w, 4 + h)},
                              PixelOf(background), 0xFFFFFF);
    }
    {
        SCOPED_TRACE("bottom");
        title->SetAlign(vaBottom);
        const int32_t x = (450 - w) / 2;
        const int32_t top = 280 - size;
        ExpectTextOnlyInCells(Painted(), Rect(0, top, 450, 280),
                              {Rect(x, top + 4, x + w, top + 4 + h)}, PixelOf(background),
                              0xFFFFFF);
    }
    {
        SCOPED_TRACE("left, reading upwards");
        title->SetAlign(vaLeft);
        const int32_t bottom = (280 + w) / 2;
        ExpectTextOnlyInCells(Painted(), Rect(0, 0, size, 280),
                              {Rect(4, bottom - w, 4 + h, bottom)}, PixelOf(background), 0xFFFFFF);
    }
    {
        SCOPED_TRACE("right, reading downwards");
        title->SetAlign(vaRight);
        const int32_t top = (280 - w) / 2;
        ExpectTextOnlyInCells(Painted(), Rect(450 - size, 0, 450, 280),
                              {Rect(450 - 4 - h, top, 450 - 4, top + w)}, PixelOf(background),
                              0xFFFFFF);
    }
}

TEST_F(TitleTest, AwkwardTextsAndFontsLayOutWithoutFault) {
    title->SetAlign(vaRight);
    for (const QString& text :
         {QString(), QString(400, QLatin1Char('W')), QStringLiteral("Xg \u00e4\u4e2d")}) {
        title->SetText(text);
        for (const int32_t size : {0, 1, 500}) {
            title->GetFont()->SetSize(size);
            const QImage image = Painted();
            EXPECT_FALSE(image.isNull());
            EXPECT_EQ(title->DrawRect().Width(), Metrics().height() + 16) << size;
        }
    }
}

TEST_F(TitleTest, TextAndFontLayOutAgainWhileTheBackgroundOnlyRepaints) {
    const auto check = [&](const char* AWhat, auto AChange, bool ALayout) {
        display->Settle();
        AChange();
        EXPECT_EQ(display->NeedsRecalc(), ALayout) << AWhat;
        EXPECT_TRUE(display->RefreshPending()) << AWhat;
    };
    check(
        "Text", [&] { title->SetText(QStringLiteral("Other")); }, true);
    check(
        "Font size", [&] { title->GetFont()->SetSize(20); }, true);
    check(
        "Font assigned",
        [&] {
            TOwned<TKvDisplayFont> font = MakeOwned<TKvDisplayFont>();
            font->Assign(title->GetFont());
            font->SetName(QStringLiteral("Courier"));
            title->SetFont(font.get());
        },
        true);
    check(
        "Background", [&] { title->GetBackground()->SetColor(clNavy); }, false);
}

TEST_F(TitleTest, RoundTripsThroughTheStoredFormWritingOnlyWhatDiffers) {
    const QString plain = ComponentToText(display.get());
    for (const char* name : {"Title.Align", "Title.Visible", "Title.ViewSize", "Title.Background",
                             "Legend.Align", "Legend.Visible", "Legend.Buttons"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name << "\n" << plain.toStdString();

    title->SetText(QStringLiteral("It's a title"));
    title->SetAlign(vaBottom);
    title->SetVisible(false);
    title->GetViewSize()->SetAutoSize(false);
    title->GetViewSize()->SetSize(33);
    title->GetBackground()->SetUseControlColor(false);
    title->GetBackground()->SetColor(clTeal);
    title->GetFont()->SetSize(11);
    TKvLegendView* legend = display->GetLegend();
    legend->SetAlign(vaLeft);
    legend->GetFont()->SetColor(clYellow);
    legend->GetButtons()->SetMouseOverColor(clNavy);
    legend->GetButtons()->SetGlyphColor(clAqua);
    legend->GetButtons()->SetEnabled(false);
    legend->GetButtons()->SetCursor(crDefault);
    const QString text = ComponentToText(display.get());

    auto copy = MakeOwned<TTitledTestDisplay>(nullptr);
    ReadComponentFromText(text, copy.get());
    TKvDisplayTitle* t = copy->GetTitle();
    EXPECT_EQ(t->GetText(), QStringLiteral("It's a title"));
    EXPECT_EQ(t->GetViewAlign(), vaBottom);
    EXPECT_FALSE(t->GetVisible());
    EXPECT_FALSE(t->GetViewSize()->GetAutoSize());
    EXPECT_EQ(t->GetViewSize()->GetSize(), 33u);
    EXPECT_FALSE(t->GetBackground()->GetUseControlColor());
    EXPECT_EQ(t->GetBackground()->GetColor(), clTeal);
    EXPECT_EQ(t->GetFont()->Size(), 11);
    EXPECT_EQ(t->GetFont()->Style(), TFont::TFontStyles(TFont::fsBold));
    TKvLegendView* l = copy->GetLegend();
    EXPECT_EQ(l->GetViewAlign(), vaLeft);
    EXPECT_EQ(l->GetFont()->Color(), clYellow);
    EXPECT_EQ(l->GetButtons()->GetMouseOverColor(), clNavy);
    EXPECT_EQ(l->GetButtons()->GetGlyphColor(), clAqua);
    EXPECT_FALSE(l->GetButtons()->GetEnabled());
    EXPECT_EQ(l->GetButtons()->GetCursor(), crDefault);
    EXPECT_EQ(ComponentToText(copy.get()), text);
}

} // namespace
