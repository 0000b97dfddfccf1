#include "waterfall/KvWaterfallRows.h"

#include <cmath>
#include <limits>

#include "buffers/KvRealBuffer.h"

namespace {

constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

// The smallest and largest finite value of a row; NaN for both when it has
// none. A row's own GetMinValue and GetMaxValue let a NaN or an infinity
// through, which would pin the level scale.
void FiniteRange(const TKvRealBufferPtr& ARow, double& AMin, double& AMax) {
    AMin = NoValue;
    AMax = NoValue;
    const uint32_t Size = ARow->GetSize();
    if (Size == 0)
        return;
    const double* Data = ARow->Read();
    uint32_t I = 0;
    while (I < Size && !std::isfinite(Data[I]))
        ++I;
    if (I == Size)
        return;
    double Min = Data[I];
    double Max = Data[I];
    for (++I; I < Size; ++I) {
        const double Value = Data[I];
        if (!std::isfinite(Value))
            continue;
        if (Value < Min)
            Min = Value;
        if (Value > Max)
            Max = Value;
    }
    AMin = Min;
    AMax = Max;
}

} // namespace

TKvWaterfallBuffers::TKvWaterfallBuffers() {
    FInputBufferSection = std::make_unique<TJwCriticalSection>();
    FInputBufferList = std::make_unique<TRnRealBufferList>();
    FNewBufferList = std::make_unique<TRnRealBufferList>();
    FReplaceBufferList = std::make_unique<TRnRealBufferList>();
    FHoldBufferList = std::make_unique<TRnRealBufferList>();
    FMaxValuesList = std::make_unique<TKvRealQueue>();
    FMinValuesList = std::make_unique<TKvRealQueue>();
}

TKvWaterfallBuffers::~TKvWaterfallBuffers() {
    FInputBufferList.reset();
    FNewBufferList.reset();
    FReplaceBufferList.reset();
    FHoldBufferList.reset();
    FMaxValuesList.reset();
    FMinValuesList.reset();
    FInputBufferSection.reset();
}

void TKvWaterfallBuffers::Clear(bool AHold) {
    FReplaceBufferList->Clear();
    FNewBufferList->Clear();
    FNewBuffersCount = 0;
    if (AHold) {
        FWasCleared = true;
        return;
    }
    FCurrentMin = 0;
    FCurrentMax = 0;
    FFiniteRows = 0;
    FRowsLeft = 0;
    FMaxValuesList->Clear();
    FMinValuesList->Clear();
    FHoldBufferList->Clear();
}

TKvWaterfallRowStore::TKvWaterfallRowStore(TKvWaterfallRowOwner& AOwner,
                                           TJwCriticalSection& ABufferSection)
    : FOwner(AOwner), FBufferSection(ABufferSection),
      FBuffers(std::make_unique<TKvWaterfallBuffers>()),
      FTakenInput(std::make_unique<TRnRealBufferList>()) {}

TKvWaterfallRowStore::~TKvWaterfallRowStore() {
    Close();
    TJwCriticalSectionLock Section(FBufferSection);
    FBuffers.reset();
    FTakenInput.reset();
}

// --- any thread ---

bool TKvWaterfallRowStore::QueueInputBuffer(const TKvRealBufferPtr& ARow) {
    if (!ARow)
        return false;
    return QueueRow(TKvRealBuffer::CreateCopy(ARow));
}

bool TKvWaterfallRowStore::QueueNewBuffer(TKvRealBufferPtr ARow) {
    if (!ARow)
        return false;
    return QueueRow(std::move(ARow));
}

bool TKvWaterfallRowStore::QueueRow(TKvRealBufferPtr ARow) {
    // The dropped row is released after the section, so that its memory goes
    // back to the pool without producers waiting on it.
    TKvRealBufferPtr Dropped;
    {
        TJwCriticalSectionLock Input(*FBuffers->FInputBufferSection);
        if (FClosed)
            return false;
        TRnRealBufferList& List = *FBuffers->FInputBufferList;
        List.Add(std::move(ARow));
        if (List.Count() > Depth())
            Dropped = List.TakeFirst();
    }
    FBuffersAdded.store(true);
    return true;
}

void TKvWaterfallRowStore::Close() {
    TJwCriticalSectionLock Section(*FBuffers->FInputBufferSection);
    FClosed = true;
    FBuffers->FInputBufferList->Clear();
}

bool TKvWaterfallRowStore::GetClosed() {
    TJwCriticalSectionLock Section(*FBuffers->FInputBufferSection);
    return FClosed;
}

void TKvWaterfallRowStore::SetSamples(uint32_t ASamples) {
    FSamples.store(ASamples);
}

uint32_t TKvWaterfallRowStore::GetSamples() const {
    const uint32_t Samples = FSamples.load();
    return Samples == 0 ? KvDefaultHistoryDepth : Samples;
}

void TKvWaterfallRowStore::SetSampleRate(double AValue) {
    const double Old = FSampleRate.exchange(AValue);
    if (!(Old == AValue))
        FSampleRateStamp.fetch_add(1);
}

double TKvWaterfallRowStore::EffectiveSampleRate() const {
    const double Rate = FSampleRate.load();
    return Rate == 0 ? 10000.0 : Rate;
}

// --- the user-interface thread ---

void TKvWaterfallRowStore::ProcessInputBuffers() {
    const TJwLockSectionPtr Lock = FOwner.RowsWriteLock();
    if (!Lock)
        return;
    TJwCriticalSectionLock Section(FBufferSection);
    // A nested call (from an owner's notification) leaves the rows to the
    // outer one.
    if (FProcessing)
        return;
    {
        TJwCriticalSectionLock Input(*FBuffers->FInputBufferSection);
        std::swap(FBuffers->FInputBufferList, FTakenInput);
    }
    TRnRealBufferList& Rows = *FTakenInput;
    if (Rows.Count() == 0)
        return;
    FProcessing = true;
    // Whatever happens, the taken rows are done with: a failed append must
    // not bring them back on the next pass.
    struct TDone {
        TKvWaterfallRowStore& Store;
        ~TDone() {
            Store.FTakenInput->Clear();
            Store.FProcessing = false;
        }
    } Done{*this};
    if (FOwner.IsRowsHeld()) {
        TRnRealBufferList& Pending = *FBuffers->FNewBufferList;
        for (int32_t I = 0; I < Rows.Count(); ++I) {
            Pending.Add(Rows[I]);
            if (Pending.Count() > Depth())
                Pending.Delete(0);
        }
    } else {
        // Once merged, nothing waits any more for the rest of the rows.
        UpdateData();
        for (int32_t I = 0; I < Rows.Count(); ++I)
            AppendRow(Rows[I]);
    }
}

bool TKvWaterfallRowStore::UpdateData() {
    const TJwLockSectionPtr Lock = FOwner.RowsWriteLock();
    if (!Lock)
        return false;
    TJwCriticalSectionLock Section(FBufferSection);
    TKvWaterfallBuffers& B = *FBuffers;
    if (B.FWasCleared) {
        B.FCurrentMax = 0;
        B.FCurrentMin = 0;
        B.FFiniteRows = 0;
        B.FRowsLeft = 0;
        B.FMaxValuesList->Clear();
        B.FMinValuesList->Clear();
        B.FHoldBufferList->Clear();
        B.FWasCleared = false;
    }
    // A replacement of a row that a clear removed meanwhile has nothing
    // left to replace.
    const int32_t Rows = B.FHoldBufferList->Count();
    TRnRealBufferList& Replace = *B.FReplaceBufferList;
    for (int32_t I = 0; I < Replace.Count() && I < Rows; ++I)
        if (Replace[I])
            ReplaceRow(I, Replace[I]);
    TRnRealBufferList& Pending = *B.FNewBufferList;
    for (int32_t I = 0; I < Pending.Count(); ++I)
        AppendRow(Pending[I]);
    Replace.Clear();
    Pending.Clear();
    return false;
}

bool TKvWaterfallRowStore::SetBufferAt(uint32_t AIndex, const TKvRealBufferPtr& ARow) {
    const TJwLockSectionPtr Lock = FOwner.RowsWriteLock();
    // Dropped during destruction, like rows added then.
    if (!Lock || !ARow || GetClosed())
        return true;
    ProcessInputBuffers();
    TJwCriticalSectionLock Section(FBufferSection);
    const bool Held = FOwner.IsRowsHeld();
    // Not held, anything still waiting is merged first, so that the index
    // refers to the history as it will be drawn.
    if (!Held)
        UpdateData();
    TKvWaterfallBuffers& B = *FBuffers;
    const uint32_t Rows = static_cast<uint32_t>(B.FHoldBufferList->Count());
    if (AIndex >= Rows) {
        const uint32_t K = AIndex - Rows;
        if (K >= static_cast<uint32_t>(B.FNewBufferList->Count()))
            return false;
        B.FNewBufferList->SetItem(static_cast<int32_t>(K), TKvRealBuffer::CreateCopy(ARow));
    } else if (Held) {
        TRnRealBufferList& Replace = *B.FReplaceBufferList;
        while (static_cast<uint32_t>(Replace.Count()) <= AIndex)
            Replace.Add(nullptr);
        Replace.SetItem(static_cast<int32_t>(AIndex), TKvRealBuffer::CreateCopy(ARow));
    } else {
        ReplaceRow(static_cast<int32_t>(AIndex), TKvRealBuffer::CreateCopy(ARow));
    }
    B.FNewBuffersCount = B.FHoldBufferList->Count() + B.FNewBufferList->Count();
    return true;
}

void TKvWaterfallRowStore::ClearBuffers() {
    const TJwLockSectionPtr Lock = FOwner.RowsWriteLock();
    if (!Lock)
        return;
    FOwner.RowsClearing();
    ProcessInputBuffers();
    {
        TJwCriticalSectionLock Section(FBufferSection);
        FBuffers->Clear(FOwner.IsRowsHeld());
        FOwner.RowsCleared();
        FForcedFullRedraw.store(true);
    }
    FOwner.InvalidateRows();
}

TKvRealBufferArray TKvWaterfallRowStore::GetBuffers() {
    ProcessInputBuffers();
    TJwCriticalSectionLock Section(FBufferSection);
    const TKvWaterfallBuffers& B = *FBuffers;
    const int32_t Rows = B.FHoldBufferList->Count();
    const TRnRealBufferList& Replace = *B.FReplaceBufferList;
    const TRnRealBufferList& Pending = *B.FNewBufferList;
    const bool WithPending = Rows < Depth();
    TKvRealBufferArray Result;
    Result.reserve(static_cast<size_t>(Rows + (WithPending ? Pending.Count() : 0)));
    for (int32_t I = 0; I < Rows; ++I) {
        const bool Replaced = I < Replace.Count() && Replace[I];
        Result.push_back(
            TKvRealBuffer::CreateCopy(Replaced ? Replace[I] : (*B.FHoldBufferList)[I]));
    }
    if (WithPending)
        for (int32_t I = 0; I < Pending.Count(); ++I)
            Result.push_back(TKvRealBuffer::CreateCopy(Pending[I]));
    return Result;
}

TKvRealBufferArray TKvWaterfallRowStore::GetDrawBuffers() {
    TJwCriticalSectionLock Section(FBufferSection);
    const TRnRealBufferList& History = *FBuffers->FHoldBufferList;
    TKvRealBufferArray Result;
    Result.reserve(static_cast<size_t>(History.Count()));
    for (int32_t I = 0; I < History.Count(); ++I)
        Result.push_back(TKvRealBuffer::CreateCopy(History[I]));
    return Result;
}

double TKvWaterfallRowStore::GetLevelMin(bool AAutoscale, double AMin) {
    TJwCriticalSectionLock Section(FBufferSection);
    return AAutoscale && FBuffers->FFiniteRows > 0 ? FBuffers->FCurrentMin : AMin;
}

double TKvWaterfallRowStore::GetLevelMax(bool AAutoscale, double AMax) {
    TJwCriticalSectionLock Section(FBufferSection);
    return AAutoscale && FBuffers->FFiniteRows > 0 ? FBuffers->FCurrentMax : AMax;
}

int32_t TKvWaterfallRowStore::GetRowCount() {
    TJwCriticalSectionLock Section(FBufferSection);
    return FBuffers->FHoldBufferList->Count();
}

uint32_t TKvWaterfallRowStore::GetOldestRowLength() {
    TJwCriticalSectionLock Section(FBufferSection);
    const TRnRealBufferList& History = *FBuffers->FHoldBufferList;
    return History.Count() > 0 ? History[0]->GetSize() : 0;
}

int32_t TKvWaterfallRowStore::GetNewBuffersCount() {
    TJwCriticalSectionLock Section(FBufferSection);
    return FBuffers->FNewBuffersCount;
}

void TKvWaterfallRowStore::ResetNewBuffersCount() {
    TJwCriticalSectionLock Section(FBufferSection);
    FBuffers->FNewBuffersCount = 0;
}

std::span<const double> TKvWaterfallRowStore::RowSamples(int32_t ARow, uint32_t ALength) {
    const TRnRealBufferList& History = *FBuffers->FHoldBufferList;
    if (ARow < 0 || ARow >= History.Count())
        return {};
    const TKvRealBufferPtr& Row = History[ARow];
    const uint32_t Size = Row->GetSize();
    return {Row->Read(), std::min(Size, ALength)};
}

bool TKvWaterfallRowStore::GetRowValue(int32_t ARow, int64_t ASample, double& AValue) {
    const TRnRealBufferList& History = *FBuffers->FHoldBufferList;
    if (ARow < 0 || ARow >= History.Count())
        return false;
    const TKvRealBufferPtr& Row = History[ARow];
    if (ASample < 0 || ASample >= int64_t{Row->GetSize()})
        return false;
    AValue = Row->Read()[ASample];
    return true;
}

// --- under the buffer section ---

void TKvWaterfallRowStore::AppendRow(const TKvRealBufferPtr& ARow) {
    TKvWaterfallBuffers& B = *FBuffers;
    FBuffersChanged.store(true);
    B.FHoldBufferList->Add(ARow);
    double Min = 0;
    double Max = 0;
    FiniteRange(ARow, Min, Max);
    B.FMaxValuesList->Add(Max);
    B.FMinValuesList->Add(Min);

    if (!std::isnan(Min)) {
        ++B.FFiniteRows;
        if (B.FFiniteRows == 1) {
            B.FCurrentMin = Min;
            B.FCurrentMax = Max;
            if (B.FHoldBufferList->Count() > 1)
                FOwner.RowsRangeChanged();
        } else {
            if (Min < B.FCurrentMin) {
                B.FCurrentMin = Min;
                FOwner.RowsRangeChanged();
            }
            if (Max > B.FCurrentMax) {
                B.FCurrentMax = Max;
                FOwner.RowsRangeChanged();
            }
        }
    }

    if (B.FHoldBufferList->Count() > Depth()) {
        B.FHoldBufferList->Delete(0);
        ++B.FRowsLeft;
        const double OldMax = B.FMaxValuesList->GetItem(0);
        const double OldMin = B.FMinValuesList->GetItem(0);
        B.FMaxValuesList->Remove();
        B.FMinValuesList->Remove();
        if (!std::isnan(OldMin)) {
            --B.FFiniteRows;
            if (B.FFiniteRows == 0) {
                B.FCurrentMin = 0;
                B.FCurrentMax = 0;
                FOwner.RowsRangeChanged();
            } else {
                // Only when the leaving row held an extreme is the rest searched.
                if (OldMax == B.FCurrentMax) {
                    B.FMaxValuesList->MaxFrom(0, B.FCurrentMax);
                    FOwner.RowsRangeChanged();
                }
                if (OldMin == B.FCurrentMin) {
                    B.FMinValuesList->MinFrom(0, B.FCurrentMin);
                    FOwner.RowsRangeChanged();
                }
            }
        }
    }

    FOwner.OldestRowLengthChanged((*B.FHoldBufferList)[0]->GetSize());
    ++B.FNewBuffersCount;
}

void TKvWaterfallRowStore::ReplaceRow(int32_t AIndex, const TKvRealBufferPtr& ARow) {
    TKvWaterfallBuffers& B = *FBuffers;
    const double OldMin = B.FMinValuesList->GetItem(AIndex);
    const double OldMax = B.FMaxValuesList->GetItem(AIndex);
    const bool Stale = OldMin == B.FCurrentMin || OldMax == B.FCurrentMax;
    const bool HadRange = B.FFiniteRows > 0;

    double Min = 0;
    double Max = 0;
    FiniteRange(ARow, Min, Max);
    B.FHoldBufferList->SetItem(AIndex, ARow);
    B.FMaxValuesList->SetItem(AIndex, Max);
    B.FMinValuesList->SetItem(AIndex, Min);
    B.FFiniteRows += (std::isnan(Min) ? 0 : 1) - (std::isnan(OldMin) ? 0 : 1);
    FBuffersChanged.store(true);

    if (Stale) {
        RecomputeRange();
        FOwner.RowsRangeChanged();
    } else if (!std::isnan(Min)) {
        if (!HadRange) {
            B.FCurrentMin = Min;
            B.FCurrentMax = Max;
            FOwner.RowsRangeChanged();
            return;
        }
        if (Min < B.FCurrentMin) {
            B.FCurrentMin = Min;
            FOwner.RowsRangeChanged();
        }
        if (Max > B.FCurrentMax) {
            B.FCurrentMax = Max;
            FOwner.RowsRangeChanged();
        }
    }
}

void TKvWaterfallRowStore::RecomputeRange() {
    TKvWaterfallBuffers& B = *FBuffers;
    double Min = 0;
    double Max = 0;
    if (B.FMinValuesList->MinFrom(0, Min) && B.FMaxValuesList->MaxFrom(0, Max)) {
        B.FCurrentMin = Min;
        B.FCurrentMax = Max;
    } else {
        B.FCurrentMin = 0;
        B.FCurrentMax = 0;
    }
}
