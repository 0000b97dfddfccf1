#include "platform/Canvas.h"

#include "platform/CosmeticLine.h"
#include "platform/Exceptions.h"

#include <QFontMetrics>
#include <QPolygon>
#include <QPolygonF>
#include <algorithm>

namespace {

// GDI's cosmetic pen styles, in pixels.
constexpr int DashLengths[] = {18, 6};
constexpr int DotLengths[] = {3, 3};
constexpr int DashDotLengths[] = {9, 6, 3, 6};
constexpr int DashDotDotLengths[] = {9, 3, 3, 3, 3, 3};

TDashPattern PatternOf(TPenStyle AStyle) {
    switch (AStyle) {
    case psDash:
        return {DashLengths, 2};
    case psDot:
        return {DotLengths, 2};
    case psDashDot:
        return {DashDotLengths, 4};
    case psDashDotDot:
        return {DashDotDotLengths, 6};
    default:
        return {};
    }
}

// GDI's coordinate space is 28 bits wide; holding shapes to it keeps every
// width and corner sum we or Qt compute inside an int.
constexpr int32_t MaxCoord = 1 << 27;

int32_t Coord(int32_t AValue) {
    return std::clamp(AValue, -MaxCoord, MaxCoord);
}

TRect Clamped(const TRect& ARect) {
    return TRect{Coord(ARect.Left), Coord(ARect.Top), Coord(ARect.Right), Coord(ARect.Bottom)};
}

// Rectangle corners in order, as GDI takes them whichever way round they come.
TRect Normalized(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    X1 = Coord(X1);
    Y1 = Coord(Y1);
    X2 = Coord(X2);
    Y2 = Coord(Y2);
    return TRect{std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

QPolygon ToQPolygon(const std::vector<TPoint>& APoints) {
    QPolygon poly;
    poly.reserve(static_cast<qsizetype>(APoints.size()));
    for (const TPoint& p : APoints)
        poly.append(QPoint(Coord(p.X), Coord(p.Y)));
    return poly;
}

void Aliased(QPainter& APainter) {
    APainter.setRenderHint(QPainter::Antialiasing, false);
    APainter.setRenderHint(QPainter::TextAntialiasing, false);
    APainter.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

} // namespace

QImage OpaqueImage(const QImage& AImage) {
    if (AImage.format() != QImage::Format_RGB32)
        return AImage;
    // converting to a format with alpha sets every fourth byte to 0xFF
    return AImage.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TCanvas::TCanvas()
    : FPen(MakeOwned<TPen>()), FBrush(MakeOwned<TBrush>()), FFont(MakeOwned<TFont>()) {}

TCanvas::~TCanvas() {
    ReleasePainter();
}

void TCanvas::SetImage(QImage* AImage) {
    Detach();
    ReleasePainter();
    FImage = AImage;
}

void TCanvas::Attach(QPainter* APainter) {
    ReleasePainter();
    FPainter = APainter;
    FClip.reset();
    if (FPainter)
        Aliased(*FPainter);
}

void TCanvas::Detach() {
    if (!FOwnPainter)
        FPainter = nullptr;
}

void TCanvas::ReleasePainter() {
    if (FOwnPainter) {
        FOwnPainter->end();
        FOwnPainter.reset();
        FPainter = nullptr;
    }
}

QPainter* TCanvas::Painter() {
    if (FPainter)
        return FPainter;
    if (!FImage || FImage->isNull())
        throw Exception(QStringLiteral("Canvas does not allow drawing"));
    if (FBeforeBegin)
        FBeforeBegin();
    FOwnPainter = std::make_unique<QPainter>(FImage);
    FPainter = FOwnPainter.get();
    Aliased(*FPainter);
    ApplyClip();
    return FPainter;
}

QRect TCanvas::SurfaceRect() const {
    if (FPainter && FPainter->device())
        return QRect(0, 0, FPainter->device()->width(), FPainter->device()->height());
    if (FImage)
        return FImage->rect();
    return QRect();
}

void TCanvas::ApplyClip() {
    if (!FPainter)
        return;
    if (FClip)
        FPainter->setClipRegion(*FClip);
    else
        FPainter->setClipping(false);
}

QRegion TCanvas::ClipRegion() const {
    return FClip ? *FClip : QRegion(SurfaceRect());
}

void TCanvas::SelectClipRgn(const QRegion& ARegion) {
    FClip = ARegion;
    ApplyClip();
}

void TCanvas::ExcludeClipRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
    const TRect r = Normalized(ALeft, ATop, ARight, ABottom);
    FClip = ClipRegion().subtracted(QRegion(r.ToQRect()));
    ApplyClip();
}

void TCanvas::IntersectClipRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
    const TRect r = Normalized(ALeft, ATop, ARight, ABottom);
    FClip = ClipRegion().intersected(QRegion(r.ToQRect()));
    ApplyClip();
}

void TCanvas::ResetClipRect() {
    FClip.reset();
    ApplyClip();
}

QColor TCanvas::PenColor() const {
    return ColorToQColor(FPen->Color());
}

bool TCanvas::PenIsCosmetic() const {
    return FPen->Width() <= 1;
}

QPen TCanvas::WidePen() const {
    return QPen(PenColor(), FPen->Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

namespace {

QPainter::CompositionMode MixOf(TPenMode AMode) {
    switch (AMode) {
    case pmBlack:
        return QPainter::RasterOp_ClearDestination;
    case pmWhite:
        return QPainter::RasterOp_SetDestination;
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    case pmNop:
    case pmCopy:
        break;
    }
    return QPainter::CompositionMode_SourceOver;
}

// As in GDI, the pen's mode mixes the whole shape into the pixels under it,
// outline and fill, while the shape is drawn.
class TMixScope {
public:
    TMixScope(QPainter* APainter, TPenMode AMode)
        : FPainter(APainter), FOld(APainter->compositionMode()) {
        FPainter->setCompositionMode(MixOf(AMode));
    }
    ~TMixScope() { FPainter->setCompositionMode(FOld); }
    TMixScope(const TMixScope&) = delete;
    TMixScope& operator=(const TMixScope&) = delete;

private:
    QPainter* FPainter;
    QPainter::CompositionMode FOld;
};

} // namespace

QBrush TCanvas::FillBrush() const {
    const QColor color = ColorToQColor(FBrush->Color());
    switch (FBrush->Style()) {
    case bsSolid:
        return QBrush(color);
    case bsClear:
        return Qt::NoBrush;
    case bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case bsVertical:
        return QBrush(color, Qt::VerPattern);
    case bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case bsCross:
        return QBrush(color, Qt::CrossPattern);
    case bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    }
    return QBrush(color);
}

void TCanvas::CosmeticLine(TPoint AFrom, TPoint ATo, int64_t& AStylePos) {
    const int64_t steps =
        std::max(std::llabs(int64_t{ATo.X} - AFrom.X), std::llabs(int64_t{ATo.Y} - AFrom.Y));
    const TDashPattern pattern = PatternOf(FPen->Style());
    const QColor color = PenColor();
    QPainter* painter = Painter();
    const TRect bounds = TRect::FromQRect(ClipRegion().boundingRect().intersected(SurfaceRect()));
    // Neighbouring pixels of a row or column are filled as one run.
    QRect run;
    const int64_t base = AStylePos;
    ForEachLinePixel(AFrom, ATo, bounds, [&](int32_t x, int32_t y, int64_t step) {
        if (!pattern.IsOn(base + step))
            return;
        if (!run.isNull()) {
            if (run.height() == 1 && y == run.top() &&
                (x == run.right() + 1 || x == run.left() - 1)) {
                run = run.united(QRect(x, y, 1, 1));
                return;
            }
            if (run.width() == 1 && x == run.left() &&
                (y == run.bottom() + 1 || y == run.top() - 1)) {
                run = run.united(QRect(x, y, 1, 1));
                return;
            }
            painter->fillRect(run, color);
        }
        run = QRect(x, y, 1, 1);
    });
    if (!run.isNull())
        painter->fillRect(run, color);
    AStylePos += steps;
}

void TCanvas::CosmeticOutline(const std::vector<TPoint>& APoints, bool AClosed) {
    int64_t stylePos = 0;
    for (size_t i = 1; i < APoints.size(); ++i)
        CosmeticLine(APoints[i - 1], APoints[i], stylePos);
    if (AClosed && APoints.size() > 1)
        CosmeticLine(APoints.back(), APoints.front(), stylePos);
}

void TCanvas::MoveTo(int32_t X, int32_t Y) {
    FPenPos = TPoint{X, Y};
    FStylePos = 0;
}

void TCanvas::LineTo(int32_t X, int32_t Y) {
    const TPoint to{X, Y};
    if (FPen->Style() != psClear && FPen->Mode() != pmNop) {
        const TMixScope mix(Painter(), FPen->Mode());
        if (PenIsCosmetic()) {
            CosmeticLine(FPenPos, to, FStylePos);
        } else {
            QPainter* painter = Painter();
            painter->setPen(WidePen());
            painter->drawLine(FPenPos.ToQPoint(), to.ToQPoint());
        }
    }
    FPenPos = to;
}

void TCanvas::Polyline(const std::vector<TPoint>& APoints) {
    if (APoints.size() < 2 || FPen->Style() == psClear || FPen->Mode() == pmNop)
        return;
    QPainter* painter = Painter();
    const TMixScope mix(painter, FPen->Mode());
    if (PenIsCosmetic()) {
        CosmeticOutline(APoints, false);
        return;
    }
    painter->setPen(WidePen());
    painter->setBrush(Qt::NoBrush);
    painter->drawPolyline(ToQPolygon(APoints));
}

void TCanvas::Polygon(const std::vector<TPoint>& APoints) {
    if (APoints.size() < 2 || FPen->Mode() == pmNop)
        return;
    QPainter* painter = Painter();
    const TMixScope mix(painter, FPen->Mode());
    const QPolygon poly = ToQPolygon(APoints);
    if (FBrush->Style() != bsClear) {
        painter->setPen(Qt::NoPen);
        painter->setBrush(FillBrush());
        // Qt fills the pixels whose centres lie inside; GDI samples each
        // pixel at its integer corner. Shifting by half a pixel keeps the fill
        // inside the outline on slanted edges.
        painter->drawPolygon(QPolygonF(poly).translated(0.5, 0.5), Qt::OddEvenFill);
    }
    if (FPen->Style() == psClear)
        return;
    if (PenIsCosmetic()) {
        CosmeticOutline(APoints, true);
    } else {
        painter->setPen(WidePen());
        painter->setBrush(Qt::NoBrush);
        painter->drawPolygon(poly);
    }
}

void TCanvas::Rectangle(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    const TRect r = Normalized(X1, Y1, X2, Y2);
    if (r.IsEmpty() || FPen->Mode() == pmNop)
        return;
    QPainter* painter = Painter();
    const TMixScope mix(painter, FPen->Mode());
    if (FPen->Style() == psClear) {
        // without a pen GDI fills one pixel less each way
        if (FBrush->Style() != bsClear)
            painter->fillRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1), FillBrush());
        return;
    }
    if (!PenIsCosmetic()) {
        painter->setPen(WidePen());
        painter->setBrush(FillBrush());
        painter->drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
        return;
    }
    if (FBrush->Style() != bsClear && r.Width() > 2 && r.Height() > 2)
        painter->fillRect(QRect(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2), FillBrush());
    const int32_t right = r.Right - 1;
    const int32_t bottom = r.Bottom - 1;
    if (r.Width() == 1 || r.Height() == 1) {
        painter->fillRect(r.ToQRect(), PenColor());
        return;
    }
    CosmeticOutline({{r.Left, r.Top}, {right, r.Top}, {right, bottom}, {r.Left, bottom}}, true);
}

void TCanvas::Ellipse(int32_t X1, int32_t Y1, int32_t X2, int32_t Y2) {
    const TRect r = Normalized(X1, Y1, X2, Y2);
    if (r.IsEmpty() || FPen->Mode() == pmNop)
        return;
    QPainter* painter = Painter();
    const TMixScope mix(painter, FPen->Mode());
    painter->setBrush(FillBrush());
    if (FPen->Style() == psClear) {
        painter->setPen(Qt::NoPen);
    } else if (PenIsCosmetic()) {
        QPen pen(PenColor(), 1);
        const TDashPattern pattern = PatternOf(FPen->Style());
        if (pattern.Count > 0) {
            QList<qreal> dashes;
            for (int i = 0; i < pattern.Count; ++i)
                dashes.append(pattern.Lengths[i]);
            pen.setDashPattern(dashes);
        }
        painter->setPen(pen);
    } else {
        painter->setPen(WidePen());
    }
    // Qt's outline covers width + 1 pixels; GDI's bounding box excludes right and bottom
    painter->drawEllipse(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

void TCanvas::FillRect(const TRect& ARect) {
    const TRect r = Clamped(ARect);
    if (r.IsEmpty() || FBrush->Style() == bsClear)
        return;
    Painter()->fillRect(r.ToQRect(), FillBrush());
}

void TCanvas::FrameRect(const TRect& ARect) {
    const TRect r = Clamped(ARect);
    if (r.IsEmpty() || FBrush->Style() == bsClear)
        return;
    QPainter* painter = Painter();
    const QBrush brush = FillBrush();
    painter->fillRect(QRect(r.Left, r.Top, r.Width(), 1), brush);
    painter->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), brush);
    painter->fillRect(QRect(r.Left, r.Top, 1, r.Height()), brush);
    painter->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), brush);
}

void TCanvas::DrawFocusRect(const TRect& ARect) {
    const TRect r = Clamped(ARect);
    if (r.IsEmpty())
        return;
    QPainter* painter = Painter();
    const QRect surface = SurfaceRect();
    painter->save();
    painter->setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    // every other pixel of the border, each pixel once; only the visible part is walked
    auto dot = [&](int32_t x, int32_t y) {
        if (((x - r.Left) + (y - r.Top)) % 2 == 0)
            painter->fillRect(QRect(x, y, 1, 1), Qt::white);
    };
    const int32_t x0 = std::max(r.Left, surface.left());
    const int32_t x1 = std::min(r.Right, surface.right() + 1);
    const int32_t y0 = std::max(r.Top + 1, surface.top());
    const int32_t y1 = std::min(r.Bottom - 1, surface.bottom() + 1);
    for (int32_t x = x0; x < x1; ++x) {
        dot(x, r.Top);
        if (r.Height() > 1)
            dot(x, r.Bottom - 1);
    }
    for (int32_t y = y0; y < y1; ++y) {
        dot(r.Left, y);
        if (r.Width() > 1)
            dot(r.Right - 1, y);
    }
    painter->restore();
}

TColor TCanvas::Pixel(int32_t X, int32_t Y) const {
    if (!FImage || !FImage->valid(X, Y))
        return -1;
    return QColorToColor(QColor(FImage->pixel(X, Y)));
}

void TCanvas::SetPixel(int32_t X, int32_t Y, TColor AColor) {
    Painter()->fillRect(QRect(X, Y, 1, 1), ColorToQColor(AColor));
}

TSize TCanvas::TextExtent(const QString& AText) const {
    const QFontMetrics metrics(FFont->ToQFont());
    return TSize{metrics.horizontalAdvance(AText), metrics.height()};
}

void TCanvas::TextOut(int32_t X, int32_t Y, const QString& AText) {
    // a hatched brush draws text transparently, as a clear one does
    DrawText(Coord(X), Coord(Y), AText, FBrush->Style() == bsSolid);
}

void TCanvas::DrawText(int32_t X, int32_t Y, const QString& AText, bool AOpaque) {
    QPainter* painter = Painter();
    const QFont font = FFont->ToQFont();
    const QFontMetrics metrics(font);
    const int32_t width = metrics.horizontalAdvance(AText);
    painter->save();
    painter->translate(X, Y);
    if (FFont->Escapement() != 0)
        painter->rotate(-FFont->Escapement() / 10.0); // counter-clockwise on screen
    if (AOpaque)
        painter->fillRect(QRect(0, 0, width, metrics.height()), FillBrush());
    painter->setFont(font);
    painter->setPen(ColorToQColor(FFont->Color()));
    painter->drawText(QPoint(0, metrics.ascent()), AText);
    painter->restore();
    FPenPos = TPoint{X + width, Y};
}

void TCanvas::TextRect(const TRect& ARect, int32_t X, int32_t Y, const QString& AText) {
    if (ARect.IsEmpty())
        return;
    const std::optional<QRegion> saved = FClip;
    FillRect(ARect);
    IntersectClipRect(ARect.Left, ARect.Top, ARect.Right, ARect.Bottom);
    DrawText(Coord(X), Coord(Y), AText, false);
    FClip = saved;
    ApplyClip();
}

QImage TCanvas::Displayable(const QImage& AImage) const {
    // Qt copies 32-bit pixels between opaque images as they are, so the
    // fourth byte only needs setting where the target keeps alpha
    const QPaintDevice* device = FPainter->device();
    if (device && device->devType() == QInternal::Image &&
        static_cast<const QImage*>(device)->format() == QImage::Format_RGB32)
        return AImage;
    return OpaqueImage(AImage);
}

void TCanvas::Draw(int32_t X, int32_t Y, const QImage& AImage) {
    if (AImage.isNull())
        return;
    QPainter* painter = Painter();
    painter->drawImage(QPoint(Coord(X), Coord(Y)), Displayable(AImage));
}

void TCanvas::StretchDraw(const TRect& ARect, const QImage& AImage) {
    const TRect r = Clamped(ARect);
    if (AImage.isNull() || r.IsEmpty())
        return;
    Painter()->drawImage(r.ToQRect(), Displayable(AImage));
}
