#pragma once
// A small display for the tests: edge views filled with plain colours, a
// data view that writes a known pattern straight into the bitmap's pixels
// (leaving the fourth byte 0, as raw renderers do), and two plain axes with
// a 0..100 range that zoom about a point.

#include "display/KvScope.h"

#include <atomic>
#include <string>
#include <vector>

class TTestDisplay;

// The data view's pixel at (X, Y) in client coordinates, as 0xAARRGGBB
// with the fourth byte as the view writes it.
constexpr uint32_t TestPatternPixel(int32_t X, int32_t Y) {
    return 0x40u | (static_cast<uint32_t>(Y & 0xFF) << 8) | (static_cast<uint32_t>(X & 0xFF) << 16);
}

class TTestAxis : public IKvDisplayAxis {
public:
    TTestAxis(TTestDisplay* ADisplay, bool AVertical);
    ~TTestAxis();
    TTestAxis(const TTestAxis&) = delete;
    TTestAxis& operator=(const TTestAxis&) = delete;

    double GetZoomMin() const override { return FZoomMin; }
    double GetZoomMax() const override { return FZoomMax; }
    bool GetZoomed() const override { return FZoomed; }
    bool GetIsZoomed() const override { return FZoomed; }
    void ZoomAtPoint(TPoint AMousePos, double AFactor) override;
    bool GetValueAt(int32_t X, int32_t Y, double& AAxisPos) const override;

    double CurrentMin() const { return FZoomed ? FZoomMin : 0.0; }
    double CurrentMax() const { return FZoomed ? FZoomMax : 100.0; }
    void SetZoom(double AMin, double AMax, bool AZoomed);

private:
    TTestDisplay* const FDisplay;
    const bool FVertical;
    double FZoomMin = 0.0;
    double FZoomMax = 100.0;
    bool FZoomed = false;
};

class TTestView : public TKvDisplayView {
    Q_OBJECT
public:
    // AAlign: a TKvViewAlign or KvDataViewAlign; ASize the extent across its edge.
    TTestView(TTestDisplay* ADisplay, const std::string& AName, int32_t AAlign, int32_t ASize,
              TColor AColor);

    void GetDefaultRect(TSize& ASize) const override;
    int32_t GetAlign() const override { return FAlign; }
    int32_t GetMarginA() const override { return MarginA; }
    int32_t GetMarginB() const override { return MarginB; }
    bool IsVisibleForced() const override { return Forced; }

    void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X,
                 int32_t Y) override;
    void MouseEnterView() override;
    void MouseLeaveView() override;
    void DisplayMouseEnter() override;
    void MouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    void MouseWheelUp(TShiftState Shift, TPoint MousePos) override;

    // Fills its rectangle, or writes the pattern for the data view.
    void Render(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas);

    const TRect& Placed() const { return FDrawRect; }

    int32_t MarginA = 0;
    int32_t MarginB = 0;
    bool Forced = true;
    bool HandlesDown = false;

protected:
    ~TTestView() override;

private:
    void Log(const std::string& AEvent);

    TTestDisplay* const FTestDisplay;
    const std::string FName;
    const int32_t FAlign;
    const int32_t FSize;
    const TColor FColor;
};

class TTestDisplay : public TKvDataDisplay {
    Q_OBJECT
public:
    explicit TTestDisplay(TComponent* AOwner);

    using TKvDataDisplay::ZoomBy;
    using TKvDataDisplay::ZoomTo;
    using TKvDataDisplay::ZoomToData;

    // Views join the layout in the order they are added.
    TTestView* AddView(const std::string& AName, int32_t AAlign, int32_t ASize, TColor AColor);
    // Title 40 high, left view 50 wide (margins 8 and 6), bottom view 30
    // high, data view; as in a display with axes on two sides.
    void AddStandardViews();
    void Layout() { CalculateLayout(); }

    TKvDisplayView* GetDataView() override { return FDataView; }
    void ZoomBy(double XValue, double YValue, bool SaveHistory) override;
    void ZoomTo(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override;
    void ZoomToData(double XMin, double XMax, double YMin, double YMax, bool SaveHistory) override;
    double GetXMin() override { return FXAxis.CurrentMin(); }
    double GetXMax() override { return FXAxis.CurrentMax(); }
    double GetYMin() override { return FYAxis.CurrentMin(); }
    double GetYMax() override { return FYAxis.CurrentMax(); }
    IKvDisplayAxis* GetXAxis() override { return &FXAxis; }
    IKvDisplayAxis* GetYAxis() override { return &FYAxis; }

    void FormatPointLabel(TPoint, const QString& ATemplate, QString& AText,
                          const TKvRealPoint&) override {
        AText = ATemplate;
    }
    void ResetDrawData() override {
        ++ResetDrawDataCalls;
        InvalidateRefresh();
    }

    void ShowProperties(int32_t APage, int32_t AItem) override {
        ShownProperties.emplace_back(APage, AItem);
    }

    TTestAxis& XAxis() { return FXAxis; }
    TTestAxis& YAxis() { return FYAxis; }

    std::vector<std::string> Events;
    std::vector<std::pair<int32_t, int32_t>> ShownProperties;
    int Renders = 0;
    int UpdateDataCalls = 0;
    int ResetDrawDataCalls = 0;
    // Answered (once) by the next UpdateData.
    bool NewData = false;
    bool FailDraw = false;
    TSize LastPlotSize;
    bool LastPrinting = false;

protected:
    ~TTestDisplay() override;

    bool UpdateData() override;
    void GetPointLabelText(QString& AText) override { AText = QStringLiteral("point"); }
    void DoZoom(TKvZoomOperation AOperation, bool ScaleUnits, double XMin, double XMax, double YMin,
                double YMax) override;
    void DoZoomOff() override;
    void DrawDisplay(TGmBasicBitmap& ABitmap, THxCanvas& ACanvas, bool APrinting,
                     const QRegion& AClipRegion, const TRect& ARect) override;
    void ApplyZoomList(const TKvAxisZoomList& AAxisList, bool Redo) override;
    TKvAxisZoomListPtr CaptureZoomList() override;

private:
    TTestAxis FXAxis;
    TTestAxis FYAxis;
    std::vector<TOwned<TTestView>> FViewsOwned;
    TTestView* FDataView = nullptr;
};
