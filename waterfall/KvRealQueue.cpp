#include "waterfall/KvRealQueue.h"

#include <algorithm>
#include <cmath>

#include "platform/Exceptions.h"

TKvRealQueue::~TKvRealQueue() {
    Clear();
}

void TKvRealQueue::CheckIndex(int32_t AIndex) {
    if (AIndex < 0 || static_cast<uint32_t>(AIndex) >= FList.Count())
        ListIndexError(AIndex);
}

void TKvRealQueue::Add(double AValue) {
    TJwCriticalSectionLock Lock(FSection);
    FList.PushBack(AValue);
}

double TKvRealQueue::Pop() {
    TJwCriticalSectionLock Lock(FSection);
    CheckIndex(0);
    return FList.TakeFront();
}

void TKvRealQueue::Remove() {
    TJwCriticalSectionLock Lock(FSection);
    if (FList.Count() > 0)
        FList.TakeFront();
}

int32_t TKvRealQueue::GetCount() {
    TJwCriticalSectionLock Lock(FSection);
    return static_cast<int32_t>(FList.Count());
}

double TKvRealQueue::GetItem(int32_t AIndex) {
    TJwCriticalSectionLock Lock(FSection);
    CheckIndex(AIndex);
    return FList[static_cast<uint32_t>(AIndex)];
}

void TKvRealQueue::SetItem(int32_t AIndex, double AValue) {
    TJwCriticalSectionLock Lock(FSection);
    CheckIndex(AIndex);
    FList[static_cast<uint32_t>(AIndex)] = AValue;
}

void TKvRealQueue::Clear() {
    TJwCriticalSectionLock Lock(FSection);
    FList.Clear();
}

bool TKvRealQueue::MaxFrom(int32_t AFirst, double& AValue) {
    TJwCriticalSectionLock Lock(FSection);
    bool Found = false;
    for (uint32_t I = static_cast<uint32_t>(std::max(AFirst, 0)); I < FList.Count(); ++I) {
        const double Value = FList[I];
        if (!std::isnan(Value) && (!Found || Value > AValue)) {
            AValue = Value;
            Found = true;
        }
    }
    return Found;
}

bool TKvRealQueue::MinFrom(int32_t AFirst, double& AValue) {
    TJwCriticalSectionLock Lock(FSection);
    bool Found = false;
    for (uint32_t I = static_cast<uint32_t>(std::max(AFirst, 0)); I < FList.Count(); ++I) {
        const double Value = FList[I];
        if (!std::isnan(Value) && (!Found || Value < AValue)) {
            AValue = Value;
            Found = true;
        }
    }
    return Found;
}

void TRnRealBufferList::CheckIndex(int32_t AIndex) const {
    if (AIndex < 0 || static_cast<uint32_t>(AIndex) >= FItems.Count())
        ListIndexError(AIndex);
}

void TRnRealBufferList::Add(TKvRealBufferPtr AItem) {
    FItems.PushBack(std::move(AItem));
}

void TRnRealBufferList::Delete(int32_t AIndex) {
    CheckIndex(AIndex);
    FItems.Erase(static_cast<uint32_t>(AIndex));
}

TKvRealBufferPtr TRnRealBufferList::GetItem(int32_t AIndex) const {
    CheckIndex(AIndex);
    return FItems[static_cast<uint32_t>(AIndex)];
}

void TRnRealBufferList::SetItem(int32_t AIndex, TKvRealBufferPtr AItem) {
    CheckIndex(AIndex);
    FItems[static_cast<uint32_t>(AIndex)] = std::move(AItem);
}

void TRnRealBufferList::Clear() {
    FItems.Clear();
}

TKvRealBufferPtr TRnRealBufferList::TakeFirst() {
    CheckIndex(0);
    return FItems.TakeFront();
}
