#include "waterfall/KvWaterfallImage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "buffers/KvBlockBuffer.h"
#include "foundation/GmBasicBitmap.h"
#include "pins/JwMutex.h"
#include "primitives/IppDispatch.h"
#include "primitives/ResizeEngine.h"
#include "waterfall/KvWaterfallRows.h"

namespace {

constexpr int64_t Pad4(int64_t AWidth) {
    return (AWidth + 3) & ~int64_t{3};
}

// Images beyond this many bytes are not built: the block buffer counts in
// 32 bits, and nothing on a screen needs more.
constexpr int64_t MaxImageBytes = int64_t{1} << 31;

} // namespace

TKvWaterfallImage::TKvWaterfallImage(TKvWaterfallImageOwner& AOwner) : FOwner(AOwner) {}

TKvWaterfallImage::~TKvWaterfallImage() = default;

int32_t TKvWaterfallImage::Slot(int32_t APosition) const {
    const int32_t s = FStart + APosition;
    return s >= FDepth ? s - FDepth : s;
}

uint32_t TKvWaterfallImage::BackgroundPixel() {
    return SwapRedBlue(ColorToRGB(FOwner.ImageBackground())) & 0x00FFFFFFu;
}

bool TKvWaterfallImage::SizeMatches() const {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    return FScreenBuffer.get() != nullptr && FDepth == static_cast<int32_t>(Rows.GetSamples()) &&
           FRowLength == static_cast<int32_t>(Rows.GetOldestRowLength()) &&
           FVertical == FOwner.ImageVertical() && FReversed == FOwner.ImageReversed();
}

bool TKvWaterfallImage::Allocate() {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    const int64_t Depth = Rows.GetSamples();
    const int64_t Length = Rows.GetOldestRowLength();
    const bool Vertical = FOwner.ImageVertical();
    // The history direction is stored twice over (the ring's mirror).
    const int64_t Step = Vertical ? Pad4(Length) * 4 : Pad4(2 * Depth) * 4;
    const int64_t Lines = Vertical ? 2 * Depth : Length;
    const int64_t Bytes = Step * Lines;
    if (Depth <= 0 || Length <= 0 || Bytes > MaxImageBytes) {
        FScreenBuffer = nullptr;
        FScreenBufferPtr = nullptr;
        FBufferSize = 0;
        FWidth = FHeight = 0;
        return false;
    }
    if (FScreenBuffer)
        FScreenBuffer->Resize(static_cast<uint32_t>(Bytes), false);
    else
        FScreenBuffer = TKvBlockBuffer::CreateSize(static_cast<uint32_t>(Bytes));
    FScreenBufferPtr = FScreenBuffer->Write();
    FDepth = static_cast<int32_t>(Depth);
    FRowLength = static_cast<int32_t>(Length);
    FVertical = Vertical;
    FReversed = FOwner.ImageReversed();
    FWidth = static_cast<int32_t>(Vertical ? Length : Depth);
    FHeight = static_cast<int32_t>(Vertical ? Depth : Length);
    FLineStep = static_cast<int32_t>(Step);
    FBufferSize = static_cast<uint32_t>(int64_t{FHeight} * Pad4(FWidth) * 4);
    FStart = 0;
    FRowPixels.resize(static_cast<std::size_t>(ChunkRows()) * static_cast<std::size_t>(Length));
    FChunkSlots.resize(static_cast<std::size_t>(ChunkRows()));
    return true;
}

void TKvWaterfallImage::AllocateScreenBuffer() {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    TJwCriticalSectionLock Section(Rows.BufferSection());
    if (Rows.GetRowCount() == 0)
        return;
    if (!Allocate())
        return;
    RenderRows(0);
    FRenderedAll = true;
}

void TKvWaterfallImage::StoreRows(int32_t AFirstPosition, int32_t ACount) {
    const int32_t Length = FRowLength;
    const uint32_t* Pixels = FRowPixels.data();
    // Consecutive rows take consecutive positions (backwards when
    // reversed); their slots run on in at most two pieces.
    int32_t* Slots = FChunkSlots.data();
    for (int32_t r = 0; r < ACount; ++r)
        Slots[r] = Slot(FReversed ? AFirstPosition - r : AFirstPosition + r);
    if (FVertical) {
        for (int32_t r = 0; r < ACount; ++r)
            for (const int32_t Line : {Slots[r], Slots[r] + FDepth})
                std::memcpy(FScreenBufferPtr + std::ptrdiff_t{Line} * FLineStep,
                            Pixels + std::ptrdiff_t{r} * Length, std::size_t(Length) * 4);
        return;
    }
    // Line by line, so that each line's few slots are written together
    // rather than one column at a time down the whole image.
    for (int32_t y = 0; y < Length; ++y) {
        auto* Line = reinterpret_cast<uint32_t*>(FScreenBufferPtr + std::ptrdiff_t{y} * FLineStep);
        const uint32_t* Column = Pixels + (Length - 1 - y);
        for (int32_t r = 0; r < ACount; ++r) {
            const uint32_t Pixel = Column[std::ptrdiff_t{r} * Length];
            Line[Slots[r]] = Pixel;
            Line[Slots[r] + FDepth] = Pixel;
        }
    }
}

void TKvWaterfallImage::FillPositions(int32_t AFrom, int32_t ATo, uint32_t ABackground) {
    if (AFrom >= ATo)
        return;
    // The positions fall into at most two runs of slots; each run is stored
    // twice.
    const auto FillRun = [&](int32_t AFirstSlot, int32_t ACount) {
        for (const int32_t Base : {AFirstSlot, AFirstSlot + FDepth}) {
            IppiSize Size{};
            Ipp8u* Dst = nullptr;
            if (FVertical) {
                Size = {FRowLength, ACount};
                Dst = FScreenBufferPtr + std::ptrdiff_t{Base} * FLineStep;
            } else {
                Size = {ACount, FRowLength};
                Dst = FScreenBufferPtr + std::ptrdiff_t{Base} * 4;
            }
            Ipp8u Value[4];
            std::memcpy(Value, &ABackground, 4);
            ippiSet_8u_C4R_Render(Value, Dst, FLineStep, Size);
        }
    };
    const int32_t First = Slot(AFrom);
    const int32_t Count = ATo - AFrom;
    const int32_t Head = std::min(Count, FDepth - First);
    FillRun(First, Head);
    if (Count > Head)
        FillRun(0, Count - Head);
}

void TKvWaterfallImage::RenderRows(int32_t AFirst) {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    TJwCriticalSectionLock Section(Rows.BufferSection());
    const int32_t Count = Rows.GetRowCount();
    if (Count == 0 || !FScreenBufferPtr)
        return;
    const TKvLevelRange Range(FOwner.ImageLevelMin(), FOwner.ImageLevelMax(),
                              FOwner.ImageLogarithmic());
    const uint32_t Background = BackgroundPixel();
    // A history deeper than the image (its depth was lowered) shows its
    // newest rows.
    const int32_t Base = std::max(0, Count - FDepth);
    const auto Length = static_cast<uint32_t>(FRowLength);
    int32_t k = std::max({AFirst, Base, 0});
    while (k < Count) {
        const int32_t Chunk = std::min(Count - k, ChunkRows());
        for (int32_t r = 0; r < Chunk; ++r) {
            uint32_t* Pixels = FRowPixels.data() + std::size_t(r) * Length;
            const std::span<const double> Samples = Rows.RowSamples(k + r, Length);
            const auto Used = static_cast<uint32_t>(Samples.size());
            if (Used > 0)
                FOwner.ImageMapRow(Samples.data(), Pixels, Used, Range);
            // A shorter row shows the background past its end.
            std::fill(Pixels + Used, Pixels + Length, Background);
        }
        StoreRows(PositionOfRow(k - Base), Chunk);
        k += Chunk;
    }
}

bool TKvWaterfallImage::NeedsFullRedraw() {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    TJwCriticalSectionLock Section(Rows.BufferSection());
    TKvWaterfallBuffers& B = Rows.Buffers();
    const double Max = FOwner.ImageLevelMax();
    const double Min = FOwner.ImageLevelMin();
    const bool Logarithmic = FOwner.ImageLogarithmic();
    if (Max == B.FBufferMax && Min == B.FBufferMin && Logarithmic == B.FWasLogarithmic &&
        !Rows.GetForcedFullRedraw())
        return false;
    Rows.SetForcedFullRedraw(false);
    B.FBufferMax = Max;
    B.FBufferMin = Min;
    B.FWasLogarithmic = Logarithmic;
    return true;
}

void TKvWaterfallImage::Scroll(int32_t ARows) {
    // Position p now shows what position p + ARows showed (toward the old
    // end: the start when not reversed, the end when reversed).
    const int32_t Shift = FReversed ? FDepth - ARows : ARows;
    FStart = (FStart + Shift) % FDepth;
}

void TKvWaterfallImage::DirectDraw(TGmBasicBitmap& ABitmap, const TRect& ADrawRect) {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    TJwCriticalSectionLock Section(Rows.BufferSection());
    const int32_t Count = Rows.GetRowCount();
    if (Count == 0)
        return;
    const TKvWaterfallWindow Window = FOwner.ImageWindow();

    bool JustAllocated = FRenderedAll;
    FRenderedAll = false;
    if (!SizeMatches()) {
        Allocate();
        JustAllocated = true;
    }

    const int32_t NewCount = Rows.GetNewBuffersCount();
    const int32_t Depth = static_cast<int32_t>(Rows.GetSamples());
    // Rows that left the history since the last paint, whichever way the
    // image is brought up to date: relative markers follow them. (A
    // replaced row counts as new without anything leaving.)
    const int32_t Left = std::exchange(Rows.Buffers().FRowsLeft, 0);
    if (Left > 0)
        FOwner.ImageRowsLeft(Left);

    int32_t First = 0;
    const bool Full = NeedsFullRedraw();
    if (!Full && NewCount < Depth && !JustAllocated && FScreenBufferPtr) {
        First = std::max(0, Count - NewCount);
        if (Left > 0) {
            Scroll(std::min(Left, FDepth));
            FOwner.ImageScrolled();
        }
    }
    if (FMouseAfterLastBuffer && NewCount > 0) {
        FMouseAfterLastBuffer = false;
        FOwner.ImageScrolled();
    }
    Rows.ResetNewBuffersCount();
    FOldBufferFill = Count;
    if (!FScreenBufferPtr)
        return;

    RenderRows(First);
    // Positions without rows keep their fill until rows take them (the
    // image scrolls only once it is full), so a fill is due only after
    // everything was rendered afresh or the colour changed.
    const uint32_t Background = BackgroundPixel();
    if (Count < FDepth && (First == 0 || Background != FFilledBackground)) {
        FFilledBackground = Background;
        if (FReversed)
            FillPositions(0, FDepth - Count, Background);
        else
            FillPositions(Count, FDepth, Background);
    }

    if (ABitmap.PixelFormat() != pf32bit || !ABitmap.DataPtr())
        return;
    TAxisMap X, Y;
    if (!AxisMaps(Window, ADrawRect.Width(), ADrawRect.Height(), X, Y))
        return;
    // Only the part of the rectangle inside the bitmap is written; the
    // centres move so that every pixel still samples as in the whole one.
    const TRect Clip{std::max(ADrawRect.Left, 0), std::max(ADrawRect.Top, 0),
                     std::min(ADrawRect.Right, ABitmap.Width()),
                     std::min(ADrawRect.Bottom, ABitmap.Height())};
    if (Clip.IsEmpty())
        return;
    const double XCentre =
        X.Centre + ((Clip.Width() - X.DstSize) * 0.5 + (Clip.Left - ADrawRect.Left)) / X.Factor;
    const double YCentre =
        Y.Centre + ((Clip.Height() - Y.DstSize) * 0.5 + (Clip.Top - ADrawRect.Top)) / Y.Factor;
    const int32_t DstStep = ABitmap.RowStride();
    Ipp8u* Dst = ABitmap.DataPtr() + std::ptrdiff_t{Clip.Top} * DstStep + Clip.Left * 4;
    const Ipp8u* Src = FScreenBufferPtr + (FVertical ? std::ptrdiff_t{FStart} * FLineStep
                                                     : std::ptrdiff_t{FStart} * 4);
    ippiResizeCenter_8u_C4R(
        Src, IppiSize{FWidth, FHeight}, FLineStep, IppiRect{0, 0, FWidth, FHeight}, Dst, DstStep,
        IppiSize{Clip.Width(), Clip.Height()}, X.Factor, Y.Factor, XCentre, YCentre, IPPI_INTER_NN);
}

bool TKvWaterfallImage::AxisMaps(const TKvWaterfallWindow& AWindow, int32_t AWidth, int32_t AHeight,
                                 TAxisMap& AX, TAxisMap& AY) const {
    if (AWidth <= 0 || AHeight <= 0 || !FScreenBufferPtr)
        return false;
    const double Rows = AWindow.XMax - AWindow.XMin;
    const double Samples = AWindow.YMax - AWindow.YMin;
    const double XOffset = FReversed ? FDepth - AWindow.XMax : AWindow.XMin;
    const double RowCentre = Rows / 2 + XOffset + (FReversed ? -0.5 : 0.5);
    if (FVertical) {
        AX = {AWidth, AWidth / Samples, Samples / 2 + AWindow.YMin + 0.5, FWidth};
        AY = {AHeight, AHeight / Rows, RowCentre, FHeight};
    } else {
        AX = {AWidth, AWidth / Rows, RowCentre, FWidth};
        AY = {AHeight, AHeight / Samples, Samples / 2 + (FRowLength - AWindow.YMax) - 0.5, FHeight};
    }
    // The copy draws nothing for a window of no extent.
    const auto Usable = [](const TAxisMap& M) {
        return M.Factor > 0 && std::isfinite(M.Factor) && std::isfinite(M.Centre);
    };
    return Usable(AX) && Usable(AY);
}

int32_t TKvWaterfallImage::SourceIndex(const TAxisMap& AMap, int32_t AIndex) {
    // The centred nearest-neighbour copy's own placement and sampling.
    const double Half = AMap.DstSize * 0.5;
    const int32_t Begin =
        std::max(0, resize::toInt(std::ceil(Half + AMap.Factor * (0 - AMap.Centre))));
    const int32_t End = std::min(
        AMap.DstSize, resize::toInt(std::ceil(Half + AMap.Factor * (AMap.SrcSize - AMap.Centre))));
    if (AIndex < Begin || AIndex >= End)
        return -1;
    const double Position = AMap.Centre + (Begin - Half) / AMap.Factor;
    const double FirstIndex = std::trunc(Position);
    const resize::Axis Axis{resize::toInt(FirstIndex), Position - FirstIndex, AMap.Factor, 0,
                            AMap.SrcSize};
    return resize::nearestIndex(Axis, AIndex - Begin);
}

double TKvWaterfallImage::GetIntValueAt(int32_t X, int32_t Y, const TRect& ADrawRect, bool& AHit) {
    return ValueAt(X, Y, ADrawRect, AHit, &FMouseAfterLastBuffer);
}

double TKvWaterfallImage::GetPointValueAt(int32_t X, int32_t Y, const TRect& ADrawRect,
                                          bool& AHit) {
    return ValueAt(X, Y, ADrawRect, AHit, nullptr);
}

double TKvWaterfallImage::ValueAt(int32_t X, int32_t Y, const TRect& ADrawRect, bool& AHit,
                                  bool* AAfterLast) {
    AHit = false;
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    TJwCriticalSectionLock Section(Rows.BufferSection());
    const int32_t Count = Rows.GetRowCount();
    if (!FScreenBufferPtr || Count == 0)
        return KvNoWaterfallValue;
    const int32_t ViewX = X - ADrawRect.Left;
    const int32_t ViewY = Y - ADrawRect.Top;
    if (ViewX < 0 || ViewY < 0 || ViewX >= ADrawRect.Width() || ViewY >= ADrawRect.Height())
        return KvNoWaterfallValue;
    TAxisMap MapX, MapY;
    if (!AxisMaps(FOwner.ImageWindow(), ADrawRect.Width(), ADrawRect.Height(), MapX, MapY))
        return KvNoWaterfallValue;
    const int32_t Column = SourceIndex(MapX, ViewX);
    const int32_t Line = SourceIndex(MapY, ViewY);
    if (Column < 0 || Line < 0)
        return KvNoWaterfallValue;
    const int32_t Position = FVertical ? Line : Column;
    const int32_t Sample = FVertical ? Column : FRowLength - 1 - Line;
    const int32_t Row =
        (FReversed ? FDepth - 1 - Position : Position) + std::max(0, Count - FDepth);
    if (AAfterLast)
        *AAfterLast = Row >= Count;
    if (Row >= Count)
        return FOwner.ImageLevelMin();
    double Value = KvNoWaterfallValue;
    AHit = Rows.GetRowValue(Row, Sample, Value);
    return Value;
}

double TKvWaterfallImage::GetValueAtRowSample(double ARow, double ASample) {
    TKvWaterfallRowStore& Rows = FOwner.ImageRows();
    TJwCriticalSectionLock Section(Rows.BufferSection());
    if (!std::isfinite(ARow) || !std::isfinite(ASample))
        return KvNoWaterfallValue;
    const double Row = std::nearbyint(ARow);
    const double Sample = std::nearbyint(ASample);
    const int32_t Count = Rows.GetRowCount();
    if (Row >= Count)
        return FOwner.ImageLevelMin();
    if (Row < 0 || Sample < 0 || Sample > 4294967295.0)
        return KvNoWaterfallValue;
    double Value = KvNoWaterfallValue;
    Rows.GetRowValue(static_cast<int32_t>(Row), static_cast<int64_t>(Sample), Value);
    return Value;
}

uint32_t TKvWaterfallImage::ImagePixel(int32_t X, int32_t Y) const {
    if (!FScreenBufferPtr || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight)
        return 0;
    const int32_t Line = FVertical ? Slot(Y) : Y;
    const int32_t Column = FVertical ? X : Slot(X);
    uint32_t Pixel = 0;
    std::memcpy(&Pixel, FScreenBufferPtr + std::ptrdiff_t{Line} * FLineStep + Column * 4, 4);
    return Pixel;
}
