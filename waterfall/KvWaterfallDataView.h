#pragma once
// The waterfall's plot area as a view of the data display: it draws the
// colour image into the display's bitmap, answers which value lies under a
// pixel, and zooms and pans with the mouse.

#include <memory>

#include "display/KvDataDisplay.h"
#include "display/KvDisplayComponent.h"
#include "waterfall/KvWaterfallImage.h"

// What the view takes from the waterfall beyond the image's inputs.
class TKvWaterfallViewOwner : public TKvWaterfallImageOwner {
public:
    // The axes' full (unzoomed) scales: an X axis value as a row, a Y axis
    // value as a sample.
    virtual double ViewValueToRow(double AValue) = 0;
    virtual double ViewValueToSample(double AValue) = 0;
    // The axes' current zoomed scales in axis values: X the history, Y the
    // values along a row.
    virtual TKvWaterfallWindow ViewZoomedScale() = 0;
    // A left press in the view: both axes get ready for a drag, and the Y
    // axis keeps its zoomed scale as the mouse zoom's reference.
    virtual void ViewPrepareDrag() {}
    // Both axes pan by the mouse's displacement in pixels.
    virtual void ViewPan(int32_t ADX, int32_t ADY) = 0;
    // The mouse moved to another pixel: the axes' cursor-tracking marks.
    virtual void ViewTrackCursor() {}
    // What lies under the mouse must be tested again.
    virtual void ViewRefreshHighlighting() {}

protected:
    ~TKvWaterfallViewOwner() = default;
};

class TKvBasicWaterfallDataView : public TKvDisplayView {
    Q_OBJECT
public:
    TKvBasicWaterfallDataView(TKvDataDisplay* ADisplay, TKvWaterfallViewOwner& AOwner);

    // Takes whatever the other views leave.
    void GetDefaultRect(TSize& ASize) const override { ASize = TSize{-1, -1}; }
    int32_t GetAlign() const override { return KvDataViewAlign; }

    // The paint pass's step: brings the image up to date and scales it into
    // the view's rectangle of ABitmap.
    void DirectDraw(TGmBasicBitmap& ABitmap);
    // After a change of depth, layout or direction outside a paint.
    void AllocateScreenBuffer() { FImage->AllocateScreenBuffer(); }
    TKvWaterfallImage& Image() const { return *FImage; }

    void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                 int32_t Y) override;
    void MouseLeaveView() override;

    // A zoom rectangle is being dragged: new rows wait as while held.
    bool ZoomDragging() const;
    const TPoint& CurrentMousePoint() const { return FCurrentMousePoint; }
    // The display moves the mouse point away when the mouse leaves it.
    void SetCurrentMousePoint(const TPoint& APoint) { FCurrentMousePoint = APoint; }
    bool ViewMouseMoved() const { return FViewMouseMoved; }
    bool IsHighlighted() const { return FIsHighlighted; }
    const TPoint& HighlightedPoint() const { return FHighlightedPoint; }

protected:
    ~TKvBasicWaterfallDataView() override;

    // The drag rectangle from the press to (X, Y) as a zoom.
    void DragZoom(int32_t X, int32_t Y);

    TKvWaterfallViewOwner& FOwner;
    // Owned through a pointer so that const value queries may note where
    // the mouse is.
    std::unique_ptr<TKvWaterfallImage> FImage;
    TPoint FHighlightedPoint;
    bool FIsHighlighted = false;
    bool FViewMouseMoved = false;
    // The window before a pan began: the pan's notification reports it.
    TKvRealRanges FPanRanges;
};

class TKvWaterfallDataView : public TKvBasicWaterfallDataView {
    Q_OBJECT
public:
    TKvWaterfallDataView(TKvDataDisplay* ADisplay, TKvWaterfallViewOwner& AOwner);

    // The value at control point (X, Y): the stored sample that pixel shows,
    // the level minimum past the newest row, else KvNoWaterfallValue.
    double GetIntValueAt(int32_t X, int32_t Y) const override;
    // The same with a hit report: a stored value was read.
    double GetIntValueAt(int32_t X, int32_t Y, bool& AHit) const;
    // The value at a control point that is not the mouse's (a marker's
    // label): the image's state about the mouse stays as it is.
    double GetPointValueAt(int32_t X, int32_t Y) const;
    // (X, Y) relative to the view.
    double GetValueAt(int32_t X, int32_t Y) const;
    // (X, Y) in axis values.
    double GetValueAtScale(double X, double Y) const;
    double GetMinValue() const override;
    double GetMaxValue() const override;

    // The value under the current mouse point, kept for the tooltip and the
    // highlighting; true when the point hit stored data.
    bool UpdateMouseValue();
    double CurrentMouseValue() const { return FCurrentMouseValue; }
    double ZValue() const { return FZValue; }

protected:
    ~TKvWaterfallDataView() override;

private:
    double FCurrentMouseValue = KvNoWaterfallValue;
    double FZValue = KvNoWaterfallValue;
};
