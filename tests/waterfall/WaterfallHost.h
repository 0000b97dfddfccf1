#pragma once
// A waterfall-shaped host for the row store: it owns the buffer section, the
// display lock, the store and the Data object as the waterfall control does,
// holds and releases like the display's Hold, and counts what the store tells
// it, and has the waterfall's input pin. The paint pass is reduced to moving
// the queued rows on.

#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "buffers/KvRealBuffer.h"
#include "pins/JwLocks.h"
#include "waterfall/KvWaterfallData.h"
#include "waterfall/KvWaterfallInput.h"
#include "waterfall/KvWaterfallRows.h"

class TWaterfallHost : public TKvWaterfallRowOwner, public TKvWaterfallDataTarget {
public:
    explicit TWaterfallHost(uint32_t ASamples = 512)
        : FLock(new TJwLock), FRows(*this, FBufferSection), FData(*this),
          FInput(nullptr, FRows, FLock) {
        FRows.SetSamples(ASamples);
    }
    virtual ~TWaterfallHost() {
        if (!FStop)
            BeforeDestruction();
    }

    // Stops the lock (later write locks are refused) and closes the input.
    void BeforeDestruction() {
        FClosing.store(true);
        FStop = FLock->StopLock();
        FRows.Close();
    }
    bool Closing() const { return FClosing.load(); }

    void SetHold(bool AValue) {
        const TJwLockSectionPtr Lock = FLock->WriteLock();
        if (!Lock || FHold.load() == AValue)
            return;
        FHold.store(AValue);
        FRows.UpdateData();
    }
    bool GetHold() const { return FHold.load(); }

    void Paint() { FRows.ProcessInputBuffers(); }

    TKvWaterfallData& Data() { return FData; }
    TKvWaterfallInput& Input() { return FInput; }
    TKvWaterfallRowStore& Rows() { return FRows; }
    TKvWaterfallBuffers& Buffers() { return FRows.Buffers(); }
    int32_t InputCount() {
        TJwCriticalSectionLock Section(*Buffers().FInputBufferSection);
        return Buffers().FInputBufferList->Count();
    }
    int32_t PendingCount() {
        TJwCriticalSectionLock Section(FBufferSection);
        return Buffers().FNewBufferList->Count();
    }

    // What the store told the host.
    int RangeChanges = 0;
    uint32_t SampleCount = 0;
    std::vector<char> ClearSteps; // 'b'efore, 'c'leared, 'i'nvalidated

    // TKvWaterfallRowOwner
    TJwLockSectionPtr RowsWriteLock() override { return FLock->WriteLock(); }
    bool IsRowsHeld() override { return FHold.load(); }
    void RowsRangeChanged() override { ++RangeChanges; }
    void OldestRowLengthChanged(uint32_t ALength) override { SampleCount = ALength; }
    void RowsClearing() override { ClearSteps.push_back('b'); }
    void RowsCleared() override { ClearSteps.push_back('c'); }
    void InvalidateRows() override { ClearSteps.push_back('i'); }

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

private:
    // Created first and freed last, as the waterfall does.
    TJwCriticalSection FBufferSection;
    TIntfPtr<IJwLock> FLock;
    TJwLockSectionPtr FStop;
    std::atomic<bool> FClosing{false};
    std::atomic<bool> FHold{false};
    TKvWaterfallRowStore FRows;
    TKvWaterfallData FData;
    // Freed first, as the waterfall frees its pin before its rows.
    TKvWaterfallInput FInput;
};

inline TKvRealBufferPtr Row(std::initializer_list<double> AValues) {
    const std::vector<double> Values(AValues);
    return TKvRealBuffer::CreateData(Values.data(), static_cast<uint32_t>(Values.size()));
}

inline std::vector<double> Values(const TKvRealBufferPtr& ARow) {
    const double* Data = ARow->Read();
    return std::vector<double>(Data, Data + ARow->GetSize());
}

// The first value of every row: tests number their rows there.
inline std::vector<double> Firsts(const TKvRealBufferArray& ARows) {
    std::vector<double> Result;
    for (const TKvRealBufferPtr& Row : ARows)
        Result.push_back(Row->GetSize() > 0 ? Row->Read()[0] : -1.0);
    return Result;
}
