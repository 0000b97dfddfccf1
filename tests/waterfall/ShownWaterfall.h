#pragma once
// A waterfall control of 450 x 280 shown in a plain Qt window of 500 x 320,
// as a program would hold it; the picture is read back as the widget paints.

#include "waterfall/KvWaterfall.h"

#include <QImage>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

class ShownWaterfallTest : public ::testing::Test {
protected:
    void SetUp() override {
        host = std::make_unique<QWidget>();
        host->resize(500, 320);
        waterfall = MakeOwned<TKvWaterfall>(nullptr);
        waterfall->Widget()->setParent(host.get());
        waterfall->SetBounds(0, 0, 450, 280);
        waterfall->Widget()->show();
        host->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(host.get()));
    }

    void TearDown() override {
        waterfall.reset();
        host.reset();
    }

    QImage Painted() {
        return waterfall->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    TRect DataRect() const { return waterfall->DataView()->DrawRect(); }

    std::unique_ptr<QWidget> host;
    TOwned<TKvWaterfall> waterfall;
};
