#pragma once
// Major step selection and the tick pass of an axis as plain functions: the
// axis measures its labels and reports its sizes, these decide where ticks go.
//
// The work of a pass is bounded whatever the step: at most KvMaxTickValues
// values per direction, a major tick only where it stands clear of the last
// one, and at most one minor tick per pixel between two majors.

#include "display/KvAxisScale.h"
#include "display/KvAxisTypes.h"

#include <cstdint>
#include <functional>
#include <vector>

constexpr int32_t KvMaxTickValues = 100000;
constexpr int32_t KvMaxMinorTicks = 10000;

// MajorTicks.Step as stored: a step that is not a positive finite number becomes 1.
double KvSoundMajorStep(double AValue);
// MinorTicks.Count as stored: a negative count becomes 0.
int32_t KvSoundMinorCount(int32_t AValue);
// GetMinTickSpacing from the measured spacing: at least 20 pixels, 1 in decade steps.
double KvMinTickSpacing(double AMeasured, TKvScaleMode AMode);

// What an axis reports to the step calculation.
struct TKvAxisStepInput {
    uint32_t PixelLength = 0; // GetPixelLength
    TKvAxisRange Range;       // the zoomed range, whose widths are GetRangeWidth
    double MinTickSpacing = 20.0;
    double LabelSize = 0.0; // GetLabelSize
    TKvScaleMode ScaleMode = smLinear;
};

// The automatic major step: the smallest of 1, 2, 2.5, 5 x 10^n spanning the
// minimum tick spacing whose ticks leave room for a label; 1 on an axis
// without pixels or without a range, and in decade steps.
double KvCalcAutoStep(const TKvAxisStepInput& AAxis);

// A user's step, doubled until its ticks stand more than a label (one pixel
// for mtmOverride) apart. A step that is 0 or not finite becomes 1.
double KvAdjustStep(TKvMajorTicksMode AMode, bool ASkipInDecascale, double AStep,
                    const TKvAxisStepInput& AAxis);

// The axis's current major step, recomputed in the automatic mode only when
// it was invalidated or the size, range width or scale mode changed.
class TKvAxisStep {
public:
    explicit TKvAxisStep(double AStep = 1.0) : FStep(AStep) {}

    double GetStep(TKvMajorTicksMode AMode, double AMajorStep, const TKvAxisStepInput& AAxis);
    double Step() const { return FStep; }
    bool IsValid(const TKvAxisStepInput& AAxis) const;
    void Invalidate() { FValidStep = false; }

private:
    double FStep;
    bool FValidStep = false;
    double FOldRangeWidth = 0.0;
    uint32_t FOldSizeWidth = 0;
    TKvScaleMode FOldScaleMode = smLinear;
};

// A minor tick carries the value of the major tick it leads up to.
struct TKvAxisTick {
    int32_t Pixel = 0;
    double Value = 0.0;
    bool Minor = false;
    // |Value| below min(step / 2, 1.5e-45): the tick stands for 0.
    bool NearZero = false;
};

// Called with each value before its tick is placed; may change the step to
// the next value and keep the tick from being drawn.
using TKvTickStepHook = std::function<void(double AValue, double& AStep, bool& ADraw)>;

struct TKvTickPassInput {
    TKvAxisRange Range; // the zoomed scale range
    double Step = 1.0;
    TKvScaleMode ScaleMode = smLinear;
    TKvPixelMapping Mapping; // KvGetPixelMapping over the data view
    int32_t Start = 0;       // the data view's extent along the axis
    int32_t End = 0;
    double MinDistance = 0.0; // pixels a major tick keeps from the last one
    int32_t MinorCount = 0;
    bool StartFromSet = false; // MajorTicks.StartFrom.Mode other than mtmAuto
    double StartFrom = 0.0;
    TKvTickStepHook CustomStep;
    // What a step changed by CustomStep goes through (AdjustStep).
    std::function<double(double)> AdjustStep;
};

// The first tick value: StartFrom when set; otherwise the multiple of the
// step next to 0 towards the range (0 itself when the range crosses it).
double KvTickStart(const TKvTickPassInput& APass);

// The ticks drawn inside the data view: the pass towards lower values, then
// the pass towards higher values, each starting at KvTickStart.
std::vector<TKvAxisTick> KvTickPass(const TKvTickPassInput& APass);
