#pragma once
// Published properties are the Qt properties a class declares below QObject
// (QObject's own objectName is not one). These helpers enumerate them, find
// them by name (case-insensitive, as stored forms spell them freely) and
// read and write enumerations by value name.
//
// Default values: an ordinal, string or 64-bit property may declare the
// value the writer leaves out with a class-info entry "default:<Property>",
// spelled as the stored form spells it, e.g.
//     Q_CLASSINFO("default:Interval", "1000")
//     Q_CLASSINFO("default:Align", "vaRight")
//     Q_CLASSINFO("default:Enabled", "True")
//
// A property whose C++ type is an alias (TColor for int, TDateTime for double)
// names it with "type:<Property>", e.g. Q_CLASSINFO("type:Color", "TColor"):
// colours are then written by name where they have one (clWhite).
//
// Without a default, ordinal properties are always written, strings are left out
// when empty and 64-bit integers when 0. Floating-point properties are left
// out when 0 (classes that must keep a zero store it through "_Floats", see
// ZeroFloats.h). Properties declared STORED false are neither written nor
// copied by Assign.

#include <QMetaProperty>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class QObject;

std::vector<QMetaProperty> PublishedProperties(const QMetaObject& AClass);
// The published property of that name, or an invalid QMetaProperty.
QMetaProperty FindPublishedProperty(const QMetaObject& AClass, const QString& AName);

// A property whose value is a pointer to a QObject (sub-object, collection or
// component reference).
bool IsObjectProperty(const QMetaProperty& AProp);
// The class a pointer property is declared with, or null.
const QMetaObject* PropertyClass(const QMetaProperty& AProp);
bool IsFloatProperty(const QMetaProperty& AProp);

// The declared alias type name ("TColor"), or empty.
QString DeclaredType(const QMetaObject& AClass, const char* AProperty);
// The declared default, as its stored-form text.
std::optional<QString> DeclaredDefault(const QMetaObject& AClass, const char* AProperty);

// Value of a property by name; raises EConvertError when there is none.
QVariant GetPropValue(const QObject* AObject, const QString& AName);
// Raises EConvertError when there is no such writable property or the value
// does not convert.
void SetPropValue(QObject* AObject, const QString& AName, const QVariant& AValue);
// Enumeration properties by value name ("vaRight"); raise EConvertError for a
// property that is not an enumeration or a name that is not one of its values.
QString GetEnumProp(const QObject* AObject, const QString& AName);
void SetEnumProp(QObject* AObject, const QString& AName, const QString& AValue);
