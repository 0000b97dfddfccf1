#pragma once
// The errors raised by the pool and the sample buffers.

#include <cstdint>

#include "platform/Exceptions.h"

// An index, row or column outside a buffer: "Index out of range = %u".
class ERangeError : public Exception {
public:
    using Exception::Exception;
};

// The heap refused a block, or a block larger than the pool's largest was asked for.
class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
};

// An integer or byte operation met a zero divisor.
class EDivByZero : public Exception {
public:
    using Exception::Exception;
};

// An object that lacks the interface an operation needs.
class EIntfCastError : public Exception {
public:
    using Exception::Exception;
};

// AFormat holds one %u, filled with AValue read as unsigned, so that a
// negative index shows as the large number it became.
[[noreturn]] void KvRangeError(const char* AFormat, int64_t AValue);
[[noreturn]] void KvOutOfMemory();
[[noreturn]] void KvDivByZero();
[[noreturn]] void KvIntfCastError();
