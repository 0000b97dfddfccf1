#pragma once
// The view layers between the view base and the concrete views: a view with
// a background of its own, a view with a size and a side of the control, and
// a view that can be hidden.

#include "display/KvDisplayComponent.h"
#include "display/KvDisplayPersistent.h"

// Unless UseControlColor, the view is filled with Color; otherwise the
// display's background shows through.
class TKvDisplayViewBackground : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ GetColor WRITE SetColor)
    Q_PROPERTY(bool UseControlColor READ GetUseControlColor WRITE SetUseControlColor)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clBlack")
    Q_CLASSINFO("default:UseControlColor", "True")
public:
    TKvDisplayViewBackground(THxPersistent* AOwner, TKvDataDisplay* ADisplay);

    TColor GetColor() const;
    void SetColor(TColor AValue);
    bool GetUseControlColor() const { return FLock->Getter(FUseControlColor); }
    void SetUseControlColor(bool AValue);

protected:
    ~TKvDisplayViewBackground() override;

private:
    TColor FColor = clBlack;
    bool FUseControlColor = true;
};

// The view's extent across its side: measured from its content (AutoSize)
// or fixed at Size pixels.
class TKvDisplayViewSize : public TKvDisplayPersistent {
    Q_OBJECT
    Q_PROPERTY(bool AutoSize READ GetAutoSize WRITE SetAutoSize)
    Q_PROPERTY(uint32_t Size READ GetSize WRITE SetSize)
    Q_CLASSINFO("default:AutoSize", "True")
    Q_CLASSINFO("default:Size", "100")
public:
    TKvDisplayViewSize(THxPersistent* AOwner, TKvDataDisplay* ADisplay);

    bool GetAutoSize() const { return FLock->Getter(FAutoSize); }
    void SetAutoSize(bool AValue);
    uint32_t GetSize() const { return FLock->Getter(FSize); }
    void SetSize(uint32_t AValue);

protected:
    ~TKvDisplayViewSize() override;

private:
    bool FAutoSize = true;
    uint32_t FSize = 100;
};

class TKvCustomColorDisplayView : public TKvDisplayView {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayViewBackground* Background READ GetBackground WRITE SetBackground)
public:
    explicit TKvCustomColorDisplayView(TKvDataDisplay* ADisplay);

    TKvDisplayViewBackground* GetBackground() const { return FBackground.get(); }
    // Copies AValue into the owned settings.
    void SetBackground(TKvDisplayViewBackground* AValue);

protected:
    ~TKvCustomColorDisplayView() override;

    // Fills the draw rectangle with the background colour, unless the
    // control's colour is to show; either way the brush is left as the fill
    // needs it (solid in that colour, or clear).
    void DrawBackground(THxCanvas* ACanvas);

private:
    TOwned<TKvDisplayViewBackground> FBackground;
};

class TKvCustomSizeDisplayView : public TKvCustomColorDisplayView {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayViewSize* ViewSize READ GetViewSize WRITE SetViewSize)
    Q_PROPERTY(Kv::TKvViewAlign Align READ GetViewAlign WRITE SetAlign)
public:
    TKvCustomSizeDisplayView(TKvDataDisplay* ADisplay, TKvViewAlign AAlign);

    TKvDisplayViewSize* GetViewSize() const { return FViewSize.get(); }
    void SetViewSize(TKvDisplayViewSize* AValue);
    int32_t GetAlign() const override { return GetViewAlign(); }
    TKvViewAlign GetViewAlign() const;
    // Under the lock, through ApplyAlign.
    void SetAlign(TKvViewAlign AValue);

protected:
    ~TKvCustomSizeDisplayView() override;

    // Stores a changed side and lays the display out again. Views that
    // cannot take every side map the value first.
    virtual void ApplyAlign(TKvViewAlign AValue);

    TKvViewAlign FAlign;

private:
    TOwned<TKvDisplayViewSize> FViewSize;
};

// A view that can be hidden; hidden, it takes no room in the layout.
class TKvOptionalView : public TKvCustomSizeDisplayView {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_CLASSINFO("default:Visible", "True")
public:
    TKvOptionalView(TKvDataDisplay* ADisplay, TKvViewAlign AAlign);

    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue);

    bool IsVisible() const override;
    bool IsVisibleForced() const override { return IsVisible(); }

protected:
    ~TKvOptionalView() override;

private:
    bool FVisible = true;
};
