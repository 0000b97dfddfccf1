#include "DrawLayersTestHost.h"

#include "foundation/HxCanvasImpl.h"
#include "platform/ClassRegistry.h"

TTestLayerHost::TTestLayerHost(TComponent* AOwner)
    : THxControlDrawLayer(AOwner), FLayers(new THxDrawLayers(this, Lock())),
      FLinks(new THxCollection(this, Lock(), ItemFactory<THxLayerCollectionItem>())) {}

TTestLayerHost::~TTestLayerHost() = default;

THxLayerCollectionItem* TTestLayerHost::AddLink(TComponent* ALayer) {
    auto* link = static_cast<THxLayerCollectionItem*>(FLinks->Add());
    link->SetLayer(ALayer);
    return link;
}

template <class F> void TTestLayerHost::ForEachLayer(F AAction) {
    for (int32_t i = 0; i < FLayers->Count(); ++i) {
        TKvComponentItemPtr item;
        FLayers->Get(i, item);
        THxDrawItemPtr layer;
        if (Supports(item, layer))
            AAction(layer);
    }
}

void TTestLayerHost::Paint() {
    // Layers in list order, each over the ones before it.
    THxCanvasImpl canvas(Canvas());
    ForEachLayer([&](const THxDrawItemPtr& ALayer) {
        ALayer->DoLayerBegin(&canvas, Width(), Height(), 1.0F, 1.0F);
        ALayer->DoLayerDraw(&canvas, Width(), Height(), 1.0F, 1.0F, false);
        ALayer->DoLayerEnd();
    });
}

void TTestLayerHost::MouseMove(TShiftState AShift, int32_t X, int32_t Y) {
    THxControlDrawLayer::MouseMove(AShift, X, Y);
    ForEachLayer([&](const THxDrawItemPtr& ALayer) { ALayer->DoLayerMouseMove(AShift, X, Y); });
}

void TTestLayerHost::MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) {
    THxControlDrawLayer::MouseDown(AButton, AShift, X, Y);
    ForEachLayer(
        [&](const THxDrawItemPtr& ALayer) { ALayer->DoLayerMouseDown(AButton, AShift, X, Y); });
}

void TTestLayerHost::MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) {
    THxControlDrawLayer::MouseUp(AButton, AShift, X, Y);
    ForEachLayer(
        [&](const THxDrawItemPtr& ALayer) { ALayer->DoLayerMouseUp(AButton, AShift, X, Y); });
}

bool TTestLayerHost::DoMouseWheelDown(TShiftState AShift, TPoint AMousePos) {
    const TPoint client = ScreenToClient(AMousePos);
    bool handled = false;
    ForEachLayer([&](const THxDrawItemPtr& ALayer) {
        handled = ALayer->DoLayerMouseWheelDown(AShift, client.X, client.Y) || handled;
    });
    return handled;
}

void TTestLayerHost::MouseEnter() {
    THxControlDrawLayer::MouseEnter();
    ForEachLayer([](const THxDrawItemPtr& ALayer) { ALayer->DoLayerMouseEnter(); });
}

void TTestLayerHost::MouseLeave() {
    THxControlDrawLayer::MouseLeave();
    ForEachLayer([](const THxDrawItemPtr& ALayer) { ALayer->DoLayerMouseLeave(); });
}

void TTestLayerHost::GetChildren(const TGetChildProc& AProc, TComponent* ARoot) {
    THxControlDrawLayer::GetChildren(AProc, ARoot);
    FLayers->GetChildren(AProc, ARoot);
}

void TTestLayerHost::SetChildOrder(TComponent* AChild, int AOrder) {
    FLayers->SetChildOrder(AChild, AOrder);
}

void TTestLayerHost::Notification(TComponent* AComponent, TOperation AOperation) {
    THxControlDrawLayer::Notification(AComponent, AOperation);
    if (FLayers)
        FLayers->Notification(AComponent, AOperation);
}

TTestLayer::TTestLayer(TComponent* AOwner) : THxControlDrawLayer(AOwner) {}

void TTestLayer::DoLayerBegin(THxCanvas*, int32_t AWidth, int32_t AHeight, float, float) {
    calls.push_back(QStringLiteral("begin %1x%2").arg(AWidth).arg(AHeight));
}

void TTestLayer::DoLayerEnd() {
    calls.push_back(QStringLiteral("end"));
}

void TTestLayer::DoLayerDraw(THxCanvas* ACanvas, int32_t, int32_t, float, float, bool) {
    calls.push_back(QStringLiteral("draw"));
    if (!Visible())
        return;
    ACanvas->GetBrush().SetColor(Color());
    ACanvas->FillRect(BoundsRect());
}

bool TTestLayer::DoMouseWheelDown(TShiftState, TPoint AMousePos) {
    wheelPoints.push_back(AMousePos);
    return true;
}

void TTestLayer::MouseDown(TMouseButton, TShiftState, int32_t X, int32_t Y) {
    calls.push_back(QStringLiteral("down %1,%2").arg(X).arg(Y));
}

void RegisterLayerTestClasses() {
    RegisterClass<TTestLayerForm>();
    RegisterClass<TTestLayerHost>();
    RegisterClass<TTestLayer>();
}
