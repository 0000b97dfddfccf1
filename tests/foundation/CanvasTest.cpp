#include "BitmapTestSupport.h"

#include "foundation/HxCanvasImpl.h"
#include "foundation/HxCanvasSave.h"
#include "foundation/HxImageList.h"
#include "foundation/KvDisplayBrush.h"
#include "foundation/KvDisplayFont.h"
#include "foundation/KvDisplayPen.h"
#include "platform/Exceptions.h"

#include <QPainter>
#include <climits>
#include <gtest/gtest.h>
#include <set>

namespace {

// A white 32-bit surface with the canvas abstraction on it.
struct TSurface {
    explicit TSurface(int32_t AWidth = 60, int32_t AHeight = 60) : Canvas(Bitmap.Canvas()) {
        Bitmap.SetPixelFormat(pf32bit);
        Bitmap.SetSize(AWidth, AHeight);
        Bitmap.Canvas().Brush().SetColor(clWhite);
        Bitmap.Canvas().FillRect(Rect(0, 0, AWidth, AHeight));
    }
    // The bounding box of every pixel that is not white.
    TRect Ink() const {
        TRect r{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int32_t y = 0; y < Bitmap.Height(); ++y)
            for (int32_t x = 0; x < Bitmap.Width(); ++x)
                if (ColorAt(Bitmap, x, y) != clWhite)
                    r = TRect{std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1),
                              std::max(r.Bottom, y + 1)};
        return r;
    }
    std::set<TColor> Colors() const {
        std::set<TColor> colors;
        for (int32_t y = 0; y < Bitmap.Height(); ++y)
            for (int32_t x = 0; x < Bitmap.Width(); ++x)
                colors.insert(ColorAt(Bitmap, x, y));
        return colors;
    }

    TGmBasicBitmap Bitmap;
    THxCanvasImpl Canvas;
};

TEST(Canvas, PenStyleAndDashReadBack) {
    TSurface s;
    THxCanvas& c = s.Canvas;
    const THxStrokeDash dashes[] = {sdDashSolid,   sdDashDash,       sdDashDot,
                                    sdDashDashDot, sdDashDashDotDot, sdDashCustom};
    const TPenStyle framework[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psUserStyle};
    for (size_t i = 0; i < std::size(dashes); ++i) {
        c.SetStrokeDash(dashes[i]);
        EXPECT_EQ(c.GetCanvas().Pen().Style(), framework[i]);
        EXPECT_EQ(c.GetStrokeDash(), dashes[i]);
        EXPECT_EQ(c.GetPen().GetStyle(), lpsSolid) << "a dashed pen reads solid";
    }
    c.GetPen().SetStyle(lpsClear);
    EXPECT_EQ(c.GetCanvas().Pen().Style(), psClear);
    EXPECT_EQ(c.GetPen().GetStyle(), lpsClear);
    EXPECT_EQ(c.GetStrokeDash(), sdDashSolid) << "a clear pen reads solid dash";
    for (TPenStyle other : {psInsideFrame, psAlternate}) {
        c.GetCanvas().Pen().SetStyle(other);
        EXPECT_EQ(c.GetStrokeDash(), sdDashSolid);
    }
    c.SetStrokeDash(sdDashDot);
    c.GetPen().SetStyle(lpsSolid);
    EXPECT_EQ(c.GetCanvas().Pen().Style(), psSolid);

    c.SetStrokeThickness(3);
    EXPECT_EQ(c.GetCanvas().Pen().Width(), 3);
    EXPECT_EQ(c.GetStrokeThickness(), 3);
    c.GetPen().SetColor(clRed);
    EXPECT_EQ(c.GetCanvas().Pen().Color(), clRed);
    EXPECT_EQ(c.GetPen().GetColor(), clRed);
}

TEST(Canvas, BrushStyleAndFontColour) {
    TSurface s;
    THxCanvas& c = s.Canvas;
    c.GetBrush().SetStyle(lbsClear);
    EXPECT_EQ(c.GetCanvas().Brush().Style(), bsClear);
    EXPECT_EQ(c.GetBrush().GetStyle(), lbsClear);
    c.GetBrush().SetStyle(lbsSolid);
    EXPECT_EQ(c.GetCanvas().Brush().Style(), bsSolid);
    c.GetBrush().SetColor(clNavy);
    EXPECT_EQ(c.GetBrush().GetColor(), clNavy);
    c.FillRect(Rect(1, 1, 3, 3));
    EXPECT_EQ(ColorAt(s.Bitmap, 2, 2), clNavy);
    EXPECT_EQ(ColorAt(s.Bitmap, 3, 3), clWhite) << "right and bottom edges excluded";
    c.SetFontColor(clGreen);
    EXPECT_EQ(c.GetCanvas().Font().Color(), clGreen);
    EXPECT_EQ(c.GetFontColor(), clGreen);
}

TEST(Canvas, FontAngleTurnsTextBottomToTopAndBack) {
    TSurface s(120, 120);
    THxCanvas& c = s.Canvas;
    c.GetCanvas().Font().SetName(QStringLiteral("Arial"));
    c.GetCanvas().Font().SetSize(12);
    c.SetFontColor(clBlack);
    c.GetBrush().SetStyle(lbsClear);
    const int32_t oneWidth = c.TextWidth(QStringLiteral("M"));
    const int32_t fourWidth = c.TextWidth(QStringLiteral("MMMM"));
    const int32_t height = c.TextHeight(QStringLiteral("M"));
    ASSERT_GT(fourWidth, 3 * oneWidth);

    c.SetFontAngle(90);
    EXPECT_EQ(c.GetCanvas().Font().Escapement(), 900);
    c.TextOut(30, 100, QStringLiteral("M"));
    TRect ink = s.Ink();
    // the first character sits just above the start point, its cell to the right
    EXPECT_GE(ink.Top, 100 - oneWidth - 1);
    EXPECT_LE(ink.Bottom, 101);
    EXPECT_GE(ink.Left, 30);
    EXPECT_LE(ink.Right, 30 + height + 1);

    TSurface four(120, 120);
    four.Canvas.GetCanvas().Font().Assign(&c.GetCanvas().Font());
    four.Canvas.GetBrush().SetStyle(lbsClear);
    four.Canvas.TextOut(30, 100, QStringLiteral("MMMM"));
    ink = four.Ink();
    EXPECT_LT(ink.Top, 100 - 3 * oneWidth) << "the text runs upwards";
    EXPECT_GT(ink.Height(), 2 * ink.Width());

    four.Canvas.SetFontAngle(0);
    EXPECT_EQ(four.Canvas.GetCanvas().Font().Escapement(), 0);
    four.Canvas.GetBrush().SetStyle(lbsSolid);
    four.Canvas.GetBrush().SetColor(clWhite);
    four.Canvas.FillRect(Rect(0, 0, 120, 120));
    four.Canvas.GetBrush().SetStyle(lbsClear);
    four.Canvas.TextOut(10, 20, QStringLiteral("MMMM"));
    ink = four.Ink();
    EXPECT_GE(ink.Top, 20);
    EXPECT_LE(ink.Bottom, 20 + height);
    EXPECT_GE(ink.Left, 10);
    EXPECT_GT(ink.Width(), 2 * ink.Height());
}

TEST(Canvas, FontAngleReducesWholeTurns) {
    TSurface s;
    s.Canvas.SetFontAngle(450);
    EXPECT_EQ(s.Canvas.GetCanvas().Font().Escapement(), 900);
    s.Canvas.SetFontAngle(-90);
    EXPECT_EQ(s.Canvas.GetCanvas().Font().Escapement(), -900);
    s.Canvas.SetFontAngle(INT_MAX); // 2147483647 = 5965232 turns + 127 degrees
    EXPECT_EQ(s.Canvas.GetCanvas().Font().Escapement(), 1270);
}

TEST(Canvas, SaveRestoresPenAndBrushButNotFont) {
    TSurface s;
    THxCanvas& c = s.Canvas;
    TCanvas& f = c.GetCanvas();
    f.Pen().SetColor(clRed);
    f.Pen().SetStyle(psDot);
    f.Pen().SetWidth(2);
    f.Brush().SetColor(clBlue);
    f.Brush().SetStyle(bsClear);
    {
        const THxCanvasSavePtr save(new THxCanvasSave(c));
        c.GetPen().SetColor(clLime);
        c.SetStrokeDash(sdDashDash);
        c.SetStrokeThickness(5);
        c.GetBrush().SetColor(clYellow);
        c.GetBrush().SetStyle(lbsSolid);
        c.SetFontColor(clFuchsia);
        c.SetFontAngle(90);
        save->Reset();
        EXPECT_EQ(f.Pen().Color(), clRed) << "Reset restores at once";
        c.GetPen().SetColor(clAqua);
        c.GetBrush().SetColor(clAqua);
    }
    EXPECT_EQ(f.Pen().Color(), clRed);
    EXPECT_EQ(f.Pen().Style(), psDot);
    EXPECT_EQ(f.Pen().Width(), 2);
    EXPECT_EQ(f.Brush().Color(), clBlue);
    EXPECT_EQ(f.Brush().Style(), bsClear);
    EXPECT_EQ(f.Font().Color(), clFuchsia) << "the font is not saved";
    EXPECT_EQ(f.Font().Escapement(), 900);

    const THxCanvasSavePtr save(new THxCanvasSave(c));
    TIntfPtr<IHxCanvasSave> asked;
    EXPECT_TRUE(Supports(save, asked));
    EXPECT_EQ(IHxCanvasSave::IID.ToString(),
              QStringLiteral("{A04EC04F-1814-4E56-A81E-C275323E2D4E}"));
}

TEST(Canvas, DisplaySettingsAreCopiedIntoTheCanvas) {
    TSurface s;
    THxCanvas& c = s.Canvas;
    const TOwned<TKvDisplayPen> pen = MakeOwned<TKvDisplayPen>(psDash, clMaroon);
    pen->SetWidth(4);
    const TOwned<TKvDisplayBrush> brush = MakeOwned<TKvDisplayBrush>(bsClear, clTeal);
    const TOwned<TKvDisplayFont> font = MakeOwned<TKvDisplayFont>();
    font->SetName(QStringLiteral("Arial"));
    font->SetColor(clOlive);
    c.SetFromDisplayPen(pen.get());
    c.SetFromDisplayBrush(brush.get());
    c.SetFromDisplayFont(font.get());
    EXPECT_EQ(c.GetCanvas().Pen().Style(), psDash);
    EXPECT_EQ(c.GetCanvas().Pen().Color(), clMaroon);
    EXPECT_EQ(c.GetStrokeThickness(), 4);
    EXPECT_EQ(c.GetBrush().GetStyle(), lbsClear);
    EXPECT_EQ(c.GetBrush().GetColor(), clTeal);
    EXPECT_EQ(c.GetCanvas().Font().Name(), QStringLiteral("Arial"));
    EXPECT_EQ(c.GetFontColor(), clOlive);
    EXPECT_THROW(c.SetFromDisplayPen(brush.get()), EConvertError);
}

TEST(Canvas, ClippingExcludesSelectsAndResets) {
    TSurface s(20, 20);
    THxCanvas& c = s.Canvas;
    c.GetBrush().SetColor(clBlue);
    c.ExcludeClipRect(10, 10, 15, 15);
    c.FillRect(Rect(8, 8, 18, 18));
    EXPECT_EQ(ColorAt(s.Bitmap, 12, 12), clWhite);
    EXPECT_EQ(ColorAt(s.Bitmap, 9, 9), clBlue);
    c.SelectClipRgn(QRegion(0, 0, 2, 2));
    c.GetBrush().SetColor(clLime);
    c.FillRect(Rect(0, 0, 20, 20));
    EXPECT_EQ(ColorAt(s.Bitmap, 1, 1), clLime);
    EXPECT_EQ(ColorAt(s.Bitmap, 9, 9), clBlue);
    c.ResetClipRect();
    c.FillRect(Rect(12, 12, 13, 13));
    EXPECT_EQ(ColorAt(s.Bitmap, 12, 12), clLime);
}

TEST(Canvas, HandleIsThePainterAndCanBeReplaced) {
    TSurface s(10, 10);
    QPainter* own = s.Canvas.GetHandle();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->device()->width(), 10);

    QImage other(8, 8, QImage::Format_RGB32);
    other.fill(Qt::white);
    {
        QPainter painter(&other);
        s.Canvas.SetHandle(&painter);
        s.Canvas.GetBrush().SetColor(clRed);
        s.Canvas.FillRect(Rect(0, 0, 2, 2));
        s.Canvas.SetHandle(nullptr);
    }
    EXPECT_EQ(other.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(ColorAt(s.Bitmap, 1, 1), clWhite);

    TCanvas bare;
    THxCanvasImpl nothing(bare);
    EXPECT_THROW(nothing.GetHandle(), Exception);
    EXPECT_THROW(nothing.GetGraphics(), Exception);
}

TEST(Canvas, GraphicsDrawsSmoothWithoutChangingTheCanvas) {
    TSurface s(40, 40);
    {
        const TGPGraphicsPtr graphics = s.Canvas.GetGraphics();
        ASSERT_TRUE(graphics);
        EXPECT_EQ(graphics->GetSmoothingMode(), SmoothingModeAntiAlias);
        graphics->DrawLine(MakeColor(255, 0, 0, 0), 1.5f, 2.f, 2.f, 30.f, 11.f);
    }
    std::set<TColor> colors = s.Colors();
    colors.erase(clWhite);
    colors.erase(clBlack);
    EXPECT_FALSE(colors.empty()) << "an antialiased line blends into the background";

    // the canvas's own lines stay unsmoothed on the same painter
    TSurface plain(40, 40);
    {
        const TGPGraphicsPtr graphics = plain.Canvas.GetGraphics();
        plain.Canvas.MoveTo(2, 2);
        plain.Canvas.LineTo(30, 11);
    }
    EXPECT_EQ(plain.Colors(), (std::set<TColor>{clWhite, clBlack}));

    TSurface rough(40, 40);
    const TGPGraphicsPtr graphics = rough.Canvas.GetGraphics();
    graphics->SetSmoothingMode(SmoothingModeNone);
    graphics->DrawLine(MakeColor(255, 0, 0, 0), 1.f, 2.f, 2.f, 30.f, 11.f);
    graphics->FillRectangle(MakeColor(255, 255, 0, 0), 35.f, 35.f, 2.f, 2.f);
    EXPECT_EQ(rough.Colors(), (std::set<TColor>{clWhite, clBlack, clRed}));
    EXPECT_EQ(ColorAt(rough.Bitmap, 36, 36), clRed);
}

TEST(Canvas, GraphicsShowsImagesOpaqueAndClears) {
    TSurface s(10, 10);
    const TGPGraphicsPtr graphics = s.Canvas.GetGraphics();
    QImage zeroTop(2, 2, QImage::Format_RGB32);
    zeroTop.fill(0x000000FFu); // blue with 0 in the fourth byte
    graphics->DrawImage(zeroTop, 3.f, 3.f);
    EXPECT_EQ(ColorAt(s.Bitmap, 4, 4), clBlue);
    graphics->Clear(MakeColor(255, 0, 255, 0));
    EXPECT_EQ(ColorAt(s.Bitmap, 0, 9), clLime);
    EXPECT_EQ(graphics->GetPainter(), s.Canvas.GetHandle());
    EXPECT_THROW(TGPGraphics(nullptr), Exception);
}

TEST(Canvas, ImageListDrawsMaskedImages) {
    THxImageList list(3, 2);
    EXPECT_EQ(list.Width(), 3);
    EXPECT_EQ(list.Height(), 2);
    EXPECT_FALSE(list.LoadResourceBitmap(QStringLiteral("NO_SUCH_STRIP"), clFuchsia));
    EXPECT_EQ(list.Count(), 0);
    // a strip of two images: fuchsia with one red pixel at (1, 0), and green
    ASSERT_TRUE(list.LoadResourceBitmap(QStringLiteral("CanvasTestStrip.bmp"), clFuchsia));
    ASSERT_EQ(list.Count(), 2);

    TSurface s(30, 10);
    list.Draw(s.Canvas, 10, 5, 0);
    list.Draw(s.Canvas, 20, 5, 1);
    list.Draw(s.Canvas, 0, 0, 7); // outside the list: nothing
    EXPECT_EQ(ColorAt(s.Bitmap, 11, 5), clRed);
    EXPECT_EQ(ColorAt(s.Bitmap, 10, 5), clWhite) << "the mask colour is transparent";
    EXPECT_EQ(ColorAt(s.Bitmap, 12, 6), clWhite);
    EXPECT_EQ(ColorAt(s.Bitmap, 22, 6), clLime);
    EXPECT_EQ(ColorAt(s.Bitmap, 23, 6), clWhite);
    EXPECT_EQ(s.Ink(), Rect(11, 5, 23, 7));

    TBitmap image;
    list.GetBitmap(1, image);
    ASSERT_EQ(image.Width(), 3);
    ASSERT_EQ(image.Height(), 2);
    EXPECT_EQ(image.Canvas().Pixel(2, 1), clLime);

    TBitmap blue(3, 2, pf32bit);
    blue.Canvas().Brush().SetColor(clBlue);
    blue.Canvas().FillRect(Rect(0, 0, 3, 2));
    list.ReplaceMasked(1, blue, clNone);
    list.Draw(s.Canvas, 20, 5, 1);
    EXPECT_EQ(ColorAt(s.Bitmap, 22, 6), clBlue);
    EXPECT_THROW(list.ReplaceMasked(2, blue, clNone), EListError);

    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
