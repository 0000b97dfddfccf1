#pragma once
// The test display with the views of a real display drawn as well: every
// view that is not one of the test's plain views draws itself through its
// Draw, background part first, over the plain views.

#include "DisplayFixture.h"

class TViewsTestDisplay : public TTestDisplay {
    Q_OBJECT
public:
    explicit TViewsTestDisplay(TComponent* AOwner);

    int LayoutRequests = 0;
    void InvalidateLayout() override;

    // Neither a layout nor a render pending any more.
    void Settle();

protected:
    ~TViewsTestDisplay() override;

    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
};

// An optional view whose extent across its side is ViewSize.Size, drawing
// only its background.
class TSizedTestView : public TKvOptionalView {
    Q_OBJECT
public:
    TSizedTestView(TKvDataDisplay* ADisplay, TKvViewAlign AAlign);

    void GetDefaultRect(TSize& ASize) const override;
    void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
              bool Printing) override;

protected:
    ~TSizedTestView() override;
};

// The fixture's window with a TViewsTestDisplay in it.
class ViewsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QImage Painted();

    std::unique_ptr<QWidget> host;
    TOwned<TViewsTestDisplay> display;
};
