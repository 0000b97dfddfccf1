// The button strip compiled into the display library and its four lists
// recoloured from the strip's two-tone convention.

#include "DisplayFixture.h"

#include "display/KvDisplayButtonImages.h"
#include "platform/Bitmap.h"

#include <QImage>
#include <QSet>

namespace {

constexpr uint32_t kWhite = 0xFFFFFF, kGrey = 0x808080, kBlue = 0x0000FF, kSilver = 0xC0C0C0,
                   kBlack = 0x000000, kRed = 0xFF0000;

// Shows through wherever an image is transparent; none of the tests'
// colours is this one.
constexpr uint32_t kShowThrough = 0x5A3C1E;

QImage Strip() {
    // The lists ask for the resource first, so a static link keeps it.
    TKvDisplayButtonImages images({}, clBlack);
    return QImage(QStringLiteral(":/KV_SCOPE_BUTTONS1G")).convertToFormat(QImage::Format_RGB32);
}

// Image AIndex of AList drawn on a bitmap filled with kShowThrough.
QImage Drawn(const THxImageList& AList, int AIndex) {
    TBitmap bitmap(AList.Width(), AList.Height(), pf32bit);
    for (int y = 0; y < bitmap.Height(); ++y)
        std::fill_n(reinterpret_cast<uint32_t*>(bitmap.ScanLine(y)), bitmap.Width(),
                    0xFF000000u | kShowThrough);
    AList.GetBitmap(AIndex, bitmap);
    return bitmap.Image().convertToFormat(QImage::Format_RGB32);
}

// 0x00BBGGRR -> 0x00RRGGBB, written out per channel.
uint32_t PixelOf(TColor AColor) {
    const auto c = static_cast<uint32_t>(AColor);
    const uint32_t r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

uint32_t Midpoint(uint32_t A, uint32_t B) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16})
        out |= ((((A >> shift) & 0xFF) + ((B >> shift) & 0xFF)) / 2) << shift;
    return out;
}

struct ListColors {
    const char* name;
    TColor glyph, button, border;
    bool enabled;
};

// Every pixel of every image of AList against the strip: the convention's
// colours replaced, everything else (the corners; blue when disabled)
// transparent.
void ExpectRecolored(const QImage& AStrip, const THxImageList& AList, const ListColors& AColors) {
    SCOPED_TRACE(AColors.name);
    ASSERT_EQ(AList.Count(), 18);
    const uint32_t glyph = PixelOf(AColors.glyph), button = PixelOf(AColors.button),
                   border = PixelOf(AColors.border);
    int mismatches = 0;
    for (int index = 0; index < AList.Count(); ++index) {
        const QImage drawn = Drawn(AList, index);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const uint32_t source = AStrip.pixel(index * 16 + x, y) & 0xFFFFFF;
                uint32_t expected = kShowThrough;
                if (source == kWhite)
                    expected = glyph;
                else if (source == kGrey || (source == kBlue && AColors.enabled))
                    expected = border;
                else if (source == kSilver)
                    expected = Midpoint(glyph, button);
                else if (source == kBlack)
                    expected = button;
                const uint32_t actual = drawn.pixel(x, y) & 0xFFFFFF;
                if (actual != expected && ++mismatches <= 5)
                    ADD_FAILURE() << "image " << index << " (" << x << ", " << y << "): source "
                                  << std::hex << source << " drawn " << actual << " expected "
                                  << expected;
            }
    }
    EXPECT_EQ(mismatches, 0);
}

void ExpectAllRecolored(const TKvButtonColors& AColors, TColor ABackground) {
    const QImage strip = Strip();
    TKvDisplayButtonImages images(AColors, ABackground);
    ExpectRecolored(
        strip, images.MouseOver(),
        {"mouse over", AColors.Glyph, AColors.MouseOverButton, AColors.MouseOverBorder, true});
    ExpectRecolored(
        strip, images.Down(),
        {"down", AColors.Glyph, AColors.MouseDownButton, AColors.MouseDownBorder, true});
    ExpectRecolored(strip, images.Up(),
                    {"up", AColors.Glyph, AColors.Button, AColors.Border, true});
    ExpectRecolored(strip, images.Disabled(),
                    {"disabled", AColors.Disabled, AColors.Button, AColors.Disabled, false});
}

TEST(ButtonStripTest, IsEighteenFramedImagesInTheConventionsColours) {
    const QImage raw(QStringLiteral(":/KV_SCOPE_BUTTONS1G"));
    const QImage strip = Strip();
    ASSERT_FALSE(strip.isNull());
    EXPECT_EQ(strip.size(), QSize(288, 16));
    EXPECT_LE(raw.colorCount(), 16);

    const QSet<uint32_t> convention{kWhite, kGrey, kBlue, kSilver, kBlack, kRed};
    QSet<QByteArray> distinct;
    for (int index = 0; index < 18; ++index) {
        const QImage image = strip.copy(index * 16, 0, 16, 16);
        distinct.insert(QByteArray(reinterpret_cast<const char*>(image.constBits()),
                                   static_cast<qsizetype>(image.sizeInBytes())));
        int white = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const uint32_t pixel = image.pixel(x, y) & 0xFFFFFF;
                EXPECT_TRUE(convention.contains(pixel))
                    << "image " << index << " (" << x << ", " << y << ") " << std::hex << pixel;
                white += pixel == kWhite;
            }
        EXPECT_GT(white, 8) << "image " << index << " has no glyph";
        // marked corners, so that the buttons come out round
        for (auto [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}})
            EXPECT_EQ(image.pixel(x, y) & 0xFFFFFF, kRed) << "image " << index;
    }
    EXPECT_EQ(distinct.size(), 18);
}

TEST(ButtonImagesTest, FourListsRecolorPixelByPixel) {
    // every channel different, so that swapped red and blue show
    TKvButtonColors colors;
    colors.Glyph = RGBColor(0xF0, 0xE1, 0x12);
    colors.Border = RGBColor(0x21, 0x43, 0x65);
    colors.Button = RGBColor(0x09, 0x18, 0x27);
    colors.MouseOverBorder = RGBColor(0x36, 0x45, 0x54);
    colors.MouseOverButton = RGBColor(0x63, 0x72, 0x81);
    colors.MouseDownBorder = RGBColor(0x90, 0xA0, 0xB0);
    colors.MouseDownButton = RGBColor(0xC1, 0xD2, 0xE3);
    colors.Disabled = RGBColor(0x4F, 0x5E, 0x6D);
    ExpectAllRecolored(colors, clBlack);
    // the defaults, and a system colour as the background
    ExpectAllRecolored(TKvButtonColors{}, clBtnFace);
}

TEST(ButtonImagesTest, TransparentKeyAvoidsEveryColourInUse) {
    EXPECT_EQ(TKvDisplayButtonImages::TransparentKey({1, 2, 3, 4, 5}), 0xFFFFFEu);
    EXPECT_EQ(TKvDisplayButtonImages::TransparentKey({1, 0xFFFFFE, 3, 4, 5}), 0xFFFFFFu);
    // past white the count goes on from black rather than leaving 24 bits
    EXPECT_EQ(TKvDisplayButtonImages::TransparentKey({0xFFFFFF, 0xFFFFFE, 0, 2, 5}), 1u);

    // Colours taking the first keys still show: glyph 0xFFFFFE, border
    // white, background black, button 0x000001 (middle 0x7F7F7F) leave
    // 0x000002 as the key, and nothing drawn disappears.
    TKvButtonColors colors;
    colors.Glyph = RGBColor(0xFF, 0xFF, 0xFE);
    colors.Border = clWhite;
    colors.Button = RGBColor(0, 0, 1);
    colors.MouseOverBorder = clWhite;
    colors.MouseOverButton = RGBColor(0, 0, 1);
    colors.MouseDownBorder = clWhite;
    colors.MouseDownButton = RGBColor(0, 0, 1);
    colors.Disabled = RGBColor(0xFF, 0xFF, 0xFE);
    ExpectAllRecolored(colors, clBlack);
    // a white background takes the place of the white border
    colors.Border = clBlack;
    colors.MouseOverBorder = clBlack;
    colors.MouseDownBorder = clBlack;
    ExpectAllRecolored(colors, clWhite);
}

using ToolBarImagesTest = DisplayFixture;

TEST_F(ToolBarImagesTest, ToolBarRebuildsItsImagesWhenAColourChanges) {
    TKvDisplayToolBar* toolbar = display->GetToolBar();
    ASSERT_NE(toolbar, nullptr);
    const QImage strip = Strip();
    // a white pixel of the run glyph
    int gx = -1, gy = -1;
    for (int y = 0; y < 16 && gx < 0; ++y)
        for (int x = 0; x < 16 && gx < 0; ++x)
            if ((strip.pixel(biRun * 16 + x, y) & 0xFFFFFF) == kWhite) {
                gx = x;
                gy = y;
            }
    ASSERT_GE(gx, 0);
    EXPECT_EQ(Drawn(toolbar->ButtonImages().Up(), biRun).pixel(gx, gy) & 0xFFFFFF,
              PixelOf(toolbar->GetGlyphColor()));

    toolbar->SetGlyphColor(RGBColor(0x12, 0x34, 0x56));
    toolbar->SetMouseDownButtonColor(RGBColor(0x65, 0x43, 0x21));
    TKvButtonColors expected;
    expected.Glyph = RGBColor(0x12, 0x34, 0x56);
    expected.MouseDownButton = RGBColor(0x65, 0x43, 0x21);
    ExpectRecolored(strip, toolbar->ButtonImages().Up(),
                    {"up", expected.Glyph, expected.Button, expected.Border, true});
    ExpectRecolored(
        strip, toolbar->ButtonImages().Down(),
        {"down", expected.Glyph, expected.MouseDownButton, expected.MouseDownBorder, true});
}

} // namespace
