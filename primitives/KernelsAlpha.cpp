#include "primitives/KernelsAlpha.h"

#include "primitives/KernelSupport.h"

namespace builtin {

using namespace support;

namespace {

// x / 255 for products of two bytes, as (x + (x >> 8) + 1) >> 8.
constexpr unsigned d(unsigned x) {
    return (x + (x >> 8) + 1) >> 8;
}

constexpr Ipp8u sat(unsigned x) {
    return static_cast<Ipp8u>(x > 255 ? 255 : x);
}

// The four Porter-Duff fractions: how much of A and of B each type keeps,
// as multipliers in 0..255 (Fa, Fb) of the alpha-weighted colours.
struct Fractions {
    unsigned fa;
    unsigned fb;
};

Fractions fractions(int op, unsigned alphaA, unsigned alphaB) {
    switch (op) {
    case ippAlphaOver:
        return {255, 255 - alphaA};
    case ippAlphaIn:
        return {alphaB, 0};
    case ippAlphaOut:
        return {255 - alphaB, 0};
    case ippAlphaATop:
        return {alphaB, 255 - alphaA};
    case ippAlphaXor:
        return {255 - alphaB, 255 - alphaA};
    default: // ippAlphaPlus
        return {255, 255};
    }
}

// One term: colour (already weighted by its alpha) times its fraction. A full
// fraction keeps the weighted colour exactly.
unsigned term(unsigned weighted, unsigned fraction) {
    return fraction == 255 ? weighted : d(weighted * fraction);
}

void composePixel(const Ipp8u* a, const Ipp8u* b, Ipp8u* out, int type) {
    const bool premultiplied = type >= ippAlphaOverPremul;
    const int op = premultiplied ? type - ippAlphaOverPremul : type;
    const unsigned alphaA = a[3];
    const unsigned alphaB = b[3];
    const Fractions f = fractions(op, alphaA, alphaB);
    for (int c = 0; c < 3; ++c) {
        const unsigned wa = premultiplied ? a[c] : d(a[c] * alphaA);
        const unsigned wb = premultiplied ? b[c] : d(b[c] * alphaB);
        out[c] = sat(term(wa, f.fa) + term(wb, f.fb));
    }
    out[3] = sat(term(alphaA, f.fa) + term(alphaB, f.fb));
}

} // namespace

IppStatus ippiAlphaComp_8u_AC4R(const Ipp8u* pSrc1, int src1Step, const Ipp8u* pSrc2, int src2Step,
                                Ipp8u* pDst, int dstStep, IppiSize roiSize,
                                IppiAlphaType alphaType) {
    if (const IppStatus st = checkImage(pSrc1 == nullptr || pSrc2 == nullptr || pDst == nullptr,
                                        roiSize, src1Step, src2Step, dstStep))
        return st;
    const int type = alphaType;
    if (type < ippAlphaOver || type > ippAlphaPlusPremul)
        return ippStsAlphaTypeErr;
    for (int y = 0; y < roiSize.height; ++y) {
        const Ipp8u* a = rowAt(pSrc1, src1Step, y);
        const Ipp8u* b = rowAt(pSrc2, src2Step, y);
        Ipp8u* out = rowAt(pDst, dstStep, y);
        for (int x = 0; x < roiSize.width; ++x)
            composePixel(a + 4 * x, b + 4 * x, out + 4 * x, type);
    }
    return ippStsNoErr;
}

} // namespace builtin
