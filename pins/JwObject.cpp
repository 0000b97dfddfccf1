#include "pins/JwObject.h"

TJwObject::TJwObject() : FIntLock(new TJwLock) {}

TJwObject::~TJwObject() = default;

TJwLockSectionPtr TJwObject::ReadLock() {
    return FIntLock->ReadSection(nullptr);
}

TJwLockSectionPtr TJwObject::WriteLock() {
    return FIntLock->WriteSection(nullptr);
}

TJwLockSectionPtr TJwObject::UnlockAll() {
    return FIntLock->UnlockAll();
}
