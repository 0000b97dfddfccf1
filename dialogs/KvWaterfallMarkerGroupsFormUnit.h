#pragma once
// The "Marker Groups" page of the waterfall's settings: the groups in a
// check list (checked while visible) and the selected group's name, shape,
// size, pen, brush and labels, all written into the group at once.

#include "dialogs/KvPropertyPageFormUnit.h"
#include "dialogs/KvUpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <cstdint>

class TKvBasicWaterfall;
class TKvDisplayMarkerGroup;
class TKvDisplayMarkerGroups;

class TKvWaterfallMarkerGroupsForm : public TKvPropertyPageForm {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 353;
    static constexpr int DesignClientHeight = 257;
    static constexpr int MinSize = 1;
    static constexpr int MaxSize = 500;

    // The page on the marker groups AGroups with group AGroupIndex
    // selected; none is selected when there is no such group.
    TKvWaterfallMarkerGroupsForm(TRnCommonPropertiesForm* AOwner, int32_t AGroupIndex,
                                 TKvDisplayMarkerGroups* AGroups);
    // The page on AWaterfall's marker groups.
    static TKvWaterfallMarkerGroupsForm*
    CreateEx(TRnCommonPropertiesForm* AOwner, int32_t AGroupIndex, TKvBasicWaterfall* AWaterfall);

    // The group of the selected line, or null.
    TKvDisplayMarkerGroup* SelectedGroup() const;

    QFrame* Panel1;
    QListWidget* GroupListBox;
    QCheckBox* VisibleCheckBox;
    QLineEdit* NameEdit;
    QComboBox* ShapeComboBox;
    QLineEdit* SizeEdit;
    TKvUpDown* WidthUpDown;
    QPushButton* PointPenButton;
    QPushButton* PointBrushButton;
    QGroupBox* GroupBox1;
    QCheckBox* LabelVisibleCheckBox;
    QPushButton* BitBtn3;
    QLineEdit* LabelEdit;
    QToolButton* SpeedButton;
    QMenu* PopupMenu;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;

private:
    int GroupCount() const;
    TKvDisplayMarkerGroup* Group(int ARow) const;
    void LoadGroup();
    // Runs a pen or brush editor, owned here, over the selected group.
    template <class TEditor> void RunLiveEditor(TEditor* AEditor);
    void StoreName();
    void GroupListBoxClick(int ARow);
    void GroupListBoxClickCheck(QListWidgetItem* AItem);
    void VisibleCheckBoxClick(bool AChecked);
    void ShapeComboBoxChange(int AIndex);
    void SizeEditChange(const QString& AText);
    void PointPenButtonClick();
    void PointBrushButtonClick();
    void LabelVisibleCheckBoxClick(bool AChecked);
    void LabelEditChange(const QString& AText);
    void BitBtn3Click();
    void SpeedButtonClick();
    void InsertPlaceholder(const QString& APlaceholder);
    bool FilterNameKey(QEvent* AEvent);
    bool FilterLabelKey(QEvent* AEvent);

    TKvDisplayMarkerGroups* FGroups;
    bool FInUpdate = false;
};
