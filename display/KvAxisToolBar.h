#pragma once
// An axis's own small toolbar: zoom in, out and off along the axis, and a
// button that makes the display's mouse zoom work along this axis only.

#include "display/KvDisplayToolBar.h"

class TKvDisplayAxis;

class TKvAxisToolBarButtons : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool _ZoomIn READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomIn READ GetZoomIn WRITE SetZoomIn)
    Q_PROPERTY(bool _ZoomOut READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomOut READ GetZoomOut WRITE SetZoomOut)
    Q_PROPERTY(bool _ZoomOff READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomOff READ GetZoomOff WRITE SetZoomOff)
    Q_PROPERTY(bool _ZoomOneDir READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvDisplayToolBarButton* ZoomOneDir READ GetZoomOneDir WRITE SetZoomOneDir)
public:
    TKvAxisToolBarButtons(THxPersistent* AOwner, TKvDataDisplay* ADisplay);

    TKvDisplayToolBarButton* GetZoomIn() const { return FZoomIn.get(); }
    void SetZoomIn(TKvDisplayToolBarButton* AValue) { FZoomIn->Assign(AValue); }
    TKvDisplayToolBarButton* GetZoomOut() const { return FZoomOut.get(); }
    void SetZoomOut(TKvDisplayToolBarButton* AValue) { FZoomOut->Assign(AValue); }
    TKvDisplayToolBarButton* GetZoomOff() const { return FZoomOff.get(); }
    void SetZoomOff(TKvDisplayToolBarButton* AValue) { FZoomOff->Assign(AValue); }
    TKvDisplayToolBarButton* GetZoomOneDir() const { return FZoomOneDir.get(); }
    void SetZoomOneDir(TKvDisplayToolBarButton* AValue) { FZoomOneDir->Assign(AValue); }

protected:
    ~TKvAxisToolBarButtons() override;

private:
    TOwned<TKvDisplayToolBarButton> FZoomIn;
    TOwned<TKvDisplayToolBarButton> FZoomOut;
    TOwned<TKvDisplayToolBarButton> FZoomOff;
    TOwned<TKvDisplayToolBarButton> FZoomOneDir;
};

class TKvAxisToolBar : public TKvBasicDisplayToolBar {
    Q_OBJECT
    Q_PROPERTY(bool _Buttons READ ExpanderEntry STORED false)
    Q_PROPERTY(TKvAxisToolBarButtons* Buttons READ GetButtons WRITE SetButtons)
public:
    TKvAxisToolBar(TKvDataDisplay* ADisplay, TKvDisplayAxis* AAxis);

    TKvAxisToolBarButtons* GetButtons() const { return FButtons.get(); }
    void SetButtons(TKvAxisToolBarButtons* AValue) { FButtons->Assign(AValue); }
    TKvDisplayAxis* Axis() const { return FAxis; }

    // Shown while its Visible is set and the axis is shown.
    bool IsVisible() const override;
    void UpdateButtons() override;
    int32_t GetToolLeft() const override;
    int32_t GetToolTop() const override;
    // A column along a vertical axis, a row along a horizontal one.
    int32_t GetRowCount() const override;

    TKvDisplayIntToolBarButton* ZoomInButton() const { return FZoomInButton; }
    TKvDisplayIntToolBarButton* ZoomOutButton() const { return FZoomOutButton; }
    TKvDisplayIntToolBarButton* ZoomOffButton() const { return FZoomOffButton; }
    TKvDisplayIntToolBarButton* ZoomOneDirButton() const { return FZoomOneDirButton; }

protected:
    ~TKvAxisToolBar() override;

private:
    // The display's zoom mode that works along this axis only.
    TKvDisplayZoomMode OneDirMode() const;

    TKvDisplayAxis* const FAxis;
    TOwned<TKvAxisToolBarButtons> FButtons;
    TKvDisplayIntToolBarButton* FZoomInButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomOutButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomOffButton = nullptr;
    TKvDisplayIntToolBarButton* FZoomOneDirButton = nullptr;
};
