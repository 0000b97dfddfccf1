#include "dialogs/KvEnumNames.h"

QString StripEnumPrefix(const QString& AName) {
    qsizetype start = 0;
    while (AName.size() - start > 1 && AName.at(start).isLower())
        ++start;
    return AName.mid(start);
}

QStringList EnumDisplayNames(const QMetaEnum& AEnum) {
    QStringList names;
    for (int i = 0; i < AEnum.keyCount(); ++i)
        names.append(StripEnumPrefix(QString::fromLatin1(AEnum.key(i))));
    return names;
}
