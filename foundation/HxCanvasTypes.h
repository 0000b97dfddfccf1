#pragma once
// Enumerations of the canvas abstraction. The marker shape is a published
// property of marker groups, so the types live in a meta-object namespace and
// such a property names its type with it: Q_PROPERTY(HxDraw::TKvDisplayMarkerShape Shape ...).

#include <QObject>

namespace HxDraw {
Q_NAMESPACE

enum THxPenStyle { lpsSolid, lpsClear };
Q_ENUM_NS(THxPenStyle)

enum THxBrushStyle { lbsSolid, lbsClear };
Q_ENUM_NS(THxBrushStyle)

enum TKvDisplayMarkerShape {
    msPoint,
    msCircle,
    msSquare,
    msDiamond,
    msPlus,
    msCross,
    msStar,
    msTriangleUp,
    msTriangleDown,
    msTriangleLeft,
    msTriangleRight,
    msHLine,
    msVLine
};
Q_ENUM_NS(TKvDisplayMarkerShape)

} // namespace HxDraw

using HxDraw::THxPenStyle;
using enum HxDraw::THxPenStyle;
using HxDraw::THxBrushStyle;
using enum HxDraw::THxBrushStyle;
using HxDraw::TKvDisplayMarkerShape;
using enum HxDraw::TKvDisplayMarkerShape;
