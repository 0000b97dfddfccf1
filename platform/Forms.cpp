#include "platform/Forms.h"

#include <QMetaObject>
#include <QWidget>

TForm::TForm(TComponent* AOwner) : TControl(AOwner) {
    FIsWindow = true;
    SetVisible(false);
}

void TForm::SetCaption(const QString& AValue) {
    FCaption = AValue;
    Widget()->setWindowTitle(AValue);
}

void TForm::Close() {
    Widget()->close();
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
        Widget()->showMinimized();
        break;
    case caFree:
        SetVisible(false);
        Release();
        break;
    }
}
