// The highlighting settings (defaults through the stored form, what a change
// asks of the display) and the mouse hit point with its label.

#include "TestDisplay.h"

#include "display/KvDisplayHighlighting.h"
#include "foundation/HxCanvasImpl.h"
#include "platform/StoredForm.h"

#include <gtest/gtest.h>
#include <set>

class THighlightTestDisplay : public TTestDisplay {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayItemHighlighting* Markers READ GetMarkers)
    Q_PROPERTY(TKvChannelMouseHitPoint* MouseHitPoint READ GetMouseHitPoint)
public:
    explicit THighlightTestDisplay(TComponent* AOwner)
        : TTestDisplay(AOwner), FMarkers(MakeOwned<TKvDisplayItemHighlighting>(this)),
          FMouseHitPoint(MakeOwned<TKvChannelMouseHitPoint>(this)) {}

    TKvDisplayItemHighlighting* GetMarkers() const { return FMarkers.get(); }
    TKvChannelMouseHitPoint* GetMouseHitPoint() const { return FMouseHitPoint.get(); }

protected:
    ~THighlightTestDisplay() override = default;

private:
    TOwned<TKvDisplayItemHighlighting> FMarkers;
    TOwned<TKvChannelMouseHitPoint> FMouseHitPoint;
};

namespace {

TColor PixelColor(const TGmBasicBitmap& ABitmap, int32_t X, int32_t Y) {
    const uint8_t* p = ABitmap.DataPtr() + Y * ABitmap.Width() * 4 + X * 4;
    return RGBColor(p[2], p[1], p[0]);
}

TEST(Highlighting, DefaultsAreLeftOutOfTheStoredFormAndChangesRoundTrip) {
    const TOwned<THighlightTestDisplay> written = MakeOwned<THighlightTestDisplay>(nullptr);
    TKvDisplayItemHighlighting& m = *written->GetMarkers();
    TKvChannelMouseHitPoint& h = *written->GetMouseHitPoint();
    EXPECT_TRUE(m.GetHiglightLegendButton() && m.GetHiglightFromLegend() &&
                m.GetHiglightFromMouse());
    EXPECT_EQ(m.GetColor(), 0x00FF00);
    EXPECT_TRUE(h.GetEnabled() && h.GetUseChannelColor());
    EXPECT_EQ(h.GetColor(), 255);
    EXPECT_TRUE(h.GetPointLabel()->GetVisible());
    EXPECT_EQ(h.GetPointLabel()->GetFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(h.GetPointLabel()->GetFont()->Size(), 8);
    EXPECT_EQ(h.GetPointLabel()->GetFont()->Color(), clWhite);
    const QString defaults = ComponentToText(written.get());
    for (const char* name : {"Higlight", "UseChannelColor", "Enabled", "clLime", "clRed"})
        EXPECT_FALSE(defaults.contains(QLatin1String(name))) << name << "\n"
                                                             << defaults.toStdString();

    m.SetHiglightLegendButton(false);
    m.SetHiglightFromMouse(false);
    m.SetColor(clNavy);
    h.SetEnabled(false);
    h.SetUseChannelColor(false);
    h.SetColor(clTeal);
    h.GetPointLabel()->SetText(QStringLiteral("%X"));
    h.GetPointLabel()->SetVisible(false);
    const TOwned<THighlightTestDisplay> read = MakeOwned<THighlightTestDisplay>(nullptr);
    ReadComponentFromText(ComponentToText(written.get()), read.get());
    TKvDisplayItemHighlighting& rm = *read->GetMarkers();
    TKvChannelMouseHitPoint& rh = *read->GetMouseHitPoint();
    EXPECT_FALSE(rm.GetHiglightLegendButton());
    EXPECT_TRUE(rm.GetHiglightFromLegend());
    EXPECT_FALSE(rm.GetHiglightFromMouse());
    EXPECT_FALSE(rm.IsActive()) << "neither the legend button nor the mouse";
    EXPECT_EQ(rm.GetColor(), clNavy);
    EXPECT_FALSE(rh.GetEnabled());
    EXPECT_FALSE(rh.GetUseChannelColor());
    EXPECT_EQ(rh.GetColor(), clTeal);
    EXPECT_EQ(rh.GetPointLabel()->GetText(), QStringLiteral("%X"));
    EXPECT_FALSE(rh.GetPointLabel()->GetVisible());
}

TEST(Highlighting, ItemSettingsAndTheHitPointLabelResetTheDisplaysDrawingData) {
    const TOwned<THighlightTestDisplay> display = MakeOwned<THighlightTestDisplay>(nullptr);
    TKvDisplayItemHighlighting& m = *display->GetMarkers();
    TKvChannelMouseHitPoint& h = *display->GetMouseHitPoint();
    int& resets = display->ResetDrawDataCalls;
    m.SetColor(clNavy);
    m.SetColor(clNavy);
    EXPECT_EQ(resets, 1) << "an unchanged value changes nothing";
    m.SetHiglightFromLegend(false);
    EXPECT_EQ(resets, 2);
    h.GetPointLabel()->GetFont()->SetSize(12);
    EXPECT_EQ(resets, 3);
    const TOwned<THighlightTestDisplay> other = MakeOwned<THighlightTestDisplay>(nullptr);
    other->GetMouseHitPoint()->GetPointLabel()->SetText(QStringLiteral("other"));
    h.SetPointLabel(other->GetMouseHitPoint()->GetPointLabel());
    EXPECT_EQ(h.GetPointLabel()->GetText(), QStringLiteral("other"));
    EXPECT_GT(resets, 3);
    // the hit point's own switches only store
    resets = 0;
    h.SetEnabled(false);
    h.SetColor(clBlue);
    h.SetUseChannelColor(false);
    EXPECT_EQ(resets, 0);
}

// The display's hit point drawn on a black bitmap with a red pen and a blue
// brush, as a caller sets them.
struct THitPointSurface {
    THitPointSurface()
        : Display(MakeOwned<THighlightTestDisplay>(nullptr)), Canvas(Bitmap.Canvas()) {
        Display->AddStandardViews(); // data view left 50, top 40, width 399
        Display->Layout();
        Bitmap.SetPixelFormat(pf32bit);
        Bitmap.SetSize(450, 280);
        Canvas.GetBrush().SetColor(clBlack);
        Canvas.FillRect(Rect(0, 0, 450, 280));
        Canvas.GetPen().SetColor(clRed);
        Canvas.GetBrush().SetColor(clBlue);
    }

    TSize TextSize(const QString& AText) {
        Canvas.SetFromDisplayFont(Display->GetMouseHitPoint()->GetPointLabel()->GetFont());
        return Canvas.TextExtent(AText);
    }

    void Draw(TPoint AMouse) {
        Display->DrawHitPointLabel(Canvas, AMouse, *Display->GetMouseHitPoint());
    }

    // Every pixel by the rule: the 5 x 5 square about the mouse point and,
    // when given, the label box of ASize at AOrigin (red outline; inside it
    // blue, or white where the text's glyphs are).
    std::string Differences(TPoint AMouse, TPoint AOrigin, TSize ASize, bool ALabel) {
        std::string out;
        int white = 0;
        const TRect square = Rect(AMouse.X - 2, AMouse.Y - 2, AMouse.X + 3, AMouse.Y + 3);
        const TRect box =
            Rect(AOrigin.X, AOrigin.Y, AOrigin.X + ASize.cx + 4, AOrigin.Y + ASize.cy + 2);
        for (int32_t y = 0; y < 280; ++y)
            for (int32_t x = 0; x < 450; ++x) {
                const TPoint p = Point(x, y);
                const TColor got = PixelColor(Bitmap, x, y);
                std::set<TColor> allowed{clBlack};
                if (ALabel && box.Contains(p)) {
                    const bool edge =
                        x == box.Left || x == box.Right - 1 || y == box.Top || y == box.Bottom - 1;
                    allowed = edge ? std::set<TColor>{clRed} : std::set<TColor>{clBlue, clWhite};
                }
                if (square.Contains(p)) {
                    const bool edge = x == square.Left || x == square.Right - 1 ||
                                      y == square.Top || y == square.Bottom - 1;
                    allowed = {edge ? clRed : clBlue};
                }
                white += got == clWhite;
                if (!allowed.count(got) && out.size() < 400)
                    out += "(" + std::to_string(x) + "," + std::to_string(y) + ") ";
            }
        if (ALabel && white == 0)
            out += "no text drawn";
        return out;
    }

    TOwned<THighlightTestDisplay> Display;
    TGmBasicBitmap Bitmap;
    THxCanvasImpl Canvas;
};

TEST(HitPoint, LabelGoesAboveRightAndFlipsLeftNearTheRightEdge) {
    {
        THitPointSurface s;
        const TSize size = s.TextSize(QStringLiteral("point"));
        s.Draw(Point(200, 100));
        EXPECT_EQ(s.Differences(Point(200, 100), Point(204, 100 - size.cy), size, true), "");
    }
    {
        // close to the right edge the label is drawn left of the mouse point
        THitPointSurface s;
        const TSize size = s.TextSize(QStringLiteral("point"));
        s.Draw(Point(440, 100));
        EXPECT_EQ(
            s.Differences(Point(440, 100), Point(440 - size.cx - 11, 100 - size.cy), size, true),
            "");
    }
    {
        // a hidden label leaves only the square
        THitPointSurface s;
        s.Display->GetMouseHitPoint()->GetPointLabel()->SetVisible(false);
        s.Draw(Point(200, 100));
        EXPECT_EQ(s.Differences(Point(200, 100), TPoint{}, TSize{}, false), "");
    }
}

TEST(HitPoint, ToolTipHandlerSeesTheValuesAndMayReplaceTheText) {
    THitPointSurface s;
    TPoint seenMouse;
    QString seenText;
    s.Display->OnDataToolTip = [&](TPersistent* Sender, TPoint AMouse, TKvRealPoint,
                                   QString& AText) {
        EXPECT_EQ(Sender, s.Display.get());
        seenMouse = AMouse;
        seenText = AText;
        AText = QStringLiteral("a longer text from the handler");
    };
    s.Draw(Point(150, 120));
    EXPECT_EQ(seenMouse, Point(150, 120));
    EXPECT_EQ(seenText, QStringLiteral("point"));
    const TSize changed = s.TextSize(QStringLiteral("a longer text from the handler"));
    EXPECT_EQ(s.Differences(Point(150, 120), Point(154, 120 - changed.cy), changed, true), "");

    // text given through SetToolTipText wins over the changed parameter
    THitPointSurface t;
    t.Display->OnDataToolTip = [&](TPersistent*, TPoint, TKvRealPoint, QString& AText) {
        AText = QStringLiteral("ignored, since the tool tip text was set");
        t.Display->SetToolTipText(QStringLiteral("set"));
    };
    t.Draw(Point(150, 120));
    const TSize set = t.TextSize(QStringLiteral("set"));
    EXPECT_EQ(t.Differences(Point(150, 120), Point(154, 120 - set.cy), set, true), "");
}

} // namespace

#include "HighlightingTest.moc"
