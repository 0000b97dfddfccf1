#pragma once
// What the tests' own displays share: a data view that takes whatever the
// other views leave and draws nothing, the display operations they have no
// use for, and a render of the whole control into a bitmap. Header only and
// without Q_OBJECT, so that the tests of the layers above include it as it
// is (a class of theirs that needs its own meta-object adds Q_OBJECT).

#include <QImage>

#include <memory>

#include "display/KvDataDisplay.h"
#include "display/KvDisplayComponent.h"
#include "foundation/GmBasicBitmap.h"

class TFillDataView : public TKvDisplayView {
public:
    explicit TFillDataView(TKvDataDisplay* ADisplay) : TKvDisplayView(ADisplay) {}
    void GetDefaultRect(TSize& ASize) const override { ASize = TSize{-1, -1}; }
    int32_t GetAlign() const override { return KvDataViewAlign; }

protected:
    ~TFillDataView() override = default;
};

class TPlainTestDisplay : public TKvDataDisplay {
public:
    explicit TPlainTestDisplay(TComponent* AOwner) : TKvDataDisplay(AOwner) {}

    // Lays out and renders into a bitmap of the display's size, as a paint
    // (with the tracking marks) or as a print.
    std::unique_ptr<TGmBasicBitmap> RenderBitmap(bool APrinting = false) {
        auto bitmap = std::make_unique<TGmBasicBitmap>();
        bitmap->SetPixelFormat(pf32bit);
        bitmap->SetSize(Width(), Height());
        DrawToBitmap(*bitmap, bitmap->Canvas(), APrinting);
        return bitmap;
    }
    QImage RenderImage(bool APrinting = false) {
        return RenderBitmap(APrinting)->ToImage().convertToFormat(QImage::Format_RGB32);
    }

protected:
    ~TPlainTestDisplay() override = default;

    void FormatPointLabel(TPoint, const QString& ATemplate, QString& AText,
                          const TKvRealPoint&) override {
        AText = ATemplate;
    }
    bool UpdateData() override { return false; }
    void ResetDrawData() override { InvalidateRefresh(); }
    void GetPointLabelText(QString& AText) override { AText.clear(); }
};
