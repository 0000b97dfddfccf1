#include "buffers/KvBufferSupport.h"

#include "primitives/IppDispatch.h"

namespace kvbuffers {

void DivideReal(const double* ADivisor, double* ADividend, int ALen) {
    if (ippsDiv_64f_I(ADivisor, ADividend, ALen) != ippStsDivByZero)
        return;
    for (int I = 0; I < ALen; ++I)
        if (ADivisor[I] == 0.0)
            ADividend[I] = ADividend[I] > 0 ? 1.0e15 : -1.0e14;
}

TIndexRange ClampRange(int32_t AIndexBegin, int32_t AIndexEnd, uint32_t ASize) {
    if (ASize == 0)
        return {0, 0};
    const auto Size = static_cast<int64_t>(ASize);
    int64_t Begin = AIndexBegin < 0 ? 0 : AIndexBegin;
    int64_t End = AIndexEnd < 0 ? 0 : AIndexEnd;
    if (End > Size)
        End = Size;
    if (Begin >= Size)
        Begin = Size - 1;
    return {static_cast<int32_t>(Begin), static_cast<int32_t>(End)};
}

} // namespace kvbuffers
