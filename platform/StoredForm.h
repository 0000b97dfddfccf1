#pragma once
// Entry points for whole stored forms (format: docs/stored-form.md).

#include "platform/Persistent.h"

#include <QString>

class TComponent;

// The stored form of ARoot, its properties and the components stored in it.
QString ComponentToText(TComponent* ARoot);
// Reads AText into the existing ARoot (whose class the text must name).
// Raises EReadError naming the line; components created by the read are
// freed again on failure.
void ReadComponentFromText(const QString& AText, TComponent* ARoot);
// The same from a UTF-8 file or Qt resource (":/..."); EFOpenError when it
// cannot be opened.
void ReadComponentFromFile(const QString& AFileName, TComponent* ARoot);
// Creates the root component through the class registry, without owner,
// and reads AText into it. Nothing survives a failure.
TOwned<TComponent> CreateComponentFromText(const QString& AText);
