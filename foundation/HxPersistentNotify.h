#pragma once
// A settings object that raises OnChange(self) after each change; owners
// pass a handler that typically invalidates their control.

#include "foundation/HxPersistent.h"

class THxPersistentNotify : public THxPersistent {
    Q_OBJECT
public:
    THxPersistentNotify(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                        TNotifyEvent AOnChange = nullptr);
    THxPersistentNotify(TComponent* AOwner, const THxLockPtr& ALock,
                        TNotifyEvent AOnChange = nullptr);
    THxPersistentNotify(THxPersistent* AOwner, TNotifyEvent AOnChange);
    THxPersistentNotify(THxCollectionItem* AOwner, TNotifyEvent AOnChange);

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent AValue) { FOnChange = std::move(AValue); }

    void LockChanged() override;

protected:
    ~THxPersistentNotify() override;

private:
    TNotifyEvent FOnChange;
};
