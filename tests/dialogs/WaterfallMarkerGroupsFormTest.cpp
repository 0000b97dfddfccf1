#include "WaterfallDialogFixture.h"
#include "dialogs/KvBrushFormUnit.h"
#include "dialogs/KvPenFormUnit.h"
#include "dialogs/KvWaterfallMarkerGroupsFormUnit.h"

#include <QFontDialog>
#include <QMenu>

namespace {

class MarkerGroupsPage : public WaterfallDialogTest {
protected:
    void SetUp() override {
        WaterfallDialogTest::SetUp();
        for (const char* name : {"Peaks", "Valleys", "Edges"})
            waterfall->GetMarkerGroups()->Add()->SetName(name);
    }

    TKvWaterfallMarkerGroup* Group(int AIndex) const {
        return waterfall->GetMarkerGroups()->Items(AIndex);
    }

    TKvWaterfallMarkerGroupsForm* OpenPage(int32_t AGroupIndex) {
        Open(AGroupIndex, TKvBasicWaterfall::MarkerGroupsPage);
        return PageOf<TKvWaterfallMarkerGroupsForm>();
    }

    static void ClickLine(QListWidget* AList, int ARow) {
        QTest::mouseClick(AList->viewport(), Qt::LeftButton, {},
                          AList->visualItemRect(AList->item(ARow)).center());
    }

    // Clicks the check box of list line ARow.
    static void ClickCheck(QListWidget* AList, int ARow) {
        const QRect line = AList->visualItemRect(AList->item(ARow));
        QTest::mouseClick(AList->viewport(), Qt::LeftButton, {},
                          QPoint(line.left() + line.height() / 2, line.center().y()));
    }
};

} // namespace

TEST_F(MarkerGroupsPage, ListsTheGroupsAndLoadsTheSelectedOne) {
    Group(1)->SetVisible(false);
    Group(1)->SetShape(msDiamond);
    Group(1)->SetSize(9);
    Group(1)->GetLabels()->SetText("%Y dB");
    Group(1)->GetLabels()->SetVisible(false);
    TKvWaterfallMarkerGroupsForm* page = OpenPage(1);
    QStringList shapes;
    for (int i = 0; i < page->ShapeComboBox->count(); ++i)
        shapes.append(page->ShapeComboBox->itemText(i));
    EXPECT_EQ(shapes, QStringList({"Point", "Circle", "Square", "Diamond", "Plus", "Cross", "Star",
                                   "TriangleUp", "TriangleDown", "TriangleLeft", "TriangleRight",
                                   "HLine", "VLine"}));
    EXPECT_EQ(page->WidthUpDown->Min(), 1);
    EXPECT_EQ(page->WidthUpDown->Max(), 500);
    QStringList menu;
    for (const QAction* action : page->PopupMenu->actions())
        menu.append(action->text());
    EXPECT_EQ(menu, QStringList({"X Axis", "Y Axis", "Levels", "Default", "%"}));

    ASSERT_EQ(page->GroupListBox->count(), 3);
    EXPECT_EQ(page->GroupListBox->item(2)->text(), "Edges");
    EXPECT_EQ(page->GroupListBox->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(page->GroupListBox->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(page->GroupListBox->currentRow(), 1);
    EXPECT_EQ(page->NameEdit->text(), "Valleys");
    EXPECT_EQ(page->ShapeComboBox->currentText(), "Diamond");
    EXPECT_FALSE(page->VisibleCheckBox->isChecked());
    EXPECT_EQ(page->SizeEdit->text(), "9");
    EXPECT_EQ(page->WidthUpDown->Position(), 9);
    EXPECT_FALSE(page->LabelVisibleCheckBox->isChecked());
    EXPECT_EQ(page->LabelEdit->text(), "%Y dB");

    ClickLine(page->GroupListBox, 0);
    EXPECT_EQ(page->NameEdit->text(), "Peaks");
    EXPECT_EQ(page->ShapeComboBox->currentText(), "Plus");
    EXPECT_EQ(page->SizeEdit->text(), "3");
    EXPECT_TRUE(page->VisibleCheckBox->isChecked());
    // loading wrote nothing back
    EXPECT_EQ(Group(1)->GetShape(), msDiamond);
    EXPECT_EQ(Group(1)->GetSize(), 9u);
}

TEST_F(MarkerGroupsPage, RenamingIsStoredOnEnterOrLeavingAndEscapeRestoresTheOldName) {
    TKvWaterfallMarkerGroupsForm* page = OpenPage(0);
    page->NameEdit->setFocus();
    ClearByKeys(page->NameEdit);
    QTest::keyClicks(page->NameEdit, "Tops");
    EXPECT_FALSE(dialog->OkButton->isDefault());
    EXPECT_EQ(Group(0)->GetName(), "Peaks");
    QTest::keyClick(page->NameEdit, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(page->NameEdit->text(), "Peaks");
    EXPECT_EQ(page->NameEdit->selectedText(), "Peaks");
    EXPECT_EQ(Group(0)->GetName(), "Peaks");
    EXPECT_EQ(page->GroupListBox->item(0)->text(), "Peaks");
    EXPECT_TRUE(dialog->OkButton->isDefault());

    QTest::keyClicks(page->NameEdit, "Tops"); // replaces the selection
    QTest::keyClick(page->NameEdit, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Group(0)->GetName(), "Tops");
    EXPECT_EQ(page->GroupListBox->item(0)->text(), "Tops");

    // leaving for another line stores the name in the group that was edited
    QTest::keyClick(page->NameEdit, Qt::Key_2);
    ClickLine(page->GroupListBox, 2);
    EXPECT_EQ(Group(0)->GetName(), "Tops2");
    EXPECT_EQ(page->GroupListBox->item(0)->text(), "Tops2");
    EXPECT_EQ(Group(2)->GetName(), "Edges");
    EXPECT_EQ(page->NameEdit->text(), "Edges");
}

TEST_F(MarkerGroupsPage, UncheckingALineHidesTheGroupAtOnceAndClearsVisible) {
    Feed();
    const QImage plain = Painted();
    TKvWaterfallMarkerGroup* valleys = Group(1);
    valleys->SetShape(msSquare);
    valleys->SetSize(6);
    valleys->GetPen()->SetColor(clFuchsia);
    valleys->GetBrush()->SetStyle(bsSolid);
    valleys->GetBrush()->SetColor(clFuchsia);
    TKvWaterfallMarker* marker = valleys->GetMarkers()->Add();
    marker->GetPosition()->SetX(2);
    marker->GetPosition()->SetY(2);
    QImage image = Painted();
    ASSERT_TRUE(marker->WasDrawn());
    const QPoint at = marker->DrawPoint().ToQPoint();
    ASSERT_EQ(image.pixel(at) & 0xFFFFFFu, 0xFF00FFu);

    TKvWaterfallMarkerGroupsForm* page = OpenPage(1);
    ASSERT_TRUE(page->VisibleCheckBox->isChecked());
    ClickCheck(page->GroupListBox, 1);
    EXPECT_EQ(page->GroupListBox->item(1)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(valleys->GetVisible());
    EXPECT_FALSE(page->VisibleCheckBox->isChecked());
    EXPECT_TRUE(Group(0)->GetVisible());
    image = Painted();
    EXPECT_EQ(image.pixel(at) & 0xFFFFFFu, plain.pixel(at) & 0xFFFFFFu);

    QTest::mouseClick(page->VisibleCheckBox, Qt::LeftButton);
    EXPECT_TRUE(valleys->GetVisible());
    EXPECT_EQ(page->GroupListBox->item(1)->checkState(), Qt::Checked);
    image = Painted();
    EXPECT_EQ(image.pixel(at) & 0xFFFFFFu, 0xFF00FFu);
}

TEST_F(MarkerGroupsPage, ShapeAndSizeGoIntoTheGroup) {
    TKvWaterfallMarkerGroupsForm* page = OpenPage(2);
    PickWithMouse(page->ShapeComboBox, 7);
    EXPECT_EQ(Group(2)->GetShape(), msTriangleUp);

    QLineEdit* edit = page->SizeEdit;
    ClearByKeys(edit);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(Group(2)->GetSize(), 1u);
    QTest::keyClicks(edit, "1a2");
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(Group(2)->GetSize(), 12u);
    edit->insert("x"); // pasted non-digits leave again
    EXPECT_EQ(edit->text(), "12");
    QTest::mouseClick(page->WidthUpDown->UpButton(), Qt::LeftButton);
    EXPECT_EQ(Group(2)->GetSize(), 13u);
    ClearByKeys(edit);
    QTest::keyClicks(edit, "7777");
    EXPECT_EQ(Group(2)->GetSize(), 500u);
    // other groups kept theirs
    EXPECT_EQ(Group(0)->GetSize(), 3u);
    EXPECT_EQ(Group(0)->GetShape(), msPlus);
}

TEST_F(MarkerGroupsPage, LabelMenuReplacesTheSelectionWithItsPlaceholder) {
    TKvWaterfallMarkerGroupsForm* page = OpenPage(0);
    TKvMarkerGroupLabel* labels = Group(0)->GetLabels();
    page->LabelEdit->setFocus();
    QTest::keyClicks(page->LabelEdit, "at abc");
    EXPECT_EQ(labels->GetText(), "at abc"); // every change at once
    page->LabelEdit->setSelection(3, 3);
    ASSERT_EQ(page->LabelEdit->selectedText(), "abc");

    QTest::mouseClick(page->SpeedButton, Qt::LeftButton);
    ASSERT_TRUE(page->PopupMenu->isVisible());
    // dropped down below the button
    EXPECT_EQ(page->PopupMenu->pos(),
              page->SpeedButton->mapToGlobal(QPoint(0, page->SpeedButton->height())));
    QAction* yAxis = page->PopupMenu->actions().at(1);
    QTest::mouseClick(page->PopupMenu, Qt::LeftButton, {},
                      page->PopupMenu->actionGeometry(yAxis).center());
    EXPECT_EQ(page->LabelEdit->text(), "at %Y");
    EXPECT_EQ(labels->GetText(), "at %Y");

    const std::pair<int, QString> others[] = {{0, "%X"}, {2, "%Z"}, {3, "%D"}, {4, "%%"}};
    for (const auto& [index, placeholder] : others) {
        page->LabelEdit->setText("-");
        page->LabelEdit->selectAll();
        page->PopupMenu->actions().at(index)->trigger();
        EXPECT_EQ(labels->GetText(), placeholder);
    }

    QTest::mouseClick(page->LabelVisibleCheckBox, Qt::LeftButton);
    EXPECT_FALSE(labels->GetVisible());
}

TEST_F(MarkerGroupsPage, PenAndBrushEditorsEditTheGroupAndThePageFollows) {
    TKvWaterfallMarkerGroupsForm* page = OpenPage(1);
    Group(0)->GetPen()->SetWidth(1);
    AnswerModal<TKvPenForm>([this](TKvPenForm* d) {
        EXPECT_EQ(d->parentWidget(), dialog.get()); // owned by the dialog
        ClearByKeys(d->WidthEdit);
        QTest::keyClicks(d->WidthEdit, "4");
        d->OkButton->click();
    });
    QTest::mouseClick(page->PointPenButton, Qt::LeftButton);
    EXPECT_EQ(Group(1)->GetPen()->Width(), 4);
    EXPECT_EQ(Group(0)->GetPen()->Width(), 1);

    Group(1)->GetBrush()->SetColor(clRed);
    AnswerModal<TKvBrushForm>([](TKvBrushForm* d) {
        d->BrushStyleComboBox->setCurrentIndex(1);
        d->OkButton->click();
    });
    QTest::mouseClick(page->PointBrushButton, Qt::LeftButton);
    EXPECT_EQ(Group(1)->GetBrush()->Style(), bsClear);
    EXPECT_EQ(page->NameEdit->text(), "Valleys");

    AnswerModal<QFontDialog>([](QFontDialog* d) {
        QFont font = d->currentFont();
        font.setPointSize(13);
        d->setCurrentFont(font);
        d->accept();
    });
    QTest::mouseClick(page->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(Group(1)->GetLabels()->GetFont()->Size(), 13);
}

TEST_F(MarkerGroupsPage, WithoutASelectedGroupNothingIsWritten) {
    TKvWaterfallMarkerGroupsForm* page = OpenPage(7);
    EXPECT_EQ(page->GroupListBox->currentRow(), -1);
    QTest::keyClicks(page->NameEdit, "x");
    QTest::keyClick(page->NameEdit, Qt::Key_Return);
    QTest::keyClicks(page->SizeEdit, "44");
    QTest::mouseClick(page->VisibleCheckBox, Qt::LeftButton);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Group(i)->GetVisible());
        EXPECT_EQ(Group(i)->GetSize(), 3u);
    }
    EXPECT_EQ(Group(0)->GetName(), "Peaks");
}
