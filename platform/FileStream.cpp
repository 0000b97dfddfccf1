#include "platform/FileStream.h"

#include "platform/Exceptions.h"

TFileStream::TFileStream(const QString& AFileName, uint16_t AMode)
    : FFileName(AFileName), FFile(AFileName) {
    if (AMode == fmCreate) {
        if (!FFile.open(QIODevice::ReadWrite | QIODevice::Truncate))
            throw EFCreateError(QStringLiteral("Cannot create file \"%1\". %2")
                                    .arg(AFileName, FFile.errorString()));
        return;
    }
    QIODevice::OpenMode mode;
    switch (AMode & 0x0003) {
    case fmOpenWrite:
        mode = QIODevice::WriteOnly | QIODevice::ExistingOnly;
        break;
    case fmOpenReadWrite:
        mode = QIODevice::ReadWrite | QIODevice::ExistingOnly;
        break;
    default:
        mode = QIODevice::ReadOnly;
        break;
    }
    if (!FFile.open(mode))
        throw EFOpenError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, FFile.errorString()));
}

TFileStream::~TFileStream() = default;

int32_t TFileStream::Read(void* ABuffer, int32_t ACount) {
    if (ACount <= 0 || !FFile.isReadable())
        return 0;
    const qint64 n = FFile.read(static_cast<char*>(ABuffer), ACount);
    return n < 0 ? 0 : static_cast<int32_t>(n);
}

int32_t TFileStream::Write(const void* ABuffer, int32_t ACount) {
    if (ACount <= 0 || !FFile.isWritable())
        return 0;
    const qint64 n = FFile.write(static_cast<const char*>(ABuffer), ACount);
    return n < 0 ? 0 : static_cast<int32_t>(n);
}

void TFileStream::ReadBuffer(void* ABuffer, int32_t ACount) {
    if (ACount != 0 && Read(ABuffer, ACount) != ACount)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TFileStream::WriteBuffer(const void* ABuffer, int32_t ACount) {
    if (ACount != 0 && Write(ABuffer, ACount) != ACount)
        throw EWriteError(QStringLiteral("Stream write error"));
}

int64_t TFileStream::Seek(int64_t AOffset, TSeekOrigin AOrigin) {
    int64_t base = 0;
    if (AOrigin == TSeekOrigin::soCurrent)
        base = FFile.pos();
    else if (AOrigin == TSeekOrigin::soEnd)
        base = FFile.size();
    const int64_t target = base + AOffset;
    if (target < 0 || !FFile.seek(target))
        throw EReadError(QStringLiteral("Seek to %1 failed in \"%2\"").arg(target).arg(FFileName));
    return FFile.pos();
}

int64_t TFileStream::Position() const {
    return FFile.pos();
}

void TFileStream::SetPosition(int64_t AValue) {
    Seek(AValue, TSeekOrigin::soBeginning);
}

int64_t TFileStream::Size() const {
    return FFile.size();
}

void TFileStream::SetSize(int64_t AValue) {
    const int64_t position = FFile.pos();
    if (AValue < 0 || !FFile.resize(AValue))
        throw EWriteError(
            QStringLiteral("Cannot set the size of \"%1\" to %2").arg(FFileName).arg(AValue));
    if (position > AValue)
        FFile.seek(AValue);
}
