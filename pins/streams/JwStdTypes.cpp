#include "pins/streams/JwStdTypes.h"

#include <mutex>

namespace {

// Runs while the program starts: the value types come before the buffer types.
[[maybe_unused]] const bool GRegistered = (JwStdTypesInitialize(), true);

} // namespace

bool JwStandardValueSend(TJwPin*, TJwPin* AReceiver, const TGUID& AID, uint32_t AState,
                         const TJwNotifyOperationPtr& AOperation) {
    auto* Stream = dynamic_cast<IJwDataStream*>(AReceiver);
    return Stream ? Stream->DispatchData(AID, AOperation, AState) : false;
}

void JwStdTypesInitialize() {
    static std::once_flag Once;
    std::call_once(Once, [] {
        using namespace JwStdTypeID;
        RegisterStreamTypeName(Clock, QStringLiteral("Clock"));
        RegisterStreamTypeName(Integer, QStringLiteral("32 bit Integer"));
        RegisterStreamTypeName(Int64, QStringLiteral("64 bit Integer"));
        RegisterStreamTypeName(Float, QStringLiteral("Float"));
        RegisterStreamTypeName(Real, QStringLiteral("Real"));
        RegisterStreamTypeName(RealComplex, QStringLiteral("Real Complex"));
        RegisterStreamTypeName(Boolean, QStringLiteral("Boolean"));
        RegisterStreamTypeName(Character, QStringLiteral("Character"));
        RegisterStreamTypeName(String, QStringLiteral("Sting"));
        RegisterStreamTypeName(RangedInteger, QStringLiteral("Ranged 32 bit Integer"));
        RegisterStreamTypeName(RangedInt64, QStringLiteral("Ranged 64 bit Integer"));
        RegisterStreamTypeName(RangedReal, QStringLiteral("Ranged Real"));
        RegisterStreamTypeName(DateTime, QStringLiteral("Date/Time"));
        RegisterStreamSendFunction(JwStreamID::DataStream, &JwStandardValueSend);

        RegisterFormatConverter(Integer, Float, &JwConverterClass<TJwIntToFloatFormatConverter>);
        RegisterFormatConverter(Integer, Real, &JwConverterClass<TJwIntToRealFormatConverter>);
        RegisterFormatConverter(Int64, Float, &JwConverterClass<TJwInt64ToFloatFormatConverter>);
        RegisterFormatConverter(Int64, Real, &JwConverterClass<TJwInt64ToRealFormatConverter>);
        RegisterFormatConverter(Float, Real, &JwConverterClass<TJwFloatToRealFormatConverter>);
        RegisterFormatConverter(RangedInteger, RangedReal,
                                &JwConverterClass<TJwIntToRealRangedFormatConverter>);
        RegisterFormatConverter(RangedInt64, RangedReal,
                                &JwConverterClass<TJwInt64ToRealRangedFormatConverter>);
    });
}
