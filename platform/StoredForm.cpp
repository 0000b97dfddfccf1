#include "platform/StoredForm.h"

#include "platform/ClassRegistry.h"
#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/Filer.h"
#include "platform/StoredFormLexer.h"

#include <QFile>

QString ComponentToText(TComponent* ARoot) {
    TWriter writer(ARoot);
    return writer.WriteRootComponent();
}

void ReadComponentFromText(const QString& AText, TComponent* ARoot) {
    TReader reader(AText, ARoot);
    reader.ReadRootComponent();
}

void ReadComponentFromFile(const QString& AFileName, TComponent* ARoot) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, file.errorString()));
    ReadComponentFromText(QString::fromUtf8(file.readAll()), ARoot);
}

TOwned<TComponent> CreateComponentFromText(const QString& AText) {
    // The header "object Name: Class" names the class to create.
    TStoredFormLexer lexer(AText);
    const TToken keyword = lexer.Next();
    if (keyword.Kind != TTokenKind::tkIdent || keyword.Text.compare(QLatin1String("object"), Qt::CaseInsensitive) != 0)
        throw EReadError(QStringLiteral("Line %1: 'object' expected").arg(keyword.Line));
    if (lexer.Peek().Kind == TTokenKind::tkIdent)
        lexer.Next();
    if (!lexer.IsSymbol(':'))
        throw EReadError(QStringLiteral("Line %1: ':' expected").arg(lexer.Peek().Line));
    lexer.Next();
    const TToken className = lexer.Next();
    if (className.Kind != TTokenKind::tkIdent)
        throw EReadError(QStringLiteral("Line %1: class name expected").arg(className.Line));
    const TComponentFactory factory = GetComponentClass(className.Text);
    if (!factory)
        throw EReadError(QStringLiteral("Line %1: Class %2 not found").arg(className.Line).arg(className.Text));
    TOwned<TComponent> root(factory(nullptr));
    ReadComponentFromText(AText, root.get());
    return root;
}
