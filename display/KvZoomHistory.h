#pragma once
// The zoom history: a snapshot holds every axis's zoom state; the display
// keeps an undo and a redo stack of snapshots.

#include "display/KvDisplayAxisList.h"

#include <memory>
#include <vector>

struct TKvAxisZoomListItem {
    IKvDisplayAxis* Axis = nullptr;
    double Min = 0.0;
    double Max = 0.0;
    bool Zoomed = false;
};

class TKvAxisZoomList {
public:
    // Appends AAxis with its current zoom state.
    void Add(IKvDisplayAxis* AAxis);
    // Same axes with the same zoom flags, and equal ranges where zoomed.
    bool IsEqual(const TKvAxisZoomList& AOther) const;
    int32_t Count() const { return static_cast<int32_t>(FItems.size()); }
    const TKvAxisZoomListItem& Items(int32_t AIndex) const {
        return FItems.at(static_cast<size_t>(AIndex));
    }

private:
    std::vector<TKvAxisZoomListItem> FItems;
};

using TKvAxisZoomListPtr = std::unique_ptr<TKvAxisZoomList>;

class TKvDisplayZoomList {
public:
    static constexpr int32_t MaxEntries = 100;

    void Clear() { FList.clear(); }
    // A snapshot equal to the top is dropped; beyond MaxEntries the oldest goes.
    void Add(TKvAxisZoomListPtr AAxisList);
    // Takes the top snapshot; false (and AAxisList empty) when there is none.
    bool Get(TKvAxisZoomListPtr& AAxisList);
    bool HasItems() const { return !FList.empty(); }
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }
    // The snapshot at AIndex, 0 being the oldest.
    const TKvAxisZoomList& Items(int32_t AIndex) const {
        return *FList.at(static_cast<size_t>(AIndex));
    }

private:
    std::vector<TKvAxisZoomListPtr> FList;
};
