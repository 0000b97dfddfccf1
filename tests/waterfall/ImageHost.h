#pragma once
// A waterfall-shaped host for the colour image: the row store host plus the
// inputs the waterfall control gives the image (level range, colours,
// layout, window, background), with a level view that counts what it
// converts. Tests keep their own copy of the rows they added, so expected
// pixels come from the rows, never from the image.

#include <cstdint>
#include <deque>
#include <vector>

#include "WaterfallHost.h"
#include "foundation/GmBasicBitmap.h"
#include "waterfall/KvWaterfallImage.h"

class TImageHost : public TWaterfallHost, public TKvWaterfallImageOwner {
public:
    explicit TImageHost(uint32_t ADepth) : TWaterfallHost(ADepth), Image(*this) {}

    // Inputs.
    double LevelMin = 0;
    double LevelMax = 1408;
    bool Autoscale = false;
    bool Logarithmic = false;
    bool Vertical = false;
    bool Reversed = false;
    TColor Background = 0x203040; // 0x00BBGGRR
    // Unset: the whole history, 0..N-1 rows and 0..L-1 samples.
    bool Zoomed = false;
    TKvWaterfallWindow Window;
    TKvLevelColorMap Colors;

    // What the image told the host, and what its level view converted.
    int MappedRows = 0;
    std::size_t MappedValues = 0;
    std::vector<int32_t> RowsLeft;
    int Scrolled = 0;

    TKvWaterfallImage Image;
    // Every row added, oldest first; the history is its tail.
    std::deque<std::vector<double>> Model;

    void AddRow(const std::vector<double>& AValues) {
        // A null array adds nothing; an empty row needs a pointer.
        static const double None = 0;
        Data().AddData(AValues.empty() ? &None : AValues.data(),
                       static_cast<uint32_t>(AValues.size()));
        Model.push_back(AValues);
        while (Model.size() > Rows().GetSamples())
            Model.pop_front();
    }

    // The paint pass as far as the image is concerned.
    void Draw(TGmBasicBitmap& ABitmap, const TRect& ARect) {
        Paint();
        Image.DirectDraw(ABitmap, ARect);
    }

    uint32_t BackgroundPixel() const { return SwapRedBlue(static_cast<uint32_t>(Background)); }
    // The pixel the image stores for AValue under the current inputs.
    uint32_t ColorOf(double AValue) {
        const TKvLevelRange Range(ImageLevelMin(), ImageLevelMax(), Logarithmic);
        const TKvLevelRange::TArgs Args = Range.Reduce(AValue);
        return Colors.ValueToColorGBR(Args.AValue, Args.MaxValue);
    }
    uint32_t OldestLength() const { return Model.empty() ? 0 : uint32_t(Model.front().size()); }

    // TKvWaterfallImageOwner
    TKvWaterfallRowStore& ImageRows() override { return Rows(); }
    double ImageLevelMin() override { return Rows().GetLevelMin(Autoscale, LevelMin); }
    double ImageLevelMax() override { return Rows().GetLevelMax(Autoscale, LevelMax); }
    bool ImageLogarithmic() override { return Logarithmic; }
    void ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                     const TKvLevelRange& ARange) override {
        ++MappedRows;
        MappedValues += ACount;
        Colors.MapRow(AValues, APixels, ACount, ARange);
    }
    bool ImageVertical() override { return Vertical; }
    bool ImageReversed() override { return Reversed; }
    TColor ImageBackground() override { return Background; }
    TKvWaterfallWindow ImageWindow() override {
        if (Zoomed)
            return Window;
        return {0, double(Rows().GetSamples()) - 1, 0, double(OldestLength()) - 1};
    }
    void ImageRowsLeft(int32_t ACount) override { RowsLeft.push_back(ACount); }
    void ImageScrolled() override { ++Scrolled; }

    void RowsCleared() override {
        TWaterfallHost::RowsCleared();
        Image.SetOldBufferFill(0);
    }
};

// A 32-bit bitmap whose every pixel is AFill.
inline std::unique_ptr<TGmBasicBitmap> FilledBitmap(int32_t AWidth, int32_t AHeight,
                                                    uint32_t AFill) {
    auto Bitmap = std::make_unique<TGmBasicBitmap>();
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(AWidth, AHeight);
    for (int32_t y = 0; y < AHeight; ++y) {
        auto* Line = reinterpret_cast<uint32_t*>(Bitmap->DataPtr() + y * Bitmap->RowStride());
        std::fill(Line, Line + AWidth, AFill);
    }
    return Bitmap;
}

inline uint32_t BitmapPixel(const TGmBasicBitmap& ABitmap, int32_t X, int32_t Y) {
    uint32_t Pixel = 0;
    std::memcpy(&Pixel, ABitmap.DataPtr() + Y * ABitmap.RowStride() + X * 4, 4);
    return Pixel;
}
