#include "display/KvAxisLabels.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int SignificantDigits = 15;
// More integer digits than this are written with an exponent.
constexpr int MaxFixedDigits = 18;

// Negative? -0.Digits x 10^Point : 0.Digits x 10^Point. Digits has neither
// leading nor trailing zeros; zero has none at all.
struct TDecimal {
    bool Negative = false;
    std::string Digits;
    int Point = 0;
};

void StripTrailingZeros(TDecimal& ADecimal) {
    const auto last = ADecimal.Digits.find_last_not_of('0');
    ADecimal.Digits.erase(last == std::string::npos ? 0 : last + 1);
}

TDecimal FromDouble(double AValue) {
    TDecimal d;
    d.Negative = std::signbit(AValue);
    if (AValue == 0)
        return d;
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, std::fabs(AValue),
                                      std::chars_format::scientific, SignificantDigits - 1);
    const std::string s(text, result.ptr);
    const auto e = s.find('e');
    d.Digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.Point = std::stoi(s.substr(e + 1)) + 1;
    StripTrailingZeros(d);
    return d;
}

// Keeps AKeep leading digits, rounding half away from zero.
void KeepDigits(TDecimal& ADecimal, int AKeep) {
    std::string& digits = ADecimal.Digits;
    if (AKeep >= static_cast<int>(digits.size()))
        return;
    if (AKeep < 0) {
        digits.clear();
        return;
    }
    const bool up = digits[static_cast<std::size_t>(AKeep)] >= '5';
    digits.resize(static_cast<std::size_t>(AKeep));
    if (up) {
        auto i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
            ++ADecimal.Point;
        } else {
            ++digits[i - 1];
        }
    }
    StripTrailingZeros(ADecimal);
}

char DigitAt(const TDecimal& ADecimal, int AIndex) {
    if (AIndex < 0 || AIndex >= static_cast<int>(ADecimal.Digits.size()))
        return '0';
    return ADecimal.Digits[static_cast<std::size_t>(AIndex)];
}

std::string Sign(const TDecimal& ADecimal) {
    return ADecimal.Negative && !ADecimal.Digits.empty() ? "-" : "";
}

// "%.<ADecimals>f", or mantissa "E" exponent for very large values; a
// non-negative AMantissaDecimals cuts that mantissa.
std::string Fixed(double AValue, int ADecimals, int AMantissaDecimals) {
    TDecimal d = FromDouble(AValue);
    KeepDigits(d, d.Point + ADecimals);
    if (d.Point > MaxFixedDigits) {
        std::string mantissa = d.Digits.substr(1);
        if (AMantissaDecimals >= 0 && static_cast<int>(mantissa.size()) > AMantissaDecimals)
            mantissa.resize(static_cast<std::size_t>(AMantissaDecimals));
        return Sign(d) + d.Digits.substr(0, 1) + (mantissa.empty() ? "" : "." + mantissa) + "E" +
               std::to_string(d.Point - 1);
    }
    std::string text = Sign(d);
    if (d.Point <= 0)
        text += '0';
    for (int i = 0; i < d.Point; ++i)
        text += DigitAt(d, i);
    if (ADecimals > 0) {
        text += '.';
        for (int i = 0; i < ADecimals; ++i)
            text += DigitAt(d, d.Point + i);
    }
    return text;
}

// "%.<ADecimals>e": one digit, the decimals, "e", a sign and two or more
// exponent digits.
std::string Scientific(double AValue, int ADecimals) {
    TDecimal d = FromDouble(AValue);
    KeepDigits(d, ADecimals + 1);
    std::string text = Sign(d);
    text += DigitAt(d, 0);
    if (ADecimals > 0) {
        text += '.';
        for (int i = 1; i <= ADecimals; ++i)
            text += DigitAt(d, i);
    }
    const int exponent = d.Digits.empty() ? 0 : d.Point - 1;
    const std::string digits = std::to_string(std::abs(exponent));
    text += exponent < 0 ? "e-" : "e+";
    if (digits.size() < 2)
        text += '0';
    return text + digits;
}

} // namespace

int32_t KvSoundPrecision(int32_t AValue) {
    return std::clamp(AValue, 0, KvMaxAxisPrecision);
}

int32_t KvGeneralDecimals(bool AFixedPrecision, int32_t APrecision, double AMin, double AMax) {
    const int32_t precision = KvSoundPrecision(APrecision);
    if (AFixedPrecision)
        return precision;
    if (precision <= 0)
        return 0;
    const long double span = std::fabs(static_cast<long double>(AMax) - AMin);
    if (!std::isfinite(span))
        return 0;
    long double decimals = 0;
    if (span != 0) {
        // The double nearest to 0.01 is a little above it; its decade is -2.
        long double decade = std::log10(span);
        const long double nearest = std::nearbyint(decade);
        decade = std::fabs(decade - nearest) < 1e-12L ? nearest : std::trunc(decade);
        decimals = precision - (decade + 1);
    }
    if (span < 1)
        decimals += 1;
    return static_cast<int32_t>(std::clamp<long double>(decimals, 0, KvMaxAxisPrecision));
}

QString FormatAxisValue(bool AFixedPrecision, int32_t APrecision, bool AScientific, double AMin,
                        double AMax, double AValue) {
    if (std::isnan(AValue))
        return QStringLiteral("NAN");
    if (std::isinf(AValue))
        return AValue > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const int32_t precision = KvSoundPrecision(APrecision);
    std::string text;
    if (AScientific)
        text = Scientific(AValue, AFixedPrecision ? precision : 6);
    else
        text = Fixed(AValue, KvGeneralDecimals(AFixedPrecision, precision, AMin, AMax),
                     AFixedPrecision ? precision : -1);
    return QString::fromLatin1(text);
}
