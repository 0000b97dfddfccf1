#pragma once
// Records, enumerations and event types shared by the data display, its
// views, axes, toolbars and zoom history.
//
// The enumerations that published properties store live in the meta-object
// namespace Kv, so that the stored form writes them by name.

#include "platform/Geometry.h"

#include <QObject>
#include <QString>
#include <functional>

class TPersistent;

struct TKvRealPoint {
    double X = 0.0;
    double Y = 0.0;
};

// The visible ranges before (Old) and after a zoom change.
struct TKvRealRanges {
    double XOldMin = 0.0;
    double YOldMin = 0.0;
    double XOldMax = 0.0;
    double YOldMax = 0.0;
    double XMin = 0.0;
    double YMin = 0.0;
    double XMax = 0.0;
    double YMax = 0.0;
};

namespace Kv {
Q_NAMESPACE

enum TKvViewAlign { vaTop = 0, vaBottom = 1, vaLeft = 2, vaRight = 3 };
Q_ENUM_NS(TKvViewAlign)

enum TKvDisplayDrawPart { ddpBackground = 0, ddpForeground = 1, ddpFeatures = 2, ddpText = 3 };
Q_ENUM_NS(TKvDisplayDrawPart)

enum TKvZoomOperation {
    zoUndo = 0,
    zoRedo = 1,
    zoMousePan = 2,
    zoMouseWheel = 3,
    zoZoom = 4,
    zoZoomOff = 5
};
Q_ENUM_NS(TKvZoomOperation)

enum TKvDisplayNavigateMode { nmZoom = 0, nmPan = 1 };
Q_ENUM_NS(TKvDisplayNavigateMode)

enum TKvDisplayZoomMode { zmBoth = 0, zmXAxis = 1, zmYAxis = 2 };
Q_ENUM_NS(TKvDisplayZoomMode)

// What the display toolbar's position is measured in.
enum TKvToolBarHostView { thvDisplay = 0, thvDataView = 1 };
Q_ENUM_NS(TKvToolBarHostView)

} // namespace Kv

using Kv::TKvViewAlign;
using enum Kv::TKvViewAlign;
using Kv::TKvDisplayDrawPart;
using enum Kv::TKvDisplayDrawPart;
using Kv::TKvZoomOperation;
using enum Kv::TKvZoomOperation;
using Kv::TKvDisplayNavigateMode;
using enum Kv::TKvDisplayNavigateMode;
using Kv::TKvDisplayZoomMode;
using enum Kv::TKvDisplayZoomMode;
using Kv::TKvToolBarHostView;
using enum Kv::TKvToolBarHostView;

// The view alignment that takes the area the edge views leave.
constexpr int32_t KvDataViewAlign = 4;

using TKvZoomChangedEvent = std::function<void(TPersistent* Sender, TKvZoomOperation ZoomOperation,
                                               const TKvRealRanges& ZoomValues)>;
using TKvDataToolTipEvent = std::function<void(TPersistent* Sender, TPoint MousePoint,
                                               TKvRealPoint DataPoint, QString& Text)>;
// A button or an item was clicked; a handler that sets Handled stops what
// would follow (the default action, a properties dialog).
using TKvToolBarButtonClickEvent = std::function<void(TPersistent* Sender, bool& Handled)>;
using TKvChartItemClickEvent =
    std::function<void(TPersistent* Sender, int32_t ChannelIndex, bool& Handled)>;
