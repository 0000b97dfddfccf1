#include "display/KvDisplayPersistent.h"

#include "display/KvDataDisplay.h"

TKvDisplayPersistent::TKvDisplayPersistent(TKvDataDisplay* ADisplay)
    : THxPersistent(static_cast<TComponent*>(ADisplay), ADisplay->Lock()), FDisplay(ADisplay) {}

TKvDisplayPersistent::TKvDisplayPersistent(THxPersistent* AOwner, TKvDataDisplay* ADisplay)
    : THxPersistent(AOwner), FDisplay(ADisplay) {}

TKvDisplayPersistent::TKvDisplayPersistent(THxCollectionItem* AOwner, TKvDataDisplay* ADisplay)
    : THxPersistent(AOwner), FDisplay(ADisplay) {}

TKvDisplayPersistent::TKvDisplayPersistent(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                           TKvDataDisplay* ADisplay)
    : THxPersistent(AOwnerProperty, ALock), FDisplay(ADisplay) {}

TKvDisplayPersistent::~TKvDisplayPersistent() = default;

void TKvDisplayPersistent::DisplayInvalidateLayout() {
    if (FDisplay)
        FDisplay->InvalidateLayout();
}

void TKvDisplayPersistent::DisplayInvalidateRefresh() {
    if (FDisplay)
        FDisplay->InvalidateRefresh();
}
