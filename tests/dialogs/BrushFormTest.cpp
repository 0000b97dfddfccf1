#include "DialogDriver.h"
#include "dialogs/KvBrushFormUnit.h"
#include "foundation/KvDisplayBrush.h"

#include <QColorDialog>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct BrushEditor : ::testing::Test {
    TOwned<TKvDisplayBrush> brush = MakeOwned<TKvDisplayBrush>(bsSolid, clRed);
    std::unique_ptr<TKvBrushForm> form;
    int changes = 0;

    void Open() {
        form.reset(TKvBrushForm::CreateEx(nullptr, brush.get()));
        form->SetOnChange([this](QObject* ASender) {
            EXPECT_EQ(ASender, form.get());
            ++changes;
        });
        form->show();
    }
};

} // namespace

TEST_F(BrushEditor, ListCaptionsAndStartingState) {
    brush->SetStyle(bsCross);
    Open();
    EXPECT_EQ(form->windowTitle(), "Brush");
    EXPECT_EQ(form->size(), QSize(186, 129));
    QStringList items;
    for (int i = 0; i < form->BrushStyleComboBox->count(); ++i)
        items.append(form->BrushStyleComboBox->itemText(i));
    EXPECT_EQ(items, QStringList({"Solid", "Clear", "Horizontal", "Vertical", "FDiagonal",
                                  "BDiagonal", "Cross", "DiagCross"}));
    EXPECT_EQ(form->BrushStyleComboBox->currentText(), "Cross");
    EXPECT_EQ(form->ColorPaintBox->Color(), clRed);
    EXPECT_EQ(form->PointColorButton->text(), "&Color...");
    EXPECT_EQ(changes, 0);
}

TEST_F(BrushEditor, ClearThenSolidKeepsTheColour) {
    Open();
    QTest::keyClick(form->BrushStyleComboBox, Qt::Key_Down);
    EXPECT_EQ(brush->Style(), bsClear);
    QTest::keyClick(form->BrushStyleComboBox, Qt::Key_Up);
    EXPECT_EQ(brush->Style(), bsSolid);
    EXPECT_EQ(brush->Color(), clRed);
    EXPECT_EQ(changes, 2);
    // the index is the style's value all the way down the list
    PickWithMouse(form->BrushStyleComboBox, 7);
    EXPECT_EQ(brush->Style(), bsDiagCross);
}

TEST_F(BrushEditor, ColourDialogSetsTheColourAndTheSwatchFollows) {
    brush->SetStyle(bsClear);
    Open();
    AnswerModal<QColorDialog>([](QColorDialog* d) {
        d->setCurrentColor(QColor(0, 0x80, 0));
        d->accept();
    });
    QTest::mouseClick(form->PointColorButton, Qt::LeftButton);
    EXPECT_EQ(brush->Color(), clGreen);
    EXPECT_EQ(form->ColorPaintBox->Color(), clGreen);
    // leaving the clear style paints in the colour chosen meanwhile
    QTest::keyClick(form->BrushStyleComboBox, Qt::Key_Up);
    EXPECT_EQ(brush->Style(), bsSolid);
    EXPECT_EQ(brush->Color(), clGreen);
    QTest::keyClick(form->OkButton, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}
