#pragma once
// The test display with the views of a real display drawn as well: every
// view that is not one of the test's plain views draws itself, as a display
// draws its views, over the plain ones.

#include "DisplayFixture.h"

#include <atomic>

class TViewsTestDisplay : public TTestDisplay {
    Q_OBJECT
public:
    explicit TViewsTestDisplay(TComponent* AOwner);

    std::atomic<int> LayoutRequests{0};
    void InvalidateLayout() override;

    // Neither a layout nor a render pending any more.
    void Settle();

    struct TPropertiesRequest {
        int32_t Page;
        int32_t Item;
    };
    std::vector<TPropertiesRequest> PropertiesRequests;
    void ShowProperties(int32_t APage, int32_t AItem) override;

protected:
    ~TViewsTestDisplay() override;

    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
};

// A display with a title on top, a legend on the right and the data view,
// all three stored with the form.
class TTitledTestDisplay : public TViewsTestDisplay {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayTitle* Title READ GetTitle WRITE SetTitle)
    Q_PROPERTY(TKvLegendView* Legend READ GetLegend WRITE SetLegend)
public:
    explicit TTitledTestDisplay(TComponent* AOwner);

    TKvDisplayTitle* GetTitle() const { return FTitle.get(); }
    void SetTitle(TKvDisplayTitle* AValue) { FTitle->Assign(AValue); }
    TKvLegendView* GetLegend() const { return FLegend.get(); }
    void SetLegend(TKvLegendView* AValue) { FLegend->Assign(AValue); }
    TTestView* Data() const { return FData; }

protected:
    ~TTitledTestDisplay() override;

private:
    TOwned<TKvDisplayTitle> FTitle;
    TOwned<TKvLegendView> FLegend;
    TTestView* FData = nullptr;
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

using ViewsFixture = TDisplayInWindow<TViewsTestDisplay>;
