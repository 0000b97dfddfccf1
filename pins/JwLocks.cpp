#include "pins/JwLocks.h"

#include "pins/JwLockEvents.h"
#include "platform/SilentFailure.h"

namespace {

enum class TSectionKind { Read, Write, Stop };

// Releases run in destructors, which cannot pass errors on.
template <class TFunc> void Quietly(TFunc AFunc) noexcept {
    Silently("releasing a lock section", AFunc);
}

} // namespace

class TJwAcquireSection : public TInterfaced<IJwLockSection> {
public:
    TJwAcquireSection(TJwLock* ALock, TSectionKind AKind) : FLock(ALock), FKind(AKind) {}

    ~TJwAcquireSection() override {
        // Monitors are told about the section while it is destroyed: a monitor
        // that wraps it must not free it a second time.
        FRefCount.store(1);
        const bool Stop = FKind == TSectionKind::Stop;
        const bool Read = FKind == TSectionKind::Read;
        Quietly([&] {
            JwReportLockEvent(FLock.get(), this,
                              Stop   ? TJwLockEvent::BeginStopDestroy
                              : Read ? TJwLockEvent::BeginReadDestroy
                                     : TJwLockEvent::BeginWriteDestroy);
        });
        if (Stop)
            FLock->ReleaseStop(FPreviousStopThread);
        FLock->ReleaseEntry(FEntry);
        // The slave lock is taken back only after this lock was let go.
        FSlaveSection.reset();
        Quietly([&] {
            JwReportLockEvent(FLock.get(), this,
                              Stop   ? TJwLockEvent::StopDestroy
                              : Read ? TJwLockEvent::ReadDestroy
                                     : TJwLockEvent::WriteDestroy);
        });
    }

    // A held entry stops holding when an unlock section could not take the
    // lock back whole (a stop lock came meanwhile); ask the lock, not the entry.
    bool GetLocked() const noexcept override {
        return FEntry == TJwLock::TEntry::Held && FLock->HeldByCaller();
    }

    TIntfPtr<TJwLock> FLock;
    TSectionKind FKind;
    TJwLock::TEntry FEntry = TJwLock::TEntry::None;
    TJwLockSectionPtr FSlaveSection;
    TJwThreadToken FPreviousStopThread = JwNoThread;
};

class TJwUnlockSection : public TInterfaced<IJwLockSection> {
public:
    TJwUnlockSection(TJwLock* ALock, const TIntfPtr<IJwLock>& AFirstLock)
        : FLock(ALock), FFirstLock(AFirstLock) {}

    void Unlock() {
        JwReportLockEvent(FLock.get(), this, TJwLockEvent::BeginUnlockCreate);
        {
            const auto Me = JwCurrentThread();
            TJwCriticalSectionLock L(FLock->FIntLockSection);
            if (FLock->FOwningThread == Me) {
                FDepth = FLock->FCountLocks;
                FStopHolder = FLock->FStopThread == Me;
                FLock->FCountLocks = 0;
                FLock->DropMutex();
            }
        }
        JwReportLockEvent(FLock.get(), this, TJwLockEvent::UnlockCreate);
    }

    ~TJwUnlockSection() override {
        FRefCount.store(1); // see TJwAcquireSection
        Quietly([&] { JwReportLockEvent(FLock.get(), this, TJwLockEvent::BeginUnlockDestroy); });
        if (FDepth > 0) {
            TJwLockSectionPtr First;
            if (FFirstLock)
                Quietly([&] { First = FFirstLock->WriteLock(); });
            Restore();
        }
        Quietly([&] { JwReportLockEvent(FLock.get(), this, TJwLockEvent::UnlockDestroy); });
    }

    bool GetLocked() const noexcept override { return false; }

private:
    void Restore() noexcept {
        TJwLock& Lock = *FLock;
        if (FStopHolder) {
            // The stopping thread's exclusive entry must come back whole.
            while (!Lock.FLockMutex.Acquire(TJwLock::StopRetryWait)) {
            }
            TJwCriticalSectionLock L(Lock.FIntLockSection);
            Lock.FOwningThread = JwCurrentThread();
            Lock.FCountLocks = FDepth;
            return;
        }
        TJwLockSectionPtr NoSlave;
        const auto Entry = Lock.Acquire(nullptr, NoSlave);
        TJwCriticalSectionLock L(Lock.FIntLockSection);
        if (Entry == TJwLock::TEntry::Held) {
            Lock.FCountLocks += FDepth - 1;
            return;
        }
        // A stop lock came meanwhile: the outer sections go on as stop entries,
        // which their releases (by a thread not owning the lock) take back.
        if (Entry == TJwLock::TEntry::StopOwner)
            --Lock.FCountStopLocksOwner;
        else
            --Lock.FCountStopLocks;
        Lock.FCountStopLocks += FDepth;
    }

    TIntfPtr<TJwLock> FLock;
    TIntfPtr<IJwLock> FFirstLock;
    int32_t FDepth = 0;
    bool FStopHolder = false;
};

// Monitors see the lock from its constructor and destructor, when nothing
// holds a reference: a monitor that wraps it would free it. A reference held
// by the lock itself for the report makes wrapping harmless.
TJwLock::TJwLock() {
    FRefCount.store(1);
    try {
        JwReportLockEvent(this, nullptr, TJwLockEvent::Create);
    } catch (...) {
        FRefCount.store(0);
        throw;
    }
    FRefCount.store(0);
}

TJwLock::~TJwLock() {
    FRefCount.store(1);
    Quietly([&] { JwReportLockEvent(this, nullptr, TJwLockEvent::Destroy); });
}

TJwLockSectionPtr TJwLock::Section(bool ARead, IJwLock* ASlaveLock, bool AKeepStopEntry) {
    auto* Raw = new TJwAcquireSection(this, ARead ? TSectionKind::Read : TSectionKind::Write);
    TJwLockSectionPtr Result(Raw);
    JwReportLockEvent(this, Raw,
                      ARead ? TJwLockEvent::BeginReadCreate : TJwLockEvent::BeginWriteCreate);
    Raw->FEntry = Acquire(ASlaveLock, Raw->FSlaveSection);
    if (Raw->FEntry != TEntry::Held && !AKeepStopEntry)
        return {}; // dropping the section takes its stop entry back
    JwReportLockEvent(this, Raw, ARead ? TJwLockEvent::ReadCreate : TJwLockEvent::WriteCreate);
    return Result;
}

TJwLockSectionPtr TJwLock::ReadLock() {
    return Section(true, nullptr, false);
}

TJwLockSectionPtr TJwLock::WriteLock() {
    return Section(false, nullptr, false);
}

TJwLockSectionPtr TJwLock::ReadSection(IJwLock* ASlaveLock) {
    return Section(true, ASlaveLock, true);
}

TJwLockSectionPtr TJwLock::WriteSection(IJwLock* ASlaveLock) {
    return Section(false, ASlaveLock, true);
}

TJwLockSectionPtr TJwLock::StopLock() {
    auto* Raw = new TJwAcquireSection(this, TSectionKind::Stop);
    TJwLockSectionPtr Result(Raw);
    JwReportLockEvent(this, Raw, TJwLockEvent::BeginStopCreate);
    AcquireStop(Raw->FPreviousStopThread);
    Raw->FEntry = TEntry::Held;
    JwReportLockEvent(this, Raw, TJwLockEvent::StopCreate);
    return Result;
}

TJwLockSectionPtr TJwLock::UnlockAll() {
    return UnlockAllLockInOrder(nullptr);
}

TJwLockSectionPtr TJwLock::UnlockAllLockInOrder(const TIntfPtr<IJwLock>& AFirstLock) {
    auto* Raw = new TJwUnlockSection(this, AFirstLock);
    TJwLockSectionPtr Result(Raw);
    Raw->Unlock();
    return Result;
}

TJwLock::TEntry TJwLock::Acquire(IJwLock* ASlaveLock, TJwLockSectionPtr& ASlaveSection) {
    const auto Me = JwCurrentThread();
    uint32_t Wait = 1;
    for (;;) {
        bool StopPending;
        {
            TJwCriticalSectionLock L(FIntLockSection);
            if (FOwningThread == Me) {
                ++FCountLocks;
                return TEntry::Held;
            }
            StopPending = FInStopCount > 0;
        }
        if (!StopPending && FLockMutex.Acquire(Wait)) {
            TJwCriticalSectionLock L(FIntLockSection);
            // Counts left by a thread that ended holding the mutex are void.
            FOwningThread = Me;
            FCountLocks = 1;
            return TEntry::Held;
        }
        {
            TJwCriticalSectionLock L(FIntLockSection);
            if (FInStopCount > 0)
                return CountStopEntry(Me);
        }
        if (Wait < MaxRetryWait)
            ++Wait;
        if (Wait == MaxRetryWait && ASlaveLock && !ASlaveSection)
            ASlaveSection = ASlaveLock->UnlockAll();
    }
}

TJwLock::TEntry TJwLock::CountStopEntry(TJwThreadToken AThread) {
    if (AThread == FStopThread) {
        ++FCountStopLocksOwner;
        return TEntry::StopOwner;
    }
    ++FCountStopLocks;
    return TEntry::StopOther;
}

void TJwLock::AcquireStop(TJwThreadToken& APreviousStopThread) {
    const auto Me = JwCurrentThread();
    bool Owner;
    {
        TJwCriticalSectionLock L(FIntLockSection);
        ++FInStopCount;
        Owner = FOwningThread == Me;
    }
    if (!Owner) {
        while (!FLockMutex.Acquire(StopRetryWait)) {
        }
    }
    TJwCriticalSectionLock L(FIntLockSection);
    if (!Owner) {
        FOwningThread = Me;
        FCountLocks = 0;
    }
    ++FCountLocks;
    APreviousStopThread = FStopThread;
    FStopThread = Me;
}

void TJwLock::ReleaseStop(TJwThreadToken APreviousStopThread) noexcept {
    TJwCriticalSectionLock L(FIntLockSection);
    if (FInStopCount > 0)
        --FInStopCount;
    FStopThread = APreviousStopThread;
}

void TJwLock::ReleaseEntry(TEntry AEntry) noexcept {
    TJwCriticalSectionLock L(FIntLockSection);
    switch (AEntry) {
    case TEntry::None:
        break;
    case TEntry::Held:
        if (FOwningThread == JwCurrentThread()) {
            if (FCountLocks > 0 && --FCountLocks == 0)
                DropMutex();
        } else if (FCountStopLocks > 0) {
            // Released by a thread that does not own the lock: either the
            // section went on as a stop entry, or another thread drops it.
            --FCountStopLocks;
        }
        break;
    case TEntry::StopOwner:
        if (FCountStopLocksOwner > 0)
            --FCountStopLocksOwner;
        break;
    case TEntry::StopOther:
        if (FCountStopLocks > 0)
            --FCountStopLocks;
        break;
    }
}

void TJwLock::DropMutex() noexcept {
    FOwningThread = JwNoThread;
    // The owner was recorded under the counter lock with the mutex taken; a
    // mutex that is not ours any more (abandoned and taken over) stays as it is.
    FLockMutex.TryRelease();
}

bool TJwLock::HeldByCaller() noexcept {
    try {
        TJwCriticalSectionLock L(FIntLockSection);
        return FOwningThread == JwCurrentThread();
    } catch (...) {
        return false;
    }
}

TJwLock::TCounts TJwLock::GetCounts() {
    TJwCriticalSectionLock L(FIntLockSection);
    return {FCountLocks, FCountStopLocks, FCountStopLocksOwner, FInStopCount};
}

TJwThreadToken TJwLock::GetOwningThread() {
    TJwCriticalSectionLock L(FIntLockSection);
    return FOwningThread;
}
