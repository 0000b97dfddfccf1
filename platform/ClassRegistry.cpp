#include "platform/ClassRegistry.h"

#include "platform/Exceptions.h"

#include <QHash>
#include <QMetaObject>
#include <mutex>

namespace {

struct TRegistry {
    std::mutex Lock;
    QHash<QString, TComponentFactory> Classes;
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

} // namespace

void RegisterComponentClass(const QMetaObject& AClass, TComponentFactory AFactory) {
    TRegistry& r = Registry();
    std::lock_guard guard(r.Lock);
    r.Classes.insert(QString::fromLatin1(AClass.className()), AFactory);
}

void UnregisterComponentClass(const QMetaObject& AClass) {
    TRegistry& r = Registry();
    std::lock_guard guard(r.Lock);
    r.Classes.remove(QString::fromLatin1(AClass.className()));
}

TComponentFactory GetComponentClass(const QString& AName) {
    TRegistry& r = Registry();
    std::lock_guard guard(r.Lock);
    return r.Classes.value(AName, nullptr);
}

TComponentFactory FindComponentClass(const QString& AName) {
    TComponentFactory factory = GetComponentClass(AName);
    if (!factory)
        throw EClassNotFound(QStringLiteral("Class %1 not found").arg(AName));
    return factory;
}
