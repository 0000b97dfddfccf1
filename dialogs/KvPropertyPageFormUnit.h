#pragma once
// A page of a property dialog: a borderless widget that the dialog puts into
// one of its tabs (TRnCommonPropertiesForm::AddPage), with the tab's caption
// taken from the page's caption. The dialog owns its pages.

#include <QString>
#include <QWidget>

class TRnCommonPropertiesForm;

class TKvPropertyPageForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int DesignWidth = 419;
    static constexpr int DesignHeight = 234;

    explicit TKvPropertyPageForm(TRnCommonPropertiesForm* AOwner);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& AValue) { setWindowTitle(AValue); }
    TRnCommonPropertiesForm* OwnerForm() const { return FOwnerForm; }

    // The page became the active tab. Hides the dialog's Add and Remove
    // buttons; pages that manage lists show them.
    virtual void PageActivated();
    // The dialog's Add and Remove buttons, for the active page.
    virtual void AddItem();
    virtual void RemoveItem();

    // Whether Enter and Escape go to the dialog's OK button. Pages turn it
    // off while an edit box is being typed in, so that Enter commits the
    // edit instead of closing the dialog.
    void SetOkDefault(bool AValue);

private:
    TRnCommonPropertiesForm* FOwnerForm;
};
