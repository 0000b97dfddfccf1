// The level view in a display: its defaults through the stored form, its
// place and pixels beside the data view, the tracking mark at the value
// under the mouse, the caption button and the change reports.

#include "LevelTestDisplay.h"

#include "platform/StoredForm.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class LevelView : public testing::Test {
protected:
    void SetUp() override {
        display = MakeOwned<TLevelTestDisplay>(nullptr);
        display->SetBounds(0, 0, 400, 300);
        levels = display->GetLevels();
    }
    void TearDown() override { display.reset(); }

    static TSize Measure(TKvDisplayFont* AFont, const QString& AText) {
        const QFontMetrics metrics(AFont->ToQFont());
        return TSize{metrics.horizontalAdvance(AText), metrics.height()};
    }
    // The thickness the size rule gives for a vertical bar, measured here.
    int32_t ExpectedWidth() {
        TKvLevelAxis* axis = levels->GetAxis();
        const int32_t labels =
            std::max(Measure(axis->GetFont(), levels->GetTickText(display->Min)).cx,
                     Measure(axis->GetFont(), levels->GetTickText(display->Max)).cx);
        const int32_t caption =
            Measure(levels->GetLevelLabel()->GetFont(), levels->GetLevelLabel()->GetText()).cy;
        return levels->GetBarWidth() + 4 + labels + 9 + caption + 2;
    }

    TOwned<TLevelTestDisplay> display;
    TKvWaterfallDisplayLevelView* levels = nullptr;
};

TEST_F(LevelView, DefaultsAndTheirStoredForm) {
    EXPECT_EQ(levels->GetViewAlign(), vaRight);
    EXPECT_EQ(levels->GetBarWidth(), 14);
    EXPECT_FALSE(levels->GetGrayScale());
    EXPECT_EQ(levels->GetColors()->Count(), 0);
    EXPECT_TRUE(levels->GetTrackCursor());
    EXPECT_EQ(levels->GetTrackColor(), clRed);
    EXPECT_EQ(levels->CurrentLevelValue(), -10000000.0);
    EXPECT_EQ(levels->GetLevelLabel()->GetText(), QStringLiteral("Levels"));
    EXPECT_EQ(levels->GetLevelLabel()->GetFont()->Size(), 10);
    EXPECT_TRUE(levels->GetLevelLabel()->GetFont()->Style().testFlag(TFont::fsBold));
    EXPECT_TRUE(levels->GetButton()->GetEnabled());
    EXPECT_EQ(levels->GetButton()->GetCursor(), crHandPoint);

    // Defaults are left out of the stored form; changed values come back.
    const QString plain = ComponentToText(display.get());
    EXPECT_FALSE(plain.contains(QStringLiteral("Levels.BarWidth")));
    EXPECT_FALSE(plain.contains(QStringLiteral("Levels.Align")));
    EXPECT_FALSE(plain.contains(QStringLiteral("Levels.GrayScale")));
    EXPECT_FALSE(plain.contains(QStringLiteral("Levels.Axis.Precision")));

    levels->SetBarWidth(20);
    levels->SetGrayScale(true);
    levels->SetAlign(vaLeft);
    levels->GetColors()->Add();
    levels->GetColors()->Add()->SetColor(RGBColor(1, 2, 3));
    levels->GetAxis()->SetAutoscale(false);
    levels->GetAxis()->SetMin(-40.0);
    levels->GetAxis()->SetMax(0.0);
    levels->GetAxis()->SetScaleMode(smLogarithmic);
    levels->GetAxis()->SetPrecision(5);
    levels->GetLevelLabel()->SetText(QStringLiteral("dB"));
    const QString text = ComponentToText(display.get());

    const TOwned<TLevelTestDisplay> copy = MakeOwned<TLevelTestDisplay>(nullptr);
    ReadComponentFromText(text, copy.get());
    TKvWaterfallDisplayLevelView* read = copy->GetLevels();
    EXPECT_EQ(read->GetBarWidth(), 20);
    EXPECT_TRUE(read->GetGrayScale());
    EXPECT_EQ(read->GetViewAlign(), vaLeft);
    EXPECT_EQ(read->GetColors()->Colors(), (std::vector<TColor>{clBlack, RGBColor(1, 2, 3)}));
    EXPECT_FALSE(read->GetAxis()->GetAutoscale());
    EXPECT_EQ(read->GetAxis()->GetMin(), -40.0);
    EXPECT_EQ(read->GetAxis()->GetMax(), 0.0);
    EXPECT_EQ(read->GetAxis()->GetScaleMode(), smLogarithmic);
    EXPECT_EQ(read->GetAxis()->GetPrecision(), 5);
    EXPECT_EQ(read->GetLevelLabel()->GetText(), QStringLiteral("dB"));
}

TEST_F(LevelView, OlderFormsSayLogarithmic) {
    const QString text = ComponentToText(display.get());
    const TOwned<TLevelTestDisplay> copy = MakeOwned<TLevelTestDisplay>(nullptr);
    const QString older = text.left(text.lastIndexOf(QStringLiteral("end"))) +
                          QStringLiteral("  Levels.Axis.Logarithmic = True\nend\n");
    ReadComponentFromText(older, copy.get());
    EXPECT_EQ(copy->GetLevels()->GetAxis()->GetScaleMode(), smLogarithmic);
    EXPECT_FALSE(ComponentToText(copy.get()).contains(QStringLiteral("Axis.Logarithmic")));
}

TEST_F(LevelView, BarLiesBesideTheDataViewInTheMappingsColours) {
    const TColor Three[] = {clBlue, clWhite, clRed};
    for (const bool list : {false, true}) {
        if (list)
            for (const TColor c : Three)
                levels->GetColors()->Add()->SetColor(c);
        const std::unique_ptr<TGmBasicBitmap> bitmap = display->Render();
        const TRect view = levels->DrawRect();
        const TKvDisplayView* data = display->GetDataView();
        // The level view takes its width from the size rule at the right edge.
        EXPECT_EQ(view.Right, 400);
        EXPECT_EQ(view.Right - view.Left, ExpectedWidth());
        EXPECT_EQ(data->DrawRect().Right, view.Left);
        const int32_t length = data->Height() - 1;
        for (int32_t i = 0; i <= length; ++i) {
            const TColor expected = levels->ValueToColor(length - i, length);
            for (int32_t x = view.Left + 2; x < view.Left + 16; ++x)
                ASSERT_EQ(TLevelTestDisplay::ColorAt(*bitmap, x, data->Top() + i), expected)
                    << x << " " << i;
        }
        EXPECT_EQ(TLevelTestDisplay::ColorAt(*bitmap, view.Left + 2, data->Top()),
                  list ? clRed : RGBColor(255, 0, 128));
        // The axis line, 2 pixels beyond the bar, in the axis colour.
        EXPECT_EQ(TLevelTestDisplay::ColorAt(*bitmap, view.Left + 17, data->Top() + length / 2),
                  clWhite);
    }
}

TEST_F(LevelView, BelowTheDataViewTheBarRunsFromLeftToRight) {
    levels->SetAlign(vaBottom);
    const std::unique_ptr<TGmBasicBitmap> bitmap = display->Render();
    const TRect view = levels->DrawRect();
    const TKvDisplayView* data = display->GetDataView();
    EXPECT_EQ(view.Bottom, 300);
    EXPECT_EQ(data->DrawRect().Bottom, view.Top);
    const int32_t length = data->Width() - 1;
    for (int32_t i = 0; i <= length; ++i)
        for (int32_t y = view.Top + 2; y < view.Top + 16; ++y)
            ASSERT_EQ(TLevelTestDisplay::ColorAt(*bitmap, data->Left() + i, y),
                      levels->ValueToColor(i, length))
                << i << " " << y;
}

TEST_F(LevelView, TrackingMarkFollowsTheValueUnderTheMouse) {
    display->Min = -100.0;
    display->Max = 100.0;
    display->ValueAt = [](int32_t X, int32_t) { return X - 150.0; };
    display->Render();
    const TKvDisplayView* data = display->GetDataView();
    const TRect view = levels->DrawRect();
    const int32_t length = data->Height() - 1;
    const int32_t across = view.Left + 18; // between the axis line and the ticks

    display->MouseMove({}, 200, 50); // value 50: three quarters up
    EXPECT_EQ(levels->CurrentLevelValue(), 50.0);
    std::unique_ptr<TGmBasicBitmap> bitmap = display->Render();
    const int32_t y = data->Top() + length - static_cast<int32_t>(std::nearbyint(0.75 * length));
    EXPECT_EQ(TLevelTestDisplay::ColorAt(*bitmap, across, y), clRed);
    EXPECT_NE(TLevelTestDisplay::ColorAt(*bitmap, across, y + 3), clRed);

    // New rows under a still mouse: the mark follows on the next scroll.
    display->ValueAt = [](int32_t, int32_t) { return -100.0; };
    levels->MainViewScrolled(true);
    EXPECT_EQ(levels->CurrentLevelValue(), -100.0);
    bitmap = display->Render();
    EXPECT_EQ(TLevelTestDisplay::ColorAt(*bitmap, across, data->Top() + length), clRed);

    // A NaN under the mouse is marked at the bottom, where its colour is.
    display->ValueAt = [](int32_t, int32_t) { return std::nan(""); };
    display->MouseMove({}, 210, 60);
    EXPECT_TRUE(std::isnan(levels->CurrentLevelValue()));
    bitmap = display->Render();
    EXPECT_EQ(TLevelTestDisplay::ColorAt(*bitmap, across, data->Top() + length), clRed);

    // Off the data view the mark goes.
    display->MouseMove({}, view.Left + 5, 50);
    bitmap = display->Render();
    EXPECT_NE(TLevelTestDisplay::ColorAt(*bitmap, across, data->Top() + length), clRed);
    levels->SetTrackCursor(false);
    display->MouseMove({}, 200, 50);
    EXPECT_TRUE(std::isnan(levels->CurrentLevelValue())) << "no tracking, no reading";
}

TEST_F(LevelView, CaptionButtonOpensTheLevelsDialogUnlessTheClickIsHandled) {
    display->Render();
    const TRect caption = levels->CaptionRect();
    ASSERT_GT(caption.Width(), 0);
    const int32_t cx = (caption.Left + caption.Right) / 2, cy = (caption.Top + caption.Bottom) / 2;
    display->MouseMove({}, cx, cy);
    EXPECT_TRUE(levels->LabelButtonShown());
    EXPECT_EQ(display->Cursor(), crHandPoint);

    // The button shows in the hover colours.
    std::unique_ptr<TGmBasicBitmap> bitmap = display->Render();
    EXPECT_EQ(TLevelTestDisplay::ColorAt(*bitmap, caption.Left, caption.Top), clLime);

    display->MouseDown(mbLeft, {}, cx, cy);
    EXPECT_TRUE(levels->LabelButtonDown());
    EXPECT_EQ(display->ChannelClicks, std::vector<int32_t>{7});
    display->MouseUp(mbLeft, {}, cx, cy);
    EXPECT_FALSE(levels->LabelButtonDown());

    bool clicked = false;
    levels->GetButton()->OnClick = [&](TPersistent*, bool& Handled) {
        clicked = true;
        Handled = true;
    };
    display->MouseDown(mbLeft, {}, cx, cy);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(display->ChannelClicks.size(), 1u);
    display->MouseUp(mbLeft, {}, cx, cy);

    // Elsewhere in the view there is no button, and no dialog.
    display->MouseMove({}, caption.Left - 3, caption.Bottom + 40);
    EXPECT_FALSE(levels->LabelButtonShown());
    EXPECT_NE(display->Cursor(), crHandPoint);
    display->MouseDown(mbLeft, {}, caption.Left - 3, caption.Bottom + 40);
    EXPECT_EQ(display->ChannelClicks.size(), 1u);

    // A disabled button never shows.
    levels->GetButton()->SetEnabled(false);
    display->MouseMove({}, cx, cy);
    EXPECT_FALSE(levels->LabelButtonShown());
}

TEST_F(LevelView, ColourChangesAskForANewImageOthersOnlyRepaint) {
    int rebuilds = 0;
    levels->OnColorsChanged = [&](TPersistent*) { ++rebuilds; };
    levels->SetGrayScale(true);
    EXPECT_EQ(rebuilds, 1);
    levels->GetColors()->Add();
    EXPECT_EQ(rebuilds, 2);
    levels->GetColors()->Items(0)->SetColor(clRed);
    EXPECT_EQ(rebuilds, 3);
    levels->SetBarWidth(9);
    levels->GetAxis()->SetScaleMode(smLogarithmic);
    levels->GetAxis()->GetFont()->SetUniSize(12);
    EXPECT_EQ(rebuilds, 3);
    // Grey scale wins over the list, in both mappings.
    EXPECT_EQ(levels->ValueToColor(0.5, 1), RGBColor(128, 128, 128));
    EXPECT_EQ(levels->ValueToColorGBR(1, 1), 0xFFFFFFu);
}

TEST_F(LevelView, TickTextsUseTheRangeAndTheLabelHandler) {
    display->Min = 0.0;
    display->Max = 0.5;
    EXPECT_EQ(levels->GetTickText(0.25), QStringLiteral("0.250"));
    levels->GetAxis()->SetOnCustomLabel([&](TPersistent* Sender, double, QString&) {
        EXPECT_EQ(Sender, levels);
        levels->GetAxis()->SetTickText(QStringLiteral("x"));
    });
    EXPECT_EQ(levels->GetTickText(0.25), QStringLiteral("x"));
    // On a logarithmic scale the range and the ticks are in the transformed units.
    levels->GetAxis()->SetOnCustomLabel(nullptr);
    levels->GetAxis()->SetScaleMode(smLogarithmic);
    display->Max = 999.0;
    EXPECT_EQ(levels->LevelRange().Max(), 3.0);
}

} // namespace
