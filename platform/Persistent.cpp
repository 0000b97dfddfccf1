#include "platform/Persistent.h"

#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/PublishedProperties.h"

#include <QMetaProperty>

void TFreeDeleter::operator()(TPersistent* AObject) const {
    TPersistent::Free(AObject);
}

TPersistent::TPersistent() = default;

TPersistent::~TPersistent() = default;

void TPersistent::Free(TPersistent* AObject) {
    if (!AObject)
        return;
    AObject->BeforeDestruction();
    delete AObject;
}

void TPersistent::BeforeDestruction() {}

void TPersistent::Assign(TPersistent* ASource) {
    if (ASource) {
        ASource->AssignTo(this);
        return;
    }
    AssignError(nullptr, metaObject()->className());
}

void TPersistent::AssignTo(TPersistent* ADest) {
    AssignError(metaObject()->className(), ADest->metaObject()->className());
}

QString TPersistent::GetNamePath() const {
    return ClassName();
}

TPersistent* TPersistent::GetOwner() const {
    return nullptr;
}

QString TPersistent::ClassName() const {
    return QString::fromLatin1(metaObject()->className());
}

void TPersistent::DefineProperties(TFiler&) {}

void TPersistent::AssignPublished(TPersistent* ASource, const QMetaObject& AFamily,
                                  bool ASkipName) {
    if (!ASource || !ASource->metaObject()->inherits(&AFamily)) {
        TPersistent::Assign(ASource);
        return;
    }
    for (const QMetaProperty& prop : PublishedProperties(*metaObject())) {
        if (!prop.isStored() || (ASkipName && qstrcmp(prop.name(), "Name") == 0))
            continue;
        const int sourceIndex = ASource->metaObject()->indexOfProperty(prop.name());
        if (sourceIndex < 0)
            continue;
        const QMetaProperty sourceProp = ASource->metaObject()->property(sourceIndex);
        if (IsObjectProperty(prop)) {
            auto* dest = qobject_cast<TPersistent*>(prop.read(this).value<QObject*>());
            auto* src = IsObjectProperty(sourceProp)
                            ? qobject_cast<TPersistent*>(sourceProp.read(ASource).value<QObject*>())
                            : nullptr;
            if (dest && src && !qobject_cast<TComponent*>(dest))
                dest->Assign(src);
        } else if (prop.isWritable()) {
            prop.write(this, sourceProp.read(ASource));
        }
    }
}
