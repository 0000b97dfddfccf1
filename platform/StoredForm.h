#pragma once
// Entry points for whole stored forms (format: docs/stored-form.md).

#include "platform/Persistent.h"
#include "platform/StoredFormLexer.h"

#include <QByteArray>
#include <QString>
#include <vector>

class TComponent;

// The stored form of ARoot, its properties and the components stored in it.
QString ComponentToText(TComponent* ARoot);
// Reads AText into the existing ARoot (whose class the text must name).
// Raises EReadError naming the line; components created by the read are
// freed again on failure.
void ReadComponentFromText(const QString& AText, TComponent* ARoot);
// The text of a stored form's bytes. Without ACodePage they must be UTF-8
// (a byte-order mark is dropped); with it ("windows-1252", "ISO-8859-2"...)
// they are decoded from that code page. Bytes that are not valid there raise
// EReadError "Line <n>, column <c>: ..." naming the first one (the column
// counts bytes); nothing is ever replaced silently. An unknown code page
// raises EReadError too.
QString StoredFormTextFromBytes(const QByteArray& ABytes, const QString& ACodePage = QString());
// The same from a file or Qt resource (":/..."); EFOpenError when it cannot
// be opened.
void ReadComponentFromFile(const QString& AFileName, TComponent* ARoot,
                           const QString& ACodePage = QString());
// Creates the root component through the class registry, without owner,
// and reads AText into it. Nothing survives a failure.
TOwned<TComponent> CreateComponentFromText(const QString& AText);
// Checks AText against the grammar alone, creating nothing and looking up
// no class: every place that is wrong, in text order (empty when the syntax
// is sound). At most MaxSyntaxErrors are reported.
std::vector<TStoredFormError> CheckStoredFormSyntax(const QString& AText);
inline constexpr size_t MaxSyntaxErrors = 1000;
