#include "pins/JwPinLinks.h"

#include "pins/JwPin.h"
#include "pins/JwUnloadedPin.h"
#include "platform/Filer.h"

void JwWritePinReference(TWriter& AWriter, TJwBasicPin* APin) {
    const QString Ident = APin->GetFullIdentName(true);
    const QString Display = APin->GetFullName(true);
    if (Ident == Display) {
        AWriter.WriteIdent(Ident);
        return;
    }
    AWriter.WriteListBegin();
    AWriter.WriteIdent(Ident);
    AWriter.WriteString(Display);
    AWriter.WriteListEnd();
}

TJwPinReference JwReadPinReference(TReader& AReader) {
    if (AReader.NextValue() != TValueType::vaList) {
        const QString Name = AReader.ReadIdent();
        return {Name, Name};
    }
    AReader.ReadListBegin();
    TJwPinReference Result;
    Result.IdentName = AReader.ReadIdent();
    Result.DisplayName = AReader.ReadString();
    AReader.ReadListEnd();
    return Result;
}

TJwBasicPin* JwResolvePinReference(TJwPin* AReader, const TJwPinReference& AReference,
                                   TJwPinType AType) {
    const QString Ident = AReader->LoadedName(AReference.IdentName);
    const QString Display = AReader->LoadedName(AReference.DisplayName);
    TComponent* Root = AReader->GetRoot();
    if (auto* Pin = JwFindPinByName(Root, Ident))
        return Pin;
    if (auto* Pin = JwFindPinByName(Root, Display))
        return Pin;
    return TJwUnloadedPin::FindOrCreate(Root, Ident, Display, AType, AReader->GetFullName(true));
}
