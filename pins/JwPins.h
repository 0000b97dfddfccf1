#pragma once
// The pin framework: locks, notify operations and state dispatchers.

#include "pins/JwDestroyLock.h"
#include "pins/JwDispatcherPin.h"
#include "pins/JwGlobals.h"
#include "pins/JwLockEvents.h"
#include "pins/JwLocks.h"
#include "pins/JwMutex.h"
#include "pins/JwNotify.h"
#include "pins/JwObject.h"
#include "pins/JwStateDispatcher.h"
