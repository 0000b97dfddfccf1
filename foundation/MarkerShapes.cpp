#include "foundation/MarkerShapes.h"

#include <utility>

namespace {

enum class TTriangle { Up, Down, Left, Right };

struct TShapeGeometry {
    int32_t x, y, e, r;
    int32_t L() const { return x - r; }
    int32_t T() const { return y - r; }
    int32_t R() const { return x + r + 1; }
    int32_t B() const { return y + r + 1; }
};

void Line(THxCanvas& ACanvas, int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    ACanvas.MoveTo(X1, Y1);
    ACanvas.LineTo(X2, Y2);
}

void VerticalLine(THxCanvas& ACanvas, const TShapeGeometry& g) {
    Line(ACanvas, g.x, g.T(), g.x, g.B() - g.e);
}

void HorizontalLine(THxCanvas& ACanvas, const TShapeGeometry& g) {
    Line(ACanvas, g.L(), g.y, g.R() - g.e, g.y);
}

void Plus(THxCanvas& ACanvas, const TShapeGeometry& g) {
    VerticalLine(ACanvas, g);
    HorizontalLine(ACanvas, g);
}

void Cross(THxCanvas& ACanvas, const TShapeGeometry& g) {
    Line(ACanvas, g.L(), g.T(), g.R() - g.e, g.B() - g.e);
    Line(ACanvas, g.R() - 1, g.T(), g.L() + g.e - 1, g.B() - g.e);
}

void Triangle(THxCanvas& ACanvas, const TShapeGeometry& g, TTriangle AKind) {
    const int32_t x = g.x, y = g.y, e = g.e, r = g.r;
    switch (AKind) {
    case TTriangle::Up:
        ACanvas.Polygon({{x, y - e}, {x - r, y + 2 * r - e}, {x + r, y + 2 * r - e}});
        break;
    case TTriangle::Down:
        ACanvas.Polygon({{x, y + e}, {x - r, y + e - 2 * r}, {x + r, y + e - 2 * r}});
        break;
    case TTriangle::Left:
        ACanvas.Polygon({{x - e, y}, {x + 2 * r - e, y - r}, {x + 2 * r - e, y + r}});
        break;
    case TTriangle::Right:
        ACanvas.Polygon({{x + e, y}, {x + e - 2 * r, y - r}, {x + e - 2 * r, y + r}});
        break;
    }
}

} // namespace

void DrawMarkerShape(THxCanvas& ACanvas, int32_t X, int32_t Y, bool AVertical, int32_t AExtra,
                     int32_t ASize, TKvDisplayMarkerShape AShape) {
    if (AVertical)
        std::swap(X, Y);
    const TShapeGeometry g{X, Y, AExtra, ASize + AExtra};
    switch (AShape) {
    case msPoint:
        ACanvas.SetPixel(g.x, g.y, ACanvas.GetPen().GetColor());
        break;
    case msCircle:
        ACanvas.Ellipse(g.L(), g.T(), g.R(), g.B());
        break;
    case msSquare:
        ACanvas.Rectangle(g.L(), g.T(), g.R(), g.B());
        break;
    case msDiamond:
        ACanvas.Polygon({{g.x, g.T()}, {g.L(), g.y}, {g.x, g.B() - 1}, {g.R() - 1, g.y}});
        break;
    case msPlus:
        Plus(ACanvas, g);
        break;
    case msCross:
        Cross(ACanvas, g);
        break;
    case msStar:
        Plus(ACanvas, g);
        Cross(ACanvas, g);
        break;
    case msTriangleUp:
        Triangle(ACanvas, g, AVertical ? TTriangle::Left : TTriangle::Up);
        break;
    case msTriangleDown:
        Triangle(ACanvas, g, AVertical ? TTriangle::Right : TTriangle::Down);
        break;
    case msTriangleLeft:
        Triangle(ACanvas, g, AVertical ? TTriangle::Down : TTriangle::Left);
        break;
    case msTriangleRight:
        Triangle(ACanvas, g, AVertical ? TTriangle::Up : TTriangle::Right);
        break;
    case msHLine:
        if (AVertical)
            VerticalLine(ACanvas, g);
        else
            HorizontalLine(ACanvas, g);
        break;
    case msVLine:
        if (AVertical)
            HorizontalLine(ACanvas, g);
        else
            VerticalLine(ACanvas, g);
        break;
    }
}
