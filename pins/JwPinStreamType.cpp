#include "pins/JwPinStreamType.h"

#include <algorithm>

void TJwPinStreamType::AddType(const TGUID& AID, TJwSubmitFunction ASubmitFunction) {
    for (auto& Entry : Types)
        if (Entry.ID == AID) {
            Entry.SubmitFunction = std::move(ASubmitFunction);
            return;
        }
    Types.push_back({AID, std::move(ASubmitFunction)});
}

void TJwPinStreamType::RemoveType(const TGUID& AID) {
    const auto It = std::find_if(Types.begin(), Types.end(),
                                 [&](const TJwPinTypeEntry& E) { return E.ID == AID; });
    if (It != Types.end())
        Types.erase(It);
}

const TJwPinTypeEntry& TJwPinStreamType::At(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= GetLength())
        ListIndexError(AIndex);
    return Types[static_cast<size_t>(AIndex)];
}

void TJwPinStreamType::SwapPosition(int32_t AIndex1, int32_t AIndex2) {
    At(AIndex1);
    At(AIndex2);
    std::swap(Types[static_cast<size_t>(AIndex1)], Types[static_cast<size_t>(AIndex2)]);
}

TGUID TJwPinStreamType::GetID(int32_t AIndex) const {
    return At(AIndex).ID;
}

TJwSubmitFunction TJwPinStreamType::GetSubmitFunc(int32_t AIndex) const {
    return At(AIndex).SubmitFunction;
}

bool TJwPinStreamType::Contains(const TGUID& AID) const {
    return std::any_of(Types.begin(), Types.end(),
                       [&](const TJwPinTypeEntry& E) { return E.ID == AID; });
}

TJwSubmitFunction TJwPinStreamType::FindSubmitFunc(const TGUID& AID) const {
    for (const auto& Entry : Types)
        if (Entry.ID == AID)
            return Entry.SubmitFunction;
    return {};
}

std::vector<TGUID> TJwPinStreamType::GetIDs() const {
    std::vector<TGUID> Result;
    Result.reserve(Types.size());
    for (const auto& Entry : Types)
        Result.push_back(Entry.ID);
    return Result;
}
