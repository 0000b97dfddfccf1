#pragma once
// A display's highlighting settings: how items (marker groups and markers)
// light up under the mouse or from the legend, and the mouse hit point with
// its value label.

#include "display/KvDisplayPersistent.h"
#include "display/KvScopeTypes.h"
#include "foundation/KvOptionalLabel.h"

class TKvDataDisplay;

class TKvDisplayItemHighlighting : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool HiglightLegendButton READ GetHiglightLegendButton WRITE SetHiglightLegendButton)
    Q_PROPERTY(bool HiglightFromLegend READ GetHiglightFromLegend WRITE SetHiglightFromLegend)
    Q_PROPERTY(bool HiglightFromMouse READ GetHiglightFromMouse WRITE SetHiglightFromMouse)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_CLASSINFO("default:HiglightLegendButton", "True")
    Q_CLASSINFO("default:HiglightFromLegend", "True")
    Q_CLASSINFO("default:HiglightFromMouse", "True")
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clLime")
public:
    // Every change makes ADisplay drop its drawing data and repaint.
    explicit TKvDisplayItemHighlighting(TKvDataDisplay* ADisplay);

    bool GetHiglightLegendButton() const { return FLock->Getter(FHiglightLegendButton); }
    void SetHiglightLegendButton(bool AValue);
    bool GetHiglightFromLegend() const { return FLock->Getter(FHiglightFromLegend); }
    void SetHiglightFromLegend(bool AValue);
    bool GetHiglightFromMouse() const { return FLock->Getter(FHiglightFromMouse); }
    void SetHiglightFromMouse(bool AValue);
    TColor GetColor() const { return FLock->Getter(FColor); }
    void SetColor(TColor AValue);

    // Items highlight at all: from the legend button or from the mouse.
    bool IsActive() const { return GetHiglightLegendButton() || GetHiglightFromMouse(); }

protected:
    ~TKvDisplayItemHighlighting() override;

private:
    void ResetDisplay();

    bool FHiglightLegendButton = true;
    bool FHiglightFromLegend = true;
    bool FHiglightFromMouse = true;
    TColor FColor = 0x00FF00;
};

class TKvDisplayOptionalHighlighting : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clRed")
public:
    explicit TKvDisplayOptionalHighlighting(TKvDataDisplay* ADisplay);

    bool GetEnabled() const { return FLock->Getter(FEnabled); }
    void SetEnabled(bool AValue) { FLock->Setter(FEnabled, AValue, nullptr); }
    TColor GetColor() const { return FLock->Getter(FColor); }
    void SetColor(TColor AValue) { FLock->SetterColor(FColor, AValue, nullptr); }

protected:
    ~TKvDisplayOptionalHighlighting() override;

private:
    bool FEnabled = true;
    TColor FColor = 0x0000FF;
};

// The point under the mouse: a small square and a label with the values
// there.
class TKvChannelMouseHitPoint : public TKvDisplayOptionalHighlighting {
    Q_OBJECT
    Q_PROPERTY(bool UseChannelColor READ GetUseChannelColor WRITE SetUseChannelColor)
    Q_PROPERTY(TKvOptionalLabel* PointLabel READ GetPointLabel WRITE SetPointLabel)
    Q_CLASSINFO("default:UseChannelColor", "True")
public:
    explicit TKvChannelMouseHitPoint(TKvDataDisplay* ADisplay);

    bool GetUseChannelColor() const { return FLock->Getter(FUseChannelColor); }
    void SetUseChannelColor(bool AValue) { FLock->Setter(FUseChannelColor, AValue, nullptr); }
    TKvOptionalLabel* GetPointLabel() const { return FPointLabel.get(); }
    // Copies AValue into the owned label, then the display drops its drawing data.
    void SetPointLabel(TKvOptionalLabel* AValue);

protected:
    ~TKvChannelMouseHitPoint() override;

private:
    bool FUseChannelColor = true;
    TOwned<TKvOptionalLabel> FPointLabel;
};
