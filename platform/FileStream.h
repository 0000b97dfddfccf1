#pragma once
// Byte streams over files, with the framework's open modes: fmOpenRead (0),
// fmOpenWrite, fmOpenReadWrite, or fmCreate (create or truncate, read and
// write). Sharing flags may be or-ed in; this platform has no sharing
// restrictions, so they are accepted and ignored.

#include <QString>

#include <QFile>
#include <cstdint>

constexpr uint16_t fmOpenRead = 0x0000;
constexpr uint16_t fmOpenWrite = 0x0001;
constexpr uint16_t fmOpenReadWrite = 0x0002;
constexpr uint16_t fmShareCompat = 0x0000;
constexpr uint16_t fmShareExclusive = 0x0010;
constexpr uint16_t fmShareDenyWrite = 0x0020;
constexpr uint16_t fmShareDenyRead = 0x0030;
constexpr uint16_t fmShareDenyNone = 0x0040;
constexpr uint16_t fmCreate = 0xFF00;

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TFileStream {
public:
    // Raises EFOpenError "Cannot open file "<name>". <reason>" (EFCreateError
    // "Cannot create file ..." in fmCreate mode) when the file cannot be had.
    TFileStream(const QString& AFileName, uint16_t AMode);
    ~TFileStream();
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    // Reads up to ACount bytes; returns how many were read (0 at the end).
    int32_t Read(void* ABuffer, int32_t ACount);
    // Writes ACount bytes; returns how many were written.
    int32_t Write(const void* ABuffer, int32_t ACount);
    // Reads or writes exactly ACount bytes; raises EReadError "Stream read
    // error" / EWriteError "Stream write error" otherwise.
    void ReadBuffer(void* ABuffer, int32_t ACount);
    void WriteBuffer(const void* ABuffer, int32_t ACount);
    // Moves the position; returns the new one. A position before the start
    // is refused with EReadError; one past the end is allowed (a later
    // write fills the gap with zeros).
    int64_t Seek(int64_t AOffset, TSeekOrigin AOrigin);
    int64_t Position() const;
    void SetPosition(int64_t AValue);
    int64_t Size() const;
    // Truncates or extends the file.
    void SetSize(int64_t AValue);
    const QString& FileName() const { return FFileName; }

private:
    QString FFileName;
    QFile FFile;
};
