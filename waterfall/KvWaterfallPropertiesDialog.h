#pragma once
// The waterfall's "Settings" dialog as the control sees it. The dialogs sit
// above the waterfall in the layers, so the control only declares what it
// needs of the dialog and a factory that makes one; the dialogs register
// the factory (KvRegisterWaterfallDialogs in dialogs/). Without one, asking
// for the properties opens nothing.

#include "platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>

class TKvBasicWaterfall;

class IKvWaterfallPropertiesDialog {
public:
    virtual ~IKvWaterfallPropertiesDialog() = default;
    // The dialog's width, for placing it by the control's right edge.
    virtual int32_t DialogWidth() const = 0;
    // Puts the dialog's top-left corner at the screen point APoint.
    virtual void MoveTo(TPoint APoint) = 0;
    // Shows the dialog and returns when it has closed.
    virtual void ShowModal() = 0;
};

// Makes the dialog for AWaterfall on page APage (0 marker groups, 1 axes,
// 2 levels, as if every page were there) with item AItem of that page
// selected; null when it cannot edit this control.
using TKvWaterfallPropertiesDialogFactory =
    std::function<std::unique_ptr<IKvWaterfallPropertiesDialog>(TKvBasicWaterfall& AWaterfall,
                                                                int32_t APage, int32_t AItem)>;
