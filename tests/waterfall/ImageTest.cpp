// The waterfall's colour image: its layout, which rows a paint converts, when
// it rebuilds, the screen pixels after sequences of paints in both layouts
// and directions, zoomed and not, the value under every pixel, and odd
// shapes that must neither fault nor read outside a buffer.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include <deque>

#include "ObservedWaterfall.h"

namespace {

// The colour image of a real waterfall control, with its inputs as plain
// settings that the next Draw hands to the control (as a user's changes
// between two paints), and a copy of every row added, so that expected
// pixels come from the rows, never from the image.
struct TImageRig {
    explicit TImageRig(uint32_t ADepth)
        : W(MakeWaterfall(ADepth)), Image(W->Image()), MappedRows(W->MappedRows),
          MappedValues(W->MappedValues), RowsLeft(W->RowsLeft), Scrolled(W->Scrolled) {
        W->SetColor(Background);
        ApplyInputs();
    }

    TOwned<TObservedWaterfall> W;
    TKvWaterfallImage& Image;
    // What the image told the control.
    int& MappedRows;
    std::size_t& MappedValues;
    std::vector<int32_t>& RowsLeft;
    int& Scrolled;

    // Inputs.
    double LevelMin = 0;
    double LevelMax = 1408;
    bool Autoscale = false;
    bool Logarithmic = false;
    bool Vertical = false;
    bool Reversed = false;
    // Unset: the whole history, 0..N-1 rows and 0..L-1 samples.
    bool Zoomed = false;
    TKvWaterfallWindow Window;
    static constexpr TColor Background = 0x203040; // 0x00BBGGRR

    // Every row added, oldest first; the history is its tail.
    std::deque<std::vector<double>> Model;

    TKvWaterfallRowStore& Rows() { return W->Rows(); }
    TKvWaterfallData& Data() { return W->Data(); }

    void AddRow(const std::vector<double>& AValues) {
        // A null array adds nothing; an empty row needs a pointer.
        static const double None = 0;
        Data().AddData(AValues.empty() ? &None : AValues.data(),
                       static_cast<uint32_t>(AValues.size()));
        Model.push_back(AValues);
        while (Model.size() > Rows().GetSamples())
            Model.pop_front();
    }

    void SetColors(std::initializer_list<TColor> AColors) {
        for (TColor Color : AColors)
            W->GetLevels()->GetColors()->Add()->SetColor(Color);
    }

    void ApplyInputs() {
        TKvLevelAxis* Levels = W->GetLevels()->GetAxis();
        Levels->SetMin(LevelMin);
        Levels->SetMax(LevelMax);
        Levels->SetAutoscale(Autoscale);
        Levels->SetScaleMode(Logarithmic ? smLogarithmic : smLinear);
        W->SetVertical(Vertical);
        W->GetXAxisObject()->SetReversed(Reversed);
    }

    // The window in rows and samples as a zoom of the axes, through their
    // own (linear) value-to-row and value-to-sample mappings.
    void ApplyWindow() {
        TKvWaterfallXAxis* X = W->GetXAxisObject();
        TKvWaterfallYAxis* Y = W->GetYAxisObject();
        if (!Zoomed) {
            X->RestoreZoom(0, 0, false);
            Y->RestoreZoom(0, 0, false);
            return;
        }
        const auto Inverse = [](TKvAxisRange AScale, double AAt0, double AAt1, double AValue) {
            return AAt1 == AAt0 ? AScale.Min
                                : AScale.Min + (AValue - AAt0) * AScale.Width() / (AAt1 - AAt0);
        };
        const TKvAxisRange XS = X->ScaleTickFull();
        const double R0 = X->ValueToRow(XS.Min);
        const double R1 = X->ValueToRow(XS.Max);
        X->RestoreZoom(Inverse(XS, R0, R1, Window.XMin), Inverse(XS, R0, R1, Window.XMax), true);
        const TKvAxisRange YS = Y->ScaleTickFull();
        const double S0 = Y->ValueToSample(YS.Min);
        const double S1 = Y->ValueToSample(YS.Max);
        Y->RestoreZoom(Inverse(YS, S0, S1, Window.YMin), Inverse(YS, S0, S1, Window.YMax), true);
    }

    // The paint pass as far as the image is concerned.
    void Draw(TGmBasicBitmap& ABitmap, const TRect& ARect) {
        ApplyInputs();
        W->MoveRows();
        ApplyWindow();
        W->DrawImage(ABitmap, ARect);
    }

    uint32_t BackgroundPixel() const { return SwapRedBlue(static_cast<uint32_t>(Background)); }
    // The pixel the image stores for AValue under the current inputs.
    uint32_t ColorOf(double AValue) {
        const TKvLevelRange Range(ImageLevelMin(), ImageLevelMax(), Logarithmic);
        const TKvLevelRange::TArgs Args = Range.Reduce(AValue);
        return W->GetLevels()->ValueToColorGBR(Args.AValue, Args.MaxValue);
    }
    uint32_t OldestLength() const { return Model.empty() ? 0 : uint32_t(Model.front().size()); }
    double ImageLevelMin() { return W->ImageLevelMin(); }
    double ImageLevelMax() { return W->ImageLevelMax(); }
    // The window the control gives the image.
    TKvWaterfallWindow ImageWindow() { return W->ImageWindow(); }
};

constexpr uint32_t Sentinel = 0xFF123456u;

// Distinct values below 1408, so that each has its own step of the ramp.
std::vector<double> NumberedRow(int ARow, uint32_t ALength) {
    std::vector<double> Values(ALength);
    for (uint32_t j = 0; j < ALength; ++j)
        Values[j] = double((ARow * 53 + int(j) * 11) % 1400) + 0.25;
    return Values;
}

// The centred nearest-neighbour copy's rule along one axis: the source index
// that screen pixel i of ADst shows, or -1 where the copy writes nothing.
int CentredSource(int ADst, double AFactor, double ACentre, int ASrc, int i) {
    if (!(AFactor > 0) || !std::isfinite(AFactor))
        return -1; // the copy refuses the factor
    const double Half = ADst * 0.5;
    const int Begin = std::max(0, int(std::ceil(Half + AFactor * (0 - ACentre))));
    const int End = std::min(ADst, int(std::ceil(Half + AFactor * (ASrc - ACentre))));
    if (i < Begin || i >= End)
        return -1;
    const double Position = ACentre + (Begin - Half) / AFactor;
    const double First = std::trunc(Position);
    const double Index = First + std::trunc(Position - First + (i - Begin + 0.5) / AFactor + 1e-07);
    return int(std::clamp(Index, 0.0, double(ASrc - 1)));
}

struct TShown {
    enum { Nothing, Background, AfterLast, Stored } Kind = Nothing;
    double Value = 0;
};

// What view pixel (x, y) of a W x H view shows, from the layout, the window
// and the rows the test added.
TShown ShownAt(TImageRig& H, int W, int Hgt, int x, int y) {
    const TKvWaterfallWindow Win = H.ImageWindow();
    const int N = int(H.Rows().GetSamples());
    const int L = int(H.OldestLength());
    const double Rows = Win.XMax - Win.XMin;
    const double Samples = Win.YMax - Win.YMin;
    const double XOffset = H.Reversed ? N - Win.XMax : Win.XMin;
    const double RowCentre = Rows / 2 + XOffset + (H.Reversed ? -0.5 : 0.5);
    int Position = 0, Sample = 0;
    if (H.Vertical) {
        const int Column = CentredSource(W, W / Samples, Samples / 2 + Win.YMin + 0.5, L, x);
        const int Line = CentredSource(Hgt, Hgt / Rows, RowCentre, N, y);
        if (Column < 0 || Line < 0)
            return {};
        Position = Line;
        Sample = Column;
    } else {
        const int Column = CentredSource(W, W / Rows, RowCentre, N, x);
        const int Line =
            CentredSource(Hgt, Hgt / Samples, Samples / 2 + (L - Win.YMax) - 0.5, L, y);
        if (Column < 0 || Line < 0)
            return {};
        Position = Column;
        Sample = L - 1 - Line;
    }
    const int Row = H.Reversed ? N - 1 - Position : Position;
    if (Row >= int(H.Model.size()))
        return {TShown::AfterLast, 0};
    const std::vector<double>& Values = H.Model[std::size_t(Row)];
    if (Sample >= int(Values.size()))
        return {TShown::Background, 0};
    return {TShown::Stored, Values[std::size_t(Sample)]};
}

uint32_t ExpectedPixel(TImageRig& H, const TShown& AShown) {
    switch (AShown.Kind) {
    case TShown::Nothing:
        return Sentinel;
    case TShown::Stored:
        return H.ColorOf(AShown.Value);
    default:
        return H.BackgroundPixel();
    }
}

// Every bitmap pixel against the rule, and the value read back under every
// pixel of the view against the sample it shows.
void CheckScreen(TImageRig& H, const TGmBasicBitmap& B, const TRect& R, const char* AStep) {
    SCOPED_TRACE(AStep);
    int Failures = 0;
    for (int y = 0; y < B.Height() && Failures < 5; ++y)
        for (int x = 0; x < B.Width() && Failures < 5; ++x) {
            const bool Inside = R.Contains(Point(x, y));
            const TShown Shown =
                Inside ? ShownAt(H, R.Width(), R.Height(), x - R.Left, y - R.Top) : TShown{};
            const uint32_t Expected = ExpectedPixel(H, Shown);
            if (BitmapPixel(B, x, y) != Expected) {
                ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex
                              << BitmapPixel(B, x, y) << ", expected " << Expected;
                ++Failures;
            }
            if (!Inside)
                continue;
            bool Hit = false;
            const double Value = H.Image.GetIntValueAt(x, y, R, Hit);
            switch (Shown.Kind) {
            case TShown::Stored:
                Failures += !(Hit && Value == Shown.Value);
                EXPECT_TRUE(Hit && Value == Shown.Value) << "value at " << x << "," << y;
                break;
            case TShown::AfterLast:
                Failures += !(!Hit && Value == H.ImageLevelMin() && H.Image.MouseAfterLastBuffer());
                EXPECT_TRUE(!Hit && Value == H.ImageLevelMin() && H.Image.MouseAfterLastBuffer())
                    << "after last at " << x << "," << y;
                break;
            default:
                Failures += !(!Hit && Value == KvNoWaterfallValue);
                EXPECT_TRUE(!Hit && Value == KvNoWaterfallValue) << "none at " << x << "," << y;
            }
        }
}

using TLayout = std::tuple<bool, bool, bool>; // vertical, reversed, zoomed

class ImageScreen : public ::testing::TestWithParam<TLayout> {};

TEST_P(ImageScreen, PaintsWithScrollingShowTheRuleAndReadBackWhatTheyShow) {
    const auto [Vertical, Reversed, Zoomed] = GetParam();
    constexpr uint32_t L = 5;
    TImageRig H(7);
    H.Vertical = Vertical;
    H.Reversed = Reversed;
    H.Zoomed = Zoomed;
    H.Window =
        Vertical ? TKvWaterfallWindow{1.3, 4.6, 0.7, 3.2} : TKvWaterfallWindow{0.6, 5.2, 1.2, 3.9};
    const TRect R = Bounds(3, 2, 23, 17);
    int Next = 0;
    // Partly filled, filled exactly, scrolled by 2, by 5, by 6, then more
    // rows than the depth in one paint.
    for (const int Batch : {3, 4, 2, 5, 6, 9}) {
        for (int i = 0; i < Batch; ++i)
            H.AddRow(NumberedRow(Next++, L));
        auto B = FilledBitmap(30, 22, Sentinel);
        H.Draw(*B, R);
        CheckScreen(H, *B, R, ("after " + std::to_string(Next) + " rows").c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, ImageScreen,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool(),
                                            ::testing::Bool()));

TEST(Image, HorizontalImageOfTenRowsLeavesTheRestInTheBackground) {
    TImageRig H(256);
    for (int i = 0; i < 10; ++i)
        H.AddRow(NumberedRow(i, 128));
    auto B = FilledBitmap(586, 350, Sentinel);
    H.Draw(*B, Bounds(40, 20, 500, 300));
    EXPECT_EQ(H.Image.ImageWidth(), 256);
    EXPECT_EQ(H.Image.ImageHeight(), 128);
    EXPECT_EQ(H.Image.BufferSize(), 131072u);
    int Wrong = 0;
    for (int x = 0; x < 256; ++x)
        for (int y = 0; y < 128; ++y) {
            const uint32_t Expected = x < 10
                                          ? H.ColorOf(H.Model[std::size_t(x)][std::size_t(127 - y)])
                                          : H.BackgroundPixel();
            Wrong += H.Image.ImagePixel(x, y) != Expected;
        }
    EXPECT_EQ(Wrong, 0);

    // Vertical and reversed: the rows enter at the bottom.
    TImageRig V(16);
    V.Vertical = true;
    V.Reversed = true;
    for (int i = 0; i < 3; ++i)
        V.AddRow(NumberedRow(i, 6));
    V.Draw(*B, Bounds(0, 0, 50, 50));
    EXPECT_EQ(V.Image.ImageWidth(), 6);
    EXPECT_EQ(V.Image.ImageHeight(), 16);
    EXPECT_EQ(V.Image.BufferSize(), 16u * 8 * 4);
    EXPECT_EQ(V.Image.ImagePixel(4, 15), V.ColorOf(V.Model[0][4]));
    EXPECT_EQ(V.Image.ImagePixel(0, 13), V.ColorOf(V.Model[2][0]));
    EXPECT_EQ(V.Image.ImagePixel(5, 12), V.BackgroundPixel());
    EXPECT_EQ(V.Image.ImagePixel(0, 0), V.BackgroundPixel());
}

TEST(Image, NewRowsIntoAFullHistoryScrollAndConvertOnlyThemselves) {
    for (const bool Vertical : {false, true})
        for (const bool Reversed : {false, true}) {
            SCOPED_TRACE(Vertical ? "vertical" : "horizontal");
            SCOPED_TRACE(Reversed ? "reversed" : "not reversed");
            TImageRig H(256);
            H.Vertical = Vertical;
            H.Reversed = Reversed;
            auto B = FilledBitmap(60, 40, Sentinel);
            for (int i = 0; i < 256; ++i)
                H.AddRow(NumberedRow(i, 128));
            H.Draw(*B, Bounds(0, 0, 60, 40));
            EXPECT_EQ(H.MappedRows, 256);
            EXPECT_TRUE(H.RowsLeft.empty());
            const int Scrolls = H.Scrolled;

            for (int i = 256; i < 261; ++i)
                H.AddRow(NumberedRow(i, 128));
            H.Draw(*B, Bounds(0, 0, 60, 40));
            EXPECT_EQ(H.MappedRows, 256 + 5);
            EXPECT_EQ(H.MappedValues, 261u * 128);
            EXPECT_EQ(H.RowsLeft, std::vector<int32_t>{5});
            EXPECT_EQ(H.Scrolled, Scrolls + 1);
            // Every stored pixel holds its row: the ring's start moved by 5.
            int Wrong = 0;
            for (int k = 0; k < 256; ++k)
                for (int j = 0; j < 128; j += 7) {
                    const int Position = Reversed ? 255 - k : k;
                    const uint32_t Pixel = Vertical ? H.Image.ImagePixel(j, Position)
                                                    : H.Image.ImagePixel(Position, 127 - j);
                    Wrong += Pixel != H.ColorOf(H.Model[std::size_t(k)][std::size_t(j)]);
                }
            EXPECT_EQ(Wrong, 0);
        }
}

TEST(Image, ColourScaleAndRangeChangesAndDeepBatchesRebuildEveryRow) {
    TImageRig H(8);
    auto B = FilledBitmap(20, 20, Sentinel);
    const TRect R = Bounds(0, 0, 20, 20);
    int Next = 0;
    const auto Add = [&](int ACount) {
        for (int i = 0; i < ACount; ++i)
            H.AddRow(NumberedRow(Next++, 4));
    };
    Add(8);
    H.Draw(*B, R);
    const auto Rebuilt = [&](const char* AWhat) {
        SCOPED_TRACE(AWhat);
        const int Before = H.MappedRows;
        H.Draw(*B, R);
        EXPECT_EQ(H.MappedRows - Before, 8);
        CheckScreen(H, *B, R, AWhat);
    };

    // A colour change reaches the image as a forced redraw (the control's
    // Changed); so does switching to grey scale.
    H.SetColors({clRed, clBlue, clLime});
    Rebuilt("colours changed");
    H.W->GetLevels()->SetGrayScale(true);
    Rebuilt("grey scale");

    // A row that raises the autoscaled maximum changes the range.
    H.Autoscale = true;
    Rebuilt("autoscale on");
    std::vector<double> High = NumberedRow(Next++, 4);
    High[2] = 5000;
    H.AddRow(High);
    Rebuilt("maximum raised");
    EXPECT_EQ(H.RowsLeft, std::vector<int32_t>{1});

    // As many rows as the depth: everything again, and the markers still
    // learn how many rows left.
    Add(8);
    Rebuilt("a whole history at once");
    EXPECT_EQ(H.RowsLeft, (std::vector<int32_t>{1, 8}));
    H.Logarithmic = true;
    Rebuilt("logarithmic");
    H.Autoscale = false;
    Rebuilt("autoscale off");

    // Nothing changed: only the new row is converted.
    Add(1);
    const int Before = H.MappedRows;
    H.Draw(*B, R);
    EXPECT_EQ(H.MappedRows - Before, 1);
}

TEST(Image, ReplacedRowsAreRedrawnWithoutMovingAnything) {
    TImageRig H(8);
    auto B = FilledBitmap(24, 16, Sentinel);
    const TRect R = Bounds(0, 0, 24, 16);
    for (int i = 0; i < 5; ++i)
        H.AddRow(NumberedRow(i, 4));
    H.Draw(*B, R);
    const int Scrolls = H.Scrolled;
    const std::vector<double> Replacement = NumberedRow(77, 4);
    H.Data().SetData(2, Replacement.data(), 4);
    H.Model[2] = Replacement;
    B = FilledBitmap(24, 16, Sentinel);
    H.Draw(*B, R);
    EXPECT_TRUE(H.RowsLeft.empty());
    EXPECT_EQ(H.Scrolled, Scrolls);
    CheckScreen(H, *B, R, "row 2 replaced");

    // In a full history too.
    for (int i = 5; i < 11; ++i)
        H.AddRow(NumberedRow(i, 4));
    H.Draw(*B, R);
    EXPECT_EQ(H.RowsLeft, std::vector<int32_t>{3});
    H.Data().SetData(7, Replacement.data(), 4);
    H.Model[7] = Replacement;
    B = FilledBitmap(24, 16, Sentinel);
    H.Draw(*B, R);
    EXPECT_EQ(H.RowsLeft, std::vector<int32_t>{3});
    CheckScreen(H, *B, R, "newest replaced");
}

TEST(Image, ValuesAtAndBeyondTheLevelLimitsTakeTheEndColours) {
    TImageRig H(4);
    H.LevelMin = 10;
    H.LevelMax = 20;
    H.AddRow({20, 25, 1e300, 10, 5, -1e300, 15});
    auto B = FilledBitmap(8, 8, Sentinel);
    H.Draw(*B, Bounds(0, 0, 8, 8));
    const uint32_t Top = SwapRedBlue(static_cast<uint32_t>(H.W->GetLevels()->ValueToColor(1, 1)));
    const uint32_t Bottom =
        SwapRedBlue(static_cast<uint32_t>(H.W->GetLevels()->ValueToColor(0, 1)));
    ASSERT_NE(Top, Bottom);
    const uint32_t Expected[] = {Top, Top, Top, Bottom, Bottom, Bottom};
    for (int j = 0; j < 6; ++j)
        EXPECT_EQ(H.Image.ImagePixel(0, 6 - j), Expected[j]) << "sample " << j;
    EXPECT_NE(H.Image.ImagePixel(0, 0), Top);
    EXPECT_NE(H.Image.ImagePixel(0, 0), Bottom);
}

TEST(Image, MouseBeyondTheNewestRowReadsTheLevelMinimumUntilRowsArrive) {
    TImageRig H(10);
    H.LevelMin = 7;
    for (int i = 0; i < 4; ++i)
        H.AddRow(NumberedRow(i, 3));
    auto B = FilledBitmap(100, 30, Sentinel);
    const TRect R = Bounds(0, 0, 100, 30);
    bool Hit = true;
    EXPECT_EQ(H.Image.GetIntValueAt(50, 10, R, Hit), KvNoWaterfallValue); // nothing drawn yet
    EXPECT_FALSE(Hit);
    H.Draw(*B, R);

    EXPECT_EQ(H.Image.GetIntValueAt(90, 10, R, Hit), 7);
    EXPECT_FALSE(Hit);
    EXPECT_TRUE(H.Image.MouseAfterLastBuffer());
    // Outside the view there is no value.
    EXPECT_EQ(H.Image.GetIntValueAt(100, 10, R, Hit), KvNoWaterfallValue);
    EXPECT_EQ(H.Image.GetIntValueAt(-1, 10, R, Hit), KvNoWaterfallValue);

    // A paint without rows keeps the mark; one with rows clears it.
    const int Scrolls = H.Scrolled;
    H.Draw(*B, R);
    EXPECT_TRUE(H.Image.MouseAfterLastBuffer());
    H.AddRow(NumberedRow(9, 3));
    H.Draw(*B, R);
    EXPECT_FALSE(H.Image.MouseAfterLastBuffer());
    EXPECT_EQ(H.Scrolled, Scrolls + 1);

    // Read back by row and sample, as from axis values.
    EXPECT_EQ(H.Image.GetValueAtRowSample(1.2, 1.6), H.Model[1][2]);
    EXPECT_EQ(H.Image.GetValueAtRowSample(4.6, 0), 7);
    EXPECT_EQ(H.Image.GetValueAtRowSample(-0.7, 0), KvNoWaterfallValue);
    EXPECT_EQ(H.Image.GetValueAtRowSample(0, 3), KvNoWaterfallValue);
    EXPECT_EQ(H.Image.GetValueAtRowSample(0, -1), KvNoWaterfallValue);
    EXPECT_EQ(H.Image.GetValueAtRowSample(std::nan(""), 0), KvNoWaterfallValue);
}

TEST(Image, RowsOfOtherLengthsAreCutOrEndInTheBackground) {
    for (const bool Vertical : {false, true}) {
        SCOPED_TRACE(Vertical ? "vertical" : "horizontal");
        TImageRig H(6);
        H.Vertical = Vertical;
        H.AddRow(NumberedRow(0, 5));
        H.AddRow(NumberedRow(1, 2));
        H.AddRow(NumberedRow(2, 9));
        H.AddRow({});
        auto B = FilledBitmap(40, 40, Sentinel);
        const TRect R = Bounds(4, 4, 31, 29);
        H.Draw(*B, R);
        CheckScreen(H, *B, R, "mixed lengths");

        // The oldest leave: the image takes the new oldest row's length.
        for (int i = 3; i < 7; ++i)
            H.AddRow(NumberedRow(i, 2));
        B = FilledBitmap(40, 40, Sentinel);
        H.Draw(*B, R);
        EXPECT_EQ(Vertical ? H.Image.ImageWidth() : H.Image.ImageHeight(), 9);
        CheckScreen(H, *B, R, "shorter oldest");
    }
}

TEST(Image, TinyViewsAndNarrowWindowsNeitherFaultNorLeaveTheirRectangle) {
    for (const bool Vertical : {false, true}) {
        SCOPED_TRACE(Vertical ? "vertical" : "horizontal");
        TImageRig H(5);
        H.Vertical = Vertical;
        H.AddRow(NumberedRow(0, 4)); // a history of one row
        auto B = FilledBitmap(12, 12, Sentinel);

        const TRect One = Bounds(3, 3, 1, 1);
        H.Draw(*B, One);
        CheckScreen(H, *B, One, "1 x 1");

        const TRect Flat = Bounds(2, 5, 8, 0);
        B = FilledBitmap(12, 12, Sentinel);
        H.Draw(*B, Flat);
        CheckScreen(H, *B, Flat, "0 high");

        H.Zoomed = true;
        for (const TKvWaterfallWindow Window :
             {TKvWaterfallWindow{2.1, 2.4, 1.0, 1.3}, TKvWaterfallWindow{0, 0.5, 0, 0},
              TKvWaterfallWindow{1, 1, 0, 3}, TKvWaterfallWindow{-3, 9, -2, 7}}) {
            H.Window = Window;
            const TRect R = Bounds(1, 2, 9, 7);
            B = FilledBitmap(12, 12, Sentinel);
            H.Draw(*B, R);
            CheckScreen(H, *B, R, "narrow or wide window");
        }

        // A rectangle reaching past the bitmap is drawn where it overlaps.
        H.Zoomed = false;
        B = FilledBitmap(12, 12, Sentinel);
        H.Draw(*B, Bounds(-4, 6, 20, 20));
        for (int y = 0; y < 12; ++y)
            EXPECT_EQ(BitmapPixel(*B, 5, y) == Sentinel, y < 6) << y;
    }
}

TEST(Image, ClearAndLayoutChangesStartTheImageAfresh) {
    TImageRig H(6);
    auto B = FilledBitmap(30, 30, Sentinel);
    const TRect R = Bounds(0, 0, 30, 30);
    for (int i = 0; i < 6; ++i)
        H.AddRow(NumberedRow(i, 3));
    H.Draw(*B, R);

    H.Data().Clear();
    H.Model.clear();
    for (int i = 10; i < 12; ++i)
        H.AddRow(NumberedRow(i, 3));
    H.Draw(*B, R);
    EXPECT_TRUE(H.RowsLeft.empty());
    CheckScreen(H, *B, R, "after clear");

    // Switching layout or direction, even at an unchanged size, rebuilds.
    H.Reversed = true;
    B = FilledBitmap(30, 30, Sentinel);
    H.Draw(*B, R);
    CheckScreen(H, *B, R, "reversed");
    H.Vertical = true;
    H.W->SetDepth(3); // 3 x 3 both ways
    B = FilledBitmap(30, 30, Sentinel);
    H.Draw(*B, R);
    CheckScreen(H, *B, R, "vertical");

    // Rebuilt between paints (the control's geometry change): the next
    // paint with new rows does not scroll what is already in place.
    for (int i = 12; i < 14; ++i)
        H.AddRow(NumberedRow(i, 3));
    H.W->MoveRows();
    H.W->GeometryChanged();
    H.Reversed = false;
    H.ApplyInputs();
    B = FilledBitmap(30, 30, Sentinel);
    H.Draw(*B, R);
    CheckScreen(H, *B, R, "rebuilt between paints");
}

} // namespace
