#include "platform/FileStream.h"
#include "platform/DynamicLibrary.h"
#include "platform/Exceptions.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TEST(FileStreamTest, CreateWriteReadSeekAndSize) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString name = dir.filePath(QStringLiteral("data.bin"));
    const double values[3] = {1.5, -0.0, 1e300};
    {
        TFileStream out(name, fmCreate);
        EXPECT_EQ(out.Write(values, sizeof values), static_cast<int32_t>(sizeof values));
        EXPECT_EQ(out.Size(), 24);
        EXPECT_EQ(out.Position(), 24);
    }
    TFileStream in(name, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(in.Size(), 24);
    EXPECT_EQ(in.Position(), 0);
    double read[4] = {};
    // A short read returns what there was, and the position reaches the size.
    EXPECT_EQ(in.Read(read, sizeof read), 24);
    EXPECT_EQ(std::memcmp(read, values, sizeof values), 0);
    EXPECT_EQ(in.Position(), in.Size());
    EXPECT_EQ(in.Read(read, 8), 0);
    EXPECT_EQ(in.Seek(0, TSeekOrigin::soBeginning), 0);
    EXPECT_EQ(in.Seek(8, TSeekOrigin::soCurrent), 8);
    EXPECT_EQ(in.Seek(-8, TSeekOrigin::soEnd), 16);
    double last = 0;
    in.ReadBuffer(&last, sizeof last);
    EXPECT_EQ(last, 1e300);
    EXPECT_THROW(in.ReadBuffer(&last, sizeof last), EReadError);
    EXPECT_THROW(in.Seek(-1, TSeekOrigin::soBeginning), EReadError);
    // Read-only: writing takes nothing.
    EXPECT_EQ(in.Write(values, 8), 0);
    EXPECT_THROW(in.WriteBuffer(values, 8), EWriteError);
}

TEST(FileStreamTest, OpenFailuresRaiseWithTheFileName) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("missing.bin"));
    try {
        TFileStream s(missing, fmOpenRead);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Cannot open file \"%1\".").arg(missing)));
    }
    EXPECT_THROW(TFileStream(missing, fmOpenReadWrite), EFOpenError);
    EXPECT_THROW(TFileStream(dir.filePath(QStringLiteral("no/such/dir/x")), fmCreate),
                 EFCreateError);
}

TEST(FileStreamTest, ReadWriteModeAndSetSize) {
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("rw.bin"));
    { TFileStream(name, fmCreate).WriteBuffer("abcdef", 6); }
    TFileStream s(name, fmOpenReadWrite);
    s.Seek(2, TSeekOrigin::soBeginning);
    s.WriteBuffer("XY", 2);
    s.SetSize(5);
    EXPECT_EQ(s.Size(), 5);
    s.SetPosition(0);
    char text[6] = {};
    EXPECT_EQ(s.Read(text, 6), 5);
    EXPECT_STREQ(text, "abXYe");
}

TEST(DynamicLibraryTest, LoadsResolvesAndFrees) {
    TDynamicLibrary lib(QStringLiteral("libm.so.6"));
    ASSERT_TRUE(lib.IsLoaded()) << lib.ErrorString().toStdString();
    auto* cosine = reinterpret_cast<double (*)(double)>(lib.Resolve("cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(lib.Resolve("no_such_function_here"), nullptr);
    TDynamicLibrary moved(std::move(lib));
    EXPECT_FALSE(lib.IsLoaded()); // a moved-from library holds nothing
    EXPECT_TRUE(moved.IsLoaded());
    moved.Free();
    EXPECT_FALSE(moved.IsLoaded());
    EXPECT_EQ(moved.Resolve("cos"), nullptr);

    TDynamicLibrary missing(QStringLiteral("libkv-no-such-library.so"));
    EXPECT_FALSE(missing.IsLoaded());
    EXPECT_FALSE(missing.ErrorString().isEmpty());
}

} // namespace
