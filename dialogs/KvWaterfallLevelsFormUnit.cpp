#include "dialogs/KvWaterfallLevelsFormUnit.h"

#include "dialogs/KvDialogLook.h"
#include "dialogs/KvFontDialog.h"
#include "waterfall/KvDisplayLevelView.h"

#include <QKeyEvent>
#include <QLabel>

TKvWaterfallLevelsForm::TKvWaterfallLevelsForm(TRnCommonPropertiesForm* AOwner, int32_t,
                                               TKvWaterfallDisplayLevelView* ALevels)
    : TKvPropertyPageForm(AOwner), VisibleCheckBox(new QCheckBox(tr("&Visible"), this)),
      NameEdit(new QLineEdit(this)), GroupBox1(new QGroupBox(tr(" Axis "), this)),
      AxisVisibleCheckBox(new QCheckBox(tr("V&isible"), GroupBox1)),
      ScaleModeComboBox(new QComboBox(GroupBox1)), GroupBox2(new QGroupBox(tr(" Label "), this)),
      LabelVisibleCheckBox(new QCheckBox(tr("Vi&sible"), GroupBox2)),
      BitBtn3(new QPushButton(tr("&Font..."), GroupBox2)), FLevels(ALevels) {
    SetCaption(tr("Levels"));
    resize(DesignClientWidth, DesignClientHeight);
    VisibleCheckBox->setObjectName(QStringLiteral("VisibleCheckBox"));
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    AxisVisibleCheckBox->setObjectName(QStringLiteral("AxisVisibleCheckBox"));
    ScaleModeComboBox->setObjectName(QStringLiteral("ScaleModeComboBox"));
    LabelVisibleCheckBox->setObjectName(QStringLiteral("LabelVisibleCheckBox"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));

    VisibleCheckBox->setGeometry(8, 8, 97, 17);
    MakeLabel(this, tr("&Name"), 8, 32, NameEdit);
    NameEdit->setGeometry(8, 47, 150, 21);
    GroupBox2->setGeometry(8, 78, 150, 48);
    LabelVisibleCheckBox->setGeometry(8, 21, 62, 17);
    BitBtn3->setGeometry(70, 16, 72, 25);
    GroupBox1->setGeometry(164, 8, 158, 86);
    AxisVisibleCheckBox->setGeometry(8, 18, 97, 17);
    MakeLabel(GroupBox1, tr("&Scale Mode:"), 8, 39, ScaleModeComboBox);
    ScaleModeComboBox->setGeometry(8, 54, 142, 22);
    ScaleModeComboBox->addItems({tr("Linear"), tr("Logarithmic"), tr("Logarithmic Decades")});
    NameEdit->installEventFilter(this);

    FInUpdate = true;
    VisibleCheckBox->setChecked(FLevels->GetVisible());
    AxisVisibleCheckBox->setChecked(FLevels->GetAxis()->GetVisible());
    LabelVisibleCheckBox->setChecked(FLevels->GetLevelLabel()->GetVisible());
    ScaleModeComboBox->setCurrentIndex(static_cast<int>(FLevels->GetAxis()->GetScaleMode()));
    NameEdit->setText(FLevels->GetLevelLabel()->GetText());
    FInUpdate = false;

    connect(VisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallLevelsForm::VisibleCheckBoxClick);
    connect(AxisVisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallLevelsForm::AxisVisibleCheckBoxClick);
    connect(LabelVisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallLevelsForm::LabelVisibleCheckBoxClick);
    connect(ScaleModeComboBox, &QComboBox::currentIndexChanged, this,
            &TKvWaterfallLevelsForm::ScaleModeComboBoxChange);
    connect(NameEdit, &QLineEdit::textEdited, this, [this] { SetOkDefault(false); });
    connect(BitBtn3, &QPushButton::clicked, this, &TKvWaterfallLevelsForm::BitBtn3Click);
}

TKvWaterfallLevelsForm* TKvWaterfallLevelsForm::CreateEx(TRnCommonPropertiesForm* AOwner,
                                                         int32_t AAxisIndex,
                                                         TKvWaterfallDisplayLevelView* ALevels) {
    return new TKvWaterfallLevelsForm(AOwner, AAxisIndex, ALevels);
}

void TKvWaterfallLevelsForm::StoreName() {
    FLevels->GetLevelLabel()->SetText(NameEdit->text());
    SetOkDefault(true);
}

void TKvWaterfallLevelsForm::VisibleCheckBoxClick(bool AChecked) {
    if (!FInUpdate)
        FLevels->SetVisible(AChecked);
}

void TKvWaterfallLevelsForm::AxisVisibleCheckBoxClick(bool AChecked) {
    if (!FInUpdate)
        FLevels->GetAxis()->SetVisible(AChecked);
}

void TKvWaterfallLevelsForm::LabelVisibleCheckBoxClick(bool AChecked) {
    if (!FInUpdate)
        FLevels->GetLevelLabel()->SetVisible(AChecked);
}

void TKvWaterfallLevelsForm::ScaleModeComboBoxChange(int AIndex) {
    if (FInUpdate || AIndex < 0)
        return;
    FLevels->GetAxis()->SetScaleMode(static_cast<TKvScaleMode>(AIndex));
}

void TKvWaterfallLevelsForm::BitBtn3Click() {
    ExecuteFontDialog(this, FLevels->GetLevelLabel()->GetFont());
}

bool TKvWaterfallLevelsForm::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AWatched == NameEdit) {
        if (AEvent->type() == QEvent::FocusOut) {
            StoreName();
        } else if (AEvent->type() == QEvent::KeyPress) {
            switch (static_cast<QKeyEvent*>(AEvent)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                StoreName();
                return true;
            case Qt::Key_Escape:
                NameEdit->setText(FLevels->GetLevelLabel()->GetText());
                NameEdit->selectAll();
                SetOkDefault(true);
                return false;
            default:
                break;
            }
        }
    }
    return TKvPropertyPageForm::eventFilter(AWatched, AEvent);
}
