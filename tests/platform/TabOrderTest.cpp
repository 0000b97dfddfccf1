// A control's place in its parent's Tab sequence, kept by the stored form
// and followed by Qt's focus chain.
#include "platform/ClassRegistry.h"
#include "platform/Forms.h"
#include "platform/StoredForm.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<TControl*> TabSequence(TControl* AParent) {
    std::vector<TControl*> controls(static_cast<size_t>(AParent->ControlCount()));
    for (int32_t i = 0; i < AParent->ControlCount(); ++i) {
        TControl* c = AParent->Controls(i);
        controls[static_cast<size_t>(c->TabOrder())] = c;
    }
    return controls;
}

// AControls as Qt's focus chain (a ring) meets them, from AControls[0] on.
std::vector<TControl*> FocusChainOrder(const std::vector<TControl*>& AControls) {
    std::vector<TControl*> order;
    QWidget* start = AControls[0]->Widget();
    QWidget* w = start;
    do {
        for (TControl* c : AControls)
            if (c->Widget() == w)
                order.push_back(c);
        w = w->nextInFocusChain();
    } while (w != start);
    return order;
}

} // namespace

TEST(TabOrderTest, PlacesMoveTheOthersAndQtsFocusChainFollows) {
    TOwned<TForm> form = MakeOwned<TForm>(nullptr);
    auto* a = new TControl(form.get());
    auto* b = new TControl(form.get());
    auto* c = new TControl(form.get());
    EXPECT_EQ(c->TabOrder(), -1);
    for (TControl* x : {a, b, c}) {
        x->SetParent(form.get());
        x->SetTabStop(true);
    }
    EXPECT_EQ(TabSequence(form.get()), (std::vector<TControl*>{a, b, c}));

    c->SetTabOrder(0);
    EXPECT_EQ(TabSequence(form.get()), (std::vector<TControl*>{c, a, b}));
    a->SetTabOrder(99); // past the end: last
    EXPECT_EQ(TabSequence(form.get()), (std::vector<TControl*>{c, b, a}));
    EXPECT_EQ(FocusChainOrder({c, a, b}), (std::vector<TControl*>{c, b, a}));

    // leaving the parent closes the gap
    b->SetParent(nullptr);
    EXPECT_EQ(b->TabOrder(), -1);
    EXPECT_EQ(TabSequence(form.get()), (std::vector<TControl*>{c, a}));
}

TEST(TabOrderTest, AStoredPlaceIsReadAndWritten) {
    RegisterClass<TControl>();
    const QString text = QStringLiteral("object Form1: TForm\n"
                                        "  object First: TControl\n"
                                        "  end\n"
                                        "  object Second: TControl\n"
                                        "    TabOrder = 0\n"
                                        "  end\n"
                                        "end\n");
    TOwned<TForm> form = MakeOwned<TForm>(nullptr);
    ReadComponentFromText(text, form.get());
    auto* first = qobject_cast<TControl*>(form->FindComponent(QStringLiteral("First")));
    auto* second = qobject_cast<TControl*>(form->FindComponent(QStringLiteral("Second")));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->TabOrder(), 0);
    EXPECT_EQ(first->TabOrder(), 1);
    const QString written = ComponentToText(form.get());
    EXPECT_TRUE(written.contains(QStringLiteral("TabOrder = 1"))) << written.toStdString();
}
