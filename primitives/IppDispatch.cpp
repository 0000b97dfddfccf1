#include "primitives/IppDispatch.h"

#include "primitives/IppBuiltins.h"
#include "primitives/IppLoader.h"

#include <memory>
#include <utility>

namespace {

// The slots start out on the built-in kernels (constant initialisation), so a
// primitive called from another unit's static initializer still works; the
// start-up fill below then binds the libraries that are present.
constinit TIppTable gTable = BuiltinIppKernels();

// Owns the libraries bound at start-up. On the way out the slots go back to
// the built-in kernels before the libraries are released, so that a primitive
// called from a later static destructor never jumps into an unloaded library.
class TProcessLibraries {
public:
    explicit TProcessLibraries(std::unique_ptr<TIppLibraries> libraries)
        : FLibraries(std::move(libraries)) {}
    TProcessLibraries(const TProcessLibraries&) = delete;
    TProcessLibraries& operator=(const TProcessLibraries&) = delete;
    ~TProcessLibraries() { gTable = BuiltinIppKernels(); }

private:
    std::unique_ptr<TIppLibraries> FLibraries;
};

// Filled by a static initializer, before main() and any form exists, and not
// written again until the process exits.
const TProcessLibraries gLibraries{[] {
    TIppTable loaded;
    auto libraries = LoadIppTable(PlatformIppLibraryPaths(), loaded);
    gTable = loaded;
    return libraries;
}()};

} // namespace

#define KV_IPP_DEFINE_SLOT(slot, name, type) TIppSlot<type> const& slot = gTable.slot;
KV_IPP_PRIMITIVES(KV_IPP_DEFINE_SLOT)
#undef KV_IPP_DEFINE_SLOT
TIppGetCpuType* const& ippGetCpuType = gTable.ippGetCpuType;
TIppSVD_64f_D2L* const& ippsSVD_64f_D2L = gTable.ippsSVD_64f_D2L;
