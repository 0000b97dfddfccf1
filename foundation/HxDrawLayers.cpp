#include "foundation/HxDrawLayers.h"

#include "platform/Filer.h"

THxLayerCollectionItem::THxLayerCollectionItem(TCollection* ACollection)
    : THxCollectionItem(ACollection) {}

THxLayerCollectionItem::~THxLayerCollectionItem() = default;

void THxLayerCollectionItem::BeforeDestruction() {
    if (FLayer) {
        const TJwLockSectionPtr stop = FLock->StopLock();
        const THxDrawItemPtr layer = std::exchange(FLayer, nullptr);
        layer->RemoveLayerLink(this);
    }
    THxCollectionItem::BeforeDestruction();
}

TComponent* THxLayerCollectionItem::Host() const {
    return Collection() ? dynamic_cast<TComponent*>(Collection()->GetOwner()) : nullptr;
}

THxDrawLayers* THxLayerCollectionItem::HostLayers() const {
    QObject* layers = nullptr;
    TComponent* const host = Host();
    if (host && KvFindPropertyOfClass(host, THxDrawLayers::staticMetaObject, layers))
        return qobject_cast<THxDrawLayers*>(layers);
    return nullptr;
}

TComponent* THxLayerCollectionItem::GetLayer() {
    if (!FLayer && FLayerIndex != -1)
        SetLayerIndex(FLayerIndex);
    return FLayer ? FLayer->GetComponent() : nullptr;
}

void THxLayerCollectionItem::SetLayer(TComponent* AValue) {
    TComponent* const current = FLayer ? FLayer->GetComponent() : nullptr;
    if (AValue == current)
        return;
    THxDrawItemPtr layer;
    Supports(KvComponentItem(AValue), layer);
    if (layer && (AValue == Host() || layer->GetComponentList() != HostLayers()))
        return;
    if (const THxDrawItemPtr old = std::exchange(FLayer, nullptr))
        old->RemoveLayerLink(this);
    FLayerIndex = -1;
    if (layer) {
        FLayer = layer;
        layer->AddLayerLink(this);
        if (THxDrawLayers* const layers = HostLayers())
            FLayerIndex = layers->IndexOf(layer);
    }
}

int32_t THxLayerCollectionItem::GetLayerIndex() const {
    if (!FLayer)
        return FLayerIndex;
    THxDrawLayers* const layers = HostLayers();
    return layers ? layers->IndexOf(FLayer) : -1;
}

void THxLayerCollectionItem::SetLayerIndex(int32_t AValue) {
    FLayerIndex = AValue;
    THxDrawLayers* const layers = HostLayers();
    if (!layers || AValue < 0 || AValue >= layers->Count())
        return;
    TKvComponentItemPtr item;
    layers->Get(AValue, item);
    SetLayer(item->GetComponent());
}

QString THxLayerCollectionItem::GetDisplayName() const {
    return FLayer ? FLayer->GetName() : THxCollectionItem::GetDisplayName();
}

void THxLayerCollectionItem::DefineProperties(TFiler& AFiler) {
    THxCollectionItem::DefineProperties(AFiler);
    AFiler.DefineProperty(
        QStringLiteral("LayerIndex"),
        [this](TReader& AReader) { SetLayerIndex(AReader.ReadInteger()); },
        [this](TWriter& AWriter) { AWriter.WriteInteger(GetLayerIndex()); }, true);
}
