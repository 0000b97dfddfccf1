#include "display/KvDisplayButtonImages.h"

#include "platform/Bitmap.h"

#include <algorithm>

// The strip is only a resource of this library; a static link drops it
// unless something asks for it by name.
static void InitButtonResource() {
    static const bool done = [] {
        Q_INIT_RESOURCE(kv_display_resources);
        return true;
    }();
    (void)done;
}

TKvDisplayButtonImages::TKvDisplayButtonImages(const TKvButtonColors& AColors, TColor ABackground)
    : FMouseOver(ImageSize, ImageSize), FDown(ImageSize, ImageSize), FUp(ImageSize, ImageSize),
      FDisabled(ImageSize, ImageSize) {
    Rebuild(AColors, ABackground);
}

void TKvDisplayButtonImages::Rebuild(const TKvButtonColors& AColors, TColor ABackground) {
    InitButtonResource();
    const QString name = QString::fromLatin1(ResourceName);
    for (THxImageList* list : {&FMouseOver, &FDown, &FUp, &FDisabled}) {
        list->Clear();
        // loaded opaque: the corner marks are told apart by colour below
        list->LoadResourceBitmap(name, clNone);
    }
    Recolor(FMouseOver, AColors.Glyph, true, AColors.MouseOverButton, AColors.MouseOverBorder,
            ABackground);
    Recolor(FDown, AColors.Glyph, true, AColors.MouseDownButton, AColors.MouseDownBorder,
            ABackground);
    Recolor(FUp, AColors.Glyph, true, AColors.Button, AColors.Border, ABackground);
    Recolor(FDisabled, AColors.Disabled, false, AColors.Button, AColors.Disabled, ABackground);
}

uint32_t TKvDisplayButtonImages::PixelColor(TColor AColor) {
    const uint32_t bgr = ColorToRGB(AColor);
    return ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

uint32_t TKvDisplayButtonImages::TransparentKey(const uint32_t (&AUsed)[5]) {
    // Past 0xFFFFFF the count goes on from black: a key beyond 24 bits is
    // no colour and would clash with black once stored.
    uint32_t key = 0xFFFFFE;
    while (std::find(std::begin(AUsed), std::end(AUsed), key) != std::end(AUsed))
        key = (key + 1) & 0xFFFFFFu;
    return key;
}

static uint32_t MidChannel(uint32_t A, uint32_t B, int AShift) {
    const uint32_t a = (A >> AShift) & 0xFFu;
    const uint32_t b = (B >> AShift) & 0xFFu;
    const uint32_t low = std::min(a, b);
    return (low + (std::max(a, b) - low) / 2) << AShift;
}

void TKvDisplayButtonImages::Recolor(THxImageList& AList, TColor AGlyph, bool AEnabled,
                                     TColor AButton, TColor ABorder, TColor ABackground) {
    const uint32_t glyph = PixelColor(AGlyph);
    const uint32_t button = PixelColor(AButton);
    const uint32_t border = PixelColor(ABorder);
    const uint32_t middle =
        MidChannel(glyph, button, 16) | MidChannel(glyph, button, 8) | MidChannel(glyph, button, 0);
    const uint32_t key = TransparentKey({glyph, border, PixelColor(ABackground), middle, button});
    // back to the stored form for the list's mask
    const TColor keyColor =
        static_cast<TColor>(((key & 0xFFu) << 16) | (key & 0xFF00u) | ((key >> 16) & 0xFFu));

    for (int32_t index = 0; index < AList.Count(); ++index) {
        TBitmap image(AList.Width(), AList.Height(), pf32bit);
        for (int32_t y = 0; y < image.Height(); ++y)
            std::fill_n(reinterpret_cast<uint32_t*>(image.ScanLine(y)), image.Width(), 0xFF000000u);
        AList.GetBitmap(index, image);
        for (int32_t y = 0; y < image.Height(); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(image.ScanLine(y));
            for (int32_t x = 0; x < image.Width(); ++x) {
                uint32_t out;
                switch (row[x] & 0xFFFFFFu) {
                case 0xFFFFFF:
                    out = glyph;
                    break;
                case 0x808080:
                    out = border;
                    break;
                case 0x0000FF:
                    out = AEnabled ? border : key;
                    break;
                case 0xC0C0C0:
                    out = middle;
                    break;
                case 0x000000:
                    out = button;
                    break;
                default:
                    out = key;
                }
                row[x] = 0xFF000000u | out;
            }
        }
        AList.ReplaceMasked(index, image, keyColor);
    }
}
