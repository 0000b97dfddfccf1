#pragma once
// A shared library loaded by file name, its functions resolved by name.
// Libraries are optional: a missing library or function is reported by
// IsLoaded / a null result, not by an exception.

#include <QString>

class TDynamicLibrary {
public:
    TDynamicLibrary() = default;
    // Loads AFileName (searched as the system loader does for a bare name).
    explicit TDynamicLibrary(const QString& AFileName);
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;
    TDynamicLibrary(TDynamicLibrary&& AOther) noexcept;
    TDynamicLibrary& operator=(TDynamicLibrary&& AOther) noexcept;

    // Frees any library held, then loads AFileName; false when it cannot be
    // loaded (ErrorString says why).
    bool Load(const QString& AFileName);
    bool IsLoaded() const { return FHandle != nullptr; }
    // The address of the exported symbol AName, or null.
    void* Resolve(const char* AName) const;
    // Releases the library; functions resolved from it must not be called
    // afterwards.
    void Free();
    const QString& ErrorString() const { return FError; }

private:
    void* FHandle = nullptr;
    QString FError;
};
