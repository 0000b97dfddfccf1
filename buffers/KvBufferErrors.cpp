#include "buffers/KvBufferErrors.h"

#include <QString>

void KvRangeError(const char* AFormat, int64_t AValue) {
    throw ERangeError(
        QString::asprintf(AFormat, static_cast<unsigned>(static_cast<uint32_t>(AValue))));
}

void KvOutOfMemory() {
    throw EOutOfMemory(QStringLiteral("Out of memory"));
}

void KvDivByZero() {
    throw EDivByZero(QStringLiteral("Division by zero"));
}

void KvIntfCastError() {
    throw EIntfCastError(QStringLiteral("Interface not supported"));
}
