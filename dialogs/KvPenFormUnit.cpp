#include "dialogs/KvPenFormUnit.h"

#include "dialogs/KvColorDialog.h"
#include "dialogs/KvDialogLook.h"
#include "dialogs/KvEnumNames.h"
#include "foundation/KvDisplayPen.h"

#include <QKeyEvent>
#include <QLabel>
#include <algorithm>

TKvPenForm::TKvPenForm(QWidget* AOwner, TPen* APen)
    : QDialog(AOwner), PenModeComboBox(new QComboBox(this)), PenStyleComboBox(new QComboBox(this)),
      WidthEdit(new QLineEdit(this)), PointSizeUpDown(new TKvUpDown(this)),
      ColorPanel(new QFrame(this)), ColorPaintBox(new TKvColorSwatch(ColorPanel)),
      PointColorButton(new QPushButton(tr("&Color..."), this)),
      OkButton(new QPushButton(tr("OK"), this)), FPen(APen) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Pen"));
    ApplyDialogLook(this);
    resize(DesignClientWidth, DesignClientHeight);

    PenModeComboBox->setObjectName(QStringLiteral("PenModeComboBox"));
    PenStyleComboBox->setObjectName(QStringLiteral("PenStyleComboBox"));
    WidthEdit->setObjectName(QStringLiteral("WidthEdit"));
    PointSizeUpDown->setObjectName(QStringLiteral("PointSizeUpDown"));
    ColorPaintBox->setObjectName(QStringLiteral("ColorPaintBox"));
    PointColorButton->setObjectName(QStringLiteral("PointColorButton"));
    OkButton->setObjectName(QStringLiteral("OkButton"));

    MakeLabel(this, tr("&Mode"), 8, 6, PenModeComboBox);
    PenModeComboBox->setGeometry(8, 21, 169, 22);
    MakeLabel(this, tr("&Style"), 8, 48, PenStyleComboBox);
    PenStyleComboBox->setGeometry(8, 63, 169, 22);
    MakeLabel(this, tr("&Width"), 8, 90, WidthEdit);
    WidthEdit->setGeometry(8, 105, 45, 22);
    PointSizeUpDown->setGeometry(53, 105, 16, 22);
    MakeLabel(this, tr("Color"), 84, 90);
    ColorPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ColorPanel->setGeometry(84, 105, 24, 22);
    ColorPaintBox->setGeometry(ColorPanel->contentsRect());
    PointColorButton->setGeometry(112, 103, 65, 25);
    OkButton->setGeometry(55, 143, 75, 25);
    for (QPushButton* b : {PointColorButton, OkButton})
        b->setAutoDefault(false);
    OkButton->setDefault(true);

    PenModeComboBox->addItems(EnumDisplayNames<TPen::TPenMode>());
    PenStyleComboBox->addItems(EnumDisplayNames<TPen::TPenStyle>());
    PointSizeUpDown->SetRange(MinWidth, MaxWidth);
    PointSizeUpDown->SetPosition(1);
    PointSizeUpDown->SetAssociate(WidthEdit);
    WidthEdit->setText(QStringLiteral("1"));
    WidthEdit->installEventFilter(this);

    FInUpdate = true;
    PointSizeUpDown->SetPosition(FPen->Width());
    WidthEdit->setText(QString::number(FPen->Width()));
    PenStyleComboBox->setCurrentIndex(static_cast<int>(FPen->Style()));
    PenModeComboBox->setCurrentIndex(static_cast<int>(FPen->Mode()));
    ColorPaintBox->SetColor(FPen->Color());
    FInUpdate = false;

    connect(PenStyleComboBox, &QComboBox::currentIndexChanged, this, &TKvPenForm::PenStyleChange);
    connect(PenModeComboBox, &QComboBox::currentIndexChanged, this, &TKvPenForm::PenModeChange);
    connect(WidthEdit, &QLineEdit::textChanged, this, &TKvPenForm::WidthEditChange);
    connect(PointColorButton, &QPushButton::clicked, this, &TKvPenForm::PointColorButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

TKvPenForm* TKvPenForm::CreateEx(QWidget* AOwner, TKvDisplayPen* APen) {
    return new TKvPenForm(AOwner, APen);
}

void TKvPenForm::Changed() {
    if (FOnChange)
        FOnChange(this);
}

void TKvPenForm::PenStyleChange(int AIndex) {
    if (FInUpdate || AIndex < 0)
        return;
    FPen->SetStyle(static_cast<TPenStyle>(AIndex));
    Changed();
}

void TKvPenForm::PenModeChange(int AIndex) {
    if (FInUpdate || AIndex < 0)
        return;
    FPen->SetMode(static_cast<TPenMode>(AIndex));
    Changed();
}

void TKvPenForm::WidthEditChange(const QString& AText) {
    if (FInUpdate)
        return;
    QString digits;
    for (const QChar c : AText)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digits.append(c);
    if (digits != AText) {
        const QSignalBlocker blocker(WidthEdit);
        WidthEdit->setText(digits);
    }
    bool ok = false;
    int width = digits.toInt(&ok);
    if (!ok)
        width = 1;
    // The spin range holds typed widths too: a pen of millions of pixels
    // would stall every paint.
    width = std::clamp(width, MinWidth, MaxWidth);
    PointSizeUpDown->SetPosition(width);
    FPen->SetWidth(width);
    Changed();
}

void TKvPenForm::PointColorButtonClick() {
    TColor color = FPen->Color();
    if (!ExecuteColorDialog(this, color))
        return;
    FPen->SetColor(color);
    ColorPaintBox->SetColor(color);
    Changed();
}

bool TKvPenForm::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AWatched == WidthEdit && AEvent->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OkButton->setDefault(true);
            return true;
        case Qt::Key_Escape:
            OkButton->setDefault(true);
            return false;
        default:
            break;
        }
        const QString text = key->text();
        if (!text.isEmpty() && text.at(0).isPrint() && !(key->modifiers() & Qt::ControlModifier)) {
            const QChar c = text.at(0);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return true;
            OkButton->setDefault(false);
        }
    }
    return QDialog::eventFilter(AWatched, AEvent);
}

void TKvPenForm::keyPressEvent(QKeyEvent* AEvent) {
    // OK is the cancel button as well
    if (AEvent->key() == Qt::Key_Escape) {
        OkButton->click();
        return;
    }
    QDialog::keyPressEvent(AEvent);
}

void TKvPenForm::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->geometry();
        move(frame.center() - rect().center());
    }
}
