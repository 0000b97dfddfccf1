#include "dialogs/KvBrushFormUnit.h"

#include "dialogs/KvColorDialog.h"
#include "dialogs/KvDialogLook.h"
#include "dialogs/KvEnumNames.h"
#include "foundation/KvDisplayBrush.h"

#include <QKeyEvent>
#include <QLabel>

TKvBrushForm::TKvBrushForm(QWidget* AOwner, TBrush* ABrush)
    : QDialog(AOwner), BrushStyleComboBox(new QComboBox(this)), ColorPanel(new QFrame(this)),
      ColorPaintBox(new TKvColorSwatch(ColorPanel)),
      PointColorButton(new QPushButton(tr("&Color..."), this)),
      OkButton(new QPushButton(tr("OK"), this)), FBrush(ABrush) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Brush"));
    ApplyDialogLook(this);
    resize(DesignClientWidth, DesignClientHeight);

    BrushStyleComboBox->setObjectName(QStringLiteral("BrushStyleComboBox"));
    ColorPaintBox->setObjectName(QStringLiteral("ColorPaintBox"));
    PointColorButton->setObjectName(QStringLiteral("PointColorButton"));
    OkButton->setObjectName(QStringLiteral("OkButton"));

    MakeLabel(this, tr("&Style"), 8, 6, BrushStyleComboBox);
    BrushStyleComboBox->setGeometry(8, 21, 170, 22);
    MakeLabel(this, tr("Color"), 8, 48);
    ColorPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ColorPanel->setGeometry(8, 63, 33, 25);
    ColorPaintBox->setGeometry(ColorPanel->contentsRect());
    PointColorButton->setGeometry(48, 63, 75, 25);
    OkButton->setGeometry(55, 97, 75, 25);
    for (QPushButton* b : {PointColorButton, OkButton})
        b->setAutoDefault(false);
    OkButton->setDefault(true);

    BrushStyleComboBox->addItems(EnumDisplayNames<TBrush::TBrushStyle>());
    BrushStyleComboBox->setCurrentIndex(static_cast<int>(FBrush->Style()));
    // The brush keeps its colour while clear, so the swatch shows it then too.
    ColorPaintBox->SetColor(FBrush->Color());

    connect(BrushStyleComboBox, &QComboBox::currentIndexChanged, this,
            &TKvBrushForm::BrushStyleChange);
    connect(PointColorButton, &QPushButton::clicked, this, &TKvBrushForm::PointColorButtonClick);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
}

TKvBrushForm* TKvBrushForm::CreateEx(QWidget* AOwner, TKvDisplayBrush* ABrush) {
    return new TKvBrushForm(AOwner, ABrush);
}

void TKvBrushForm::Changed() {
    if (FOnChange)
        FOnChange(this);
}

void TKvBrushForm::BrushStyleChange(int AIndex) {
    if (AIndex < 0)
        return;
    FBrush->SetStyle(static_cast<TBrushStyle>(AIndex));
    // a brush leaving the clear style gets its colour back
    FBrush->SetColor(ColorPaintBox->Color());
    Changed();
}

void TKvBrushForm::PointColorButtonClick() {
    TColor color = FBrush->Color();
    if (!ExecuteColorDialog(this, color))
        return;
    FBrush->SetColor(color);
    ColorPaintBox->SetColor(color);
    Changed();
}

void TKvBrushForm::keyPressEvent(QKeyEvent* AEvent) {
    if (AEvent->key() == Qt::Key_Escape) {
        OkButton->click();
        return;
    }
    QDialog::keyPressEvent(AEvent);
}

void TKvBrushForm::showEvent(QShowEvent* AEvent) {
    QDialog::showEvent(AEvent);
    if (QWidget* owner = parentWidget()) {
        const QRect frame = owner->window()->geometry();
        move(frame.center() - rect().center());
    }
}
