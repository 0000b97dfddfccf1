#include "pins/JwPinObservers.h"

#include <algorithm>
#include <vector>

#include "pins/JwGlobals.h"
#include "platform/SilentFailure.h"

namespace {

std::vector<TIntfPtr<IJwPinObserver>>& Observers() {
    static std::vector<TIntfPtr<IJwPinObserver>> List;
    return List;
}

} // namespace

void JwRegisterPinObserver(const TIntfPtr<IJwPinObserver>& AObserver) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    if (AObserver &&
        std::find(Observers().begin(), Observers().end(), AObserver) == Observers().end())
        Observers().push_back(AObserver);
}

void JwUnregisterPinObserver(const TIntfPtr<IJwPinObserver>& AObserver) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    auto& List = Observers();
    List.erase(std::remove(List.begin(), List.end(), AObserver), List.end());
}

void JwAnnounce(TJwPinEvent AEvent, TJwObject* AObject) {
    TJwCriticalSectionLock L(JwGlobalPinSection());
    // A copy: an observer may unregister itself while being told.
    const auto List = Observers();
    for (const auto& Observer : List) {
        Silently("a pin observer", [&] { Observer->PinNotify(AEvent, AObject); });
    }
}
