#include "pins/JwPinObject.h"

TJwPinObject::TJwPinObject() = default;

TJwPinObject::~TJwPinObject() = default;
