#pragma once
// The waterfall's row store: rows queued from any thread, the history they
// become on the user-interface thread, and the running range of the history
// that the level scale autoscales to.
//
// Locks, always in this order: the owner's write lock, the buffer section
// (the owner's, guarding everything but the input list), the input section.
//
// The running range covers finite values only: a NaN or an infinity in a
// row neither widens the range nor hides the row's other values, and a row
// with no finite value (empty, or all NaN and infinities) leaves the range
// alone. While no row contributes, the range reads 0..0 and the level
// functions fall back to the level axis's limits.

#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "buffers/KvBufferInterfaces.h"
#include "pins/JwLocks.h"
#include "waterfall/KvRealQueue.h"

using TKvRealBufferArray = std::vector<TKvRealBufferPtr>;

// History depth when the X axis's Samples is 0.
inline constexpr uint32_t KvDefaultHistoryDepth = 1024;

class TKvWaterfallBuffers {
public:
    TKvWaterfallBuffers();
    ~TKvWaterfallBuffers();
    TKvWaterfallBuffers(const TKvWaterfallBuffers&) = delete;
    TKvWaterfallBuffers& operator=(const TKvWaterfallBuffers&) = delete;

    // Drops pending replacements and rows. Held, the visible history stays
    // until the hold ends (FWasCleared); otherwise it goes at once.
    void Clear(bool AHold);

    // Per history row, its largest and smallest finite value; NaN for a row
    // without one.
    std::unique_ptr<TKvRealQueue> FMaxValuesList;
    std::unique_ptr<TKvRealQueue> FMinValuesList;
    std::unique_ptr<TJwCriticalSection> FInputBufferSection;
    std::unique_ptr<TRnRealBufferList> FInputBufferList;
    std::unique_ptr<TRnRealBufferList> FNewBufferList;
    std::unique_ptr<TRnRealBufferList> FReplaceBufferList;
    // Index 0 is the oldest row.
    std::unique_ptr<TRnRealBufferList> FHoldBufferList;
    int32_t FNewBuffersCount = 0;
    // History rows dropped from the front since the image last took the
    // count: its relative markers move back by as many.
    int32_t FRowsLeft = 0;
    double FCurrentMax = 0;
    double FCurrentMin = 0;
    bool FWasCleared = false;
    // The level range and scale mode the rendered image was built with.
    double FBufferMax = 0;
    double FBufferMin = 0;
    bool FWasLogarithmic = false;
    // History rows with at least one finite value: the running range is
    // meaningful only while this is above 0.
    int32_t FFiniteRows = 0;
};

// What the row store needs from the waterfall that owns it.
class TKvWaterfallRowOwner {
public:
    // The display's write lock; empty once the display is being destroyed.
    virtual TJwLockSectionPtr RowsWriteLock() = 0;
    // The display's Hold, or a mouse zoom being dragged.
    virtual bool IsRowsHeld() = 0;
    // The running range moved (the level view's MainViewScrolled(true)).
    virtual void RowsRangeChanged() {}
    // The oldest row's length after an append: the Y axis's sample count.
    virtual void OldestRowLengthChanged(uint32_t ALength) { (void)ALength; }
    // Before a clear: the cached maximum frequency is stale.
    virtual void RowsClearing() {}
    // Under the buffer section, right after a clear: the data view forgets
    // how many rows it had drawn.
    virtual void RowsCleared() {}
    // After a clear: repaint.
    virtual void InvalidateRows() {}

protected:
    ~TKvWaterfallRowOwner() = default;
};

class TKvWaterfallRowStore {
public:
    // ABufferSection belongs to the owner, which keeps it alive longer than
    // the store.
    TKvWaterfallRowStore(TKvWaterfallRowOwner& AOwner, TJwCriticalSection& ABufferSection);
    ~TKvWaterfallRowStore();
    TKvWaterfallRowStore(const TKvWaterfallRowStore&) = delete;
    TKvWaterfallRowStore& operator=(const TKvWaterfallRowStore&) = delete;

    // --- any thread ---

    // Queues a copy of ARow; the caller may reuse its buffer at once. False
    // when nothing was queued: an empty pointer, or the store is closed.
    bool QueueInputBuffer(const TKvRealBufferPtr& ARow);
    // As QueueInputBuffer for a row that nobody else holds: no copy is made.
    bool QueueNewBuffer(TKvRealBufferPtr ARow);
    // Destruction began: queued rows are dropped and later ones refused.
    void Close();
    bool GetClosed();

    // History depth and bound of the input and pending lists; 0 means 1024.
    void SetSamples(uint32_t ASamples);
    uint32_t GetSamples() const;

    // Rows were queued since the last refresh tick; taking clears it.
    bool TakeBuffersAdded() { return FBuffersAdded.exchange(false); }
    bool GetBuffersAdded() const { return FBuffersAdded.load(); }

    // Stored without lock or repaint; each change counts up the stamp so
    // that whatever caches a frequency sees it at its next paint.
    double GetSampleRate() const { return FSampleRate.load(); }
    void SetSampleRate(double AValue);
    // The sample rate, or 10000 when none was given.
    double EffectiveSampleRate() const;
    uint32_t GetSampleRateStamp() const { return FSampleRateStamp.load(); }

    // The owner's write lock; empty once destruction began.
    TJwLockSectionPtr WriteLock() { return FOwner.RowsWriteLock(); }

    // --- the user-interface thread (or whoever holds the write lock) ---

    // Moves the queued rows into the history, or while held into the
    // pending list. Does nothing once the write lock is refused.
    void ProcessInputBuffers();
    // Merges what waited for the hold to end. Always false.
    bool UpdateData();
    // Replaces row AIndex of the history (or, at and past its end, of the
    // pending rows) with a copy of ARow. False when AIndex is past both;
    // nothing changes then. A set during destruction is dropped.
    bool SetBufferAt(uint32_t AIndex, const TKvRealBufferPtr& ARow);
    void ClearBuffers();
    // Copies of the history with pending replacements applied, followed by
    // the pending rows while the history is not full.
    TKvRealBufferArray GetBuffers();
    // Copies of the history as drawn.
    TKvRealBufferArray GetDrawBuffers();

    double GetLevelMin(bool AAutoscale, double AMin);
    double GetLevelMax(bool AAutoscale, double AMax);

    int32_t GetRowCount();
    // 0 for an empty history.
    uint32_t GetOldestRowLength();
    int32_t GetNewBuffersCount();
    void ResetNewBuffersCount();

    bool GetBuffersChanged() const { return FBuffersChanged.load(); }
    void SetBuffersChanged(bool AValue) { FBuffersChanged.store(AValue); }
    bool GetForcedFullRedraw() const { return FForcedFullRedraw.load(); }
    void SetForcedFullRedraw(bool AValue) { FForcedFullRedraw.store(AValue); }

    // --- under the buffer section ---

    TJwCriticalSection& BufferSection() { return FBufferSection; }
    TKvWaterfallBuffers& Buffers() { return *FBuffers; }
    // The first ALength samples of history row ARow, or fewer when the row
    // is shorter: a renderer reading the oldest row's length from every row
    // stops at the span's end.
    std::span<const double> RowSamples(int32_t ARow, uint32_t ALength);
    // False when ARow or ASample lies outside the stored data.
    bool GetRowValue(int32_t ARow, int64_t ASample, double& AValue);

private:
    bool QueueRow(TKvRealBufferPtr ARow);
    void AppendRow(const TKvRealBufferPtr& ARow);
    void ReplaceRow(int32_t AIndex, const TKvRealBufferPtr& ARow);
    void RecomputeRange();
    int32_t Depth() const { return static_cast<int32_t>(GetSamples()); }

    TKvWaterfallRowOwner& FOwner;
    TJwCriticalSection& FBufferSection;
    std::unique_ptr<TKvWaterfallBuffers> FBuffers;
    // Swapped with the input list so that rows are moved on without
    // holding the input section.
    std::unique_ptr<TRnRealBufferList> FTakenInput;
    bool FProcessing = false; // under the buffer section
    bool FClosed = false;     // under the input section
    std::atomic<uint32_t> FSamples{512};
    std::atomic<bool> FBuffersAdded{false};
    std::atomic<bool> FBuffersChanged{false};
    std::atomic<bool> FForcedFullRedraw{false};
    std::atomic<double> FSampleRate{0.0};
    std::atomic<uint32_t> FSampleRateStamp{0};
};
