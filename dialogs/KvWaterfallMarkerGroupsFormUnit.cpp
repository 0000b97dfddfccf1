#include "dialogs/KvWaterfallMarkerGroupsFormUnit.h"

#include "dialogs/KvBrushFormUnit.h"
#include "dialogs/KvDialogLook.h"
#include "dialogs/KvEnumNames.h"
#include "dialogs/KvFontDialog.h"
#include "dialogs/KvPenFormUnit.h"
#include "dialogs/RnCommonPropertiesFormUnit.h"
#include "display/KvDisplayMarkers.h"
#include "waterfall/KvBasicWaterfall.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>
#include <memory>

namespace {

QString DigitsOnly(const QString& AText) {
    QString digits;
    for (const QChar c : AText)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    return digits;
}

bool IsPrintable(const QKeyEvent* AKey) {
    const QString text = AKey->text();
    return !text.isEmpty() && text.at(0).isPrint() && !(AKey->modifiers() & Qt::ControlModifier);
}

} // namespace

TKvWaterfallMarkerGroupsForm::TKvWaterfallMarkerGroupsForm(TRnCommonPropertiesForm* AOwner,
                                                           int32_t AGroupIndex,
                                                           TKvDisplayMarkerGroups* AGroups)
    : TKvPropertyPageForm(AOwner), Panel1(new QFrame(this)), GroupListBox(new QListWidget(Panel1)),
      VisibleCheckBox(new QCheckBox(tr("&Visible"), this)), NameEdit(new QLineEdit(this)),
      ShapeComboBox(new QComboBox(this)), SizeEdit(new QLineEdit(this)),
      WidthUpDown(new TKvUpDown(this)), PointPenButton(new QPushButton(tr("&Pen..."), this)),
      PointBrushButton(new QPushButton(tr("&Brush..."), this)),
      GroupBox1(new QGroupBox(tr(" Labels "), this)),
      LabelVisibleCheckBox(new QCheckBox(tr("&Visible"), GroupBox1)),
      BitBtn3(new QPushButton(tr("&Font..."), GroupBox1)), LabelEdit(new QLineEdit(GroupBox1)),
      SpeedButton(new QToolButton(GroupBox1)), PopupMenu(new QMenu(this)), FGroups(AGroups) {
    SetCaption(tr("Marker Groups"));
    resize(DesignClientWidth, DesignClientHeight);
    GroupListBox->setObjectName(QStringLiteral("GroupListBox"));
    VisibleCheckBox->setObjectName(QStringLiteral("VisibleCheckBox"));
    NameEdit->setObjectName(QStringLiteral("NameEdit"));
    ShapeComboBox->setObjectName(QStringLiteral("ShapeComboBox"));
    SizeEdit->setObjectName(QStringLiteral("SizeEdit"));
    WidthUpDown->setObjectName(QStringLiteral("WidthUpDown"));
    PointPenButton->setObjectName(QStringLiteral("PointPenButton"));
    PointBrushButton->setObjectName(QStringLiteral("PointBrushButton"));
    LabelVisibleCheckBox->setObjectName(QStringLiteral("LabelVisibleCheckBox"));
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    LabelEdit->setObjectName(QStringLiteral("LabelEdit"));
    SpeedButton->setObjectName(QStringLiteral("SpeedButton"));
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));

    Panel1->setGeometry(0, 0, 161, DesignClientHeight);
    GroupListBox->setGeometry(4, 4, 153, DesignClientHeight - 8);
    VisibleCheckBox->setGeometry(170, 8, 97, 17);
    MakeLabel(this, tr("&Name"), 168, 30, NameEdit);
    NameEdit->setGeometry(168, 45, 177, 21);
    MakeLabel(this, tr("&Shape"), 168, 71, ShapeComboBox);
    ShapeComboBox->setGeometry(168, 86, 177, 22);
    MakeLabel(this, tr("Si&ze"), 168, 113, SizeEdit);
    SizeEdit->setGeometry(168, 128, 45, 21);
    WidthUpDown->setGeometry(213, 128, 16, 21);
    PointPenButton->setGeometry(236, 126, 52, 25);
    PointBrushButton->setGeometry(293, 126, 52, 25);
    GroupBox1->setGeometry(168, 158, 177, 91);
    LabelVisibleCheckBox->setGeometry(8, 22, 80, 17);
    BitBtn3->setGeometry(94, 17, 75, 25);
    LabelEdit->setGeometry(8, 56, 137, 21);
    SpeedButton->setGeometry(148, 56, 21, 21);
    SpeedButton->setText(QStringLiteral("..."));
    // like a speed button, it leaves the focus (and the selection) in the edit
    SpeedButton->setFocusPolicy(Qt::NoFocus);

    const std::pair<QString, QString> items[] = {{tr("X Axis"), QStringLiteral("%X")},
                                                 {tr("Y Axis"), QStringLiteral("%Y")},
                                                 {tr("Levels"), QStringLiteral("%Z")},
                                                 {tr("Default"), QStringLiteral("%D")},
                                                 {QStringLiteral("%"), QStringLiteral("%%")}};
    for (const auto& [caption, placeholder] : items) {
        QAction* action = PopupMenu->addAction(caption);
        connect(action, &QAction::triggered, this,
                [this, placeholder] { InsertPlaceholder(placeholder); });
    }

    ShapeComboBox->addItems(EnumDisplayNames<TKvDisplayMarkerShape>());
    WidthUpDown->SetRange(MinSize, MaxSize);
    WidthUpDown->SetPosition(1);
    WidthUpDown->SetAssociate(SizeEdit);
    SizeEdit->setText(QStringLiteral("1"));
    NameEdit->installEventFilter(this);
    SizeEdit->installEventFilter(this);
    LabelEdit->installEventFilter(this);

    FInUpdate = true;
    for (int i = 0; i < GroupCount(); ++i) {
        TKvDisplayMarkerGroup* group = Group(i);
        auto* line = new QListWidgetItem(group ? group->GetName() : QString(), GroupListBox);
        line->setFlags(line->flags() | Qt::ItemIsUserCheckable);
        line->setCheckState(group && group->GetVisible() ? Qt::Checked : Qt::Unchecked);
    }
    GroupListBox->setCurrentRow(AGroupIndex >= 0 && AGroupIndex < GroupCount() ? AGroupIndex : -1);
    FInUpdate = false;
    LoadGroup();

    connect(GroupListBox, &QListWidget::currentRowChanged, this,
            &TKvWaterfallMarkerGroupsForm::GroupListBoxClick);
    connect(GroupListBox, &QListWidget::itemChanged, this,
            &TKvWaterfallMarkerGroupsForm::GroupListBoxClickCheck);
    connect(VisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallMarkerGroupsForm::VisibleCheckBoxClick);
    connect(NameEdit, &QLineEdit::textEdited, this, [this] { SetOkDefault(false); });
    connect(ShapeComboBox, &QComboBox::currentIndexChanged, this,
            &TKvWaterfallMarkerGroupsForm::ShapeComboBoxChange);
    connect(SizeEdit, &QLineEdit::textChanged, this, &TKvWaterfallMarkerGroupsForm::SizeEditChange);
    connect(PointPenButton, &QPushButton::clicked, this,
            &TKvWaterfallMarkerGroupsForm::PointPenButtonClick);
    connect(PointBrushButton, &QPushButton::clicked, this,
            &TKvWaterfallMarkerGroupsForm::PointBrushButtonClick);
    connect(LabelVisibleCheckBox, &QCheckBox::toggled, this,
            &TKvWaterfallMarkerGroupsForm::LabelVisibleCheckBoxClick);
    connect(LabelEdit, &QLineEdit::textChanged, this,
            &TKvWaterfallMarkerGroupsForm::LabelEditChange);
    connect(LabelEdit, &QLineEdit::textEdited, this, [this] { SetOkDefault(false); });
    connect(BitBtn3, &QPushButton::clicked, this, &TKvWaterfallMarkerGroupsForm::BitBtn3Click);
    connect(SpeedButton, &QToolButton::clicked, this,
            &TKvWaterfallMarkerGroupsForm::SpeedButtonClick);
}

TKvWaterfallMarkerGroupsForm*
TKvWaterfallMarkerGroupsForm::CreateEx(TRnCommonPropertiesForm* AOwner, int32_t AGroupIndex,
                                       TKvBasicWaterfall* AWaterfall) {
    return new TKvWaterfallMarkerGroupsForm(AOwner, AGroupIndex, AWaterfall->GetMarkerGroups());
}

TKvDisplayMarkerGroup* TKvWaterfallMarkerGroupsForm::Group(int ARow) const {
    if (ARow < 0 || ARow >= GroupCount())
        return nullptr;
    return FGroups->Group(ARow);
}

int TKvWaterfallMarkerGroupsForm::GroupCount() const {
    return FGroups ? FGroups->Count() : 0;
}

TKvDisplayMarkerGroup* TKvWaterfallMarkerGroupsForm::SelectedGroup() const {
    return Group(GroupListBox->currentRow());
}

void TKvWaterfallMarkerGroupsForm::LoadGroup() {
    TKvDisplayMarkerGroup* group = SelectedGroup();
    if (!group)
        return;
    FInUpdate = true;
    NameEdit->setText(group->GetName());
    ShapeComboBox->setCurrentIndex(static_cast<int>(group->GetShape()));
    VisibleCheckBox->setChecked(group->GetVisible());
    const int size = static_cast<int>(std::min<uint32_t>(group->GetSize(), MaxSize));
    WidthUpDown->SetPosition(size);
    SizeEdit->setText(QString::number(group->GetSize()));
    LabelVisibleCheckBox->setChecked(group->GetLabels()->GetVisible());
    LabelEdit->setText(group->GetLabels()->GetText());
    FInUpdate = false;
}

void TKvWaterfallMarkerGroupsForm::StoreName() {
    if (TKvDisplayMarkerGroup* group = SelectedGroup()) {
        group->SetName(NameEdit->text());
        FInUpdate = true;
        GroupListBox->currentItem()->setText(NameEdit->text());
        FInUpdate = false;
    }
    SetOkDefault(true);
}

void TKvWaterfallMarkerGroupsForm::GroupListBoxClick(int) {
    LoadGroup();
}

void TKvWaterfallMarkerGroupsForm::GroupListBoxClickCheck(QListWidgetItem* AItem) {
    if (FInUpdate)
        return;
    const int row = GroupListBox->row(AItem);
    TKvDisplayMarkerGroup* group = Group(row);
    if (!group)
        return;
    const bool visible = AItem->checkState() == Qt::Checked;
    group->SetVisible(visible);
    if (row == GroupListBox->currentRow()) {
        FInUpdate = true;
        VisibleCheckBox->setChecked(visible);
        FInUpdate = false;
    }
}

void TKvWaterfallMarkerGroupsForm::VisibleCheckBoxClick(bool AChecked) {
    TKvDisplayMarkerGroup* group = SelectedGroup();
    if (FInUpdate || !group)
        return;
    group->SetVisible(AChecked);
    FInUpdate = true;
    GroupListBox->currentItem()->setCheckState(AChecked ? Qt::Checked : Qt::Unchecked);
    FInUpdate = false;
}

void TKvWaterfallMarkerGroupsForm::ShapeComboBoxChange(int AIndex) {
    TKvDisplayMarkerGroup* group = SelectedGroup();
    if (FInUpdate || !group || AIndex < 0)
        return;
    group->SetShape(static_cast<TKvDisplayMarkerShape>(AIndex));
}

void TKvWaterfallMarkerGroupsForm::SizeEditChange(const QString& AText) {
    TKvDisplayMarkerGroup* group = SelectedGroup();
    if (FInUpdate || !group)
        return;
    const QString digits = DigitsOnly(AText);
    if (digits != AText) {
        const QSignalBlocker blocker(SizeEdit);
        SizeEdit->setText(digits);
    }
    bool ok = false;
    int size = digits.toInt(&ok);
    if (!ok)
        size = 1;
    // Typed sizes keep to the spin range: a marker of millions of pixels
    // would stall every paint.
    size = std::clamp(size, MinSize, MaxSize);
    WidthUpDown->SetPosition(size);
    group->SetSize(static_cast<uint32_t>(size));
}

template <class TEditor> void TKvWaterfallMarkerGroupsForm::RunLiveEditor(TEditor* AEditor) {
    // The editor writes into the group as the user works: the page shows each
    // change, and once more after OK.
    const std::unique_ptr<TEditor> form(AEditor);
    form->SetOnChange([this](QObject*) { LoadGroup(); });
    if (form->exec() == QDialog::Accepted)
        LoadGroup();
}

void TKvWaterfallMarkerGroupsForm::PointPenButtonClick() {
    if (TKvDisplayMarkerGroup* group = SelectedGroup())
        RunLiveEditor(TKvPenForm::CreateEx(OwnerForm(), group->GetPen()));
}

void TKvWaterfallMarkerGroupsForm::PointBrushButtonClick() {
    if (TKvDisplayMarkerGroup* group = SelectedGroup())
        RunLiveEditor(TKvBrushForm::CreateEx(OwnerForm(), group->GetBrush()));
}

void TKvWaterfallMarkerGroupsForm::LabelVisibleCheckBoxClick(bool AChecked) {
    TKvDisplayMarkerGroup* group = SelectedGroup();
    if (FInUpdate || !group)
        return;
    group->GetLabels()->SetVisible(AChecked);
}

void TKvWaterfallMarkerGroupsForm::LabelEditChange(const QString& AText) {
    TKvDisplayMarkerGroup* group = SelectedGroup();
    if (FInUpdate || !group)
        return;
    group->GetLabels()->SetText(AText);
}

void TKvWaterfallMarkerGroupsForm::BitBtn3Click() {
    if (TKvDisplayMarkerGroup* group = SelectedGroup())
        ExecuteFontDialog(this, group->GetLabels()->GetFont());
}

void TKvWaterfallMarkerGroupsForm::SpeedButtonClick() {
    if (!SelectedGroup())
        return;
    PopupMenu->popup(SpeedButton->mapToGlobal(QPoint(0, SpeedButton->height())));
}

void TKvWaterfallMarkerGroupsForm::InsertPlaceholder(const QString& APlaceholder) {
    if (!SelectedGroup())
        return;
    // replaces the selection, and the change handler stores the text
    LabelEdit->insert(APlaceholder);
}

bool TKvWaterfallMarkerGroupsForm::FilterNameKey(QEvent* AEvent) {
    if (AEvent->type() == QEvent::FocusOut) {
        StoreName();
        return false;
    }
    if (AEvent->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent*>(AEvent)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        StoreName();
        return true;
    case Qt::Key_Escape:
        if (TKvDisplayMarkerGroup* group = SelectedGroup())
            NameEdit->setText(group->GetName());
        NameEdit->selectAll();
        SetOkDefault(true);
        return false;
    default:
        return false;
    }
}

bool TKvWaterfallMarkerGroupsForm::FilterLabelKey(QEvent* AEvent) {
    if (AEvent->type() == QEvent::FocusOut) {
        if (TKvDisplayMarkerGroup* group = SelectedGroup(); group && !FInUpdate)
            group->GetLabels()->SetText(LabelEdit->text());
        SetOkDefault(true);
        return false;
    }
    if (AEvent->type() != QEvent::KeyPress)
        return false;
    switch (static_cast<QKeyEvent*>(AEvent)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        SetOkDefault(true);
        return true;
    case Qt::Key_Escape:
        SetOkDefault(true);
        return false;
    default:
        return false;
    }
}

bool TKvWaterfallMarkerGroupsForm::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AWatched == NameEdit && FilterNameKey(AEvent))
        return true;
    if (AWatched == LabelEdit && FilterLabelKey(AEvent))
        return true;
    if (AWatched == SizeEdit && AEvent->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if (IsPrintable(key)) {
            const QChar c = key->text().at(0);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return true;
        }
    }
    return TKvPropertyPageForm::eventFilter(AWatched, AEvent);
}
