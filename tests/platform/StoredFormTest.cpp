#include "TestComponents.h"

#include "platform/ClassRegistry.h"
#include "platform/Exceptions.h"
#include "platform/PublishedProperties.h"
#include "platform/StoredForm.h"
#include "platform/StoredFormLexer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

class StoredFormTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

bool SameBits(double A, double B) {
    return std::memcmp(&A, &B, sizeof A) == 0;
}

// Compares every published, stored property of A and B, recursing into
// sub-objects and collection items; references compare by name.
void ExpectSamePublished(QObject* A, QObject* B, const std::string& APath) {
    ASSERT_EQ(std::string(A->metaObject()->className()), std::string(B->metaObject()->className()))
        << APath;
    for (const QMetaProperty& prop : PublishedProperties(*A->metaObject())) {
        if (!prop.isStored())
            continue;
        const std::string path = APath + "." + prop.name();
        const QVariant va = prop.read(A);
        const QVariant vb = prop.read(B);
        if (IsObjectProperty(prop)) {
            QObject* oa = va.value<QObject*>();
            QObject* ob = vb.value<QObject*>();
            ASSERT_EQ(oa == nullptr, ob == nullptr) << path;
            if (!oa)
                continue;
            if (auto* ca = qobject_cast<TComponent*>(oa)) {
                EXPECT_EQ(ca->GetName(), qobject_cast<TComponent*>(ob)->GetName()) << path;
            } else if (auto* la = qobject_cast<TCollection*>(oa)) {
                auto* lb = qobject_cast<TCollection*>(ob);
                ASSERT_EQ(la->Count(), lb->Count()) << path;
                for (int i = 0; i < la->Count(); ++i)
                    ExpectSamePublished(la->Items(i), lb->Items(i),
                                        path + "[" + std::to_string(i) + "]");
            } else {
                ExpectSamePublished(oa, ob, path);
            }
        } else if (IsFloatProperty(prop)) {
            EXPECT_TRUE(SameBits(va.toDouble(), vb.toDouble()))
                << path << ": " << va.toDouble() << " vs " << vb.toDouble();
        } else {
            EXPECT_EQ(va, vb) << path;
        }
    }
}

const QString NonAscii = QStringLiteral(
    "Say \"hi\", it's 'quoted' \u2013 Gr\u00FC\u00DFe \u65E5\u672C \U0001F600\ttab\r\nnext");

TOwned<TTestForm> MakeSample() {
    auto form = MakeOwned<TTestForm>(nullptr);
    form->SetName(QStringLiteral("Form1"));
    form->SetCaption(NonAscii);
    form->SetLeft(-5);
    form->SetColor(RGBColor(1, 2, 3));
    form->SetVisible(true);
    form->SetLines({QStringLiteral("a"), QStringLiteral("b'c"), QString()});
    TTestAxis* axis = form->GetAxis();
    axis->SetAlign(taRight);
    axis->SetSamples(256);
    axis->SetStep(0.0);
    axis->SetSingleStep(0.0f);
    axis->SetTitle(QStringLiteral("T"));
    axis->SetLetter(QChar(0x00E9));
    axis->SetI8(INT8_MIN);
    axis->SetU8(UINT8_MAX);
    axis->SetI16(INT16_MIN);
    axis->SetU16(UINT16_MAX);
    axis->SetU32(UINT32_MAX);
    axis->SetI64(INT64_MIN);
    axis->SetU64(UINT64_MAX);
    axis->SetHidden(7);
    axis->GetRange()->SetLow(0.0);
    axis->GetRange()->SetHigh(-0.0);
    axis->GetRange()->SetEnabled(false);
    axis->GetFont()->SetName(QStringLiteral("Liberation Sans"));
    axis->GetFont()->SetHeight(-13);
    axis->GetFont()->SetColor(clRed);
    axis->GetFont()->SetStyle(fsBold | fsItalic);
    const double positions[] = {0.0, 5e-324, DBL_MAX, -0.1, DBL_MIN};
    for (double p : positions) {
        auto* m = static_cast<TTestMarker*>(form->GetMarkers()->Add());
        m->SetCaption(QStringLiteral("m%1").arg(m->Index()));
        m->SetPosition(p);
        m->SetAlign(taLeft);
        m->GetFont()->SetHeight(-20 - m->Index());
    }
    auto* child1 = new TTestChild(form.get());
    child1->SetName(QStringLiteral("Child1"));
    child1->SetValue(3);
    auto* panel = new TTestPanel(form.get());
    panel->SetName(QStringLiteral("Panel1"));
    auto* control = new TTestControl(form.get());
    control->SetName(QStringLiteral("Ctl1"));
    control->SetParentComponent(panel);
    control->SetValue(-1);
    auto* child2 = new TTestGrandChild(form.get());
    child2->SetName(QStringLiteral("Child2"));
    child1->SetBuddy(child2); // refers forward: resolved after loading
    control->SetBuddy(child1);
    form->SetBuddy(child2);
    return form;
}

TEST_F(StoredFormTest, RoundTripRestoresEveryStoredPropertyAndIsStable) {
    auto form = MakeSample();
    const QString text = ComponentToText(form.get());
    // A design-time expander entry is published but holds nothing to store.
    EXPECT_TRUE(
        FindPublishedProperty(TTestAxis::staticMetaObject, QStringLiteral("_Range")).isValid());
    EXPECT_FALSE(text.contains(QStringLiteral("_Range")));
    const int liveBefore = TTestChild::Live;
    TOwned<TComponent> read = CreateComponentFromText(text);
    auto* copy = qobject_cast<TTestForm*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(TTestChild::Live, liveBefore + 4);

    ExpectSamePublished(form.get(), copy, "Form1");
    // The values that are easiest to lose, checked directly.
    EXPECT_EQ(copy->GetName(), QStringLiteral("Form1"));
    EXPECT_EQ(copy->GetCaption(), NonAscii);
    EXPECT_EQ(copy->GetColor(), RGBColor(1, 2, 3));
    EXPECT_EQ(copy->GetLines(),
              (QStringList{QStringLiteral("a"), QStringLiteral("b'c"), QString()}));
    TTestAxis* axis = copy->GetAxis();
    EXPECT_EQ(axis->GetStep(), 0.0);
    EXPECT_EQ(axis->GetSingleStep(), 0.0f);
    EXPECT_EQ(axis->GetRange()->GetLow(), 0.0);
    EXPECT_TRUE(std::signbit(axis->GetRange()->GetHigh()));
    EXPECT_EQ(axis->GetAlign(), taRight);
    EXPECT_EQ(axis->GetU64(), UINT64_MAX);
    EXPECT_EQ(axis->GetI64(), INT64_MIN);
    EXPECT_EQ(axis->GetHidden(), 0); // not stored
    EXPECT_EQ(axis->GetFont()->GetStyle(), fsBold | fsItalic);
    ASSERT_EQ(copy->GetMarkers()->Count(), 5);
    EXPECT_EQ(static_cast<TTestMarker*>(copy->GetMarkers()->Items(0))->GetPosition(), 0.0);
    EXPECT_EQ(static_cast<TTestMarker*>(copy->GetMarkers()->Items(1))->GetPosition(), 5e-324);
    EXPECT_EQ(static_cast<TTestMarker*>(copy->GetMarkers()->Items(2))->GetPosition(), DBL_MAX);

    ASSERT_EQ(copy->ComponentCount(), 4);
    auto* child1 = qobject_cast<TTestChild*>(copy->FindComponent(QStringLiteral("Child1")));
    auto* panel = qobject_cast<TTestPanel*>(copy->FindComponent(QStringLiteral("Panel1")));
    auto* control = qobject_cast<TTestControl*>(copy->FindComponent(QStringLiteral("Ctl1")));
    auto* child2 = qobject_cast<TTestGrandChild*>(copy->FindComponent(QStringLiteral("Child2")));
    ASSERT_TRUE(child1 && panel && control && child2);
    EXPECT_EQ(control->Parent, panel);
    EXPECT_EQ(control->GetValue(), -1);
    EXPECT_EQ(child1->GetBuddy(), child2);
    EXPECT_EQ(control->GetBuddy(), child1);
    EXPECT_EQ(copy->GetBuddy(), child2);

    // Loaded ran once per component, while csLoading was still set.
    EXPECT_EQ(copy->LoadedCalls, 1);
    for (TTestChild* c : {child1, static_cast<TTestChild*>(panel),
                          static_cast<TTestChild*>(control), static_cast<TTestChild*>(child2)}) {
        EXPECT_EQ(c->LoadedCalls, 1);
        EXPECT_TRUE(c->SawLoadingInLoaded);
        EXPECT_FALSE(c->ComponentState().testFlag(csLoading));
        EXPECT_FALSE(c->ComponentState().testFlag(csReading));
    }

    EXPECT_EQ(ComponentToText(copy), text);
}

TEST_F(StoredFormTest, WriterLeavesOutDefaultNotStoredAndReadOnlyValues) {
    auto form = MakeOwned<TTestForm>(nullptr);
    form->SetName(QStringLiteral("Form1"));
    // Ordinals without a declared default are always written; floats are
    // written unless 0; strings and 64-bit integers unless empty or 0.
    const QString expected = QStringLiteral("object Form1: TTestForm\n"
                                            "  Left = 0\n"
                                            "  Color = clBtnFace\n"
                                            "  Visible = False\n"
                                            "  Axis.Range.Low = -1000.0\n"
                                            "  Axis.Range.High = 1000.0\n"
                                            "  Axis.Step = 10.0\n"
                                            "  Axis.SingleStep = 0.5\n"
                                            "  Axis.I8 = 0\n"
                                            "  Axis.U8 = 0\n"
                                            "  Axis.I16 = 0\n"
                                            "  Axis.U16 = 0\n"
                                            "  Axis.U32 = 0\n"
                                            "  Markers = <>\n"
                                            "end\n");
    EXPECT_EQ(ComponentToText(form.get()), expected);
}

TEST_F(StoredFormTest, ZeroFloatsAndCollectionsHaveTheirWrittenForm) {
    auto form = MakeOwned<TTestForm>(nullptr);
    form->SetName(QStringLiteral("F"));
    form->GetAxis()->GetRange()->SetLow(0.0);
    form->GetAxis()->GetRange()->SetHigh(-0.0);
    auto* m = static_cast<TTestMarker*>(form->GetMarkers()->Add());
    m->SetCaption(QStringLiteral("It's"));
    m->SetPosition(0.0);
    form->GetMarkers()->Add();
    const QString text = ComponentToText(form.get());
    EXPECT_TRUE(text.contains(QStringLiteral("\n  Axis.Range._Floats = ((Low 0.0) (High -0.0))\n")))
        << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Axis.Range.Low"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("  Markers = <\n"
                                             "    item\n"
                                             "      Caption = 'It''s'\n"
                                             "      Align = taNone\n"
                                             "      _Floats = ((Position 0.0))\n"
                                             "    end\n"
                                             "    item\n"
                                             "      Position = 1.0\n"
                                             "      Align = taNone\n"
                                             "    end>\n")))
        << text.toStdString();
    // The compatibility property is read but never written.
    EXPECT_FALSE(text.contains(QStringLiteral("MinMax")));
}

TEST_F(StoredFormTest, ReaderTakesHandWrittenValuesAndCompatibilityProperties) {
    auto form = MakeOwned<TTestForm>(nullptr);
    ReadComponentFromText(
        QStringLiteral("OBJECT Main : TTestForm\n"
                       "  caption = 'a'#39'b'#13#10'\u00E9'\n"
                       "  Color = clWindowText\n"
                       "  Left = +42\n"
                       "  Axis.MinMax = (-1.5 2)\n"
                       "  Axis.Range._Floats = ((Nope 1.0) (Enabled 0.0) (High 0))\n"
                       "  Axis.Font.Style = [fsUnderline, fsBold]\n"
                       "  Axis.Step = 1e-07\n"
                       "  Axis.SingleStep = -Inf\n"
                       "  Buddy = nil\n"
                       "END\n"),
        form.get());
    EXPECT_EQ(form->GetName(), QStringLiteral("Main"));
    EXPECT_EQ(form->GetCaption(), QStringLiteral("a'b\r\n\u00E9"));
    EXPECT_EQ(form->GetColor(), clWindowText);
    EXPECT_EQ(form->GetLeft(), 42);
    EXPECT_EQ(form->GetAxis()->GetRange()->GetLow(), -1.5);
    // _Floats skips names that are missing or not floating-point.
    EXPECT_EQ(form->GetAxis()->GetRange()->GetHigh(), 0.0);
    EXPECT_TRUE(form->GetAxis()->GetRange()->GetEnabled());
    EXPECT_EQ(form->GetAxis()->GetFont()->GetStyle(), fsUnderline | fsBold);
    EXPECT_EQ(form->GetAxis()->GetStep(), 1e-07);
    EXPECT_EQ(form->GetAxis()->GetSingleStep(), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(form->LoadedCalls, 1);
}

TEST_F(StoredFormTest, FloatTextIsShortestAndExact) {
    EXPECT_EQ(FloatToStoredText(-0.0), QStringLiteral("-0.0"));
    EXPECT_EQ(FloatToStoredText(1.0), QStringLiteral("1.0"));
    EXPECT_EQ(FloatToStoredText(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(FloatToStoredText(1e-07), QStringLiteral("1e-07"));
    EXPECT_EQ(FloatToStoredText(5e-324), QStringLiteral("5e-324"));
    EXPECT_EQ(FloatToStoredText(DBL_MAX), QStringLiteral("1.7976931348623157e+308"));
    EXPECT_EQ(FloatToStoredText(std::nan("")), QStringLiteral("NaN"));
    EXPECT_EQ(FloatToStoredText(-HUGE_VAL), QStringLiteral("-Inf"));
    EXPECT_EQ(FloatToStoredText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(FloatToStoredText(-0.0f), QStringLiteral("-0.0"));
    EXPECT_EQ(FloatToStoredText(FLT_MAX), QStringLiteral("3.4028235e+38"));

    // Doubles of every exponent read back bit for bit.
    auto form = MakeOwned<TTestForm>(nullptr);
    uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 2000; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        double value = 0;
        std::memcpy(&value, &state, sizeof value);
        if (!std::isfinite(value))
            continue;
        form->GetAxis()->SetStep(value);
        const float single =
            static_cast<float>(std::ldexp(static_cast<double>(state >> 40), -12 - i % 100));
        form->GetAxis()->SetSingleStep(single);
        auto copy = MakeOwned<TTestForm>(nullptr);
        ReadComponentFromText(ComponentToText(form.get()), copy.get());
        ASSERT_TRUE(SameBits(copy->GetAxis()->GetStep(), value))
            << FloatToStoredText(value).toStdString();
        ASSERT_EQ(copy->GetAxis()->GetSingleStep(), single)
            << FloatToStoredText(single).toStdString();
    }
}

TEST_F(StoredFormTest, StringTextQuotesAndEscapes) {
    EXPECT_EQ(StringToStoredText(QString()), QStringLiteral("''"));
    EXPECT_EQ(StringToStoredText(QStringLiteral("It's")), QStringLiteral("'It''s'"));
    EXPECT_EQ(StringToStoredText(QStringLiteral("a\tb")), QStringLiteral("'a'#9'b'"));
    EXPECT_EQ(StringToStoredText(QStringLiteral("\n")), QStringLiteral("#10"));
    EXPECT_EQ(StringToStoredText(QStringLiteral("\u00FC")), QStringLiteral("'\u00FC'"));
    // An unpaired surrogate survives as a character code.
    const QString lone = QString(QChar(0xD800)) + QStringLiteral("x");
    EXPECT_EQ(StringToStoredText(lone), QStringLiteral("#55296'x'"));
    auto form = MakeOwned<TTestForm>(nullptr);
    form->SetCaption(lone);
    auto copy = MakeOwned<TTestForm>(nullptr);
    ReadComponentFromText(ComponentToText(form.get()), copy.get());
    EXPECT_EQ(copy->GetCaption(), lone);
}

struct TBadForm {
    const char* Text;
    int Line;
    const char* What;
};

class BadStoredFormTest : public ::testing::TestWithParam<TBadForm> {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

TEST_P(BadStoredFormTest, NamesTheLineAndLeavesNothingBehind) {
    const TBadForm& bad = GetParam();
    const int liveBefore = TTestChild::Live;
    auto form = MakeOwned<TTestForm>(nullptr);
    try {
        ReadComponentFromText(QString::fromUtf8(bad.Text), form.get());
        FAIL() << "no error for:\n" << bad.Text;
    } catch (const EReadError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("Line " + std::to_string(bad.Line) + ": ", 0), 0u) << message;
        EXPECT_NE(message.find(bad.What), std::string::npos) << message;
    }
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(TTestChild::Live, liveBefore);
    EXPECT_FALSE(form->ComponentState().testFlag(csLoading));
    EXPECT_FALSE(form->ComponentState().testFlag(csReading));
    EXPECT_EQ(form->LoadedCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Errors, BadStoredFormTest,
    ::testing::Values(
        TBadForm{"object F: TTestForm\n  object C1: TTestChild\n  end\n  object X: TNoSuch\n  "
                 "end\nend\n",
                 4, "Class TNoSuch not found"},
        TBadForm{"object F: TTestForm\n  object C1: TTestChild\n    Nope = 1\n  end\nend\n", 3,
                 "Property Nope does not exist in TTestChild"},
        TBadForm{"object F: TTestForm\n  Axis.Font.Nope = 1\nend\n", 2,
                 "Property Axis.Font.Nope does not exist"},
        TBadForm{"object F: TTestForm\n  Left = 'abc'\nend\n", 2,
                 "Invalid value for property Left: an integer expected"},
        TBadForm{"object F: TTestForm\n  Visible = 1\nend\n", 2, "True or False expected"},
        TBadForm{"object F: TTestForm\n  Axis.Align = taMiddle\nend\n", 2,
                 "a value of TTestAlign expected"},
        TBadForm{"object F: TTestForm\n  Axis.U8 = 256\nend\n", 2,
                 "Value 256 out of range for property U8"},
        TBadForm{"object F: TTestForm\n  Axis.I8 = -129\nend\n", 2, "out of range"},
        TBadForm{"object F: TTestForm\n  Axis.Step = 'x'\nend\n", 2, "a number expected"},
        TBadForm{"object F: TTestForm\n  Axis.SingleStep = 1e300\nend\n", 2, "out of range"},
        TBadForm{"object F: TTestForm\n  Axis.Step = 1e999\nend\n", 2, "Number out of range"},
        TBadForm{"object F: TTestForm\n  Axis = 1\nend\n", 2, "Property Axis is an object"},
        TBadForm{"object F: TTestForm\n  Left.X = 1\nend\n", 2,
                 "Property Left of TTestForm holds no object"},
        TBadForm{"object F: TTestForm\n  Axis.Computed = 1\nend\n", 2,
                 "Property Computed is read-only"},
        TBadForm{"object F: TTestForm\n  object C1: TTestChild\n    Value = 1\n", 4,
                 "Unexpected end of text"},
        TBadForm{"object F: TTestForm\n  Caption = 'abc\nend\n", 2, "Unterminated string"},
        TBadForm{"object F: TTestForm\n  Lines = ('a' 'b'\nend\n", 3,
                 "a string or ')' expected but 'end' found"},
        TBadForm{"object F: TTestForm\n  Markers = <\n    item\n    end\n", 5,
                 "'item' or '>' expected but end of text"},
        TBadForm{"object F: TTestForm\n  Markers = <\n    item\n      Position = 1\n", 5,
                 "'end' expected"},
        TBadForm{"object F: TTestForm\n  Axis.Range._Floats = ((Low 'x'))\nend\n", 2,
                 "Number expected"},
        TBadForm{"object F: TTestForm\n  Axis.Range._Floats = ((Low 1.0)\nend\n", 3,
                 "'(' expected but 'end' found"},
        TBadForm{"object F: TTestForm\nend\nend\n", 3, "Text after the final 'end'"},
        TBadForm{"object F: TTestForm\n  object C1: TTestChild\n  end\n  object C1: TTestChild\n  "
                 "end\nend\n",
                 4, "A component named C1 already exists"},
        TBadForm{"object F: TTestForm\n  object C1: TTestChild\n    Buddy = Ghost\n  end\nend\n", 3,
                 "Component Ghost not found"},
        TBadForm{
            "object F: TTestForm\n  object C1: TTestChild\n  end\n  Buddy = C1\n  Left = 1\nend\n",
            4, "'object' or 'end' expected"},
        TBadForm{"object F: TTestChild\nend\n", 1,
                 "Class TTestChild does not match the class TTestForm"},
        TBadForm{"object F: TTestForm\n  Left = 1 ; \nend\n", 2, "Invalid character ';'"},
        TBadForm{"object F: TTestForm\n  Left = 1x\nend\n", 2, "Invalid number '1x'"},
        TBadForm{"object F: TTestForm\n  Axis.Letter = 'ab'\nend\n", 2,
                 "a string of one character expected"},
        TBadForm{"", 1, "'object' expected but end of text found"}),
    [](const ::testing::TestParamInfo<TBadForm>& AInfo) {
        std::string name = std::to_string(AInfo.index) + "_";
        for (const char* p = AInfo.param.What; *p && name.size() < 40; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p)))
                name += *p;
        return name;
    });

TEST_F(StoredFormTest, NestingIsBounded) {
    QString text = QStringLiteral("object F: TTestForm\n");
    for (int i = 0; i < 300; ++i)
        text += QStringLiteral("object C%1: TTestChild\n").arg(i);
    const int liveBefore = TTestChild::Live;
    auto form = MakeOwned<TTestForm>(nullptr);
    try {
        ReadComponentFromText(text, form.get());
        FAIL() << "no error";
    } catch (const EReadError& e) {
        // The 201st nested object starts on line 202.
        EXPECT_STREQ(e.what(), "Line 202: Nesting deeper than 200 levels");
    }
    EXPECT_EQ(TTestChild::Live, liveBefore);
    EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(StoredFormTest, CreateFromTextFreesEverythingOnError) {
    const int liveBefore = TTestChild::Live;
    EXPECT_THROW(CreateComponentFromText(QStringLiteral(
                     "object C: TTestPanel\n  object D: TTestChild\n  end\n  Value = x\nend")),
                 EReadError);
    EXPECT_EQ(TTestChild::Live, liveBefore);
    EXPECT_THROW(CreateComponentFromText(QStringLiteral("object C: TUnknown\nend")), EReadError);
}

TEST_F(StoredFormTest, FileReadingReportsMissingFile) {
    auto form = MakeOwned<TTestForm>(nullptr);
    EXPECT_THROW(ReadComponentFromFile(QStringLiteral("/nonexistent/form.txt"), form.get()),
                 EFOpenError);
}

} // namespace
