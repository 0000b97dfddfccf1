#include "platform/StoredForm.h"

#include "platform/ClassRegistry.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/Filer.h"

#include <QFile>
#include <QStringDecoder>
#include <algorithm>

QString ComponentToText(TComponent* ARoot) {
    TWriter writer(ARoot);
    return writer.WriteRootComponent();
}

void ReadComponentFromText(const QString& AText, TComponent* ARoot) {
    TReader reader(AText, ARoot);
    reader.ReadRootComponent();
}

namespace {

// Offset of the first byte that starts no well-formed UTF-8 sequence, or -1.
qsizetype FirstInvalidUtf8(const QByteArray& ABytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(ABytes.constData());
    const qsizetype n = ABytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        qsizetype length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            low = c == 0xE0 ? 0xA0 : 0x80;  // no overlong forms
            high = c == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            low = c == 0xF0 ? 0x90 : 0x80;
            high = c == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
        } else {
            return i;
        }
        if (i + length > n || p[i + 1] < low || p[i + 1] > high)
            return i;
        for (qsizetype k = 2; k < length; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
        i += length;
    }
    return -1;
}

[[noreturn]] void BadByte(const QByteArray& ABytes, qsizetype AOffset, const QString& AWhat) {
    const qsizetype lineStart = ABytes.lastIndexOf('\n', AOffset - 1) + 1;
    const auto line = ABytes.left(AOffset).count('\n') + 1;
    throw EReadError(QStringLiteral("Line %1, column %2: byte 0x%3 %4")
                         .arg(line)
                         .arg(AOffset - lineStart + 1)
                         .arg(static_cast<unsigned char>(ABytes[AOffset]), 2, 16, QLatin1Char('0'))
                         .arg(AWhat));
}

} // namespace

QString StoredFormTextFromBytes(const QByteArray& ABytes, const QString& ACodePage) {
    if (ACodePage.isEmpty()) {
        const QByteArray bom("\xEF\xBB\xBF");
        const QByteArray bytes = ABytes.startsWith(bom) ? ABytes.mid(bom.size()) : ABytes;
        const qsizetype bad = FirstInvalidUtf8(bytes);
        if (bad >= 0)
            BadByte(bytes, bad,
                    QStringLiteral("is not valid UTF-8; name the code page the text was saved in"));
        return QString::fromUtf8(bytes);
    }
    QStringDecoder decoder(ACodePage.toLatin1().constData());
    if (!decoder.isValid())
        throw EReadError(QStringLiteral("Unknown code page '%1'").arg(ACodePage));
    QString text = decoder(ABytes);
    if (decoder.hasError()) {
        // Fed byte by byte, the decoder tells which byte it cannot take.
        QStringDecoder probe(ACodePage.toLatin1().constData());
        for (qsizetype i = 0; i < ABytes.size(); ++i) {
            (void)probe(QByteArrayView(ABytes.constData() + i, 1));
            if (probe.hasError())
                BadByte(ABytes, i, QStringLiteral("is not valid in code page %1").arg(ACodePage));
        }
        throw EReadError(
            QStringLiteral("Text ends inside a character of code page %1").arg(ACodePage));
    }
    return text;
}

void ReadComponentFromFile(const QString& AFileName, TComponent* ARoot, const QString& ACodePage) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, file.errorString()));
    ReadComponentFromText(StoredFormTextFromBytes(file.readAll(), ACodePage), ARoot);
}

TOwned<TComponent> CreateComponentFromText(const QString& AText) {
    // The header "object Name: Class" (or "object Class") names the class.
    TStoredFormLexer lexer(AText);
    const TToken keyword = lexer.Next();
    const bool isBlock =
        keyword.Kind == TTokenKind::tkIdent &&
        (keyword.Text.compare(QLatin1String("object"), Qt::CaseInsensitive) == 0 ||
         keyword.Text.compare(QLatin1String("inherited"), Qt::CaseInsensitive) == 0 ||
         keyword.Text.compare(QLatin1String("inline"), Qt::CaseInsensitive) == 0);
    if (!isBlock)
        throw EReadError(QStringLiteral("Line %1: 'object' expected but %2 found")
                             .arg(keyword.Line)
                             .arg(TokenDescription(keyword)));
    if (lexer.IsSymbol(':'))
        lexer.Next();
    TToken className = lexer.Next();
    if (lexer.IsSymbol(':')) {
        lexer.Next();
        className = lexer.Next();
    }
    if (className.Kind != TTokenKind::tkIdent)
        throw EReadError(QStringLiteral("Line %1: class name expected but %2 found")
                             .arg(className.Line)
                             .arg(TokenDescription(className)));
    const TComponentFactory factory = GetComponentClass(className.Text);
    if (!factory)
        throw EReadError(
            QStringLiteral("Line %1: Class %2 not found").arg(className.Line).arg(className.Text));
    TOwned<TComponent> root(factory(nullptr));
    ReadComponentFromText(AText, root.get());
    return root;
}

// ---------------------------------------------------------------- syntax check

namespace {

constexpr int MaxSyntaxNesting = 200;

// Walks the grammar of docs/stored-form.md. An error is recorded, the
// statement it is in is dropped up to the end of its line, and checking
// goes on.
class TSyntaxChecker {
public:
    explicit TSyntaxChecker(const QString& AText) : FLexer(AText, &FErrors) {}

    std::vector<TStoredFormError> Run() {
        try {
            if (!AtBlockKeyword())
                Fail(QStringLiteral("'object' expected but %1 found")
                         .arg(TokenDescription(FLexer.Peek())));
            Block(1);
            if (FLexer.Peek().Kind != TTokenKind::tkEOF)
                Fail(QStringLiteral("Text after the final 'end': %1")
                         .arg(TokenDescription(FLexer.Peek())));
        } catch (const TFault&) {
        } catch (const TStop&) {
        }
        std::stable_sort(FErrors.begin(), FErrors.end(),
                         [](const TStoredFormError& A, const TStoredFormError& B) {
                             return A.Line != B.Line ? A.Line < B.Line : A.Column < B.Column;
                         });
        if (FErrors.size() > MaxSyntaxErrors)
            FErrors.resize(MaxSyntaxErrors);
        return std::move(FErrors);
    }

private:
    struct TFault {};
    struct TStop {};

    // Records AMessage at the next token, unless that token stands for text
    // the lexer has reported already, and drops the current statement.
    [[noreturn]] void Fail(const QString& AMessage) {
        const TToken& t = FLexer.Peek();
        if (t.Kind != TTokenKind::tkError)
            FErrors.push_back({t.Line, t.Column, AMessage});
        if (FErrors.size() >= MaxSyntaxErrors)
            throw TStop();
        throw TFault();
    }

    bool AtWord(const char* AWord) const {
        const TToken& t = FLexer.Peek();
        return t.Kind == TTokenKind::tkIdent &&
               t.Text.compare(QLatin1String(AWord), Qt::CaseInsensitive) == 0;
    }

    bool AtBlockKeyword() const {
        return AtWord("object") || AtWord("inherited") || AtWord("inline");
    }

    bool AtEOF() const { return FLexer.Peek().Kind == TTokenKind::tkEOF; }

    void Expect(char ASymbol) {
        if (!FLexer.IsSymbol(ASymbol))
            Fail(QStringLiteral("'%1' expected but %2 found")
                     .arg(QChar::fromLatin1(ASymbol))
                     .arg(TokenDescription(FLexer.Peek())));
        FLexer.Next();
    }

    void Ident(const char* AWhat) {
        if (FLexer.Peek().Kind != TTokenKind::tkIdent)
            Fail(QStringLiteral("%1 expected but %2 found")
                     .arg(QLatin1String(AWhat), TokenDescription(FLexer.Peek())));
        FLexer.Next();
    }

    // Drops the rest of the statement that began on AStartLine: every token
    // up to the end of the line where the error was met. A keyword that
    // opens the next line is kept, as the statement most likely ended there.
    void Recover(int AStartLine) {
        const int faultLine = FLexer.Peek().Line;
        if (faultLine > AStartLine && (AtBlockKeyword() || AtWord("end") || AtWord("item")))
            return;
        while (!AtEOF() && FLexer.Peek().Line <= faultLine)
            FLexer.Next();
    }

    void Enter(int ADepth) {
        if (ADepth > MaxSyntaxNesting) {
            const TToken& t = FLexer.Peek();
            FErrors.push_back(
                {t.Line, t.Column,
                 QStringLiteral("Nesting deeper than %1 levels").arg(MaxSyntaxNesting)});
            throw TStop();
        }
    }

    void Header() {
        FLexer.Next();
        if (FLexer.IsSymbol(':')) {
            FLexer.Next();
            Ident("Class name");
        } else {
            Ident("Component name or class name");
            if (FLexer.IsSymbol(':')) {
                FLexer.Next();
                Ident("Class name");
            }
        }
        if (FLexer.IsSymbol('[')) {
            FLexer.Next();
            if (FLexer.Peek().Kind != TTokenKind::tkInteger)
                Fail(QStringLiteral("Child order expected in '[...]' but %1 found")
                         .arg(TokenDescription(FLexer.Peek())));
            FLexer.Next();
            Expect(']');
        }
    }

    void Block(int ADepth) {
        Enter(ADepth);
        const int headerLine = FLexer.Peek().Line;
        try {
            Header();
        } catch (const TFault&) {
            Recover(headerLine);
        }
        bool children = false;
        for (;;) {
            if (AtEOF()) {
                Fail(QStringLiteral("Unexpected end of text: 'end' expected"));
            }
            if (AtWord("end")) {
                FLexer.Next();
                return;
            }
            if (AtBlockKeyword()) {
                children = true;
                Block(ADepth + 1);
                continue;
            }
            const int line = FLexer.Peek().Line;
            try {
                if (children)
                    Fail(QStringLiteral("'object' or 'end' expected but %1 found")
                             .arg(TokenDescription(FLexer.Peek())));
                Property(ADepth);
            } catch (const TFault&) {
                Recover(line);
            }
        }
    }

    void Property(int ADepth) {
        if (FLexer.Peek().Kind != TTokenKind::tkIdent)
            Fail(QStringLiteral("Property name expected but %1 found")
                     .arg(TokenDescription(FLexer.Peek())));
        FLexer.Next();
        Expect('=');
        Value(ADepth + 1);
    }

    void Value(int ADepth) {
        Enter(ADepth);
        const TToken& t = FLexer.Peek();
        switch (t.Kind) {
        case TTokenKind::tkIdent:
        case TTokenKind::tkInteger:
        case TTokenKind::tkFloat:
        case TTokenKind::tkString:
        case TTokenKind::tkBinary:
            FLexer.Next();
            return;
        case TTokenKind::tkEOF:
            Fail(QStringLiteral("Value expected but end of text found"));
        case TTokenKind::tkError:
            Fail(QString());
        case TTokenKind::tkSymbol:
            break;
        }
        if (FLexer.IsSymbol('(')) {
            FLexer.Next();
            while (!FLexer.IsSymbol(')')) {
                if (AtEOF())
                    Fail(QStringLiteral("Unexpected end of text: ')' expected"));
                Value(ADepth + 1);
            }
            FLexer.Next();
        } else if (FLexer.IsSymbol('[')) {
            FLexer.Next();
            while (!FLexer.IsSymbol(']')) {
                const TTokenKind kind = FLexer.Peek().Kind;
                if (kind != TTokenKind::tkIdent && kind != TTokenKind::tkInteger)
                    Fail(QStringLiteral("A set element or ']' expected but %1 found")
                             .arg(TokenDescription(FLexer.Peek())));
                FLexer.Next();
                if (FLexer.IsSymbol(','))
                    FLexer.Next();
                else if (!FLexer.IsSymbol(']'))
                    Fail(QStringLiteral("',' or ']' expected but %1 found")
                             .arg(TokenDescription(FLexer.Peek())));
            }
            FLexer.Next();
        } else if (FLexer.IsSymbol('<')) {
            FLexer.Next();
            while (!FLexer.IsSymbol('>')) {
                if (!AtWord("item"))
                    Fail(QStringLiteral("'item' or '>' expected but %1 found")
                             .arg(TokenDescription(FLexer.Peek())));
                FLexer.Next();
                while (!AtWord("end")) {
                    if (AtEOF())
                        Fail(QStringLiteral("Unexpected end of text: 'end' expected"));
                    const int line = FLexer.Peek().Line;
                    try {
                        Property(ADepth);
                    } catch (const TFault&) {
                        Recover(line);
                    }
                }
                FLexer.Next();
            }
            FLexer.Next();
        } else {
            Fail(QStringLiteral("Value expected but %1 found").arg(TokenDescription(t)));
        }
    }

    std::vector<TStoredFormError> FErrors;
    TStoredFormLexer FLexer;
};

} // namespace

std::vector<TStoredFormError> CheckStoredFormSyntax(const QString& AText) {
    return TSyntaxChecker(AText).Run();
}
