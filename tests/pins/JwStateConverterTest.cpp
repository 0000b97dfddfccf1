// Sinks joined to a shared state through a converter of the state
// dispatcher: negotiation, data flow, sharing, and the stored link.

#include <gtest/gtest.h>

#include "PinTestComponents.h"
#include "platform/ClassRegistry.h"
#include "platform/StoredForm.h"

using namespace PinTest;

namespace {

struct StateConverter : ::testing::Test {
    StateConverter() {
        RegisterFormatConverter(TypeB, TypeC, &JwConverterClass<TTestConverter>);
        RegisterClass<TPinForm>();
        RegisterClass<TStateComponent>();
        RegisterClass<TTypeCComponent>();
    }

    template <class T> static T* Add(TComponent* AForm, const char* AName) {
        auto* Component = new T(AForm);
        Component->SetName(QString::fromLatin1(AName));
        return Component;
    }
    template <class T> static T* Find(TComponent* AForm, const char* AName) {
        return qobject_cast<T*>(AForm->FindComponent(QString::fromLatin1(AName)));
    }
    static void Send(TJwPin* APin, int32_t AValue) {
        APin->Notify(TJwNotifyOperationPtr(new TTestValueOperation(AValue)));
    }
    // The values that arrived as TypeC, request deliveries left out.
    static std::vector<int32_t> Values(const TRecordingSinkPin* ASink) {
        std::vector<int32_t> Result;
        for (const auto& Received : ASink->Received)
            if (Received.ID == TypeC && ValueOf(Received) >= 0)
                Result.push_back(ValueOf(Received));
        return Result;
    }

    // A form where St's state (TypeB) reaches C1's sink (TypeC only), with
    // the sink's component first or last.
    static QString LinkedFormText(bool ASinkFirst) {
        auto Form = MakeOwned<TPinForm>(nullptr);
        Form->SetName(QStringLiteral("Form1"));
        TTypeCComponent* Sink = ASinkFirst ? Add<TTypeCComponent>(Form.get(), "C1") : nullptr;
        auto* St = Add<TStateComponent>(Form.get(), "St");
        if (!Sink)
            Sink = Add<TTypeCComponent>(Form.get(), "C1");
        EXPECT_TRUE(St->GetState()->Connect(Sink->GetInput()));
        return ComponentToText(Form.get());
    }
    static const QString& GoodValue() {
        static const QString Value =
            QStringLiteral("('Form1Link1' '{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E02}' "
                           "'{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E03}')");
        return Value;
    }
};

TEST_F(StateConverter, NegotiationTowardsAStatePinGoesThroughTheDispatchersConverters) {
    auto Source = MakeSource(nullptr, {TypeB});
    auto State = MakeOwned<TJwStatePin>(nullptr);
    State->StreamType.AddType(TypeC);
    auto Sink = MakeOwned<TRecordingSinkPin>(nullptr, std::vector<TGUID>{TypeC});
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Negotiation"), false);
    ASSERT_TRUE(Source->ConnectToState(Dispatcher.get()));

    // Registered converters bridge towards sinks only.
    EXPECT_TRUE(Source->FindStateConnectionType(State.get(), true, true).ID.IsNull());
    EXPECT_FALSE(Source->CanConnectTo(State.get(), true));
    const auto ToSink = Source->FindStateConnectionType(Sink.get(), false, true);
    EXPECT_EQ(ToSink.ID, TypeB);
    EXPECT_EQ(ToSink.ConverterOutputID, TypeC);
    EXPECT_EQ(ToSink.ConverterClass, FindFormatConverter(TypeB, TypeC));
    EXPECT_TRUE(Source->FindStateConnectionType(Sink.get(), false, false).ID.IsNull());

    auto* Converter = Dispatcher->AcquireConverter(FindFormatConverter(TypeB, TypeC), TypeB, TypeC);
    ASSERT_NE(Converter, nullptr);
    const auto Through = Source->FindStateConnectionType(State.get(), true, false);
    EXPECT_EQ(Through.ID, TypeB);
    EXPECT_EQ(Through.Converter, Converter);
    EXPECT_TRUE(Source->FindStateConnectionType(State.get(), false, false).ID.IsNull());
    EXPECT_TRUE(Source->CanConnectTo(State.get(), true));
    EXPECT_FALSE(Source->CanConnectTo(State.get(), false));

    // One converter per pair, freed with its last user.
    EXPECT_EQ(Dispatcher->AcquireConverter(nullptr, TypeB, TypeC), Converter);
    EXPECT_EQ(Dispatcher->AcquireConverter(nullptr, TypeC, TypeB), nullptr);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 1);
    Dispatcher->ReleaseConverter(Converter);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 1);
    Dispatcher->ReleaseConverter(Converter);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 0);
    Source->Disconnect();
}

TEST_F(StateConverter, SinksOfAnotherTypeShareOneConverterThatGoesWithTheLastOfThem) {
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("Form1"));
    auto* State = Add<TStateComponent>(Form.get(), "St")->GetState();
    auto* Sink1 = Add<TTypeCComponent>(Form.get(), "C1")->GetInput();
    auto* Sink2 = Add<TTypeCComponent>(Form.get(), "C2")->GetInput();

    EXPECT_FALSE(State->CanConnectTo(Sink1, false));
    ASSERT_TRUE(State->Connect(Sink1));
    ASSERT_TRUE(Sink2->Connect(State));
    const TIntfPtr<TJwStateDispatcher> Dispatcher(State->GetDispatcher());
    ASSERT_TRUE(Dispatcher);
    EXPECT_EQ(Sink1->GetDispatcher(), Dispatcher.get());
    EXPECT_EQ(Dispatcher->GetPinCount(), 3);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 1);
    ASSERT_NE(Sink1->GetStateConverter(), nullptr);
    EXPECT_EQ(Sink1->GetStateConverter(), Sink2->GetStateConverter());
    EXPECT_TRUE(Sink1->IsConnectedByStateTo(State));
    EXPECT_EQ(Sink1->GetConnectedPinCount(), 2);
    EXPECT_EQ(Sink1->GetConnectionName(), QStringLiteral("Form1Link1"));

    Sink1->Received.clear();
    Sink2->Received.clear();
    Send(State, 5);
    // The converter gets the operation once and feeds both.
    EXPECT_EQ(Values(Sink1), std::vector<int32_t>{1005});
    EXPECT_EQ(Values(Sink2), std::vector<int32_t>{1005});

    Sink1->Disconnect();
    EXPECT_FALSE(Sink1->IsConnected());
    EXPECT_EQ(Sink1->GetStateConverter(), nullptr);
    EXPECT_EQ(Dispatcher->GetPinCount(), 2);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 1);
    EXPECT_EQ(Sink2->GetConnectionName(), QStringLiteral("Form1.St.State"));
    Sink1->Received.clear();
    Sink2->Received.clear();
    Send(State, 6);
    EXPECT_TRUE(Values(Sink1).empty());
    EXPECT_EQ(Values(Sink2), std::vector<int32_t>{1006});

    // Leaving the converter's output leaves the state as well.
    ASSERT_TRUE(Sink2->Connect(nullptr));
    EXPECT_FALSE(Sink2->IsStateConnected());
    EXPECT_EQ(Dispatcher->GetPinCount(), 1);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 0);
}

TEST_F(StateConverter, ASourceMemberReachesASinkJoinedThroughAConverter) {
    auto Source = MakeSource(nullptr, {TypeB});
    auto Sink = MakeOwned<TRecordingSinkPin>(nullptr, std::vector<TGUID>{TypeC});
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("FromSource"), false);
    ASSERT_TRUE(Source->ConnectToState(Dispatcher.get()));
    EXPECT_FALSE(Sink->JoinStateThroughConverter(Dispatcher.get(), nullptr, TypeB, TypeC, nullptr));
    EXPECT_FALSE(Sink->JoinStateThroughConverter(
        Dispatcher.get(), FindFormatConverter(TypeB, TypeC), TypeB, TypeA, nullptr));
    EXPECT_EQ(Dispatcher->GetConverterCount(), 0);
    ASSERT_TRUE(Sink->JoinStateThroughConverter(Dispatcher.get(), FindFormatConverter(TypeB, TypeC),
                                                TypeB, TypeC, nullptr));
    Sink->Received.clear();
    Send(Source.get(), 9);
    EXPECT_EQ(Values(Sink.get()), std::vector<int32_t>{1009});
    // Freed with the sink: its converter goes too.
    Sink.reset();
    EXPECT_EQ(Dispatcher->GetPinCount(), 1);
    EXPECT_EQ(Dispatcher->GetConverterCount(), 0);
}

TEST_F(StateConverter, TheLinkIsStoredAndRestoredInEitherOrder) {
    for (const bool SinkFirst : {true, false}) {
        SCOPED_TRACE(SinkFirst ? "sink first" : "state first");
        const QString Text = LinkedFormText(SinkFirst);
        EXPECT_TRUE(Text.contains(QStringLiteral("Input.StateConverter = ") + GoodValue()))
            << qPrintable(Text);
        // The converter's output is no source of the form.
        EXPECT_FALSE(Text.contains(QStringLiteral("Input.SourcePin")));
        EXPECT_FALSE(Text.contains(QStringLiteral("Input.State =")));
        EXPECT_TRUE(Text.contains(QStringLiteral("State.State = 'Form1Link1'")));
        ASSERT_FALSE(TJwStateDispatcher::GetByName(QStringLiteral("Form1Link1"), false));

        auto Read = CreateComponentFromText(Text);
        auto* State = Find<TStateComponent>(Read.get(), "St")->GetState();
        auto* Sink = Find<TTypeCComponent>(Read.get(), "C1")->GetInput();
        const auto Dispatcher = TJwStateDispatcher::GetByName(QStringLiteral("Form1Link1"), false);
        ASSERT_TRUE(Dispatcher);
        EXPECT_EQ(State->GetDispatcher(), Dispatcher.get());
        EXPECT_EQ(Sink->GetDispatcher(), Dispatcher.get());
        ASSERT_NE(Sink->GetStateConverter(), nullptr);
        EXPECT_EQ(Sink->GetStateConverter()->GetInputID(), TypeB);
        EXPECT_EQ(Dispatcher->GetConverterCount(), 1);
        EXPECT_TRUE(TJwUnloadedPin::Pending().empty());
        Sink->Received.clear();
        Send(State, 7);
        EXPECT_EQ(Values(Sink), std::vector<int32_t>{1007});
        // Written again, the form says the same.
        EXPECT_EQ(ComponentToText(Read.get()), Text);
    }
}

TEST_F(StateConverter, BadStoredValuesAreRefusedByTheReader) {
    RegisterFormatConverter(TypeB, TypeA, &JwConverterClass<TTestConverter>);
    const QString Text = LinkedFormText(false);
    ASSERT_TRUE(Text.contains(GoodValue()));
    const QString Bad[] = {
        QStringLiteral("('Form1Link1' 'nonsense' '{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E03}')"),
        QStringLiteral("('Form1Link1' '{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E03}' "
                       "'{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E02}')"),
        QStringLiteral("('Form1Link1' '{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E02}' "
                       "'{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E01}')"),
        QStringLiteral("('Form1Link1' '{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E02}')"),
        QStringLiteral("('' '{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E02}' "
                       "'{5B0C1B0E-7C61-4B7E-9A0B-1F7A2D3C4E03}')"),
        QStringLiteral("(Form1Link1 1 2)"),
        QStringLiteral("'Form1Link1'"),
    };
    for (const auto& Value : Bad) {
        SCOPED_TRACE(qPrintable(Value));
        QString Changed = Text;
        Changed.replace(GoodValue(), Value);
        EXPECT_THROW(CreateComponentFromText(Changed), EReadError);
        EXPECT_FALSE(TJwStateDispatcher::GetByName(QStringLiteral("Form1Link1"), false));
        EXPECT_TRUE(TJwUnloadedPin::Pending().empty());
    }
    // Further entries saved with the name are passed over.
    QString Nested = Text;
    Nested.replace(QStringLiteral("('Form1Link1' '{"),
                   QStringLiteral("(('Form1Link1' 'Form2' 3) '{"));
    auto Read = CreateComponentFromText(Nested);
    EXPECT_NE(Find<TTypeCComponent>(Read.get(), "C1")->GetInput()->GetStateConverter(), nullptr);
}

} // namespace
