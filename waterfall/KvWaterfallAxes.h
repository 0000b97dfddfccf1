#pragma once
// The waterfall's axes. The X axis is the history: one unit is one row and
// Samples is the history depth. The Y axis runs along a row: one unit is one
// sample, and it labels itself as samples, as frequency in a unit chosen
// from the sample rate, or as intensity.

#include <atomic>
#include <cstdint>

#include "display/KvBasicDisplayAxes.h"
#include "waterfall/KvHiddenAxisValue.h"

// What the axes ask of the waterfall they belong to. A display that is not
// one leaves the defaults: no rate (10000 Hz), no marking of the stream.
class TKvWaterfallAxisOwner {
public:
    // The sample rate, 10000 when none was given, and a stamp that counts
    // its changes.
    virtual double AxisSampleRate() { return 10000.0; }
    virtual uint32_t AxisSampleRateStamp() { return 0; }
    // The input marked the stream as spectra or as intensities.
    virtual bool AxisFrequencyDomain() { return false; }
    virtual bool AxisIntensityDomain() { return false; }
    // The X axis's Samples changed: the history's depth follows.
    virtual void HistoryDepthChanged(int32_t ASamples) { (void)ASamples; }
    // The X axis's Reversed changed: the image is built again.
    virtual void HistoryReversed() {}

protected:
    ~TKvWaterfallAxisOwner() = default;
};

// What both axes do alike over their own bases: one unit of the image (a
// row, a sample) per step, ticks on whole units and zooms that keep them.
template <class TBase> class TKvWaterfallUnitAxis : public TBase {
public:
    using TBase::TBase;

    // Ticks on whole units, at least one unit apart.
    double GetStep() override;
    // No zoom leaves fewer than 2 units.
    void AdjustZoomFactor(double& Factor, double Width) override;
    void ZoomByFactor(double Factor) override;
    bool GetCanZoomOut() override;

protected:
    ~TKvWaterfallUnitAxis() override = default;

    TKvWaterfallAxisOwner* Owner() const;
    // Image units per axis unit.
    virtual double UnitsPerAxisUnit() = 0;
};

extern template class TKvWaterfallUnitAxis<TKvBasicDisplayXAxis>;
extern template class TKvWaterfallUnitAxis<TKvBasicDisplayYAxis>;

class TKvWaterfallXAxis : public TKvWaterfallUnitAxis<TKvBasicDisplayXAxis> {
    Q_OBJECT
    Q_PROPERTY(int32_t Samples READ GetSamples WRITE SetSamples)
    Q_PROPERTY(bool Reversed READ GetReversed WRITE SetReversed)
    Q_PROPERTY(TKvHiddenAxisValue* MinTick READ GetMinTick STORED false)
    Q_PROPERTY(TKvHiddenAxisValue* MaxTick READ GetMaxTick STORED false)
    Q_CLASSINFO("default:Samples", "512")
    Q_CLASSINFO("default:Reversed", "False")
public:
    explicit TKvWaterfallXAxis(TKvDataDisplay* ADisplay);

    // Under the display's lock; 0 is stored as 1024.
    void SetSamples(int32_t AValue);
    void SetReversed(bool AValue) override;
    TKvHiddenAxisValue* GetMinTick() const { return FMinTick.get(); }
    TKvHiddenAxisValue* GetMaxTick() const { return FMaxTick.get(); }

    // The history row at axis value AValue.
    double ValueToRow(double AValue);
    // The rows shown: the zoom's rows within the whole history's.
    TKvAxisRange RowWindow();

    double GetDataFullMax() override;
    double GetScaleTickFullMin() override;
    double GetScaleTickFullMax() override;
    bool GetCanZoomIn() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside, int32_t X,
                   int32_t Y) override;

protected:
    ~TKvWaterfallXAxis() override;

    // Rows per axis unit.
    double UnitsPerAxisUnit() override;

private:
    TOwned<TKvHiddenAxisValue> FMinTick;
    TOwned<TKvHiddenAxisValue> FMaxTick;
};

class TKvWaterfallYAxis : public TKvWaterfallUnitAxis<TKvBasicDisplayYAxis> {
    Q_OBJECT
    Q_PROPERTY(KvAxis::TKvDisplayAxisTicksMode TicksMode READ GetTicksMode WRITE SetTicksMode)
public:
    explicit TKvWaterfallYAxis(TKvDataDisplay* ADisplay);

    TKvDisplayAxisTicksMode GetTicksMode() const;
    void SetTicksMode(TKvDisplayAxisTicksMode AValue);
    // The samples per row as the history's oldest row has them; an empty
    // row counts as 512. Under the display's lock; any thread.
    void SetSamples(uint32_t ALength);
    int32_t GetSamples() const;

    bool IsFrequencyAxis();
    bool IsIntensityAxis();
    // The sample at axis value AValue.
    double ValueToSample(double AValue);
    // The samples shown: the zoom's samples within the row's.
    TKvAxisRange SampleWindow();

    QString GetAxisLabelText() override;
    double GetDataFullMax() override;
    double GetScaleTickFullMin() override;
    double GetScaleTickFullMax() override;
    // Inverted on a vertical waterfall.
    bool IsReversed() const override;
    bool IsReversedForTicks() const override;

    void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
              bool Printing) override;
    void GetDefaultRect(TSize& ASize) const override;
    // Also reads "MinMax" of older forms: the two tick values.
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TKvWaterfallYAxis() override;

    // Samples per axis unit.
    double UnitsPerAxisUnit() override;

private:
    double EffectiveSampleRate() const;
    // A rate set since the ranges were cached drops them.
    void FollowSampleRate();
    void SamplesChanged();

    int32_t FSamples = 500;
    TKvDisplayAxisTicksMode FTicksMode = atmAuto;
    std::atomic<uint32_t> FRateStamp{0};
};
