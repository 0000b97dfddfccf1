#pragma once
// How stored links name pins: a pin's full identifier name, or a list of that
// name and its display name when they differ.

#include <QString>

#include "pins/JwDispatcherPin.h"

class TJwBasicPin;
class TJwPin;
class TReader;
class TWriter;

struct TJwPinReference {
    QString IdentName;
    QString DisplayName;
};

void JwWritePinReference(TWriter& AWriter, TJwBasicPin* APin);
// Reads a reference whose first token the reader has not taken yet.
TJwPinReference JwReadPinReference(TReader& AReader);
// The pin a stored reference names under AReader's root, or a placeholder of
// AType for it when it does not exist yet.
TJwBasicPin* JwResolvePinReference(TJwPin* AReader, const TJwPinReference& AReference,
                                   TJwPinType AType);
