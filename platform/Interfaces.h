#pragma once
// Reference-counted interfaces: one mechanism for everything shared.
//
// - TGUID identifies an interface. Constants are written as their
//   "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" text and parsed at compile time.
// - IInterface is the root of every interface: AddRef/Release on an intrusive
//   atomic count kept in the object, and QueryInterface(IID), which answers a
//   pointer to the asked interface (no reference added) or nullptr.
//   Each interface declares `static constexpr TGUID IID` and
//   `using Parent = <the interface it extends>`.
// - TInterfaced<I...> implements IInterface for a class realising I...: the
//   count starts at 0, the last Release deletes the object, and QueryInterface
//   answers each listed interface and every interface it extends.
// - TIntfPtr<T> holds one reference, like an interface variable; an empty
//   pointer is the "nil" answer. Because the count lives in the object, a raw
//   pointer may be wrapped any number of times: TIntfPtr<IJwLock> L(new TJwLock).
// - Supports(AObj, AOut) asks AObj for the interface of AOut's type;
//   Supports(AObj, AIID) only answers whether it is there.

#include <array>
#include <atomic>
#include <compare>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

#include <QString>

[[noreturn]] void GUIDTextError(std::string_view AText);

struct TGUID {
    uint32_t D1 = 0;
    uint16_t D2 = 0;
    uint16_t D3 = 0;
    std::array<uint8_t, 8> D4{};

    // Parses "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (hex digits of either
    // case); raises EConvertError on any other text.
    static constexpr TGUID Parse(std::string_view AText);
    static TGUID FromString(const QString& AText);
    // Upper-case text in braces, the form Parse reads.
    QString ToString() const;
    constexpr bool IsNull() const { return *this == TGUID{}; }

    friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
    friend constexpr auto operator<=>(const TGUID&, const TGUID&) = default;

private:
    static constexpr uint32_t Hex(std::string_view AText, size_t AFrom, size_t ACount) {
        uint32_t R = 0;
        for (size_t I = AFrom; I < AFrom + ACount; ++I) {
            const char C = AText[I];
            uint32_t Digit = 0;
            if (C >= '0' && C <= '9')
                Digit = static_cast<uint32_t>(C - '0');
            else if (C >= 'A' && C <= 'F')
                Digit = static_cast<uint32_t>(C - 'A' + 10);
            else if (C >= 'a' && C <= 'f')
                Digit = static_cast<uint32_t>(C - 'a' + 10);
            else
                GUIDTextError(AText);
            R = R * 16 + Digit;
        }
        return R;
    }
};

constexpr TGUID TGUID::Parse(std::string_view AText) {
    if (AText.size() != 38 || AText[0] != '{' || AText[37] != '}' || AText[9] != '-' ||
        AText[14] != '-' || AText[19] != '-' || AText[24] != '-')
        GUIDTextError(AText);
    TGUID G;
    G.D1 = Hex(AText, 1, 8);
    G.D2 = static_cast<uint16_t>(Hex(AText, 10, 4));
    G.D3 = static_cast<uint16_t>(Hex(AText, 15, 4));
    G.D4[0] = static_cast<uint8_t>(Hex(AText, 20, 2));
    G.D4[1] = static_cast<uint8_t>(Hex(AText, 22, 2));
    for (size_t I = 0; I < 6; ++I)
        G.D4[2 + I] = static_cast<uint8_t>(Hex(AText, 25 + 2 * I, 2));
    return G;
}

class IInterface {
public:
    using Parent = void;
    static constexpr TGUID IID = TGUID::Parse("{00000000-0000-0000-C000-000000000046}");

    virtual void AddRef() noexcept = 0;
    virtual void Release() noexcept = 0;
    virtual void* QueryInterface(const TGUID& AIID) noexcept = 0;

protected:
    ~IInterface() = default;
};

template <class... TIntfs> class TInterfaced : public TIntfs... {
public:
    TInterfaced() = default;
    TInterfaced(const TInterfaced&) = delete;
    TInterfaced& operator=(const TInterfaced&) = delete;
    virtual ~TInterfaced() = default;

    void AddRef() noexcept override { FRefCount.fetch_add(1, std::memory_order_relaxed); }
    void Release() noexcept override {
        if (FRefCount.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete this;
    }
    void* QueryInterface(const TGUID& AIID) noexcept override {
        void* R = nullptr;
        ((R = R ? R : Find<TIntfs, TIntfs>(AIID)), ...);
        return R;
    }
    int32_t RefCount() const noexcept { return FRefCount.load(std::memory_order_acquire); }

protected:
    std::atomic<int32_t> FRefCount{0};

private:
    template <class TIntf, class TAsk> void* Find(const TGUID& AIID) noexcept {
        if (TAsk::IID == AIID)
            return static_cast<TAsk*>(static_cast<TIntf*>(this));
        if constexpr (!std::is_void_v<typename TAsk::Parent>)
            return Find<TIntf, typename TAsk::Parent>(AIID);
        else
            return nullptr;
    }
};

template <class T> class TIntfPtr {
public:
    TIntfPtr() noexcept = default;
    TIntfPtr(std::nullptr_t) noexcept {}
    TIntfPtr(T* AObj) noexcept : FObj(AObj) {
        if (FObj)
            FObj->AddRef();
    }
    TIntfPtr(const TIntfPtr& AOther) noexcept : TIntfPtr(AOther.FObj) {}
    TIntfPtr(TIntfPtr&& AOther) noexcept : FObj(std::exchange(AOther.FObj, nullptr)) {}
    template <class U>
    requires std::is_convertible_v<U*, T*> TIntfPtr(const TIntfPtr<U>& AOther)
    noexcept : TIntfPtr(AOther.get()) {}
    ~TIntfPtr() {
        if (FObj)
            FObj->Release();
    }

    TIntfPtr& operator=(TIntfPtr AOther) noexcept {
        std::swap(FObj, AOther.FObj);
        return *this;
    }

    T* get() const noexcept { return FObj; }
    T* operator->() const noexcept { return FObj; }
    T& operator*() const noexcept { return *FObj; }
    explicit operator bool() const noexcept { return FObj != nullptr; }
    void reset() noexcept { *this = TIntfPtr(); }

    friend bool operator==(const TIntfPtr& A, const TIntfPtr& B) noexcept {
        return A.FObj == B.FObj;
    }
    friend bool operator==(const TIntfPtr& A, std::nullptr_t) noexcept { return A.FObj == nullptr; }

private:
    T* FObj = nullptr;
};

template <class TIntf, class U> bool Supports(U* AObj, TIntfPtr<TIntf>& AOut) {
    AOut = AObj ? static_cast<TIntf*>(AObj->QueryInterface(TIntf::IID)) : nullptr;
    return static_cast<bool>(AOut);
}

template <class TIntf, class U> bool Supports(const TIntfPtr<U>& AObj, TIntfPtr<TIntf>& AOut) {
    return Supports(AObj.get(), AOut);
}

template <class U> bool Supports(U* AObj, const TGUID& AIID) {
    return AObj && AObj->QueryInterface(AIID) != nullptr;
}

template <class U> bool Supports(const TIntfPtr<U>& AObj, const TGUID& AIID) {
    return Supports(AObj.get(), AIID);
}
