#include "platform/Persistent.h"

#include "platform/Component.h"
#include "platform/Exceptions.h"
#include "platform/PublishedProperties.h"

#include <QMetaProperty>

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "platform/FreeGuard.h"

void TFreeDeleter::operator()(TPersistent* AObject) const {
    TPersistent::Free(AObject);
}

namespace {

struct TGuarded {
    int Depth = 0;
    bool FreePending = false;
};

std::mutex GuardMutex;
// Guards open anywhere: while there are none, Free looks no further.
std::atomic<int> GuardCount{0};

std::unordered_map<const TPersistent*, TGuarded>& Guarded() {
    static std::unordered_map<const TPersistent*, TGuarded> map;
    return map;
}

// True when a guard keeps AObject: its last guard frees it.
bool FreeLater(const TPersistent* AObject) {
    if (GuardCount.load(std::memory_order_acquire) == 0)
        return false;
    const std::lock_guard lock(GuardMutex);
    const auto it = Guarded().find(AObject);
    if (it == Guarded().end())
        return false;
    it->second.FreePending = true;
    return true;
}

} // namespace

TFreeGuard::TFreeGuard(TPersistent* AObject) : FObject(AObject) {
    const std::lock_guard lock(GuardMutex);
    ++Guarded()[AObject].Depth;
    GuardCount.fetch_add(1, std::memory_order_release);
}

TFreeGuard::~TFreeGuard() {
    bool free = false;
    {
        const std::lock_guard lock(GuardMutex);
        const auto it = Guarded().find(FObject);
        if (--it->second.Depth == 0) {
            free = it->second.FreePending;
            Guarded().erase(it);
        }
        GuardCount.fetch_sub(1, std::memory_order_release);
    }
    if (free)
        TPersistent::Free(FObject);
}

TPersistent::TPersistent() = default;

TPersistent::~TPersistent() = default;

void TPersistent::Free(TPersistent* AObject) {
    if (!AObject || FreeLater(AObject))
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
