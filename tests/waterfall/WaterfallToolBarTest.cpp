// The waterfall control's toolbar: drawn while the mouse is over the
// control, and its setup button opens the control's properties.

#include "ShownWaterfall.h"
#include "waterfall/KvWaterfall.h"
#include "waterfall/KvWaterfallPropertiesDialog.h"

#include <QScopeGuard>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int WaitMs = 5000;

class WaterfallToolBarTest : public ShownWaterfallTest {
protected:
    uint32_t PaintedAt(QPoint APoint) { return Painted().pixel(APoint) & 0xFFFFFFu; }
};

TEST_F(WaterfallToolBarTest, ShownWhileTheMouseIsInAndSetupOpensTheProperties) {
    TKvDisplayToolBar* toolbar = waterfall->GetToolBar();
    const TRect setup = [&] {
        toolbar->UpdateButtons();
        return toolbar->ButtonRect(toolbar->SetupButton());
    }();
    ASSERT_FALSE(setup.IsEmpty());
    // The strip's frame is grey at (2, 0) of every image: the toolbar's
    // border colour when drawn, the display's colour (black) otherwise.
    const QPoint frame(setup.Left + 2, setup.Top);
    // a button another test left pressed would keep the mouse captured
    QTest::mouseRelease(host.get(), Qt::LeftButton, Qt::NoModifier, QPoint(480, 300));
    QTest::mouseMove(host.get(), QPoint(480, 300));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !waterfall->MouseIsIn(); }, WaitMs));
    waterfall->InvalidateRefresh();
    EXPECT_EQ(PaintedAt(frame), 0u);

    QTest::mouseMove(waterfall->Widget(), QPoint(100, 100));
    ASSERT_TRUE(QTest::qWaitFor([&] { return waterfall->MouseIsIn(); }, WaitMs));
    EXPECT_EQ(PaintedAt(frame), 0x008000u);

    // The setup button asks the registered dialog factory for the first page.
    std::vector<std::pair<int32_t, int32_t>> shown;
    TKvBasicWaterfall::SetPropertiesDialogFactory(
        [&](TKvBasicWaterfall&, int32_t APage,
            int32_t AItem) -> std::unique_ptr<IKvWaterfallPropertiesDialog> {
            shown.emplace_back(APage, AItem);
            return nullptr;
        });
    const auto reset = qScopeGuard([] { TKvBasicWaterfall::SetPropertiesDialogFactory({}); });
    const QPoint centre((setup.Left + setup.Right) / 2, (setup.Top + setup.Bottom) / 2);
    QTest::mouseMove(waterfall->Widget(), centre);
    QTest::mouseClick(waterfall->Widget(), Qt::LeftButton, Qt::NoModifier, centre);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], std::make_pair(0, 0));
    EXPECT_TRUE(toolbar->GetVisible());
    EXPECT_FALSE(toolbar->SetupButton()->FClicked);
}

} // namespace
