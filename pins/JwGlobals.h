#pragma once
// Process-wide state of the pin framework, set up at start-up before main runs.

#include <thread>

#include "pins/JwMutex.h"

// Guards the process-wide lists of pins and state dispatchers.
TJwCriticalSection& JwGlobalPinSection();
// Serialises the reports to lock monitors and their registration.
TJwCriticalSection& JwLockMonitorSection();
// The thread that initialised the program.
std::thread::id JwMainThreadID();
