// The waterfall's axes: frequency units and scales from the sample rate,
// rows and samples from axis values, ticks and zooms on whole rows.

#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "ObservedWaterfall.h"
#include "platform/StoredForm.h"
#include "waterfall/KvWaterfallAxisMath.h"

#include <ostream>

// Ranges read as numbers in failure messages.
inline void PrintTo(const TKvAxisRange& ARange, std::ostream* AOut) {
    *AOut << ARange.Min << ".." << ARange.Max;
}

namespace {

TEST(WaterfallAxisMath, FrequencyUnitAndScaleFollowTheRate) {
    struct TCase {
        double Rate;
        const char* Unit;
        double Max;
    };
    const TCase Cases[] = {
        {10000, "kHz", 5},     {500, "Hz", 250},
        {2000000, "Mhz", 1},   {3000000000.0, "Hz (E-9)", 1.5},
        {0.0005, "mHz", 0.25}, {1e-7, "Hz (E6)", 0.05},
        {999, "Hz", 499.5},    {1000, "kHz", 0.5},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Rate);
        EXPECT_EQ(KvFrequencyUnit(C.Rate), QString::fromLatin1(C.Unit));
        EXPECT_DOUBLE_EQ(KvMaxFrequencyScaled(C.Rate), C.Max);
    }
    // Rates that are no frequency are labelled in Hz and never reach a
    // conversion to an integer.
    const double Bad[] = {-10000, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), -0.0};
    for (double Rate : Bad) {
        EXPECT_EQ(KvFrequencyExponent(Rate), 0);
        EXPECT_EQ(KvFrequencyUnit(Rate), QStringLiteral("Hz"));
        EXPECT_TRUE(std::isfinite(KvMaxFrequencyScaled(Rate)));
    }
    EXPECT_EQ(KvFrequencyExponent(DBL_MAX), 306);
    EXPECT_EQ(KvFrequencyExponent(std::numeric_limits<double>::denorm_min()), -321);
    EXPECT_GT(KvMaxFrequencyScaled(std::numeric_limits<double>::denorm_min()), 0);
}

TEST(WaterfallAxisMath, TicksAndZoomsStayOnWholeRows) {
    // Four axis units to a row.
    EXPECT_EQ(KvWholeRowStep(3, 0.25), 4);   // under a row: one row
    EXPECT_EQ(KvWholeRowStep(6, 0.25), 8);   // 1.5 rows: rounded to 2
    EXPECT_EQ(KvWholeRowStep(10, 0.25), 8);  // 2.5 rows: ties to even
    EXPECT_EQ(KvWholeRowStep(-3, 0.25), -4); // a reversed step keeps its sign
    EXPECT_EQ(KvWholeRowStep(0, 0.25), 4);

    // A window of 10 units (2.5 rows) zoomed in by half would show 1.25 rows:
    // the zoom stops at 2 rows.
    EXPECT_DOUBLE_EQ(KvRowZoomFactor(0.5, 10, 0.25), 0.8);
    EXPECT_DOUBLE_EQ(KvRowZoomFactor(0.5, -10, 0.25), 0.8);
    EXPECT_EQ(KvRowZoomFactor(0.9, 100, 0.25), 0.9);
    EXPECT_EQ(KvRowZoomFactor(2, 4, 0.25), 2);
}

} // namespace

namespace {

TEST(WaterfallAxisMath, SampleCountsAndTheHistoryAxisMaximum) {
    EXPECT_EQ(KvSoundRowSamples(0), 512);
    EXPECT_EQ(KvSoundRowSamples(1), 1);
    EXPECT_EQ(KvSoundRowSamples(1000000), 1000000);
    EXPECT_EQ(KvSoundRowSamples(4294967295u), 2147483647);

    EXPECT_EQ(KvXDataMax(256, true, mamValue, 1024, 1024, 0), 255);
    EXPECT_EQ(KvXDataMax(256, false, mamValue, 100, 1024, 0), 100);
    EXPECT_EQ(KvXDataMax(256, false, mamOffset, 100, 50, 10), 60);
}

} // namespace

namespace {

class WaterfallAxes : public ::testing::Test {
protected:
    void SetUp() override {
        Host = MakeOwned<TObservedWaterfall>(nullptr);
        Host->SetBounds(0, 0, 600, 400);
        Host->Render();
    }
    void AddRows(int ACount, uint32_t ALength) {
        for (int I = 0; I < ACount; ++I)
            Host->Data().AddData(TKvRealBuffer::CreateValue(1.0, ALength));
        Host->Render();
    }
    TKvWaterfallXAxis& X() { return *Host->GetXAxisObject(); }
    TKvWaterfallYAxis& Y() { return *Host->GetYAxisObject(); }

    TOwned<TObservedWaterfall> Host;
};

TEST_F(WaterfallAxes, SamplesIsTheHistoryDepth) {
    TKvWaterfallXAxis& X = this->X();
    EXPECT_EQ(X.GetSamples(), 512);
    EXPECT_EQ(X.GetMax()->GetValue(), 1024);
    EXPECT_EQ(X.GetFormat()->GetPrecision(), 0);
    EXPECT_EQ(X.DataFull(), (TKvAxisRange{0, 511}));

    X.SetSamples(0);
    EXPECT_EQ(X.GetSamples(), 1024);
    EXPECT_EQ(Host->Rows().GetSamples(), 1024u);

    X.SetSamples(256);
    EXPECT_EQ(Host->Rows().GetSamples(), 256u);
    AddRows(300, 8);
    EXPECT_EQ(Host->Rows().GetRowCount(), 256);
    EXPECT_EQ(X.DataFull(), (TKvAxisRange{0, 255}));
    EXPECT_EQ(X.ValueToRow(255), 255);
    EXPECT_EQ(X.RowWindow(), (TKvAxisRange{0, 255}));

    // Reversing rebuilds the image once per change.
    X.SetReversed(true);
    X.SetReversed(true);
    X.SetReversed(false);
    EXPECT_EQ(Host->Rebuilds, 2);
}

TEST_F(WaterfallAxes, YAxisCountsTheOldestRowsSamples) {
    TKvWaterfallYAxis& Y = this->Y();
    EXPECT_EQ(Y.GetSamples(), 500);
    EXPECT_EQ(Y.GetMax()->GetTick()->GetValue(), 500);
    // A first row of no samples counts as 512.
    AddRows(1, 0);
    EXPECT_EQ(Y.GetSamples(), 512);
    EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{0, 511}));

    // The oldest row decides; its change reaches the cached ranges at once.
    Host->Rows().ClearBuffers();
    AddRows(3, 128);
    EXPECT_EQ(Y.GetSamples(), 128);
    EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{0, 127}));
    EXPECT_EQ(Y.DataZoomed(), (TKvAxisRange{0, 127}));
    EXPECT_EQ(Y.GetAxisLabelText(), QStringLiteral("Samples"));
    EXPECT_EQ(Y.ValueToSample(127), 127);
}

TEST_F(WaterfallAxes, FrequencyLabelsFollowTheSampleRateAtTheNextPaint) {
    TKvWaterfallYAxis& Y = this->Y();
    AddRows(2, 128);
    Y.SetTicksMode(atmFrequency);
    EXPECT_EQ(Y.GetAxisLabelText(), QStringLiteral("kHz"));
    EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{0, 5}));
    // 5 kHz over 127 samples.
    EXPECT_DOUBLE_EQ(Y.ValueToSample(2.5), 63.5);

    struct TCase {
        double Rate;
        const char* Unit;
        double Max;
    };
    for (const TCase& C :
         {TCase{2000000, "Mhz", 1}, TCase{3000000000.0, "Hz (E-9)", 1.5}, TCase{500, "Hz", 250}}) {
        SCOPED_TRACE(C.Rate);
        Host->Data().SetSampleRate(C.Rate);
        Host->Render();
        EXPECT_EQ(Y.GetAxisLabelText(), QString::fromLatin1(C.Unit));
        EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{0, C.Max}));
    }

    // Intensity labels the data range; manual ticks take the tick values.
    Y.SetTicksMode(atmIntensity);
    EXPECT_EQ(Y.GetAxisLabelText(), QStringLiteral("Intensity"));
    EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{0, 127}));
    Y.GetMin()->GetTick()->SetValue(-3);
    Y.SetTicksMode(atmManual);
    EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{-3, 500}));
    EXPECT_EQ(Y.GetAxisLabelText(), QStringLiteral("Samples"));

    // Back to samples: the data range again.
    Y.SetTicksMode(atmAuto);
    EXPECT_EQ(Y.GetAxisLabelText(), QStringLiteral("Samples"));
    EXPECT_EQ(Y.ScaleTickFull(), (TKvAxisRange{0, 127}));
}

TEST_F(WaterfallAxes, ZoomingTheHistoryStopsAtTwoRows) {
    TKvWaterfallXAxis& X = this->X();
    X.SetSamples(256);
    AddRows(256, 8);
    EXPECT_FALSE(X.GetCanZoomOut());
    for (int I = 0; I < 12; ++I)
        X.ToolBarZoomIn();
    const TKvAxisRange Window = X.RowWindow();
    EXPECT_NEAR(Window.Width(), 2.0, 1e-9);
    EXPECT_FALSE(X.GetCanZoomIn());
    EXPECT_TRUE(X.GetCanZoomOut());

    // The wheel stops there as well.
    const TRect Data = Host->GetDataView()->DrawRect();
    for (int I = 0; I < 5; ++I)
        X.ZoomAtPoint(Point(Data.Left + Data.Width() / 2, Data.Top + 5), 0.5);
    EXPECT_NEAR(X.RowWindow().Width(), 2.0, 1e-9);

    // Ticks stay on whole rows, one row apart at the least.
    const double Step = X.GetStep();
    EXPECT_GE(Step, 1.0);
    EXPECT_EQ(Step, std::nearbyint(Step));
}

TEST_F(WaterfallAxes, OlderStoredLayoutsAreReadAndTheirLeftoversDropped) {
    Y().SetTicksMode(atmFrequency);
    X().SetSamples(256);
    const QString Text = ComponentToText(Host.get());
    EXPECT_TRUE(Text.contains(QLatin1String("YAxis.TicksMode = atmFrequency")));
    EXPECT_TRUE(Text.contains(QLatin1String("XAxis.Samples = 256")));
    EXPECT_FALSE(Text.contains(QLatin1String("MinTick")));
    EXPECT_FALSE(Text.contains(QLatin1String("MaxTick")));

    auto Old = MakeOwned<TKvWaterfall>(nullptr);
    ReadComponentFromText(QStringLiteral("object TKvWaterfall\n"
                                         "  XAxis.MinTick.Value = 3.5\n"
                                         "  XAxis.MaxTick._Floats = ((Value 0.0))\n"
                                         "  YAxis.MinMax = (2.0 250.0 7.0)\n"
                                         "end\n"),
                          Old.get());
    EXPECT_EQ(Old->GetYAxisObject()->GetMin()->GetTick()->GetValue(), 2.0);
    EXPECT_EQ(Old->GetYAxisObject()->GetMax()->GetTick()->GetValue(), 250.0);
    // The automatic mode is stored too, so that it survives a reading.
    EXPECT_TRUE(ComponentToText(Old.get()).contains(QLatin1String("YAxis.TicksMode = atmAuto")));
    EXPECT_FALSE(ComponentToText(Old.get()).contains(QLatin1String("MinMax")));
}

} // namespace
