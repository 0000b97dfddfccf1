#pragma once
// The four image lists of toolbar and legend buttons (mouse over, down, up,
// disabled), recoloured from the two-tone strip "KV_SCOPE_BUTTONS1G".

#include "foundation/HxImageList.h"
#include "platform/Colors.h"

#include <cstdint>

// Images of the strip, in its order.
enum TKvButtonImage : int32_t {
    biDownArrow,
    biUpArrow,
    biRun,
    biPause,
    biZoomIn,
    biZoomOut,
    biZoomOff,
    biPrint,
    biSave,
    biCopy,
    biSetup,
    biZoomPrevious,
    biZoomNext,
    biFourWayArrows,
    biMagnifier,
    biHand,
    biHorizontalArrows,
    biVerticalArrows,
    biImageCount
};

// The colours of a set of buttons (a toolbar's or the legend's).
struct TKvButtonColors {
    TColor Glyph = clYellow;
    TColor Border = clGreen;
    TColor Button = clBlack;
    TColor MouseOverBorder = clLime;
    TColor MouseOverButton = clGreen;
    TColor MouseDownBorder = clYellow;
    TColor MouseDownButton = clOlive;
    TColor Disabled = clGreen;
};

class TKvDisplayButtonImages {
public:
    static constexpr int32_t ImageSize = 16;
    static constexpr const char* ResourceName = "KV_SCOPE_BUTTONS1G";

    // ABackground is the colour the buttons are drawn on; the transparent
    // key keeps clear of it.
    TKvDisplayButtonImages(const TKvButtonColors& AColors, TColor ABackground);

    // Loads the strip into all four lists again and recolours them.
    void Rebuild(const TKvButtonColors& AColors, TColor ABackground);

    const THxImageList& MouseOver() const { return FMouseOver; }
    const THxImageList& Down() const { return FDown; }
    const THxImageList& Up() const { return FUp; }
    const THxImageList& Disabled() const { return FDisabled; }

    // Colours in pixel order (0x00RRGGBB), as the images hold them.
    static uint32_t PixelColor(TColor AColor);
    // The first value counting up from 0xFFFFFE (and on from 0 past
    // 0xFFFFFF) that equals none of AUsed, in pixel order.
    static uint32_t TransparentKey(const uint32_t (&AUsed)[5]);
    // Maps the strip's colours of every image of AList to the given ones;
    // the strip's pure blue is border only when AEnabled. Other pixels
    // become transparent.
    static void Recolor(THxImageList& AList, TColor AGlyph, bool AEnabled, TColor AButton,
                        TColor ABorder, TColor ABackground);

private:
    THxImageList FMouseOver;
    THxImageList FDown;
    THxImageList FUp;
    THxImageList FDisabled;
};
