#pragma once
// Tokens of the stored form's text: identifiers (dotted paths allowed),
// integers, floats, strings ('...' with '' for a quote, #n for a character
// code, pieces joined without blanks) and the symbols = : ( ) < > [ ] ,

#include <QString>
#include <cstdint>

enum class TTokenKind { tkEOF, tkIdent, tkInteger, tkFloat, tkString, tkSymbol };

struct TToken {
    TTokenKind Kind = TTokenKind::tkEOF;
    QString Text;       // identifier, string value, or the number as written
    int64_t Integer = 0;
    bool Unsigned = false;  // Integer holds the bits of a value above INT64_MAX
    double Float = 0.0;
    char16_t Symbol = 0;
    int Line = 1;
};

class TStoredFormLexer {
public:
    // Raises EReadError (with the line) on a character or number that is
    // not part of the format.
    explicit TStoredFormLexer(QString AText);

    const TToken& Peek() const { return FToken; }
    TToken Next();
    bool IsSymbol(char ASymbol) const {
        return FToken.Kind == TTokenKind::tkSymbol && FToken.Symbol == static_cast<char16_t>(ASymbol);
    }

private:
    void Scan();
    void ScanNumber();
    void ScanString();
    [[noreturn]] void Error(const QString& AMessage) const;

    QString FText;
    qsizetype FPos = 0;
    int FLine = 1;
    TToken FToken;
};

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
