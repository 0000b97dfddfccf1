// Playing data files of every length through the demo's feeder.
#include "app/DemoFeeder.h"
#include "platform/FileStream.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

// Byte i of the file is (i * 7 + 3) mod 251: no two frames alike, no zeros
// where data was read.
QByteArray PatternBytes(int ALength) {
    QByteArray bytes(ALength, '\0');
    for (int i = 0; i < ALength; ++i)
        bytes[i] = static_cast<char>((i * 7 + 3) % 251 + 1);
    return bytes;
}

// The frame the feeder must give for the bytes [AOffset, AOffset + 1024) of
// AFile: little-endian doubles, zero bytes past the end.
TDemoFrame ExpectedFrame(const QByteArray& AFile, int AOffset) {
    unsigned char bytes[DemoFrameBytes] = {};
    for (int i = 0; i < DemoFrameBytes && AOffset + i < AFile.size(); ++i)
        bytes[i] = static_cast<unsigned char>(AFile[AOffset + i]);
    TDemoFrame frame;
    for (uint32_t i = 0; i < DemoFrameValues; ++i)
        frame[i] = qFromLittleEndian<double>(bytes + i * sizeof(double));
    return frame;
}

bool SameBits(const TDemoFrame& A, const TDemoFrame& B) {
    return std::memcmp(A.data(), B.data(), sizeof(TDemoFrame)) == 0;
}

class DemoFeederTest : public ::testing::Test {
protected:
    QString WriteFile(const QByteArray& ABytes) {
        const QString name = Dir.filePath(QStringLiteral("FFTDemoData.bin"));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ABytes);
        return name;
    }
    QTemporaryDir Dir;
};

// Byte offsets of the frames a file of ALength bytes plays, in order, one
// loop through it.
std::vector<int> FrameOffsets(int ALength) {
    std::vector<int> offsets;
    for (int at = 0; at < ALength; at += DemoFrameBytes)
        offsets.push_back(at);
    return offsets;
}

} // namespace

TEST_F(DemoFeederTest, FilesOfEveryLengthLoopFrameByFrameWithShortFramesZeroFilled) {
    for (int length : {1, 1023, 1024, 1025, 1024 * 3, 1024 * 3 + 7}) {
        SCOPED_TRACE(length);
        const QByteArray bytes = PatternBytes(length);
        TFileStream file(WriteFile(bytes), fmOpenRead | fmShareCompat);
        const std::vector<int> offsets = FrameOffsets(length);
        TDemoFrame frame;
        // Twice round, to see the first frame follow the last one.
        for (int lap = 0; lap < 2; ++lap) {
            for (size_t i = 0; i < offsets.size(); ++i) {
                SCOPED_TRACE(testing::Message() << "lap " << lap << " frame " << i);
                // stale values from the tick before must not show through a short read
                frame.fill(123.0);
                const int32_t read = ReadDemoFrame(file, frame);
                EXPECT_EQ(read, std::min(DemoFrameBytes, length - offsets[i]));
                EXPECT_TRUE(SameBits(frame, ExpectedFrame(bytes, offsets[i])));
                // the rewind comes in the tick that read the last byte
                EXPECT_EQ(file.Position(), i + 1 == offsets.size() ? 0 : offsets[i + 1]);
            }
        }
    }
}

TEST_F(DemoFeederTest, AnEmptyFileGivesNothingToShow) {
    TFileStream file(WriteFile(QByteArray()), fmOpenRead);
    TDemoFrame frame;
    for (int tick = 0; tick < 3; ++tick) {
        frame.fill(5.0);
        EXPECT_EQ(ReadDemoFrame(file, frame), 0);
        EXPECT_EQ(file.Position(), 0);
        EXPECT_TRUE(SameBits(frame, TDemoFrame{}));
    }
}

TEST_F(DemoFeederTest, AFileThatShrankUnderTheFeederStartsOver) {
    const QByteArray bytes = PatternBytes(1024 * 3);
    const QString name = WriteFile(bytes);
    TFileStream file(name, fmOpenRead);
    TDemoFrame frame;
    ReadDemoFrame(file, frame);
    ReadDemoFrame(file, frame);
    ASSERT_TRUE(QFile::resize(name, 1024));
    // Whatever the stream had buffered may still come, but then the feeder
    // must find its way back to the start instead of reading nothing forever.
    int ticks = 0;
    while (file.Position() != 0 && ticks < 4) {
        ReadDemoFrame(file, frame);
        ++ticks;
    }
    ASSERT_EQ(file.Position(), 0);
    EXPECT_EQ(ReadDemoFrame(file, frame), 1024);
    EXPECT_TRUE(SameBits(frame, ExpectedFrame(bytes, 0)));
}
