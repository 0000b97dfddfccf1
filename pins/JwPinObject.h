#pragma once
// Base of pins and pin lists: a persistent object with a lock that is freed
// through the destruction protocol.

#include "pins/JwObject.h"

class TJwPinObject : public TJwObject {
    Q_OBJECT
public:
    TJwPinObject();

protected:
    ~TJwPinObject() override;
};
