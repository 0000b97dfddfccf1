#pragma once
// Helpers shared by the typed buffers' operations.

#include <cstdint>

#include "buffers/KvBufferErrors.h"
#include "platform/Interfaces.h"

namespace kvbuffers {

// Element counts never exceed the largest block, so they fit a primitive's length.
inline int Len(uint64_t ACount) {
    return static_cast<int>(ACount);
}

inline uint32_t MinSize(uint32_t A, uint32_t B) {
    return A < B ? A : B;
}

// The object behind an operand; raises EIntfCastError for an empty one.
template <class T> T* Need(const TIntfPtr<T>& AOperand) {
    if (!AOperand)
        KvIntfCastError();
    return AOperand.get();
}

// Integer and byte division must not meet a zero divisor: checked before
// anything is written, so a failing operation changes nothing.
template <class T> void CheckDivisors(const T* ADivisors, uint32_t ACount) {
    for (uint32_t I = 0; I < ACount; ++I)
        if (ADivisors[I] == 0)
            KvDivByZero();
}

// ADividend[i] /= ADivisor[i]; where a divisor is exactly 0 the result is
// 1e15 for a positive quotient and -1e14 otherwise (0 / 0 included).
void DivideReal(const double* ADivisor, double* ADividend, int ALen);

// The clamped [begin, end) of the min/max searches over ASize values:
// negative bounds become 0, end is capped at ASize, a begin at or past ASize
// becomes ASize - 1. Empty when ASize is 0 or end is not beyond begin.
struct TIndexRange {
    int32_t Begin;
    int32_t End;
    bool Empty() const { return End <= Begin; }
};
TIndexRange ClampRange(int32_t AIndexBegin, int32_t AIndexEnd, uint32_t ASize);

} // namespace kvbuffers
