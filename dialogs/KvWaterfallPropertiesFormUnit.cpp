#include "dialogs/KvWaterfallPropertiesFormUnit.h"

#include "dialogs/KvWaterfallAxesFormUnit.h"
#include "dialogs/KvWaterfallLevelsFormUnit.h"
#include "dialogs/KvWaterfallMarkerGroupsFormUnit.h"
#include "waterfall/KvWaterfall.h"

#include <QPointer>
#include <algorithm>

TKvWaterfallPropertiesForm::TKvWaterfallPropertiesForm(TKvWaterfall* AWaterfall, int32_t AItemIndex,
                                                       uint8_t APage)
    : TRnCommonPropertiesForm(AWaterfall->Widget()) {
    setObjectName(QStringLiteral("WaterfallPropertiesForm"));
    // each page grows the dialog to fit
    SetClientSize(80, 80);
    const auto itemOn = [&](int32_t APageNumber) { return APage == APageNumber ? AItemIndex : 0; };
    int page = APage;
    TKvWaterfallMarkerGroups* groups = AWaterfall->GetMarkerGroups();
    if (groups->Count() > 0)
        AddPage(new TKvWaterfallMarkerGroupsForm(this, itemOn(TKvBasicWaterfall::MarkerGroupsPage),
                                                 groups));
    else if (page > 0)
        --page;
    AddPage(TKvWaterfallAxesForm::CreateEx(this, itemOn(TKvBasicWaterfall::AxesPage), AWaterfall));
    AddPage(TKvWaterfallLevelsForm::CreateEx(this, itemOn(TKvBasicWaterfall::LevelsPage),
                                             AWaterfall->GetLevels()));
    ActivatePage(std::min(page, PageCount() - 1));
}

TKvWaterfallPropertiesForm*
TKvWaterfallPropertiesForm::CreateEx(TKvWaterfall* AWaterfall, int32_t AItemIndex, uint8_t APage) {
    return new TKvWaterfallPropertiesForm(AWaterfall, AItemIndex, APage);
}

namespace {

// The dialog as the control sees it. The dialog is a child window of the
// control's widget, so Qt deletes it with that widget: it is freed here only
// while it is still there.
class TWaterfallPropertiesDialog : public IKvWaterfallPropertiesDialog {
public:
    explicit TWaterfallPropertiesDialog(TKvWaterfallPropertiesForm* AForm) : FForm(AForm) {}
    ~TWaterfallPropertiesDialog() override { delete FForm.data(); }
    int32_t DialogWidth() const override { return FForm ? FForm->width() : 0; }
    void MoveTo(TPoint APoint) override {
        if (FForm)
            FForm->move(APoint.ToQPoint());
    }
    void ShowModal() override {
        if (FForm)
            FForm->exec();
    }

private:
    QPointer<TKvWaterfallPropertiesForm> FForm;
};

} // namespace

void KvRegisterWaterfallDialogs() {
    TKvBasicWaterfall::SetPropertiesDialogFactory(
        [](TKvBasicWaterfall& AWaterfall, int32_t APage,
           int32_t AItem) -> std::unique_ptr<IKvWaterfallPropertiesDialog> {
            auto* waterfall = qobject_cast<TKvWaterfall*>(&AWaterfall);
            if (!waterfall)
                return nullptr;
            const auto page = static_cast<uint8_t>(std::clamp(APage, 0, 255));
            return std::make_unique<TWaterfallPropertiesDialog>(
                TKvWaterfallPropertiesForm::CreateEx(waterfall, AItem, page));
        });
}
