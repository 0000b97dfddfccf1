#pragma once
// Built-in element functions (absolute value, square, square root, exponential, logarithm).

#include "primitives/IppTypes.h"

namespace builtin {

IppStatus ippsAbs_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsAbs_64f_I(Ipp64f* pSrcDst, int len);
IppStatus ippsSqr_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsSqr_64f_I(Ipp64f* pSrcDst, int len);
// Negative arguments give NaN and the warning ippStsSqrtNegArg.
IppStatus ippsSqrt_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsSqrt_64f_I(Ipp64f* pSrcDst, int len);
IppStatus ippsExp_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsExp_64f_I(Ipp64f* pSrcDst, int len);
// Zero gives -Inf (ippStsLnZeroArg), negative arguments NaN (ippStsLnNegArg).
IppStatus ippsLn_64f(const Ipp64f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsLn_64f_I(Ipp64f* pSrcDst, int len);
IppStatus ippsSqr_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len);
IppStatus ippsSqr_64fc_I(Ipp64fc* pSrcDst, int len);
// Principal square root.
IppStatus ippsSqrt_64fc(const Ipp64fc* pSrc, Ipp64fc* pDst, int len);
IppStatus ippsSqrt_64fc_I(Ipp64fc* pSrcDst, int len);

} // namespace builtin
