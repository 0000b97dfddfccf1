#include "pins/streams/KvStreamTypesOffsets.h"

TKvOffset::~TKvOffset() = default;

int32_t TKvOffset::GetCX() const {
    return FLock->Getter(FCX);
}

void TKvOffset::SetCX(int32_t AValue) {
    FLock->Setter(FCX, AValue, nullptr);
}

int32_t TKvOffset::GetCY() const {
    return FLock->Getter(FCY);
}

void TKvOffset::SetCY(int32_t AValue) {
    FLock->Setter(FCY, AValue, nullptr);
}

TKvCoordinateOffset::~TKvCoordinateOffset() = default;

TKvCoordinateMode TKvCoordinateOffset::GetCoordinateMode() const {
    const auto Section = FLock->ReadLock();
    return FCoordinateMode;
}

void TKvCoordinateOffset::SetCoordinateMode(TKvCoordinateMode AValue) {
    {
        const auto Section = FLock->WriteLock();
        if (FCoordinateMode == AValue)
            return;
        FCoordinateMode = AValue;
    }
    LockChanged();
}
