#pragma once
// The waterfall control as the tests meet it: the real control, which also
// counts what its parts tell it (rows converted, rows that left the image,
// scrolls, rebuilds, range and clear notices) and then does what the
// control does with them. Helpers run the steps of a paint pass on their
// own, so that a test can look between them.

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "buffers/KvRealBuffer.h"
#include "foundation/GmBasicBitmap.h"
#include "waterfall/KvWaterfall.h"

class TObservedWaterfall : public TKvWaterfall {
public:
    explicit TObservedWaterfall(TComponent* AOwner = nullptr) : TKvWaterfall(AOwner) {}

    // The X axis's Samples, which is the history depth.
    void SetDepth(uint32_t ADepth) { GetXAxisObject()->SetSamples(static_cast<int32_t>(ADepth)); }
    TKvWaterfallRowStore& Rows() { return ImageRows(); }
    TKvWaterfallBuffers& Buffers() { return Rows().Buffers(); }
    TKvWaterfallImage& Image() { return DataView()->Image(); }

    // The paint pass's first step: the queued rows move on.
    void MoveRows() { ProcessInputBuffers(); }
    // The paint pass's image step, into ARect of ABitmap: the rows move on,
    // then the control draws its image there.
    void DrawImage(TGmBasicBitmap& ABitmap, const TRect& ARect) {
        MoveRows();
        DataView()->SetDrawRect(ARect);
        if (!HistoryEmpty())
            DirectDraw(ABitmap);
    }
    // The whole control rendered as a paint does.
    QImage Render() {
        TGmBasicBitmap bitmap;
        bitmap.SetPixelFormat(pf32bit);
        bitmap.SetSize(Width(), Height());
        DrawToBitmap(bitmap, bitmap.Canvas(), false);
        return bitmap.ToImage().convertToFormat(QImage::Format_RGB32);
    }

    int32_t InputCount() {
        TJwCriticalSectionLock section(*Buffers().FInputBufferSection);
        return Buffers().FInputBufferList->Count();
    }
    int32_t PendingCount() {
        TJwCriticalSectionLock section(Rows().BufferSection());
        return Buffers().FNewBufferList->Count();
    }

    // What the parts told the control.
    int MappedRows = 0;
    std::size_t MappedValues = 0;
    std::vector<int32_t> RowsLeft;
    int Scrolled = 0;
    int Rebuilds = 0;
    int RangeChanges = 0;
    uint32_t SampleCount = 0;
    std::vector<char> ClearSteps; // 'b'efore, 'c'leared, 'i'nvalidated
    // Runs inside the destruction, once the control has begun it.
    std::function<void(TObservedWaterfall&)> WhileDestroying;

    void ImageMapRow(const double* AValues, uint32_t* APixels, std::size_t ACount,
                     const TKvLevelRange& ARange) override {
        ++MappedRows;
        MappedValues += ACount;
        TKvWaterfall::ImageMapRow(AValues, APixels, ACount, ARange);
    }
    void ImageRowsLeft(int32_t ACount) override {
        RowsLeft.push_back(ACount);
        TKvWaterfall::ImageRowsLeft(ACount);
    }
    void ImageScrolled() override {
        ++Scrolled;
        TKvWaterfall::ImageScrolled();
    }
    void HistoryReversed() override {
        ++Rebuilds;
        TKvWaterfall::HistoryReversed();
    }
    void RowsRangeChanged() override {
        ++RangeChanges;
        TKvWaterfall::RowsRangeChanged();
    }
    void OldestRowLengthChanged(uint32_t ALength) override {
        SampleCount = ALength;
        TKvWaterfall::OldestRowLengthChanged(ALength);
    }
    void RowsClearing() override {
        ClearSteps.push_back('b');
        TKvWaterfall::RowsClearing();
    }
    void RowsCleared() override {
        ClearSteps.push_back('c');
        TKvWaterfall::RowsCleared();
    }
    void InvalidateRows() override {
        ClearSteps.push_back('i');
        TKvWaterfall::InvalidateRows();
    }

protected:
    ~TObservedWaterfall() override = default;

    void BeforeDestruction() override {
        TKvWaterfall::BeforeDestruction();
        if (WhileDestroying)
            WhileDestroying(*this);
    }
};

inline TOwned<TObservedWaterfall> MakeWaterfall(uint32_t ADepth) {
    auto waterfall = MakeOwned<TObservedWaterfall>(nullptr);
    waterfall->SetDepth(ADepth);
    return waterfall;
}

inline TKvRealBufferPtr Row(std::initializer_list<double> AValues) {
    const std::vector<double> Values(AValues);
    return TKvRealBuffer::CreateData(Values.data(), static_cast<uint32_t>(Values.size()));
}

inline std::vector<double> Values(const TKvRealBufferPtr& ARow) {
    const double* Data = ARow->Read();
    return std::vector<double>(Data, Data + ARow->GetSize());
}

// The first value of every row: tests number their rows there.
inline std::vector<double> Firsts(const TKvRealBufferArray& ARows) {
    std::vector<double> Result;
    for (const TKvRealBufferPtr& Row : ARows)
        Result.push_back(Row->GetSize() > 0 ? Row->Read()[0] : -1.0);
    return Result;
}

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
