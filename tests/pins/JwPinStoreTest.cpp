// Pin links written with a stored form and read back, in either order of
// the linked components.

#include <gtest/gtest.h>

#include <cstdlib>

#include "PinTestComponents.h"
#include "platform/ClassRegistry.h"
#include "platform/StoredForm.h"

namespace {

struct PinStore : ::testing::Test {
    PinStore() {
        RegisterClass<TPinForm>();
        RegisterClass<TPinComponent>();
    }

    static TPinComponent* Add(TComponent* AForm, const char* AName) {
        auto* Component = new TPinComponent(AForm);
        Component->SetName(QString::fromLatin1(AName));
        return Component;
    }
    static TPinComponent* Find(TComponent* AForm, const char* AName) {
        return qobject_cast<TPinComponent*>(AForm->FindComponent(QString::fromLatin1(AName)));
    }
};

TEST_F(PinStore, LinkIsRestoredWhenTheSinkIsReadFirst) {
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("Form1"));
    // The sink's component comes first in the stored form.
    auto* Dst = Add(Form.get(), "Dst");
    auto* Src = Add(Form.get(), "Src");
    ASSERT_TRUE(Dst->GetInput()->Connect(Src->GetOutput()));
    const QString Text = ComponentToText(Form.get());
    ASSERT_LT(Text.indexOf(QStringLiteral("object Dst")),
              Text.indexOf(QStringLiteral("object Src")));
    EXPECT_TRUE(Text.contains(QStringLiteral("Input.SourcePin = Form1.Src.Output")));
    EXPECT_TRUE(Text.contains(QStringLiteral("Output.SinkPins = (Form1.Dst.Input)")));
    Form.reset();

    auto Read = CreateComponentFromText(Text);
    auto* ReadDst = Find(Read.get(), "Dst");
    auto* ReadSrc = Find(Read.get(), "Src");
    ASSERT_TRUE(ReadDst && ReadSrc);
    EXPECT_EQ(ReadDst->GetInput()->GetSourcePin(), ReadSrc->GetOutput());
    EXPECT_EQ(ReadSrc->GetOutput()->GetSinkCount(), 1);
    EXPECT_TRUE(TJwUnloadedPin::Pending().empty());
    // Data flow through the restored link.
    ReadDst->GetInput()->Received.clear();
    ReadSrc->GetOutput()->Notify(TJwNotifyOperationPtr(new TTestValueOperation(5)));
    ASSERT_EQ(ReadDst->GetInput()->Received.size(), 1u);
    EXPECT_EQ(ValueOf(ReadDst->GetInput()->Received[0]), 5);
}

TEST_F(PinStore, LinkIsRestoredWhenTheSourceIsReadFirstAndOnlyTheSinkStoresIt) {
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("Form1"));
    auto* Src = Add(Form.get(), "Src");
    auto* Dst = Add(Form.get(), "Dst");
    ASSERT_TRUE(Src->GetOutput()->Connect(Dst->GetInput()));
    QString Text = ComponentToText(Form.get());
    Form.reset();
    // An older form that kept the link on the sink's side only.
    Text.remove(QStringLiteral("Output.SinkPins = (Form1.Dst.Input)"));

    auto Read = CreateComponentFromText(Text);
    EXPECT_EQ(Find(Read.get(), "Dst")->GetInput()->GetSourcePin(),
              Find(Read.get(), "Src")->GetOutput());
}

TEST_F(PinStore, AFormReadUnderAnotherNameKeepsItsLinks) {
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("Form1"));
    auto* Dst = Add(Form.get(), "Dst");
    auto* Src = Add(Form.get(), "Src");
    ASSERT_TRUE(Dst->GetInput()->Connect(Src->GetOutput()));
    QString Text = ComponentToText(Form.get());
    Form.reset();
    Text.replace(QStringLiteral("object Form1:"), QStringLiteral("object Form2:"));

    auto Read = CreateComponentFromText(Text);
    ASSERT_EQ(Read->GetName(), QStringLiteral("Form2"));
    EXPECT_EQ(Find(Read.get(), "Dst")->GetInput()->GetSourcePin(),
              Find(Read.get(), "Src")->GetOutput());
    EXPECT_EQ(Find(Read.get(), "Dst")->GetInput()->GetConnectionName(),
              QStringLiteral("Form2.Src.Output"));
}

TEST_F(PinStore, ALinkToAPinThatNeverComesStaysWithAPlaceholder) {
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("Form1"));
    auto* Dst = Add(Form.get(), "Dst");
    EXPECT_TRUE(Dst->GetInput()->TryLinkTo(Form.get(), QStringLiteral("Form9.Gone.Output"),
                                           QStringLiteral("Form9"), QString()));
    EXPECT_EQ(Dst->GetInput()->GetConnectionName(), QStringLiteral("Form1.Gone.Output"));
    const auto Pending = TJwUnloadedPin::Pending();
    ASSERT_EQ(Pending.size(), 1u);
    EXPECT_EQ(Pending[0]->GetPinType(), ptSource);
    // A component that brings the pin resolves the placeholder.
    auto* Gone = Add(Form.get(), "Gone");
    Gone->GetOutput()->ResolveUnloadedPins();
    EXPECT_EQ(Dst->GetInput()->GetSourcePin(), Gone->GetOutput());
    EXPECT_TRUE(TJwUnloadedPin::Pending().empty());
    EXPECT_TRUE(
        Dst->GetInput()->TryLinkTo(Form.get(), QStringLiteral("nil"), QString(), QString()));
    EXPECT_FALSE(Dst->GetInput()->IsConnected());
}

TEST_F(PinStore, ASourceStoresTheLinksThatWaitForTheirSink) {
    QString Text;
    {
        auto Form = MakeOwned<TPinForm>(nullptr);
        Form->SetName(QStringLiteral("Form1"));
        auto* Src = Add(Form.get(), "Src");
        auto* Dst = Add(Form.get(), "Dst");
        ASSERT_TRUE(Src->GetOutput()->Connect(Dst->GetInput()));
        Text = ComponentToText(Form.get());
    }
    Text.replace(QStringLiteral("Output.SinkPins = (Form1.Dst.Input)"),
                 QStringLiteral("Output.SinkPins = (Form1.Later.Input)"));
    Text.remove(QStringLiteral("Input.SourcePin = Form1.Src.Output"));
    auto Read = CreateComponentFromText(Text);
    ASSERT_EQ(TJwUnloadedPin::Pending().size(), 1u);
    // Saved again before the sink came: the link is kept.
    EXPECT_TRUE(ComponentToText(Read.get())
                    .contains(QStringLiteral("Output.SinkPins = (Form1.Later.Input)")));
    // And it is made when the sink comes.
    auto* Later = Add(Read.get(), "Later");
    Later->GetInput()->ResolveUnloadedPins();
    EXPECT_EQ(Later->GetInput()->GetSourcePin(), Find(Read.get(), "Src")->GetOutput());
}

TEST_F(PinStore, PlaceholdersGoWithTheFormTheyWaitIn) {
    QString Text;
    {
        auto Form = MakeOwned<TPinForm>(nullptr);
        Form->SetName(QStringLiteral("Form1"));
        auto* Dst = Add(Form.get(), "Dst");
        auto* Src = Add(Form.get(), "Src");
        ASSERT_TRUE(Dst->GetInput()->Connect(Src->GetOutput()));
        Text = ComponentToText(Form.get());
    }
    // The stored source does not exist in the form that is read.
    Text.replace(QStringLiteral("Form1.Src.Output"), QStringLiteral("Form1.Missing.Output"));
    for (int I = 0; I < 20; ++I) {
        auto Read = CreateComponentFromText(Text);
        ASSERT_NE(Find(Read.get(), "Dst"), nullptr);
        EXPECT_LE(TJwUnloadedPin::Pending().size(), 1u);
    }
    EXPECT_TRUE(TJwUnloadedPin::Pending().empty());
}

TEST_F(PinStore, APlaceholderLeftAtExitIsFreedWithoutHarm) {
    // Placeholders still waiting at exit are freed after the thread's own
    // state is gone; a sanitizer reports any use of it.
    EXPECT_EXIT(
        {
            auto* Form = new TPinForm(nullptr);
            Form->SetName(QStringLiteral("Form1"));
            auto* Dst = Add(Form, "Dst");
            Dst->GetInput()->TryLinkTo(Form, QStringLiteral("Form1.Gone.Output"),
                                       QStringLiteral("Form1"), QString());
            const bool Waiting = TJwUnloadedPin::Pending().size() == 1;
            // Gone, but its placeholder is only freed when the list is next looked at: here, at
            // exit.
            TPersistent::Free(Form);
            std::exit(Waiting ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
