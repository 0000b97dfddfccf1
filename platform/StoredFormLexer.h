#pragma once
// Tokens of the stored form's text: identifiers (dotted paths allowed),
// integers, floats, strings ('...' with '' for a quote, #n or #$hex for a
// character code, pieces joined without blanks or across lines with '+'),
// binary data ({ hex digits }) and the symbols = : ( ) < > [ ] ,

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

// tkError stands for text that was wrong, in a lexer that records errors.
enum class TTokenKind { tkEOF, tkIdent, tkInteger, tkFloat, tkString, tkSymbol, tkBinary, tkError };

struct TToken {
    TTokenKind Kind = TTokenKind::tkEOF;
    QString Text; // identifier, string value, or the number as written
    int64_t Integer = 0;
    bool Unsigned = false; // Integer holds the bits of a value above INT64_MAX
    double Float = 0.0;
    char16_t Symbol = 0;
    QByteArray Bytes; // binary data
    int Line = 1;
    int Column = 1; // 1-based, in UTF-16 code units
};

// Where a stored form is wrong and what was met there.
struct TStoredFormError {
    int Line = 1;
    int Column = 1;
    QString Message;
};

// The largest binary value ({ ... }) a stored form may hold, in bytes. A
// longer one is refused before more memory is taken for it.
inline constexpr qsizetype MaxStoredBinarySize = 16 * 1024 * 1024;

class TStoredFormLexer {
public:
    // Without AErrors a character or number that is not part of the format
    // raises EReadError ("Line <n>: ..."). With AErrors it is recorded there
    // and stands as one tkError token, after which scanning goes on from the
    // next line, so that a syntax check can report every bad place.
    explicit TStoredFormLexer(QString AText, std::vector<TStoredFormError>* AErrors = nullptr);

    const TToken& Peek() const { return FToken; }
    TToken Next();
    bool IsSymbol(char ASymbol) const {
        return FToken.Kind == TTokenKind::tkSymbol &&
               FToken.Symbol == static_cast<char16_t>(ASymbol);
    }

private:
    // A position in the text.
    struct TPlace {
        qsizetype Pos;
        int Line;
        qsizetype LineStart;
    };
    struct TFault {
        TPlace Place;
        QString Message;
    };

    void Scan();
    void ScanToken();
    void ScanNumber();
    void ScanString();
    void ScanBinary();
    void SkipBlanks();
    int Column() const { return static_cast<int>(FPos - FLineStart) + 1; }
    TPlace Here() const { return {FPos, FLine, FLineStart}; }
    [[noreturn]] void Fault(const QString& AMessage) const;
    [[noreturn]] static void Fault(const TPlace& APlace, const QString& AMessage);

    QString FText;
    qsizetype FPos = 0;
    qsizetype FLineStart = 0;
    int FLine = 1;
    TToken FToken;
    std::vector<TStoredFormError>* FErrors;
};

// A readable name of what a token is, for messages ("'end'", "integer 5",
// "string", "binary data", "end of text").
QString TokenDescription(const TToken& AToken);

// The number text of AValue that reads back as exactly AValue: shortest
// round-trip digits, always with a '.' or an exponent so that it reads as a
// float ("-0.0", "5e-324", "1.7976931348623157e+308"); "NaN", "Inf", "-Inf".
QString FloatToStoredText(double AValue);
// The same for a single-precision value: the shortest digits that read back
// to the same float ("0.1" rather than the double nearest to 0.1f).
QString FloatToStoredText(float AValue);
// The string literal of AValue: printable text between quotes (non-ASCII
// kept as is), a quote doubled, control characters and unpaired surrogates
// as #n.
QString StringToStoredText(const QString& AValue);
