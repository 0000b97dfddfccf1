#pragma once
// The "Levels" page of the waterfall's settings: the level view's
// visibility, its caption (text, visibility, font) and its axis
// (visibility, scale mode), all written into the view at once.

#include "dialogs/KvPropertyPageFormUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <cstdint>

class TKvWaterfallDisplayLevelView;

class TKvWaterfallLevelsForm : public TKvPropertyPageForm {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 330;
    static constexpr int DesignClientHeight = 134;

    // The page on ALevels; the view has one axis, so AAxisIndex selects
    // nothing.
    TKvWaterfallLevelsForm(TRnCommonPropertiesForm* AOwner, int32_t AAxisIndex,
                           TKvWaterfallDisplayLevelView* ALevels);
    static TKvWaterfallLevelsForm* CreateEx(TRnCommonPropertiesForm* AOwner, int32_t AAxisIndex,
                                            TKvWaterfallDisplayLevelView* ALevels);

    QCheckBox* VisibleCheckBox;
    QLineEdit* NameEdit;
    QGroupBox* GroupBox1;
    QCheckBox* AxisVisibleCheckBox;
    QComboBox* ScaleModeComboBox;
    QGroupBox* GroupBox2;
    QCheckBox* LabelVisibleCheckBox;
    QPushButton* BitBtn3;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void StoreName();
    void VisibleCheckBoxClick(bool AChecked);
    void AxisVisibleCheckBoxClick(bool AChecked);
    void LabelVisibleCheckBoxClick(bool AChecked);
    void ScaleModeComboBoxChange(int AIndex);
    void BitBtn3Click();

    TKvWaterfallDisplayLevelView* FLevels;
    bool FInUpdate = false;
};
