// The title: its room in the layout, where its text goes on each side, what
// a change of each setting asks of the display, and the stored form.

#include "ViewPixels.h"
#include "ViewsTestDisplay.h"

#include "platform/StoredForm.h"

namespace {

class TitleTest : public TDisplayInWindow<TTitledTestDisplay> {
protected:
    void SetUp() override {
        TDisplayInWindow::SetUp();
        title = display->GetTitle();
        title->SetText(QStringLiteral("Waterfall"));
        display->Settle();
    }

    QFontMetrics Metrics() const { return QFontMetrics(title->GetFont()->ToQFont()); }

    TKvDisplayTitle* title = nullptr;
};

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
    const QString text = QStringLiteral("Waterfall");
    const QFontMetrics metrics = Metrics();
    const int32_t w = metrics.horizontalAdvance(text);
    const int32_t h = metrics.height();
    const int32_t size = h + 16;
    const auto check = [&](TKvViewAlign AAlign, const TRect& AArea, int32_t X, int32_t Y,
                           int32_t AAngle) {
        SCOPED_TRACE(AAlign);
        title->SetAlign(AAlign);
        TExpectedPicture expected(QSize(450, 280), PixelOf(background));
        expected.Text({text, title->GetFont()->ToQFont(), X, Y, AAngle});
        const QImage image = Painted();
        expected.ExpectSame(image, AArea);
        int ink = 0;
        for (int32_t y = AArea.Top; y < AArea.Bottom; ++y)
            for (int32_t x = AArea.Left; x < AArea.Right; ++x)
                ink += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        EXPECT_GT(ink, 20);
    };
    check(vaTop, Rect(0, 0, 450, size), (450 - w) / 2, 4, 0);
    check(vaBottom, Rect(0, 280 - size, 450, 280), (450 - w) / 2, 280 - size + 4, 0);
    // reading upwards from the point, centred on the height
    check(vaLeft, Rect(0, 0, size, 280), 4, (280 + w) / 2, 90);
    // reading downwards, its cell to the left of the point
    check(vaRight, Rect(450 - size, 0, 450, 280), 450 - 4, (280 - w) / 2, 270);
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
