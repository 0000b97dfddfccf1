// The axis components on a display: settings and their stored form, zoom
// with its limits and history, pixel <-> value conversion, wheel and drag,
// and the pixels of ticks, labels, line and tracking mark.

#include "AxisTestDisplay.h"

#include "platform/StoredForm.h"

#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr uint32_t White = 0xFFFFFF;
constexpr uint32_t Black = 0x000000;

class AxisTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = MakeOwned<TAxisTestDisplay>(nullptr);
        display->SetBounds(0, 0, 600, 400);
        display->Layout();
    }

    TRect Data() const { return display->GetDataView()->DrawRect(); }
    static uint32_t Rgb(const QImage& AImage, int X, int Y) {
        return AImage.pixel(X, Y) & 0xFFFFFF;
    }

    TOwned<TAxisTestDisplay> display;
};

TEST_F(AxisTest, SettingsStartAtTheirDefaultsAndHoldTheirRules) {
    TAxisTestYAxis& y = display->Y();
    TAxisTestXAxis& x = display->X();
    EXPECT_EQ(y.GetMin()->GetValue(), -1000);
    EXPECT_EQ(y.GetMax()->GetDataValue(), 1000);
    EXPECT_EQ(y.GetAlign(), vaLeft);
    EXPECT_EQ(x.GetMax()->GetTick()->GetValue(), 1024);
    EXPECT_EQ(x.GetAlign(), vaBottom);
    EXPECT_EQ(x.GetAxisLabelText(), "X Axis");
    EXPECT_EQ(y.GetAxisLabelText(), "");
    y.GetAxisLabel()->SetText(QStringLiteral("Level"));
    EXPECT_EQ(y.GetAxisLabelText(), "Level");
    EXPECT_EQ(y.GetColor(), clWhite);
    EXPECT_EQ(y.GetTrackColor(), clRed);
    EXPECT_EQ(y.GetFont()->Size(), 8);
    EXPECT_EQ(y.GetAxisLabel()->GetFont()->Size(), 10);
    EXPECT_TRUE(y.GetAxisLabel()->GetFont()->Style().testFlag(TFont::fsBold));
    const TKvDisplayValueRange& zoomRange = *y.GetZooming()->GetRange();
    EXPECT_EQ(zoomRange.GetLow()->GetValue(), 1e-07);
    EXPECT_TRUE(zoomRange.GetLow()->GetEnabled());
    EXPECT_EQ(zoomRange.GetHigh()->GetValue(), 1e+08);
    EXPECT_FALSE(zoomRange.GetHigh()->GetEnabled());

    TKvMajorTicks& major = *y.GetMajorTicks();
    EXPECT_EQ(major.GetStep(), 10.0);
    for (const double bad : {0.0, -5.0, NaN}) {
        major.SetStep(25);
        major.SetStep(bad);
        EXPECT_EQ(major.GetStep(), 1.0) << bad;
    }
    TKvAxisFormat& format = *y.GetFormat();
    format.SetPrecision(25);
    EXPECT_EQ(format.GetPrecision(), 18);
    format.SetPrecision(-1);
    EXPECT_EQ(format.GetPrecision(), 0);
    y.GetMinorTicks()->SetCount(-3);
    EXPECT_EQ(y.GetMinorTicks()->GetCount(), 0);
    x.SetSamples(0);
    EXPECT_EQ(x.GetSamples(), 1024);

    // Range limits follow each other; the zoom range takes no negative width.
    TKvDisplayValueRange& range = *y.GetMin()->GetRange();
    range.GetLow()->SetValue(2000);
    EXPECT_EQ(range.GetHigh()->GetValue(), 2000);
    range.GetHigh()->SetValue(-3000);
    EXPECT_EQ(range.GetLow()->GetValue(), -3000);
    y.GetZooming()->GetRange()->GetLow()->SetValue(-5);
    EXPECT_EQ(y.GetZooming()->GetRange()->GetLow()->GetValue(), 0);
    // NaN is refused, infinities are held at the value limit.
    y.GetMin()->SetDataValue(NaN);
    EXPECT_EQ(y.GetMin()->GetDataValue(), -1000);
    y.GetMax()->SetDataValue(Inf);
    EXPECT_EQ(y.GetMax()->GetDataValue(), KvAxisValueLimit);

    // Sides an axis cannot take map to the nearest it can.
    y.SetAlign(vaTop);
    EXPECT_EQ(y.GetAlign(), vaLeft);
    y.SetAlign(vaBottom);
    EXPECT_EQ(y.GetAlign(), vaRight);
    x.SetAlign(vaLeft);
    EXPECT_EQ(x.GetAlign(), vaTop);
    x.SetAlign(vaRight);
    EXPECT_EQ(x.GetAlign(), vaBottom);
    // A vertical display turns both a quarter.
    display->Vertical = true;
    EXPECT_EQ(y.GetAlign(), vaTop);
    EXPECT_EQ(x.GetAlign(), vaLeft);
}

TEST_F(AxisTest, ChangedSettingsRoundTripThroughTheStoredForm) {
    TAxisTestYAxis& y = display->Y();
    TAxisTestXAxis& x = display->X();
    const QString plain = ComponentToText(display.get());
    for (const char* name : {"TrackCursor", "TrackColor", "Precision", "MinorTicks", "Mode"})
        EXPECT_FALSE(plain.contains(QLatin1String(name))) << name << "\n" << plain.toStdString();

    y.GetMajorTicks()->SetMode(mtmCustom);
    y.GetMajorTicks()->SetStep(25);
    y.GetMajorTicks()->GetStartFrom()->SetMode(mtmCustom);
    y.GetMajorTicks()->GetStartFrom()->SetStartFrom(0.0);
    y.GetMinorTicks()->SetCount(4);
    y.GetFormat()->SetPrecisionMode(dpmScientific);
    y.GetFormat()->SetPrecision(5);
    y.GetMin()->GetRange()->GetHigh()->SetEnabled(true);
    y.GetMin()->GetRange()->GetHigh()->SetValue(0.0);
    y.GetMin()->SetValue(0.0);
    y.SetTrackColor(clBlue);
    y.SetAlign(vaRight);
    x.GetZooming()->GetRange()->GetLow()->SetValue(0.5);
    x.GetZooming()->SetMousePan(false);
    x.GetAxisLabel()->SetText(QStringLiteral("Time"));
    x.GetMax()->SetMode(mamOffset);
    x.SetColor(clYellow);
    const QString text = ComponentToText(display.get());

    auto copy = MakeOwned<TAxisTestDisplay>(nullptr);
    ReadComponentFromText(text, copy.get());
    TAxisTestYAxis& cy = copy->Y();
    TAxisTestXAxis& cx = copy->X();
    EXPECT_EQ(cy.GetMajorTicks()->GetMode(), mtmCustom);
    EXPECT_EQ(cy.GetMajorTicks()->GetStep(), 25);
    EXPECT_EQ(cy.GetMajorTicks()->GetStartFrom()->GetMode(), mtmCustom);
    EXPECT_EQ(cy.GetMinorTicks()->GetCount(), 4);
    EXPECT_EQ(cy.GetFormat()->GetPrecisionMode(), dpmScientific);
    EXPECT_EQ(cy.GetFormat()->GetPrecision(), 5);
    EXPECT_TRUE(cy.GetMin()->GetRange()->GetHigh()->GetEnabled());
    // Zeros where the constructor sets something else come back as zeros.
    EXPECT_EQ(cy.GetMin()->GetRange()->GetHigh()->GetValue(), 0.0);
    EXPECT_EQ(cy.GetMin()->GetValue(), 0.0);
    EXPECT_EQ(cy.GetTrackColor(), clBlue);
    EXPECT_EQ(cy.GetAlign(), vaRight);
    EXPECT_EQ(cx.GetZooming()->GetRange()->GetLow()->GetValue(), 0.5);
    EXPECT_TRUE(cx.GetZooming()->GetRange()->GetLow()->GetEnabled());
    EXPECT_FALSE(cx.GetZooming()->GetMousePan());
    EXPECT_EQ(cx.GetAxisLabelText(), "Time");
    EXPECT_EQ(cx.GetMax()->GetMode(), mamOffset);
    EXPECT_EQ(cx.GetColor(), clYellow);

    // Older forms kept the label format on the Y axis.
    auto old = MakeOwned<TAxisTestDisplay>(nullptr);
    ReadComponentFromText(QStringLiteral("object TAxisTestDisplay\n"
                                         "  YAxis.FixedPrecision = True\n"
                                         "  YAxis.Precision = 7\n"
                                         "end\n"),
                          old.get());
    EXPECT_TRUE(old->Y().GetFormat()->GetFixedPrecision());
    EXPECT_EQ(old->Y().GetFormat()->GetPrecision(), 7);
    EXPECT_FALSE(ComponentToText(old.get()).contains(QLatin1String("YAxis.Precision")));
}

TEST_F(AxisTest, ZoomObeysItsLimitsAndTheHistory) {
    TAxisTestYAxis& y = display->Y();
    std::vector<TKvZoomOperation> sent;
    y.OnZoomNotify = [&](TKvDisplayAxis*, TKvZoomOperation AOperation) {
        sent.push_back(AOperation);
    };
    // Unusable factors change nothing and make no history entry.
    for (const double factor : {0.0, -1.0, NaN, Inf}) {
        y.ZoomBy(factor);
        EXPECT_FALSE(y.GetIsZoomed()) << factor;
    }
    EXPECT_FALSE(display->CanUndoZoom());
    EXPECT_TRUE(sent.empty());

    y.ZoomBy(0.5);
    EXPECT_TRUE(y.GetIsZoomed());
    EXPECT_EQ(y.GetCurrentMin(), -500);
    EXPECT_EQ(y.GetCurrentMax(), 500);
    EXPECT_EQ(sent, std::vector<TKvZoomOperation>{zoZoom});

    // An empty zoom is widened to 0.0001 from its start.
    y.ZoomTo(10, 10);
    EXPECT_EQ(y.GetZoomMin(), 10);
    EXPECT_NEAR(y.GetZoomMax() - y.GetZoomMin(), 0.0001, 1e-12);
    // Narrower than Zooming.Range.Low: the centre stays, the width becomes the limit.
    y.ZoomBy(1e-12);
    EXPECT_NEAR((y.GetZoomMin() + y.GetZoomMax()) / 2, 10.00005, 1e-9);
    EXPECT_NEAR(y.GetZoomMax() - y.GetZoomMin(), 1e-07, 1e-13);
    EXPECT_FALSE(y.GetCanZoomIn());
    EXPECT_TRUE(y.GetCanZoomOut());

    display->UndoZoom();
    EXPECT_EQ(y.GetZoomMin(), 10);
    display->UndoZoom();
    EXPECT_EQ(y.GetCurrentMin(), -500);
    EXPECT_EQ(y.GetCurrentMax(), 500);
    display->UndoZoom();
    EXPECT_FALSE(y.GetIsZoomed());
    EXPECT_EQ(y.GetCurrentMax(), 1000);
    display->RedoZoom();
    EXPECT_EQ(y.GetCurrentMin(), -500);

    // Min.Range.Low keeps the range's start up; the width stays.
    y.GetMin()->GetRange()->GetLow()->SetEnabled(true);
    y.GetMin()->GetRange()->GetLow()->SetValue(-100);
    y.ZoomTo(-300, -200);
    EXPECT_EQ(y.GetZoomMin(), -100);
    EXPECT_EQ(y.GetZoomMax(), 0);

    y.GetMin()->GetRange()->GetLow()->SetEnabled(false);
    sent.clear();
    y.ToolBarZoomOff();
    EXPECT_FALSE(y.GetIsZoomed());
    EXPECT_EQ(sent, std::vector<TKvZoomOperation>{zoZoomOff});
    // A zoom in data units is converted to scale units first.
    y.ZoomToData(-250, 250);
    EXPECT_EQ(y.GetCurrentMin(), -250);
    y.ToolBarZoomIn();
    EXPECT_EQ(y.GetCurrentMax(), 125);
    y.ToolBarZoomOut();
    EXPECT_EQ(y.GetCurrentMax(), 250);
}

// Axes of random ranges, sizes, sides and scales: a pixel goes to a value
// and back to itself, a value comes back within half a pixel, and the
// ticks and the point read-out agree with the public mapping.
TEST_F(AxisTest, PixelsAndValuesRoundTripOnEveryKindOfAxis) {
    std::mt19937 random(20261209);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int round = 0; round < 120; ++round) {
        const bool vertical = round % 2 == 1;
        const bool reversed = (round / 2) % 2 == 1;
        const bool log = (round / 4) % 3 == 2;
        const bool useY = (round / 12) % 2 == 0;
        display->Vertical = vertical;
        display->SetBounds(0, 0, 200 + static_cast<int32_t>(unit(random) * 900),
                           150 + static_cast<int32_t>(unit(random) * 600));
        const double low = (unit(random) - 0.5) * 2e6;
        const double width = std::pow(10.0, unit(random) * 8 - 2);
        TKvDisplayAxis& axis = useY ? static_cast<TKvDisplayAxis&>(display->Y())
                                    : static_cast<TKvDisplayAxis&>(display->X());
        display->Y().Mode = display->X().Mode = log ? smLogarithmic : smLinear;
        axis.SetReversed(reversed);
        axis.GetMin()->SetAutoScale(false);
        axis.GetMin()->SetDataValue(low);
        axis.GetMax()->SetDataValue(low + width);
        display->X().SetSamples(-1);
        if (!useY)
            display->X().GetMax()->SetDataValue(low + width);
        axis.InvalidateCaches(true);
        display->Layout();
        SCOPED_TRACE(::testing::Message() << "round " << round << " " << low << " + " << width);

        const TRect data = Data();
        const bool along = axis.IsVerticalDirection();
        const int32_t first = along ? data.Top : data.Left;
        const int32_t last = (along ? data.Bottom : data.Right) - 1;
        const TKvAxisRange range = axis.ScaleTickZoomed();
        for (int k = 0; k < 20; ++k) {
            const int32_t p = first + static_cast<int32_t>(unit(random) * (last - first + 1));
            const double value = axis.PixelToScale(p);
            ASSERT_EQ(axis.ScaleToPixel(value), p);
            double read = 0;
            ASSERT_TRUE(axis.GetValueAt(along ? data.Left : p, along ? p : data.Top, read));
            ASSERT_NEAR(axis.ScaleToPixel(read), p, 1);

            const double v = range.Min + unit(random) * range.Width();
            const int32_t q = axis.ScaleToPixel(v);
            const double back = axis.PixelToScale(q);
            const double half = 0.5 * KvRangeWidth(range, log) / (last - first);
            ASSERT_LE(std::fabs(log ? double(SLog(back) - SLog(v)) : back - v), half * 1.0001);
        }
        // The ends of the range sit on the ends of the data view.
        const int32_t minPixel = axis.ScaleToPixel(range.Min);
        const int32_t maxPixel = axis.ScaleToPixel(range.Max);
        EXPECT_EQ(std::min(minPixel, maxPixel), first);
        EXPECT_EQ(std::max(minPixel, maxPixel), last);
        for (const TKvAxisTick& tick : axis.TickPass()) {
            if (!tick.Minor) {
                ASSERT_NEAR(tick.Pixel, axis.ScaleToPixel(tick.Value), 1) << tick.Value;
            }
        }
        axis.GetMin()->SetAutoScale(true);
        axis.GetMin()->SetAutoScale(false);
    }
}

TEST_F(AxisTest, WheelAndDragKeepTheValueUnderTheMouse) {
    TAxisTestYAxis& y = display->Y();
    y.ZoomTo(-300, 300, false);
    const TRect data = Data();
    const TPoint mouse{y.DrawRect().Left + 5, data.Top + 70};
    const double before = y.PixelToScale(mouse.Y);
    y.MouseWheelUp({}, mouse);
    EXPECT_TRUE(y.GetIsZoomed());
    EXPECT_NEAR(y.GetZoomMax() - y.GetZoomMin(), 540, 1e-9);
    EXPECT_NEAR(y.PixelToScale(mouse.Y), before, (y.GetZoomMax() - y.GetZoomMin()) / data.Height());
    EXPECT_TRUE(display->CanUndoZoom());

    y.GetZooming()->SetMouseWheelEnabled(false);
    const double width = y.GetZoomMax() - y.GetZoomMin();
    y.MouseWheelDown({}, mouse);
    EXPECT_EQ(y.GetZoomMax() - y.GetZoomMin(), width);

    // A drag along the axis carries the value at the press with the mouse.
    const double grabbed = y.PixelToScale(mouse.Y);
    display->MouseDown(mbLeft, {}, mouse.X, mouse.Y);
    EXPECT_TRUE(y.LeftMouseButtonDown());
    display->MouseMove({}, mouse.X, mouse.Y + 40);
    EXPECT_NEAR(y.PixelToScale(mouse.Y + 40), grabbed, width / data.Height());
    EXPECT_NEAR(y.GetZoomMax() - y.GetZoomMin(), width, 1e-9);
    // Far beyond the range's end it stops at the full range.
    display->MouseMove({}, mouse.X, mouse.Y + 100000);
    EXPECT_NEAR(y.GetZoomMax(), 1000, 1e-9);
    EXPECT_NEAR(y.GetZoomMax() - y.GetZoomMin(), width, 1e-9);
    display->MouseUp(mbLeft, {}, mouse.X, mouse.Y);
    EXPECT_FALSE(y.LeftMouseButtonDown());

    // The data view's wheel zooms the axes its mode names; the other stays as it is.
    TAxisTestXAxis& x = display->X();
    display->GetZooming()->SetMode(zmYAxis);
    display->ZoomAtPoint(Point(data.Left + 50, data.Top + 50), 0.9, 0.9);
    EXPECT_FALSE(x.GetIsZoomed());
    EXPECT_NEAR(y.GetZoomMax() - y.GetZoomMin(), 0.9 * width, 1e-9);

    // An axis that is not zoomed does not pan.
    const TPoint at{data.Left + 100, x.DrawRect().Top + 5};
    display->MouseDown(mbLeft, {}, at.X, at.Y);
    display->MouseMove({}, at.X + 50, at.Y);
    display->MouseUp(mbLeft, {}, at.X + 50, at.Y);
    EXPECT_FALSE(x.GetIsZoomed());
}

// Expected pixels from the drawing rules: a bottom axis's major ticks run
// from its top + 5 for 7 pixels, its line lies on top + 5 across the data
// view; a left axis's ticks end at its right - 6.
TEST_F(AxisTest, TicksAndLinesAreDrawnWhereTheRulesPutThem) {
    TAxisTestXAxis& x = display->X();
    TAxisTestYAxis& y = display->Y();
    x.SetSamples(1000);
    display->Layout();
    const QImage image = display->Render(true);
    const TRect data = Data();
    const TRect xr = x.DrawRect();
    const TRect yr = y.DrawRect();

    for (int32_t px = data.Left; px < data.Right; ++px)
        ASSERT_EQ(Rgb(image, px, xr.Top + 5), White) << px;
    for (int32_t py = data.Top; py < data.Bottom; ++py)
        ASSERT_EQ(Rgb(image, yr.Right - 5, py), White) << py;

    const double step = x.GetStep();
    const double labelRoom = x.GetLabelSize();
    int32_t previous = -1000000;
    int majors = 0;
    for (const TKvAxisTick& tick : x.TickPass()) {
        ASSERT_FALSE(tick.Minor);
        ++majors;
        EXPECT_EQ(std::remainder(tick.Value, step), 0.0) << tick.Value;
        const int32_t expected =
            data.Left +
            static_cast<int32_t>(std::nearbyint(tick.Value / 1000.0 * (data.Width() - 1)));
        ASSERT_EQ(tick.Pixel, expected) << tick.Value;
        EXPECT_GT(tick.Pixel - previous, labelRoom);
        previous = tick.Pixel;
        for (int32_t row = xr.Top + 5; row < xr.Top + 12; ++row)
            ASSERT_EQ(Rgb(image, tick.Pixel, row), White) << tick.Value << " row " << row;
        ASSERT_EQ(Rgb(image, tick.Pixel, xr.Top + 12), Black);
        // Its label lies centred below it.
        const QString text = x.GetTickText(tick.Value);
        bool inked = false;
        for (int32_t row = xr.Top + 14; row < xr.Top + 14 + 14 && !inked; ++row)
            for (int32_t dx = -8; dx <= 8 && !inked; ++dx)
                inked = Rgb(image, tick.Pixel + dx, row) == White;
        EXPECT_TRUE(inked) << text.toStdString();
    }
    EXPECT_GE(majors, 3);
    // Between two ticks nothing hangs below the line.
    const std::vector<TKvAxisTick> ticks = x.TickPass();
    const int32_t between = (ticks[0].Pixel + ticks[1].Pixel) / 2;
    for (int32_t row = xr.Top + 6; row < xr.Top + 12; ++row)
        EXPECT_EQ(Rgb(image, between, row), Black) << row;

    for (const TKvAxisTick& tick : y.TickPass()) {
        const int32_t expected =
            data.Top + static_cast<int32_t>(
                           std::nearbyint((1000 - tick.Value) / 2000.0 * (data.Height() - 1)));
        ASSERT_EQ(tick.Pixel, expected) << tick.Value;
        for (int32_t col = yr.Right - 11; col < yr.Right - 5; ++col)
            ASSERT_EQ(Rgb(image, col, tick.Pixel), White) << tick.Value << " col " << col;
        ASSERT_EQ(Rgb(image, yr.Right - 12, tick.Pixel), Black);
    }

    // Minor ticks: four between two majors, 5 pixels long.
    x.GetMinorTicks()->SetCount(4);
    const QImage minor = display->Render(true);
    int minors = 0;
    for (const TKvAxisTick& tick : x.TickPass()) {
        if (!tick.Minor)
            continue;
        ++minors;
        EXPECT_EQ(Rgb(minor, tick.Pixel, xr.Top + 9), White);
        EXPECT_EQ(Rgb(minor, tick.Pixel, xr.Top + 10), Black);
    }
    EXPECT_GE(minors, 4 * (majors - 1));
}

TEST_F(AxisTest, TheTrackingMarkFollowsTheMouseOverTheDataView) {
    TAxisTestXAxis& x = display->X();
    const TRect data = Data();
    const TRect xr = x.DrawRect();
    // A column with no tick on it.
    int32_t column = data.Left + 37;
    for (const TKvAxisTick& tick : x.TickPass())
        if (std::abs(tick.Pixel - column) < 2)
            column += 5;
    auto marked = [&](const QImage& AImage) {
        for (int32_t row = xr.Top + 6; row < xr.Top + 12; ++row)
            if (Rgb(AImage, column, row) != 0xFF0000)
                return false;
        return true;
    };
    display->MouseMove({}, column, data.Top + 20);
    EXPECT_TRUE(marked(display->Render(false)));
    EXPECT_FALSE(marked(display->Render(true)));
    x.SetTrackCursor(false);
    EXPECT_FALSE(marked(display->Render(false)));
    x.SetTrackCursor(true);
    // A fixed size: the mark runs from the line to the size's last pixel but one.
    x.GetViewSize()->SetAutoSize(false);
    x.GetViewSize()->SetSize(60);
    display->Layout();
    const TRect fixed = x.DrawRect();
    const QImage tall = display->Render(false);
    EXPECT_EQ(Rgb(tall, column, fixed.Top + 58), 0xFF0000u);
    EXPECT_NE(Rgb(tall, column, fixed.Top + 59), 0xFF0000u);
    display->MouseMove({}, column, fixed.Top + 3);
    EXPECT_NE(Rgb(display->Render(false), column, fixed.Top + 30), 0xFF0000u);
}

TEST_F(AxisTest, DegenerateRangesAndSizesGiveBoundedSoundAxes) {
    TAxisTestYAxis& y = display->Y();
    auto expectSound = [&](const char* ACase) {
        SCOPED_TRACE(ACase);
        y.InvalidateCaches(true);
        display->Layout();
        const TKvAxisRange range = y.ScaleTickZoomed();
        EXPECT_TRUE(std::isfinite(range.Min) && std::isfinite(range.Max));
        EXPECT_LE(range.Min, range.Max);
        EXPECT_TRUE(std::isfinite(y.GetStep()));
        EXPECT_GT(std::fabs(y.GetStep()), 0);
        const std::vector<TKvAxisTick> ticks = y.TickPass();
        EXPECT_LE(ticks.size(), static_cast<size_t>(std::max(Data().Height(), 1)) + 1);
        for (const TKvAxisTick& tick : ticks)
            EXPECT_FALSE(y.GetTickText(tick.Value).isEmpty());
        double value = 0;
        if (y.GetValueAt(Data().Left, Data().Top, value)) {
            EXPECT_TRUE(std::isfinite(value));
        }
        display->Render(true);
    };
    y.GetMin()->SetDataValue(5);
    y.GetMax()->SetDataValue(5);
    expectSound("empty range");
    y.GetMin()->SetDataValue(10);
    y.GetMax()->SetDataValue(-10);
    expectSound("minimum above maximum");
    y.GetMin()->SetDataValue(-Inf);
    y.GetMax()->SetDataValue(Inf);
    expectSound("infinite limits");
    y.GetMin()->SetDataValue(0);
    y.GetMax()->SetDataValue(1e300);
    expectSound("range of 1e300");
    y.GetMin()->SetDataValue(-1000);
    y.GetMax()->SetDataValue(1000);
    y.GetMajorTicks()->SetMode(mtmCustom);
    y.GetMajorTicks()->SetStep(1e-300);
    expectSound("step of 1e-300");
    y.GetMajorTicks()->SetMode(mtmAuto);
    for (const int32_t size : {0, 1, 2}) {
        display->SetBounds(0, 0, size, size);
        expectSound("tiny display");
    }
}

TEST_F(AxisTest, LabelsFollowTheFormatAndACustomHandler) {
    TAxisTestYAxis& y = display->Y();
    EXPECT_EQ(y.GetTickText(-250), "-250");
    y.GetFormat()->SetFixedPrecision(true);
    y.GetFormat()->SetPrecision(2);
    EXPECT_EQ(y.GetTickText(-250), "-250.00");
    y.SetOnCustomLabel([&](TPersistent*, double AValue, QString&) {
        if (AValue > 0)
            y.SetTickText(QStringLiteral("+"));
    });
    EXPECT_EQ(y.GetTickText(5), "+");
    EXPECT_EQ(y.GetTickText(-5), "-5.00");

    // A custom step is widened until the labels fit, and may hide a tick.
    y.SetOnCustomStep([](TPersistent*, double AValue, double& AStep, bool& ADraw) {
        AStep = 1e-9;
        ADraw = AValue != 0;
    });
    for (const TKvAxisTick& tick : y.TickPass())
        EXPECT_NE(tick.Value, 0.0);
    EXPECT_LT(y.TickPass().size(), static_cast<size_t>(Data().Height()));
}

TEST_F(AxisTest, AxesTakeTheRoomTheirLabelsNeed) {
    TAxisTestXAxis& x = display->X();
    TAxisTestYAxis& y = display->Y();
    // The X axis sits below the data view, the Y axis left of it.
    EXPECT_EQ(x.DrawRect().Top, Data().Bottom);
    EXPECT_EQ(y.DrawRect().Right, Data().Left);
    const int32_t textHeight = QFontMetrics(x.GetFont()->ToQFont()).height();
    const int32_t titleHeight = QFontMetrics(x.GetAxisLabel()->GetFont()->ToQFont()).height();
    EXPECT_EQ(x.DrawRect().Height(), textHeight + 16 + titleHeight + 4);
    x.GetAxisLabel()->SetVisible(false);
    display->Layout();
    EXPECT_EQ(x.DrawRect().Height(), textHeight + 16);
    x.GetViewSize()->SetAutoSize(false);
    x.GetViewSize()->SetSize(40);
    display->Layout();
    EXPECT_EQ(x.DrawRect().Height(), 40);
    x.SetVisible(false);
    display->Layout();
    EXPECT_EQ(Data().Bottom, 400 - y.GetMarginB());
    // The Y axis's end labels keep the data view clear of the control's edges.
    EXPECT_EQ(Data().Top, textHeight / 2 + 4);
}

} // namespace

namespace {

TEST_F(AxisTest, TheTitleIsAButtonThatOpensTheAxisProperties) {
    TAxisTestXAxis& x = display->X();
    display->Render(false);
    const TRect title = x.AxisLabelRect();
    ASSERT_FALSE(title.IsEmpty());
    const TPoint over{title.Left + 2, title.Top + title.Height() / 2};
    display->MouseMove({}, over.X, over.Y);
    EXPECT_TRUE(x.LabelButtonShown());
    EXPECT_EQ(display->Cursor(), crHandPoint);
    // Filled in MouseOverColor, outlined in MouseOverBorderColor with open corners.
    const QImage image = display->Render(false);
    EXPECT_EQ(Rgb(image, title.Left - 1, title.Top - 1), 0x008000u);
    EXPECT_EQ(Rgb(image, title.Left, title.Top - 1), 0x00FF00u);
    EXPECT_EQ(Rgb(image, title.Left - 1, title.Top), 0x00FF00u);
    // Printing shows no button.
    EXPECT_EQ(Rgb(display->Render(true), title.Left - 1, title.Top - 1), Black);

    bool handle = true;
    int clicks = 0;
    x.GetButton()->OnClick = [&](TPersistent*, bool& AHandled) {
        ++clicks;
        AHandled = handle;
    };
    display->MouseDown(mbLeft, {}, over.X, over.Y);
    display->MouseUp(mbLeft, {}, over.X, over.Y);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(display->ShownAxes.empty());
    EXPECT_FALSE(x.LeftMouseButtonDown());
    handle = false;
    display->MouseDown(mbLeft, {}, over.X, over.Y);
    EXPECT_EQ(display->ShownAxes, std::vector<int32_t>{0});
    display->MouseUp(mbLeft, {}, over.X, over.Y);

    display->MouseMove({}, over.X, title.Top - 10);
    EXPECT_FALSE(x.LabelButtonShown());

    // A left axis's title is turned upwards at its left edge + 2, centred on the data view.
    TAxisTestYAxis& y = display->Y();
    y.GetAxisLabel()->SetText(QStringLiteral("Level"));
    const QImage turned = display->Render(true);
    const TRect side = y.AxisLabelRect();
    const TRect data = Data();
    EXPECT_EQ(side.Left, y.DrawRect().Left + 2);
    EXPECT_GT(side.Height(), side.Width());
    EXPECT_NEAR((side.Top + side.Bottom) / 2.0, data.Top + data.Height() / 2.0, 1.5);
    int ink = 0;
    for (int32_t py = side.Top; py < side.Bottom; ++py)
        for (int32_t px = side.Left; px < side.Right; ++px)
            ink += Rgb(turned, px, py) == White;
    EXPECT_GT(ink, 20);
    for (int32_t py = data.Top; py < data.Bottom; ++py)
        ASSERT_EQ(Rgb(turned, side.Left - 1, py), Black) << py;
    x.GetButton()->SetEnabled(false);
    display->MouseMove({}, over.X, over.Y);
    EXPECT_FALSE(x.LabelButtonShown());
}

} // namespace
