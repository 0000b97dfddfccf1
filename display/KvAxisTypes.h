#pragma once
// Enumerations and events of the display axes. The axes publish their modes,
// so the types live in a meta-object namespace and a property names its type
// with it: Q_PROPERTY(KvAxis::TKvPrecisionMode PrecisionMode ...).

#include <QObject>
#include <QString>
#include <functional>

class TPersistent;

namespace KvAxis {
Q_NAMESPACE

enum TKvScaleMode { smLinear = 0, smLogarithmic = 1, smLogDecascale = 2 };
Q_ENUM_NS(TKvScaleMode)

enum TKvDisplayAxisTicksMode {
    atmAuto = 0,
    atmAxis = 1,
    atmBufferSamples = 2,
    atmFrequency = 3,
    atmIntensity = 4,
    atmTime = 5,
    atmManual = 6
};
Q_ENUM_NS(TKvDisplayAxisTicksMode)

enum TKvMajorTicksMode { mtmAuto = 0, mtmCustom = 1, mtmOverride = 2 };
Q_ENUM_NS(TKvMajorTicksMode)

enum TKvMaxAxisMode { mamValue = 0, mamOffset = 1 };
Q_ENUM_NS(TKvMaxAxisMode)

enum TKvPrecisionMode { dpmGeneral = 0, dpmScientific = 1 };
Q_ENUM_NS(TKvPrecisionMode)

} // namespace KvAxis

using KvAxis::TKvScaleMode;
using enum KvAxis::TKvScaleMode;
using KvAxis::TKvDisplayAxisTicksMode;
using enum KvAxis::TKvDisplayAxisTicksMode;
using KvAxis::TKvMajorTicksMode;
using enum KvAxis::TKvMajorTicksMode;
using KvAxis::TKvMaxAxisMode;
using enum KvAxis::TKvMaxAxisMode;
using KvAxis::TKvPrecisionMode;
using enum KvAxis::TKvPrecisionMode;

// Every mode but the linear one is drawn through the signed logarithm.
constexpr bool IsLogarithmicScale(TKvScaleMode AMode) {
    return AMode != smLinear;
}

using TKvCustomStepEvent =
    std::function<void(TPersistent* Sender, double SampleValue, double& Step, bool& Draw)>;
using TKvCustomAxisLabelEvent =
    std::function<void(TPersistent* Sender, double SampleValue, QString& AxisLabel)>;
