#include "platform/Forms.h"

#include "platform/EventBinding.h"
#include "platform/Filer.h"
#include "platform/SilentFailure.h"

#include <QFontMetrics>
#include <QMetaObject>
#include <QWidget>

TForm::TForm(TComponent* AOwner) : TControl(AOwner), FFont(MakeOwned<TFont>()) {
    FIsWindow = true;
    SetVisible(false);
    FFont->OnChange = [this] { Invalidate(); };
}

int32_t TForm::TextHeight() const {
    return QFontMetrics(FFont->ToQFont()).height();
}

void TForm::DoCreate() {
    if (FOnCreate)
        FOnCreate(this);
}

void TForm::SetOnCreate(TFormEvent AValue) {
    FOnCreate = std::move(AValue);
    FOnCreateName.clear();
}

void TForm::SetOnDestroy(TFormEvent AValue) {
    FOnDestroy = std::move(AValue);
    FOnDestroyName.clear();
}

void TForm::BeforeDestruction() {
    // the form goes regardless
    Silently("a form's OnDestroy", [this] {
        if (FOnDestroy)
            FOnDestroy(this);
    });
    TControl::BeforeDestruction();
}

void TForm::DefineProperties(TFiler& AFiler) {
    TControl::DefineProperties(AFiler);
    DefineEvent<TForm>(AFiler, QStringLiteral("OnCreate"), FOnCreateName,
                       [this](TFormEvent AHandler) { FOnCreate = std::move(AHandler); });
    DefineEvent<TForm>(AFiler, QStringLiteral("OnDestroy"), FOnDestroyName,
                       [this](TFormEvent AHandler) { FOnDestroy = std::move(AHandler); });
    AFiler.DefineProperty(
        QStringLiteral("TextHeight"), [](TReader& AReader) { AReader.ReadInteger(); },
        [this](TWriter& AWriter) { AWriter.WriteInteger(TextHeight()); }, true);
}

void TForm::SetCaption(const QString& AValue) {
    FCaption = AValue;
    if (QWidget* widget = Widget())
        widget->setWindowTitle(AValue);
}

void TForm::Close() {
    if (QWidget* widget = Widget())
        widget->close();
}

void TForm::Release() {
    QMetaObject::invokeMethod(
        this, [this] { Free(this); }, Qt::QueuedConnection);
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TForm::WindowClosing(bool& ACanClose) {
    ACanClose = CloseQuery();
    if (!ACanClose)
        return;
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    switch (action) {
    case caNone:
        ACanClose = false;
        break;
    case caHide:
        SetVisible(false);
        break;
    case caMinimize:
        ACanClose = false;
        if (QWidget* widget = Widget())
            widget->showMinimized();
        break;
    case caFree:
        SetVisible(false);
        Release();
        break;
    }
}
