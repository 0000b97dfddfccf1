#include "WaterfallDialogFixture.h"
#include "dialogs/KvWaterfallLevelsFormUnit.h"

#include <QFontDialog>
#include <cmath>

namespace {

using LevelsPage = WaterfallDialogTest;

// The signed logarithm of the logarithmic level scales.
double L(double AValue) {
    return AValue >= 0 ? std::log10(AValue + 1) : -std::log10(1 - AValue);
}

} // namespace

TEST_F(LevelsPage, ControlsStartFromTheLevelView) {
    TKvWaterfallDisplayLevelView* levels = waterfall->GetLevels();
    levels->GetAxis()->SetScaleMode(smLogDecascale);
    levels->GetAxis()->SetVisible(false);
    levels->GetLevelLabel()->SetText("Power");
    Open(0, TKvBasicWaterfall::LevelsPage);
    auto* page = PageOf<TKvWaterfallLevelsForm>();
    ASSERT_NE(page, nullptr);
    ASSERT_EQ(page->ScaleModeComboBox->count(), 3);
    EXPECT_EQ(page->ScaleModeComboBox->itemText(0), "Linear");
    EXPECT_EQ(page->ScaleModeComboBox->itemText(1), "Logarithmic");
    EXPECT_EQ(page->ScaleModeComboBox->itemText(2), "Logarithmic Decades");
    EXPECT_EQ(page->ScaleModeComboBox->currentIndex(), 2);
    EXPECT_TRUE(page->VisibleCheckBox->isChecked());
    EXPECT_FALSE(page->AxisVisibleCheckBox->isChecked());
    EXPECT_TRUE(page->LabelVisibleCheckBox->isChecked());
    EXPECT_EQ(page->NameEdit->text(), "Power");
    // loading changed nothing
    EXPECT_EQ(levels->GetAxis()->GetScaleMode(), smLogDecascale);
    EXPECT_FALSE(levels->GetAxis()->GetVisible());
}

TEST_F(LevelsPage, ScaleModeRecoloursTheRowsAsTheLogarithmicMappingSays) {
    Feed();
    QImage image = Painted();
    TKvWaterfallDisplayLevelView* levels = waterfall->GetLevels();
    for (int k = 0; k < Depth; ++k)
        ASSERT_EQ(ColumnPixel(image, k), Pixel(levels->ValueToColor(RowValues[size_t(k)], 1000)));
    Open(0, TKvBasicWaterfall::LevelsPage);
    auto* page = PageOf<TKvWaterfallLevelsForm>();
    ASSERT_NE(page, nullptr);

    PickWithMouse(page->ScaleModeComboBox, 1);
    EXPECT_EQ(levels->GetAxis()->GetScaleMode(), smLogarithmic);
    image = Painted();
    for (int k = 0; k < Depth; ++k) {
        const double v = RowValues[size_t(k)];
        EXPECT_EQ(ColumnPixel(image, k), Pixel(levels->ValueToColor(L(v) - L(0), L(1000) - L(0))))
            << k;
    }
    // 100 lies two thirds up a logarithmic scale to 1000, not a tenth
    EXPECT_NE(ColumnPixel(image, 0), Pixel(levels->ValueToColor(100, 1000)));

    QTest::keyClick(page->ScaleModeComboBox, Qt::Key_Up);
    EXPECT_EQ(levels->GetAxis()->GetScaleMode(), smLinear);
    image = Painted();
    EXPECT_EQ(ColumnPixel(image, 0), Pixel(levels->ValueToColor(100, 1000)));
}

TEST_F(LevelsPage, CheckBoxesShowAndHideViewAxisAndCaption) {
    Feed();
    Painted();
    const TRect before = DataRect();
    Open(0, TKvBasicWaterfall::LevelsPage);
    auto* page = PageOf<TKvWaterfallLevelsForm>();
    ASSERT_NE(page, nullptr);
    TKvWaterfallDisplayLevelView* levels = waterfall->GetLevels();

    QTest::mouseClick(page->AxisVisibleCheckBox, Qt::LeftButton);
    EXPECT_FALSE(levels->GetAxis()->GetVisible());
    QTest::mouseClick(page->LabelVisibleCheckBox, Qt::LeftButton);
    EXPECT_FALSE(levels->GetLevelLabel()->GetVisible());
    EXPECT_TRUE(levels->GetVisible());

    // the level bar stands right of the plot; hidden, it leaves its room
    QTest::mouseClick(page->VisibleCheckBox, Qt::LeftButton);
    EXPECT_FALSE(levels->GetVisible());
    const QImage image = Painted();
    EXPECT_GT(DataRect().Right, before.Right);
    EXPECT_EQ(DataRect().Left, before.Left);
    for (int k = 0; k < Depth; ++k)
        EXPECT_EQ(ColumnPixel(image, k), Pixel(levels->ValueToColor(RowValues[size_t(k)], 1000)));
}

TEST_F(LevelsPage, NameIsStoredOnEnterOrLeavingAndEscapeRestoresIt) {
    Open(0, TKvBasicWaterfall::LevelsPage);
    auto* page = PageOf<TKvWaterfallLevelsForm>();
    ASSERT_NE(page, nullptr);
    TKvLevelDisplayLabel* label = waterfall->GetLevels()->GetLevelLabel();
    const QString old = label->GetText();
    page->NameEdit->setFocus();
    ClearByKeys(page->NameEdit);
    QTest::keyClicks(page->NameEdit, "dB");
    EXPECT_FALSE(dialog->OkButton->isDefault());
    EXPECT_EQ(label->GetText(), old); // not before the edit is done
    QTest::keyClick(page->NameEdit, Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(page->NameEdit->text(), old);
    EXPECT_EQ(page->NameEdit->selectedText(), old);
    EXPECT_TRUE(dialog->OkButton->isDefault());
    EXPECT_EQ(label->GetText(), old);

    QTest::keyClicks(page->NameEdit, "dB");
    QTest::keyClick(page->NameEdit, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible()); // Enter ended the edit only
    EXPECT_EQ(label->GetText(), "dB");
    EXPECT_TRUE(dialog->OkButton->isDefault());

    QTest::keyClick(page->NameEdit, Qt::Key_V);
    // leaving the edit stores it too
    page->ScaleModeComboBox->setFocus();
    EXPECT_EQ(label->GetText(), "dBv");
    EXPECT_TRUE(dialog->OkButton->isDefault());
}

TEST_F(LevelsPage, FontDialogSetsTheCaptionFont) {
    Open(0, TKvBasicWaterfall::LevelsPage);
    auto* page = PageOf<TKvWaterfallLevelsForm>();
    ASSERT_NE(page, nullptr);
    AnswerModal<QFontDialog>([](QFontDialog* d) {
        QFont font = d->currentFont();
        font.setPointSize(15);
        d->setCurrentFont(font);
        d->accept();
    });
    QTest::mouseClick(page->BitBtn3, Qt::LeftButton);
    EXPECT_EQ(waterfall->GetLevels()->GetLevelLabel()->GetFont()->Size(), 15);
}
