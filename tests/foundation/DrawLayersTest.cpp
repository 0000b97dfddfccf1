// Draw layers in a host: painting into the host, mouse input forwarded by
// the host, cached data per link, and the host's links to its layers.

#include "DrawLayersTestHost.h"

#include "platform/StoredForm.h"

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

class DrawLayersTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLayerTestClasses();
        form = MakeOwned<TTestLayerForm>(nullptr);
        form->SetBounds(30, 40, 300, 200);
        host = new TTestLayerHost(form.get());
        host->SetName(QStringLiteral("Host"));
        host->SetParent(form.get());
        host->SetBounds(10, 10, 200, 150);
        host->SetColor(clWhite);
        red = AddLayer(QStringLiteral("Red"), clRed, Bounds(10, 20, 50, 40));
        blue = AddLayer(QStringLiteral("Blue"), clBlue, Bounds(40, 30, 50, 40));
    }

    TTestLayer* AddLayer(const QString& AName, TColor AColor, const TRect& ABounds) {
        auto* layer = new TTestLayer(form.get());
        layer->SetName(AName);
        layer->SetColor(AColor);
        layer->SetBounds(ABounds.Left, ABounds.Top, ABounds.Width(), ABounds.Height());
        host->GetLayers()->Add(KvComponentItem(layer));
        return layer;
    }

    TOwned<TTestLayerForm> form;
    TTestLayerHost* host = nullptr;
    TTestLayer* red = nullptr;
    TTestLayer* blue = nullptr;
};

TEST_F(DrawLayersTest, TheHostDrawsItsLayersInListOrder) {
    form->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Widget()));
    red->calls.clear();
    const QImage image = host->Widget()->grab().toImage();
    ASSERT_EQ(image.size(), QSize(200, 150));
    const auto at = [&](int AX, int AY) { return image.pixelColor(AX, AY); };
    // Red covers x 10..59, y 20..59; blue x 40..89, y 30..69, drawn later.
    EXPECT_EQ(at(10, 20), ColorToQColor(clRed));
    EXPECT_EQ(at(39, 59), ColorToQColor(clRed));
    EXPECT_EQ(at(40, 30), ColorToQColor(clBlue));
    EXPECT_EQ(at(59, 59), ColorToQColor(clBlue));
    EXPECT_EQ(at(89, 69), ColorToQColor(clBlue));
    EXPECT_EQ(at(90, 69), ColorToQColor(clWhite));
    EXPECT_EQ(at(9, 20), ColorToQColor(clWhite));
    EXPECT_EQ(red->calls, (std::vector<QString>{"begin 200x150", "draw", "end"}));
    // The layers themselves stay off screen.
    EXPECT_FALSE(red->Showing());
}

TEST_F(DrawLayersTest, MouseInputReachesVisibleEnabledLayersInHostCoordinates) {
    red->calls.clear();
    blue->calls.clear();
    blue->SetEnabled(false);
    host->MouseDown(mbLeft, TShiftState(ssLeft), 15, 25);
    EXPECT_EQ(red->calls, std::vector<QString>{"down 15,25"});
    EXPECT_TRUE(blue->calls.empty());

    red->SetVisible(false);
    host->MouseDown(mbLeft, TShiftState(ssLeft), 16, 26);
    EXPECT_EQ(red->calls, std::vector<QString>{"down 15,25"});
}

TEST_F(DrawLayersTest, AWheelStepMustLieStrictlyInsideTheLayer) {
    // Red: Left 10, Top 20, Width 50, Height 40.
    EXPECT_FALSE(red->DoLayerMouseWheelDown(TShiftState(), 10, 30));
    EXPECT_FALSE(red->DoLayerMouseWheelDown(TShiftState(), 30, 20));
    EXPECT_FALSE(red->DoLayerMouseWheelDown(TShiftState(), 60, 30));
    EXPECT_FALSE(red->DoLayerMouseWheelDown(TShiftState(), 30, 60));
    EXPECT_TRUE(red->wheelPoints.empty());
    EXPECT_TRUE(red->DoLayerMouseWheelDown(TShiftState(), 11, 21));
    EXPECT_TRUE(red->DoLayerMouseWheelDown(TShiftState(), 59, 59));
    EXPECT_EQ(red->wheelPoints, (std::vector<TPoint>{Point(11, 21), Point(59, 59)}));

    // Through the host: a point inside red only.
    red->wheelPoints.clear();
    EXPECT_TRUE(host->DoMouseWheelDown(TShiftState(), host->ClientToScreen(Point(20, 25))));
    EXPECT_EQ(red->wheelPoints, std::vector<TPoint>{Point(20, 25)});
    EXPECT_TRUE(blue->wheelPoints.empty());
    red->SetEnabled(false);
    EXPECT_FALSE(red->DoLayerMouseWheelDown(TShiftState(), 20, 25));
}

TEST_F(DrawLayersTest, EnterAndLeaveAreForwardedWithoutPolling) {
    std::vector<std::string> events;
    red->OnMouseEnter = [&](TControl*) { events.push_back("enter"); };
    red->OnMouseLeave = [&](TControl*) { events.push_back("leave"); };
    host->MouseEnter();
    EXPECT_TRUE(red->MouseIsIn());
    host->MouseMove(TShiftState(), 12, 22);
    EXPECT_EQ(red->GetMouseCursorPos(), Point(12, 22));
    host->MouseLeave();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));

    blue->SetVisible(false);
    blue->DoLayerMouseEnter();
    EXPECT_FALSE(blue->MouseIsIn());
}

TEST_F(DrawLayersTest, CachedDataPerLink) {
    QObject linkA;
    QObject linkB;
    QPointer<QObject> first = new QObject;
    QPointer<QObject> second = new QObject;
    // Null for a link without an entry does nothing.
    red->SetChachedData(&linkA, nullptr);
    EXPECT_EQ(red->GetChachedData(&linkA), nullptr);

    red->SetChachedData(&linkA, first);
    red->SetChachedData(&linkB, second);
    EXPECT_EQ(red->GetChachedData(&linkA), first.data());
    EXPECT_EQ(red->GetChachedData(&linkB), second.data());
    // The same object again is kept, not freed.
    red->SetChachedData(&linkA, first);
    ASSERT_FALSE(first.isNull());

    QPointer<QObject> replacement = new QObject;
    red->SetChachedData(&linkA, replacement);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(red->GetChachedData(&linkA), replacement.data());

    red->SetChachedData(&linkB, nullptr);
    EXPECT_TRUE(second.isNull());
    EXPECT_EQ(red->GetChachedData(&linkB), nullptr);
    EXPECT_EQ(red->GetChachedData(&linkA), replacement.data());

    red->ClearCachedData();
    EXPECT_TRUE(replacement.isNull());
    EXPECT_EQ(red->GetChachedData(&linkA), nullptr);

    // Whatever is cached goes with the layer.
    QPointer<QObject> kept = new QObject;
    blue->SetChachedData(&linkA, kept);
    TPersistent::Free(blue);
    EXPECT_TRUE(kept.isNull());
}

TEST_F(DrawLayersTest, ALinkBindsLayersOfItsHostsListOnly) {
    THxLayerCollectionItem* link = host->AddLink(blue);
    ASSERT_EQ(link->GetLayer(), blue);
    EXPECT_EQ(link->GetLayerIndex(), 1);
    EXPECT_EQ(blue->LinkCount(), 1);
    EXPECT_EQ(link->GetDisplayName(), QStringLiteral("Blue"));

    // Its own host is refused, and so is a layer of another list.
    link->SetLayer(host);
    EXPECT_EQ(link->GetLayer(), blue);
    auto* stranger = new TTestLayer(form.get());
    link->SetLayer(stranger);
    EXPECT_EQ(link->GetLayer(), blue);

    link->SetLayer(red);
    EXPECT_EQ(link->GetLayerIndex(), 0);
    EXPECT_EQ(blue->LinkCount(), 0);
    EXPECT_EQ(red->LinkCount(), 1);

    // A component that is not a layer leaves the link unbound.
    link->SetLayer(form.get());
    EXPECT_EQ(link->GetLayer(), nullptr);
    EXPECT_EQ(link->GetLayerIndex(), -1);
    EXPECT_EQ(red->LinkCount(), 0);
    EXPECT_NE(link->GetDisplayName(), QStringLiteral("Red"));

    link->SetLayerIndex(1);
    EXPECT_EQ(link->GetLayer(), blue);
}

TEST_F(DrawLayersTest, AStoredIndexIsResolvedOnceTheLayerIsThere) {
    THxLayerCollectionItem* link = host->AddLink(nullptr);
    link->SetLayerIndex(2);
    EXPECT_EQ(link->GetLayerIndex(), 2);
    auto* green = AddLayer(QStringLiteral("Green"), clGreen, Bounds(0, 0, 5, 5));
    EXPECT_EQ(link->GetLayer(), green);
    EXPECT_EQ(green->LinkCount(), 1);
}

TEST_F(DrawLayersTest, FreeingALayerFreesItsLinksAndFreeingALinkUnbindsIt) {
    host->AddLink(red);
    host->AddLink(blue);
    host->AddLink(red);
    ASSERT_EQ(red->LinkCount(), 2);
    TPersistent::Free(red);
    ASSERT_EQ(host->GetLinks()->Count(), 1);
    EXPECT_EQ(static_cast<THxLayerCollectionItem*>(host->GetLinks()->Items(0))->GetLayer(), blue);
    EXPECT_EQ(host->GetLayers()->Count(), 1);

    host->GetLinks()->Delete(0);
    EXPECT_EQ(blue->LinkCount(), 0);
}

TEST_F(DrawLayersTest, LinksSurviveAStoredFormRoundTrip) {
    host->AddLink(blue);
    host->AddLink(red);
    const QString text = ComponentToText(form.get());
    EXPECT_TRUE(text.contains(QStringLiteral("LayerIndex = 1"))) << text.toStdString();

    auto copy = MakeOwned<TTestLayerForm>(nullptr);
    ReadComponentFromText(text, copy.get());
    auto* copyHost = qobject_cast<TTestLayerHost*>(copy->FindComponent(QStringLiteral("Host")));
    ASSERT_NE(copyHost, nullptr);
    ASSERT_EQ(copyHost->GetLinks()->Count(), 2);
    auto* link0 = static_cast<THxLayerCollectionItem*>(copyHost->GetLinks()->Items(0));
    auto* link1 = static_cast<THxLayerCollectionItem*>(copyHost->GetLinks()->Items(1));
    EXPECT_EQ(link0->GetLayer(), copy->FindComponent(QStringLiteral("Blue")));
    EXPECT_EQ(link1->GetLayer(), copy->FindComponent(QStringLiteral("Red")));
    EXPECT_EQ(link0->GetLayerIndex(), 1);
    EXPECT_EQ(link1->GetLayerIndex(), 0);
}

} // namespace
