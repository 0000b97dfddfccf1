#pragma once
// The waterfall's input pin and what it does with what arrives: a start sets
// the sample rate and clears the rows, a real or integer buffer becomes a new
// row, and a matrix replaces the history row by row from the oldest and
// appends what lies beyond its end.

#include <atomic>
#include <cstdint>

#include "pins/streams/KvStreamTypesPins.h"
#include "platform/Persistent.h"
#include "waterfall/KvWaterfallRows.h"

class TKvWaterfallInput {
public:
    // The pin is created with AOwnerLock, the display's lock, and ignores
    // operations sent upstream.
    TKvWaterfallInput(TComponent* AOwner, TKvWaterfallRowStore& ARows,
                      const TIntfPtr<IJwLock>& AOwnerLock);
    // Frees the pin, which disconnects it.
    ~TKvWaterfallInput();
    TKvWaterfallInput(const TKvWaterfallInput&) = delete;
    TKvWaterfallInput& operator=(const TKvWaterfallInput&) = delete;

    TKvJwComboRealIntMatrixSinkPin* Pin() const { return FPin.get(); }

    // Whether the stream was marked as spectra or as intensities when it
    // started. No start operation of the pin framework marks either, so
    // both stay false and the Y axis labels samples in its automatic mode.
    bool GetFrequencyDomain() const { return FFrequencyDomain.load(); }
    bool GetIntensityDomain() const { return FIntensityDomain.load(); }

    // The pin's handler; any thread. Does nothing once destruction began
    // (the display's write lock is refused or the rows are closed).
    void Notification(const TGUID& ADataTypeID, const TJwNotifyOperationPtr& AOperation);

private:
    void Start(TJwNotifyOperation* AOperation);
    void Buffer(const TGUID& ADataTypeID, const TKvDataPtr& AData);
    void MatrixRows(const TKvDataPtr& AData);
    // Row AIndex of the history, or a new row when AIndex lies past it and
    // past the rows waiting for it.
    void OfferRow(int32_t AIndex, const TKvRealBufferPtr& ARow);

    TKvWaterfallRowStore& FRows;
    std::atomic<bool> FFrequencyDomain{false};
    std::atomic<bool> FIntensityDomain{false};
    TOwned<TKvJwComboRealIntMatrixSinkPin> FPin;
};
