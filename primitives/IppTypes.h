#pragma once
// The IPP 5.1 types, constants and status values that the primitive table's
// signatures use. Declared here because the libraries themselves are optional
// and their headers are not part of this platform.

#include <cstdint>

using Ipp8u = uint8_t;
using Ipp8s = int8_t;
using Ipp16u = uint16_t;
using Ipp16s = int16_t;
using Ipp32u = uint32_t;
using Ipp32s = int32_t;
using Ipp64u = uint64_t;
using Ipp64s = int64_t;
using Ipp32f = float;
using Ipp64f = double;

struct Ipp16sc {
    Ipp16s re;
    Ipp16s im;
};
struct Ipp32sc {
    Ipp32s re;
    Ipp32s im;
};
struct Ipp32fc {
    Ipp32f re;
    Ipp32f im;
};
struct Ipp64fc {
    Ipp64f re;
    Ipp64f im;
};

struct IppiSize {
    int width;
    int height;
};
struct IppiRect {
    int x;
    int y;
    int width;
    int height;
};
struct IppiPoint {
    int x;
    int y;
};

// Status values. Negative: error, positive: warning, 0: success.
using IppStatus = int;
enum : IppStatus {
    ippStsRoundModeNotSupportedErr = -213,
    ippStsLUTNofLevelsErr = -106,
    ippStsAlphaTypeErr = -50,
    ippStsJaehneErr = -38,
    ippStsMirrorFlipErr = -21,
    ippStsThreshNegLevelErr = -19,
    ippStsStepErr = -14,
    ippStsDivByZeroErr = -10,
    ippStsMemAllocErr = -9,
    ippStsNullPtrErr = -8,
    ippStsSizeErr = -6,
    ippStsBadArgErr = -5,
    ippStsNoErr = 0,
    ippStsSqrtNegArg = 3,
    ippStsDivByZero = 6,
    ippStsLnZeroArg = 7,
    ippStsLnNegArg = 8,
    ippStsOverflow = 12,
    ippStsUnderflow = 17,
};

// C enumerations in IPP: fixed to int so that any value a caller passes is
// representable and can be rejected.
enum IppRoundMode : int { ippRndZero = 0, ippRndNear = 1 };
enum IppHintAlgorithm : int { ippAlgHintNone = 0, ippAlgHintFast = 1, ippAlgHintAccurate = 2 };
enum IppCmpOp : int {
    ippCmpLess = 0,
    ippCmpLessEq = 1,
    ippCmpEq = 2,
    ippCmpGreaterEq = 3,
    ippCmpGreater = 4
};

// Interpolation codes of the resize primitives.
enum : int {
    IPPI_INTER_NN = 1,
    IPPI_INTER_LINEAR = 2,
    IPPI_INTER_CUBIC = 4,
    IPPI_INTER_SUPER = 8,
    IPPI_INTER_LANCZOS = 16,
};

enum IppiAxis : int { ippAxsHorizontal = 0, ippAxsVertical = 1, ippAxsBoth = 2 };

// Porter-Duff composition types; the Premul forms take premultiplied colours.
enum IppiAlphaType : int {
    ippAlphaOver = 0,
    ippAlphaIn,
    ippAlphaOut,
    ippAlphaATop,
    ippAlphaXor,
    ippAlphaPlus,
    ippAlphaOverPremul,
    ippAlphaInPremul,
    ippAlphaOutPremul,
    ippAlphaATopPremul,
    ippAlphaXorPremul,
    ippAlphaPlusPremul,
};

// Processor kinds reported by ippGetCpuType; 0 when unknown.
using IppCpuType = int;
enum : IppCpuType { ippCpuUnknown = 0 };

// Opaque state objects of the Fourier and FIR primitives.
struct IppsFFTSpec_C_64fc;
struct IppsFFTSpec_R_64f;
struct IppsFIRState_64f;
