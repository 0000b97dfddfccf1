#include "platform/ZeroFloats.h"

#include "platform/Exceptions.h"
#include "platform/Filer.h"
#include "platform/Persistent.h"
#include "platform/PublishedProperties.h"

namespace {

bool IsDateTime(const QMetaObject& AClass, const QMetaProperty& AProp) {
    const QString type = DeclaredType(AClass, AProp.name());
    return type == QLatin1String("TDateTime") || type == QLatin1String("TDate") ||
           type == QLatin1String("TTime");
}

// The published, stored, writable floating-point properties holding 0.
std::vector<QMetaProperty> ZeroFloatProperties(TPersistent* AInstance) {
    std::vector<QMetaProperty> result;
    const QMetaObject& cls = *AInstance->metaObject();
    for (const QMetaProperty& prop : PublishedProperties(cls))
        if (IsFloatProperty(prop) && prop.isStored() && prop.isWritable() &&
            !IsDateTime(cls, prop) && prop.read(AInstance).toDouble() == 0.0)
            result.push_back(prop);
    return result;
}

} // namespace

void DefineZeroFloats(TFiler& AFiler, TPersistent* AInstance) {
    auto read = [AInstance](TReader& AReader) {
        AReader.ReadListBegin();
        while (!AReader.EndOfList()) {
            AReader.ReadListBegin();
            const QString name = AReader.ReadIdent();
            const double value = AReader.ReadFloat();
            AReader.ReadListEnd();
            const QMetaProperty prop = FindPublishedProperty(*AInstance->metaObject(), name);
            if (!prop.isValid() || !IsFloatProperty(prop))
                continue;
            try {
                prop.write(AInstance, prop.metaType().id() == QMetaType::Float
                                          ? QVariant(static_cast<float>(value))
                                          : QVariant(value));
            } catch (const Exception&) {
                // A setter that refuses one value does not stop the others.
            }
        }
        AReader.ReadListEnd();
    };
    auto write = [AInstance](TWriter& AWriter) {
        AWriter.WriteListBegin();
        for (const QMetaProperty& prop : ZeroFloatProperties(AInstance)) {
            AWriter.WriteListBegin();
            AWriter.WriteIdent(QString::fromLatin1(prop.name()));
            AWriter.WriteFloat(prop.read(AInstance).toDouble());
            AWriter.WriteListEnd();
        }
        AWriter.WriteListEnd();
    };
    AFiler.DefineProperty(QStringLiteral("_Floats"), read, write,
                          !ZeroFloatProperties(AInstance).empty());
}
