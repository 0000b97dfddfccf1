#pragma once
// A real waterfall in a window, fed with rows of known values, for the
// tests of its settings dialog.

#include "../waterfall/ShownWaterfall.h"
#include "DialogDriver.h"
#include "dialogs/KvWaterfallPropertiesFormUnit.h"
#include "waterfall/KvWaterfall.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class WaterfallDialogTest : public ShownWaterfallTest {
protected:
    // Four rows of four samples, each row one value: the history is full.
    static constexpr int Depth = 4;
    static inline const std::vector<double> RowValues = {100, 400, 700, 1000};

    void SetUp() override {
        ShownWaterfallTest::SetUp();
        if (HasFatalFailure())
            return;
        waterfall->GetXAxisObject()->SetSamples(Depth);
        // the hit point and its label would cover the pixels looked at
        waterfall->GetHighlighting()->GetMouseHitPoint()->SetEnabled(false);
        TKvLevelAxis* axis = waterfall->GetLevels()->GetAxis();
        axis->SetAutoscale(false);
        axis->SetMin(0);
        axis->SetMax(1000);
    }

    void TearDown() override {
        dialog.reset();
        ShownWaterfallTest::TearDown();
    }

    void AddRow(double AValue) {
        const std::vector<double> row(4, AValue);
        waterfall->Data().AddData(row.data(), static_cast<uint32_t>(row.size()));
    }

    // The rows in the history and painted; the layout has settled on the
    // axis ranges they give.
    void Feed() {
        for (double v : RowValues)
            AddRow(v);
        waterfall->RefreshView();
        Painted();
        // the rows' range widens the tick labels, which the layout takes
        // only when it runs again
        waterfall->InvalidateLayout();
        Painted();
    }

    // The dialog shown without a modal loop.
    void Open(int32_t AItem, uint8_t APage) {
        dialog.reset(TKvWaterfallPropertiesForm::CreateEx(waterfall.get(), AItem, APage));
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
    }

    template <class T> T* PageOf() const {
        for (int i = 0; i < dialog->PageCount(); ++i)
            if (auto* page = qobject_cast<T*>(dialog->Page(i)))
                return page;
        return nullptr;
    }

    // The centre pixel of history column AColumn in the middle line.
    uint32_t ColumnPixel(const QImage& AImage, int AColumn) const {
        const TRect r = DataRect();
        const int x = r.Left + (2 * AColumn + 1) * r.Width() / (2 * Depth);
        return AImage.pixel(x, r.Top + r.Height() / 2) & 0xFFFFFFu;
    }

    // A colour 0x00BBGGRR as the 0x00RRGGBB of a QImage pixel.
    static uint32_t Pixel(TColor AColor) {
        return ((AColor & 0xFFu) << 16) | (AColor & 0xFF00u) | ((AColor >> 16) & 0xFFu);
    }

    std::unique_ptr<TKvWaterfallPropertiesForm> dialog;
};
