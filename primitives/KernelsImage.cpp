#include "primitives/KernelsImage.h"

#include "primitives/KernelSupport.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace builtin {

using namespace support;

namespace {

IppStatus setPixels(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize) {
    if (const IppStatus st = checkImage(value == nullptr || pDst == nullptr, roiSize, dstStep))
        return st;
    for (int y = 0; y < roiSize.height; ++y) {
        Ipp8u* row = rowAt(pDst, dstStep, y);
        for (int x = 0; x < roiSize.width; ++x)
            std::memcpy(row + 4 * static_cast<std::ptrdiff_t>(x), value, 4);
    }
    return ippStsNoErr;
}

template <typename T>
IppStatus copyRows(const T* pSrc, int srcStep, T* pDst, int dstStep, IppiSize roiSize,
                   int channels) {
    if (const IppStatus st =
            checkImage(pSrc == nullptr || pDst == nullptr, roiSize, srcStep, dstStep))
        return st;
    const size_t rowBytes = sizeof(T) * static_cast<size_t>(roiSize.width) * channels;
    for (int y = 0; y < roiSize.height; ++y)
        std::memmove(rowAt(pDst, dstStep, y), rowAt(pSrc, srcStep, y), rowBytes);
    return ippStsNoErr;
}

bool flipsRows(IppiAxis flip) {
    return flip == ippAxsHorizontal || flip == ippAxsBoth;
}

bool flipsColumns(IppiAxis flip) {
    return flip == ippAxsVertical || flip == ippAxsBoth;
}

IppStatus mirror(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep, IppiSize roiSize,
                 IppiAxis flip, int channels) {
    if (const IppStatus st =
            checkImage(pSrc == nullptr || pDst == nullptr, roiSize, srcStep, dstStep))
        return st;
    if (!flipsRows(flip) && !flipsColumns(flip))
        return ippStsMirrorFlipErr;
    for (int y = 0; y < roiSize.height; ++y) {
        const Ipp8u* src = rowAt(pSrc, srcStep, flipsRows(flip) ? roiSize.height - 1 - y : y);
        Ipp8u* dst = rowAt(pDst, dstStep, y);
        for (int x = 0; x < roiSize.width; ++x) {
            const int sx = flipsColumns(flip) ? roiSize.width - 1 - x : x;
            std::memcpy(dst + static_cast<std::ptrdiff_t>(x) * channels,
                        src + static_cast<std::ptrdiff_t>(sx) * channels,
                        static_cast<size_t>(channels));
        }
    }
    return ippStsNoErr;
}

void swapPixels(Ipp8u* a, Ipp8u* b) {
    std::swap_ranges(a, a + 3, b);
}

using LevelTable = std::array<Ipp8u, 256>;

LevelTable linearTable(const Ipp32s* values, const Ipp32s* levels, int count) {
    LevelTable table{};
    for (int v = 0; v < 256; ++v) {
        int64_t out = v;
        for (int k = 0; k + 1 < count; ++k) {
            if (v >= levels[k] && v < levels[k + 1]) {
                out = values[k] + int64_t(v - levels[k]) * (int64_t(values[k + 1]) - values[k]) /
                                      (int64_t(levels[k + 1]) - levels[k]);
                break;
            }
        }
        table[static_cast<size_t>(v)] = static_cast<Ipp8u>(std::clamp<int64_t>(out, 0, 255));
    }
    return table;
}

} // namespace

IppStatus ippiSet_8u_C4R(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize) {
    return setPixels(value, pDst, dstStep, roiSize);
}

IppStatus ippiSet_8u_C4R_Render(const Ipp8u value[4], Ipp8u* pDst, int dstStep, IppiSize roiSize) {
    return setPixels(value, pDst, dstStep, roiSize);
}

IppStatus ippiCopy_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                          IppiSize roiSize) {
    return copyRows(pSrc, srcStep, pDst, dstStep, roiSize, 4);
}

IppStatus ippiCopy_32s_C1R(const Ipp32s* pSrc, int srcStep, Ipp32s* pDst, int dstStep,
                           IppiSize roiSize) {
    return copyRows(pSrc, srcStep, pDst, dstStep, roiSize, 1);
}

IppStatus ippiMirror_8u_C3R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                            IppiSize roiSize, IppiAxis flip) {
    return mirror(pSrc, srcStep, pDst, dstStep, roiSize, flip, 3);
}

IppStatus ippiMirror_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                            IppiSize roiSize, IppiAxis flip) {
    return mirror(pSrc, srcStep, pDst, dstStep, roiSize, flip, 4);
}

IppStatus ippiMirror_8u_C3IR(Ipp8u* pSrcDst, int srcDstStep, IppiSize roiSize, IppiAxis flip) {
    if (const IppStatus st = checkImage(pSrcDst == nullptr, roiSize, srcDstStep))
        return st;
    if (!flipsRows(flip) && !flipsColumns(flip))
        return ippStsMirrorFlipErr;
    const int w = roiSize.width;
    const int h = roiSize.height;
    // Visit each pixel pair once: the first half in reading order swaps with its image.
    const int64_t total = int64_t(w) * h;
    for (int64_t i = 0; i < total; ++i) {
        const int y = static_cast<int>(i / w);
        const int x = static_cast<int>(i % w);
        const int my = flipsRows(flip) ? h - 1 - y : y;
        const int mx = flipsColumns(flip) ? w - 1 - x : x;
        const int64_t j = int64_t(my) * w + mx;
        if (j > i)
            swapPixels(rowAt(pSrcDst, srcDstStep, y) + 3 * static_cast<std::ptrdiff_t>(x),
                       rowAt(pSrcDst, srcDstStep, my) + 3 * static_cast<std::ptrdiff_t>(mx));
    }
    return ippStsNoErr;
}

IppStatus ippiLUT_Linear_8u_C4R(const Ipp8u* pSrc, int srcStep, Ipp8u* pDst, int dstStep,
                                IppiSize roiSize, const Ipp32s* pValues[4],
                                const Ipp32s* pLevels[4], int nLevels[4]) {
    bool nullPtr = pSrc == nullptr || pDst == nullptr || pValues == nullptr || pLevels == nullptr ||
                   nLevels == nullptr;
    for (int c = 0; c < 4 && !nullPtr; ++c)
        nullPtr = pValues[c] == nullptr || pLevels[c] == nullptr;
    if (const IppStatus st = checkImage(nullPtr, roiSize, srcStep, dstStep))
        return st;
    std::array<LevelTable, 4> tables;
    for (int c = 0; c < 4; ++c) {
        if (nLevels[c] < 2)
            return ippStsLUTNofLevelsErr;
        tables[static_cast<size_t>(c)] = linearTable(pValues[c], pLevels[c], nLevels[c]);
    }
    for (int y = 0; y < roiSize.height; ++y) {
        const Ipp8u* src = rowAt(pSrc, srcStep, y);
        Ipp8u* dst = rowAt(pDst, dstStep, y);
        for (int i = 0; i < 4 * roiSize.width; ++i)
            dst[i] = tables[static_cast<size_t>(i % 4)][src[i]];
    }
    return ippStsNoErr;
}

} // namespace builtin
