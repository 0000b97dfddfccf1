// The registries as the program start leaves them: value types, then buffer
// types, then converters, each in its order.

#include <gtest/gtest.h>

#include <thread>

#include "pins/streams/KvStreamTypes.h"

namespace {

TEST(StreamTypesStartUp, TypeNamesAreRegisteredInOrder) {
    const QStringList Expected{"Clock",
                               "32 bit Integer",
                               "64 bit Integer",
                               "Float",
                               "Real",
                               "Real Complex",
                               "Boolean",
                               "Character",
                               "Sting",
                               "Ranged 32 bit Integer",
                               "Ranged 64 bit Integer",
                               "Ranged Real",
                               "Date/Time",
                               "", // the data stream, which holds the standard value send function
                               "Kv binary buffer",
                               "Kv real buffer",
                               "Kv integer buffer",
                               "Kv complex buffer",
                               "Kv Universal buffer",
                               "Kv Generic buffer",
                               "Kv Paired Buffers",
                               "Kv String",
                               "Kv Real Matrix",
                               "User control"};
    const auto Entries = GetStreamTypeEntries();
    ASSERT_GE(Entries.size(), static_cast<size_t>(Expected.size()));
    for (qsizetype I = 0; I < Expected.size(); ++I)
        EXPECT_EQ(Entries[static_cast<size_t>(I)].Name, Expected[I]) << "entry " << I;
    EXPECT_EQ(Entries[13].ID, TGUID::Parse("{CFDF94D7-5134-49D9-AC65-902BBC1CD140}"));
    EXPECT_TRUE(Entries[13].SendFunction);
    EXPECT_EQ(Entries[15].ID, TGUID::Parse("{58041272-EF20-4696-87E6-9EE46ABFBD89}"));
    // Names without a send function of their own.
    EXPECT_FALSE(Entries[4].SendFunction);
    EXPECT_FALSE(Entries[18].SendFunction);
    EXPECT_FALSE(Entries[23].SendFunction);
    EXPECT_TRUE(Entries[20].SendFunction);
}

TEST(StreamTypesStartUp, ConvertersAreRegisteredInOrder) {
    using namespace JwStdTypeID;
    namespace Kv = KvStreamTypeID;
    const std::vector<std::pair<TGUID, TGUID>> Expected{{Integer, Float},
                                                        {Integer, Real},
                                                        {Int64, Float},
                                                        {Int64, Real},
                                                        {Float, Real},
                                                        {RangedInteger, RangedReal},
                                                        {RangedInt64, RangedReal},
                                                        {Kv::Integer, Kv::Binary},
                                                        {Kv::Real, Kv::Binary},
                                                        {Kv::Complex, Kv::Binary},
                                                        {Kv::Integer, Kv::Real},
                                                        {DateTime, Kv::String},
                                                        {Integer, Kv::String},
                                                        {Real, Kv::String},
                                                        {Kv::Real, Kv::RealMatrix}};
    const auto Entries = GetFormatConverterEntries();
    ASSERT_EQ(Entries.size(), Expected.size());
    for (size_t I = 0; I < Expected.size(); ++I) {
        EXPECT_EQ(Entries[I].InputID, Expected[I].first) << "entry " << I;
        EXPECT_EQ(Entries[I].OutputID, Expected[I].second) << "entry " << I;
        EXPECT_NE(Entries[I].ConverterClass, nullptr);
    }
}

TEST(StreamTypesStartUp, BufferTypesKnowTheirSampleSizesAndMakeBuffers) {
    namespace Kv = KvStreamTypeID;
    const std::vector<std::pair<TGUID, uint32_t>> Expected{
        {Kv::Generic, 1}, {Kv::Binary, 1}, {Kv::Real, 8}, {Kv::Integer, 4}, {Kv::Complex, 16}};
    const auto Entries = GetBufferStreamTypeEntries();
    ASSERT_EQ(Entries.size(), Expected.size());
    for (size_t I = 0; I < Expected.size(); ++I) {
        EXPECT_EQ(Entries[I].ID, Expected[I].first);
        EXPECT_EQ(Entries[I].SampleSize, Expected[I].second);
        TIntfPtr<IKvDataBuffer> Buffer;
        ASSERT_TRUE(Supports(Entries[I].CreateFunction(5), Buffer));
        EXPECT_EQ(Buffer->GetByteSize(), 5 * Expected[I].second);
    }
    // Registering again keeps the size of the existing entry.
    RegisterBufferStreamType(Kv::Real, 3, Entries[2].CreateFunction, Entries[2].UpdateFunction);
    TKvJwStreamTypeEntry Real;
    ASSERT_TRUE(FindBufferStreamType(Kv::Real, Real));
    EXPECT_EQ(Real.SampleSize, 8u);
}

TEST(StreamTypesStartUp, ThePinFrameworkRecordedTheMainThread) {
    EXPECT_EQ(JwMainThreadID(), std::this_thread::get_id());
}

TEST(StreamTypesStartUp, TypeNamesOfRegisteredAndUnregisteredIDs) {
    EXPECT_EQ(GetStreamTypeName(TGUID::Parse("{58041272-EF20-4696-87E6-9EE46ABFBD89}")),
              QStringLiteral("Kv real buffer"));
    EXPECT_EQ(GetStreamTypeName(TGUID::Parse("{deadbeef-0000-4000-8000-00000000abcd}")),
              QStringLiteral("{DEADBEEF-0000-4000-8000-00000000ABCD}"));
    EXPECT_EQ(GetStreamTypeName(TGUID{}), QStringLiteral("NIL ID"));
}

} // namespace
