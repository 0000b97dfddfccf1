#include "pins/JwStreamTypeRegistry.h"

#include <algorithm>
#include <mutex>

#include "pins/JwStreamInterfaces.h"

namespace {

struct TRegistry {
    std::mutex Lock;
    std::vector<TJwStreamTypeEntry> Types;
    std::vector<TJwTypeConverterEntry> Converters;

    TJwStreamTypeEntry& FindOrAppend(const TGUID& AID) {
        const auto It = std::find_if(Types.begin(), Types.end(),
                                     [&](const TJwStreamTypeEntry& E) { return E.ID == AID; });
        if (It != Types.end())
            return *It;
        Types.push_back({AID, {}, {}});
        return Types.back();
    }

    const TJwStreamTypeEntry* Find(const TGUID& AID) const {
        const auto It = std::find_if(Types.begin(), Types.end(),
                                     [&](const TJwStreamTypeEntry& E) { return E.ID == AID; });
        return It == Types.end() ? nullptr : &*It;
    }
};

TRegistry& Registry() {
    static TRegistry R;
    return R;
}

} // namespace

void RegisterStreamTypeName(const TGUID& AID, const QString& AName) {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    R.FindOrAppend(AID).Name = AName;
}

void RegisterStreamSendFunction(const TGUID& AID, TJwStreamSendFunction AFunction) {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    R.FindOrAppend(AID).SendFunction = std::move(AFunction);
}

void RegisterFormatConverter(const TGUID& AInputID, const TGUID& AOutputID,
                             TJwFormatConverterClass AConverterClass) {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    for (auto& Entry : R.Converters)
        if (Entry.InputID == AInputID && Entry.OutputID == AOutputID) {
            Entry.ConverterClass = AConverterClass;
            return;
        }
    R.Converters.push_back({AInputID, AOutputID, AConverterClass});
}

TJwFormatConverterClass FindFormatConverter(const TGUID& AInputID, const TGUID& AOutputID) {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    for (const auto& Entry : R.Converters)
        if (Entry.InputID == AInputID && Entry.OutputID == AOutputID)
            return Entry.ConverterClass;
    return nullptr;
}

QString GuidToText(const TGUID& AID) {
    return AID.ToString();
}

QString GetStreamTypeName(const TGUID& AID) {
    if (AID.IsNull())
        return QStringLiteral("NIL ID");
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    const auto* Entry = R.Find(AID);
    return Entry && !Entry->Name.isEmpty() ? Entry->Name : GuidToText(AID);
}

TJwStreamSendFunction FindStreamSendFunction(const TGUID& AID) {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    for (TGUID ID = AID; !ID.IsNull(); ID = JwStreamParentID(ID))
        if (const auto* Entry = R.Find(ID); Entry && Entry->SendFunction)
            return Entry->SendFunction;
    return {};
}

std::vector<TJwStreamTypeEntry> GetStreamTypeEntries() {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    return R.Types;
}

std::vector<TJwTypeConverterEntry> GetFormatConverterEntries() {
    auto& R = Registry();
    std::lock_guard L(R.Lock);
    return R.Converters;
}

TJwSubmitFunction JwDefaultDispatcher(TJwPin* APin) {
    return [APin](TJwPin* AStream, const TGUID& AID, uint32_t AState,
                  const TJwNotifyOperationPtr& AOperation) {
        const auto Send = FindStreamSendFunction(AID);
        return Send ? Send(APin, AStream, AID, AState, AOperation) : false;
    };
}
