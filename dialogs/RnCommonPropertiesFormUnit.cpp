#include "dialogs/RnCommonPropertiesFormUnit.h"

#include "dialogs/KvDialogLook.h"
#include "dialogs/KvPropertyPageFormUnit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <algorithm>

QRect TKvPageControl::PageRect() const {
    QStyleOptionTabWidgetFrame option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, this);
}

TRnCommonPropertiesForm::TRnCommonPropertiesForm(QWidget* AOwner)
    : QDialog(AOwner), PageControl(new TKvPageControl(this)), Panel1(new QFrame(this)),
      AddButton(new QPushButton(tr("Add"), Panel1)),
      RemoveButton(new QPushButton(tr("Remove"), Panel1)), Panel2(new QFrame(Panel1)),
      OkButton(new QPushButton(tr("OK"), Panel2)) {
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(tr("Settings"));
    ApplyDialogLook(this);
    PageControl->setObjectName(QStringLiteral("PageControl"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(2);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    AddButton->setObjectName(QStringLiteral("AddButton"));
    RemoveButton->setObjectName(QStringLiteral("RemoveButton"));
    OkButton->setObjectName(QStringLiteral("OkButton"));
    AddButton->setGeometry(8, 8, 75, 25);
    RemoveButton->setGeometry(88, 8, 75, 25);
    OkButton->setGeometry(19, 6, 75, 25);
    // Enter goes to OK only while a page lets it, not to whichever button
    // has the focus.
    for (QPushButton* b : {AddButton, RemoveButton, OkButton})
        b->setAutoDefault(false);
    OkButton->setDefault(true);
    connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(AddButton, &QPushButton::clicked, this, &TRnCommonPropertiesForm::AddButtonClick);
    connect(RemoveButton, &QPushButton::clicked, this, &TRnCommonPropertiesForm::RemoveButtonClick);
    connect(PageControl, &QTabWidget::currentChanged, this,
            &TRnCommonPropertiesForm::PageControlChange);
    SetClientSize(DesignClientWidth, DesignClientHeight);
}

TRnCommonPropertiesForm::~TRnCommonPropertiesForm() {
    while (PageControl->count() > 0)
        delete PageControl->widget(0);
}

void TRnCommonPropertiesForm::SetClientSize(int AWidth, int AHeight) {
    resize(AWidth, AHeight);
    LayoutControls();
}

void TRnCommonPropertiesForm::LayoutControls() {
    const int w = width();
    const int h = height();
    PageControl->setGeometry(0, 0, w, std::max(0, h - PanelHeight));
    Panel1->setGeometry(0, h - PanelHeight, w, PanelHeight);
    const int bevel = Panel1->lineWidth();
    Panel2->setGeometry(std::max(bevel, w - bevel - 101), bevel, 101, PanelHeight - 2 * bevel);
}

void TRnCommonPropertiesForm::resizeEvent(QResizeEvent* AEvent) {
    QDialog::resizeEvent(AEvent);
    LayoutControls();
}

void TRnCommonPropertiesForm::AddPage(TKvPropertyPageForm* APage) {
    const int pageWidth = APage->width();
    const int pageHeight = APage->height();
    // A focused button of a page must not take Enter and Escape from OK.
    for (QPushButton* button : APage->findChildren<QPushButton*>())
        button->setAutoDefault(false);
    // the tab comes first, so that the tab bar it needs is measured too
    PageControl->addTab(APage, APage->Caption());
    LayoutControls();
    const QRect inner = PageControl->PageRect();
    const int w = std::max(width(), pageWidth + width() - inner.width());
    const int h = std::max(height(), pageHeight + height() - inner.height());
    SetClientSize(w, h);
}

TKvPropertyPageForm* TRnCommonPropertiesForm::Page(int AIndex) const {
    return qobject_cast<TKvPropertyPageForm*>(PageControl->widget(AIndex));
}

TKvPropertyPageForm* TRnCommonPropertiesForm::ActivePage() const {
    return Page(PageControl->currentIndex());
}

void TRnCommonPropertiesForm::ActivatePage(int AIndex) {
    if (AIndex == PageControl->currentIndex())
        PageControlChange(AIndex);
    else
        PageControl->setCurrentIndex(AIndex);
}

void TRnCommonPropertiesForm::PageControlChange(int AIndex) {
    if (TKvPropertyPageForm* page = Page(AIndex))
        page->PageActivated();
}

void TRnCommonPropertiesForm::AddButtonClick() {
    if (TKvPropertyPageForm* page = ActivePage())
        page->AddItem();
}

void TRnCommonPropertiesForm::RemoveButtonClick() {
    if (TKvPropertyPageForm* page = ActivePage())
        page->RemoveItem();
}

bool TRnCommonPropertiesForm::event(QEvent* AEvent) {
    // Qt offers every key to the focused control's parents as a shortcut
    // before the control's own handler runs: the moment at which the dialog
    // decides whom an Escape belongs to.
    if (AEvent->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Escape) {
            FEscapeOkDefault = OkButton->isDefault();
            FEscapeTime = key->timestamp();
            FEscapeSeen = true;
        }
    }
    return QDialog::event(AEvent);
}

void TRnCommonPropertiesForm::keyPressEvent(QKeyEvent* AEvent) {
    if (AEvent->key() == Qt::Key_Escape) {
        const bool okDefault = FEscapeSeen && FEscapeTime == AEvent->timestamp()
                                   ? FEscapeOkDefault
                                   : OkButton->isDefault();
        FEscapeSeen = false;
        // OK is the cancel button too. While a page keeps OK from being the
        // default, Escape belongs to the edit box being typed in, which has
        // had it already, and the dialog stays open.
        if (okDefault)
            OkButton->click();
        AEvent->accept();
        return;
    }
    QDialog::keyPressEvent(AEvent);
}
