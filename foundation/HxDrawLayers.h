#pragma once
// The host side of draw layers: the item list class of layers, the layer
// interface a host draws and feeds with its mouse input, and the host's
// collection item that refers to one layer.

#include "foundation/HxCollection.h"
#include "foundation/KvComponentCollection.h"
#include "platform/Controls.h"

#include <QFlags>

class THxCanvas;
class THxLayerCollectionItem;

enum THxDrawLayerOperation { dlmDraw = 0x01, dlmInvertAlpha = 0x02, dlmFilter = 0x04 };
Q_DECLARE_FLAGS(THxDrawLayerOperations, THxDrawLayerOperation)
Q_DECLARE_OPERATORS_FOR_FLAGS(THxDrawLayerOperations)

// A layer: a member of a host's layer list that draws into the host's
// canvas and takes the host's mouse input in the host's client coordinates.
class IHxDrawItem : public virtual IKvComponentItem {
public:
    using Parent = IKvComponentItem;
    static constexpr TGUID IID = TGUID::Parse("{618B80BD-4DBE-4645-9BAC-469E9CAC8756}");

    // A drawing pass: Begin, Draw into ACanvas (the host's size, and the
    // scale from layer pixels to host pixels), End.
    virtual void DoLayerBegin(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                              float AYCoeff) = 0;
    virtual void DoLayerEnd() = 0;
    virtual void DoLayerDraw(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                             float AYCoeff, bool AContoursOnly) = 0;
    virtual void DoLayerMouseMove(TShiftState AShift, int32_t AX, int32_t AY) = 0;
    virtual void DoLayerMouseDown(TMouseButton AButton, TShiftState AShift, int32_t AX,
                                  int32_t AY) = 0;
    virtual void DoLayerMouseUp(TMouseButton AButton, TShiftState AShift, int32_t AX,
                                int32_t AY) = 0;
    // Whether the step was forwarded and handled.
    virtual bool DoLayerMouseWheelDown(TShiftState AShift, int32_t AX, int32_t AY) = 0;
    virtual bool DoLayerMouseWheelUp(TShiftState AShift, int32_t AX, int32_t AY) = 0;
    virtual void DoLayerMouseEnter() = 0;
    virtual void DoLayerMouseLeave() = 0;
    // Data a host keeps with the layer, one object per link; the layer owns it.
    virtual QObject* GetChachedData(const QObject* ALink) = 0;
    virtual void SetChachedData(const QObject* ALink, QObject* AData) = 0;
    virtual THxDrawLayerOperations GetOperations() = 0;
    virtual void AddLayerLink(THxLayerCollectionItem* ALink) = 0;
    virtual void RemoveLayerLink(THxLayerCollectionItem* ALink) = 0;
    virtual QString GetName() = 0;
    [[nodiscard]] virtual TJwLockSectionPtr WriteLock() = 0;

protected:
    ~IHxDrawItem() = default;
};

using THxDrawItemPtr = TIntfPtr<IHxDrawItem>;

// The item list class of layers.
class THxDrawLayers : public TKvComponentItems {
    Q_OBJECT
public:
    using TKvComponentItems::TKvComponentItems;

protected:
    ~THxDrawLayers() override = default;
};

// A host's reference to one layer. The host is the owner of the item's
// collection; its layer list is its first published property of class
// THxDrawLayers.
class THxLayerCollectionItem : public THxCollectionItem {
    Q_OBJECT
    Q_PROPERTY(TComponent* Layer READ GetLayer WRITE SetLayer)
public:
    Q_INVOKABLE explicit THxLayerCollectionItem(TCollection* ACollection);

    // Resolves a stored index first when no layer is bound yet.
    TComponent* GetLayer();
    // Ignores the host itself and layers outside the host's layer list; a
    // component that is not a layer leaves the item unbound.
    void SetLayer(TComponent* AValue);
    int32_t GetLayerIndex() const;
    void SetLayerIndex(int32_t AValue);
    const THxDrawItemPtr& DrawItem() const { return FLayer; }

    QString GetDisplayName() const override;
    void DefineProperties(TFiler& AFiler) override;

    TComponent* Host() const;
    THxDrawLayers* HostLayers() const;

protected:
    ~THxLayerCollectionItem() override;
    void BeforeDestruction() override;

private:
    THxDrawItemPtr FLayer;
    int32_t FLayerIndex = -1;
};
