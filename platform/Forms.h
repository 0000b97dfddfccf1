#pragma once
// Forms: top-level controls with a caption and a font. A form starts hidden;
// Show puts it on screen. Closing it (Close, or the window's close button)
// asks OnCloseQuery, then OnClose decides what happens to it (hidden by
// default). OnCreate runs when whoever built the form (typically from its
// stored form) calls DoCreate; OnDestroy runs before the form's components
// are freed. Both are stored with the form as root methods.

#include "platform/Controls.h"
#include "platform/Graphics.h"

class TForm : public TControl {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int32_t ClientWidth READ ClientWidth WRITE SetClientWidth)
    Q_PROPERTY(int32_t ClientHeight READ ClientHeight WRITE SetClientHeight)
    Q_PROPERTY(TFont* Font READ Font WRITE SetFont)
    Q_PROPERTY(int32_t PixelsPerInch READ PixelsPerInch WRITE SetPixelsPerInch)
    Q_CLASSINFO("default:Visible", "False")

public:
    enum TCloseAction { caNone, caHide, caFree, caMinimize };
    Q_ENUM(TCloseAction)

    using TCloseQueryEvent = std::function<void(TControl* Sender, bool& CanClose)>;
    using TCloseEvent = std::function<void(TControl* Sender, TCloseAction& Action)>;
    using TFormEvent = std::function<void(TForm* Sender)>;

    Q_INVOKABLE explicit TForm(TComponent* AOwner);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& AValue);
    void SetClientWidth(int32_t AValue) { SetClientSize(AValue, ClientHeight()); }
    void SetClientHeight(int32_t AValue) { SetClientSize(ClientWidth(), AValue); }
    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* AValue) { FFont->Assign(AValue); }
    // Stored with the form; the form is not rescaled by it.
    int32_t PixelsPerInch() const { return FPixelsPerInch; }
    void SetPixelsPerInch(int32_t AValue) { FPixelsPerInch = AValue; }
    // The height of a line of text in the form's font.
    int32_t TextHeight() const;

    // Asks to close, as the window's close button does.
    void Close();
    // Frees the form once the events being handled are done.
    void Release();

    // Runs OnCreate.
    void DoCreate();

    void SetOnCreate(TFormEvent AValue);
    void SetOnDestroy(TFormEvent AValue);

    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    // OnCreate and OnDestroy, and the line height the stored form records
    // ("TextHeight": written from the font, read and ignored).
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TForm() override = default;
    // Runs OnDestroy first; a failing handler does not stop the destruction.
    void BeforeDestruction() override;
    void WindowClosing(bool& ACanClose) override;
    virtual bool CloseQuery();

private:
    QString FCaption;
    TOwned<TFont> FFont;
    int32_t FPixelsPerInch = ScreenPixelsPerInch;
    TFormEvent FOnCreate;
    TFormEvent FOnDestroy;
    QString FOnCreateName;
    QString FOnDestroyName;
};

using TCloseAction = TForm::TCloseAction;
using enum TForm::TCloseAction;
