#pragma once
// The built-in kernel of every slot, by slot name.

#include "primitives/IppDispatch.h"
#include "primitives/KernelsAlpha.h"
#include "primitives/KernelsArithmetic.h"
#include "primitives/KernelsComplex.h"
#include "primitives/KernelsConvert.h"
#include "primitives/KernelsCopy.h"
#include "primitives/KernelsCorrelation.h"
#include "primitives/KernelsElementFunctions.h"
#include "primitives/KernelsFir.h"
#include "primitives/KernelsFourier.h"
#include "primitives/KernelsImage.h"
#include "primitives/KernelsSignals.h"
#include "primitives/KernelsStatistics.h"
#include "primitives/KernelsThreshold.h"
#include "primitives/KernelsWindows.h"
#include "primitives/Resize.h"

// The static_cast rejects a kernel whose signature differs from its slot's.
constexpr TIppTable BuiltinIppKernels() {
    TIppTable table;
#define KV_IPP_BUILTIN(slot, name, type) table.slot = static_cast<TIppSlot<type>>(&builtin::slot);
    KV_IPP_PRIMITIVES(KV_IPP_BUILTIN)
#undef KV_IPP_BUILTIN
    table.ippGetCpuType = &builtin::ippGetCpuType;
    return table;
}
