#pragma once
// The re-entrant lock of the pin framework. Acquiring is creating a section,
// releasing is dropping it; one thread may nest any number of sections.
//
// A stop lock is an exclusive entry that other threads do not queue behind:
// while one is pending or held, their read and write entries return at once
// without the mutex and are only counted, so that they stay balanced while
// the stopping thread quiesces the object. An unlock section gives up the
// calling thread's hold while it calls into other components and restores it.

#include <cstdint>

#include "pins/JwMutex.h"
#include "platform/Interfaces.h"

class TJwLock;

class IJwLockSection : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{A97A8E97-2D31-4E2A-B6A6-43D07F99419D}");

    // True while the section holds the lock's mutex; false for an entry let
    // through by a pending stop lock and for an unlock section.
    virtual bool GetLocked() const noexcept = 0;

protected:
    ~IJwLockSection() = default;
};

using TJwLockSectionPtr = TIntfPtr<IJwLockSection>;

// Whether ASection holds its lock. Every caller that goes on to touch what the
// lock guards asks this first: a pending stop lock lets entries through
// without the mutex, and the guarded state is then not the caller's to touch.
[[nodiscard]] inline bool JwHolds(const TJwLockSectionPtr& ASection) noexcept {
    return ASection && ASection->GetLocked();
}

class IJwLock : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{11A2A336-9E14-4553-87B8-6F510CE0902C}");

    // Empty when a pending stop lock refused the entry: the caller must treat
    // the lock as not taken.
    [[nodiscard]] virtual TJwLockSectionPtr ReadLock() = 0;
    [[nodiscard]] virtual TJwLockSectionPtr WriteLock() = 0;
    [[nodiscard]] virtual TJwLockSectionPtr StopLock() = 0;
    [[nodiscard]] virtual TJwLockSectionPtr UnlockAll() = 0;
    // As UnlockAll; on restoring, AFirstLock is write-locked before this lock
    // is taken again, so that both are always taken in that order.
    [[nodiscard]] virtual TJwLockSectionPtr
    UnlockAllLockInOrder(const TIntfPtr<IJwLock>& AFirstLock) = 0;
    virtual TJwLock* Instance() = 0;

protected:
    ~IJwLock() = default;
};

class TJwLock : public TInterfaced<IJwLock> {
public:
    TJwLock();
    ~TJwLock() override;

    [[nodiscard]] TJwLockSectionPtr ReadLock() override;
    [[nodiscard]] TJwLockSectionPtr WriteLock() override;
    [[nodiscard]] TJwLockSectionPtr StopLock() override;
    [[nodiscard]] TJwLockSectionPtr UnlockAll() override;
    [[nodiscard]] TJwLockSectionPtr
    UnlockAllLockInOrder(const TIntfPtr<IJwLock>& AFirstLock) override;
    TJwLock* Instance() override { return this; }

    // The sections objects hand out: also returned when a pending stop lock
    // let the entry through without the mutex (their release balances the
    // count). A thread that keeps waiting gives up its hold on ASlaveLock for
    // the rest of the section's life, so that the holder can finish.
    [[nodiscard]] TJwLockSectionPtr ReadSection(IJwLock* ASlaveLock);
    [[nodiscard]] TJwLockSectionPtr WriteSection(IJwLock* ASlaveLock);

    struct TCounts {
        int32_t CountLocks;
        int32_t CountStopLocks;
        int32_t CountStopLocksOwner;
        int32_t InStopCount;
    };
    TCounts GetCounts();
    TJwThreadToken GetOwningThread();
    // Whether the calling thread holds the mutex now.
    bool HeldByCaller() noexcept;

    // What a section made of the lock when it was created.
    enum class TEntry { None, Held, StopOwner, StopOther };

private:
    friend class TJwAcquireSection;
    friend class TJwUnlockSection;

    static constexpr uint32_t MaxRetryWait = 20;
    static constexpr uint32_t StopRetryWait = 1000;

    TJwLockSectionPtr Section(bool ARead, IJwLock* ASlaveLock, bool AKeepStopEntry);
    TEntry Acquire(IJwLock* ASlaveLock, TJwLockSectionPtr& ASlaveSection);
    TEntry CountStopEntry(TJwThreadToken AThread);
    void AcquireStop(TJwThreadToken& APreviousStopThread);
    void ReleaseStop(TJwThreadToken APreviousStopThread) noexcept;
    void ReleaseEntry(TEntry AEntry) noexcept;
    void DropMutex() noexcept;

    TJwCriticalSection FIntLockSection;
    int32_t FCountStopLocks = 0;
    int32_t FCountStopLocksOwner = 0;
    int32_t FCountLocks = 0;
    int32_t FInStopCount = 0;
    TJwThreadToken FOwningThread = JwNoThread;
    // The thread holding a stop section: its entries while it has given up
    // its hold are its own stop entries, and it takes the mutex back unconditionally.
    TJwThreadToken FStopThread = JwNoThread;
    TJwMutex FLockMutex;
};
