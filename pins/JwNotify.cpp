#include "pins/JwNotify.h"

#include <atomic>

namespace {

std::atomic<uint32_t> GLastOperationID{0};

} // namespace

TJwNotifyOperation::TJwNotifyOperation() : FOperationID(++GLastOperationID) {}
