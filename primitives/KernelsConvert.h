#pragma once
// Built-in conversions between integer and floating-point vectors.

#include "primitives/IppTypes.h"

namespace builtin {

IppStatus ippsConvert_16s64f_Sfs(const Ipp16s* pSrc, Ipp64f* pDst, int len, int scaleFactor);
IppStatus ippsConvert_32s64f(const Ipp32s* pSrc, Ipp64f* pDst, int len);
IppStatus ippsConvert_32f64f(const Ipp32f* pSrc, Ipp64f* pDst, int len);
IppStatus ippsConvert_32s32f(const Ipp32s* pSrc, Ipp32f* pDst, int len);
IppStatus ippsConvert_32f32s_Sfs(const Ipp32f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode,
                                 int scaleFactor);
IppStatus ippsConvert_64f32f(const Ipp64f* pSrc, Ipp32f* pDst, int len);
IppStatus ippsConvert_64f32s_Sfs(const Ipp64f* pSrc, Ipp32s* pDst, int len, IppRoundMode rndMode,
                                 int scaleFactor);

// The rendering group's own kernels of the two conversions it shares a name with.
IppStatus ippsConvert_64f32f_Render(const Ipp64f* pSrc, Ipp32f* pDst, int len);
IppStatus ippsConvert_64f32s_Sfs_Render(const Ipp64f* pSrc, Ipp32s* pDst, int len,
                                        IppRoundMode rndMode, int scaleFactor);

} // namespace builtin
