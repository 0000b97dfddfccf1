#pragma once
// Marker shapes of the display markers, drawn with the canvas's current pen
// and brush around a point.

#include "foundation/HxCanvas.h"

// Draws AShape around (X, Y), half-size ASize + AExtra. AVertical exchanges
// X and Y first and turns the shape with the display (triangles rotate, the
// horizontal and vertical lines swap). AExtra enlarges the shape for the
// highlight pass. A value outside the enumeration draws nothing.
void DrawMarkerShape(THxCanvas& ACanvas, int32_t X, int32_t Y, bool AVertical, int32_t AExtra,
                     int32_t ASize, TKvDisplayMarkerShape AShape);
