#pragma once
// A list of format converters shared by their users: one converter per
// (input, output) pair, counted by reference. The owner's lock guards the
// list; both calls expect it to be held.

#include "pins/JwFormatConverter.h"

#include <vector>

// The list's converter for the pair with one more user, or a new one made by
// AClass (none when AClass is empty).
TJwFormatConverter* JwShareConverter(std::vector<TJwFormatConverter*>& AList,
                                     TJwFormatConverterClass AClass, const TGUID& AInputID,
                                     const TGUID& AOutputID);

// Drops one user of AConverter. True when that was the last one and the
// converter left the list: the caller frees it, after releasing its lock.
bool JwUnshareConverter(std::vector<TJwFormatConverter*>& AList, TJwFormatConverter* AConverter);
