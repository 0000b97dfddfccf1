// The level axis's settings and tick texts, and the colour list's items.

#include "foundation/HxLock.h"
#include "waterfall/KvLevelAxis.h"
#include "waterfall/KvLevelDisplayColors.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <string>

namespace {

// The decimals the rule asks for, worked out from the span's decade: a span
// m * 10^k (1 <= m < 10) has trunc(log10) = k, or k + 1 for k < 0 and m > 1
// (truncation goes towards zero).
int32_t ExpectedDigits(int32_t APrecision, double AMantissa, int AExponent) {
    const int e = AExponent < 0 && AMantissa > 1 ? AExponent + 1 : AExponent;
    const double span = AMantissa * std::pow(10.0, AExponent);
    return std::max(0, APrecision - (e + 1) + (span < 1 ? 1 : 0));
}

std::string Fixed(double AValue, int32_t ADigits) {
    char text[400];
    const auto r =
        std::to_chars(text, text + sizeof text, AValue, std::chars_format::fixed, ADigits);
    std::string s(text, r.ptr);
    // A text that reads zero carries no sign.
    if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1);
    return s;
}

// Under a German process locale (a comma as separator) the texts keep a point.
class LevelTickTexts : public testing::Test {
protected:
    void SetUp() override {
        FOldLocale = std::setlocale(LC_ALL, nullptr);
        std::setlocale(LC_ALL, "de_DE.utf8");
        FOldQLocale = QLocale();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    void TearDown() override {
        std::setlocale(LC_ALL, FOldLocale.c_str());
        QLocale::setDefault(FOldQLocale);
    }

private:
    std::string FOldLocale;
    QLocale FOldQLocale;
};

TEST_F(LevelTickTexts, PrecisionFollowsTheSpanFromNanoToGiga) {
    EXPECT_EQ(LevelPrecisionDigits(3, false, 0, 1000), 0);
    EXPECT_EQ(LevelPrecisionDigits(3, false, 0, 0.5), 3);
    EXPECT_EQ(LevelPrecisionDigits(3, false, 7, 7), 1); // an empty span counts as below 1
    EXPECT_EQ(LevelPrecisionDigits(0, false, 0, 1e-6), 0);
    EXPECT_EQ(LevelPrecisionDigits(5, true, 0, 1e9), 5);
    for (int k = -9; k <= 9; ++k)
        for (const double m : {1.0, 2.5, 5.0})
            for (const int32_t precision : {1, 3, 6}) {
                const double span = m * std::pow(10.0, k);
                const int32_t digits = ExpectedDigits(precision, m, k);
                SCOPED_TRACE(testing::Message() << "span " << span << " precision " << precision);
                // The sign and the place of the range do not matter, only its width.
                ASSERT_EQ(LevelPrecisionDigits(precision, false, 0, span), digits);
                ASSERT_EQ(LevelPrecisionDigits(precision, false, span, 0), digits);
                ASSERT_EQ(LevelPrecisionDigits(precision, false, -span / 2, span / 2), digits);
                for (const double value : {span / 3, -span / 7, 0.0}) {
                    const QString text = LevelTickText(precision, false, 0, span, value);
                    ASSERT_EQ(text.toStdString(), Fixed(value, digits)) << value;
                }
            }
}

TEST_F(LevelTickTexts, FixedPrecisionKeepsItsDecimalsAndTextsAreTrimmed) {
    EXPECT_EQ(LevelTickText(2, true, 0, 1e9, 1234.5678), QStringLiteral("1234.57"));
    EXPECT_EQ(LevelTickText(0, true, 0, 1e-9, 0.75), QStringLiteral("1"));
    EXPECT_EQ(LevelTickText(3, false, 0, 1000, 499.5), QStringLiteral("500"));
    EXPECT_EQ(LevelTickText(3, false, -0.5, 0, -0.25), QStringLiteral("-0.250"));
}

struct TAxisHost {
    TAxisHost()
        : Owner(MakeOwned<THxPersistent>(static_cast<TPersistent*>(nullptr),
                                         THxLock::Create(nullptr))),
          Axis(MakeOwned<TKvLevelAxis>(Owner.get(), [this](TPersistent*) { ++Changes; })) {}
    TOwned<THxPersistent> Owner;
    int Changes = 0;
    TOwned<TKvLevelAxis> Axis;
};

TEST(LevelAxis, DefaultsAndHeldPrecision) {
    TAxisHost h;
    TKvLevelAxis& a = *h.Axis;
    EXPECT_EQ(a.GetColor(), clWhite);
    EXPECT_EQ(a.GetFont()->Name(), QStringLiteral("Arial"));
    EXPECT_EQ(a.GetFont()->Color(), clWhite);
    EXPECT_EQ(a.GetPrecision(), 3);
    EXPECT_FALSE(a.GetFixedPrecision());
    EXPECT_TRUE(a.GetVisible());
    EXPECT_EQ(a.GetScaleMode(), smLinear);
    EXPECT_TRUE(a.GetAutoscale());
    EXPECT_EQ(a.GetMin(), 0.0);
    EXPECT_EQ(a.GetMax(), 1000.0);
    a.SetPrecision(25);
    EXPECT_EQ(a.GetPrecision(), 18);
    a.SetPrecision(-1);
    EXPECT_EQ(a.GetPrecision(), 0);
    // Every mode but the linear one is logarithmic here.
    a.SetScaleMode(smLogDecascale);
    EXPECT_TRUE(a.IsLogarithmic());
    const int before = h.Changes;
    a.SetScaleMode(smLogDecascale);
    EXPECT_EQ(h.Changes, before) << "an unchanged value reports nothing";
    a.GetFont()->SetUniSize(12);
    EXPECT_GT(h.Changes, before) << "a font change reaches the owner";
}

TEST(LevelAxis, CustomLabelMayReplaceTheText) {
    TAxisHost h;
    TKvLevelAxis& a = *h.Axis;
    EXPECT_EQ(a.CustomTickText(h.Owner.get(), 0, 1000, 250), QStringLiteral("250"));
    TPersistent* sender = nullptr;
    QString seen;
    a.SetOnCustomLabel([&](TPersistent* ASender, double AValue, QString& AText) {
        sender = ASender;
        seen = AText;
        if (AValue > 500)
            a.SetTickText(QStringLiteral("high"));
    });
    EXPECT_EQ(a.CustomTickText(h.Owner.get(), 0, 1000, 750), QStringLiteral("high"));
    EXPECT_EQ(sender, h.Owner.get());
    EXPECT_EQ(seen, QStringLiteral("750"));
    // A handler that does not call SetTickText leaves the text, also after one that did.
    EXPECT_EQ(a.CustomTickText(h.Owner.get(), 0, 1000, 250), QStringLiteral("250"));
    // Or it changes the text it is handed.
    a.SetOnCustomLabel(
        [](TPersistent*, double, QString& AText) { AText += QStringLiteral(" dB"); });
    EXPECT_EQ(a.CustomTickText(h.Owner.get(), 0, 1, 0.5), QStringLiteral("0.50 dB"));
}

TEST(LevelColors, ItemsTakeDefaultColoursAndReportChanges) {
    const TOwned<THxPersistent> owner =
        MakeOwned<THxPersistent>(static_cast<TPersistent*>(nullptr), THxLock::Create(nullptr));
    int changes = 0;
    const TOwned<TKvLevelDisplayColors> colors =
        MakeOwned<TKvLevelDisplayColors>(owner.get(), [&](TPersistent*) { ++changes; });
    colors->Add();
    colors->Add();
    colors->Add();
    EXPECT_EQ(colors->Colors(), (std::vector<TColor>{clBlack, clBlue, clLime}));
    EXPECT_GE(changes, 3);
    const int before = changes;
    colors->Items(0)->SetColor(clLime);
    EXPECT_EQ(changes, before + 1);
    // Black is free again and wins.
    EXPECT_EQ(colors->Add()->GetColor(), clBlack);
    colors->Delete(1);
    EXPECT_EQ(colors->Colors(), (std::vector<TColor>{clLime, clLime, clBlack}));
    EXPECT_EQ(changes, before + 3);
}

} // namespace
