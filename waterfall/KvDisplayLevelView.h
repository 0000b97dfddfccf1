#pragma once
// The level view's concrete layers: the value axis, the caption and, for
// the waterfall, the caption button's published settings.

#include "display/KvDisplayLabel.h"
#include "display/KvViewButtonSettings.h"
#include "waterfall/KvBasicLevelDisplayLevelView.h"

// The caption: "Levels" in bold 10-point type.
class TKvLevelDisplayLabel : public TKvDisplayLabel {
    Q_OBJECT
public:
    TKvLevelDisplayLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                         TNotifyEvent AOnChange);

protected:
    ~TKvLevelDisplayLabel() override;
};

class TKvAxisDisplayLevelView : public TKvBasicLevelDisplayLevelView {
    Q_OBJECT
    Q_PROPERTY(TKvLevelAxis* Axis READ GetAxis WRITE SetAxis)
    Q_PROPERTY(bool _Axis READ ExpanderEntry STORED false)
public:
    TKvAxisDisplayLevelView(TKvDataDisplay* ADisplay, TKvLevelFunc AMinFunc, TKvLevelFunc AMaxFunc,
                            TKvGetValueAtFunc AGetValueAtFunc);

    TKvLevelAxis* GetAxis() const { return FAxis.get(); }
    // Copies AValue into the owned axis.
    void SetAxis(TKvLevelAxis* AValue);

protected:
    ~TKvAxisDisplayLevelView() override;

    TKvBasicLevelAxis* GetLevelAxis() const override { return FAxis.get(); }
    // The axis's text, then the label handler's.
    QString LevelTickText(double AValue) override;

private:
    TOwned<TKvLevelAxis> FAxis;
};

class TKvDisplayLevelView : public TKvAxisDisplayLevelView {
    Q_OBJECT
    Q_PROPERTY(TKvLevelDisplayLabel* LevelLabel READ GetLevelLabel WRITE SetLevelLabel)
public:
    TKvDisplayLevelView(TKvDataDisplay* ADisplay, TKvLevelFunc AMinFunc, TKvLevelFunc AMaxFunc,
                        TKvGetValueAtFunc AGetValueAtFunc);

    TKvLevelDisplayLabel* GetLevelLabel() const { return FLabel.get(); }
    // Copies AValue into the owned caption.
    void SetLevelLabel(TKvLevelDisplayLabel* AValue);

protected:
    ~TKvDisplayLevelView() override;

private:
    TOwned<TKvLevelDisplayLabel> FLabel;
};

// The waterfall's level view ("Levels"): the caption button's settings are
// published as Button.
class TKvWaterfallDisplayLevelView : public TKvDisplayLevelView {
    Q_OBJECT
    Q_PROPERTY(TKvViewButtonSettings* Button READ GetButton WRITE SetButton)
    Q_PROPERTY(bool _Button READ ExpanderEntry STORED false)
public:
    TKvWaterfallDisplayLevelView(TKvDataDisplay* ADisplay, TKvLevelFunc AMinFunc,
                                 TKvLevelFunc AMaxFunc, TKvGetValueAtFunc AGetValueAtFunc);

    TKvViewButtonSettings* GetButton() const { return FButton.get(); }
    // Copies AValue into the owned settings.
    void SetButton(TKvViewButtonSettings* AValue);

protected:
    ~TKvWaterfallDisplayLevelView() override;

    bool GetButtonEnabled() const override;
    TCursor GetButtonCursor() const override;
    void GetButtonColors(TColor& AOverBorder, TColor& AOver, TColor& ADownBorder,
                         TColor& ADown) const override;
    void ButtonClick(bool& Handled) override;

private:
    TOwned<TKvViewButtonSettings> FButton;
};
