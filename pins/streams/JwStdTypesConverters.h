#pragma once
// Converters between the value types: the value converted and sent as the
// output type's supplied operation; other operations pass unchanged.

#include "pins/JwFormatConverter.h"

#define JW_DECLARE_FORMAT_CONVERTER(Name)                                                          \
    class Name : public TJwFormatConverter {                                                       \
    public:                                                                                        \
        using TJwFormatConverter::TJwFormatConverter;                                              \
                                                                                                   \
    protected:                                                                                     \
        TJwNotifyOperationPtr Convert(const TJwNotifyOperationPtr& AOperation) override;           \
    };

JW_DECLARE_FORMAT_CONVERTER(TJwIntToFloatFormatConverter)
JW_DECLARE_FORMAT_CONVERTER(TJwIntToRealFormatConverter)
JW_DECLARE_FORMAT_CONVERTER(TJwInt64ToFloatFormatConverter)
JW_DECLARE_FORMAT_CONVERTER(TJwInt64ToRealFormatConverter)
JW_DECLARE_FORMAT_CONVERTER(TJwFloatToRealFormatConverter)
JW_DECLARE_FORMAT_CONVERTER(TJwIntToRealRangedFormatConverter)
JW_DECLARE_FORMAT_CONVERTER(TJwInt64ToRealRangedFormatConverter)
