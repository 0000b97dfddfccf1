#include "TestComponents.h"

#include "platform/Exceptions.h"
#include "platform/StoredForm.h"

#include <gtest/gtest.h>

namespace {

class EventBindingTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestClasses(); }
};

TEST_F(EventBindingTest, StoredEventsCallTheRootsMethodsAndAreWrittenBack) {
    const QString text = QStringLiteral("object F: TTestForm\n"
                                        "  Left = 0\n"
                                        "  Visible = False\n"
                                        "  Markers = <>\n"
                                        "  object C1: TTestChild\n"
                                        "    Value = 0\n"
                                        "    OnClick = ChildClicked\n"
                                        "  end\n"
                                        "  object C2: TTestChild\n"
                                        "    Value = 0\n"
                                        "    OnClick = Tick\n"
                                        "  end\n"
                                        "end\n");
    auto form = MakeOwned<TTestForm>(nullptr);
    ReadComponentFromText(text, form.get());
    auto* c1 = qobject_cast<TTestChild*>(form->FindComponent(QStringLiteral("C1")));
    auto* c2 = qobject_cast<TTestChild*>(form->FindComponent(QStringLiteral("C2")));
    ASSERT_TRUE(c1 && c2 && c1->OnClick && c2->OnClick);
    c1->OnClick(c1);
    c2->OnClick(c2);
    EXPECT_EQ(form->Clicks, std::vector<QObject*>{c1});
    EXPECT_EQ(form->Ticks, 1);
    const QString written = ComponentToText(form.get());
    EXPECT_TRUE(written.contains(QStringLiteral("    OnClick = ChildClicked\n")))
        << written.toStdString();
    EXPECT_TRUE(written.contains(QStringLiteral("    OnClick = Tick\n")));
    // No handler, nothing written.
    c1->OnClickName.clear();
    EXPECT_EQ(ComponentToText(form.get()).count(QStringLiteral("OnClick")), 1);
}

TEST_F(EventBindingTest, MethodsThatCannotHandleTheEventAreRefusedWithTheLine) {
    const char* bodies[][2] = {
        {"Nope", "Method Nope not found in TTestForm"},
        {"TakesText", "Method TakesText of TTestForm cannot handle an event of TTestChild"},
        {"FormOnly", "Method FormOnly of TTestForm cannot handle"},
        {"'Tick'", "Identifier expected"}};
    for (const auto& body : bodies) {
        const int liveBefore = TTestChild::Live;
        auto form = MakeOwned<TTestForm>(nullptr);
        const QString text =
            QStringLiteral(
                "object F: TTestForm\n  object C1: TTestChild\n    OnClick = %1\n  end\nend\n")
                .arg(QString::fromLatin1(body[0]));
        try {
            ReadComponentFromText(text, form.get());
            ADD_FAILURE() << "no error for " << body[0];
        } catch (const EReadError& e) {
            EXPECT_EQ(std::string(e.what()).rfind("Line 3: ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(body[1]), std::string::npos) << e.what();
        }
        EXPECT_EQ(TTestChild::Live, liveBefore);
    }
}

TEST_F(EventBindingTest, BoundHandlerOutlivingItsRootDoesNothing) {
    std::function<void(TTestChild*)> handler;
    {
        auto form = MakeOwned<TTestForm>(nullptr);
        const TBoundMethod bound =
            BindRootMethod(form.get(), QStringLiteral("Tick"), TTestChild::staticMetaObject);
        handler = [bound](TTestChild* ASender) { bound(ASender); };
        handler(nullptr);
        EXPECT_EQ(form->Ticks, 1);
    }
    handler(nullptr);
}

} // namespace
