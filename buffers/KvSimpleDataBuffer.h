#pragma once
// The sample buffers that carry data between components: reference-counted,
// copy-on-write vectors of bytes, doubles, integers and complex doubles, and
// row-major matrices of doubles.

#include "buffers/KvBlockBuffer.h"
#include "buffers/KvBufferErrors.h"
#include "buffers/KvBufferInterfaces.h"
#include "buffers/KvComplexBuffer.h"
#include "buffers/KvIntegerBuffer.h"
#include "buffers/KvRealBuffer.h"
#include "buffers/KvRealMatrixBuffer.h"
