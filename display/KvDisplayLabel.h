#pragma once
// A display's captions (legend group captions, axis labels): an optional
// label whose font starts two points larger than a plain one's.

#include "foundation/KvOptionalLabel.h"

class TKvDisplayLabel : public TKvOptionalLabel {
    Q_OBJECT
public:
    TKvDisplayLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TNotifyEvent AOnChange);

protected:
    ~TKvDisplayLabel() override;
};
