#include "dialogs/KvPropertyPageFormUnit.h"

#include "dialogs/KvDialogLook.h"
#include "dialogs/RnCommonPropertiesFormUnit.h"

#include <QPushButton>

TKvPropertyPageForm::TKvPropertyPageForm(TRnCommonPropertiesForm* AOwner)
    : QWidget(AOwner), FOwnerForm(AOwner) {
    ApplyDialogLook(this);
    setWindowFlags(Qt::Widget);
    resize(DesignWidth, DesignHeight);
    hide();
}

void TKvPropertyPageForm::PageActivated() {
    FOwnerForm->AddButton->hide();
    FOwnerForm->RemoveButton->hide();
}

void TKvPropertyPageForm::AddItem() {}

void TKvPropertyPageForm::RemoveItem() {}

void TKvPropertyPageForm::SetOkDefault(bool AValue) {
    FOwnerForm->OkButton->setDefault(AValue);
}
