#pragma once
// Every slot of the primitive table in the order the loader fills it:
// X(slot, exported name, function type). Three names have a second,
// independent slot for the rendering group; its slot name ends in _Render.

#include "primitives/IppTypes.h"

// clang-format off
#define KV_IPP_RESIZE_GROUP(X) \
    X(ippiResize_8u_C3R, "ippiResize_8u_C3R", IppStatus(const Ipp8u*, IppiSize, int, IppiRect, Ipp8u*, int, IppiSize, double, double, int)) \
    X(ippiResize_8u_C4R, "ippiResize_8u_C4R", IppStatus(const Ipp8u*, IppiSize, int, IppiRect, Ipp8u*, int, IppiSize, double, double, int)) \
    X(ippiResize_8u_C1R, "ippiResize_8u_C1R", IppStatus(const Ipp8u*, IppiSize, int, IppiRect, Ipp8u*, int, IppiSize, double, double, int)) \
    X(ippiResize_16u_C1R, "ippiResize_16u_C1R", IppStatus(const Ipp16u*, IppiSize, int, IppiRect, Ipp16u*, int, IppiSize, double, double, int)) \
    X(ippiResizeCenter_8u_C4R, "ippiResizeCenter_8u_C4R", IppStatus(const Ipp8u*, IppiSize, int, IppiRect, Ipp8u*, int, IppiSize, double, double, double, double, int))

#define KV_IPP_RENDER_GROUP(X) \
    X(ippiSet_8u_C4R_Render, "ippiSet_8u_C4R", IppStatus(const Ipp8u*, Ipp8u*, int, IppiSize)) \
    X(ippsConvert_64f32f_Render, "ippsConvert_64f32f", IppStatus(const Ipp64f*, Ipp32f*, int)) \
    X(ippsConvert_64f32s_Sfs_Render, "ippsConvert_64f32s_Sfs", IppStatus(const Ipp64f*, Ipp32s*, int, IppRoundMode, int)) \
    X(ippsMove_8u, "ippsMove_8u", IppStatus(const Ipp8u*, Ipp8u*, int)) \
    X(ippsSubCRev_32s_ISfs, "ippsSubCRev_32s_ISfs", IppStatus(Ipp32s, Ipp32s*, int, int)) \
    X(ippsSubCRev_64f_I, "ippsSubCRev_64f_I", IppStatus(Ipp64f, Ipp64f*, int)) \
    X(ippsSubCRev_32f_I, "ippsSubCRev_32f_I", IppStatus(Ipp32f, Ipp32f*, int)) \
    X(ippsThreshold_LT_32s_I, "ippsThreshold_LT_32s_I", IppStatus(Ipp32s*, int, Ipp32s)) \
    X(ippsThreshold_GT_32s_I, "ippsThreshold_GT_32s_I", IppStatus(Ipp32s*, int, Ipp32s))

#define KV_IPP_VECTOR_TABLE(X) \
    X(ippsFFTInitAlloc_C_64fc, "ippsFFTInitAlloc_C_64fc", IppStatus(IppsFFTSpec_C_64fc**, int, int, IppHintAlgorithm)) \
    X(ippsFFTInitAlloc_R_64f, "ippsFFTInitAlloc_R_64f", IppStatus(IppsFFTSpec_R_64f**, int, int, IppHintAlgorithm)) \
    X(ippsFFTFree_C_64fc, "ippsFFTFree_C_64fc", IppStatus(IppsFFTSpec_C_64fc*)) \
    X(ippsFFTFree_R_64f, "ippsFFTFree_R_64f", IppStatus(IppsFFTSpec_R_64f*)) \
    X(ippsFFTFwd_CToC_64fc, "ippsFFTFwd_CToC_64fc", IppStatus(const Ipp64fc*, Ipp64fc*, const IppsFFTSpec_C_64fc*, Ipp8u*)) \
    X(ippsFFTInv_CToC_64fc, "ippsFFTInv_CToC_64fc", IppStatus(const Ipp64fc*, Ipp64fc*, const IppsFFTSpec_C_64fc*, Ipp8u*)) \
    X(ippsFFTFwd_RToCCS_64f, "ippsFFTFwd_RToCCS_64f", IppStatus(const Ipp64f*, Ipp64f*, const IppsFFTSpec_R_64f*, Ipp8u*)) \
    X(ippsFFTInv_CCSToR_64f, "ippsFFTInv_CCSToR_64f", IppStatus(const Ipp64f*, Ipp64f*, const IppsFFTSpec_R_64f*, Ipp8u*)) \
    X(ippsConjCcs_64fc_I, "ippsConjCcs_64fc_I", IppStatus(Ipp64fc*, int)) \
    X(ippsWinBartlett_64f, "ippsWinBartlett_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsWinBartlett_64f_I, "ippsWinBartlett_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsWinBartlett_64fc_I, "ippsWinBartlett_64fc_I", IppStatus(Ipp64fc*, int)) \
    X(ippsWinBlackman_64f, "ippsWinBlackman_64f", IppStatus(const Ipp64f*, Ipp64f*, int, Ipp64f)) \
    X(ippsWinBlackman_64f_I, "ippsWinBlackman_64f_I", IppStatus(Ipp64f*, int, Ipp64f)) \
    X(ippsWinBlackman_64fc_I, "ippsWinBlackman_64fc_I", IppStatus(Ipp64fc*, int, Ipp64f)) \
    X(ippsWinHamming_64f, "ippsWinHamming_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsWinHamming_64f_I, "ippsWinHamming_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsWinHamming_64fc_I, "ippsWinHamming_64fc_I", IppStatus(Ipp64fc*, int)) \
    X(ippsWinHann_64f, "ippsWinHann_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsWinHann_64f_I, "ippsWinHann_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsWinHann_64fc_I, "ippsWinHann_64fc_I", IppStatus(Ipp64fc*, int)) \
    X(ippsWinKaiser_64f, "ippsWinKaiser_64f", IppStatus(const Ipp64f*, Ipp64f*, int, Ipp32f)) \
    X(ippsWinKaiser_64f_I, "ippsWinKaiser_64f_I", IppStatus(Ipp64f*, int, Ipp32f)) \
    X(ippsWinKaiser_64fc_I, "ippsWinKaiser_64fc_I", IppStatus(Ipp64fc*, int, Ipp32f)) \
    X(ippsConv_64f, "ippsConv_64f", IppStatus(const Ipp64f*, int, const Ipp64f*, int, Ipp64f*)) \
    X(ippsFIR_64f, "ippsFIR_64f", IppStatus(const Ipp64f*, Ipp64f*, int, IppsFIRState_64f*)) \
    X(ippsFIRInitAlloc_64f, "ippsFIRInitAlloc_64f", IppStatus(IppsFIRState_64f**, const Ipp64f*, int, const Ipp64f*)) \
    X(ippsFIRFree_64f, "ippsFIRFree_64f", IppStatus(IppsFIRState_64f*)) \
    X(ippsAutoCorr_64f, "ippsAutoCorr_64f", IppStatus(const Ipp64f*, int, Ipp64f*, int)) \
    X(ippsAutoCorr_NormA_64f, "ippsAutoCorr_NormA_64f", IppStatus(const Ipp64f*, int, Ipp64f*, int)) \
    X(ippsAutoCorr_NormB_64f, "ippsAutoCorr_NormB_64f", IppStatus(const Ipp64f*, int, Ipp64f*, int)) \
    X(ippsAutoCorr_64fc, "ippsAutoCorr_64fc", IppStatus(const Ipp64fc*, int, Ipp64fc*, int)) \
    X(ippsAutoCorr_NormA_64fc, "ippsAutoCorr_NormA_64fc", IppStatus(const Ipp64fc*, int, Ipp64fc*, int)) \
    X(ippsAutoCorr_NormB_64fc, "ippsAutoCorr_NormB_64fc", IppStatus(const Ipp64fc*, int, Ipp64fc*, int)) \
    X(ippsCrossCorr_64f, "ippsCrossCorr_64f", IppStatus(const Ipp64f*, int, const Ipp64f*, int, Ipp64f*, int, int)) \
    X(ippsCrossCorr_64fc, "ippsCrossCorr_64fc", IppStatus(const Ipp64fc*, int, const Ipp64fc*, int, Ipp64fc*, int, int)) \
    X(ippsMean_64f, "ippsMean_64f", IppStatus(const Ipp64f*, int, Ipp64f*)) \
    X(ippsMean_32f, "ippsMean_32f", IppStatus(const Ipp32f*, int, Ipp32f*, IppHintAlgorithm)) \
    X(ippsStdDev_64f, "ippsStdDev_64f", IppStatus(const Ipp64f*, int, Ipp64f*)) \
    X(ippsSum_64f, "ippsSum_64f", IppStatus(const Ipp64f*, int, Ipp64f*)) \
    X(ippsMax_64f, "ippsMax_64f", IppStatus(const Ipp64f*, int, Ipp64f*)) \
    X(ippsMin_64f, "ippsMin_64f", IppStatus(const Ipp64f*, int, Ipp64f*)) \
    X(ippsMaxIndx_64f, "ippsMaxIndx_64f", IppStatus(const Ipp64f*, int, Ipp64f*, int*)) \
    X(ippsMinIndx_64f, "ippsMinIndx_64f", IppStatus(const Ipp64f*, int, Ipp64f*, int*)) \
    X(ippsNormDiff_L1_64f, "ippsNormDiff_L1_64f", IppStatus(const Ipp64f*, const Ipp64f*, int, Ipp64f*)) \
    X(ippsNormDiff_L2_64f, "ippsNormDiff_L2_64f", IppStatus(const Ipp64f*, const Ipp64f*, int, Ipp64f*)) \
    X(ippsNormDiff_Inf_64f, "ippsNormDiff_Inf_64f", IppStatus(const Ipp64f*, const Ipp64f*, int, Ipp64f*)) \
    X(ippsDotProd_64f, "ippsDotProd_64f", IppStatus(const Ipp64f*, const Ipp64f*, int, Ipp64f*)) \
    X(ippsDotProd_64fc, "ippsDotProd_64fc", IppStatus(const Ipp64fc*, const Ipp64fc*, int, Ipp64fc*)) \
    X(ippsDotProd_32s_Sfs, "ippsDotProd_32s_Sfs", IppStatus(const Ipp32s*, const Ipp32s*, int, Ipp32s*, int)) \
    X(ippsNormalize_32f, "ippsNormalize_32f", IppStatus(const Ipp32f*, Ipp32f*, int, Ipp32f, Ipp32f)) \
    X(ippsNormalize_64f, "ippsNormalize_64f", IppStatus(const Ipp64f*, Ipp64f*, int, Ipp64f, Ipp64f)) \
    X(ippsNormalize_64fc, "ippsNormalize_64fc", IppStatus(const Ipp64fc*, Ipp64fc*, int, Ipp64fc, Ipp64f)) \
    X(ippsThreshold_32f_I, "ippsThreshold_32f_I", IppStatus(Ipp32f*, int, Ipp32f, IppCmpOp)) \
    X(ippsThreshold_64f, "ippsThreshold_64f", IppStatus(const Ipp64f*, Ipp64f*, int, Ipp64f, IppCmpOp)) \
    X(ippsThreshold_64f_I, "ippsThreshold_64f_I", IppStatus(Ipp64f*, int, Ipp64f, IppCmpOp)) \
    X(ippsThreshold_64fc, "ippsThreshold_64fc", IppStatus(const Ipp64fc*, Ipp64fc*, int, Ipp64f, IppCmpOp)) \
    X(ippsThreshold_64fc_I, "ippsThreshold_64fc_I", IppStatus(Ipp64fc*, int, Ipp64f, IppCmpOp)) \
    X(ippsAbs_64f, "ippsAbs_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsAbs_64f_I, "ippsAbs_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsSqr_64f, "ippsSqr_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsSqr_64f_I, "ippsSqr_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsSqrt_64f, "ippsSqrt_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsSqrt_64f_I, "ippsSqrt_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsExp_64f, "ippsExp_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsExp_64f_I, "ippsExp_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsLn_64f, "ippsLn_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsLn_64f_I, "ippsLn_64f_I", IppStatus(Ipp64f*, int)) \
    X(ippsSqr_64fc, "ippsSqr_64fc", IppStatus(const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsSqr_64fc_I, "ippsSqr_64fc_I", IppStatus(Ipp64fc*, int)) \
    X(ippsSqrt_64fc, "ippsSqrt_64fc", IppStatus(const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsSqrt_64fc_I, "ippsSqrt_64fc_I", IppStatus(Ipp64fc*, int)) \
    X(ippsPowerSpectr_64fc, "ippsPowerSpectr_64fc", IppStatus(const Ipp64fc*, Ipp64f*, int)) \
    X(ippsPhase_64fc, "ippsPhase_64fc", IppStatus(const Ipp64fc*, Ipp64f*, int)) \
    X(ippsMagnitude_64fc, "ippsMagnitude_64fc", IppStatus(const Ipp64fc*, Ipp64f*, int)) \
    X(ippsReal_64fc, "ippsReal_64fc", IppStatus(const Ipp64fc*, Ipp64f*, int)) \
    X(ippsImag_64fc, "ippsImag_64fc", IppStatus(const Ipp64fc*, Ipp64f*, int)) \
    X(ippsRealToCplx_64f, "ippsRealToCplx_64f", IppStatus(const Ipp64f*, const Ipp64f*, Ipp64fc*, int)) \
    X(ippsRealToCplx_32f, "ippsRealToCplx_32f", IppStatus(const Ipp32f*, const Ipp32f*, Ipp32fc*, int)) \
    X(ippsAddC_64f, "ippsAddC_64f", IppStatus(const Ipp64f*, Ipp64f, Ipp64f*, int)) \
    X(ippsAddC_64f_I, "ippsAddC_64f_I", IppStatus(Ipp64f, Ipp64f*, int)) \
    X(ippsAddC_64fc, "ippsAddC_64fc", IppStatus(const Ipp64fc*, Ipp64fc, Ipp64fc*, int)) \
    X(ippsAddC_64fc_I, "ippsAddC_64fc_I", IppStatus(Ipp64fc, Ipp64fc*, int)) \
    X(ippsAddC_32s_Sfs, "ippsAddC_32s_Sfs", IppStatus(const Ipp32s*, Ipp32s, Ipp32s*, int, int)) \
    X(ippsAddC_32s_ISfs, "ippsAddC_32s_ISfs", IppStatus(Ipp32s, Ipp32s*, int, int)) \
    X(ippsSubC_64f, "ippsSubC_64f", IppStatus(const Ipp64f*, Ipp64f, Ipp64f*, int)) \
    X(ippsSubC_64f_I, "ippsSubC_64f_I", IppStatus(Ipp64f, Ipp64f*, int)) \
    X(ippsSubC_64fc, "ippsSubC_64fc", IppStatus(const Ipp64fc*, Ipp64fc, Ipp64fc*, int)) \
    X(ippsSubC_64fc_I, "ippsSubC_64fc_I", IppStatus(Ipp64fc, Ipp64fc*, int)) \
    X(ippsSubC_32s_Sfs, "ippsSubC_32s_Sfs", IppStatus(const Ipp32s*, Ipp32s, Ipp32s*, int, int)) \
    X(ippsSubC_32s_ISfs, "ippsSubC_32s_ISfs", IppStatus(Ipp32s, Ipp32s*, int, int)) \
    X(ippsSubCRev_64f, "ippsSubCRev_64f", IppStatus(const Ipp64f*, Ipp64f, Ipp64f*, int)) \
    X(ippsSubCRev_64fc, "ippsSubCRev_64fc", IppStatus(const Ipp64fc*, Ipp64fc, Ipp64fc*, int)) \
    X(ippsSubCRev_32s_Sfs, "ippsSubCRev_32s_Sfs", IppStatus(const Ipp32s*, Ipp32s, Ipp32s*, int, int)) \
    X(ippsMulC_64f, "ippsMulC_64f", IppStatus(const Ipp64f*, Ipp64f, Ipp64f*, int)) \
    X(ippsMulC_64f_I, "ippsMulC_64f_I", IppStatus(Ipp64f, Ipp64f*, int)) \
    X(ippsMulC_64fc, "ippsMulC_64fc", IppStatus(const Ipp64fc*, Ipp64fc, Ipp64fc*, int)) \
    X(ippsMulC_64fc_I, "ippsMulC_64fc_I", IppStatus(Ipp64fc, Ipp64fc*, int)) \
    X(ippsMulC_32f_I, "ippsMulC_32f_I", IppStatus(Ipp32f, Ipp32f*, int)) \
    X(ippsMulC_32s_Sfs, "ippsMulC_32s_Sfs", IppStatus(const Ipp32s*, Ipp32s, Ipp32s*, int, int)) \
    X(ippsMulC_32s_ISfs, "ippsMulC_32s_ISfs", IppStatus(Ipp32s, Ipp32s*, int, int)) \
    X(ippsDivC_64f, "ippsDivC_64f", IppStatus(const Ipp64f*, Ipp64f, Ipp64f*, int)) \
    X(ippsDivC_64f_I, "ippsDivC_64f_I", IppStatus(Ipp64f, Ipp64f*, int)) \
    X(ippsDivC_64fc, "ippsDivC_64fc", IppStatus(const Ipp64fc*, Ipp64fc, Ipp64fc*, int)) \
    X(ippsDivC_64fc_I, "ippsDivC_64fc_I", IppStatus(Ipp64fc, Ipp64fc*, int)) \
    X(ippsAdd_64f, "ippsAdd_64f", IppStatus(const Ipp64f*, const Ipp64f*, Ipp64f*, int)) \
    X(ippsAdd_64f_I, "ippsAdd_64f_I", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsAdd_64fc, "ippsAdd_64fc", IppStatus(const Ipp64fc*, const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsAdd_64fc_I, "ippsAdd_64fc_I", IppStatus(const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsAdd_32s_ISfs, "ippsAdd_32s_ISfs", IppStatus(const Ipp32s*, Ipp32s*, int, int)) \
    X(ippsAdd_8u_ISfs, "ippsAdd_8u_ISfs", IppStatus(const Ipp8u*, Ipp8u*, int, int)) \
    X(ippsSub_32f_I, "ippsSub_32f_I", IppStatus(const Ipp32f*, Ipp32f*, int)) \
    X(ippsSub_64f_I, "ippsSub_64f_I", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsSub_64fc_I, "ippsSub_64fc_I", IppStatus(const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsSub_32s_ISfs, "ippsSub_32s_ISfs", IppStatus(const Ipp32s*, Ipp32s*, int, int)) \
    X(ippsSub_8u_ISfs, "ippsSub_8u_ISfs", IppStatus(const Ipp8u*, Ipp8u*, int, int)) \
    X(ippsMul_32f, "ippsMul_32f", IppStatus(const Ipp32f*, const Ipp32f*, Ipp32f*, int)) \
    X(ippsMul_32f_I, "ippsMul_32f_I", IppStatus(const Ipp32f*, Ipp32f*, int)) \
    X(ippsMul_64f, "ippsMul_64f", IppStatus(const Ipp64f*, const Ipp64f*, Ipp64f*, int)) \
    X(ippsMul_64f_I, "ippsMul_64f_I", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsMul_64fc_I, "ippsMul_64fc_I", IppStatus(const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsMul_32s_ISfs, "ippsMul_32s_ISfs", IppStatus(const Ipp32s*, Ipp32s*, int, int)) \
    X(ippsMul_8u_ISfs, "ippsMul_8u_ISfs", IppStatus(const Ipp8u*, Ipp8u*, int, int)) \
    X(ippsDiv_64f_I, "ippsDiv_64f_I", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsDiv_64fc_I, "ippsDiv_64fc_I", IppStatus(const Ipp64fc*, Ipp64fc*, int)) \
    X(ippsDiv_32s_ISfs, "ippsDiv_32s_ISfs", IppStatus(const Ipp32s*, Ipp32s*, int, int)) \
    X(ippsAndC_32u, "ippsAndC_32u", IppStatus(const Ipp32u*, Ipp32u, Ipp32u*, int)) \
    X(ippsAndC_32u_I, "ippsAndC_32u_I", IppStatus(Ipp32u, Ipp32u*, int)) \
    X(ippsAnd_32u_I, "ippsAnd_32u_I", IppStatus(const Ipp32u*, Ipp32u*, int)) \
    X(ippsOrC_32u, "ippsOrC_32u", IppStatus(const Ipp32u*, Ipp32u, Ipp32u*, int)) \
    X(ippsOrC_32u_I, "ippsOrC_32u_I", IppStatus(Ipp32u, Ipp32u*, int)) \
    X(ippsOr_32u_I, "ippsOr_32u_I", IppStatus(const Ipp32u*, Ipp32u*, int)) \
    X(ippsXorC_32u, "ippsXorC_32u", IppStatus(const Ipp32u*, Ipp32u, Ipp32u*, int)) \
    X(ippsXorC_32u_I, "ippsXorC_32u_I", IppStatus(Ipp32u, Ipp32u*, int)) \
    X(ippsXor_32u_I, "ippsXor_32u_I", IppStatus(const Ipp32u*, Ipp32u*, int)) \
    X(ippsLShiftC_32s, "ippsLShiftC_32s", IppStatus(const Ipp32s*, int, Ipp32s*, int)) \
    X(ippsLShiftC_32s_I, "ippsLShiftC_32s_I", IppStatus(int, Ipp32s*, int)) \
    X(ippsRShiftC_32s, "ippsRShiftC_32s", IppStatus(const Ipp32s*, int, Ipp32s*, int)) \
    X(ippsRShiftC_32s_I, "ippsRShiftC_32s_I", IppStatus(int, Ipp32s*, int)) \
    X(ippsSet_8u, "ippsSet_8u", IppStatus(Ipp8u, Ipp8u*, int)) \
    X(ippsSet_32s, "ippsSet_32s", IppStatus(Ipp32s, Ipp32s*, int)) \
    X(ippsSet_32f, "ippsSet_32f", IppStatus(Ipp32f, Ipp32f*, int)) \
    X(ippsSet_64f, "ippsSet_64f", IppStatus(Ipp64f, Ipp64f*, int)) \
    X(ippsSet_64fc, "ippsSet_64fc", IppStatus(Ipp64fc, Ipp64fc*, int)) \
    X(ippsZero_8u, "ippsZero_8u", IppStatus(Ipp8u*, int)) \
    X(ippsZero_16s, "ippsZero_16s", IppStatus(Ipp16s*, int)) \
    X(ippsZero_32s, "ippsZero_32s", IppStatus(Ipp32s*, int)) \
    X(ippsZero_32f, "ippsZero_32f", IppStatus(Ipp32f*, int)) \
    X(ippsZero_64f, "ippsZero_64f", IppStatus(Ipp64f*, int)) \
    X(ippsZero_64fc, "ippsZero_64fc", IppStatus(Ipp64fc*, int)) \
    X(ippsCopy_8u, "ippsCopy_8u", IppStatus(const Ipp8u*, Ipp8u*, int)) \
    X(ippsCopy_32f, "ippsCopy_32f", IppStatus(const Ipp32f*, Ipp32f*, int)) \
    X(ippsCopy_64f, "ippsCopy_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsMove_64f, "ippsMove_64f", IppStatus(const Ipp64f*, Ipp64f*, int)) \
    X(ippsConvert_16s64f_Sfs, "ippsConvert_16s64f_Sfs", IppStatus(const Ipp16s*, Ipp64f*, int, int)) \
    X(ippsConvert_32s64f, "ippsConvert_32s64f", IppStatus(const Ipp32s*, Ipp64f*, int)) \
    X(ippsConvert_32f64f, "ippsConvert_32f64f", IppStatus(const Ipp32f*, Ipp64f*, int)) \
    X(ippsConvert_32s32f, "ippsConvert_32s32f", IppStatus(const Ipp32s*, Ipp32f*, int)) \
    X(ippsConvert_32f32s_Sfs, "ippsConvert_32f32s_Sfs", IppStatus(const Ipp32f*, Ipp32s*, int, IppRoundMode, int)) \
    X(ippsConvert_64f32f, "ippsConvert_64f32f", IppStatus(const Ipp64f*, Ipp32f*, int)) \
    X(ippsConvert_64f32s_Sfs, "ippsConvert_64f32s_Sfs", IppStatus(const Ipp64f*, Ipp32s*, int, IppRoundMode, int)) \
    X(ippsSwapBytes_16u, "ippsSwapBytes_16u", IppStatus(const Ipp16u*, Ipp16u*, int)) \
    X(ippsSwapBytes_24u, "ippsSwapBytes_24u", IppStatus(const Ipp8u*, Ipp8u*, int)) \
    X(ippsSwapBytes_32u, "ippsSwapBytes_32u", IppStatus(const Ipp32u*, Ipp32u*, int)) \
    X(ippsSwapBytes_32u_I, "ippsSwapBytes_32u_I", IppStatus(Ipp32u*, int)) \
    X(ippsVectorJaehne_64f, "ippsVectorJaehne_64f", IppStatus(Ipp64f*, int, Ipp64f)) \
    X(ippsRandUniform_Direct_64f, "ippsRandUniform_Direct_64f", IppStatus(Ipp64f*, int, Ipp64f, Ipp64f, unsigned int*)) \
    X(ippiMirror_8u_C3IR, "ippiMirror_8u_C3IR", IppStatus(Ipp8u*, int, IppiSize, IppiAxis)) \
    X(ippiMirror_8u_C3R, "ippiMirror_8u_C3R", IppStatus(const Ipp8u*, int, Ipp8u*, int, IppiSize, IppiAxis)) \
    X(ippiMirror_8u_C4R, "ippiMirror_8u_C4R", IppStatus(const Ipp8u*, int, Ipp8u*, int, IppiSize, IppiAxis)) \
    X(ippiCopy_32s_C1R, "ippiCopy_32s_C1R", IppStatus(const Ipp32s*, int, Ipp32s*, int, IppiSize)) \
    X(ippiCopy_8u_C4R, "ippiCopy_8u_C4R", IppStatus(const Ipp8u*, int, Ipp8u*, int, IppiSize)) \
    X(ippiSet_8u_C4R, "ippiSet_8u_C4R", IppStatus(const Ipp8u*, Ipp8u*, int, IppiSize)) \
    X(ippiLUT_Linear_8u_C4R, "ippiLUT_Linear_8u_C4R", IppStatus(const Ipp8u*, int, Ipp8u*, int, IppiSize, const Ipp32s**, const Ipp32s**, int*)) \
    X(ippiAlphaComp_8u_AC4R, "ippiAlphaComp_8u_AC4R", IppStatus(const Ipp8u*, int, const Ipp8u*, int, Ipp8u*, int, IppiSize, IppiAlphaType))

#define KV_IPP_NORM_GROUP(X) \
    X(ippsNorm_L2_64fc64f, "ippsNorm_L2_64fc64f", IppStatus(const Ipp64fc*, int, Ipp64f*))

#define KV_IPP_PRIMITIVES(X) \
    KV_IPP_RESIZE_GROUP(X) KV_IPP_RENDER_GROUP(X) KV_IPP_VECTOR_TABLE(X) KV_IPP_NORM_GROUP(X)
// clang-format on
