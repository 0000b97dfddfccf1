#pragma once
// Binds the primitive table to the IPP 5.1 shared libraries that are present,
// export by export, and to the built-in kernels for everything missing.

#include "primitives/IppDispatch.h"

#include <memory>
#include <string>

// File names or paths of the four libraries; an empty one is not loaded.
struct TIppLibraryPaths {
    std::string Signal;
    std::string Core;
    std::string Image;
    std::string Colour;
};

// This platform's names of the signal, core, image and colour libraries.
TIppLibraryPaths PlatformIppLibraryPaths();

// The loaded libraries. Each handle is null when its library failed to load;
// the destructor releases them: signal, then colour, then image, then core.
class TIppLibraries {
public:
    TIppLibraries() = default;
    TIppLibraries(const TIppLibraries&) = delete;
    TIppLibraries& operator=(const TIppLibraries&) = delete;
    ~TIppLibraries();

    void LoadSignalAndCore(const TIppLibraryPaths& paths);
    void LoadImageAndColour(const TIppLibraryPaths& paths);

    // The export of that name, or null.
    void* ResolveSignalPrimitive(const char* name) const;
    void* ResolveCorePrimitive(const char* name) const;
    // Looked up in the image library, then in the colour library.
    void* ResolveImagePrimitive(const char* name) const;

    bool HasSignal() const { return FSignal != nullptr; }
    bool HasCore() const { return FCore != nullptr; }
    bool HasImage() const { return FImage != nullptr; }
    bool HasColour() const { return FColour != nullptr; }

private:
    void* FSignal = nullptr;
    void* FCore = nullptr;
    void* FImage = nullptr;
    void* FColour = nullptr;
};

// Loads the libraries and fills every slot of table, in the start-up order:
// signal and core libraries, the processor query, image and colour libraries,
// then the slots group by group. Returns the libraries, which must outlive
// every use of the table's library exports.
std::unique_ptr<TIppLibraries> LoadIppTable(const TIppLibraryPaths& paths, TIppTable& table);
