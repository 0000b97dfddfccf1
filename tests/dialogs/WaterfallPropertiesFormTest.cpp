#include "WaterfallDialogFixture.h"
#include "dialogs/KvWaterfallAxesFormUnit.h"
#include "dialogs/KvWaterfallLevelsFormUnit.h"
#include "dialogs/KvWaterfallMarkerGroupsFormUnit.h"

#include <QScopeGuard>
#include <atomic>
#include <thread>

namespace {

using PropertiesForm = WaterfallDialogTest;

QStringList Tabs(const TRnCommonPropertiesForm& AForm) {
    QStringList tabs;
    for (int i = 0; i < AForm.PageCount(); ++i)
        tabs.append(AForm.PageControl->tabText(i));
    return tabs;
}

// What a dialog opened by the control showed before it was closed with OK.
struct TOpened {
    QString Tab;
    int AxisRow = -1;
    int GroupRow = -1;
    QPoint At;
    int Width = 0;
    bool ToolBarVisible = true;
};

} // namespace

TEST_F(PropertiesForm, WithoutMarkerGroupsOnlyAxesAndLevelsAndLaterPagesMoveDown) {
    Open(0, TKvBasicWaterfall::AxesPage);
    EXPECT_EQ(dialog->windowTitle(), "Settings");
    EXPECT_EQ(Tabs(*dialog), QStringList({"Axes", "Levels"}));
    EXPECT_EQ(dialog->PageControl->currentIndex(), 0);
    EXPECT_FALSE(dialog->AddButton->isVisible());
    EXPECT_FALSE(dialog->RemoveButton->isVisible());
    EXPECT_TRUE(dialog->OkButton->isVisible());
    // the dialog fits its largest page: the axes page of 337 x 151
    const QRect pageRect = dialog->PageControl->PageRect();
    EXPECT_GE(pageRect.width(), TKvWaterfallAxesForm::DesignClientWidth);
    EXPECT_GE(pageRect.height(), TKvWaterfallAxesForm::DesignClientHeight);
    EXPECT_LT(dialog->width(), TRnCommonPropertiesForm::DesignClientWidth);

    Open(0, TKvBasicWaterfall::LevelsPage);
    EXPECT_EQ(dialog->PageControl->currentIndex(), 1);
    EXPECT_EQ(dialog->ActivePage()->Caption(), "Levels");
    Open(0, TKvBasicWaterfall::MarkerGroupsPage);
    EXPECT_EQ(dialog->ActivePage()->Caption(), "Axes");
    Open(0, 200); // no such page: the last one
    EXPECT_EQ(dialog->ActivePage()->Caption(), "Levels");
}

TEST_F(PropertiesForm, MarkerGroupsComeFirstWhenThereAreAny) {
    for (const char* name : {"A", "B", "C"})
        waterfall->GetMarkerGroups()->Add()->SetName(name);
    Open(2, TKvBasicWaterfall::MarkerGroupsPage);
    EXPECT_EQ(Tabs(*dialog), QStringList({"Marker Groups", "Axes", "Levels"}));
    EXPECT_EQ(dialog->ActivePage()->Caption(), "Marker Groups");
    EXPECT_EQ(PageOf<TKvWaterfallMarkerGroupsForm>()->GroupListBox->currentRow(), 2);
    EXPECT_FALSE(dialog->AddButton->isVisible());
    // the largest page, 353 x 257, sets the size
    EXPECT_GE(dialog->PageControl->PageRect().width(),
              TKvWaterfallMarkerGroupsForm::DesignClientWidth);
    EXPECT_GE(dialog->PageControl->PageRect().height(),
              TKvWaterfallMarkerGroupsForm::DesignClientHeight);
    Open(1, TKvBasicWaterfall::AxesPage);
    EXPECT_EQ(dialog->ActivePage()->Caption(), "Axes");
    EXPECT_EQ(PageOf<TKvWaterfallAxesForm>()->AxisListBox->currentRow(), 1);
    EXPECT_EQ(PageOf<TKvWaterfallMarkerGroupsForm>()->GroupListBox->currentRow(), 0);
    Open(0, TKvBasicWaterfall::LevelsPage);
    EXPECT_EQ(dialog->ActivePage()->Caption(), "Levels");
}

TEST_F(PropertiesForm, TheItemIndexSelectsOnTheRequestedPageOnly) {
    Open(1, TKvBasicWaterfall::AxesPage);
    EXPECT_EQ(PageOf<TKvWaterfallAxesForm>()->AxisListBox->currentRow(), 1);
    Open(1, TKvBasicWaterfall::LevelsPage);
    EXPECT_EQ(PageOf<TKvWaterfallAxesForm>()->AxisListBox->currentRow(), 0);
    // OK closes, and is the only way out
    QTest::mouseClick(dialog->OkButton, Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

class EntryPoints : public WaterfallDialogTest {
protected:
    void SetUp() override {
        WaterfallDialogTest::SetUp();
        KvRegisterWaterfallDialogs();
        Feed();
        Painted();
    }
    void TearDown() override {
        TKvBasicWaterfall::SetPropertiesDialogFactory({});
        WaterfallDialogTest::TearDown();
    }

    // Answers the next properties dialog: records it and presses OK.
    void Answer() {
        AnswerModal<TKvWaterfallPropertiesForm>([this](TKvWaterfallPropertiesForm* d) {
            opened.Tab = d->ActivePage()->Caption();
            if (auto* axes = d->findChild<TKvWaterfallAxesForm*>())
                opened.AxisRow = axes->AxisListBox->currentRow();
            if (auto* groups = d->findChild<TKvWaterfallMarkerGroupsForm*>())
                opened.GroupRow = groups->GroupListBox->currentRow();
            opened.At = d->pos();
            opened.Width = d->width();
            opened.ToolBarVisible = waterfall->GetToolBar()->GetVisible();
            QTest::mouseClick(d->OkButton, Qt::LeftButton);
        });
    }

    void ClickAt(TPoint APoint) {
        QWidget* w = waterfall->Widget();
        const QPoint p = APoint.ToQPoint();
        QTest::mouseMove(w, p);
        QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, p);
    }

    void ExpectPlacedByTheRightEdge() const {
        EXPECT_EQ(opened.At, waterfall->Widget()->mapToGlobal(
                                 QPoint(waterfall->Width() - opened.Width - 20, 20)));
        // the toolbar only lets go of its pressed buttons, or its setup
        // button could not be reached again
        EXPECT_TRUE(opened.ToolBarVisible);
    }

    TOpened opened;
};

TEST_F(EntryPoints, TheLevelCaptionOpensTheLevelsPage) {
    const TRect caption = waterfall->GetLevels()->CaptionRect();
    ASSERT_FALSE(caption.IsEmpty());
    Answer();
    ClickAt(Point(caption.Left + caption.Width() / 2, caption.Top + caption.Height() / 2));
    EXPECT_EQ(opened.Tab, "Levels");
    ExpectPlacedByTheRightEdge();
    // the dialog was freed when it closed
    EXPECT_EQ(waterfall->Widget()->findChild<TKvWaterfallPropertiesForm*>(), nullptr);
}

TEST_F(EntryPoints, AnAxisTitleOpensTheAxesPageOnThatAxis) {
    const TRect title = waterfall->GetXAxisObject()->AxisLabelRect();
    ASSERT_FALSE(title.IsEmpty());
    Answer();
    ClickAt(Point(title.Left + title.Width() / 2, title.Top + title.Height() / 2));
    EXPECT_EQ(opened.Tab, "Axes");
    EXPECT_EQ(opened.AxisRow, 0);
    ExpectPlacedByTheRightEdge();

    opened = {};
    Answer();
    waterfall->ShowAxisProperties(1);
    EXPECT_EQ(opened.Tab, "Axes");
    EXPECT_EQ(opened.AxisRow, 1);
}

TEST_F(EntryPoints, TheLevelCaptionOpensTheLevelsPageBesideMarkerGroupsToo) {
    waterfall->GetMarkerGroups()->Add();
    Painted();
    const TRect caption = waterfall->GetLevels()->CaptionRect();
    Answer();
    ClickAt(Point(caption.Left + caption.Width() / 2, caption.Top + caption.Height() / 2));
    EXPECT_EQ(opened.Tab, "Levels");
}

TEST_F(EntryPoints, AGroupInTheLegendOpensTheMarkerGroupsPageOnThatGroup) {
    for (const char* name : {"Peaks", "Valleys", "Edges"})
        waterfall->GetMarkerGroups()->Add()->SetName(name);
    waterfall->InvalidateLayout();
    Painted();
    // find the legend line of "Valleys" the way the mouse does
    const TRect legend = waterfall->GetLegend()->DrawRect();
    TKvBasicLegendGroup* group = waterfall->GetLegend()->GetMarkerGroups();
    QWidget* w = waterfall->Widget();
    int y = legend.Top;
    for (; y < legend.Bottom; ++y) {
        QTest::mouseMove(w, QPoint(legend.Left + TKvLegendView::TextX + 2, y));
        if (group->HighlightedItemIndex() == 1)
            break;
    }
    ASSERT_LT(y, legend.Bottom);
    Answer();
    ClickAt(Point(legend.Left + TKvLegendView::TextX + 2, y));
    EXPECT_EQ(opened.Tab, "Marker Groups");
    EXPECT_EQ(opened.GroupRow, 1);
    ExpectPlacedByTheRightEdge();
}

TEST_F(EntryPoints, SetupOpensTheFirstPage) {
    waterfall->GetToolBar()->SetVisible(true);
    Answer();
    waterfall->ShowSetup();
    EXPECT_EQ(opened.Tab, "Axes");
    ExpectPlacedByTheRightEdge();
}

// Editing while rows keep arriving from another thread: the settings and
// the rows meet only under the display's locks.
TEST_F(PropertiesForm, EditingWhileAProducerAddsRows) {
    Open(0, TKvBasicWaterfall::LevelsPage);
    auto* levels = PageOf<TKvWaterfallLevelsForm>();
    auto* axes = PageOf<TKvWaterfallAxesForm>();
    ASSERT_TRUE(levels && axes);
    std::atomic<bool> running{true};
    std::atomic<int> added{0};
    std::thread producer([&] {
        for (int i = 0; i < 20000 && running.load(); ++i) {
            AddRow(i % 1000);
            added.fetch_add(1);
        }
    });
    const auto stop = qScopeGuard([&] {
        running = false;
        producer.join();
    });
    for (int round = 0; round < 12; ++round) {
        levels->ScaleModeComboBox->setCurrentIndex(round % 3);
        QTest::mouseClick(levels->AxisVisibleCheckBox, Qt::LeftButton);
        QTest::mouseClick(axes->VisibleCheckBox, Qt::LeftButton);
        axes->LabelEdit->setFocus();
        QTest::keyClick(axes->LabelEdit, Qt::Key_A);
        waterfall->RefreshView();
        Painted();
    }
    running = false;
    EXPECT_GT(added.load(), 0);
    EXPECT_EQ(waterfall->GetLevels()->GetAxis()->GetScaleMode(), smLogDecascale); // round 11
    EXPECT_EQ(waterfall->GetXAxisObject()->GetAxisLabel()->GetText(),
              QString(12, QLatin1Char('a')));
    EXPECT_TRUE(waterfall->GetXAxisObject()->GetVisible()); // toggled an even number of times
}
