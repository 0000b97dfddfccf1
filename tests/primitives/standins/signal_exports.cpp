// Hand-written export of the signal stand-in: fills with a marker byte, so a
// test can tell that the table called the library and not the built-in kernel.

#include "primitives/IppTypes.h"

extern "C" IppStatus ippsZero_8u(Ipp8u* pDst, int len) {
    for (int i = 0; i < len; ++i)
        pDst[i] = 0x5A;
    return ippStsNoErr;
}
