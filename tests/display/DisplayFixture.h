#pragma once
// A test display in a plain Qt window, the way a user's program holds it:
// the display's widget is a child of the window, 450 x 280 at (0, 0).

#include "TestDisplay.h"

#include <QImage>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

// A display of class TDisplay in a plain window, 450 x 280 at (0, 0).
template <class TDisplay> class TDisplayInWindow : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<QWidget>();
        host->resize(500, 320);
        display = MakeOwned<TDisplay>(nullptr);
        display->Widget()->setParent(host.get());
        display->SetBounds(0, 0, 450, 280);
        display->Widget()->show();
        // the views' pixels and hover without the toolbar over them
        display->GetToolBar()->SetVisible(false);
    }

    void TearDown() override {
        // either may go first; the display first takes its widget out of the window
        display.reset();
        host.reset();
    }

    void Show() {
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }

    // What the widget paints now, 0x00RRGGBB per pixel.
    QImage Painted() {
        return display->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    std::unique_ptr<QWidget> host;
    TOwned<TDisplay> display;
};

class DisplayFixture : public TDisplayInWindow<TTestDisplay> {
protected:
    static uint32_t Rgb(const QImage& AImage, int X, int Y) {
        return AImage.pixel(X, Y) & 0xFFFFFFu;
    }

    // The rule of the standard views: title red, left lime, bottom blue,
    // data view the pattern, in the 450 x 280 layout.
    static uint32_t Expected(int X, int Y) {
        if (Y < 40)
            return 0xFF0000;
        if (X < 50)
            return 0x00FF00;
        if (Y >= 250)
            return 0x0000FF;
        return TestPatternPixel(X, Y) & 0xFFFFFF;
    }
};
