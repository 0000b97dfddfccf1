// One paint after rows arrive gives the settled picture: rows whose length
// changes the value axis's labels are taken in before the display is laid
// out.

#include "ShownWaterfall.h"

#include <vector>

namespace {

using WaterfallLayoutTest = ShownWaterfallTest;

TEST_F(WaterfallLayoutTest, OnePaintAfterRowsOfANewLengthIsLaidOutForThem) {
    constexpr int Depth = 4;
    waterfall->GetXAxisObject()->SetSamples(Depth);
    TKvLevelAxis* axis = waterfall->GetLevels()->GetAxis();
    axis->SetAutoscale(false);
    axis->SetMin(0);
    axis->SetMax(1000);
    Painted();
    // Long rows widen the value axis's labels, short ones narrow them again.
    for (const uint32_t length : {100000u, 4u}) {
        SCOPED_TRACE(length);
        const TRect before = DataRect();
        waterfall->Data().Clear();
        for (int k = 0; k < Depth; ++k) {
            const std::vector<double> row(length, 250.0 * k);
            waterfall->Data().AddData(row.data(), length);
        }
        waterfall->RefreshView();
        const QImage first = Painted();
        const TRect laidOut = DataRect();
        ASSERT_NE(laidOut.Left, before.Left) << "the rows must move the value axis";

        waterfall->InvalidateRefresh();
        const QImage second = Painted();
        EXPECT_EQ(DataRect(), laidOut);
        EXPECT_EQ(first, second);
        // Each row fills its quarter of the data view in its level colour.
        for (int k = 0; k < Depth; ++k) {
            const TColor c = waterfall->GetLevels()->ValueToColor(250.0 * k, 1000.0);
            const uint32_t rgb = ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
            const int x = laidOut.Left + (2 * k + 1) * laidOut.Width() / (2 * Depth);
            EXPECT_EQ(first.pixel(x, laidOut.Top + laidOut.Height() / 2) & 0xFFFFFFu, rgb) << k;
        }
    }
}

} // namespace
