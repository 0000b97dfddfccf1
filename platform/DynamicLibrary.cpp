#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <utility>

TDynamicLibrary::TDynamicLibrary(const QString& AFileName) {
    Load(AFileName);
}

TDynamicLibrary::~TDynamicLibrary() {
    Free();
}

TDynamicLibrary::TDynamicLibrary(TDynamicLibrary&& AOther) noexcept
    : FHandle(std::exchange(AOther.FHandle, nullptr)), FError(std::move(AOther.FError)) {}

TDynamicLibrary& TDynamicLibrary::operator=(TDynamicLibrary&& AOther) noexcept {
    if (this != &AOther) {
        Free();
        FHandle = std::exchange(AOther.FHandle, nullptr);
        FError = std::move(AOther.FError);
    }
    return *this;
}

bool TDynamicLibrary::Load(const QString& AFileName) {
    Free();
    FError.clear();
    FHandle = dlopen(AFileName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!FHandle) {
        const char* error = dlerror();
        FError = QString::fromLocal8Bit(error ? error : "cannot load library");
    }
    return FHandle != nullptr;
}

void* TDynamicLibrary::Resolve(const char* AName) const {
    if (!FHandle || !AName)
        return nullptr;
    return dlsym(FHandle, AName);
}

void TDynamicLibrary::Free() {
    if (FHandle) {
        dlclose(FHandle);
        FHandle = nullptr;
    }
}
