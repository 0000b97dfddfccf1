#include "display/KvZoomHistory.h"

#include <algorithm>

void TKvAxisZoomList::Add(IKvDisplayAxis* AAxis) {
    FItems.push_back(
        TKvAxisZoomListItem{AAxis, AAxis->GetZoomMin(), AAxis->GetZoomMax(), AAxis->GetZoomed()});
}

bool TKvAxisZoomList::IsEqual(const TKvAxisZoomList& AOther) const {
    if (FItems.size() != AOther.FItems.size())
        return false;
    return std::all_of(FItems.begin(), FItems.end(), [&](const TKvAxisZoomListItem& AItem) {
        return std::any_of(
            AOther.FItems.begin(), AOther.FItems.end(), [&](const TKvAxisZoomListItem& AOtherItem) {
                if (AOtherItem.Axis != AItem.Axis || AOtherItem.Zoomed != AItem.Zoomed)
                    return false;
                return !AItem.Zoomed ||
                       (AOtherItem.Min == AItem.Min && AOtherItem.Max == AItem.Max);
            });
    });
}

void TKvDisplayZoomList::Add(TKvAxisZoomListPtr AAxisList) {
    if (!AAxisList)
        return;
    if (!FList.empty() && FList.back()->IsEqual(*AAxisList))
        return;
    FList.push_back(std::move(AAxisList));
    if (Count() > MaxEntries)
        FList.erase(FList.begin());
}

bool TKvDisplayZoomList::Get(TKvAxisZoomListPtr& AAxisList) {
    if (FList.empty()) {
        AAxisList.reset();
        return false;
    }
    AAxisList = std::move(FList.back());
    FList.pop_back();
    return true;
}
