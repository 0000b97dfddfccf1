#include "DialogDriver.h"
#include "dialogs/KvEnumNames.h"
#include "dialogs/KvPenFormUnit.h"
#include "foundation/KvDisplayPen.h"

#include <QColorDialog>
#include <QLabel>
#include <gtest/gtest.h>
#include <memory>

namespace {

QStringList Items(const QComboBox* ACombo) {
    QStringList items;
    for (int i = 0; i < ACombo->count(); ++i)
        items.append(ACombo->itemText(i));
    return items;
}

struct PenEditor : ::testing::Test {
    TOwned<TKvDisplayPen> pen = MakeOwned<TKvDisplayPen>(psSolid, clBlack);
    std::unique_ptr<TKvPenForm> form;
    int changes = 0;
    QObject* sender = nullptr;

    void Open() {
        form.reset(TKvPenForm::CreateEx(nullptr, pen.get()));
        form->SetOnChange([this](QObject* ASender) {
            ++changes;
            sender = ASender;
        });
        form->show();
    }
};

} // namespace

TEST(EnumNames, LowercasePrefixIsDroppedWhileTwoCharactersRemain) {
    EXPECT_EQ(StripEnumPrefix("psDashDot"), "DashDot");
    EXPECT_EQ(StripEnumPrefix("pmNotXor"), "NotXor");
    EXPECT_EQ(StripEnumPrefix("Plain"), "Plain");
    EXPECT_EQ(StripEnumPrefix("abc"), "c");
    EXPECT_EQ(StripEnumPrefix("x"), "x");
    EXPECT_EQ(StripEnumPrefix(""), "");
}

TEST_F(PenEditor, ListsCaptionsAndRangeAreTheDesignedOnes) {
    Open();
    EXPECT_EQ(form->windowTitle(), "Pen");
    EXPECT_EQ(form->size(), QSize(185, 177));
    EXPECT_EQ(Items(form->PenModeComboBox),
              QStringList({"Black", "White", "Nop", "Not", "Copy", "NotCopy", "MergePenNot",
                           "MaskPenNot", "MergeNotPen", "MaskNotPen", "Merge", "NotMerge", "Mask",
                           "NotMask", "Xor", "NotXor"}));
    EXPECT_EQ(Items(form->PenStyleComboBox),
              QStringList({"Solid", "Dash", "Dot", "DashDot", "DashDotDot", "Clear", "InsideFrame",
                           "UserStyle", "Alternate"}));
    EXPECT_EQ(form->PointSizeUpDown->Min(), 1);
    EXPECT_EQ(form->PointSizeUpDown->Max(), 500);
    EXPECT_EQ(form->PointColorButton->text(), "&Color...");
    EXPECT_EQ(form->OkButton->text(), "OK");
    EXPECT_TRUE(form->OkButton->isDefault());
    QStringList labels;
    for (const QLabel* label : form->findChildren<QLabel*>())
        labels.append(label->text());
    EXPECT_TRUE(labels.contains("&Mode") && labels.contains("&Style") &&
                labels.contains("&Width") && labels.contains("Color"));
}

TEST_F(PenEditor, ControlsStartFromThePenWithoutAnnouncingAChange) {
    pen->SetWidth(7);
    pen->SetStyle(psDot);
    pen->SetMode(pmXor);
    pen->SetColor(clRed);
    Open();
    EXPECT_EQ(form->WidthEdit->text(), "7");
    EXPECT_EQ(form->PointSizeUpDown->Position(), 7);
    EXPECT_EQ(form->PenStyleComboBox->currentText(), "Dot");
    EXPECT_EQ(form->PenModeComboBox->currentText(), "Xor");
    EXPECT_EQ(form->ColorPaintBox->Color(), clRed);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(pen->Width(), 7);
}

TEST_F(PenEditor, WidthTakesDigitsOnlyAndAnEmptyEditMeansOne) {
    Open();
    QLineEdit* edit = form->WidthEdit;
    ClearByKeys(edit);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(pen->Width(), 1);
    EXPECT_EQ(sender, form.get());

    QTest::keyClicks(edit, "1a2");
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(pen->Width(), 12);

    // pasted text loses its non-digits where they were
    edit->setCursorPosition(1);
    edit->insert("x3y");
    EXPECT_EQ(edit->text(), "132");
    EXPECT_EQ(pen->Width(), 132);

    // beyond the spin range, or not a number at all
    ClearByKeys(edit);
    QTest::keyClicks(edit, "9999");
    EXPECT_EQ(pen->Width(), 500);
    edit->setText("99999999999999");
    EXPECT_EQ(pen->Width(), 1);
    EXPECT_EQ(edit->text(), "99999999999999");
}

TEST_F(PenEditor, SpinButtonsAndArrowKeysStepTheWidthWithinItsRange) {
    pen->SetWidth(499);
    Open();
    QTest::mouseClick(form->PointSizeUpDown->UpButton(), Qt::LeftButton);
    EXPECT_EQ(form->WidthEdit->text(), "500");
    EXPECT_EQ(pen->Width(), 500);
    QTest::keyClick(form->WidthEdit, Qt::Key_Up);
    EXPECT_EQ(pen->Width(), 500);
    QTest::keyClick(form->WidthEdit, Qt::Key_Down);
    EXPECT_EQ(pen->Width(), 499);

    form->WidthEdit->setText("1");
    QTest::mouseClick(form->PointSizeUpDown->DownButton(), Qt::LeftButton);
    EXPECT_EQ(form->WidthEdit->text(), "1");
    EXPECT_EQ(pen->Width(), 1);
    // an empty edit counts as width 1
    ClearByKeys(form->WidthEdit);
    QTest::mouseClick(form->PointSizeUpDown->UpButton(), Qt::LeftButton);
    EXPECT_EQ(pen->Width(), 2);
}

TEST_F(PenEditor, TypingADigitTakesEnterFromOkUntilEnterCommits) {
    Open();
    QTest::keyClick(form->WidthEdit, Qt::Key_4);
    EXPECT_FALSE(form->OkButton->isDefault());
    QTest::keyClick(form->WidthEdit, Qt::Key_Return);
    EXPECT_TRUE(form->OkButton->isDefault());
    EXPECT_TRUE(form->isVisible()); // the first Enter only commits
    EXPECT_EQ(pen->Width(), 14);
    QTest::keyClick(form->PenStyleComboBox, Qt::Key_Return);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(PenEditor, EscapeClosesWithOkEvenWhileTyping) {
    Open();
    QTest::keyClick(form->WidthEdit, Qt::Key_3);
    QTest::keyClick(form->WidthEdit, Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(pen->Width(), 13);
}

TEST_F(PenEditor, StyleAndModeGoIntoThePenAtOnce) {
    Open();
    QTest::keyClick(form->PenStyleComboBox, Qt::Key_Down);
    EXPECT_EQ(pen->Style(), psDash);
    EXPECT_EQ(changes, 1);
    PickWithMouse(form->PenModeComboBox, 14);
    EXPECT_EQ(form->PenModeComboBox->currentText(), "Xor");
    EXPECT_EQ(pen->Mode(), pmXor);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(sender, form.get());
}

TEST_F(PenEditor, ColourDialogConfirmedPaintsTheSwatchAndCancelledChangesNothing) {
    pen->SetColor(clNavy);
    Open();
    AnswerModal<QColorDialog>([](QColorDialog* d) {
        EXPECT_EQ(d->currentColor(), QColor(0, 0, 0x80));
        d->setCurrentColor(QColor(0x12, 0x34, 0x56));
        d->accept();
    });
    QTest::mouseClick(form->PointColorButton, Qt::LeftButton);
    EXPECT_EQ(pen->Color(), RGBColor(0x12, 0x34, 0x56));
    EXPECT_EQ(form->ColorPaintBox->Color(), pen->Color());
    EXPECT_EQ(changes, 1);
    const QImage swatch = form->ColorPaintBox->grab().toImage();
    EXPECT_EQ(swatch.pixelColor(0, 0), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(swatch.pixelColor(swatch.width() - 1, swatch.height() - 1), QColor(0x12, 0x34, 0x56));

    AnswerModal<QColorDialog>([](QColorDialog* d) {
        d->setCurrentColor(Qt::red);
        d->reject();
    });
    QTest::mouseClick(form->PointColorButton, Qt::LeftButton);
    EXPECT_EQ(pen->Color(), RGBColor(0x12, 0x34, 0x56));
    EXPECT_EQ(changes, 1);
}
