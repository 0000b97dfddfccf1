// Shows one property dialog on screen for a look at its layout (screenshots
// in docs/dialogs/): dialogs_preview pen|brush|settings
#include "dialogs/KvBrushFormUnit.h"
#include "dialogs/KvPenFormUnit.h"
#include "dialogs/RnCommonPropertiesFormUnit.h"
#include "foundation/KvDisplayBrush.h"
#include "foundation/KvDisplayPen.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* which = argc > 1 ? argv[1] : "settings";
    auto pen = MakeOwned<TKvDisplayPen>(psDash, clRed);
    pen->SetWidth(3);
    auto brush = MakeOwned<TKvDisplayBrush>(bsSolid, clNavy);
    QDialog* dialog = nullptr;
    if (std::strcmp(which, "pen") == 0) {
        dialog = TKvPenForm::CreateEx(nullptr, pen.get());
    } else if (std::strcmp(which, "brush") == 0) {
        dialog = TKvBrushForm::CreateEx(nullptr, brush.get());
    } else if (std::strcmp(which, "settings") == 0) {
        dialog = new TRnCommonPropertiesForm(nullptr);
    } else {
        std::fprintf(stderr, "usage: dialogs_preview pen|brush|settings\n");
        return 2;
    }
    dialog->move(40, 40);
    dialog->show();
    const int result = app.exec();
    delete dialog;
    return result;
}
