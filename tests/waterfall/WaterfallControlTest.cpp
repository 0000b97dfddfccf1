// The whole waterfall control in a plain Qt window, driven through its public
// interface and real input events.

#include "ShownWaterfall.h"
#include "waterfall/KvWaterfall.h"

#include "buffers/KvRealBuffer.h"
#include "display/KvZoomPin.h"
#include "pins/streams/KvStreamTypes.h"
#include "platform/StoredForm.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

constexpr int WaitMs = 5000;
// Four rows of four samples, each row one value: the history is full.
constexpr int Depth = 4;
const std::vector<double> RowValues = {100, 400, 700, 1000};

class WaterfallControlTest : public ShownWaterfallTest {
protected:
    void UseFixedLevels() {
        waterfall->GetXAxisObject()->SetSamples(Depth);
        TKvLevelAxis* axis = waterfall->GetLevels()->GetAxis();
        axis->SetAutoscale(false);
        axis->SetMin(0);
        axis->SetMax(1000);
    }

    static void AddRow(TKvWaterfall& AWaterfall, double AValue) {
        const std::vector<double> row(4, AValue);
        AWaterfall.Data().AddData(row.data(), static_cast<uint32_t>(row.size()));
    }

    // The colour the level scale gives AValue in 0..1000, as 0x00RRGGBB.
    uint32_t ColorOf(double AValue) const {
        const TColor c = waterfall->GetLevels()->ValueToColor(AValue, 1000.0);
        return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }

    // The centre pixel of history column AColumn in the middle line.
    uint32_t ColumnPixel(const QImage& AImage, int AColumn) const {
        const TRect r = DataRect();
        const int x = r.Left + (2 * AColumn + 1) * r.Width() / (2 * Depth);
        return AImage.pixel(x, r.Top + r.Height() / 2) & 0xFFFFFFu;
    }
};

// A full history of the four rows on screen, levels fixed to 0..1000.
class WaterfallWithRows : public WaterfallControlTest {
protected:
    void SetUp() override {
        WaterfallControlTest::SetUp();
        UseFixedLevels();
        for (double v : RowValues)
            AddRow(*waterfall, v);
        waterfall->RefreshView();
        Painted();
    }
};

TEST_F(WaterfallControlTest, DefaultsAndPublishedParts) {
    EXPECT_EQ(waterfall->Width(), 450);
    EXPECT_EQ(waterfall->Height(), 280);
    EXPECT_EQ(waterfall->Color(), clBlack);
    EXPECT_EQ(waterfall->GetRefreshInterval(), 100u);
    EXPECT_FALSE(waterfall->GetVertical());
    EXPECT_EQ(waterfall->GetTitle()->GetText(), "Waterfall");
    EXPECT_EQ(waterfall->GetXAxisObject()->GetSamples(), 512);
    EXPECT_EQ(waterfall->GetYAxisObject()->GetSamples(), 500);
    EXPECT_EQ(waterfall->GetLevels()->GetBarWidth(), 14);
    EXPECT_TRUE(waterfall->GetLevels()->GetAxis()->GetAutoscale());
    EXPECT_EQ(waterfall->GetLevels()->GetAxis()->GetMax(), 1000.0);
    EXPECT_EQ(waterfall->GetLegend()->GetMarkerGroups()->CaptionText(), "Marker Groups");
    ASSERT_NE(waterfall->GetInputPin(), nullptr);
    // The axes and the data view come last in layout order.
    const TKvDisplayViews& views = waterfall->Views();
    const int32_t n = views.Count();
    ASSERT_GE(n, 3);
    EXPECT_EQ(views[n - 1], waterfall->DataView());
    EXPECT_EQ(views[n - 2], static_cast<TKvDisplayView*>(waterfall->GetYAxisObject()));
    EXPECT_EQ(views[n - 3], static_cast<TKvDisplayView*>(waterfall->GetXAxisObject()));
}

TEST_F(WaterfallControlTest, BeforeAnyRowThePlotShowsOnlyTheDisplayColour) {
    const QImage image = Painted();
    const TRect r = DataRect();
    ASSERT_FALSE(r.IsEmpty());
    for (int y = r.Top; y < r.Bottom; y += 7)
        for (int x = r.Left; x < r.Right; x += 7)
            ASSERT_EQ(image.pixel(x, y) & 0xFFFFFFu, 0u) << x << "," << y;
    // The title, axes and level bar draw something besides.
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += (image.pixel(x, y) & 0xFFFFFFu) != 0;
    EXPECT_GT(lit, 200);
}

TEST_F(WaterfallControlTest, RowsFromAWorkerThreadAppearAfterTheRefreshTick) {
    UseFixedLevels();
    // The settings' own refresh is done before the rows come.
    Painted();
    std::thread producer([&] {
        for (double v : RowValues)
            AddRow(*waterfall, v);
    });
    producer.join();
    // Queued rows show nothing before the tick.
    QImage image = Painted();
    EXPECT_EQ(ColumnPixel(image, 0), 0u);
    waterfall->RefreshView();
    image = Painted();
    for (int k = 0; k < Depth; ++k)
        EXPECT_EQ(ColumnPixel(image, k), ColorOf(RowValues[static_cast<size_t>(k)])) << k;
    EXPECT_EQ(waterfall->Data().GetData().size(), static_cast<size_t>(Depth));
}

TEST_F(WaterfallWithRows, HoldFreezesThePictureAndReleaseCatchesUp) {
    const QImage before = Painted();
    waterfall->SetHold(true);
    AddRow(*waterfall, 0);
    AddRow(*waterfall, 0);
    waterfall->RefreshView();
    const QImage held = Painted();
    for (int k = 0; k < Depth; ++k)
        EXPECT_EQ(ColumnPixel(held, k), ColumnPixel(before, k)) << k;
    waterfall->SetHold(false);
    const QImage after = Painted();
    // Two rows of 0 came in at the newest end; the oldest two left.
    EXPECT_EQ(ColumnPixel(after, 0), ColorOf(700));
    EXPECT_EQ(ColumnPixel(after, 1), ColorOf(1000));
    EXPECT_EQ(ColumnPixel(after, 2), ColorOf(0));
    EXPECT_EQ(ColumnPixel(after, 3), ColorOf(0));
}

TEST_F(WaterfallWithRows, MouseDragZoomsAndUndoRestores) {
    // The hit point and its label would cover the pixels looked at.
    waterfall->GetHighlighting()->GetMouseHitPoint()->SetEnabled(false);
    const TRect r = DataRect();
    QWidget* w = waterfall->Widget();
    const QPoint a(r.Left + 10, r.Top + 10);

    // 4 x 4 does not zoom.
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(w, a + QPoint(4, 4));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, a + QPoint(4, 4));
    EXPECT_FALSE(waterfall->GetXAxisObject()->GetZoomed());
    EXPECT_FALSE(waterfall->CanUndoZoom());

    const QPoint b(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(w, b);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, b);
    EXPECT_TRUE(waterfall->GetXAxisObject()->GetZoomed());
    EXPECT_TRUE(waterfall->GetYAxisObject()->GetZoomed());
    ASSERT_TRUE(waterfall->CanUndoZoom());
    // The drag covered the left half: the oldest rows fill the view.
    const QImage zoomed = Painted();
    EXPECT_EQ(ColumnPixel(zoomed, 0), ColorOf(100));
    EXPECT_NE(ColumnPixel(zoomed, 3), ColorOf(1000));

    waterfall->UndoZoom();
    EXPECT_FALSE(waterfall->GetXAxisObject()->GetZoomed());
    EXPECT_FALSE(waterfall->GetYAxisObject()->GetZoomed());
    const QImage restored = Painted();
    for (int k = 0; k < Depth; ++k)
        EXPECT_EQ(ColumnPixel(restored, k), ColorOf(RowValues[static_cast<size_t>(k)])) << k;
}

TEST_F(WaterfallControlTest, NewRowsWaitWhileAZoomIsDragged) {
    UseFixedLevels();
    AddRow(*waterfall, 100);
    waterfall->RefreshView();
    Painted();
    const TRect r = DataRect();
    QWidget* w = waterfall->Widget();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(r.Left + 5, r.Top + 5));
    AddRow(*waterfall, 400);
    waterfall->RefreshView();
    Painted();
    EXPECT_EQ(waterfall->Data().GetDrawData().size(), 1u);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(r.Left + 6, r.Top + 6));
    waterfall->RefreshView();
    Painted();
    EXPECT_EQ(waterfall->Data().GetDrawData().size(), 2u);
}

TEST_F(WaterfallControlTest, TooltipFormats) {
    TKvWaterfall& wf = *waterfall;
    const double x = 3;
    const double y = 2;
    const double z = 500;
    const QString plain = wf.GetXAxisObject()->GetTickText(x) + " : " +
                          wf.GetYAxisObject()->GetTickText(y) + " : " +
                          wf.GetLevels()->GetTickText(z);
    EXPECT_EQ(wf.ExpandPointLabel("%D (%%)", x, y, z), plain + " (%)");
    EXPECT_EQ(wf.ExpandPointLabel("%Q%X", x, y, z), wf.GetXAxisObject()->GetTickText(x));
    EXPECT_EQ(wf.ExpandPointLabel("%x|%z", x, y, z),
              wf.GetXAxisObject()->GetTickText(x) + "|" + wf.GetLevels()->GetTickText(z));
    // A lone percent sign at the end ends the text.
    EXPECT_EQ(wf.ExpandPointLabel("a%", x, y, z), "a");
}

TEST_F(WaterfallWithRows, TooltipShowsTheValueUnderTheMouse) {
    const TRect r = DataRect();
    // Over the third history column.
    const QPoint p(r.Left + 5 * r.Width() / 8, r.Top + r.Height() / 2);
    QTest::mouseMove(waterfall->Widget(), p);
    ASSERT_TRUE(QTest::qWaitFor([&] { return waterfall->ToolTipZValue() == 700.0; }, WaitMs));
    EXPECT_TRUE(waterfall->GetToolTipText().endsWith(waterfall->GetLevels()->GetTickText(700)))
        << waterfall->GetToolTipText().toStdString();
}

TEST_F(WaterfallWithRows, HitPointIsDrawnAtTheMouseInTheChosenColour) {
    const TRect r = DataRect();
    // Somewhere the cursor was not before: Qt sends no move to where it is.
    const QPoint p(r.Left + 5 * r.Width() / 8 + 3, r.Top + r.Height() / 2 + 5);
    QTest::mouseMove(waterfall->Widget(), p);
    ASSERT_TRUE(QTest::qWaitFor([&] { return waterfall->ToolTipZValue() == 700.0; }, WaitMs));
    // A 5 x 5 square: the level colour's outline around the display colour.
    QImage image = Painted();
    EXPECT_EQ(image.pixel(p) & 0xFFFFFFu, 0u);
    EXPECT_EQ(image.pixel(p + QPoint(1, 1)) & 0xFFFFFFu, 0u);
    EXPECT_EQ(image.pixel(p + QPoint(-2, 0)) & 0xFFFFFFu, ColorOf(700));

    TKvChannelMouseHitPoint* hit = waterfall->GetHighlighting()->GetMouseHitPoint();
    hit->SetUseChannelColor(false);
    hit->SetColor(clFuchsia);
    waterfall->InvalidateRefresh();
    image = Painted();
    EXPECT_EQ(image.pixel(p + QPoint(-2, 0)) & 0xFFFFFFu, 0xFF00FFu);
    EXPECT_EQ(image.pixel(p + QPoint(2, 2)) & 0xFFFFFFu, 0xFF00FFu);

    hit->SetEnabled(false);
    waterfall->InvalidateRefresh();
    image = Painted();
    EXPECT_EQ(image.pixel(p) & 0xFFFFFFu, ColorOf(700));
}

// Records what the control asks of its properties dialog.
struct TShownDialog {
    int32_t Page = -1;
    int32_t Item = -1;
    TPoint At{};
    bool Shown = false;
};

class TRecordingDialog : public IKvWaterfallPropertiesDialog {
public:
    explicit TRecordingDialog(TShownDialog& AShown) : FShown(AShown) {}
    int32_t DialogWidth() const override { return 120; }
    void MoveTo(TPoint APoint) override { FShown.At = APoint; }
    void ShowModal() override { FShown.Shown = true; }

private:
    TShownDialog& FShown;
};

TEST_F(WaterfallControlTest, PropertiesEntryPointsAskForTheirPageAndArePlacedByTheRightEdge) {
    std::vector<TShownDialog> shown;
    TKvBasicWaterfall::SetPropertiesDialogFactory(
        [&](TKvBasicWaterfall& AWaterfall, int32_t APage, int32_t AItem) {
            EXPECT_EQ(&AWaterfall, waterfall.get());
            // the toolbar stays, with no button left pressed
            EXPECT_TRUE(AWaterfall.GetToolBar()->GetVisible());
            shown.push_back({APage, AItem, {}, false});
            return std::make_unique<TRecordingDialog>(shown.back());
        });
    const auto reset = qScopeGuard([] { TKvBasicWaterfall::SetPropertiesDialogFactory({}); });

    // The levels page is asked for as page 2 whether or not there are
    // marker groups: the dialog moves it down when their page is absent.
    waterfall->DoColorChannelClick(3);
    waterfall->ShowAxisProperties(1);
    waterfall->ShowSetup();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(std::make_pair(shown[0].Page, shown[0].Item), std::make_pair(2, 3));
    EXPECT_EQ(std::make_pair(shown[1].Page, shown[1].Item), std::make_pair(1, 1));
    EXPECT_EQ(std::make_pair(shown[2].Page, shown[2].Item), std::make_pair(0, 0));
    const QPoint corner = waterfall->Widget()->mapToGlobal(QPoint(450 - 120 - 20, 20));
    for (const TShownDialog& s : shown) {
        EXPECT_TRUE(s.Shown);
        EXPECT_EQ(QPoint(s.At.X, s.At.Y), corner);
    }

    // A factory that cannot edit the control opens nothing.
    TKvBasicWaterfall::SetPropertiesDialogFactory(
        [](TKvBasicWaterfall&, int32_t, int32_t) { return nullptr; });
    waterfall->ShowSetup();
    TKvBasicWaterfall::SetPropertiesDialogFactory({});
    waterfall->ShowSetup();
    EXPECT_TRUE(waterfall->GetToolBar()->GetVisible());
}

TEST_F(WaterfallWithRows, PrintRestoresHold) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("out.pdf"));
    waterfall->Print(printer);
    EXPECT_FALSE(waterfall->GetHold());
    waterfall->SetHold(true);
    waterfall->Print(printer);
    EXPECT_TRUE(waterfall->GetHold());
}

TEST_F(WaterfallWithRows, VerticalAndReversedRebuildTheImage) {
    waterfall->GetXAxisObject()->SetReversed(true);
    const QImage image = Painted();
    for (int k = 0; k < Depth; ++k)
        EXPECT_EQ(ColumnPixel(image, k), ColorOf(RowValues[static_cast<size_t>(Depth - 1 - k)]))
            << k;
    waterfall->SetVertical(true);
    const QImage vertical = Painted();
    const TRect r = DataRect();
    // Rows run down the view, reversed: the newest on top.
    const int x = r.Left + r.Width() / 2;
    for (int k = 0; k < Depth; ++k) {
        const int y = r.Top + (2 * k + 1) * r.Height() / (2 * Depth);
        EXPECT_EQ(vertical.pixel(x, y) & 0xFFFFFFu,
                  ColorOf(RowValues[static_cast<size_t>(Depth - 1 - k)]))
            << k;
    }
}

TEST_F(WaterfallWithRows, WheelZoomsAboutTheMouse) {
    // The hit point and its label would cover the pixels looked at.
    waterfall->GetHighlighting()->GetMouseHitPoint()->SetEnabled(false);
    const TRect r = DataRect();
    // Off the middle, so that a zoom about the centre would move the value.
    const QPoint p(r.Left + r.Width() / 5, r.Top + r.Height() / 3);
    double x0 = 0;
    double y0 = 0;
    ASSERT_TRUE(waterfall->GetAxisValueAt(p.x(), p.y(), x0, y0));
    const double width0 = waterfall->GetXMax() - waterfall->GetXMin();
    QWidget* w = waterfall->Widget();
    QTest::mouseMove(w, p);
    QWheelEvent event(QPointF(p), QPointF(w->mapToGlobal(p)), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &event);
    ASSERT_TRUE(waterfall->GetXAxisObject()->GetZoomed());
    Painted();
    EXPECT_LT(waterfall->GetXMax() - waterfall->GetXMin(), width0);
    double x1 = 0;
    double y1 = 0;
    ASSERT_TRUE(waterfall->GetAxisValueAt(p.x(), p.y(), x1, y1));
    EXPECT_NEAR(x1, x0, 0.02 * width0);
    EXPECT_TRUE(waterfall->CanUndoZoom());
}

TEST_F(WaterfallWithRows, SaveAndCopyProduceThePicture) {
    QTemporaryDir dir;
    const QString bmp = dir.filePath("w.bmp");
    const QString jpg = dir.filePath("w.jpg");
    waterfall->SaveToBitmap(bmp);
    waterfall->SaveToJpeg(jpg);
    waterfall->CopyToClipboard();
    const QImage saved(bmp);
    const QImage jpeg(jpg);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_EQ(saved.size(), QSize(450, 280));
    ASSERT_EQ(jpeg.size(), QSize(450, 280));
    ASSERT_EQ(copied.size(), QSize(450, 280));
    const auto near = [](uint32_t A, uint32_t B) {
        for (int shift : {0, 8, 16})
            if (std::abs(int((A >> shift) & 0xFF) - int((B >> shift) & 0xFF)) > 24)
                return false;
        return true;
    };
    for (int k = 0; k < Depth; ++k) {
        const uint32_t expected = ColorOf(RowValues[static_cast<size_t>(k)]);
        EXPECT_EQ(ColumnPixel(saved.convertToFormat(QImage::Format_RGB32), k), expected) << k;
        EXPECT_EQ(ColumnPixel(copied.convertToFormat(QImage::Format_RGB32), k), expected) << k;
        EXPECT_TRUE(near(ColumnPixel(jpeg.convertToFormat(QImage::Format_RGB32), k), expected))
            << k;
    }
}

TEST_F(WaterfallControlTest, DestructionWithRowsQueuedATickDueAndADragHeld) {
    UseFixedLevels();
    std::thread producer([&] {
        for (int i = 0; i < 200; ++i)
            AddRow(*waterfall, i);
    });
    producer.join();
    waterfall->PostRefresh();
    const TRect r = DataRect();
    QTest::mousePress(waterfall->Widget(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(r.Left + 5, r.Top + 5));
    QTest::mouseMove(waterfall->Widget(), QPoint(r.Left + 40, r.Top + 40));
    waterfall.reset();
    // Whatever was posted for the control finds it gone.
    QCoreApplication::processEvents();
    SUCCEED();
}

TEST_F(WaterfallControlTest, DestructionWhileAProducerSendsThroughThePin) {
    auto source = MakeOwned<TKvJwRealSourcePin>(nullptr);
    ASSERT_TRUE(source->Connect(waterfall->GetInputPin()));
    std::atomic<int> sent{0};
    std::atomic<bool> stop{false};
    std::thread producer([&] {
        const std::vector<double> row(64, 1.0);
        for (int i = 0; !stop.load(); ++i) {
            source->SubmitBuffer(
                TKvDataPtr(TKvRealBuffer::CreateData(row.data(), uint32_t(row.size()))));
            sent.store(i + 1);
        }
    });
    // Rows reach the picture while they come.
    for (int i = 0; i < 20; ++i) {
        waterfall->RefreshView();
        Painted();
    }
    EXPECT_GT(waterfall->Data().GetDrawData().size(), 0u);
    waterfall.reset();
    const int atDestruction = sent.load();
    while (sent.load() < atDestruction + 10)
        std::this_thread::yield();
    stop.store(true);
    producer.join();
    EXPECT_FALSE(source->IsConnected());
}

TEST_F(WaterfallWithRows, PanDragsTheZoomedPictureWithTheMouse) {
    waterfall->GetHighlighting()->GetMouseHitPoint()->SetEnabled(false);
    const TKvAxisRange xs = waterfall->GetXAxisObject()->ScaleTickFull();
    const TKvAxisRange ys = waterfall->GetYAxisObject()->ScaleTickFull();
    // The middle half both ways, so that the pan reaches no end.
    waterfall->ZoomTo(xs.Min + xs.Width() / 4, xs.Max - xs.Width() / 4, ys.Min + ys.Width() / 4,
                      ys.Max - ys.Width() / 4, false);
    waterfall->SetHold(false); // the zoom held the picture
    Painted();
    const double xMin = waterfall->GetXMin();
    const double xWidth = waterfall->GetXMax() - xMin;
    const double yMin = waterfall->GetYMin();
    const double yWidth = waterfall->GetYMax() - yMin;
    const TRect r = DataRect();
    const QPoint a(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    const QPoint d(24, 10);
    double ax = 0;
    double ay = 0;
    ASSERT_TRUE(waterfall->GetAxisValueAt(a.x(), a.y(), ax, ay));

    // A second waterfall whose history axis is linked to this one's.
    TOwned<TKvWaterfall> linked = MakeOwned<TKvWaterfall>(nullptr);
    ASSERT_TRUE(
        waterfall->GetXAxisObject()->GetZoomPin()->Connect(linked->GetXAxisObject()->GetZoomPin()));

    std::vector<TKvZoomOperation> ops;
    waterfall->OnZoomChanged = [&](TPersistent*, TKvZoomOperation AOperation,
                                   const TKvRealRanges&) { ops.push_back(AOperation); };
    waterfall->SetNavigateMode(nmPan);
    QWidget* w = waterfall->Widget();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(w, a + QPoint(10, 3));
    QTest::mouseMove(w, a + d);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, a + d);

    // The picture follows the mouse: 24 pixels to the right show older rows,
    // 10 pixels down higher values; the zoom width stays.
    const double tolerance = 1e-9;
    EXPECT_NEAR(waterfall->GetXMin(), xMin - xWidth * d.x() / r.Width(), tolerance * xs.Width());
    EXPECT_NEAR(waterfall->GetXMax() - waterfall->GetXMin(), xWidth, tolerance * xs.Width());
    EXPECT_NEAR(waterfall->GetYMin(), yMin + yWidth * d.y() / r.Height(), tolerance * ys.Width());
    EXPECT_NEAR(waterfall->GetYMax() - waterfall->GetYMin(), yWidth, tolerance * ys.Width());
    // What lay under the press lies under the release, to a pixel.
    double bx = 0;
    double by = 0;
    ASSERT_TRUE(waterfall->GetAxisValueAt(a.x() + d.x(), a.y() + d.y(), bx, by));
    EXPECT_NEAR(bx, ax, xWidth / r.Width());
    EXPECT_NEAR(by, ay, yWidth / r.Height());
    EXPECT_EQ(ops, std::vector<TKvZoomOperation>{zoMousePan});
    EXPECT_FALSE(waterfall->GetHold()); // HoldOnPan is off by default
    // The linked axis went along with the pan.
    EXPECT_DOUBLE_EQ(linked->GetXAxisObject()->GetZoomMin(),
                     waterfall->GetXAxisObject()->GetZoomMin());
    EXPECT_DOUBLE_EQ(linked->GetXAxisObject()->GetZoomMax(),
                     waterfall->GetXAxisObject()->GetZoomMax());

    // One undo step takes the window back to where the pan began.
    waterfall->UndoZoom();
    EXPECT_DOUBLE_EQ(waterfall->GetXMin(), xMin);
    EXPECT_DOUBLE_EQ(waterfall->GetYMin(), yMin);

    // Unzoomed there is nothing to pan.
    waterfall->ZoomOff();
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, a);
    QTest::mouseMove(w, a + d);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, a + d);
    EXPECT_FALSE(waterfall->GetXAxisObject()->GetZoomed());
    EXPECT_FALSE(waterfall->GetYAxisObject()->GetZoomed());
}

// Printing draws the level axis's ticks, so a user's label handler runs in
// the middle of a print: there it closes the window or frees the control.
class WaterfallPrinting : public WaterfallWithRows {
protected:
    void SetUp() override {
        WaterfallWithRows::SetUp();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("out.pdf"));
    }

    void WhilePrinting(std::function<void()> AAction) {
        waterfall->GetLevels()->GetAxis()->SetOnCustomLabel(
            [this, AAction](TPersistent*, double, QString&) {
                if (!acted && waterfall && waterfall->Printing()) {
                    acted = true;
                    AAction();
                }
            });
    }

    qint64 PrintedBytes() const { return QFileInfo(dir.filePath("out.pdf")).size(); }

    QTemporaryDir dir;
    QPrinter printer{QPrinter::HighResolution};
    bool acted = false;
};

TEST_F(WaterfallPrinting, WindowClosedWhilePrintingTheControlFinishesThePage) {
    WhilePrinting([this] { host.reset(); });
    waterfall->Print(printer);
    EXPECT_TRUE(acted);
    EXPECT_GT(PrintedBytes(), 0);
    EXPECT_FALSE(waterfall->GetHold());
    // Without its widget the control still renders and takes rows.
    AddRow(*waterfall, 500);
    waterfall->RefreshView();
    QTemporaryDir files;
    waterfall->SaveToBitmap(files.filePath("w.bmp"));
    EXPECT_EQ(QImage(files.filePath("w.bmp")).size(), QSize(450, 280));
}

TEST_F(WaterfallPrinting, FreedWhilePrintingGoesOnceThePageIsDone) {
    // Rows come from a producer until the handler stops it and frees the
    // control, as a user must do in that order.
    std::atomic<bool> stop{false};
    std::thread producer([&] {
        const std::vector<double> row(4, 300.0);
        while (!stop.load())
            AddRow(*waterfall, row[0]);
    });
    WhilePrinting([&] {
        stop.store(true);
        producer.join();
        waterfall.reset();
    });
    TKvWaterfall* printing = waterfall.get();
    EXPECT_NO_THROW(printing->Print(printer));
    if (producer.joinable()) { // the handler never ran
        stop.store(true);
        producer.join();
    }
    EXPECT_TRUE(acted);
    EXPECT_FALSE(waterfall);
    EXPECT_GT(PrintedBytes(), 0);
    // Whatever was posted for the control finds it gone.
    QCoreApplication::processEvents();
}

// The demo's waterfall as its form stores it: the control's block of the
// demo's stored form, taken out of the form and moved to the left margin.
QString DemoForm() {
    QFile file(QStringLiteral(KV_DEMO_FORM));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read the demo's form");
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    QStringList block;
    qsizetype indent = -1;
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(QStringLiteral("object KvWaterfall1: TKvWaterfall"));
        if (indent < 0 && at >= 0)
            indent = at;
        if (indent < 0)
            continue;
        block << line.mid(indent);
        if (line.trimmed() == QStringLiteral("end") && line.indexOf(QLatin1Char('e')) == indent)
            return block.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    throw std::runtime_error("the demo's form holds no waterfall");
}

void ExpectDemoValues(TKvWaterfall& W) {
    EXPECT_EQ(W.Width(), 586);
    EXPECT_EQ(W.Height(), 350);
    TKvDisplayTitle* title = W.GetTitle();
    EXPECT_EQ(title->GetViewAlign(), vaTop);
    EXPECT_EQ(title->GetText(), "Waterfall");
    EXPECT_EQ(title->GetFont()->Height(), -21);
    EXPECT_EQ(title->GetFont()->Name(), "Arial");
    EXPECT_EQ(title->GetFont()->Style(), TFont::TFontStyles(TFont::fsBold));
    for (TKvDisplayAxis* axis : {static_cast<TKvDisplayAxis*>(W.GetXAxisObject()),
                                 static_cast<TKvDisplayAxis*>(W.GetYAxisObject())}) {
        EXPECT_EQ(axis->GetMinorTicks()->GetCount(), 0);
        EXPECT_EQ(axis->GetMajorTicks()->GetStep(), 10.0);
        EXPECT_EQ(axis->GetFormat()->GetPrecisionMode(), dpmGeneral);
        EXPECT_EQ(axis->GetFont()->Height(), -11);
        EXPECT_EQ(axis->GetMax()->GetMode(), mamValue);
        EXPECT_EQ(axis->GetZooming()->GetRange()->GetHigh()->GetValue(), 100000000.0);
        EXPECT_FALSE(axis->GetZooming()->GetRange()->GetHigh()->GetEnabled());
        EXPECT_EQ(axis->GetZooming()->GetRange()->GetLow()->GetValue(), 1e-07);
        EXPECT_TRUE(axis->GetZooming()->GetRange()->GetLow()->GetEnabled());
        EXPECT_EQ(axis->GetAxisLabel()->GetFont()->Height(), -13);
        EXPECT_EQ(axis->GetMin()->GetRange()->GetLow()->GetValue(), -1000.0);
        EXPECT_FALSE(axis->GetMin()->GetRange()->GetLow()->GetEnabled());
    }
    TKvWaterfallXAxis* x = W.GetXAxisObject();
    EXPECT_EQ(x->GetViewAlign(), vaBottom);
    EXPECT_EQ(x->GetFormat()->GetPrecision(), 0);
    EXPECT_EQ(x->GetMin()->GetValue(), 0.0);
    EXPECT_EQ(x->GetMax()->GetValue(), 1024.0);
    EXPECT_EQ(x->GetMax()->GetDataValue(), 1024.0);
    EXPECT_EQ(x->GetSamples(), 256);
    TKvWaterfallYAxis* y = W.GetYAxisObject();
    EXPECT_EQ(y->GetViewAlign(), vaLeft);
    EXPECT_EQ(y->GetFormat()->GetPrecision(), 3);
    EXPECT_EQ(y->GetMin()->GetValue(), -1000.0);
    EXPECT_EQ(y->GetMin()->GetDataValue(), -1000.0);
    EXPECT_EQ(y->GetMax()->GetValue(), 1000.0);
    EXPECT_EQ(y->GetTicksMode(), atmAuto);
    EXPECT_EQ(W.GetLegend()->GetViewAlign(), vaRight);
    EXPECT_EQ(W.GetLegend()->GetMarkerGroups()->GetCaption()->GetFont()->Height(), -13);
    TKvDisplayFont* hitFont = W.GetHighlighting()->GetMouseHitPoint()->GetPointLabel()->GetFont();
    EXPECT_EQ(hitFont->Height(), -11);
    EXPECT_EQ(hitFont->Name(), "Arial");
    EXPECT_EQ(hitFont->Style(), TFont::TFontStyles());
    TKvWaterfallDisplayLevelView* levels = W.GetLevels();
    EXPECT_EQ(levels->GetViewAlign(), vaRight);
    EXPECT_EQ(levels->GetColors()->Count(), 0);
    EXPECT_FALSE(levels->GetAxis()->GetFixedPrecision());
    EXPECT_EQ(levels->GetAxis()->GetMin(), 0.0);
    EXPECT_EQ(levels->GetAxis()->GetMax(), 1000.0);
    EXPECT_EQ(levels->GetLevelLabel()->GetText(), "Levels");
    EXPECT_EQ(levels->GetLevelLabel()->GetFont()->Style(), TFont::TFontStyles(TFont::fsBold));
}

TEST(WaterfallStoredFormTest, TheDemoFormLoadsAndAWrittenFormReadsBackTheSame) {
    auto loaded = MakeOwned<TKvWaterfall>(nullptr);
    ReadComponentFromText(DemoForm(), loaded.get());
    {
        SCOPED_TRACE("loaded");
        ExpectDemoValues(*loaded);
    }
    // The history follows the stored depth.
    EXPECT_EQ(loaded->ImageRows().GetSamples(), 256u);
    const QString written = ComponentToText(loaded.get());
    auto copy = MakeOwned<TKvWaterfall>(nullptr);
    ReadComponentFromText(written, copy.get());
    SCOPED_TRACE("written and read");
    ExpectDemoValues(*copy);
    EXPECT_EQ(ComponentToText(copy.get()), written);
}

TEST(WaterfallStoredFormTest, TheDemosLevelsAutoscaleOverTheStoredRange) {
    // The form stores Min 0 and Max 1000 but not Autoscale, which stays on:
    // once rows arrive, image and bar span the history's own range.
    auto loaded = MakeOwned<TKvWaterfall>(nullptr);
    ReadComponentFromText(DemoForm(), loaded.get());
    EXPECT_TRUE(loaded->GetLevels()->GetAxis()->GetAutoscale());
    EXPECT_EQ(loaded->ImageLevelMin(), 0.0);
    EXPECT_EQ(loaded->ImageLevelMax(), 1000.0);
    const std::vector<double> row = {12.5, 950, 300};
    loaded->Data().AddData(row.data(), uint32_t(row.size()));
    loaded->ImageRows().ProcessInputBuffers();
    EXPECT_EQ(loaded->ImageLevelMin(), 12.5);
    EXPECT_EQ(loaded->ImageLevelMax(), 950.0);
    const TKvLevelRange range = loaded->GetLevels()->LevelRange();
    EXPECT_EQ(range.Reduce(950).AValue, range.Reduce(950).MaxValue);
    EXPECT_EQ(range.Reduce(12.5).AValue, 0.0);
    // Switched off, the stored range holds.
    loaded->GetLevels()->GetAxis()->SetAutoscale(false);
    EXPECT_EQ(loaded->ImageLevelMin(), 0.0);
    EXPECT_EQ(loaded->ImageLevelMax(), 1000.0);
}

} // namespace
