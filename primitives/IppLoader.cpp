#include "primitives/IppLoader.h"

#include "primitives/IppBuiltins.h"

#include <cstring>
#include <dlfcn.h>

namespace {

void* openLibrary(const std::string& path) {
    return path.empty() ? nullptr : dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* lookUp(void* library, const char* name) {
    return library ? dlsym(library, name) : nullptr;
}

void release(void*& library) {
    if (library)
        dlclose(library);
    library = nullptr;
}

template <typename F> F* asFunction(void* symbol) {
    F* fn = nullptr;
    static_assert(sizeof fn == sizeof symbol);
    std::memcpy(&fn, &symbol, sizeof fn);
    return fn;
}

// Signal names resolve in the signal library, image names in the image and
// then the colour library; a missing export leaves the built-in kernel.
template <typename F>
F* resolveOrBuiltin(const TIppLibraries& libraries, const char* name, F* builtinKernel) {
    void* symbol = std::strncmp(name, "ippi", 4) == 0 ? libraries.ResolveImagePrimitive(name)
                                                      : libraries.ResolveSignalPrimitive(name);
    return symbol ? asFunction<F>(symbol) : builtinKernel;
}

} // namespace

TIppLibraryPaths PlatformIppLibraryPaths() {
    return {"libipps.so.5.1", "libippcore.so.5.1", "libippi.so.5.1", "libippcc.so.5.1"};
}

TIppLibraries::~TIppLibraries() {
    release(FSignal);
    release(FColour);
    release(FImage);
    release(FCore);
}

void TIppLibraries::LoadSignalAndCore(const TIppLibraryPaths& paths) {
    FSignal = openLibrary(paths.Signal);
    FCore = openLibrary(paths.Core);
}

void TIppLibraries::LoadImageAndColour(const TIppLibraryPaths& paths) {
    FImage = openLibrary(paths.Image);
    FColour = openLibrary(paths.Colour);
}

void* TIppLibraries::ResolveSignalPrimitive(const char* name) const {
    return lookUp(FSignal, name);
}

void* TIppLibraries::ResolveCorePrimitive(const char* name) const {
    return lookUp(FCore, name);
}

void* TIppLibraries::ResolveImagePrimitive(const char* name) const {
    if (void* symbol = lookUp(FImage, name))
        return symbol;
    return lookUp(FColour, name);
}

std::unique_ptr<TIppLibraries> LoadIppTable(const TIppLibraryPaths& paths, TIppTable& table) {
    constexpr TIppTable builtins = BuiltinIppKernels();
    auto libraries = std::make_unique<TIppLibraries>();
    libraries->LoadSignalAndCore(paths);
    void* cpuType = libraries->ResolveCorePrimitive("ippGetCpuType");
    table.ippGetCpuType = cpuType ? asFunction<TIppGetCpuType>(cpuType) : builtins.ippGetCpuType;
    libraries->LoadImageAndColour(paths);
#define KV_IPP_FILL(slot, name, type)                                                              \
    table.slot = resolveOrBuiltin(*libraries, name, builtins.slot);
    KV_IPP_PRIMITIVES(KV_IPP_FILL)
#undef KV_IPP_FILL
    table.ippsSVD_64f_D2L =
        asFunction<TIppSVD_64f_D2L>(libraries->ResolveImagePrimitive("ippsSVD_64f_D2L"));
    return libraries;
}
