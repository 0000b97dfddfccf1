// Element-wise arithmetic, bit operations and shifts.

#include "kernel_test_support.h"

#include "primitives/KernelsArithmetic.h"

#include <gtest/gtest.h>

#include <array>

using namespace builtin;
using kernel_test::scaledReference;

namespace {

constexpr Ipp32s kMax = std::numeric_limits<Ipp32s>::max();
constexpr Ipp32s kMin = std::numeric_limits<Ipp32s>::min();

TEST(ArithmeticKernels, AddConstantScalesWithTiesToEven) {
    std::array<Ipp32s, 3> v{1, 2, 3};
    EXPECT_EQ(ippsAddC_32s_ISfs(1, v.data(), 3, 1), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp32s, 3>{1, 2, 2}));

    std::array<Ipp32s, 4> w{-2, -4, 5, 7};
    EXPECT_EQ(ippsAddC_32s_ISfs(1, w.data(), 4, 1), ippStsNoErr); // -0.5, -1.5, 3, 4
    EXPECT_EQ(w, (std::array<Ipp32s, 4>{0, -2, 3, 4}));
}

TEST(ArithmeticKernels, ScaledIntegerFormsMatchTheExactResultScaledAndSaturated) {
    const auto a = kernel_test::randomInts(200, 1, kMin, kMax);
    const auto b = kernel_test::randomInts(200, 2, kMin, kMax);
    const Ipp32s c = 1234567;
    for (int sf : {-40, -3, -1, 0, 1, 2, 7, 31, 32, 33}) {
        std::vector<Ipp32s> add = b, sub = b, mul = b, subcRev(200), mulc(200), addc(200),
                            subc(200);
        ASSERT_EQ(ippsAdd_32s_ISfs(a.data(), add.data(), 200, sf), ippStsNoErr);
        ASSERT_EQ(ippsSub_32s_ISfs(a.data(), sub.data(), 200, sf), ippStsNoErr);
        ASSERT_EQ(ippsMul_32s_ISfs(a.data(), mul.data(), 200, sf), ippStsNoErr);
        ASSERT_EQ(ippsSubCRev_32s_Sfs(a.data(), c, subcRev.data(), 200, sf), ippStsNoErr);
        ASSERT_EQ(ippsMulC_32s_Sfs(a.data(), c, mulc.data(), 200, sf), ippStsNoErr);
        ASSERT_EQ(ippsAddC_32s_Sfs(a.data(), c, addc.data(), 200, sf), ippStsNoErr);
        ASSERT_EQ(ippsSubC_32s_Sfs(a.data(), c, subc.data(), 200, sf), ippStsNoErr);
        for (size_t i = 0; i < 200; ++i) {
            const long double x = a[i], y = b[i];
            EXPECT_EQ(add[i], scaledReference<Ipp32s>(y + x, sf)) << sf;
            EXPECT_EQ(sub[i], scaledReference<Ipp32s>(y - x, sf)) << sf;
            EXPECT_EQ(mul[i], scaledReference<Ipp32s>(y * x, sf)) << sf;
            EXPECT_EQ(subcRev[i], scaledReference<Ipp32s>(c - x, sf)) << sf;
            EXPECT_EQ(mulc[i], scaledReference<Ipp32s>(x * c, sf)) << sf;
            EXPECT_EQ(addc[i], scaledReference<Ipp32s>(x + c, sf)) << sf;
            EXPECT_EQ(subc[i], scaledReference<Ipp32s>(x - c, sf)) << sf;
        }
    }
}

TEST(ArithmeticKernels, ScaledFormsSaturateAndMultiplyForNegativeFactors) {
    std::array<Ipp32s, 3> v{kMax, kMin, 3};
    EXPECT_EQ(ippsAddC_32s_ISfs(10, v.data(), 3, 0), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp32s, 3>{kMax, kMin + 10, 13}));
    std::array<Ipp32s, 2> m{3, -1 << 30};
    EXPECT_EQ(ippsMulC_32s_ISfs(1, m.data(), 2, -2), ippStsNoErr);
    EXPECT_EQ(m, (std::array<Ipp32s, 2>{12, kMin}));
    std::array<Ipp32s, 1> big{kMax};
    EXPECT_EQ(ippsMulC_32s_ISfs(kMax, big.data(), 1, 33), ippStsNoErr);
    EXPECT_EQ(big[0], 0);
}

TEST(ArithmeticKernels, ByteFormsSaturateToTheByteRange) {
    const std::array<Ipp8u, 4> src{100, 200, 16, 3};
    std::array<Ipp8u, 4> add{200, 100, 16, 2};
    EXPECT_EQ(ippsAdd_8u_ISfs(src.data(), add.data(), 4, 0), ippStsNoErr);
    EXPECT_EQ(add, (std::array<Ipp8u, 4>{255, 255, 32, 5}));
    std::array<Ipp8u, 4> addHalf{200, 100, 16, 2};
    EXPECT_EQ(ippsAdd_8u_ISfs(src.data(), addHalf.data(), 4, 1),
              ippStsNoErr); // 150, 150, 16, 2.5 -> 2
    EXPECT_EQ(addHalf, (std::array<Ipp8u, 4>{150, 150, 16, 2}));
    std::array<Ipp8u, 4> sub{50, 255, 20, 3};
    EXPECT_EQ(ippsSub_8u_ISfs(src.data(), sub.data(), 4, 0), ippStsNoErr);
    EXPECT_EQ(sub, (std::array<Ipp8u, 4>{0, 55, 4, 0}));
    std::array<Ipp8u, 4> mul{3, 2, 16, 3};
    EXPECT_EQ(ippsMul_8u_ISfs(src.data(), mul.data(), 4, 1),
              ippStsNoErr); // 150, 200, 128, 4.5 -> 4
    EXPECT_EQ(mul, (std::array<Ipp8u, 4>{150, 200, 128, 4}));
}

TEST(ArithmeticKernels, IntegerDivisionRoundsTheScaledQuotient) {
    const std::array<Ipp32s, 6> divisor{2, 2, 2, 3, -4, 7};
    std::array<Ipp32s, 6> v{7, 5, -7, 100, 10, 0};
    EXPECT_EQ(ippsDiv_32s_ISfs(divisor.data(), v.data(), 6, 0), ippStsNoErr);
    EXPECT_EQ(v, (std::array<Ipp32s, 6>{4, 2, -4, 33, -2, 0}));
    std::array<Ipp32s, 2> scaled{7, 9};
    const std::array<Ipp32s, 2> one{1, 1};
    EXPECT_EQ(ippsDiv_32s_ISfs(one.data(), scaled.data(), 2, 1), ippStsNoErr); // 3.5 -> 4, 4.5 -> 4
    EXPECT_EQ(scaled, (std::array<Ipp32s, 2>{4, 4}));
    std::array<Ipp32s, 3> byZero{5, -5, 0};
    const std::array<Ipp32s, 3> zeros{0, 0, 0};
    EXPECT_EQ(ippsDiv_32s_ISfs(zeros.data(), byZero.data(), 3, 0), ippStsDivByZero);
    EXPECT_EQ(byZero, (std::array<Ipp32s, 3>{kMax, kMin, 0}));
}

TEST(ArithmeticKernels, FloatingFormsFollowTheirOperation) {
    const auto a = kernel_test::randomReals(64, 3);
    const auto b = kernel_test::randomReals(64, 4);
    std::vector<Ipp64f> add(64), mul(64), subcRev(64), divc(64), sub = b, div = b;
    ASSERT_EQ(ippsAdd_64f(a.data(), b.data(), add.data(), 64), ippStsNoErr);
    ASSERT_EQ(ippsMul_64f(a.data(), b.data(), mul.data(), 64), ippStsNoErr);
    ASSERT_EQ(ippsSubCRev_64f(a.data(), 5.0, subcRev.data(), 64), ippStsNoErr);
    ASSERT_EQ(ippsDivC_64f(a.data(), 4.0, divc.data(), 64), ippStsNoErr);
    ASSERT_EQ(ippsSub_64f_I(a.data(), sub.data(), 64), ippStsNoErr);
    ASSERT_EQ(ippsDiv_64f_I(a.data(), div.data(), 64), ippStsNoErr);
    for (size_t i = 0; i < 64; ++i) {
        EXPECT_EQ(add[i], a[i] + b[i]);
        EXPECT_EQ(mul[i], a[i] * b[i]);
        EXPECT_EQ(subcRev[i], 5.0 - a[i]);
        EXPECT_EQ(divc[i], a[i] / 4.0);
        EXPECT_EQ(sub[i], b[i] - a[i]);
        EXPECT_EQ(div[i], b[i] / a[i]);
    }
    std::array<Ipp32f, 2> f{1.5f, -2.0f};
    EXPECT_EQ(ippsSubCRev_32f_I(10.0f, f.data(), 2), ippStsNoErr);
    EXPECT_EQ(f, (std::array<Ipp32f, 2>{8.5f, 12.0f}));
}

TEST(ArithmeticKernels, ComplexFormsUseComplexArithmetic) {
    const Ipp64fc z{1.0, 2.0}, w{3.0, -1.0};
    Ipp64fc out{};
    ASSERT_EQ(ippsMulC_64fc(&z, w, &out, 1), ippStsNoErr); // (1+2i)(3-i) = 5+5i
    EXPECT_DOUBLE_EQ(out.re, 5.0);
    EXPECT_DOUBLE_EQ(out.im, 5.0);
    ASSERT_EQ(ippsDivC_64fc(&out, w, &out, 1), ippStsNoErr);
    EXPECT_DOUBLE_EQ(out.re, 1.0);
    EXPECT_DOUBLE_EQ(out.im, 2.0);
    ASSERT_EQ(ippsSubCRev_64fc(&z, w, &out, 1), ippStsNoErr);
    EXPECT_DOUBLE_EQ(out.re, 2.0);
    EXPECT_DOUBLE_EQ(out.im, -3.0);
    Ipp64fc acc = z;
    ASSERT_EQ(ippsMul_64fc_I(&w, &acc, 1), ippStsNoErr);
    ASSERT_EQ(ippsDiv_64fc_I(&w, &acc, 1), ippStsNoErr);
    EXPECT_DOUBLE_EQ(acc.re, 1.0);
    EXPECT_DOUBLE_EQ(acc.im, 2.0);
}

TEST(ArithmeticKernels, DivisionByZero) {
    std::array<Ipp64f, 2> v{1.0, -1.0};
    EXPECT_EQ(ippsDivC_64f_I(0.0, v.data(), 2), ippStsDivByZeroErr);
    EXPECT_EQ(v, (std::array<Ipp64f, 2>{1.0, -1.0})) << "an error leaves the destination alone";
    Ipp64fc c{1.0, 1.0};
    EXPECT_EQ(ippsDivC_64fc_I({0.0, 0.0}, &c, 1), ippStsDivByZeroErr);
    const std::array<Ipp64f, 2> zeros{0.0, 2.0};
    EXPECT_EQ(ippsDiv_64f_I(zeros.data(), v.data(), 2), ippStsDivByZero);
    EXPECT_EQ(v[0], std::numeric_limits<double>::infinity());
    EXPECT_EQ(v[1], -0.5);
}

TEST(ArithmeticKernels, NullPointerIsReportedBeforeLength) {
    Ipp64f d = 7.0;
    Ipp32s i = 7;
    EXPECT_EQ(ippsAddC_64f_I(1.0, nullptr, 0), ippStsNullPtrErr);
    EXPECT_EQ(ippsAddC_64f_I(1.0, &d, 0), ippStsSizeErr);
    EXPECT_EQ(ippsAddC_64f_I(1.0, &d, -3), ippStsSizeErr);
    EXPECT_EQ(ippsAdd_64f(&d, nullptr, &d, -1), ippStsNullPtrErr);
    EXPECT_EQ(ippsAdd_32s_ISfs(nullptr, &i, 1, 0), ippStsNullPtrErr);
    EXPECT_EQ(ippsDivC_64f(nullptr, 0.0, &d, 0), ippStsNullPtrErr);
    EXPECT_EQ(ippsDivC_64f(&d, 0.0, &d, 0), ippStsSizeErr);
    EXPECT_EQ(ippsAndC_32u(nullptr, 1u, nullptr, 1), ippStsNullPtrErr);
    EXPECT_EQ(ippsLShiftC_32s_I(1, &i, 0), ippStsSizeErr);
    EXPECT_EQ(d, 7.0);
    EXPECT_EQ(i, 7);
}

TEST(ArithmeticKernels, BitOperationsAndShifts) {
    const std::array<Ipp32u, 2> src{0xF0F0F0F0u, 0x12345678u};
    std::array<Ipp32u, 2> out{};
    ASSERT_EQ(ippsAndC_32u(src.data(), 0x0FF00FF0u, out.data(), 2), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp32u, 2>{0x00F000F0u, 0x02300670u}));
    ASSERT_EQ(ippsOrC_32u(src.data(), 0x0000000Fu, out.data(), 2), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp32u, 2>{0xF0F0F0FFu, 0x1234567Fu}));
    ASSERT_EQ(ippsXorC_32u(src.data(), 0xFFFFFFFFu, out.data(), 2), ippStsNoErr);
    EXPECT_EQ(out, (std::array<Ipp32u, 2>{0x0F0F0F0Fu, 0xEDCBA987u}));
    std::array<Ipp32u, 2> inPlace = src;
    ASSERT_EQ(ippsXor_32u_I(src.data(), inPlace.data(), 2), ippStsNoErr);
    EXPECT_EQ(inPlace, (std::array<Ipp32u, 2>{0u, 0u}));

    const std::array<Ipp32s, 4> s{1, -8, kMax, -1};
    std::array<Ipp32s, 4> shifted{};
    ASSERT_EQ(ippsLShiftC_32s(s.data(), 31, shifted.data(), 4), ippStsNoErr);
    EXPECT_EQ(shifted, (std::array<Ipp32s, 4>{kMin, 0, kMin, kMin}));
    ASSERT_EQ(ippsRShiftC_32s(s.data(), 2, shifted.data(), 4), ippStsNoErr);
    EXPECT_EQ(shifted, (std::array<Ipp32s, 4>{0, -2, kMax / 4, -1}));
    ASSERT_EQ(ippsRShiftC_32s(s.data(), 40, shifted.data(), 4), ippStsNoErr);
    EXPECT_EQ(shifted, (std::array<Ipp32s, 4>{0, -1, 0, -1}));
    ASSERT_EQ(ippsLShiftC_32s(s.data(), 40, shifted.data(), 4), ippStsNoErr);
    EXPECT_EQ(shifted, (std::array<Ipp32s, 4>{0, 0, 0, 0}));
}

} // namespace
