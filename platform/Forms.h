#pragma once
// Forms: top-level controls with a caption. A form starts hidden; Show puts
// it on screen. Closing it (Close, or the window's close button) asks
// OnCloseQuery, then OnClose decides what happens to it (hidden by default).

#include "platform/Controls.h"

class TForm : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int32_t ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int32_t ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_CLASSINFO("default:Visible", "False")

public:
    enum TCloseAction { caNone, caHide, caFree, caMinimize };
    Q_ENUM(TCloseAction)

    using TCloseQueryEvent = std::function<void(TControl* Sender, bool& CanClose)>;
    using TCloseEvent = std::function<void(TControl* Sender, TCloseAction& Action)>;

    Q_INVOKABLE explicit TForm(TComponent* AOwner);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& AValue);
    void SetClientWidth(int32_t AValue) { SetClientSize(AValue, ClientHeight()); }
    void SetClientHeight(int32_t AValue) { SetClientSize(ClientWidth(), AValue); }

    // Asks to close, as the window's close button does.
    void Close();
    // Frees the form once the events being handled are done.
    void Release();

    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

protected:
    ~TForm() override = default;
    void WindowClosing(bool& ACanClose) override;
    virtual bool CloseQuery();

private:
    QString FCaption;
};

using TCloseAction = TForm::TCloseAction;
using enum TForm::TCloseAction;
