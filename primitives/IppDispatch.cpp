#include "primitives/IppDispatch.h"

#include "primitives/IppBuiltins.h"
#include "primitives/IppLoader.h"

#include <memory>

namespace {

// The slots start out on the built-in kernels (constant initialisation), so a
// primitive called from another unit's static initializer still works; the
// start-up fill below then binds the libraries that are present.
constinit TIppTable gTable = BuiltinIppKernels();

// Filled by a static initializer, before main() and any form exists, and
// never written again; the libraries are released when the process exits.
const std::unique_ptr<TIppLibraries> gLibraries = [] {
    TIppTable loaded;
    auto libraries = LoadIppTable(PlatformIppLibraryPaths(), loaded);
    gTable = loaded;
    return libraries;
}();

} // namespace

#define KV_IPP_DEFINE_SLOT(slot, name, type) TIppSlot<type> const& slot = gTable.slot;
KV_IPP_PRIMITIVES(KV_IPP_DEFINE_SLOT)
#undef KV_IPP_DEFINE_SLOT
TIppGetCpuType* const& ippGetCpuType = gTable.ippGetCpuType;
TIppSVD_64f_D2L* const& ippsSVD_64f_D2L = gTable.ippsSVD_64f_D2L;
