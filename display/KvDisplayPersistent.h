#pragma once
// Settings objects of a data display's parts: they share the lock of the
// object that owns them and know the display, so that a change can ask it to
// lay out again or to repaint.

#include "foundation/HxPersistent.h"

class TKvDataDisplay;

class TKvDisplayPersistent : public THxPersistent {
    Q_OBJECT
public:
    // Owned by the display itself.
    explicit TKvDisplayPersistent(TKvDataDisplay* ADisplay);
    // Owned by a settings object (a view, another settings object).
    TKvDisplayPersistent(THxPersistent* AOwner, TKvDataDisplay* ADisplay);
    TKvDisplayPersistent(THxCollectionItem* AOwner, TKvDataDisplay* ADisplay);
    TKvDisplayPersistent(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                         TKvDataDisplay* ADisplay);

    TKvDataDisplay* Display() const { return FDisplay; }

protected:
    ~TKvDisplayPersistent() override;

    void DisplayInvalidateLayout();
    void DisplayInvalidateRefresh();

    TKvDataDisplay* const FDisplay;
};
