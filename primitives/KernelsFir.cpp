#include "primitives/KernelsFir.h"

// for the state-mismatch status shared with the Fourier states
#include "primitives/KernelsFourier.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace {

constexpr std::uint32_t kFirMagic = 0x4B464952u;

} // namespace

// Taps h[0..L-1] and the last L - 1 input samples, oldest first.
struct IppsFIRState_64f {
    std::uint32_t magic;
    std::vector<Ipp64f> taps;
    std::vector<Ipp64f> history;
};

namespace builtin {

// The delay line given to the state lists past samples newest first:
// pDlyLine[k] is the sample k + 1 steps before the first new one.
IppStatus ippsFIRInitAlloc_64f(IppsFIRState_64f** ppState, const Ipp64f* pTaps, int tapsLen,
                               const Ipp64f* pDlyLine) {
    if (!ppState || !pTaps)
        return ippStsNullPtrErr;
    if (tapsLen <= 0)
        return ippStsFIRLenErr;
    try {
        const auto length = static_cast<std::size_t>(tapsLen);
        std::vector<Ipp64f> history(length - 1, 0.0);
        if (pDlyLine)
            for (std::size_t k = 0; k + 1 < length; ++k)
                history[length - 2 - k] = pDlyLine[k];
        *ppState = new IppsFIRState_64f{kFirMagic, std::vector<Ipp64f>(pTaps, pTaps + length),
                                        std::move(history)};
    } catch (const std::bad_alloc&) {
        *ppState = nullptr;
        return ippStsMemAllocErr;
    }
    return ippStsNoErr;
}

// y[n] = sum over k of h[k] x[n - k], the samples before this call coming
// from the delay line. pSrc and pDst may be the same vector.
IppStatus ippsFIR_64f(const Ipp64f* pSrc, Ipp64f* pDst, int numIters, IppsFIRState_64f* pState) {
    if (!pSrc || !pDst || !pState)
        return ippStsNullPtrErr;
    if (numIters <= 0)
        return ippStsSizeErr;
    if (pState->magic != kFirMagic)
        return ippStsContextMatchErr;
    const std::size_t taps = pState->taps.size();
    const std::size_t past = taps - 1;
    const auto count = static_cast<std::size_t>(numIters);
    std::vector<Ipp64f> line;
    try {
        line.resize(past + count);
    } catch (const std::bad_alloc&) {
        return ippStsMemAllocErr;
    }
    // The whole input is copied first, so writing pDst cannot disturb it.
    std::copy(pState->history.begin(), pState->history.end(), line.begin());
    std::copy(pSrc, pSrc + count, line.begin() + static_cast<std::ptrdiff_t>(past));
    const Ipp64f* h = pState->taps.data();
    for (std::size_t n = 0; n < count; ++n) {
        const Ipp64f* newest = line.data() + past + n;
        double sum = 0.0;
        for (std::size_t k = 0; k < taps; ++k)
            sum += h[k] * newest[-static_cast<std::ptrdiff_t>(k)];
        pDst[n] = sum;
    }
    std::copy(line.end() - static_cast<std::ptrdiff_t>(past), line.end(), pState->history.begin());
    return ippStsNoErr;
}

IppStatus ippsFIRFree_64f(IppsFIRState_64f* pState) {
    if (!pState)
        return ippStsNullPtrErr;
    if (pState->magic != kFirMagic)
        return ippStsContextMatchErr;
    pState->magic = 0;
    delete pState;
    return ippStsNoErr;
}

} // namespace builtin
