#include "foundation/GmBasicBitmap.h"

#include "platform/Exceptions.h"

#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <climits>
#include <cstring>

namespace {

constexpr int32_t FileHeaderSize = 14;
constexpr int32_t InfoHeaderSize = 40;

QImage::Format QtFormat(TPixelFormat AFormat) {
    // the byte orders of the 24- and 32-bit pixels: blue, green, red (, fourth)
    return AFormat == pf32bit ? QImage::Format_RGB32 : QImage::Format_BGR888;
}

[[noreturn]] void SectionError() {
    throw Exception(QStringLiteral("Cannot create device-independant bitmap"));
}

// Copies blue, green and red of each pixel between rows of different formats;
// a fourth byte gained stays 0.
void ConvertRow(const uint8_t* ASource, int32_t ASourceBytes, uint8_t* ADest, int32_t ADestBytes,
                int32_t APixels) {
    for (int32_t i = 0; i < APixels; ++i)
        std::memcpy(ADest + i * ADestBytes, ASource + i * ASourceBytes, 3);
}

// Frees an image's hold on pixel memory when Qt drops the last image over it.
void ReleasePixels(void* AInfo) {
    delete static_cast<std::shared_ptr<uint8_t[]>*>(AInfo);
}

template <class T> void Put(QByteArray& AOut, T AValue) {
    char bytes[sizeof(T)];
    qToLittleEndian(AValue, bytes);
    AOut.append(bytes, sizeof(T));
}

} // namespace

TGmBasicBitmap::TGmBasicBitmap() : FCanvas(std::make_unique<TCanvas>()) {
    FCanvas->SetImage(&FImage);
    FCanvas->SetBeforeBegin([this] {
        // a copy made since the last painter would make the next one detach
        if (FPixels && (!FImage.isDetached() || FImage.constBits() != FPixels.get()))
            Wrap();
    });
}

TGmBasicBitmap::TGmBasicBitmap(int32_t AWidth, int32_t AHeight) : TGmBasicBitmap() {
    SetSize(AWidth, AHeight);
}

TGmBasicBitmap::~TGmBasicBitmap() {
    FCanvas->SetImage(nullptr);
}

std::unique_ptr<TGmBasicBitmap> TGmBasicBitmap::CreateSizeColorAlpha(int32_t AWidth,
                                                                     int32_t AHeight, TColor AColor,
                                                                     uint8_t AAlpha) {
    auto result = std::make_unique<TGmBasicBitmap>();
    result->SetPixelFormat(pf32bit);
    result->SetSize(AWidth, AHeight);
    if (!result->FDataPtr)
        return result;
    // TColor holds red lowest; pixels hold blue lowest
    const uint32_t rgb = ColorToRGB(AColor);
    const uint32_t pixel =
        (uint32_t{AAlpha} << 24) | ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
    for (int32_t y = 0; y < AHeight; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(result->FDataPtr +
                                                static_cast<ptrdiff_t>(y) * result->RowStride());
        std::fill(row, row + AWidth, pixel);
    }
    return result;
}

std::unique_ptr<TGmBasicBitmap> TGmBasicBitmap::CreateCopy(const TGmBasicBitmap& ABitmap) {
    // In the source's format: a copy in another one would not hold its rows.
    auto result = std::make_unique<TGmBasicBitmap>();
    result->SetPixelFormat(ABitmap.FPixelFormat);
    result->SetSize(ABitmap.FWidth, ABitmap.FHeight);
    if (result->FDataPtr)
        ABitmap.ToBuffer(result->FDataPtr, result->RowStride());
    return result;
}

std::unique_ptr<TGmBasicBitmap> TGmBasicBitmap::CreateFromBitmap(const TBitmap& ABitmap) {
    auto result = std::make_unique<TGmBasicBitmap>(ABitmap.Width(), ABitmap.Height());
    if (!result->FDataPtr || ABitmap.Empty())
        return result;
    const QImage pixels = ABitmap.Image().convertToFormat(QtFormat(result->FPixelFormat));
    result->FromBuffer(pixels.constBits(), static_cast<int32_t>(pixels.bytesPerLine()));
    return result;
}

int32_t TGmBasicBitmap::RowStride(int32_t AWidth, TPixelFormat AFormat) {
    const int64_t bytes = int64_t{AWidth} * (AFormat == pf32bit ? 4 : 3);
    return static_cast<int32_t>((bytes + 3) / 4 * 4);
}

void TGmBasicBitmap::SetPixelFormat(TPixelFormat AValue) {
    const TPixelFormat format = AValue == pf32bit ? pf32bit : pf24bit;
    if (format != FPixelFormat)
        Rebuild(FWidth, FHeight, format);
}

void TGmBasicBitmap::SetSize(int32_t AWidth, int32_t AHeight) {
    if (AWidth < 0 || AHeight < 0)
        SectionError();
    if (AWidth != FWidth || AHeight != FHeight)
        Rebuild(AWidth, AHeight, FPixelFormat);
}

void TGmBasicBitmap::Rebuild(int32_t AWidth, int32_t AHeight, TPixelFormat AFormat) {
    const int64_t imageSize = int64_t{RowStride(AWidth, AFormat)} * AHeight;
    // the information header and the file hold 32-bit sizes
    if (imageSize > INT32_MAX - FileHeaderSize - InfoHeaderSize)
        SectionError();
    TGmBitmapInfoHeader info;
    info.biWidth = AWidth;
    info.biHeight = -AHeight;
    info.biBitCount = AFormat == pf32bit ? 32 : 24;
    info.biSizeImage = static_cast<uint32_t>(imageSize);

    std::shared_ptr<uint8_t[]> pixels;
    if (AWidth > 0 && AHeight > 0) {
        try {
            pixels = std::make_shared<uint8_t[]>(static_cast<size_t>(imageSize)); // zeroed
        } catch (const std::bad_alloc&) {
            SectionError();
        }
        if (FPixels) {
            const int32_t rows = std::min(AHeight, FHeight);
            const int32_t width = std::min(AWidth, FWidth);
            const int32_t newBytes = AFormat == pf32bit ? 4 : 3;
            const ptrdiff_t oldStride = RowStride();
            const ptrdiff_t newStride = RowStride(AWidth, AFormat);
            for (int32_t y = 0; y < rows; ++y) {
                const uint8_t* from = FPixels.get() + y * oldStride;
                uint8_t* to = pixels.get() + y * newStride;
                if (AFormat == FPixelFormat)
                    std::memcpy(to, from,
                                static_cast<size_t>(width) * static_cast<size_t>(newBytes));
                else
                    ConvertRow(from, BytesPerPixel(), to, newBytes, width);
            }
        }
    }
    FCanvas->ReleasePainter();
    FPixels = std::move(pixels);
    FDataPtr = FPixels.get();
    FWidth = AWidth;
    FHeight = AHeight;
    FPixelFormat = AFormat;
    FBitmapInfo = info;
    Wrap();
}

void TGmBasicBitmap::Wrap() {
    if (!FPixels) {
        FImage = QImage();
        return;
    }
    FImage = QImage(FPixels.get(), FWidth, FHeight, RowStride(), QtFormat(FPixelFormat),
                    ReleasePixels, new std::shared_ptr<uint8_t[]>(FPixels));
    if (FImage.isNull())
        SectionError();
}

QPainter* TGmBasicBitmap::GetDC() {
    return FDataPtr ? FCanvas->Painter() : nullptr;
}

void TGmBasicBitmap::FromBuffer(const void* APtr, int32_t AScanlineStep) {
    if (!FDataPtr)
        return;
    if (!APtr)
        throw Exception(QStringLiteral("FromBuffer: no buffer"));
    const auto* source = static_cast<const uint8_t*>(APtr);
    const auto bytes = static_cast<size_t>(FWidth) * static_cast<size_t>(BytesPerPixel());
    for (int32_t y = 0; y < FHeight; ++y)
        std::memcpy(FDataPtr + static_cast<ptrdiff_t>(y) * RowStride(),
                    source + static_cast<ptrdiff_t>(y) * AScanlineStep, bytes);
}

void TGmBasicBitmap::ToBuffer(void* APtr, int32_t AScanlineStep) const {
    if (!FDataPtr)
        return;
    if (!APtr)
        throw Exception(QStringLiteral("ToBuffer: no buffer"));
    auto* dest = static_cast<uint8_t*>(APtr);
    const auto bytes = static_cast<size_t>(FWidth) * static_cast<size_t>(BytesPerPixel());
    for (int32_t y = 0; y < FHeight; ++y)
        std::memcpy(dest + static_cast<ptrdiff_t>(y) * AScanlineStep,
                    FDataPtr + static_cast<ptrdiff_t>(y) * RowStride(), bytes);
}

QImage TGmBasicBitmap::ToImage() const {
    if (FImage.isNull())
        return QImage();
    return FPixelFormat == pf32bit ? OpaqueImage(FImage) : FImage.copy();
}

void TGmBasicBitmap::ToBitmap(TBitmap& ABitmap) const {
    if (FImage.isNull())
        ABitmap.SetSize(FWidth, FHeight);
    else
        ABitmap.Assign(ToImage());
}

void TGmBasicBitmap::SaveToStream(QIODevice& AStream) const {
    const uint32_t imageSize = FBitmapInfo.biSizeImage;
    QByteArray header;
    header.append("BM", 2);
    Put<uint32_t>(header, FileHeaderSize + InfoHeaderSize + imageSize);
    Put<uint32_t>(header, 0);
    Put<uint32_t>(header, FileHeaderSize + InfoHeaderSize);
    const TGmBitmapInfoHeader& h = FBitmapInfo;
    Put(header, h.biSize);
    Put(header, h.biWidth);
    Put(header, h.biHeight);
    Put(header, h.biPlanes);
    Put(header, h.biBitCount);
    Put(header, h.biCompression);
    Put(header, h.biSizeImage);
    Put(header, h.biXPelsPerMeter);
    Put(header, h.biYPelsPerMeter);
    Put(header, h.biClrUsed);
    Put(header, h.biClrImportant);
    bool complete = AStream.write(header) == header.size();
    if (complete && FDataPtr)
        complete = AStream.write(reinterpret_cast<const char*>(FDataPtr), qint64{imageSize}) ==
                   qint64{imageSize};
    if (!complete)
        throw EWriteError(QStringLiteral("Stream write error"));
}

void TGmBasicBitmap::SaveToFile(const QString& AFileName) const {
    // written beside the target and renamed over it once complete
    QSaveFile file(AFileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EFCreateError(
            QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, file.errorString()));
    SaveToStream(file);
    if (!file.commit())
        throw EWriteError(
            QStringLiteral("Cannot write file \"%1\". %2").arg(AFileName, file.errorString()));
}
