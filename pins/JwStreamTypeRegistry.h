#pragma once
// Process-wide registries of stream types and format converters. They are
// filled while the program starts (value types, then buffer types, then
// converters) and only read afterwards.

#include <vector>

#include <QString>

#include "pins/JwPinTypes.h"

class TJwFormatConverter;

// Delivers an operation of one stream type: called with the pin whose
// submit function runs, the receiver's stream interface, the stream type
// ID, the state flags and the operation.
using TJwStreamSendFunction =
    std::function<bool(TJwPin* APin, TJwPin* AReceiver, const TGUID& AID, uint32_t AState,
                       const TJwNotifyOperationPtr& AOperation)>;

struct TJwStreamTypeEntry {
    TGUID ID;
    QString Name;
    TJwStreamSendFunction SendFunction;
};

// A format converter class: makes an unowned converter from AInputID to AOutputID.
using TJwFormatConverterClass = TJwFormatConverter* (*)(const TGUID& AInputID,
                                                        const TGUID& AOutputID);

struct TJwTypeConverterEntry {
    TGUID InputID;
    TGUID OutputID;
    TJwFormatConverterClass ConverterClass;
};

// Find or append the entry for AID and set its name or send function.
void RegisterStreamTypeName(const TGUID& AID, const QString& AName);
void RegisterStreamSendFunction(const TGUID& AID, TJwStreamSendFunction AFunction);
// Replaces the class of an existing (AInputID, AOutputID) entry, else appends.
void RegisterFormatConverter(const TGUID& AInputID, const TGUID& AOutputID,
                             TJwFormatConverterClass AConverterClass);
// The class registered for the pair, or none.
TJwFormatConverterClass FindFormatConverter(const TGUID& AInputID, const TGUID& AOutputID);

// "NIL ID" for the null GUID, the registered name when there is one, else
// the GUID as text.
QString GetStreamTypeName(const TGUID& AID);
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper case.
QString GuidToText(const TGUID& AID);

// The send function of AID, or of its nearest stream interface parent that
// has one; empty when none has.
TJwStreamSendFunction FindStreamSendFunction(const TGUID& AID);

// Copies of the registries, in order of registration.
std::vector<TJwStreamTypeEntry> GetStreamTypeEntries();
std::vector<TJwTypeConverterEntry> GetFormatConverterEntries();

// The submit function that hands an operation to the send function
// registered for its stream type; a type without one answers false.
TJwSubmitFunction JwDefaultDispatcher(TJwPin* APin);
