// Layout of the views, the paint step (render once, then blit) and the
// refresh requests with the refresh timer.

#include "DisplayFixture.h"

#include <QVBoxLayout>

namespace {

using DisplayPaintTest = DisplayFixture;

TEST_F(DisplayPaintTest, LayoutPlacesEdgeViewsInOrderAndKeepsTheDataViewInsideTheMargins) {
    TTestView* left = display->AddView("left", vaLeft, 50, clLime);
    left->MarginA = 8;
    left->MarginB = 6;
    TTestView* bottom = display->AddView("bottom", vaBottom, 30, clBlue);
    TTestView* data = display->AddView("data", KvDataViewAlign, 0, clBlack);
    display->Layout();
    EXPECT_EQ(left->Placed(), Rect(0, 0, 50, 280));
    EXPECT_EQ(bottom->Placed(), Rect(50, 250, 450, 280));
    EXPECT_EQ(data->Placed(), Rect(50, 8, 450, 250));
    EXPECT_EQ(data->Width(), 399);
    EXPECT_EQ(data->Height(), 241);

    // A title placed first is outermost and pushes the data view down.
    auto titled = MakeOwned<TTestDisplay>(nullptr);
    titled->AddStandardViews();
    TTestView* title = static_cast<TTestView*>(titled->Views()[0]);
    TTestView* hidden = titled->AddView("hidden", vaLeft, 70, clWhite);
    hidden->Forced = false;
    titled->Views().Remove(hidden);
    titled->Views().AddAfter(title, hidden);
    titled->Layout();
    EXPECT_EQ(title->Placed(), Rect(0, 0, 450, 40));
    // Not forced: it keeps the whole remaining rectangle and takes no room.
    EXPECT_EQ(hidden->Placed(), Rect(0, 40, 450, 280));
    EXPECT_EQ(titled->GetDataView()->DrawRect(), Rect(50, 40, 450, 250));
}

TEST_F(DisplayPaintTest, ViewListMovesViewsInTheLayoutOrder) {
    TTestView* a = display->AddView("a", vaTop, 10, clRed);
    TTestView* b = display->AddView("b", vaTop, 20, clRed);
    TTestView* c = display->AddView("c", vaTop, 30, clRed);
    TKvDisplayViews& views = display->Views();
    views.Reassign(a);
    EXPECT_EQ(views.IndexOf(a), 2);
    display->Layout();
    EXPECT_EQ(a->Placed(), Rect(0, 50, 450, 60));
    views.Remove(c);
    views.AddBefore(b, c);
    EXPECT_EQ(views[0], c);
    views.Remove(c);
    views.AddAfter(b, c);
    EXPECT_EQ(views[1], c);
    EXPECT_THROW(views.Items(3), EListError);
}

TEST_F(DisplayPaintTest, PaintShowsTheRenderedPictureAndOrdinaryPaintsOnlyCopyIt) {
    display->AddStandardViews();
    Show();
    const QImage first = Painted();
    for (int y = 0; y < 280; ++y)
        for (int x = 0; x < 450; ++x)
            ASSERT_EQ(Rgb(first, x, y), Expected(x, y)) << x << "," << y;
    const int renders = display->Renders;
    EXPECT_GE(renders, 1);
    EXPECT_FALSE(display->RefreshPending());

    Painted();
    EXPECT_EQ(display->Renders, renders);

    display->InvalidateRefresh();
    Painted();
    EXPECT_EQ(display->Renders, renders + 1);
}

TEST_F(DisplayPaintTest, ColourChangesRenderAgainWhicheverWayTheyCome) {
    display->AddView("left", vaLeft, 50, clLime)->MarginA = 8;
    display->AddView("data", KvDataViewAlign, 0, clBlack);
    Show();
    // Above the data view's top margin the background shows.
    EXPECT_EQ(Rgb(Painted(), 100, 3), 0x000000u);
    display->SetColor(clWhite);
    EXPECT_EQ(Rgb(Painted(), 100, 3), 0xFFFFFFu);
    display->setProperty("Color", QVariant::fromValue<TColor>(clRed));
    EXPECT_EQ(Rgb(Painted(), 100, 3), 0xFF0000u);
}

TEST_F(DisplayPaintTest, AQtLayoutResizingTheWidgetLaysTheViewsOutAgain) {
    display->AddStandardViews();
    auto* layout = new QVBoxLayout(host.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(display->Widget());
    host->resize(300, 200);
    Show();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return display->Width() == 300 && display->Height() == 200; }));
    const QImage image = Painted();
    EXPECT_EQ(display->GetDataView()->DrawRect(), Rect(50, 40, 300, 170));
    EXPECT_EQ(Rgb(image, 299, 100), TestPatternPixel(299, 100) & 0xFFFFFF);
    EXPECT_EQ(Rgb(image, 150, 185), 0x0000FFu);
}

TEST_F(DisplayPaintTest, TinyControlsLayOutAndPaint) {
    display->AddStandardViews();
    Show();
    display->SetBounds(0, 0, 1, 1);
    EXPECT_EQ(Rgb(Painted(), 0, 0), 0xFF0000u);

    display->SetBounds(0, 0, 0, 0);
    display->Widget()->repaint();
    QImage target(4, 4, QImage::Format_RGB32);
    QPainter painter(&target);
    TCanvas canvas;
    canvas.Attach(&painter);
    EXPECT_NO_THROW(display->PaintWindow(canvas, display->ClientRect(), QRegion()));
    canvas.Detach();
    EXPECT_FALSE(display->NeedsRecalc());
    EXPECT_EQ(display->GetDataView()->DrawRect(), TRect{});
}

TEST_F(DisplayPaintTest, RefreshTimerRendersWhenDataArrivesOrARefreshWasPosted) {
    display->AddStandardViews();
    display->SetRefreshInterval(1);
    EXPECT_EQ(display->GetRefreshInterval(), 1u);
    Show();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return display->Renders >= 1 && !display->RefreshPending(); }));
    int renders = display->Renders;

    // Ticks without news only ask.
    const int calls = display->UpdateDataCalls;
    ASSERT_TRUE(QTest::qWaitFor([&] { return display->UpdateDataCalls >= calls + 3; }));
    EXPECT_EQ(display->Renders, renders);

    display->NewData = true;
    ASSERT_TRUE(QTest::qWaitFor([&] { return display->Renders > renders; }));
    renders = display->Renders;

    // A posted refresh waits for the tick instead of asking for a paint.
    display->PostRefresh();
    EXPECT_TRUE(display->RefreshPending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return display->Renders > renders; }));
    EXPECT_FALSE(display->RefreshPending());
}

} // namespace
