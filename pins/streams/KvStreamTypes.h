#pragma once
// The buffer stream types ("Kv real buffer" and its kin) through which sample
// buffers travel, their registry, pins and converters. They are registered
// while the program starts, after the value types.

#include <functional>
#include <vector>

#include "buffers/KvBufferInterfaces.h"
#include "pins/streams/JwStdTypes.h"
#include "pins/streams/KvStreamTypesConverters.h"
#include "pins/streams/KvStreamTypesOffsets.h"
#include "pins/streams/KvStreamTypesPins.h"

namespace KvStreamTypeID {
inline constexpr TGUID Binary = JwStreamID::KvBinaryStream;
inline constexpr TGUID Real = JwStreamID::KvRealStream;
inline constexpr TGUID Integer = JwStreamID::KvIntegerStream;
inline constexpr TGUID Complex = JwStreamID::KvComplexStream;
inline constexpr TGUID Universal = TGUID::Parse("{949B7FD0-421F-4F1B-B8D2-87969D3E66E0}");
inline constexpr TGUID Generic = JwStreamID::KvChannelStream;
inline constexpr TGUID PairedBuffers = TGUID::Parse("{F4D70F89-B478-4D08-990F-AD03759D0E31}");
inline constexpr TGUID String = JwStreamID::KvStringStream;
inline constexpr TGUID RealMatrix = JwStreamID::KvRealMatrixStream;
inline constexpr TGUID UserControl = TGUID::Parse("{9E7972F6-919B-491D-A094-18722B974429}");
} // namespace KvStreamTypeID

// Makes a buffer of ASamples samples of the type.
using TKvJwCreateBufferFunction = std::function<TKvDataPtr(uint32_t ASamples)>;
using TKvJwUpdateBufferFunction = std::function<void(const TKvDataPtr& ABuffer)>;

struct TKvJwStreamTypeEntry {
    TGUID ID;
    uint32_t SampleSize; // bytes per sample
    TKvJwCreateBufferFunction CreateFunction;
    TKvJwUpdateBufferFunction UpdateFunction;
};

// Finds or appends the entry (a new entry takes ASampleSize, an existing one
// keeps its size) and sets both functions.
void RegisterBufferStreamType(const TGUID& AID, uint32_t ASampleSize,
                              TKvJwCreateBufferFunction ACreateFunction,
                              TKvJwUpdateBufferFunction AUpdateFunction);
// The entry for AID; false when there is none.
bool FindBufferStreamType(const TGUID& AID, TKvJwStreamTypeEntry& AEntry);
std::vector<TKvJwStreamTypeEntry> GetBufferStreamTypeEntries();

// Registers the value types first, then the buffer types and the
// converters, once.
void KvStreamTypesInitialize();

// Delivers an operation of a buffer stream type to the receiver's
// generic-buffer stream; requests for the current value are not delivered.
bool KvBufferSend(TJwPin* APin, TJwPin* AReceiver, const TGUID& AID, uint32_t AState,
                  const TJwNotifyOperationPtr& AOperation);
