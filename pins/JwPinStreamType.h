#pragma once
// The stream types a pin sends or accepts, each with the function that
// receives it. Negotiation walks the list from its end: the type added last
// has the highest priority.

#include <vector>

#include "pins/JwPinTypes.h"

struct TJwPinTypeEntry {
    TGUID ID;
    TJwSubmitFunction SubmitFunction;
};

class TJwPinStreamType {
public:
    // Replaces the function of an existing ID, else appends.
    void AddType(const TGUID& AID, TJwSubmitFunction ASubmitFunction = {});
    // Removes the first entry with AID, keeping the order of the others.
    void RemoveType(const TGUID& AID);
    void ClearTypes() { Types.clear(); }
    // Raise EListError for an index out of range.
    void SwapPosition(int32_t AIndex1, int32_t AIndex2);
    TGUID GetID(int32_t AIndex) const;
    TJwSubmitFunction GetSubmitFunc(int32_t AIndex) const;
    int32_t GetLength() const { return static_cast<int32_t>(Types.size()); }

    bool Contains(const TGUID& AID) const;
    // The function for AID, or an empty one.
    TJwSubmitFunction FindSubmitFunc(const TGUID& AID) const;
    std::vector<TGUID> GetIDs() const;

    std::vector<TJwPinTypeEntry> Types;

private:
    const TJwPinTypeEntry& At(int32_t AIndex) const;
};
