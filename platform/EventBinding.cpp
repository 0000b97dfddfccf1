#include "platform/EventBinding.h"

#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/Filer.h"

#include <QMetaMethod>

namespace {

// A method that can take a sender of ASenderClass: no parameter, or one
// pointer to a class the sender inherits.
bool CanHandle(const QMetaMethod& AMethod, const QMetaObject& ASenderClass) {
    if (AMethod.parameterCount() == 0)
        return true;
    if (AMethod.parameterCount() != 1)
        return false;
    const QMetaType type = AMethod.parameterMetaType(0);
    const QMetaObject* cls =
        type.flags().testFlag(QMetaType::PointerToQObject) ? type.metaObject() : nullptr;
    return cls && ASenderClass.inherits(cls);
}

} // namespace

TBoundMethod BindRootMethod(TComponent* ARoot, const QString& AMethodName,
                            const QMetaObject& ASenderClass) {
    const QMetaObject* cls = ARoot->metaObject();
    const QByteArray name = AMethodName.toLatin1();
    bool nameFound = false;
    for (int i = cls->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod method = cls->method(i);
        if (method.name() != name || method.methodType() == QMetaMethod::Signal)
            continue;
        nameFound = true;
        if (!CanHandle(method, ASenderClass))
            continue;
        return [root = QPointer<QObject>(ARoot), method](QObject* ASender) {
            if (!root)
                return;
            if (method.parameterCount() == 0)
                method.invoke(root.data(), Qt::DirectConnection);
            else
                method.invoke(root.data(), Qt::DirectConnection,
                              QGenericArgument(method.parameterTypeName(0).constData(), &ASender));
        };
    }
    if (nameFound)
        throw Exception(QStringLiteral("Method %1 of %2 cannot handle an event of %3")
                            .arg(AMethodName, ARoot->ClassName(),
                                 QString::fromLatin1(ASenderClass.className())));
    throw Exception(
        QStringLiteral("Method %1 not found in %2").arg(AMethodName, ARoot->ClassName()));
}

void DefineEventProperty(TFiler& AFiler, const QString& AName, QString& AMethodName,
                         const QMetaObject& ASenderClass,
                         std::function<void(TBoundMethod)> ASetHandler) {
    auto read = [&AMethodName, &ASenderClass, set = std::move(ASetHandler)](TReader& AReader) {
        const QString name = AReader.ReadIdent();
        if (name.compare(QLatin1String("nil"), Qt::CaseInsensitive) == 0) {
            AMethodName.clear();
            set(nullptr);
            return;
        }
        set(BindRootMethod(AReader.Root(), name, ASenderClass));
        AMethodName = name;
    };
    auto write = [&AMethodName](TWriter& AWriter) { AWriter.WriteIdent(AMethodName); };
    AFiler.DefineProperty(AName, read, write, !AMethodName.isEmpty());
}
