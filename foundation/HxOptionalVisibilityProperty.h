#pragma once
// A settings object that can be hidden; visible unless told otherwise.

#include "foundation/HxPersistentNotify.h"

class THxOptionalVisibilityProperty : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_CLASSINFO("default:Visible", "True")
public:
    THxOptionalVisibilityProperty(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                                  TNotifyEvent AOnChange = nullptr);
    THxOptionalVisibilityProperty(THxPersistent* AOwner, TNotifyEvent AOnChange);

    bool GetVisible() const;
    // A change raises OnChange.
    void SetVisible(bool Value);

protected:
    ~THxOptionalVisibilityProperty() override;

private:
    bool FVisible = true;
};
