#pragma once
// The waterfall's side of a row store, reduced to what adding rows and
// moving them into the history need: a lock that is always there and rows
// that are never held.

#include "pins/JwLocks.h"
#include "waterfall/KvWaterfallData.h"
#include "waterfall/KvWaterfallRows.h"

#include <cstdint>

class TBenchRowStore : public TKvWaterfallRowOwner, public TKvWaterfallDataTarget {
public:
    explicit TBenchRowStore(uint32_t ADepth)
        : FLock(new TJwLock), FRows(*this, FBufferSection), FData(*this) {
        FRows.SetSamples(ADepth);
    }
    virtual ~TBenchRowStore() = default;

    TKvWaterfallRowStore& Rows() { return FRows; }
    TKvWaterfallData& Data() { return FData; }

    // TKvWaterfallRowOwner
    TJwLockSectionPtr RowsWriteLock() override { return FLock->WriteLock(); }
    bool IsRowsHeld() override { return false; }
    // TKvWaterfallDataTarget
    bool QueueInputBuffer(const TKvRealBufferPtr& ARow, bool AOwned) override {
        return AOwned ? FRows.QueueNewBuffer(ARow) : FRows.QueueInputBuffer(ARow);
    }
    bool SetBufferAt(uint32_t AIndex, const TKvRealBufferPtr& ARow) override {
        return FRows.SetBufferAt(AIndex, ARow);
    }
    TKvRealBufferArray GetBuffers() override { return FRows.GetBuffers(); }
    TKvRealBufferArray GetDrawBuffers() override { return FRows.GetDrawBuffers(); }
    void ClearBuffers() override { FRows.ClearBuffers(); }
    double GetSampleRate() override { return FRows.GetSampleRate(); }
    void SetSampleRate(double AValue) override { FRows.SetSampleRate(AValue); }

protected:
    TJwCriticalSection FBufferSection;
    TIntfPtr<IJwLock> FLock;
    TKvWaterfallRowStore FRows;
    TKvWaterfallData FData;
};
