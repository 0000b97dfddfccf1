#pragma once
// The waterfall's "Settings" dialog: the "Marker Groups" page (only when the
// control has marker groups), "Axes" and "Levels". Every page edits the
// control's settings live, so OK is all there is.

#include "dialogs/RnCommonPropertiesFormUnit.h"

#include <cstdint>

class TKvWaterfall;

class TKvWaterfallPropertiesForm : public TRnCommonPropertiesForm {
    Q_OBJECT
public:
    // The dialog on AWaterfall (the pages hold its settings objects, not
    // owned), with page APage active: 0 marker groups, 1 axes, 2 levels.
    // Without marker groups their page is left out and a later page is
    // asked for by its number less one. AItemIndex selects the item of the
    // page APage names; the other pages start on item 0.
    TKvWaterfallPropertiesForm(TKvWaterfall* AWaterfall, int32_t AItemIndex, uint8_t APage);
    static TKvWaterfallPropertiesForm* CreateEx(TKvWaterfall* AWaterfall, int32_t AItemIndex,
                                                uint8_t APage);
};

// Lets every waterfall open this dialog from its toolbar, axis labels, level
// caption and legend (TKvBasicWaterfall::SetPropertiesDialogFactory). Static
// libraries leave out what nobody refers to, so a program calls this once at
// start rather than relying on a static initialiser.
void KvRegisterWaterfallDialogs();
