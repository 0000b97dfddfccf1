#pragma once
// Settings of the clickable, highlighted areas of views: an axis label that
// opens the axis's properties, the legend's items and scroll buttons.

#include "display/KvScopeTypes.h"
#include "foundation/HxPersistentNotify.h"
#include "platform/Colors.h"
#include "platform/Cursors.h"

class TKvBasicViewButtonSettings : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ GetEnabled WRITE SetEnabled)
    Q_PROPERTY(TCursor Cursor READ GetCursor WRITE SetCursor)
    Q_PROPERTY(
        TColor MouseOverBorderColor READ GetMouseOverBorderColor WRITE SetMouseOverBorderColor)
    Q_PROPERTY(TColor MouseOverColor READ GetMouseOverColor WRITE SetMouseOverColor)
    Q_PROPERTY(
        TColor MouseDownBorderColor READ GetMouseDownBorderColor WRITE SetMouseDownBorderColor)
    Q_PROPERTY(TColor MouseDownColor READ GetMouseDownColor WRITE SetMouseDownColor)
    Q_CLASSINFO("default:Enabled", "True")
    Q_CLASSINFO("default:Cursor", "-21")
    Q_CLASSINFO("type:MouseOverBorderColor", "TColor")
    Q_CLASSINFO("default:MouseOverBorderColor", "clLime")
    Q_CLASSINFO("type:MouseOverColor", "TColor")
    Q_CLASSINFO("default:MouseOverColor", "clGreen")
    Q_CLASSINFO("type:MouseDownBorderColor", "TColor")
    Q_CLASSINFO("default:MouseDownBorderColor", "clYellow")
    Q_CLASSINFO("type:MouseDownColor", "TColor")
    Q_CLASSINFO("default:MouseDownColor", "clOlive")
public:
    TKvBasicViewButtonSettings(THxPersistent* AOwner, TNotifyEvent AOnChange);

    bool GetEnabled() const { return FLock->Getter(FEnabled); }
    void SetEnabled(bool AValue) { FLock->Setter(FEnabled, AValue, nullptr); }
    TCursor GetCursor() const;
    void SetCursor(TCursor AValue) { FLock->SetterCursor(FCursor, AValue, nullptr); }
    TColor GetMouseOverBorderColor() const { return ReadColor(FMouseOverBorderColor); }
    void SetMouseOverBorderColor(TColor AValue) { WriteColor(FMouseOverBorderColor, AValue); }
    TColor GetMouseOverColor() const { return ReadColor(FMouseOverColor); }
    void SetMouseOverColor(TColor AValue) { WriteColor(FMouseOverColor, AValue); }
    TColor GetMouseDownBorderColor() const { return ReadColor(FMouseDownBorderColor); }
    void SetMouseDownBorderColor(TColor AValue) { WriteColor(FMouseDownBorderColor, AValue); }
    TColor GetMouseDownColor() const { return ReadColor(FMouseDownColor); }
    void SetMouseDownColor(TColor AValue) { WriteColor(FMouseDownColor, AValue); }

protected:
    ~TKvBasicViewButtonSettings() override;

    TColor ReadColor(const TColor& AField) const { return FLock->Getter(AField); }
    void WriteColor(TColor& AField, TColor AValue) { FLock->SetterColor(AField, AValue, nullptr); }

private:
    bool FEnabled = true;
    TCursor FCursor = crHandPoint;
    TColor FMouseOverBorderColor = clLime;
    TColor FMouseOverColor = clGreen;
    TColor FMouseDownBorderColor = clYellow;
    TColor FMouseDownColor = clOlive;
};

class TKvViewButtonSettings : public TKvBasicViewButtonSettings {
    Q_OBJECT
public:
    TKvViewButtonSettings(THxPersistent* AOwner, TNotifyEvent AOnChange);

    TKvToolBarButtonClickEvent OnClick;

protected:
    ~TKvViewButtonSettings() override;
};

class TKvLegendViewButtonSettings : public TKvBasicViewButtonSettings {
    Q_OBJECT
    Q_PROPERTY(TColor GlyphColor READ GetGlyphColor WRITE SetGlyphColor)
    Q_PROPERTY(TColor BorderColor READ GetBorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor ButtonColor READ GetButtonColor WRITE SetButtonColor)
    Q_PROPERTY(TColor DisabledColor READ GetDisabledColor WRITE SetDisabledColor)
    Q_CLASSINFO("type:GlyphColor", "TColor")
    Q_CLASSINFO("default:GlyphColor", "clYellow")
    Q_CLASSINFO("type:BorderColor", "TColor")
    Q_CLASSINFO("default:BorderColor", "clGreen")
    Q_CLASSINFO("type:ButtonColor", "TColor")
    Q_CLASSINFO("default:ButtonColor", "clBlack")
    Q_CLASSINFO("type:DisabledColor", "TColor")
    Q_CLASSINFO("default:DisabledColor", "clGreen")
public:
    TKvLegendViewButtonSettings(THxPersistent* AOwner, TNotifyEvent AOnChange);

    TColor GetGlyphColor() const { return ReadColor(FGlyphColor); }
    void SetGlyphColor(TColor AValue) { WriteColor(FGlyphColor, AValue); }
    TColor GetBorderColor() const { return ReadColor(FBorderColor); }
    void SetBorderColor(TColor AValue) { WriteColor(FBorderColor, AValue); }
    TColor GetButtonColor() const { return ReadColor(FButtonColor); }
    void SetButtonColor(TColor AValue) { WriteColor(FButtonColor, AValue); }
    TColor GetDisabledColor() const { return ReadColor(FDisabledColor); }
    void SetDisabledColor(TColor AValue) { WriteColor(FDisabledColor, AValue); }

protected:
    ~TKvLegendViewButtonSettings() override;

private:
    TColor FGlyphColor = clYellow;
    TColor FBorderColor = clGreen;
    TColor FButtonColor = clBlack;
    TColor FDisabledColor = clGreen;
};
