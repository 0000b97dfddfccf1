#include "foundation/HxControlDrawLayers.h"

#include <algorithm>

void THxControlDrawLayer::TDataDeleter::operator()(QObject* AData) const {
    if (auto* persistent = qobject_cast<TPersistent*>(AData))
        TPersistent::Free(persistent);
    else
        delete AData;
}

THxControlDrawLayer::THxControlDrawLayer(TComponent* AOwner) : TKvCustomControlItem(AOwner) {}

THxControlDrawLayer::~THxControlDrawLayer() = default;

void THxControlDrawLayer::BeforeDestruction() {
    {
        const TJwLockSectionPtr stop = Lock()->StopLock();
        // Each link takes itself out of the list as it goes.
        while (!FLinkList.empty()) {
            THxLayerCollectionItem* const link = FLinkList.back();
            TPersistent::Free(link);
            std::erase(FLinkList, link);
        }
        FCachedList.clear();
        FCachedLayersList.clear();
    }
    TKvCustomControlItem::BeforeDestruction();
}

void* THxControlDrawLayer::QueryInterface(const TGUID& AIID) noexcept {
    if (AIID == IHxDrawItem::IID)
        return static_cast<IHxDrawItem*>(this);
    return TKvCustomControlItem::QueryInterface(AIID);
}

void THxControlDrawLayer::DoLayerBegin(THxCanvas*, int32_t, int32_t, float, float) {}

void THxControlDrawLayer::DoLayerEnd() {}

void THxControlDrawLayer::DoLayerDraw(THxCanvas*, int32_t, int32_t, float, float, bool) {}

void THxControlDrawLayer::DoLayerMouseMove(TShiftState AShift, int32_t AX, int32_t AY) {
    if (AcceptsInput())
        MouseMove(AShift, AX, AY);
}

void THxControlDrawLayer::DoLayerMouseDown(TMouseButton AButton, TShiftState AShift, int32_t AX,
                                           int32_t AY) {
    if (AcceptsInput())
        MouseDown(AButton, AShift, AX, AY);
}

void THxControlDrawLayer::DoLayerMouseUp(TMouseButton AButton, TShiftState AShift, int32_t AX,
                                         int32_t AY) {
    if (AcceptsInput())
        MouseUp(AButton, AShift, AX, AY);
}

bool THxControlDrawLayer::InsideBounds(int32_t AX, int32_t AY) const {
    return AX > Left() && AX < Left() + Width() && AY > Top() && AY < Top() + Height();
}

bool THxControlDrawLayer::DoLayerMouseWheelDown(TShiftState AShift, int32_t AX, int32_t AY) {
    return AcceptsInput() && InsideBounds(AX, AY) && DoMouseWheelDown(AShift, Point(AX, AY));
}

bool THxControlDrawLayer::DoLayerMouseWheelUp(TShiftState AShift, int32_t AX, int32_t AY) {
    return AcceptsInput() && InsideBounds(AX, AY) && DoMouseWheelUp(AShift, Point(AX, AY));
}

void THxControlDrawLayer::DoLayerMouseEnter() {
    if (AcceptsInput())
        MouseEnter();
}

void THxControlDrawLayer::DoLayerMouseLeave() {
    if (AcceptsInput())
        MouseLeave();
}

QObject* THxControlDrawLayer::GetChachedData(const QObject* ALink) {
    const auto it = std::find(FCachedLayersList.begin(), FCachedLayersList.end(), ALink);
    return it == FCachedLayersList.end()
               ? nullptr
               : FCachedList[static_cast<size_t>(it - FCachedLayersList.begin())].get();
}

void THxControlDrawLayer::SetChachedData(const QObject* ALink, QObject* AData) {
    const auto it = std::find(FCachedLayersList.begin(), FCachedLayersList.end(), ALink);
    if (it != FCachedLayersList.end()) {
        const auto index = it - FCachedLayersList.begin();
        TCachedData& stored = FCachedList[static_cast<size_t>(index)];
        if (AData) {
            // Storing the same object again must not free it.
            if (stored.get() != AData)
                stored.reset(AData);
        } else {
            FCachedLayersList.erase(it);
            FCachedList.erase(FCachedList.begin() + index);
        }
    } else if (AData) {
        FCachedLayersList.push_back(ALink);
        FCachedList.emplace_back(AData);
    }
}

void THxControlDrawLayer::ClearCachedData() {
    const TJwLockSectionPtr section = Lock()->WriteLock();
    if (!JwHolds(section))
        return;
    FCachedList.clear();
    FCachedLayersList.clear();
}

THxDrawLayerOperations THxControlDrawLayer::GetOperations() {
    return dlmDraw;
}

void THxControlDrawLayer::AddLayerLink(THxLayerCollectionItem* ALink) {
    FLinkList.push_back(ALink);
}

void THxControlDrawLayer::RemoveLayerLink(THxLayerCollectionItem* ALink) {
    const auto it = std::find(FLinkList.begin(), FLinkList.end(), ALink);
    if (it != FLinkList.end())
        FLinkList.erase(it);
}

QString THxControlDrawLayer::GetName() {
    return TComponent::GetName();
}

TJwLockSectionPtr THxControlDrawLayer::WriteLock() {
    return Lock()->WriteLock();
}
