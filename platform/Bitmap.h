#pragma once
// The framework bitmap: a top-down pixel array of 24 or 32 bits per pixel,
// blue in the lowest byte, rows padded to four bytes, with a canvas on it.

#include "platform/Canvas.h"

#include <QImage>
#include <QString>
#include <cstdint>

// The framework's other formats are accepted by name; bitmaps here hold 24 or 32 bits.
enum TPixelFormat {
    pf24bit,
    pf32bit,
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pfCustom
};

class TBitmap {
public:
    // A new bitmap is 32 bits per pixel and empty.
    TBitmap();
    TBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat AFormat = pf32bit);
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    // Changing the size keeps the old pixels in the top-left corner; new
    // pixels are white.
    void SetWidth(int32_t AValue) { SetSize(AValue, Height()); }
    void SetHeight(int32_t AValue) { SetSize(Width(), AValue); }
    void SetSize(int32_t AWidth, int32_t AHeight);
    bool Empty() const { return FImage.isNull(); }

    TPixelFormat PixelFormat() const { return FFormat; }
    // Converts the pixels to the new format.
    void SetPixelFormat(TPixelFormat AValue);

    // Bytes between the starts of two rows; 0 while empty.
    int32_t BytesPerLine() const { return static_cast<int32_t>(FImage.bytesPerLine()); }
    // The first byte of row ARow; raises outside the rows that hold pixels.
    uint8_t* ScanLine(int32_t ARow);
    const uint8_t* ScanLine(int32_t ARow) const;

    TCanvas& Canvas() { return FCanvas; }
    // The pixels as Qt sees them (Format_RGB32 or Format_BGR888).
    const QImage& Image() const { return FImage; }

    // Size, format and pixels of ASource.
    void Assign(const TBitmap& ASource);
    // Takes the pixels of AImage, converted to this bitmap's format.
    void Assign(const QImage& AImage);
    // Reads any image file Qt knows, or a resource path (":/...").
    void LoadFromFile(const QString& AFileName);
    // Writes the format the file name's suffix names (BMP when there is none).
    void SaveToFile(const QString& AFileName) const;

private:
    static QImage::Format QtFormat(TPixelFormat AFormat);
    void Replace(QImage AImage);

    TPixelFormat FFormat = pf32bit;
    // kept apart from the image, which has no pixels until both are non-zero
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    QImage FImage;
    TCanvas FCanvas;
};
