#pragma once
// The pooled storage under every sample buffer: the pool of raw blocks and
// the shared data containers.

#include "buffers/KvSmartBuffer.h"
#include "buffers/KvSmartBufferManager.h"
