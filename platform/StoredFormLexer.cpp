#include "platform/StoredFormLexer.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

bool IsIdentStart(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_';
}

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool IsIdentChar(QChar c) {
    return IsIdentStart(c) || IsDigit(c);
}

bool IsHexDigit(QChar c) {
    return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

} // namespace

TStoredFormLexer::TStoredFormLexer(QString AText, std::vector<TStoredFormError>* AErrors)
    : FText(std::move(AText)), FErrors(AErrors) {
    Scan();
}

TToken TStoredFormLexer::Next() {
    TToken result = FToken;
    Scan();
    return result;
}

void TStoredFormLexer::Fault(const QString& AMessage) const {
    Fault(Here(), AMessage);
}

void TStoredFormLexer::Fault(const TPlace& APlace, const QString& AMessage) {
    throw TFault{APlace, AMessage};
}

void TStoredFormLexer::Scan() {
    for (;;) {
        try {
            ScanToken();
            return;
        } catch (const TFault& fault) {
            const TPlace& at = fault.Place;
            if (!FErrors)
                throw EReadError(QStringLiteral("Line %1: %2").arg(at.Line).arg(fault.Message));
            const int column = static_cast<int>(at.Pos - at.LineStart) + 1;
            FErrors->push_back({at.Line, column, fault.Message});
            // Go on after the line of the fault. The fault lies inside the
            // token that began scanning, which never starts at a line break,
            // so scanning always moves forward.
            FPos = at.Pos;
            FLine = at.Line;
            FLineStart = at.LineStart;
            while (FPos < FText.size() && FText[FPos] != u'\n')
                ++FPos;
            FToken = TToken();
            FToken.Kind = TTokenKind::tkError;
            FToken.Line = at.Line;
            FToken.Column = column;
            return;
        }
    }
}

void TStoredFormLexer::SkipBlanks() {
    while (FPos < FText.size() && FText[FPos].isSpace()) {
        if (FText[FPos] == u'\n') {
            ++FLine;
            FLineStart = FPos + 1;
        }
        ++FPos;
    }
}

void TStoredFormLexer::ScanToken() {
    SkipBlanks();
    FToken = TToken();
    FToken.Line = FLine;
    FToken.Column = Column();
    if (FPos >= FText.size())
        return;
    const QChar c = FText[FPos];
    const QChar next = FPos + 1 < FText.size() ? FText[FPos + 1] : QChar();
    if (IsIdentStart(c)) {
        const qsizetype start = FPos;
        while (FPos < FText.size() &&
               (IsIdentChar(FText[FPos]) ||
                (FText[FPos] == u'.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1]))))
            ++FPos;
        FToken.Kind = TTokenKind::tkIdent;
        FToken.Text = FText.mid(start, FPos - start);
    } else if (IsDigit(c) || c == u'-' || (c == u'+' && IsDigit(next))) {
        ScanNumber();
    } else if (c == u'+') {
        Fault(QStringLiteral("'+' is only accepted between two strings"));
    } else if (c == u'\'' || c == u'#') {
        ScanString();
    } else if (c == u'{') {
        ScanBinary();
    } else if (QStringLiteral("=:()<>[],").contains(c)) {
        FToken.Kind = TTokenKind::tkSymbol;
        FToken.Symbol = c.unicode();
        ++FPos;
    } else if (c == u'$') {
        Fault(QStringLiteral("Hexadecimal numbers ('$') are not accepted"));
    } else if (c == u'}') {
        Fault(QStringLiteral("'}' without a '{' that opens binary data"));
    } else if (c == u'/' && next == u'/') {
        Fault(QStringLiteral("Comments ('//') are not accepted"));
    } else {
        Fault(QStringLiteral("Invalid character '%1'").arg(c));
    }
}

void TStoredFormLexer::ScanNumber() {
    const TPlace place = Here();
    const qsizetype start = FPos;
    if (FText[FPos] == u'-' || FText[FPos] == u'+')
        ++FPos;
    const bool startsWithDigit = FPos < FText.size() && IsDigit(FText[FPos]);
    while (FPos < FText.size()) {
        const QChar c = FText[FPos];
        // An exponent's sign belongs to the number ("1e-07"); the first
        // character has no predecessor to look at.
        const bool exponentSign = FPos > start && (c == u'-' || c == u'+') &&
                                  (FText[FPos - 1] == u'e' || FText[FPos - 1] == u'E') &&
                                  startsWithDigit;
        if (!IsIdentChar(c) && c != u'.' && !exponentSign)
            break;
        ++FPos;
    }
    const QString text = FText.mid(start, FPos - start);
    FToken.Text = text;
    if (text == QLatin1String("-"))
        Fault(place, QStringLiteral("'-' must be followed by a number"));
    const QByteArray latin = text.toLatin1();
    // from_chars takes a '-' but no '+'.
    const char* first = latin.constData() + (latin.startsWith('+') ? 1 : 0);
    const char* last = latin.constData() + latin.size();
    if (first == last || (first != latin.constData() && *first == '-'))
        Fault(place, QStringLiteral("Invalid number '%1'").arg(text));
    int64_t integer = 0;
    const auto intResult = std::from_chars(first, last, integer);
    if (intResult.ec == std::errc() && intResult.ptr == last) {
        FToken.Kind = TTokenKind::tkInteger;
        FToken.Integer = integer;
        return;
    }
    // Unsigned 64-bit values past the signed range keep their bits.
    uint64_t unsignedValue = 0;
    const auto unsignedResult = std::from_chars(first, last, unsignedValue);
    if (unsignedResult.ec == std::errc() && unsignedResult.ptr == last) {
        FToken.Kind = TTokenKind::tkInteger;
        FToken.Integer = static_cast<int64_t>(unsignedValue);
        FToken.Unsigned = true;
        return;
    }
    double value = 0.0;
    const auto floatResult = std::from_chars(first, last, value);
    if (floatResult.ptr == last && floatResult.ec == std::errc()) {
        FToken.Kind = TTokenKind::tkFloat;
        FToken.Float = value;
        return;
    }
    if (floatResult.ptr == last && floatResult.ec == std::errc::result_out_of_range)
        Fault(place, QStringLiteral("Number out of range '%1'").arg(text));
    Fault(place, QStringLiteral("Invalid number '%1'").arg(text));
}

void TStoredFormLexer::ScanString() {
    QString value;
    for (;;) {
        while (FPos < FText.size()) {
            const QChar c = FText[FPos];
            if (c == u'\'') {
                const TPlace quote = Here();
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == u'\n')
                        Fault(quote, QStringLiteral("Unterminated string"));
                    if (FText[FPos] == u'\'') {
                        if (FPos + 1 < FText.size() && FText[FPos + 1] == u'\'') {
                            value += u'\'';
                            FPos += 2;
                            continue;
                        }
                        ++FPos;
                        break;
                    }
                    value += FText[FPos++];
                }
            } else if (c == u'#') {
                const TPlace place = Here();
                const bool hex = ++FPos < FText.size() && FText[FPos] == u'$';
                if (hex)
                    ++FPos;
                const qsizetype start = FPos;
                while (FPos < FText.size() &&
                       (hex ? IsHexDigit(FText[FPos]) : IsDigit(FText[FPos])))
                    ++FPos;
                bool ok = false;
                const uint code = FText.mid(start, FPos - start).toUInt(&ok, hex ? 16 : 10);
                if (!ok || code > 0xFFFF)
                    Fault(place, QStringLiteral("Invalid character code '%1'")
                                     .arg(FText.mid(place.Pos,
                                                    std::min<qsizetype>(FPos - place.Pos, 24))));
                value += QChar(static_cast<char16_t>(code));
            } else {
                break;
            }
        }
        // A '+' continues the string with the next piece, often on the next
        // line: 'first part' + 'second part'.
        const qsizetype savedPos = FPos;
        const qsizetype savedLineStart = FLineStart;
        const int savedLine = FLine;
        SkipBlanks();
        if (FPos >= FText.size() || FText[FPos] != u'+') {
            FPos = savedPos;
            FLineStart = savedLineStart;
            FLine = savedLine;
            break;
        }
        const TPlace plus = Here();
        ++FPos;
        SkipBlanks();
        if (FPos >= FText.size())
            Fault(plus, QStringLiteral("A string expected after '+' but end of text found"));
        if (FText[FPos] != u'\'' && FText[FPos] != u'#') {
            qsizetype end = FPos + 1;
            while (IsIdentStart(FText[FPos]) && end < FText.size() && IsIdentChar(FText[end]))
                ++end;
            Fault(plus, QStringLiteral("A string expected after '+' but '%1' found")
                            .arg(FText.mid(FPos, end - FPos)));
        }
    }
    FToken.Kind = TTokenKind::tkString;
    FToken.Text = value;
}

void TStoredFormLexer::ScanBinary() {
    // { hex digits }, blanks and line breaks anywhere between the digits.
    // Values run to megabytes, so this loop reads the characters directly.
    const TPlace brace = Here();
    ++FPos;
    const char16_t* const text = reinterpret_cast<const char16_t*>(FText.constData());
    const qsizetype size = FText.size();
    // Room for the digits up to the closing brace, never beyond the limit.
    qsizetype close = FPos;
    while (close < size && text[close] != u'}')
        ++close;
    QByteArray bytes(std::min((close - FPos) / 2, MaxStoredBinarySize), Qt::Uninitialized);
    char* const out = bytes.data();
    qsizetype count = 0;
    int high = -1;
    for (;; ++FPos) {
        if (FPos >= size)
            Fault(brace, QStringLiteral("Unterminated binary data: '}' expected"));
        const char16_t c = text[FPos];
        int nibble = 0;
        if (c >= u'0' && c <= u'9') {
            nibble = c - u'0';
        } else if ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')) {
            nibble = (c | 0x20) - u'a' + 10;
        } else if (c == u'}') {
            break;
        } else if (c == u'\n') {
            ++FLine;
            FLineStart = FPos + 1;
            continue;
        } else if (QChar(c).isSpace()) {
            continue;
        } else {
            Fault(QStringLiteral("Invalid character '%1' in binary data").arg(QChar(c)));
        }
        if (high < 0) {
            high = nibble;
            continue;
        }
        if (count >= bytes.size())
            Fault(brace,
                  QStringLiteral("Binary data larger than %1 bytes").arg(MaxStoredBinarySize));
        out[count++] = static_cast<char>(high * 16 + nibble);
        high = -1;
    }
    if (high >= 0)
        Fault(QStringLiteral("Odd number of hex digits in binary data"));
    ++FPos;
    FToken.Kind = TTokenKind::tkBinary;
    bytes.truncate(count);
    FToken.Bytes = bytes;
}

QString TokenDescription(const TToken& AToken) {
    switch (AToken.Kind) {
    case TTokenKind::tkEOF:
        return QStringLiteral("end of text");
    case TTokenKind::tkIdent:
        return QStringLiteral("'%1'").arg(AToken.Text);
    case TTokenKind::tkInteger:
        return QStringLiteral("integer %1").arg(AToken.Text);
    case TTokenKind::tkFloat:
        return QStringLiteral("float %1").arg(AToken.Text);
    case TTokenKind::tkString:
        return QStringLiteral("string");
    case TTokenKind::tkSymbol:
        return QStringLiteral("'%1'").arg(QChar(AToken.Symbol));
    case TTokenKind::tkBinary:
        return QStringLiteral("binary data");
    case TTokenKind::tkError:
        return QStringLiteral("text that is not part of the format");
    }
    return QString();
}

namespace {

template <class T> QString ShortestText(T AValue) {
    if (std::isnan(AValue))
        return QStringLiteral("NaN");
    if (std::isinf(AValue))
        return AValue < 0 ? QStringLiteral("-Inf") : QStringLiteral("Inf");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, AValue);
    // 64 characters always hold the shortest form of a double.
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QStringLiteral(".0");
    return text;
}

} // namespace

QString FloatToStoredText(double AValue) {
    return ShortestText(AValue);
}

QString FloatToStoredText(float AValue) {
    return ShortestText(AValue);
}

QString StringToStoredText(const QString& AValue) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < AValue.size(); ++i) {
        const QChar c = AValue[i];
        const bool paired = c.isHighSurrogate()
                                ? (i + 1 < AValue.size() && AValue[i + 1].isLowSurrogate())
                            : c.isLowSurrogate() ? (i > 0 && AValue[i - 1].isHighSurrogate())
                                                 : true;
        const bool plain = paired && c.unicode() >= 0x20 && c.unicode() != 0x7F;
        if (plain != quoted) {
            out += u'\'';
            quoted = plain;
        }
        if (!plain)
            out += QStringLiteral("#%1").arg(c.unicode());
        else if (c == u'\'')
            out += QStringLiteral("''");
        else
            out += c;
    }
    if (quoted || out.isEmpty())
        out += out.isEmpty() ? QStringLiteral("''") : QStringLiteral("'");
    return out;
}
