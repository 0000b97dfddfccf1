#pragma once
// A control that hosts draw layers, as a display container would: a layer
// list, a collection of links to layers, painting that draws every layer
// into its own canvas, and mouse input forwarded to every layer. It is a
// layer itself, so that a link can be asked to refer to its own host.

#include "foundation/HxControlDrawLayers.h"
#include "platform/Forms.h"

#include <QString>
#include <vector>

class TTestLayerHost : public THxControlDrawLayer {
    Q_OBJECT
    Q_PROPERTY(THxDrawLayers* Layers READ GetLayers)
    Q_PROPERTY(THxCollection* Links READ GetLinks)
public:
    Q_INVOKABLE explicit TTestLayerHost(TComponent* AOwner);

    THxDrawLayers* GetLayers() const { return FLayers.get(); }
    THxCollection* GetLinks() const { return FLinks.get(); }
    THxLayerCollectionItem* AddLink(TComponent* ALayer);

    void Paint() override;
    void MouseMove(TShiftState AShift, int32_t X, int32_t Y) override;
    void MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override;
    void MouseUp(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override;
    bool DoMouseWheelDown(TShiftState AShift, TPoint AMousePos) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void GetChildren(const TGetChildProc& AProc, TComponent* ARoot) override;
    void SetChildOrder(TComponent* AChild, int AOrder) override;

protected:
    ~TTestLayerHost() override;
    void Notification(TComponent* AComponent, TOperation AOperation) override;

private:
    template <class F> void ForEachLayer(F AAction);

    TOwned<THxDrawLayers> FLayers;
    TOwned<THxCollection> FLinks;
};

// A layer that fills its bounds with its colour and records what it is told.
class TTestLayer : public THxControlDrawLayer {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestLayer(TComponent* AOwner);

    void DoLayerBegin(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                      float AYCoeff) override;
    void DoLayerEnd() override;
    void DoLayerDraw(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                     float AYCoeff, bool AContoursOnly) override;
    bool DoMouseWheelDown(TShiftState AShift, TPoint AMousePos) override;
    void MouseDown(TMouseButton AButton, TShiftState AShift, int32_t X, int32_t Y) override;

    using THxCustomControl::IsHostedItem;

    std::vector<QString> calls;
    std::vector<TPoint> wheelPoints;
};

// The root of stored forms in these tests.
class TTestLayerForm : public TForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestLayerForm(TComponent* AOwner) : TForm(AOwner) {}

protected:
    ~TTestLayerForm() override = default;
};

void RegisterLayerTestClasses();
