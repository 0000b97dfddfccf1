#include "WaterfallDialogFixture.h"
#include "dialogs/KvWaterfallAxesFormUnit.h"

#include <QFontDialog>

namespace {

using AxesPage = WaterfallDialogTest;

// Clicks the check box of list line ARow.
void ClickCheck(QListWidget* AList, int ARow) {
    const QRect line = AList->visualItemRect(AList->item(ARow));
    // the indicator sits at the start of the line
    QTest::mouseClick(AList->viewport(), Qt::LeftButton, {},
                      QPoint(line.left() + line.height() / 2, line.center().y()));
}

} // namespace

TEST_F(AxesPage, ListsBothAxesWithTheirTitlesAndVisibility) {
    waterfall->GetYAxisObject()->GetAxisLabel()->SetText("Bins");
    waterfall->GetXAxisObject()->SetVisible(false);
    Open(1, TKvBasicWaterfall::AxesPage);
    auto* page = PageOf<TKvWaterfallAxesForm>();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->AxisListBox->count(), 2);
    EXPECT_EQ(page->AxisListBox->item(0)->text(), "X Axis"); // the title an empty text shows
    EXPECT_EQ(page->AxisListBox->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(page->AxisListBox->item(1)->text(), "Bins");
    EXPECT_EQ(page->AxisListBox->item(1)->checkState(), Qt::Checked);
    // the requested item is selected and loaded
    EXPECT_EQ(page->AxisListBox->currentRow(), 1);
    EXPECT_EQ(page->LabelEdit->text(), "Bins");
    EXPECT_TRUE(page->VisibleCheckBox->isChecked());
    QTest::mouseClick(page->AxisListBox->viewport(), Qt::LeftButton, {},
                      page->AxisListBox->visualItemRect(page->AxisListBox->item(0)).center());
    EXPECT_EQ(page->LabelEdit->text(), "");
    EXPECT_FALSE(page->VisibleCheckBox->isChecked());
    EXPECT_EQ(waterfall->GetYAxisObject()->GetAxisLabel()->GetText(), "Bins");
}

TEST_F(AxesPage, HidingAnAxisFromTheListOrTheCheckBoxGivesItsRoomToThePlot) {
    Feed();
    Painted();
    const TRect before = DataRect();
    Open(1, TKvBasicWaterfall::AxesPage);
    auto* page = PageOf<TKvWaterfallAxesForm>();
    ASSERT_NE(page, nullptr);

    // the Y axis stands left of the plot
    ClickCheck(page->AxisListBox, 1);
    EXPECT_FALSE(waterfall->GetYAxisObject()->GetVisible());
    EXPECT_FALSE(page->VisibleCheckBox->isChecked());
    QImage image = Painted();
    const TRect wider = DataRect();
    EXPECT_LT(wider.Left, before.Left);
    EXPECT_EQ(wider.Right, before.Right);
    // the rows fill the wider plot
    for (int k = 0; k < Depth; ++k)
        EXPECT_EQ(ColumnPixel(image, k),
                  Pixel(waterfall->GetLevels()->ValueToColor(RowValues[size_t(k)], 1000)))
            << k;

    QTest::mouseClick(page->VisibleCheckBox, Qt::LeftButton);
    EXPECT_TRUE(waterfall->GetYAxisObject()->GetVisible());
    EXPECT_EQ(page->AxisListBox->item(1)->checkState(), Qt::Checked);
    Painted();
    EXPECT_EQ(DataRect().Left, before.Left);

    // the X axis runs below the plot
    QTest::mouseClick(page->AxisListBox->viewport(), Qt::LeftButton, {},
                      page->AxisListBox->visualItemRect(page->AxisListBox->item(0)).center());
    QTest::mouseClick(page->VisibleCheckBox, Qt::LeftButton);
    EXPECT_FALSE(waterfall->GetXAxisObject()->GetVisible());
    EXPECT_EQ(page->AxisListBox->item(0)->checkState(), Qt::Unchecked);
    EXPECT_EQ(page->AxisListBox->item(1)->checkState(), Qt::Checked);
    Painted();
    EXPECT_GT(DataRect().Bottom, before.Bottom);
}

TEST_F(AxesPage, TheTitleIsStoredAsItIsTypedAndEnterOrEscapeOnlyEndTheTyping) {
    Open(0, TKvBasicWaterfall::AxesPage);
    auto* page = PageOf<TKvWaterfallAxesForm>();
    ASSERT_NE(page, nullptr);
    TKvDisplayTitleLabel* label = waterfall->GetXAxisObject()->GetAxisLabel();
    page->LabelEdit->setFocus();
    QTest::keyClicks(page->LabelEdit, "Time");
    EXPECT_EQ(label->GetText(), "Time");
    EXPECT_EQ(page->AxisListBox->item(0)->text(), "Time");
    EXPECT_FALSE(dialog->OkButton->isDefault());
    QTest::keyClick(page->LabelEdit, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->OkButton->isDefault());

    QTest::keyClick(page->LabelEdit, Qt::Key_S);
    EXPECT_EQ(label->GetText(), "Times");
    QTest::keyClick(page->LabelEdit, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(page->LabelEdit->selectedText(), "Times");
    EXPECT_EQ(label->GetText(), "Times"); // nothing to take back: it was live
    // now OK is the default again and Escape closes
    QTest::keyClick(page->LabelEdit, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());

    // the title's visibility
    Open(0, TKvBasicWaterfall::AxesPage);
    page = PageOf<TKvWaterfallAxesForm>();
    EXPECT_EQ(page->LabelEdit->text(), "Times");
    EXPECT_TRUE(page->LabelVisibleCheckBox->isChecked());
    QTest::mouseClick(page->LabelVisibleCheckBox, Qt::LeftButton);
    EXPECT_FALSE(label->GetVisible());
}

TEST_F(AxesPage, FontDialogSetsTheTitleFontOfTheSelectedAxisOnly) {
    Open(1, TKvBasicWaterfall::AxesPage);
    auto* page = PageOf<TKvWaterfallAxesForm>();
    ASSERT_NE(page, nullptr);
    const int xSize = waterfall->GetXAxisObject()->GetAxisLabel()->GetFont()->Size();
    AnswerModal<QFontDialog>([](QFontDialog* d) {
        QFont font = d->currentFont();
        font.setPointSize(17);
        font.setStyleName(QString()); // the dialog's style name would outrank it
        font.setItalic(true);
        d->setCurrentFont(font);
        d->accept();
    });
    QTest::mouseClick(page->BitBtn3, Qt::LeftButton);
    TKvDisplayFont* font = waterfall->GetYAxisObject()->GetAxisLabel()->GetFont();
    EXPECT_EQ(font->Size(), 17);
    EXPECT_TRUE(font->Style().testFlag(fsItalic));
    EXPECT_EQ(waterfall->GetXAxisObject()->GetAxisLabel()->GetFont()->Size(), xSize);
}
