#pragma once
// The display's title: one line of text on a side of the control, centred
// along it and turned to read upwards on the left and downwards on the right.

#include "display/KvDisplayViews.h"
#include "foundation/KvDisplayFont.h"

class TKvDisplayTitle : public TKvOptionalView {
    Q_OBJECT
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
    Q_PROPERTY(TKvDisplayFont* Font READ GetFont WRITE SetFont)
    Q_CLASSINFO("default:Align", "vaTop")
public:
    explicit TKvDisplayTitle(TKvDataDisplay* ADisplay);

    QString GetText() const { return FLock->Getter(FText); }
    void SetText(const QString& AValue);
    TKvDisplayFont* GetFont() const { return FFont.get(); }
    // Copies AValue into the owned font.
    void SetFont(TKvDisplayFont* AValue);

    // Across its side: the text's height and 8 pixels on either side of it,
    // or ViewSize.Size; along it, all there is.
    void GetDefaultRect(TSize& ASize) const override;
    void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
              bool Printing) override;

    // Gap between the side of the view the text starts at and the text.
    static constexpr int32_t TextMargin = 4;

protected:
    ~TKvDisplayTitle() override;

private:
    QString FText;
    TOwned<TKvDisplayFont> FFont;
};
