#pragma once
// The lock's setter pattern for value types the lock has no typed setter
// for (the display's enumerations): write lock, compare, store, update,
// notify the node.

#include "foundation/HxLock.h"

template <class T>
bool KvLockedSet(IHxLock& ALock, T& APropValue, T AValue, const THxPropUpdateFunc& AUpdatedFunc) {
    // A stopping lock hands back no section; the set goes on all the same.
    const TJwLockSectionPtr section = ALock.WriteLock();
    if (APropValue == AValue)
        return false;
    APropValue = AValue;
    if (AUpdatedFunc)
        AUpdatedFunc();
    ALock.ChangeNotify();
    return true;
}
