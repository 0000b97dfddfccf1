#include "pins/JwGlobals.h"

namespace {

std::thread::id GMainThreadID;

// Runs during static initialisation, on the thread that starts the program.
[[maybe_unused]] const bool GInitialised = [] {
    GMainThreadID = std::this_thread::get_id();
    JwGlobalPinSection();
    JwLockMonitorSection();
    return true;
}();

} // namespace

TJwCriticalSection& JwGlobalPinSection() {
    static TJwCriticalSection Section;
    return Section;
}

TJwCriticalSection& JwLockMonitorSection() {
    static TJwCriticalSection Section;
    return Section;
}

std::thread::id JwMainThreadID() {
    return GMainThreadID;
}
