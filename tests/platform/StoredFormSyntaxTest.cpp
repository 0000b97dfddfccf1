// The fuller text syntax of form files: string continuation, binary data,
// inherited and inline blocks, child order, unnamed objects, encodings and
// the syntax-only check.
#include "TestComponents.h"

#include "platform/Exceptions.h"
#include "platform/StoredForm.h"
#include "platform/StoredFormLexer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cfloat>
#include <cmath>
#include <string>

namespace {

class StoredFormSyntaxTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

// The EReadError message of reading AText into a new form ("" when it reads).
std::string ReadError(const QString& AText) {
    auto form = MakeOwned<TTestForm>(nullptr);
    try {
        ReadComponentFromText(AText, form.get());
    } catch (const EReadError& e) {
        return e.what();
    }
    return std::string();
}

std::string BytesError(const QByteArray& ABytes, const QString& ACodePage = QString()) {
    try {
        StoredFormTextFromBytes(ABytes, ACodePage);
    } catch (const EReadError& e) {
        return e.what();
    }
    return std::string();
}

TEST_F(StoredFormSyntaxTest, NumbersAtTheVeryStartAreRefusedWithTheReadersError) {
    // The lexer used to look at the character before the first one.
    for (const char* text : {"1", "12", "-", "+", "1e", "-1"}) {
        const std::string message = ReadError(QString::fromLatin1(text));
        EXPECT_EQ(message.rfind("Line 1: ", 0), 0u) << text << ": " << message;
        EXPECT_THROW(CreateComponentFromText(QString::fromLatin1(text)), EReadError) << text;
    }
    EXPECT_EQ(ReadError(QStringLiteral("1")), "Line 1: 'object' expected but integer 1 found");
    EXPECT_EQ(ReadError(QStringLiteral("+")), "Line 1: '+' is only accepted between two strings");
}

TEST_F(StoredFormSyntaxTest, EveryFloatTheWriterWritesReadsBack) {
    auto form = MakeOwned<TTestForm>(nullptr);
    for (float value : {FLT_MAX, -FLT_MAX, FLT_MIN, -FLT_TRUE_MIN, 16777217.0f}) {
        form->GetAxis()->SetSingleStep(value);
        auto copy = MakeOwned<TTestForm>(nullptr);
        ReadComponentFromText(ComponentToText(form.get()), copy.get());
        EXPECT_EQ(copy->GetAxis()->GetSingleStep(), value)
            << FloatToStoredText(value).toStdString();
    }
    // The text is rounded once, to the nearest float: just below halfway
    // between FLT_MAX and 2^128 is FLT_MAX, halfway and above overflow.
    auto read = [](const char* AText) {
        auto copy = MakeOwned<TTestForm>(nullptr);
        ReadComponentFromText(QStringLiteral("object F: TTestForm\n  Axis.SingleStep = %1\nend\n")
                                  .arg(QLatin1String(AText)),
                              copy.get());
        return copy->GetAxis()->GetSingleStep();
    };
    EXPECT_EQ(read("3.4028235677973366e+38"), FLT_MAX);
    EXPECT_EQ(read("-3.4028235677973366e+38"), -FLT_MAX);
    // Through a double this one would land on halfway and overflow.
    EXPECT_EQ(read("3.40282356779733661e+38"), FLT_MAX);
    EXPECT_EQ(read("1e-50"), 0.0f);
    EXPECT_EQ(read("Inf"), HUGE_VALF);
    for (const char* text :
         {"3.4028235677973367e+38", "340282356779733661637539395458142568448", "-3.5e+38", "1e39"})
        EXPECT_EQ(ReadError(QStringLiteral("object F: TTestForm\n  Axis.SingleStep = %1\nend\n")
                                .arg(QLatin1String(text))),
                  "Line 2: Value " + std::string(text) + " out of range for property SingleStep");
}

TEST_F(StoredFormSyntaxTest, StringsContinueWithPlusAndLongOnesAreWrittenThatWay) {
    auto form = MakeOwned<TTestForm>(nullptr);
    ReadComponentFromText(QStringLiteral("object F: TTestForm\n"
                                         "  Caption = 'first part' +\n"
                                         "    ' second'#13#10 +   #$41'b'\n"
                                         "  Lines = (\n"
                                         "    'a' + 'b'\n"
                                         "    'c')\n"
                                         "end\n"),
                          form.get());
    EXPECT_EQ(form->GetCaption(), QStringLiteral("first part second\r\nAb"));
    EXPECT_EQ(form->GetLines(), (QStringList{QStringLiteral("ab"), QStringLiteral("c")}));

    // 150 characters with a surrogate pair across the first 64-unit boundary.
    QString caption = QString(63, u'x') + QStringLiteral("\U0001F600") + QString(70, u'y') +
                      QStringLiteral("'") + QString(14, u'z');
    form->SetCaption(caption);
    form->SetLines({caption});
    const QString text = ComponentToText(form.get());
    EXPECT_TRUE(text.contains(QStringLiteral("  Caption = '%1' +\n    '\U0001F600%2' +\n    '")
                                  .arg(QString(63, u'x'), QString(62, u'y'))))
        << text.toStdString();
    for (const QString& line : text.split(u'\n'))
        EXPECT_LE(line.size(), 80) << line.toStdString();
    auto copy = MakeOwned<TTestForm>(nullptr);
    ReadComponentFromText(text, copy.get());
    EXPECT_EQ(copy->GetCaption(), caption);
    EXPECT_EQ(copy->GetLines(), QStringList{caption});
    EXPECT_EQ(ComponentToText(copy.get()), text);
}

TEST_F(StoredFormSyntaxTest, BinaryDataReachesTheClassAndIsWrittenBackAsHexLines) {
    auto form = MakeOwned<TTestForm>(nullptr);
    form->SetName(QStringLiteral("F"));
    auto* image = new TTestImage(form.get());
    image->SetName(QStringLiteral("Image1"));
    for (int i = 0; i < 70; ++i)
        image->GetPicture()->Data.append(static_cast<char>(i * 7));
    const QString text = ComponentToText(form.get());
    const QString hex = QString::fromLatin1(image->GetPicture()->Data.toHex().toUpper());
    EXPECT_TRUE(
        text.contains(QStringLiteral("    Picture.Data = {\n      %1\n      %2\n      %3}\n")
                          .arg(hex.mid(0, 64), hex.mid(64, 64), hex.mid(128))))
        << text.toStdString();
    TOwned<TComponent> copy = CreateComponentFromText(text);
    auto* copied = qobject_cast<TTestImage*>(copy->FindComponent(QStringLiteral("Image1")));
    ASSERT_NE(copied, nullptr);
    EXPECT_EQ(copied->GetPicture()->Data, image->GetPicture()->Data);
    EXPECT_EQ(ComponentToText(copy.get()), text);

    // Hand-written: any case, blanks and line breaks between the digits.
    TOwned<TComponent> hand =
        CreateComponentFromText(QStringLiteral("object F: TTestForm\n  object I: TTestImage\n    "
                                               "Picture.Data = {0a 1B\n  c3\n}\n  end\nend\n"));
    EXPECT_EQ(
        qobject_cast<TTestImage*>(hand->FindComponent(QStringLiteral("I")))->GetPicture()->Data,
        QByteArray("\x0A\x1B\xC3"));
}

TEST_F(StoredFormSyntaxTest, OversizedBinaryDataIsRefusedAtItsLimit) {
    // One byte more than the limit; refused while scanning, before the rest
    // of the text is looked at.
    QString text =
        QStringLiteral("object F: TTestForm\n  object I: TTestImage\n    Picture.Data = {");
    text.reserve(text.size() + 2 * MaxStoredBinarySize + 16);
    text += QString(2 * MaxStoredBinarySize + 2, u'A');
    text += QStringLiteral("}\n  end\nend\n");
    const int liveBefore = TTestChild::Live;
    EXPECT_EQ(ReadError(text), "Line 3: Binary data larger than 16777216 bytes");
    EXPECT_EQ(TTestChild::Live, liveBefore);

    // The writer does not write what the reader would refuse.
    auto form = MakeOwned<TTestForm>(nullptr);
    auto* image = new TTestImage(form.get());
    image->SetName(QStringLiteral("I"));
    image->GetPicture()->Data = QByteArray(MaxStoredBinarySize + 1, '\x5A');
    EXPECT_THROW(ComponentToText(form.get()), EWriteError);
}

TEST_F(StoredFormSyntaxTest, InheritedInlineUnnamedAndOrderedBlocksRoundTrip) {
    const QString source = QStringLiteral("inherited Main: TTestAncestorForm\n"
                                          "  inherited Header: TTestChild\n"
                                          "    Value = 5\n"
                                          "  end\n"
                                          "  inherited Footer: TTestChild\n"
                                          "    Value = 6\n"
                                          "  end\n"
                                          "  object TTestChild\n"
                                          "    Value = 7\n"
                                          "  end\n"
                                          "  inline Frame1: TTestChild\n"
                                          "    object Header: TTestChild\n"
                                          "      Value = 8\n"
                                          "    end\n"
                                          "    object Label: TTestChild\n"
                                          "      Buddy = Header\n"
                                          "    end\n"
                                          "    object Outer: TTestChild\n"
                                          "      Buddy = Main.Header\n"
                                          "    end\n"
                                          "  end\n"
                                          "  object Last: TTestChild [0]\n"
                                          "    Buddy = Header\n"
                                          "  end\n"
                                          "end\n");
    auto form = MakeOwned<TTestAncestorForm>(nullptr);
    TTestChild* const header = form->Header;
    ReadComponentFromText(source, form.get());

    // 'inherited' applied to the component the class made, and made one
    // where there was none.
    EXPECT_EQ(form->FindComponent(QStringLiteral("Header")), header);
    EXPECT_EQ(header->GetValue(), 5);
    EXPECT_EQ(header->LoadedCalls, 1);
    auto* footer = qobject_cast<TTestChild*>(form->FindComponent(QStringLiteral("Footer")));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->GetValue(), 6);
    // The frame is a name scope of its own.
    auto* frame = qobject_cast<TTestChild*>(form->FindComponent(QStringLiteral("Frame1")));
    ASSERT_NE(frame, nullptr);
    auto* innerHeader = qobject_cast<TTestChild*>(frame->FindComponent(QStringLiteral("Header")));
    auto* label = qobject_cast<TTestChild*>(frame->FindComponent(QStringLiteral("Label")));
    ASSERT_TRUE(innerHeader && label);
    EXPECT_EQ(innerHeader->GetValue(), 8);
    EXPECT_EQ(label->GetBuddy(), innerHeader);
    auto* outer = qobject_cast<TTestChild*>(frame->FindComponent(QStringLiteral("Outer")));
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->GetBuddy(), header);
    // [0] put Last first among the stored children; the unnamed one is there.
    ASSERT_EQ(form->ComponentCount(), 5);
    auto* last = qobject_cast<TTestChild*>(form->Components(0));
    EXPECT_EQ(last->GetName(), QStringLiteral("Last"));
    EXPECT_EQ(last->GetBuddy(), header);
    EXPECT_EQ(form->Components(1), header);
    auto* unnamed = qobject_cast<TTestChild*>(form->Components(3));
    ASSERT_NE(unnamed, nullptr);
    EXPECT_TRUE(unnamed->GetName().isEmpty());
    EXPECT_EQ(unnamed->GetValue(), 7);

    const QString text = ComponentToText(form.get());
    EXPECT_TRUE(text.startsWith(QStringLiteral("inherited Main: TTestAncestorForm\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n  object Last: TTestChild\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n  inherited Header: TTestChild [1]\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n  inherited Footer: TTestChild [2]\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n  object TTestChild\n    Value = 7\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral(
        "\n  inline Frame1: TTestChild\n    Value = 0\n    object Header: TTestChild\n")))
        << text.toStdString();

    // Read again into a fresh form of the class: the same components.
    auto again = MakeOwned<TTestAncestorForm>(nullptr);
    ReadComponentFromText(text, again.get());
    ASSERT_EQ(again->ComponentCount(), 5);
    for (int i = 0; i < 5; ++i) {
        auto* a = qobject_cast<TTestChild*>(form->Components(i));
        auto* b = qobject_cast<TTestChild*>(again->Components(i));
        EXPECT_EQ(a->GetName(), b->GetName()) << i;
        EXPECT_EQ(a->GetValue(), b->GetValue()) << i;
        EXPECT_EQ(a->ComponentCount(), b->ComponentCount()) << i;
    }
    EXPECT_EQ(again->Components(0)->GetName(), QStringLiteral("Last"));
    // Inside the frame, the outer Header is named from the root, as the
    // frame has a Header of its own.
    EXPECT_TRUE(text.contains(QStringLiteral("      Buddy = Frame1.Header\n")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("      Buddy = Main.Header\n"))) << text.toStdString();
    auto* againFrame = again->FindComponent(QStringLiteral("Frame1"));
    EXPECT_EQ(
        qobject_cast<TTestChild*>(againFrame->FindComponent(QStringLiteral("Outer")))->GetBuddy(),
        again->FindComponent(QStringLiteral("Header")));
    EXPECT_EQ(
        qobject_cast<TTestChild*>(againFrame->FindComponent(QStringLiteral("Label")))->GetBuddy(),
        againFrame->FindComponent(QStringLiteral("Header")));
    EXPECT_EQ(ComponentToText(again.get()), text);
}

TEST_F(StoredFormSyntaxTest, InheritedBlocksThatCannotApplyLeaveTheAncestorsComponentsAlive) {
    auto form = MakeOwned<TTestAncestorForm>(nullptr);
    const int liveBefore = TTestChild::Live;
    EXPECT_EQ(
        ReadError(QStringLiteral("object F: TTestForm\n  inherited TTestChild\n  end\nend\n")),
        "Line 2: 'inherited' needs the name of the component it applies to");
    try {
        ReadComponentFromText(QStringLiteral("object F: TTestAncestorForm\n"
                                             "  object Made: TTestChild\n  end\n"
                                             "  inherited Header: TTestImage\n  end\nend\n"),
                              form.get());
        FAIL() << "no error";
    } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Line 4: Component Header is a TTestChild, not a TTestImage");
    }
    // What the read made is gone; what the class made stays, not loading.
    EXPECT_EQ(TTestChild::Live, liveBefore);
    ASSERT_EQ(form->ComponentCount(), 1);
    EXPECT_EQ(form->Components(0), form->Header);
    EXPECT_FALSE(form->Header->ComponentState().testFlag(csLoading));
}

TEST_F(StoredFormSyntaxTest, BadConstructsAreNamedWithTheirLine) {
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"object F: TTestForm\n  Caption = 'a' +\n",
         "Line 2: A string expected after '+' but end of text found"},
        {"object F: TTestForm\n  Caption = 'a' +\nend\n",
         "Line 2: A string expected after '+' but 'end' found"},
        {"object F: TTestForm\n  Left = + 1\nend\n",
         "Line 2: '+' is only accepted between two strings"},
        {"object F: TTestForm\n  Left = $1F\nend\n",
         "Line 2: Hexadecimal numbers ('$') are not accepted"},
        {"object F: TTestForm\n  Caption = #99999\nend\n",
         "Line 2: Invalid character code '#99999'"},
        {"object F: TTestForm\n  object I: TTestImage\n    Picture.Data = {0A1}\n  end\nend\n",
         "Line 3: Odd number of hex digits in binary data"},
        {"object F: TTestForm\n  object I: TTestImage\n    Picture.Data = {0A\n  end\nend\n",
         "Line 4: Invalid character 'n' in binary data"},
        {"object F: TTestForm\n  object I: TTestImage\n    Picture.Data = {0A\n",
         "Line 3: Unterminated binary data"},
        {"object F: TTestForm\n  object I: TTestImage\n    Picture.Data = 'x'\n  end\nend\n",
         "Line 3: Binary data '{ ... }' expected for property Data but string found"},
        {"object F: TTestForm\n  Left = {00}\nend\n",
         "Line 2: Invalid value for property Left: an integer expected but binary data found"},
        {"object F: TTestForm\n  Left = 1 }\nend\n", "Line 2: '}' without a '{'"},
        {"object F: TTestForm\n  object A: TTestChild [1]\n  end\nend\n",
         "Line 2: Child order [1] of A out of range: F has 1 children"},
        {"object F: TTestForm\n  object A: TTestChild [-1]\n  end\nend\n",
         "Line 2: Child order [negative] of A"},
        {"object F: TTestForm\n  object A: TTestChild [18446744073709551615]\n  end\nend\n",
         "Line 2: Child order [negative] of A"},
        {"object F: TTestForm\n  object A: TTestChild [x]\n  end\nend\n",
         "Line 2: Child order expected in '[...]' but 'x' found"},
        {"object F: TTestForm\n  object A: TTestChild [0\n  end\nend\n",
         "Line 3: ']' expected but 'end' found"},
        {"object F: TTestForm\n  inline A: TNoSuch\n  end\nend\n",
         "Line 2: Class TNoSuch not found"},
    };
    for (const auto& c : cases) {
        const int liveBefore = TTestChild::Live;
        const std::string message = ReadError(QString::fromUtf8(c.Text));
        EXPECT_EQ(message.rfind(c.Message, 0), 0u) << c.Text << "\n-> " << message;
        EXPECT_EQ(TTestChild::Live, liveBefore) << c.Text;
    }
}

TEST_F(StoredFormSyntaxTest, DeepInlineNestingIsRefusedWithoutExhaustingTheStack) {
    QString text = QStringLiteral("object F: TTestForm\n");
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("inline C%1: TTestChild\n").arg(i);
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("end\n");
    text += QStringLiteral("end\n");
    const int liveBefore = TTestChild::Live;
    EXPECT_EQ(ReadError(text), "Line 202: Nesting deeper than 200 levels");
    EXPECT_EQ(TTestChild::Live, liveBefore);
    const std::vector<TStoredFormError> errors = CheckStoredFormSyntax(text);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].Line, 201);
}

TEST_F(StoredFormSyntaxTest, SyntaxCheckReportsEveryPlaceAndCreatesNothing) {
    const QString text = QStringLiteral("object F: TUnknownClass\n" // 1: classes are not looked up
                                        "  Left = 1 ;\n"            // 2: col 12
                                        "  Caption = 'abc\n"        // 3: col 13
                                        "  Top 5\n"                 // 4: col 7
                                        "  Items = <\n"             // 5
                                        "    item\n"                // 6
                                        "      Data = {0A1}\n"      // 7: col 18
                                        "      Name = 'ok'\n"       // 8
                                        "    end>\n"                // 9
                                        "  object TTestChild [z]\n" // 10: col 22
                                        "    Value = 'a' +\n"       // 11: col 17
                                        "  end\n"                   // 12
                                        "  Width = 3\n" // 13: col 3, property after a child
                                        "end\n");
    const int liveBefore = TTestChild::Live;
    const std::vector<TStoredFormError> errors = CheckStoredFormSyntax(text);
    EXPECT_EQ(TTestChild::Live, liveBefore);
    std::vector<std::pair<int, int>> places;
    for (const TStoredFormError& e : errors)
        places.emplace_back(e.Line, e.Column);
    const std::vector<std::pair<int, int>> expected = {{2, 12},  {3, 13},  {4, 7}, {7, 18},
                                                       {10, 22}, {11, 17}, {13, 3}};
    EXPECT_EQ(places, expected);
    ASSERT_EQ(errors.size(), expected.size());
    EXPECT_EQ(errors[0].Message, QStringLiteral("Invalid character ';'"));
    EXPECT_EQ(errors[2].Message, QStringLiteral("'=' expected but integer 5 found"));
    EXPECT_EQ(errors[6].Message, QStringLiteral("'object' or 'end' expected but 'Width' found"));

    EXPECT_TRUE(
        CheckStoredFormSyntax(ComponentToText(MakeOwned<TTestForm>(nullptr).get())).empty());
    EXPECT_EQ(CheckStoredFormSyntax(QStringLiteral("1")).size(), 1u);
}

TEST_F(StoredFormSyntaxTest, TextThatIsNotUtf8IsRefusedOrDecodedFromTheNamedCodePage) {
    const QByteArray latin1("object F: TTestForm\r\n  Caption = 'Gr\xFC\xDF"
                            "e'\r\nend\r\n");
    EXPECT_EQ(BytesError(latin1), "Line 2, column 16: byte 0xfc is not valid UTF-8; name the code "
                                  "page the text was saved in");
    EXPECT_EQ(StoredFormTextFromBytes(latin1, QStringLiteral("ISO-8859-1")),
              QString::fromLatin1(latin1));
    // Broken sequences are pointed at where they start.
    EXPECT_EQ(
        BytesError("ab\n\xC0\xAF"),
        "Line 2, column 1: byte 0xc0 is not valid UTF-8; name the code page the text was saved in");
    EXPECT_EQ(BytesError("abc\xED\xA0\x80").substr(0, 32), "Line 1, column 4: byte 0xed is n");
    EXPECT_EQ(BytesError("a\xF4\x90\x80\x80").substr(0, 32), "Line 1, column 2: byte 0xf4 is n");
    EXPECT_EQ(BytesError("ab\xE2\x82").substr(0, 32), "Line 1, column 3: byte 0xe2 is n");
    EXPECT_EQ(BytesError("x", QStringLiteral("no-such-page")), "Unknown code page 'no-such-page'");
    // A byte-order mark is not text; valid UTF-8 reads as it is.
    EXPECT_EQ(StoredFormTextFromBytes("\xEF\xBB\xBF"
                                      "a\xC3\xA9\xF0\x9F\x98\x80"),
              QStringLiteral("a\u00E9\U0001F600"));

    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("form.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(latin1);
    file.close();
    auto form = MakeOwned<TTestForm>(nullptr);
    EXPECT_THROW(ReadComponentFromFile(path, form.get()), EReadError);
    EXPECT_TRUE(form->GetCaption().isEmpty());
    ReadComponentFromFile(path, form.get(), QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(form->GetCaption(), QStringLiteral("Gr\u00FC\u00DFe"));
    if (QStringDecoder("windows-1252").isValid()) {
        EXPECT_EQ(StoredFormTextFromBytes("\x80 \x93q\x94", QStringLiteral("windows-1252")),
                  QStringLiteral("\u20AC \u201Cq\u201D"));
    }
}

// Inputs that once broke the reader, and the seeds of the fuzz target: each
// reads, or fails with the reader's error; the syntax check never throws.
TEST_F(StoredFormSyntaxTest, CorpusInputsReadOrFailCleanly) {
    const QDir corpus(QStringLiteral(KV_STORED_FORM_CORPUS));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        QFile file(corpus.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = file.readAll();
        const int liveBefore = TTestChild::Live;
        try {
            const QString text = StoredFormTextFromBytes(bytes);
            (void)CheckStoredFormSyntax(text);
            TOwned<TComponent> root = CreateComponentFromText(text);
            const QString written = ComponentToText(root.get());
            TOwned<TComponent> again = CreateComponentFromText(written);
            EXPECT_EQ(ComponentToText(again.get()), written) << name.toStdString();
        } catch (const EReadError&) {
        }
        EXPECT_EQ(TTestChild::Live, liveBefore) << name.toStdString();
    }
}

} // namespace
