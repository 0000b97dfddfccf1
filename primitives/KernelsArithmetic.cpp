#include "primitives/KernelsArithmetic.h"

#include "primitives/KernelLoops.h"

namespace builtin {

using namespace support;

namespace {

Ipp64fc cadd(Ipp64fc a, Ipp64fc b) {
    return {a.re + b.re, a.im + b.im};
}

Ipp64fc csub(Ipp64fc a, Ipp64fc b) {
    return {a.re - b.re, a.im - b.im};
}

Ipp64fc cmul(Ipp64fc a, Ipp64fc b) {
    return fromComplex(toComplex(a) * toComplex(b));
}

Ipp64fc cdiv(Ipp64fc a, Ipp64fc b) {
    return fromComplex(toComplex(a) / toComplex(b));
}

bool isZero(Ipp64fc v) {
    return v.re == 0.0 && v.im == 0.0;
}

// The quotient a / (b * 2^scaleFactor) rounded to nearest with ties to even
// and saturated. A zero divisor saturates toward the dividend's sign.
Ipp32s scaledQuotient(Int128 a, Int128 b, int scaleFactor) {
    if (b == 0)
        return a == 0 ? 0
                      : (a > 0 ? std::numeric_limits<Ipp32s>::max()
                               : std::numeric_limits<Ipp32s>::min());
    if (scaleFactor > 32)
        return 0;
    if (scaleFactor < -62)
        return a == 0 ? 0 : scaleSaturate<Ipp32s>((a > 0) == (b > 0) ? 1 : -1, scaleFactor);
    if (scaleFactor > 0)
        b *= Int128(1) << scaleFactor;
    else
        a *= Int128(1) << -scaleFactor;
    if (b < 0) {
        a = -a;
        b = -b;
    }
    Int128 q = a / b;
    Int128 r = a % b;
    if (r < 0) { // floor division
        --q;
        r += b;
    }
    if (2 * r > b || (2 * r == b && (q & 1) != 0))
        ++q;
    return scaleSaturate<Ipp32s>(q, 0);
}

Ipp32s shiftLeft(Ipp32s x, int n) {
    if (n <= 0)
        return x;
    if (n >= 32)
        return 0;
    return static_cast<Ipp32s>(static_cast<Ipp32u>(x) << n);
}

Ipp32s shiftRight(Ipp32s x, int n) {
    if (n <= 0)
        return x;
    return x >> (n >= 32 ? 31 : n);
}

} // namespace

IppStatus ippsAddC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64f x) { return x + val; });
}

IppStatus ippsAddC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) {
    return ippsAddC_64f(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsAddC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64fc x) { return cadd(x, val); });
}

IppStatus ippsAddC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) {
    return ippsAddC_64fc(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsAddC_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
    return map1Sfs(pSrc, pDst, len, scaleFactor, [=](Int128 x) { return x + val; });
}

IppStatus ippsAddC_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return ippsAddC_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}

IppStatus ippsSubC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64f x) { return x - val; });
}

IppStatus ippsSubC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) {
    return ippsSubC_64f(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsSubC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64fc x) { return csub(x, val); });
}

IppStatus ippsSubC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) {
    return ippsSubC_64fc(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsSubC_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
    return map1Sfs(pSrc, pDst, len, scaleFactor, [=](Int128 x) { return x - val; });
}

IppStatus ippsSubC_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return ippsSubC_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}

IppStatus ippsSubCRev_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64f x) { return val - x; });
}

IppStatus ippsSubCRev_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) {
    return ippsSubCRev_64f(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsSubCRev_32f_I(Ipp32f val, Ipp32f* pSrcDst, int len) {
    return map1(pSrcDst, pSrcDst, len, [=](Ipp32f x) { return val - x; });
}

IppStatus ippsSubCRev_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64fc x) { return csub(val, x); });
}

IppStatus ippsSubCRev_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len,
                              int scaleFactor) {
    return map1Sfs(pSrc, pDst, len, scaleFactor, [=](Int128 x) { return val - x; });
}

IppStatus ippsSubCRev_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return ippsSubCRev_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}

IppStatus ippsMulC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64f x) { return x * val; });
}

IppStatus ippsMulC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) {
    return ippsMulC_64f(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsMulC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp64fc x) { return cmul(x, val); });
}

IppStatus ippsMulC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) {
    return ippsMulC_64fc(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsMulC_32f_I(Ipp32f val, Ipp32f* pSrcDst, int len) {
    return map1(pSrcDst, pSrcDst, len, [=](Ipp32f x) { return x * val; });
}

IppStatus ippsMulC_32s_Sfs(const Ipp32s* pSrc, Ipp32s val, Ipp32s* pDst, int len, int scaleFactor) {
    return map1Sfs(pSrc, pDst, len, scaleFactor, [=](Int128 x) { return x * val; });
}

IppStatus ippsMulC_32s_ISfs(Ipp32s val, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return ippsMulC_32s_Sfs(pSrcDst, val, pSrcDst, len, scaleFactor);
}

IppStatus ippsDivC_64f(const Ipp64f* pSrc, Ipp64f val, Ipp64f* pDst, int len) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (val == 0.0)
        return ippStsDivByZeroErr;
    return map1(pSrc, pDst, len, [=](Ipp64f x) { return x / val; });
}

IppStatus ippsDivC_64f_I(Ipp64f val, Ipp64f* pSrcDst, int len) {
    return ippsDivC_64f(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsDivC_64fc(const Ipp64fc* pSrc, Ipp64fc val, Ipp64fc* pDst, int len) {
    if (const IppStatus st = checkVector(len, pSrc, pDst))
        return st;
    if (isZero(val))
        return ippStsDivByZeroErr;
    return map1(pSrc, pDst, len, [=](Ipp64fc x) { return cdiv(x, val); });
}

IppStatus ippsDivC_64fc_I(Ipp64fc val, Ipp64fc* pSrcDst, int len) {
    return ippsDivC_64fc(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsAdd_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, Ipp64f* pDst, int len) {
    return map2(pSrc1, pSrc2, pDst, len, [](Ipp64f a, Ipp64f b) { return a + b; });
}

IppStatus ippsAdd_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
    return ippsAdd_64f(pSrc, pSrcDst, pSrcDst, len);
}

IppStatus ippsAdd_64fc(const Ipp64fc* pSrc1, const Ipp64fc* pSrc2, Ipp64fc* pDst, int len) {
    return map2(pSrc1, pSrc2, pDst, len, cadd);
}

IppStatus ippsAdd_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
    return ippsAdd_64fc(pSrc, pSrcDst, pSrcDst, len);
}

IppStatus ippsAdd_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return map2Sfs(pSrc, pSrcDst, len, scaleFactor, [](Int128 s, Int128 d) { return d + s; });
}

IppStatus ippsAdd_8u_ISfs(const Ipp8u* pSrc, Ipp8u* pSrcDst, int len, int scaleFactor) {
    return map2Sfs(pSrc, pSrcDst, len, scaleFactor, [](Int128 s, Int128 d) { return d + s; });
}

IppStatus ippsSub_32f_I(const Ipp32f* pSrc, Ipp32f* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, [](Ipp32f s, Ipp32f d) { return d - s; });
}

IppStatus ippsSub_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, [](Ipp64f s, Ipp64f d) { return d - s; });
}

IppStatus ippsSub_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, [](Ipp64fc s, Ipp64fc d) { return csub(d, s); });
}

IppStatus ippsSub_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return map2Sfs(pSrc, pSrcDst, len, scaleFactor, [](Int128 s, Int128 d) { return d - s; });
}

IppStatus ippsSub_8u_ISfs(const Ipp8u* pSrc, Ipp8u* pSrcDst, int len, int scaleFactor) {
    return map2Sfs(pSrc, pSrcDst, len, scaleFactor, [](Int128 s, Int128 d) { return d - s; });
}

IppStatus ippsMul_32f(const Ipp32f* pSrc1, const Ipp32f* pSrc2, Ipp32f* pDst, int len) {
    return map2(pSrc1, pSrc2, pDst, len, [](Ipp32f a, Ipp32f b) { return a * b; });
}

IppStatus ippsMul_32f_I(const Ipp32f* pSrc, Ipp32f* pSrcDst, int len) {
    return ippsMul_32f(pSrc, pSrcDst, pSrcDst, len);
}

IppStatus ippsMul_64f(const Ipp64f* pSrc1, const Ipp64f* pSrc2, Ipp64f* pDst, int len) {
    return map2(pSrc1, pSrc2, pDst, len, [](Ipp64f a, Ipp64f b) { return a * b; });
}

IppStatus ippsMul_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
    return ippsMul_64f(pSrc, pSrcDst, pSrcDst, len);
}

IppStatus ippsMul_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, cmul);
}

IppStatus ippsMul_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
    return map2Sfs(pSrc, pSrcDst, len, scaleFactor, [](Int128 s, Int128 d) { return d * s; });
}

IppStatus ippsMul_8u_ISfs(const Ipp8u* pSrc, Ipp8u* pSrcDst, int len, int scaleFactor) {
    return map2Sfs(pSrc, pSrcDst, len, scaleFactor, [](Int128 s, Int128 d) { return d * s; });
}

// A zero divisor is a warning: the quotient follows IEEE rules.
IppStatus ippsDiv_64f_I(const Ipp64f* pSrc, Ipp64f* pSrcDst, int len) {
    bool zero = false;
    const IppStatus st = map2(pSrc, pSrcDst, pSrcDst, len, [&](Ipp64f s, Ipp64f d) {
        zero = zero || s == 0.0;
        return d / s;
    });
    return st == ippStsNoErr && zero ? ippStsDivByZero : st;
}

IppStatus ippsDiv_64fc_I(const Ipp64fc* pSrc, Ipp64fc* pSrcDst, int len) {
    bool zero = false;
    const IppStatus st = map2(pSrc, pSrcDst, pSrcDst, len, [&](Ipp64fc s, Ipp64fc d) {
        zero = zero || isZero(s);
        return cdiv(d, s);
    });
    return st == ippStsNoErr && zero ? ippStsDivByZero : st;
}

IppStatus ippsDiv_32s_ISfs(const Ipp32s* pSrc, Ipp32s* pSrcDst, int len, int scaleFactor) {
    bool zero = false;
    const IppStatus st = map2(pSrc, pSrcDst, pSrcDst, len, [&](Ipp32s s, Ipp32s d) {
        zero = zero || s == 0;
        return scaledQuotient(d, s, scaleFactor);
    });
    return st == ippStsNoErr && zero ? ippStsDivByZero : st;
}

IppStatus ippsAndC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp32u x) { return x & val; });
}

IppStatus ippsAndC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len) {
    return map1(pSrcDst, pSrcDst, len, [=](Ipp32u x) { return x & val; });
}

IppStatus ippsAnd_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, [](Ipp32u a, Ipp32u b) { return a & b; });
}

IppStatus ippsOrC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp32u x) { return x | val; });
}

IppStatus ippsOrC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len) {
    return map1(pSrcDst, pSrcDst, len, [=](Ipp32u x) { return x | val; });
}

IppStatus ippsOr_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, [](Ipp32u a, Ipp32u b) { return a | b; });
}

IppStatus ippsXorC_32u(const Ipp32u* pSrc, Ipp32u val, Ipp32u* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp32u x) { return x ^ val; });
}

IppStatus ippsXorC_32u_I(Ipp32u val, Ipp32u* pSrcDst, int len) {
    return map1(pSrcDst, pSrcDst, len, [=](Ipp32u x) { return x ^ val; });
}

IppStatus ippsXor_32u_I(const Ipp32u* pSrc, Ipp32u* pSrcDst, int len) {
    return map2(pSrc, pSrcDst, pSrcDst, len, [](Ipp32u a, Ipp32u b) { return a ^ b; });
}

// Shift counts of 32 or more leave only the sign; a count of zero or less leaves the value.
IppStatus ippsLShiftC_32s(const Ipp32s* pSrc, int val, Ipp32s* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp32s x) { return shiftLeft(x, val); });
}

IppStatus ippsLShiftC_32s_I(int val, Ipp32s* pSrcDst, int len) {
    return ippsLShiftC_32s(pSrcDst, val, pSrcDst, len);
}

IppStatus ippsRShiftC_32s(const Ipp32s* pSrc, int val, Ipp32s* pDst, int len) {
    return map1(pSrc, pDst, len, [=](Ipp32s x) { return shiftRight(x, val); });
}

IppStatus ippsRShiftC_32s_I(int val, Ipp32s* pSrcDst, int len) {
    return ippsRShiftC_32s(pSrcDst, val, pSrcDst, len);
}

} // namespace builtin
