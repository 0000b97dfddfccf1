#pragma once
// The "Axes" page of the waterfall's settings: the X and Y axes in a check
// list (checked while visible), and the selected axis's visibility and
// label (text, visibility, font), all written into the axis at once.

#include "dialogs/KvPropertyPageFormUnit.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <array>
#include <cstdint>

class TKvBasicWaterfall;
class TKvDisplayAxis;

class TKvWaterfallAxesForm : public TKvPropertyPageForm {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 337;
    static constexpr int DesignClientHeight = 151;

    // The page on AWaterfall's axes with axis AAxisIndex (0 X, 1 Y) selected.
    TKvWaterfallAxesForm(TRnCommonPropertiesForm* AOwner, int32_t AAxisIndex,
                         TKvBasicWaterfall* AWaterfall);
    static TKvWaterfallAxesForm* CreateEx(TRnCommonPropertiesForm* AOwner, int32_t AAxisIndex,
                                          TKvBasicWaterfall* AWaterfall);

    // The axis of the selected line, or null.
    TKvDisplayAxis* SelectedAxis() const;

    QFrame* Panel1;
    QListWidget* AxisListBox;
    QCheckBox* VisibleCheckBox;
    QGroupBox* GroupBox1;
    QLineEdit* LabelEdit;
    QCheckBox* LabelVisibleCheckBox;
    QPushButton* BitBtn3;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    void LoadAxis();
    void AxisListBoxClick(int ARow);
    void AxisListBoxClickCheck(QListWidgetItem* AItem);
    void VisibleCheckBoxClick(bool AChecked);
    void LabelEditChange(const QString& AText);
    void LabelVisibleCheckBoxClick(bool AChecked);
    void BitBtn3Click();

    TKvBasicWaterfall* FWaterfall;
    std::array<TKvDisplayAxis*, 2> FAxes;
    bool FInUpdate = false;
};
