#pragma once
// Locks, settings objects and the timer that every configurable object of
// the display library is built from.

#include "foundation/HxCollection.h"
#include "foundation/HxLock.h"
#include "foundation/HxOptionalVisibilityProperty.h"
#include "foundation/HxPersistent.h"
#include "foundation/HxPersistentNotify.h"
#include "foundation/HxTimer.h"
#include "foundation/HxTypes.h"
