#pragma once
// A control item that can also be drawn as a layer into another control's
// canvas, take that host's mouse input, and keep data the host caches per
// link.

#include "foundation/HxDrawLayers.h"
#include "foundation/KvControlCollection.h"

#include <memory>
#include <vector>

class THxControlDrawLayer : public TKvCustomControlItem, public IHxDrawItem {
    Q_OBJECT
public:
    Q_INVOKABLE explicit THxControlDrawLayer(TComponent* AOwner);

    using TControl::Parent;

    void* QueryInterface(const TGUID& AIID) noexcept override;

    // Drawing: nothing here; a layer class draws.
    void DoLayerBegin(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                      float AYCoeff) override;
    void DoLayerEnd() override;
    void DoLayerDraw(THxCanvas* ACanvas, int32_t AWidth, int32_t AHeight, float AXCoeff,
                     float AYCoeff, bool AContoursOnly) override;

    // Mouse input of the host, while the control is visible and enabled. A
    // wheel step must lie strictly inside the control's bounds.
    void DoLayerMouseMove(TShiftState AShift, int32_t AX, int32_t AY) override;
    void DoLayerMouseDown(TMouseButton AButton, TShiftState AShift, int32_t AX,
                          int32_t AY) override;
    void DoLayerMouseUp(TMouseButton AButton, TShiftState AShift, int32_t AX, int32_t AY) override;
    bool DoLayerMouseWheelDown(TShiftState AShift, int32_t AX, int32_t AY) override;
    bool DoLayerMouseWheelUp(TShiftState AShift, int32_t AX, int32_t AY) override;
    void DoLayerMouseEnter() override;
    void DoLayerMouseLeave() override;

    QObject* GetChachedData(const QObject* ALink) override;
    // Replaces the data of ALink, or drops the entry when AData is null; a
    // link without entry gets one only for data. Takes ownership of AData.
    void SetChachedData(const QObject* ALink, QObject* AData) override;
    // Under the write lock, frees every cached object.
    void ClearCachedData();
    THxDrawLayerOperations GetOperations() override;

    void AddLayerLink(THxLayerCollectionItem* ALink) override;
    void RemoveLayerLink(THxLayerCollectionItem* ALink) override;
    int32_t LinkCount() const { return static_cast<int32_t>(FLinkList.size()); }

    using TComponent::GetName;
    QString GetName() override;
    [[nodiscard]] TJwLockSectionPtr WriteLock() override;

protected:
    ~THxControlDrawLayer() override;
    void BeforeDestruction() override;

private:
    struct TDataDeleter {
        void operator()(QObject* AData) const;
    };
    using TCachedData = std::unique_ptr<QObject, TDataDeleter>;

    bool AcceptsInput() const { return Visible() && Enabled(); }
    bool InsideBounds(int32_t AX, int32_t AY) const;

    std::vector<THxLayerCollectionItem*> FLinkList;
    // Parallel lists: link, then the data kept for it.
    std::vector<const QObject*> FCachedLayersList;
    std::vector<TCachedData> FCachedList;
};
