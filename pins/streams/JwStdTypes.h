#pragma once
// The value stream types ("Clock", "32 bit Integer", "Real", ...), their
// operations, pins and converters. The types and converters are registered
// while the program starts, before the buffer types.

#include "pins/JwPins.h"
#include "pins/streams/JwStdTypesConverters.h"
#include "pins/streams/JwStdTypesOperations.h"
#include "pins/streams/JwStdTypesPins.h"

namespace JwStdTypeID {
inline constexpr TGUID Clock = JwStreamID::ClockStream;
inline constexpr TGUID Integer = JwStreamID::IntegerStream;
inline constexpr TGUID Int64 = JwStreamID::Int64Stream;
inline constexpr TGUID Float = JwStreamID::FloatStream;
inline constexpr TGUID Real = JwStreamID::RealStream;
inline constexpr TGUID RealComplex = TGUID::Parse("{4CC4ADE6-E5AE-4E27-A9E7-42C14E062F41}");
inline constexpr TGUID Boolean = TGUID::Parse("{7AA677AE-F983-4714-8E64-EC6F3D17695B}");
inline constexpr TGUID Character = TGUID::Parse("{3241B885-95E1-495F-ACEC-4A1C98872B63}");
inline constexpr TGUID String = TGUID::Parse("{25C048B4-89D4-4277-AA98-A835EB29F5C1}");
inline constexpr TGUID RangedInteger = JwStreamID::IntRangedStream;
inline constexpr TGUID RangedInt64 = JwStreamID::Int64RangedStream;
inline constexpr TGUID RangedReal = TGUID::Parse("{648AC95D-2772-427C-AD9D-2B7F1EDDE1A7}");
inline constexpr TGUID DateTime = JwStreamID::DateTimeStream;
} // namespace JwStdTypeID

// Registers the value types, the standard value send function and the value
// converters once; runs while the program starts and again harmlessly later.
void JwStdTypesInitialize();

// Delivers a value operation to the receiver's data stream.
bool JwStandardValueSend(TJwPin* APin, TJwPin* AReceiver, const TGUID& AID, uint32_t AState,
                         const TJwNotifyOperationPtr& AOperation);
