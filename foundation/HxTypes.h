#pragma once
// Types shared by the settings objects and everything built on them: the
// enumerations other units publish, the callback types and the value types
// the lock's typed setters know.
//
// The enumerations live in the meta-object namespace Hx so that published
// properties can store them by name; such a property names its type with the
// namespace: Q_PROPERTY(Hx::TKvSynchronizeType SynchronizeType ...).

#include "platform/Colors.h"
#include "platform/Cursors.h"

#include <QObject>
#include <cstdint>
#include <functional>

class TPersistent;
class THxPersistent;

namespace Hx {
Q_NAMESPACE

enum TKvSynchronizeType { stNone, stSingleBuffer, stQueue };
Q_ENUM_NS(TKvSynchronizeType)

enum TKvClockSource { csInternal, csExternal };
Q_ENUM_NS(TKvClockSource)

enum THxStrokeDash {
    sdDashSolid,
    sdDashDash,
    sdDashDot,
    sdDashDashDot,
    sdDashDashDotDot,
    sdDashCustom
};
Q_ENUM_NS(THxStrokeDash)

} // namespace Hx

using Hx::TKvSynchronizeType;
using enum Hx::TKvSynchronizeType;
using Hx::TKvClockSource;
using enum Hx::TKvClockSource;
using Hx::THxStrokeDash;
using enum Hx::THxStrokeDash;

// Days since 1899-12-30, the fraction being the time of day.
using TDateTime = double;
// A colour with alpha: 0xAARRGGBB.
using TGPColor = uint32_t;

// Called after a property changed; "assigned" means not empty.
using THxPropUpdateFunc = std::function<void()>;
using TNotifyEvent = std::function<void(TPersistent* Sender)>;
using THxPropertyExpandEvent = std::function<void(THxPersistent* Sender1, THxPersistent* Sender2)>;
