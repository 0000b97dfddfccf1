#pragma once
// The off-screen image displays draw into: top-down rows of 24- or 32-bit
// pixels (blue, green, red, and a fourth byte), whose memory the numeric
// primitives and renderers address directly, with a framework canvas on the
// same pixels for drawing. 24-bit rows are padded to four bytes.
//
// Raw writers may leave 0 in the fourth byte of 32-bit pixels; ToImage and
// ToBitmap hand the pixels to Qt opaque.
//
// The pixel memory belongs to the bitmap; the canvas's QImage only wraps
// it. A copy of that image shares the pixels (and keeps them alive after a
// resize or the bitmap's end) but cannot take them over: before each
// painter begins, the canvas's image is made to wrap the bitmap's memory
// again. Take QImage::copy() of it for a snapshot.

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <QIODevice>
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>

// The bitmap information header of the pixel section, as a bitmap file stores it.
struct TGmBitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0; // negative: rows top-down
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 24;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};

class TGmBasicBitmap {
public:
    // Empty, 24 bits per pixel; no pixel memory until both dimensions are non-zero.
    TGmBasicBitmap();
    TGmBasicBitmap(int32_t AWidth, int32_t AHeight);
    ~TGmBasicBitmap();
    TGmBasicBitmap(const TGmBasicBitmap&) = delete;
    TGmBasicBitmap& operator=(const TGmBasicBitmap&) = delete;

    // 32 bits per pixel, every pixel AColor (0x00BBGGRR) in its low 24 bits,
    // blue lowest, and AAlpha in the top byte.
    static std::unique_ptr<TGmBasicBitmap> CreateSizeColorAlpha(int32_t AWidth, int32_t AHeight,
                                                                TColor AColor, uint8_t AAlpha);
    // The size, format and pixels of ABitmap.
    static std::unique_ptr<TGmBasicBitmap> CreateCopy(const TGmBasicBitmap& ABitmap);
    // 24 bits per pixel, the size and pixels of the framework bitmap.
    static std::unique_ptr<TGmBasicBitmap> CreateFromBitmap(const TBitmap& ABitmap);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    TPixelFormat PixelFormat() const { return FPixelFormat; }
    // Each setter rebuilds the pixels when the value changes, keeping the
    // overlapping top-left area; a negative size raises and changes nothing.
    void SetWidth(int32_t AValue) { SetSize(AValue, FHeight); }
    void SetHeight(int32_t AValue) { SetSize(FWidth, AValue); }
    // Formats other than pf32bit are taken as pf24bit.
    void SetPixelFormat(TPixelFormat AValue);
    void Resize(int32_t AWidth, int32_t AHeight) { SetSize(AWidth, AHeight); }
    void SetSize(int32_t AWidth, int32_t AHeight);

    // The first byte of the top row; null while there is no pixel memory.
    uint8_t* DataPtr() { return FDataPtr; }
    const uint8_t* DataPtr() const { return FDataPtr; }
    // Bytes from the start of one row to the next.
    int32_t RowStride() const { return RowStride(FWidth, FPixelFormat); }
    static int32_t RowStride(int32_t AWidth, TPixelFormat AFormat);
    const TGmBitmapInfoHeader& BitmapInfo() const { return FBitmapInfo; }

    TCanvas& Canvas() { return *FCanvas; }
    // The canvas's painter, begun on the pixels; null while there are none.
    QPainter* GetDC();

    // Copy every row from or to an external buffer whose rows are
    // AScanlineStep bytes apart (negative for bottom-up buffers). Each row
    // moves Width times the bytes per pixel. Nothing happens while there is
    // no pixel memory; a null buffer raises.
    void FromBuffer(const void* APtr, int32_t AScanlineStep);
    void ToBuffer(void* APtr, int32_t AScanlineStep) const;

    // Sizes ABitmap like this one and writes the pixels into it, opaque.
    void ToBitmap(TBitmap& ABitmap) const;
    // A copy of the pixels as Qt must see them to show them opaque.
    QImage ToImage() const;

    // Writes a bitmap file: file header, information header, the rows as
    // they are in memory. Raises EWriteError when the device takes less.
    void SaveToStream(QIODevice& AStream) const;
    // Creates or replaces the file; on any failure the file system keeps
    // what it had (no partly written file). Raises EFCreateError when the
    // file cannot be created, EWriteError when it cannot be written.
    void SaveToFile(const QString& AFileName) const;

private:
    void Rebuild(int32_t AWidth, int32_t AHeight, TPixelFormat AFormat);
    // Points FImage at the pixel memory, alone.
    void Wrap();
    int32_t BytesPerPixel() const { return FPixelFormat == pf32bit ? 4 : 3; }

    std::unique_ptr<TCanvas> FCanvas;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    // the pixel section, shared with the images that wrap it
    std::shared_ptr<uint8_t[]> FPixels;
    // wraps FPixels; the canvas draws on it
    QImage FImage;
    uint8_t* FDataPtr = nullptr;
    TGmBitmapInfoHeader FBitmapInfo;
    TPixelFormat FPixelFormat = pf24bit;
};
