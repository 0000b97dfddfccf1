#pragma once
// The process-wide table of vector and image primitives. Every slot has the
// IPP 5.1 name and signature of its primitive; callers write
// `ippsMove_8u(src, dst, n)` and get either the IPP library's export or the
// built-in kernel of that name.

#include "primitives/IppPrimitiveList.h"

// A slot of function type F.
template <typename F> using TIppSlot = F*;

using TIppGetCpuType = IppCpuType();
using TIppSVD_64f_D2L = IppStatus(const Ipp64f**, Ipp64f**, int, Ipp64f*, Ipp64f**, int, int);

// One complete set of slots. The loader fills one of these; the process
// keeps its own in the globals below.
struct TIppTable {
#define KV_IPP_TABLE_MEMBER(slot, name, type) TIppSlot<type> slot = nullptr;
    KV_IPP_PRIMITIVES(KV_IPP_TABLE_MEMBER)
#undef KV_IPP_TABLE_MEMBER
    TIppGetCpuType* ippGetCpuType = nullptr;
    // No built-in kernel: null unless a library exports it; test before use.
    TIppSVD_64f_D2L* ippsSVD_64f_D2L = nullptr;
};

// The process's slots, filled at start-up and read-only afterwards.
#define KV_IPP_GLOBAL_SLOT(slot, name, type) extern TIppSlot<type> const& slot;
KV_IPP_PRIMITIVES(KV_IPP_GLOBAL_SLOT)
#undef KV_IPP_GLOBAL_SLOT
extern TIppGetCpuType* const& ippGetCpuType;
extern TIppSVD_64f_D2L* const& ippsSVD_64f_D2L;
