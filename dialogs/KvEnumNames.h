#pragma once
// Option lists of the property dialogs, made from the names of an
// enumeration: "psDashDot" is shown as "DashDot". The item's index is the
// enumeration's value, so the enumeration must count from 0 without gaps.

#include <QMetaEnum>
#include <QString>
#include <QStringList>

// AName without its lowercase prefix: leading lowercase letters are dropped
// while at least two characters remain.
QString StripEnumPrefix(const QString& AName);

// The stripped names of AEnum, in value order.
QStringList EnumDisplayNames(const QMetaEnum& AEnum);

template <class TEnum> QStringList EnumDisplayNames() {
    return EnumDisplayNames(QMetaEnum::fromType<TEnum>());
}
