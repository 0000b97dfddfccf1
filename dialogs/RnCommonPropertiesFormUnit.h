#pragma once
// The "Settings" dialog shell: one tab per page (TKvPropertyPageForm), a
// bottom panel with Add and Remove for pages that manage lists, and OK.
// Pages edit their settings objects live, so there is no Cancel: OK is both
// the default and the cancel button. The dialog grows to fit its largest
// page and never shrinks below the size it had.

#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QTabWidget>
#include <QtGlobal>

class TKvPropertyPageForm;

// The tab control; knows the area its pages get at its current size.
class TKvPageControl : public QTabWidget {
    Q_OBJECT
public:
    using QTabWidget::QTabWidget;
    QRect PageRect() const;
};

class TRnCommonPropertiesForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int DesignClientWidth = 495;
    static constexpr int DesignClientHeight = 310;
    static constexpr int PanelHeight = 41;

    explicit TRnCommonPropertiesForm(QWidget* AOwner);
    // Frees the pages first: a page whose edit box loses the focus while Qt
    // takes the dialog apart would otherwise reach a dialog half gone.
    ~TRnCommonPropertiesForm() override;

    // A new tab showing APage; the dialog grows so that the tab's client
    // area is at least the page's size. The dialog owns the page.
    void AddPage(TKvPropertyPageForm* APage);
    TKvPropertyPageForm* Page(int AIndex) const;
    int PageCount() const { return PageControl->count(); }
    TKvPropertyPageForm* ActivePage() const;
    // Makes the page of tab AIndex active and tells it so, even when it was
    // active already.
    void ActivatePage(int AIndex);

    void SetClientSize(int AWidth, int AHeight);

    TKvPageControl* PageControl;
    QFrame* Panel1;
    QPushButton* AddButton;
    QPushButton* RemoveButton;
    QFrame* Panel2;
    QPushButton* OkButton;

protected:
    bool event(QEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;

private:
    void LayoutControls();
    void PageControlChange(int AIndex);
    void AddButtonClick();
    void RemoveButtonClick();

    // Whether OK was the default when the last Escape began, before the
    // focused control saw it, and the time stamp of that key.
    bool FEscapeOkDefault = true;
    quint64 FEscapeTime = 0;
    bool FEscapeSeen = false;
};
