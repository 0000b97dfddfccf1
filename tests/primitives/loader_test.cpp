// Binding of the primitive table to libraries that are present, export by
// export, with the built-in kernels in every other slot.

#include "primitives/IppBuiltins.h"
#include "primitives/IppLoader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <string>
#include <vector>

namespace {

// A handle on a stand-in library that the loader already holds, to look its exports up.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const char* path) : FHandle(dlopen(path, RTLD_NOW | RTLD_NOLOAD)) {}
    ~LoadedLibrary() {
        if (FHandle)
            dlclose(FHandle);
    }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    bool IsLoaded() const { return FHandle != nullptr; }
    void* Export(const char* name) const { return dlsym(FHandle, name); }

private:
    void* FHandle;
};

template <typename F> void* address(F* fn) {
    void* p = nullptr;
    std::memcpy(&p, &fn, sizeof p);
    return p;
}

struct SlotBinding {
    const char* slot;
    const char* name;
    void* bound;
    void* builtin;
};

std::vector<SlotBinding> bindings(const TIppTable& table) {
    constexpr TIppTable builtins = BuiltinIppKernels();
    std::vector<SlotBinding> result;
#define KV_IPP_BINDING(slot, name, type)                                                           \
    result.push_back({#slot, name, address(table.slot), address(builtins.slot)});
    KV_IPP_PRIMITIVES(KV_IPP_BINDING)
#undef KV_IPP_BINDING
    return result;
}

bool isSignalName(const char* name) {
    return std::strncmp(name, "ipps", 4) == 0;
}

TEST(IppLoader, WithoutLibrariesEverySlotButSvdHoldsItsBuiltinKernel) {
    TIppTable table;
    auto libraries = LoadIppTable(
        {"", "", "/nonexistent/libippi.so.5.1", "/nonexistent/libippcc.so.5.1"}, table);
    EXPECT_FALSE(libraries->HasSignal() || libraries->HasCore() || libraries->HasImage() ||
                 libraries->HasColour());
    const auto slots = bindings(table);
    EXPECT_EQ(slots.size(), 190u);
    for (const SlotBinding& b : slots) {
        ASSERT_NE(b.builtin, nullptr) << b.slot;
        EXPECT_EQ(b.bound, b.builtin) << b.slot;
    }
    EXPECT_EQ(table.ippsSVD_64f_D2L, nullptr);
    ASSERT_NE(table.ippGetCpuType, nullptr);
    EXPECT_EQ(table.ippGetCpuType(), 0);
}

TEST(IppLoader, TheThreeSharedNamesHaveIndependentSlotsWithTheirOwnKernels) {
    constexpr TIppTable builtins = BuiltinIppKernels();
    EXPECT_NE(address(builtins.ippiSet_8u_C4R), address(builtins.ippiSet_8u_C4R_Render));
    EXPECT_NE(address(builtins.ippsConvert_64f32f), address(builtins.ippsConvert_64f32f_Render));
    EXPECT_NE(address(builtins.ippsConvert_64f32s_Sfs),
              address(builtins.ippsConvert_64f32s_Sfs_Render));
}

TEST(IppLoader, ProcessTableIsBoundAtStartUpWithoutThePlatformLibraries) {
    // No IPP 5.1 is installed here, so start-up left every global slot on its kernel.
    EXPECT_EQ(address(ippsMove_8u), address(&builtin::ippsMove_8u));
    EXPECT_EQ(address(ippiResizeCenter_8u_C4R), address(&builtin::ippiResizeCenter_8u_C4R));
    EXPECT_EQ(address(ippiSet_8u_C4R_Render), address(&builtin::ippiSet_8u_C4R_Render));
    EXPECT_EQ(ippsSVD_64f_D2L, nullptr);
    EXPECT_EQ(ippGetCpuType(), 0);
    Ipp8u bytes[4] = {1, 2, 3, 4};
    EXPECT_EQ(ippsMove_8u(bytes, bytes + 1, 3), ippStsNoErr);
    EXPECT_EQ(bytes[3], 3);
}

TEST(IppLoader, OnlyTheColourLibraryServesImagePrimitivesFoundThere) {
    TIppTable table;
    auto libraries = LoadIppTable({"", "", "", KV_STANDIN_IPPCC}, table);
    ASSERT_TRUE(libraries->HasColour());
    LoadedLibrary colour(KV_STANDIN_IPPCC);
    ASSERT_TRUE(colour.IsLoaded());

    for (const SlotBinding& b : bindings(table)) {
        void* exported = colour.Export(b.name);
        // Signal names are never looked up in the image or colour library.
        const bool fromColour = exported != nullptr && !isSignalName(b.name);
        EXPECT_EQ(b.bound, fromColour ? exported : b.builtin) << b.slot;
    }
    EXPECT_EQ(address(table.ippiSet_8u_C4R), colour.Export("ippiSet_8u_C4R"));
    EXPECT_EQ(address(table.ippiSet_8u_C4R_Render), colour.Export("ippiSet_8u_C4R"));
    EXPECT_EQ(address(table.ippiMirror_8u_C3R), colour.Export("ippiMirror_8u_C3R"));
    EXPECT_EQ(address(table.ippsMove_8u), address(&builtin::ippsMove_8u));
    // The one entry without a kernel is looked up like an image primitive.
    EXPECT_EQ(address(table.ippsSVD_64f_D2L), colour.Export("ippsSVD_64f_D2L"));
}

TEST(IppLoader, TheImageLibraryIsSearchedBeforeTheColourLibrary) {
    TIppTable table;
    auto libraries = LoadIppTable({"", "", KV_STANDIN_IPPI, KV_STANDIN_IPPCC}, table);
    LoadedLibrary image(KV_STANDIN_IPPI);
    LoadedLibrary colour(KV_STANDIN_IPPCC);
    ASSERT_TRUE(image.IsLoaded() && colour.IsLoaded());
    EXPECT_EQ(address(table.ippiMirror_8u_C4R), image.Export("ippiMirror_8u_C4R"));
    EXPECT_NE(address(table.ippiMirror_8u_C4R), colour.Export("ippiMirror_8u_C4R"));
    EXPECT_EQ(address(table.ippiMirror_8u_C3R), colour.Export("ippiMirror_8u_C3R"));
}

TEST(IppLoader, SignalLibraryLackingOneExportFallsBackInThatSlotOnly) {
    TIppTable table;
    auto libraries = LoadIppTable({KV_STANDIN_IPPS, "", "", ""}, table);
    LoadedLibrary signal(KV_STANDIN_IPPS);
    ASSERT_TRUE(signal.IsLoaded());

    int fallbacks = 0;
    for (const SlotBinding& b : bindings(table)) {
        if (!isSignalName(b.name) || std::strcmp(b.name, "ippsCopy_64f") == 0) {
            EXPECT_EQ(b.bound, b.builtin) << b.slot;
            fallbacks += isSignalName(b.name) ? 1 : 0;
        } else {
            ASSERT_NE(signal.Export(b.name), nullptr) << b.name;
            EXPECT_EQ(b.bound, signal.Export(b.name)) << b.slot;
        }
    }
    EXPECT_EQ(fallbacks, 1);
    EXPECT_EQ(address(table.ippsConvert_64f32f_Render), signal.Export("ippsConvert_64f32f"));

    // The library's kernel is the one that runs.
    Ipp8u bytes[3] = {1, 2, 3};
    EXPECT_EQ(table.ippsZero_8u(bytes, 3), ippStsNoErr);
    EXPECT_EQ(bytes[0], 0x5A);
    EXPECT_EQ(bytes[2], 0x5A);
}

TEST(IppLoader, ProcessorQueryComesFromTheCoreLibrary) {
    TIppTable table;
    auto libraries = LoadIppTable({"", KV_STANDIN_IPPCORE, "", ""}, table);
    EXPECT_TRUE(libraries->HasCore());
    EXPECT_EQ(table.ippGetCpuType(), 1);
}

TEST(IppLoader, LibrariesAreReleasedWithTheirOwner) {
    {
        TIppTable table;
        auto libraries = LoadIppTable(
            {KV_STANDIN_IPPS, KV_STANDIN_IPPCORE, KV_STANDIN_IPPI, KV_STANDIN_IPPCC}, table);
        EXPECT_TRUE(LoadedLibrary(KV_STANDIN_IPPS).IsLoaded());
        EXPECT_TRUE(LoadedLibrary(KV_STANDIN_IPPCC).IsLoaded());
    }
    for (const char* path :
         {KV_STANDIN_IPPS, KV_STANDIN_IPPCORE, KV_STANDIN_IPPI, KV_STANDIN_IPPCC})
        EXPECT_FALSE(LoadedLibrary(path).IsLoaded()) << path;
}

} // namespace
