#pragma once
// A font in a display's settings. Family is the font name under the name
// the property pages use; the stored form keeps Name. The colour is always
// stored, since display fonts are created with their owner's colour.

#include "platform/Graphics.h"

class TKvDisplayFont : public TFont {
    Q_OBJECT
    Q_PROPERTY(QString Family READ Name WRITE SetName STORED false)
    Q_CLASSINFO("default:Color", "")
public:
    TKvDisplayFont();

    // Size in points.
    void SetUniSize(int32_t ASize);

protected:
    ~TKvDisplayFont() override;
};
