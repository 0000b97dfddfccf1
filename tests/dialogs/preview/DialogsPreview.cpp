// Shows one property dialog on screen for a look at its layout (screenshots
// in docs/dialogs/):
//   dialogs_preview pen|brush|settings|groups|axes|levels
// The waterfall's pages are shown in its "Settings" dialog, over a waterfall
// fed with a moving synthetic spectrum.
#include "dialogs/KvBrushFormUnit.h"
#include "dialogs/KvPenFormUnit.h"
#include "dialogs/KvWaterfallPropertiesFormUnit.h"
#include "dialogs/RnCommonPropertiesFormUnit.h"
#include "foundation/KvDisplayBrush.h"
#include "foundation/KvDisplayPen.h"
#include "waterfall/KvWaterfall.h"

#include <QApplication>
#include <QTimer>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// A spectrum with a peak that wanders across it.
void AddSpectrum(TKvWaterfall& AWaterfall, int ATick) {
    std::vector<double> row(128);
    const double peak = 64 + 40 * std::sin(ATick * 0.05);
    for (size_t i = 0; i < row.size(); ++i) {
        const double d = static_cast<double>(i) - peak;
        row[i] = 50 + 900 * std::exp(-d * d / 40) + 30 * std::sin(static_cast<double>(i) * 0.7);
    }
    AWaterfall.Data().AddData(row.data(), static_cast<uint32_t>(row.size()));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const char* which = argc > 1 ? argv[1] : "settings";
    auto pen = MakeOwned<TKvDisplayPen>(psDash, clRed);
    pen->SetWidth(3);
    auto brush = MakeOwned<TKvDisplayBrush>(bsSolid, clNavy);
    TOwned<TKvWaterfall> waterfall;
    QTimer feeder;
    int tick = 0;
    QDialog* dialog = nullptr;
    if (std::strcmp(which, "pen") == 0) {
        dialog = TKvPenForm::CreateEx(nullptr, pen.get());
    } else if (std::strcmp(which, "brush") == 0) {
        dialog = TKvBrushForm::CreateEx(nullptr, brush.get());
    } else if (std::strcmp(which, "settings") == 0) {
        dialog = new TRnCommonPropertiesForm(nullptr);
    } else if (std::strcmp(which, "groups") == 0 || std::strcmp(which, "axes") == 0 ||
               std::strcmp(which, "levels") == 0) {
        waterfall = MakeOwned<TKvWaterfall>(nullptr);
        waterfall->SetBounds(0, 0, 586, 350);
        waterfall->GetXAxisObject()->SetSamples(256);
        waterfall->Widget()->move(0, 0);
        waterfall->Widget()->show();
        QObject::connect(&feeder, &QTimer::timeout, [&] { AddSpectrum(*waterfall, tick++); });
        feeder.start(20);
        if (which[0] == 'g') {
            TKvWaterfallMarkerGroup* peaks = waterfall->GetMarkerGroups()->Add();
            peaks->SetName(QStringLiteral("Peaks"));
            peaks->GetLabels()->SetText(QStringLiteral("%Y: %Z"));
            peaks->SetShape(msDiamond);
            peaks->SetSize(5);
            TKvWaterfallMarkerGroup* valleys = waterfall->GetMarkerGroups()->Add();
            valleys->SetName(QStringLiteral("Valleys"));
            valleys->SetVisible(false);
            for (int i = 0; i < 4; ++i) {
                TKvWaterfallMarker* marker = peaks->GetMarkers()->Add();
                marker->GetPosition()->SetX(60.0 + 40 * i);
                marker->GetPosition()->SetY(30.0 + 20 * i);
            }
            // absolute, so that they stay where they are while rows scroll
            peaks->SetMode(mmAbsolute);
        }
        const uint8_t page = which[0] == 'g' ? 0 : which[0] == 'a' ? 1 : 2;
        auto* form = TKvWaterfallPropertiesForm::CreateEx(waterfall.get(), 0, page);
        form->move(waterfall->Widget()->mapToGlobal(QPoint(586 - form->width() - 20, 20)));
        dialog = form;
    } else {
        std::fprintf(stderr, "usage: dialogs_preview pen|brush|settings|groups|axes|levels\n");
        return 2;
    }
    if (!waterfall)
        dialog->move(40, 40);
    dialog->show();
    const int result = app.exec();
    delete dialog;
    return result;
}
