#pragma once
// A pen in a display's settings. It is created with its owner's colour and
// style, so those are always stored: the framework pen's defaults (black,
// solid) would lose a changed value that happens to equal them.

#include "platform/Graphics.h"

class TKvDisplayPen : public TPen {
    Q_OBJECT
    Q_CLASSINFO("default:Color", "")
    Q_CLASSINFO("default:Style", "")
public:
    TKvDisplayPen(TPenStyle AStyle, TColor AColor);

protected:
    ~TKvDisplayPen() override;
};
