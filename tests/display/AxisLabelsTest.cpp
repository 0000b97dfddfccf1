#include "display/KvAxisLabels.h"
#include "display/KvAxisTicks.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

QString General(int32_t APrecision, double AMin, double AMax, double AValue) {
    return FormatAxisValue(false, APrecision, false, AMin, AMax, AValue);
}

QString Fixed(int32_t APrecision, double AValue) {
    return FormatAxisValue(true, APrecision, false, 0, 1, AValue);
}

QString Scientific(bool AFixed, int32_t APrecision, double AValue) {
    return FormatAxisValue(AFixed, APrecision, true, 0, 1, AValue);
}

// The formatting cases that must read the same under every locale.
void ExpectLocaleFreeTexts() {
    EXPECT_EQ(General(3, 0, 1000, 500), "500");
    EXPECT_EQ(General(3, 0, 0.5, 0.25), "0.250");
    EXPECT_EQ(General(3, -1000, 1000, -250), "-250");
    EXPECT_EQ(General(3, 0, 1, 0.1 + 0.2), "0.30");
    EXPECT_EQ(Fixed(18, 0.1 + 0.2), "0.300000000000000000");
    EXPECT_EQ(Fixed(3, 9.9996), "10.000");
    EXPECT_EQ(Fixed(2, 1234567.891), "1234567.89");
    // Nothing that rounds to zero carries a sign.
    EXPECT_EQ(General(3, 0, 1000, -1e-17), "0");
    EXPECT_EQ(General(3, 0, 1000, -0.0), "0");
    EXPECT_EQ(General(3, 0, 0.5, -0.0001), "0.000");
    EXPECT_EQ(Scientific(true, 2, -0.0), "0.00e+00");
    // Nineteen integer digits and more take an exponent.
    EXPECT_EQ(General(3, 0, 1e300, 1e299), "1E299");
    EXPECT_EQ(General(3, 0, 1e21, -1.5e20), "-1.5E20");
    EXPECT_EQ(Fixed(2, 1.23456e20), "1.23E20");
    EXPECT_EQ(Fixed(0, 123456789012345678.0), "123456789012346000");

    EXPECT_EQ(Scientific(true, 3, 1234.56), "1.235e+03");
    EXPECT_EQ(Scientific(false, 3, 1234.56), "1.234560e+03");
    EXPECT_EQ(Scientific(true, 0, 1234.56), "1e+03");
    EXPECT_EQ(Scientific(true, 2, -0.00012), "-1.20e-04");
    EXPECT_EQ(Scientific(true, 2, 9.996), "1.00e+01");
    EXPECT_EQ(Scientific(false, 3, 0), "0.000000e+00");
    EXPECT_EQ(Scientific(false, 3, 1e-300), "1.000000e-300");
    EXPECT_EQ(Scientific(true, 18, 0.1 + 0.2), "3.000000000000000000e-01");

    EXPECT_EQ(General(3, 0, 1, NaN), "NAN");
    EXPECT_EQ(General(3, 0, 1, Inf), "INF");
    EXPECT_EQ(Scientific(false, 3, -Inf), "-INF");
}

TEST(AxisLabels, PrecisionIsHeldTo0Through18) {
    EXPECT_EQ(KvSoundPrecision(25), 18);
    EXPECT_EQ(KvSoundPrecision(-1), 0);
    EXPECT_EQ(KvSoundPrecision(7), 7);
    // Formatting clamps what it is given too.
    EXPECT_EQ(Fixed(25, 0.5), "0.500000000000000000");
    EXPECT_EQ(Fixed(-1, 0.5), "1");
}

TEST(AxisLabels, GeneralDecimalsFollowTheSpan) {
    // 3 - (trunc(log10(1000)) + 1) is below 0.
    EXPECT_EQ(KvGeneralDecimals(false, 3, 0, 1000), 0);
    // 3 - (trunc(-0.30) + 1) + 1.
    EXPECT_EQ(KvGeneralDecimals(false, 3, 0, 0.5), 3);
    EXPECT_EQ(KvGeneralDecimals(false, 3, 0, 1), 2);
    EXPECT_EQ(KvGeneralDecimals(false, 3, -0.005, 0.005), 5);
    EXPECT_EQ(KvGeneralDecimals(true, 5, 0, 1000), 5);
    EXPECT_EQ(KvGeneralDecimals(false, 0, 0, 0.001), 0);
    EXPECT_EQ(KvGeneralDecimals(false, 25, 0, 1), 17);
    // Degenerate spans: one decimal for an empty one, none for an infinite
    // one, and never more than 18.
    EXPECT_EQ(KvGeneralDecimals(false, 3, 5, 5), 1);
    EXPECT_EQ(KvGeneralDecimals(false, 3, 0, Inf), 0);
    EXPECT_EQ(KvGeneralDecimals(false, 3, NaN, 1), 0);
    EXPECT_EQ(KvGeneralDecimals(false, 3, 0, 1e-300), 18);
    EXPECT_EQ(KvGeneralDecimals(false, 3, -1e300, 1e300), 0);
}

TEST(AxisLabels, TextsAreTheSameInEveryLocale) {
    ExpectLocaleFreeTexts();
}

TEST(AxisLabels, TextsAreTheSameUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    const QLocale previousQt;
    const bool cLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr ||
                         std::setlocale(LC_ALL, "de_DE.utf8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(QLocale().toString(1.5), "1,5");
    if (cLocale) {
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 1.5);
        EXPECT_STREQ(text, "1,5");
    } else {
        ADD_FAILURE() << "no German C locale installed; only Qt's default locale was changed";
    }
    ExpectLocaleFreeTexts();
    QLocale::setDefault(previousQt);
    std::setlocale(LC_ALL, previous.c_str());
}

// The exact decimal text of AMultiple x AMantissa x 10^AExponent with
// ADecimals decimals (at least -AExponent).
std::string ExactText(long long AMultiple, long long AMantissa, int AExponent, int ADecimals) {
    const long long n = AMultiple * AMantissa;
    std::string digits = std::to_string(n < 0 ? -n : n);
    if (AExponent >= 0) {
        if (n != 0)
            digits += std::string(std::size_t(AExponent), '0');
        return (n < 0 ? "-" : "") + digits +
               (ADecimals > 0 ? "." + std::string(std::size_t(ADecimals), '0') : "");
    }
    const std::size_t fraction = std::size_t(-AExponent);
    if (digits.size() <= fraction)
        digits = std::string(fraction - digits.size() + 1, '0') + digits;
    std::string text = (n < 0 ? "-" : "") + digits.substr(0, digits.size() - fraction);
    if (ADecimals > 0)
        text += "." + digits.substr(digits.size() - fraction) +
                std::string(std::size_t(ADecimals) - fraction, '0');
    return text;
}

// Every tick of a pass prints as the exact multiple of its step, at any
// number of decimals the format allows.
TEST(AxisLabels, TickLabelsPrintExactMultiplesOfTheStep) {
    std::mt19937 random(1729);
    const long long mantissas[] = {1, 2, 25, 5};
    for (int n = 0; n < 400; ++n) {
        const int index = int(random() % 4);
        // 2.5 x 10^e is 25 x 10^(e-1).
        const int exponent = int(random() % 13) - 8 - (index == 2 ? 1 : 0);
        const long long mantissa = mantissas[index];
        const double step = std::stod(std::to_string(mantissa) + "e" + std::to_string(exponent));
        const long long first = (long long)(random() % 2001) - 1000;
        const long long count = 3 + (long long)(random() % 40);
        const TKvAxisRange range{double(first) * step, double(first + count) * step};
        TKvTickPassInput pass;
        pass.Range = range;
        pass.Step = step;
        pass.Mapping = KvGetPixelMapping(range, 1920, false, true);
        pass.Start = 0;
        pass.End = 1920;
        const int decimals = std::max(-exponent, 0) + int(random() % 4);
        ASSERT_LE(decimals, KvMaxAxisPrecision);
        for (const TKvAxisTick& tick : KvTickPass(pass)) {
            if (tick.Minor)
                continue;
            const long long k = std::llround(tick.Value / step);
            EXPECT_EQ(FormatAxisValue(true, decimals, false, range.Min, range.Max, tick.Value)
                          .toStdString(),
                      ExactText(k, mantissa, exponent, decimals))
                << "step " << step << " value " << tick.Value;
        }
    }
}

} // namespace
