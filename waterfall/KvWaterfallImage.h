#pragma once
// The waterfall's colour image: one 32-bit pixel per stored value, kept
// between paints so that a paint converts only the rows that arrived and
// scales the image into the data view's rectangle, and the value each screen
// pixel shows.
//
// The image is a ring: scrolling advances its start and leaves the pixels
// where they are. Every slot along the history direction is stored twice,
// at s and s + N, so the N positions from the start are always contiguous
// and the scaled copy reads them as one plain image. What reaches the screen
// is exactly what an image moved by the scrolled rows would give.
//
// Layout of the logical image (N history depth, L length of the oldest row):
// horizontal, N wide and L high, history row k in column k (N - 1 - k when
// reversed), sample j on line L - 1 - j; vertical, L wide and N high, row k
// on line k (N - 1 - k when reversed), sample j at pixel j. Pixels have blue
// in the low byte and 0 in the top byte.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "buffers/KvBufferInterfaces.h"
#include "platform/Colors.h"
#include "platform/Geometry.h"
#include "waterfall/KvLevelColors.h"

class TGmBasicBitmap;
class TKvWaterfallRowStore;

// The value read back where no stored value lies.
inline constexpr double KvNoWaterfallValue = -100000.0;

// The visible window: rows along the history, samples along a row.
struct TKvWaterfallWindow {
    double XMin = 0;
    double XMax = 0;
    double YMin = 0;
    double YMax = 0;
};

// What the image takes from the waterfall. Asked on the user-interface
// thread, under the row store's buffer section.
class TKvWaterfallImageOwner {
public:
    virtual TKvWaterfallRowStore& ImageRows() = 0;
    // GetLevelMin / GetLevelMax of the row store, and whether the level
    // scale is logarithmic.
    virtual double ImageLevelMin() = 0;
    virtual double ImageLevelMax() = 0;
    virtual bool ImageLogarithmic() = 0;
    // The level view's colour mapping of one row (MapRow of its colours).
    virtual void ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                             const TKvLevelRange& ARange) = 0;
    virtual bool ImageVertical() = 0;
    // The X axis's reversal.
    virtual bool ImageReversed() = 0;
    // The display's Color: the image's part without rows.
    virtual TColor ImageBackground() = 0;
    // The X axis's zoomed row window and the Y axis's zoomed sample window.
    virtual TKvWaterfallWindow ImageWindow() = 0;
    // Rows left the history since the last paint: relative markers move
    // back by that many.
    virtual void ImageRowsLeft(int32_t ACount) { (void)ACount; }
    // The value under a still mouse may have changed (the level view's
    // MainViewScrolled(false)).
    virtual void ImageScrolled() {}

protected:
    ~TKvWaterfallImageOwner() = default;
};

class TKvWaterfallImage {
public:
    explicit TKvWaterfallImage(TKvWaterfallImageOwner& AOwner);
    virtual ~TKvWaterfallImage();
    TKvWaterfallImage(const TKvWaterfallImage&) = delete;
    TKvWaterfallImage& operator=(const TKvWaterfallImage&) = delete;

    // Sizes the image for the current depth, row length, layout and
    // reversal and renders every row. Nothing for an empty history.
    void AllocateScreenBuffer();
    // Converts history rows AFirst..last into their slots. Rows shorter than
    // the oldest show the background past their end; longer ones are cut.
    virtual void RenderRows(int32_t AFirst);
    // True once after the level range, the scale mode or a forced redraw
    // changed what the image was built with.
    virtual bool NeedsFullRedraw();
    // Brings the image up to date and scales its visible window into
    // ADrawRect of the 32-bit ABitmap, clipped to the bitmap.
    void DirectDraw(TGmBasicBitmap& ABitmap, const TRect& ADrawRect);

    // The value shown at control point (X, Y) of a view drawn at
    // ADrawRect: the stored sample behind that screen pixel.
    // KvNoWaterfallValue where no sample lies; past the newest row the
    // level minimum, with MouseAfterLastBuffer set. AHit reports that a
    // stored value was read.
    double GetIntValueAt(int32_t X, int32_t Y, const TRect& ADrawRect, bool& AHit);
    // The same lookup for a point that is not the mouse's (a marker's
    // label): MouseAfterLastBuffer stays as the mouse left it.
    double GetPointValueAt(int32_t X, int32_t Y, const TRect& ADrawRect, bool& AHit);
    // The sample at row ARow, sample ASample (rounded to the nearest);
    // past the newest row the level minimum, elsewhere outside the data
    // KvNoWaterfallValue.
    double GetValueAtRowSample(double ARow, double ASample);

    bool MouseAfterLastBuffer() const { return FMouseAfterLastBuffer; }
    int32_t OldBufferFill() const { return FOldBufferFill; }
    // After a clear: no row was drawn.
    void SetOldBufferFill(int32_t AValue) { FOldBufferFill = AValue; }

    bool HasScreenBuffer() const { return FScreenBuffer.get() != nullptr; }
    int32_t ImageWidth() const { return FWidth; }
    int32_t ImageHeight() const { return FHeight; }
    // Bytes of the logical image: lines x pad(width) x 4.
    uint32_t BufferSize() const { return FBufferSize; }
    // The logical image's pixel; 0 outside it.
    uint32_t ImagePixel(int32_t X, int32_t Y) const;

private:
    // The slot of history position APosition (0..N-1 from the image's start).
    int32_t Slot(int32_t APosition) const;
    int32_t PositionOfRow(int32_t ARow) const { return FReversed ? FDepth - 1 - ARow : ARow; }
    // Stores ACount converted rows (FRowPixels, a full row length each) at
    // the positions from AFirstPosition on, in the direction rows advance.
    void StoreRows(int32_t AFirstPosition, int32_t ACount);
    // Rows converted before they are stored: 256 KB of pixels at most.
    int32_t ChunkRows() const { return std::clamp(65536 / std::max(FRowLength, 1), 1, 64); }
    void FillPositions(int32_t AFrom, int32_t ATo, uint32_t ABackground);
    bool SizeMatches() const;
    // Sizes the buffer without rendering.
    bool Allocate();
    void Scroll(int32_t ARows);
    uint32_t BackgroundPixel();
    // The value lookup; where the point falls on a history position, it
    // says in *AAfterLast (when given) whether that lies past the newest row.
    double ValueAt(int32_t X, int32_t Y, const TRect& ADrawRect, bool& AHit, bool* AAfterLast);

    // Where the scaled copy takes screen pixel AIndex along one axis from:
    // the source index, or -1 for a pixel the copy leaves alone.
    struct TAxisMap {
        int32_t DstSize = 0;
        double Factor = 0;
        double Centre = 0;
        int32_t SrcSize = 0;
    };
    static int32_t SourceIndex(const TAxisMap& AMap, int32_t AIndex);
    // Both axes' maps for a view of ASize; false when nothing is drawn.
    bool AxisMaps(const TKvWaterfallWindow& AWindow, int32_t AWidth, int32_t AHeight, TAxisMap& AX,
                  TAxisMap& AY) const;

    TKvWaterfallImageOwner& FOwner;
    TKvBlockBufferPtr FScreenBuffer;
    uint8_t* FScreenBufferPtr = nullptr;
    uint32_t FBufferSize = 0;
    bool FMouseAfterLastBuffer = false;
    int32_t FOldBufferFill = 0;

    // As allocated.
    int32_t FDepth = 0;     // N
    int32_t FRowLength = 0; // L
    int32_t FWidth = 0;     // logical
    int32_t FHeight = 0;    // logical
    int32_t FLineStep = 0;  // bytes between physical lines
    bool FVertical = false;
    bool FReversed = false;
    // Slot of history position 0.
    int32_t FStart = 0;
    // Rendered outside a paint: the next paint renders every row again
    // instead of scrolling what the rows since then would move.
    bool FRenderedAll = false;
    // The colour the positions without rows were last filled with.
    uint32_t FFilledBackground = 0;
    std::vector<uint32_t> FRowPixels;
    std::vector<int32_t> FChunkSlots;
};
