// View settings changed by a feeding thread while the user-interface thread
// paints: every change goes through the display's lock, and the picture
// settles on the last values.

#include "ViewsTestDisplay.h"

#include <QtTest/QTest>

#include <atomic>
#include <thread>

namespace {

TEST(ViewSettingsThreadTest, SettingsFromAFeedingThreadWhileTheDisplayPaints) {
    auto host = std::make_unique<QWidget>();
    auto display = MakeOwned<TTitledTestDisplay>(nullptr);
    display->Widget()->setParent(host.get());
    display->SetBounds(0, 0, 450, 280);
    host->show();
    TKvDisplayTitle* title = display->GetTitle();
    TKvLegendView* legend = display->GetLegend();
    legend->GetViewSize()->SetAutoSize(false);

    std::atomic<bool> done{false};
    std::thread feeder([&] {
        for (int i = 0; i < 200; ++i) {
            title->SetText(QStringLiteral("Title %1").arg(i));
            title->GetViewSize()->SetAutoSize(i % 2 == 0);
            title->GetViewSize()->SetSize(static_cast<uint32_t>(20 + i % 30));
            title->GetBackground()->SetUseControlColor(i % 3 == 0);
            title->GetBackground()->SetColor(RGBColor(static_cast<uint8_t>(i), 0, 0));
            legend->GetViewSize()->SetSize(static_cast<uint32_t>(10 + i % 50));
            legend->SetVisible(i % 4 != 0);
            title->SetAlign(i % 5 == 0 ? vaBottom : vaTop);
        }
        done = true;
    });
    int paints = 0;
    while (!done || paints == 0) {
        display->Settle();
        QCoreApplication::processEvents();
        ++paints;
    }
    feeder.join();

    display->Settle();
    // i = 199: a fixed 39-pixel title on top, a 59-pixel legend on the right
    EXPECT_EQ(title->GetText(), QStringLiteral("Title 199"));
    EXPECT_EQ(title->DrawRect(), Rect(0, 0, 450, 39));
    EXPECT_EQ(legend->DrawRect(), Rect(450 - 59, 39, 450, 280));
    EXPECT_EQ(display->Data()->DrawRect(), Rect(0, 39, 450 - 59, 280));
    display.reset();
}

} // namespace
