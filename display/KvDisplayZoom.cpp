#include "display/KvDisplayZoom.h"

#include "display/KvDataDisplay.h"
#include "display/KvLockedSet.h"

TKvBasicDisplayZoom::TKvBasicDisplayZoom(TPersistent* AOwnerProperty, const THxLockPtr& ALock)
    : THxPersistent(AOwnerProperty, ALock) {}

TKvBasicDisplayZoom::~TKvBasicDisplayZoom() = default;

TKvDisplayZoom::TKvDisplayZoom(TKvDataDisplay* ADisplay)
    : TKvBasicDisplayZoom(static_cast<TComponent*>(ADisplay), ADisplay->Lock()),
      FDisplay(ADisplay) {}

TKvDisplayZoom::~TKvDisplayZoom() = default;

TKvDisplayZoomMode TKvDisplayZoom::GetMode() const {
    const TJwLockSectionPtr section = FLock->ReadLock();
    return FMode;
}

void TKvDisplayZoom::SetMode(TKvDisplayZoomMode AValue) {
    KvLockedSet(*FLock, FMode, AValue, [this] { FDisplay->InvalidateRefresh(); });
}

bool TKvDisplayZoom::IsZoomed() const {
    IKvDisplayAxis* x = FDisplay->GetXAxis();
    IKvDisplayAxis* y = FDisplay->GetYAxis();
    return (x && x->GetIsZoomed()) || (y && y->GetIsZoomed());
}

double TKvDisplayZoom::XMin() const {
    return FDisplay->GetXMin();
}

double TKvDisplayZoom::XMax() const {
    return FDisplay->GetXMax();
}

double TKvDisplayZoom::YMin() const {
    return FDisplay->GetYMin();
}

double TKvDisplayZoom::YMax() const {
    return FDisplay->GetYMax();
}
