#include "dialogs/KvWaterfallAxesFormUnit.h"

#include "dialogs/KvDialogLook.h"
#include "dialogs/KvFontDialog.h"
#include "display/KvDisplayAxis.h"
#include "waterfall/KvBasicWaterfall.h"

#include <QKeyEvent>
#include <QLabel>

TKvWaterfallAxesForm::TKvWaterfallAxesForm(TRnCommonPropertiesForm* AOwner, int32_t AAxisIndex,
                                           TKvBasicWaterfall* AWaterfall)
    : TKvPropertyPageForm(AOwner), Panel1(new QFrame(this)), AxisListBox(new QListWidget(Panel1)),
      VisibleCheckBox(new QCheckBox(tr("&Visible"), this)),
      GroupBox1(new QGroupBox(tr(" Label "), this)), LabelEdit(new QLineEdit(GroupBox1)),
      LabelVisibleCheckBox(new QCheckBox(tr("V&isible"), GroupBox1)),
      BitBtn3(new QPushButton(tr("&Font..."), GroupBox1)),
      FWaterfall(AWaterfall), FAxes{AWaterfall->GetXAxisObject(), AWaterfall->GetYAxisObject()} {
    SetCaption(tr("Axes"));
    resize(DesignClientWidth, DesignClientHeight);
    AxisListBox->setObjectName(QStringLiteral("AxisListBox"));
    VisibleCheckBox->setObjectName(QStringLiteral("VisibleCheckBox"));
    LabelEdit->setObjectName(QStringLiteral("LabelEdit"));
    LabelVisibleCheckBox->setObjectName(QStringLiteral("LabelVisibleCheckBox"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));

    Panel1->setGeometry(0, 0, 161, DesignClientHeight);
    AxisListBox->setGeometry(4, 4, 153, DesignClientHeight - 8);
    VisibleCheckBox->setGeometry(170, 8, 97, 17);
    GroupBox1->setGeometry(168, 32, 161, 111);
    MakeLabel(GroupBox1, tr("&Label"), 8, 18, LabelEdit);
    LabelEdit->setGeometry(8, 33, 145, 21);
    LabelVisibleCheckBox->setGeometry(8, 64, 65, 17);
    BitBtn3->setGeometry(78, 60, 75, 25);
    LabelEdit->installEventFilter(this);

    for (TKvDisplayAxis* axis : FAxes) {
        auto* line = new QListWidgetItem(axis->GetAxisLabelText(), AxisListBox);
        line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
        line->setCheckState(axis->GetVisible() ? Qt::Checked : Qt::Unchecked);
    }
    AxisListBox->setCurrentRow(AAxisIndex >= 0 && AAxisIndex < 2 ? AAxisIndex : 0);
    LoadAxis();

    connect(AxisListBox, &QListWidget::currentRowChanged, this,
            &TKvWaterfallAxesForm::AxisListBoxClick);
    connect(AxisListBox, &QListWidget::itemChanged, this,
            &TKvWaterfallAxesForm::AxisListBoxClickCheck);
    connect(VisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallAxesForm::VisibleCheckBoxClick);
    connect(LabelEdit, &QLineEdit::textChanged, this, &TKvWaterfallAxesForm::LabelEditChange);
    connect(LabelVisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallAxesForm::LabelVisibleCheckBoxClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TKvWaterfallAxesForm::BitBtn3Click);
}

TKvWaterfallAxesForm* TKvWaterfallAxesForm::CreateEx(TRnCommonPropertiesForm* AOwner,
                                                     int32_t AAxisIndex,
                                                     TKvBasicWaterfall* AWaterfall) {
    return new TKvWaterfallAxesForm(AOwner, AAxisIndex, AWaterfall);
}

TKvDisplayAxis* TKvWaterfallAxesForm::SelectedAxis() const {
    const int row = AxisListBox->currentRow();
    return row >= 0 && row < 2 ? FAxes[static_cast<size_t>(row)] : nullptr;
}

void TKvWaterfallAxesForm::LoadAxis() {
    TKvDisplayAxis* axis = SelectedAxis();
    if (!axis)
        return;
    FInUpdate = true;
    LabelEdit->setText(axis->GetAxisLabel()->GetText());
    VisibleCheckBox->setChecked(axis->GetVisible());
    LabelVisibleCheckBox->setChecked(axis->GetAxisLabel()->GetVisible());
    FInUpdate = false;
}

void TKvWaterfallAxesForm::AxisListBoxClick(int) {
    LoadAxis();
}

void TKvWaterfallAxesForm::AxisListBoxClickCheck(QListWidgetItem* AItem) {
    if (FInUpdate)
        return;
    const int row = AxisListBox->row(AItem);
    if (row < 0 || row >= 2)
        return;
    const bool visible = AItem->checkState() == Qt::Checked;
    FAxes[static_cast<size_t>(row)]->SetVisible(visible);
    if (row == AxisListBox->currentRow()) {
        FInUpdate = true;
        VisibleCheckBox->setChecked(visible);
        FInUpdate = false;
    }
}

void TKvWaterfallAxesForm::VisibleCheckBoxClick(bool AChecked) {
    TKvDisplayAxis* axis = SelectedAxis();
    if (FInUpdate || !axis)
        return;
    axis->SetVisible(AChecked);
    FInUpdate = true;
    AxisListBox->currentItem()->setCheckState(AChecked ? Qt::Checked : Qt::Unchecked);
    FInUpdate = false;
}

void TKvWaterfallAxesForm::LabelEditChange(const QString& AText) {
    TKvDisplayAxis* axis = SelectedAxis();
    if (FInUpdate || !axis)
        return;
    SetOkDefault(false);
    axis->GetAxisLabel()->SetText(AText);
    // the list shows what the axis shows, its default title for an empty text
    FInUpdate = true;
    AxisListBox->currentItem()->setText(axis->GetAxisLabelText());
    FInUpdate = false;
}

void TKvWaterfallAxesForm::LabelVisibleCheckBoxClick(bool AChecked) {
    TKvDisplayAxis* axis = SelectedAxis();
    if (FInUpdate || !axis)
        return;
    axis->GetAxisLabel()->SetVisible(AChecked);
}

void TKvWaterfallAxesForm::BitBtn3Click() {
    if (TKvDisplayAxis* axis = SelectedAxis())
        ExecuteFontDialog(this, axis->GetAxisLabel()->GetFont());
}

bool TKvWaterfallAxesForm::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AWatched == LabelEdit) {
        if (AEvent->type() == QEvent::FocusOut) {
            SetOkDefault(true);
        } else if (AEvent->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(AEvent)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                SetOkDefault(true);
                return true;
            case Qt::Key_Escape:
                // the text is in the axis already; Escape only ends the typing
                LabelEdit->selectAll();
                SetOkDefault(true);
                return false;
            default:
                break;
            }
        }
    }
    return TKvPropertyPageForm::eventFilter(AWatched, AEvent);
}
