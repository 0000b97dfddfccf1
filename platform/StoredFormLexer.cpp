#include "platform/StoredFormLexer.h"

#include "platform/Exceptions.h"

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

} // namespace

TStoredFormLexer::TStoredFormLexer(QString AText) : FText(std::move(AText)) {
    Scan();
}

TToken TStoredFormLexer::Next() {
    TToken result = FToken;
    Scan();
    return result;
}

void TStoredFormLexer::Error(const QString& AMessage) const {
    throw EReadError(QStringLiteral("Line %1: %2").arg(FLine).arg(AMessage));
}

void TStoredFormLexer::Scan() {
    while (FPos < FText.size() && FText[FPos].isSpace()) {
        if (FText[FPos] == u'\n')
            ++FLine;
        ++FPos;
    }
    FToken = TToken();
    FToken.Line = FLine;
    if (FPos >= FText.size())
        return;
    const QChar c = FText[FPos];
    if (IsIdentStart(c)) {
        const qsizetype start = FPos;
        while (FPos < FText.size() &&
               (IsIdentChar(FText[FPos]) ||
                (FText[FPos] == u'.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1]))))
            ++FPos;
        FToken.Kind = TTokenKind::tkIdent;
        FToken.Text = FText.mid(start, FPos - start);
    } else if (IsDigit(c) || c == u'-' || c == u'+') {
        ScanNumber();
    } else if (c == u'\'' || c == u'#') {
        ScanString();
    } else if (QStringLiteral("=:()<>[],").contains(c)) {
        FToken.Kind = TTokenKind::tkSymbol;
        FToken.Symbol = c.unicode();
        ++FPos;
    } else {
        Error(QStringLiteral("Invalid character '%1'").arg(c));
    }
}

void TStoredFormLexer::ScanNumber() {
    const qsizetype start = FPos;
    if (FText[FPos] == u'-' || FText[FPos] == u'+')
        ++FPos;
    const bool startsWithDigit = FPos < FText.size() && IsDigit(FText[FPos]);
    while (FPos < FText.size()) {
        const QChar c = FText[FPos];
        const QChar prev = FText[FPos - 1];
        const bool exponentSign = (c == u'-' || c == u'+') && (prev == u'e' || prev == u'E') && startsWithDigit;
        if (!IsIdentChar(c) && c != u'.' && !exponentSign)
            break;
        ++FPos;
    }
    const QString text = FText.mid(start, FPos - start);
    FToken.Text = text;
    const QByteArray latin = text.toLatin1();
    // from_chars takes a '-' but no '+'.
    const char* first = latin.constData() + (latin.startsWith('+') ? 1 : 0);
    const char* last = latin.constData() + latin.size();
    if (first == last || (first != latin.constData() && *first == '-'))
        Error(QStringLiteral("Invalid number '%1'").arg(text));
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
        Error(QStringLiteral("Number out of range '%1'").arg(text));
    Error(QStringLiteral("Invalid number '%1'").arg(text));
}

void TStoredFormLexer::ScanString() {
    QString value;
    while (FPos < FText.size()) {
        const QChar c = FText[FPos];
        if (c == u'\'') {
            ++FPos;
            for (;;) {
                if (FPos >= FText.size() || FText[FPos] == u'\n')
                    Error(QStringLiteral("Unterminated string"));
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
            const qsizetype start = ++FPos;
            while (FPos < FText.size() && IsDigit(FText[FPos]))
                ++FPos;
            bool ok = false;
            const uint code = FText.mid(start, FPos - start).toUInt(&ok);
            if (!ok || code > 0xFFFF)
                Error(QStringLiteral("Invalid character code"));
            value += QChar(static_cast<char16_t>(code));
        } else {
            break;
        }
    }
    FToken.Kind = TTokenKind::tkString;
    FToken.Text = value;
}

namespace {

template <class T>
QString ShortestText(T AValue) {
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
        const bool paired = c.isHighSurrogate() ? (i + 1 < AValue.size() && AValue[i + 1].isLowSurrogate())
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
