#include "platform/PublishedProperties.h"

#include "platform/Exceptions.h"

#include <QMetaEnum>
#include <QObject>

std::vector<QMetaProperty> PublishedProperties(const QMetaObject& AClass) {
    std::vector<QMetaProperty> result;
    for (int i = QObject::staticMetaObject.propertyCount(); i < AClass.propertyCount(); ++i)
        result.push_back(AClass.property(i));
    return result;
}

QMetaProperty FindPublishedProperty(const QMetaObject& AClass, const QString& AName) {
    const QByteArray latin = AName.toLatin1();
    const int exact = AClass.indexOfProperty(latin.constData());
    if (exact >= QObject::staticMetaObject.propertyCount())
        return AClass.property(exact);
    for (const QMetaProperty& p : PublishedProperties(AClass))
        if (QString::fromLatin1(p.name()).compare(AName, Qt::CaseInsensitive) == 0)
            return p;
    return QMetaProperty();
}

bool IsObjectProperty(const QMetaProperty& AProp) {
    return AProp.metaType().flags().testFlag(QMetaType::PointerToQObject);
}

const QMetaObject* PropertyClass(const QMetaProperty& AProp) {
    return IsObjectProperty(AProp) ? AProp.metaType().metaObject() : nullptr;
}

bool IsFloatProperty(const QMetaProperty& AProp) {
    const int id = AProp.metaType().id();
    return id == QMetaType::Double || id == QMetaType::Float;
}

QString DeclaredType(const QMetaObject& AClass, const char* AProperty) {
    const QByteArray key = QByteArray("type:") + AProperty;
    const int index = AClass.indexOfClassInfo(key.constData());
    return index < 0 ? QString() : QString::fromLatin1(AClass.classInfo(index).value());
}

std::optional<QString> DeclaredDefault(const QMetaObject& AClass, const char* AProperty) {
    const QByteArray key = QByteArray("default:") + AProperty;
    const int index = AClass.indexOfClassInfo(key.constData());
    if (index < 0)
        return std::nullopt;
    return QString::fromUtf8(AClass.classInfo(index).value());
}

namespace {

QMetaProperty RequireProperty(const QObject* AObject, const QString& AName) {
    const QMetaProperty prop = FindPublishedProperty(*AObject->metaObject(), AName);
    if (!prop.isValid())
        throw EConvertError(
            QStringLiteral("Property %1 does not exist in %2")
                .arg(AName, QString::fromLatin1(AObject->metaObject()->className())));
    return prop;
}

QMetaProperty RequireEnum(const QObject* AObject, const QString& AName) {
    const QMetaProperty prop = RequireProperty(AObject, AName);
    if (!prop.isEnumType() || prop.isFlagType())
        throw EConvertError(QStringLiteral("Property %1 is not an enumeration").arg(AName));
    return prop;
}

} // namespace

QVariant GetPropValue(const QObject* AObject, const QString& AName) {
    return RequireProperty(AObject, AName).read(AObject);
}

void SetPropValue(QObject* AObject, const QString& AName, const QVariant& AValue) {
    const QMetaProperty prop = RequireProperty(AObject, AName);
    if (!prop.isWritable() || !prop.write(AObject, AValue))
        throw EConvertError(
            QStringLiteral("Cannot set property %1 of %2")
                .arg(AName, QString::fromLatin1(AObject->metaObject()->className())));
}

QString GetEnumProp(const QObject* AObject, const QString& AName) {
    const QMetaProperty prop = RequireEnum(AObject, AName);
    const QVariant value = prop.read(AObject);
    const char* key = prop.enumerator().valueToKey(value.toInt());
    if (!key)
        throw EConvertError(
            QStringLiteral("Property %1 holds no value of its enumeration").arg(AName));
    return QString::fromLatin1(key);
}

void SetEnumProp(QObject* AObject, const QString& AName, const QString& AValue) {
    const QMetaProperty prop = RequireEnum(AObject, AName);
    bool ok = false;
    const int value = prop.enumerator().keyToValue(AValue.toLatin1().constData(), &ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a value of %2")
                                .arg(AValue, QString::fromLatin1(prop.enumerator().name())));
    if (!prop.write(AObject, QVariant(value)))
        throw EConvertError(QStringLiteral("Cannot set property %1").arg(AName));
}
