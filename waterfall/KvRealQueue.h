#pragma once
// The lists behind the waterfall's row history: a first-in first-out list of
// doubles under its own critical section, and a list of rows.
//
// Both keep their items in a ring that only grows, so that dropping the
// oldest item costs nothing and a full history that keeps scrolling never
// touches the heap again.

#include <cstdint>
#include <utility>
#include <vector>

#include "buffers/KvBufferInterfaces.h"
#include "pins/JwMutex.h"

// A growable ring indexed from its oldest item. Indices are checked by the
// owning list, not here.
template <class T> class TKvRing {
public:
    uint32_t Count() const { return FCount; }

    T& operator[](uint32_t AIndex) { return FItems[(FHead + AIndex) & FMask]; }
    const T& operator[](uint32_t AIndex) const { return FItems[(FHead + AIndex) & FMask]; }

    void PushBack(T AItem) {
        if (FCount == FItems.size())
            Grow();
        FItems[(FHead + FCount) & FMask] = std::move(AItem);
        ++FCount;
    }

    // The oldest item, moved out.
    T TakeFront() {
        T Item = std::exchange(FItems[FHead], T());
        FHead = (FHead + 1) & FMask;
        --FCount;
        return Item;
    }

    void Erase(uint32_t AIndex) {
        if (AIndex == 0) {
            TakeFront();
            return;
        }
        for (uint32_t I = AIndex; I + 1 < FCount; ++I)
            (*this)[I] = std::move((*this)[I + 1]);
        (*this)[FCount - 1] = T();
        --FCount;
    }

    // Keeps the capacity.
    void Clear() {
        for (uint32_t I = 0; I < FCount; ++I)
            (*this)[I] = T();
        FHead = 0;
        FCount = 0;
    }

private:
    void Grow() {
        // Capacity stays a power of two so that wrapping is a mask.
        std::vector<T> Items(FItems.empty() ? 8 : FItems.size() * 2);
        for (uint32_t I = 0; I < FCount; ++I)
            Items[I] = std::move((*this)[I]);
        FItems.swap(Items);
        FHead = 0;
        FMask = static_cast<uint32_t>(FItems.size() - 1);
    }

    std::vector<T> FItems;
    uint32_t FHead = 0;
    uint32_t FCount = 0;
    uint32_t FMask = 0;
};

class TKvRealQueue {
public:
    TKvRealQueue() = default;
    ~TKvRealQueue();
    TKvRealQueue(const TKvRealQueue&) = delete;
    TKvRealQueue& operator=(const TKvRealQueue&) = delete;

    void Add(double AValue);
    // Raises EListError on an empty queue.
    double Pop();
    // Drops the first entry; nothing on an empty queue.
    void Remove();
    int32_t GetCount();
    // Raise EListError outside 0..GetCount - 1.
    double GetItem(int32_t AIndex);
    void SetItem(int32_t AIndex, double AValue);
    void Clear();

    // The largest and the smallest entry from AFirst on, NaN entries skipped;
    // false when there is none.
    bool MaxFrom(int32_t AFirst, double& AValue);
    bool MinFrom(int32_t AFirst, double& AValue);

private:
    void CheckIndex(int32_t AIndex);

    TKvRing<double> FList;
    TJwCriticalSection FSection;
};

// Rows by index; an item may be empty.
class TRnRealBufferList {
public:
    TRnRealBufferList() = default;
    TRnRealBufferList(const TRnRealBufferList&) = delete;
    TRnRealBufferList& operator=(const TRnRealBufferList&) = delete;

    void Add(TKvRealBufferPtr AItem);
    // Raise EListError outside 0..Count - 1.
    void Delete(int32_t AIndex);
    TKvRealBufferPtr GetItem(int32_t AIndex) const;
    void SetItem(int32_t AIndex, TKvRealBufferPtr AItem);
    void Clear();
    int32_t Count() const { return static_cast<int32_t>(FItems.Count()); }

    // The first row, moved out (for releasing outside a lock). Raises
    // EListError on an empty list.
    TKvRealBufferPtr TakeFirst();
    // Unchecked access for loops that stay within Count.
    const TKvRealBufferPtr& operator[](int32_t AIndex) const {
        return FItems[static_cast<uint32_t>(AIndex)];
    }

private:
    void CheckIndex(int32_t AIndex) const;

    TKvRing<TKvRealBufferPtr> FItems;
};
