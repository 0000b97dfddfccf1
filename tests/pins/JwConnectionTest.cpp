// Connections between source and sink pins: limits, re-sourcing, converters,
// display texts, send order and the self-dependency error.

#include <gtest/gtest.h>

#include "PinTestComponents.h"

using namespace PinTest;

namespace {

struct Pins : ::testing::Test {
    TOwned<TPinForm> Form = MakeOwned<TPinForm>(nullptr);
    TPinComponent* Comp1 = Named(new TPinComponent(Form.get()), "Comp1");
    TPinComponent* Comp2 = Named(new TPinComponent(Form.get()), "Comp2");
    TPinComponent* Comp3 = Named(new TPinComponent(Form.get()), "Comp3");
    TPinComponent* Comp4 = Named(new TPinComponent(Form.get()), "Comp4");

    Pins() { Form->SetName(QStringLiteral("Form1")); }

    static TPinComponent* Named(TPinComponent* AComponent, const char* AName) {
        AComponent->SetName(QString::fromLatin1(AName));
        return AComponent;
    }
    TJwSourcePin* Source() const { return Comp1->GetOutput(); }
};

TEST_F(Pins, MaxConnectionsReplacesTheFirstSinkButNotARelink) {
    Source()->SetMaxConnections(2);
    ASSERT_TRUE(Source()->Connect(Comp2->GetInput()));
    ASSERT_TRUE(Source()->Connect(Comp3->GetInput()));

    EXPECT_TRUE(Source()->Connect(Comp4->GetInput()));
    EXPECT_EQ(Source()->GetSinkCount(), 2);
    EXPECT_FALSE(Comp2->GetInput()->IsConnected());
    EXPECT_TRUE(Source()->IsConnectedTo(Comp3->GetInput()));
    EXPECT_TRUE(Source()->IsConnectedTo(Comp4->GetInput()));

    // Linking a sink that is already linked takes no room.
    EXPECT_TRUE(Source()->Connect(Comp3->GetInput()));
    EXPECT_EQ(Source()->GetSinkCount(), 2);
    EXPECT_EQ(Source()->GetSink(0), Comp3->GetInput());
    EXPECT_EQ(Source()->GetSink(1), Comp4->GetInput());
}

TEST_F(Pins, ASinkConnectedToAnotherSourceLeavesTheFirst) {
    auto* Sink = Comp3->GetInput();
    ASSERT_TRUE(Sink->Connect(Comp1->GetOutput()));
    ASSERT_TRUE(Sink->Connect(Comp2->GetOutput()));
    EXPECT_EQ(Comp1->GetOutput()->GetSinkCount(), 0);
    EXPECT_EQ(Comp2->GetOutput()->GetSinkCount(), 1);
    EXPECT_EQ(Sink->GetSourcePin(), Comp2->GetOutput());
    EXPECT_EQ(Sink->GetRealSourcePin(), Comp2->GetOutput());
}

TEST_F(Pins, ConnectToNoneDisconnectsTheSink) {
    auto* Sink = Comp2->GetInput();
    int Disconnects = 0;
    Sink->OnDisconnect = [&](TJwSinkPin*) { ++Disconnects; };
    ASSERT_TRUE(Source()->Connect(Sink));
    EXPECT_TRUE(Sink->Connect(nullptr));
    EXPECT_FALSE(Sink->IsConnected());
    EXPECT_EQ(Sink->GetSourcePin(), nullptr);
    EXPECT_EQ(Source()->GetSinkCount(), 0);
    EXPECT_EQ(Disconnects, 1);
    // Already disconnected: still true, nothing more happens.
    EXPECT_TRUE(Sink->Connect(nullptr));
    EXPECT_EQ(Disconnects, 1);
}

TEST_F(Pins, IncompatibleAndSelfConnectionsChangeNothing) {
    auto Other = MakeSource(Comp2, {TypeB});
    EXPECT_FALSE(Other->Connect(Comp3->GetInput()));
    EXPECT_FALSE(Comp3->GetInput()->IsConnected());
    EXPECT_FALSE(Source()->Connect(Source()));
    EXPECT_FALSE(Comp3->GetInput()->Connect(Comp3->GetInput()));
    // A source cannot take another source.
    EXPECT_FALSE(Source()->Connect(Comp2->GetOutput()));
    EXPECT_EQ(Source()->GetSinkCount(), 0);
}

TEST_F(Pins, NegotiationPrefersTheTypeAddedLast) {
    auto Source2 = MakeSource(Comp1, {TypeA, TypeB});
    auto Sink = MakeOwned<TRecordingSinkPin>(Comp2, std::vector<TGUID>{TypeB, TypeA});
    ASSERT_TRUE(Source2->Connect(Sink.get()));
    EXPECT_EQ(Sink->GetConnectedID(), TypeB);
    Source2->StreamType.SwapPosition(0, 1);
    ASSERT_TRUE(Sink->Connect(nullptr));
    ASSERT_TRUE(Sink->Connect(Source2.get()));
    EXPECT_EQ(Sink->GetConnectedID(), TypeA);
}

TEST_F(Pins, RegisteredConverterBridgesTypesAndIsFreedWithTheLastLink) {
    RegisterFormatConverter(TypeB, TypeC, &JwConverterClass<TTestConverter>);
    auto Source2 = MakeSource(Comp1, {TypeB});
    auto SinkC = MakeOwned<TRecordingSinkPin>(Comp2, std::vector<TGUID>{TypeC});
    auto SinkC2 = MakeOwned<TRecordingSinkPin>(Comp3, std::vector<TGUID>{TypeC});

    EXPECT_FALSE(Source2->CanConnectTo(SinkC.get(), false));
    EXPECT_TRUE(Source2->CanConnectTo(SinkC.get(), true));
    ASSERT_TRUE(Source2->Connect(SinkC.get()));
    ASSERT_TRUE(Source2->Connect(SinkC2.get()));
    EXPECT_TRUE(Source2->IsConnectedByConverterTo(SinkC.get()));
    EXPECT_EQ(Source2->GetConverterCount(), 1);
    EXPECT_EQ(SinkC->GetSourcePin(), Source2.get());
    EXPECT_EQ(SinkC->GetUpStreamID(), TypeB);
    EXPECT_EQ(SinkC->GetDownStreamID(), TypeC);

    SinkC->Received.clear();
    SinkC2->Received.clear();
    Source2->Notify(TJwNotifyOperationPtr(new TTestValueOperation(7)));
    // Both sinks share the converter, which gets the operation once.
    ASSERT_EQ(SinkC->Received.size(), 1u);
    ASSERT_EQ(SinkC2->Received.size(), 1u);
    EXPECT_EQ(ValueOf(SinkC->Received[0]), 1007);
    EXPECT_EQ(SinkC->Received[0].ID, TypeC);

    SinkC->Disconnect();
    EXPECT_EQ(Source2->GetConverterCount(), 1);
    SinkC2->Disconnect();
    EXPECT_EQ(Source2->GetConverterCount(), 0);
    EXPECT_EQ(Source2->GetSinkCount(), 0);
}

TEST_F(Pins, RegisteringAConverterPairTwiceKeepsOneEntryWithTheLaterClass) {
    const auto Count = GetFormatConverterEntries().size();
    RegisterFormatConverter(TypeC, TypeA, &JwConverterClass<TTestConverter>);
    auto Other = [](const TGUID& AIn, const TGUID& AOut) -> TJwFormatConverter* {
        return new TTestConverter(AIn, AOut);
    };
    RegisterFormatConverter(TypeC, TypeA, Other);
    EXPECT_EQ(GetFormatConverterEntries().size(), Count + 1);
    EXPECT_EQ(FindFormatConverter(TypeC, TypeA), Other);
    EXPECT_EQ(FindFormatConverter(TypeA, TypeC), nullptr);
}

TEST_F(Pins, DisplayTexts) {
    EXPECT_EQ(Source()->GetConnectionName(), QStringLiteral("(Disconnected)"));
    EXPECT_EQ(Comp2->GetInput()->GetConnectionName(), QStringLiteral("(Disconnected)"));
    ASSERT_TRUE(Source()->Connect(Comp2->GetInput()));
    EXPECT_EQ(Source()->GetConnectionName(), QStringLiteral("Form1.Comp2.Input"));
    EXPECT_EQ(Comp2->GetInput()->GetConnectionName(), QStringLiteral("Form1.Comp1.Output"));
    ASSERT_TRUE(Source()->Connect(Comp3->GetInput()));
    ASSERT_TRUE(Source()->Connect(Comp4->GetInput()));
    EXPECT_EQ(Source()->GetConnectionName(),
              QStringLiteral("( ") + QString::number(3) + QStringLiteral(" Links )"));
}

TEST_F(Pins, Names) {
    EXPECT_EQ(Source()->GetFullName(true), QStringLiteral("Form1.Comp1.Output"));
    EXPECT_EQ(Source()->GetFullName(false), QStringLiteral("Comp1.Output"));
    EXPECT_EQ(Source()->GetName(), QStringLiteral("Output"));
    EXPECT_EQ(Source()->GetRootName(), QStringLiteral("Form1"));
    EXPECT_EQ(Source()->GetOwnerName(), QStringLiteral("Comp1"));
    auto Orphan = MakeSource(nullptr, {TypeA});
    EXPECT_EQ(Orphan->GetFullName(true), QStringLiteral("(No owner)"));
}

TEST_F(Pins, PinListNamesItsPinsForDisplayAndForSaving) {
    struct TListOwner : TComponent {
        using TComponent::TComponent;
    };
    TJwPinList* List = nullptr;
    auto Owned = MakeOwned<TJwPinList>(Comp1);
    List = Owned.get();
    auto* Pin = MakeSource(Comp1, {TypeA}).release();
    List->Add(QStringLiteral("Left"), Pin);
    EXPECT_EQ(List->Count(), 1);
    EXPECT_EQ(List->Find(QStringLiteral("Left")), Pin);
    EXPECT_THROW(List->Add(QStringLiteral("Left"), Pin), EJwPinError);
    // Not published by the owner: the pin's own object name stands in.
    EXPECT_TRUE(Pin->GetFullIdentName(true).endsWith(QStringLiteral("._Pin0")));
    EXPECT_TRUE(Pin->GetFullName(true).endsWith(QStringLiteral(".Left")));
}

TEST_F(Pins, SendsGoInOrderAndTheLastReceiverGetsStateTwo) {
    auto* A = Comp2->GetInput();
    auto* B = Comp3->GetInput();
    auto* C = Comp4->GetInput();
    for (auto* Sink : {A, B, C})
        ASSERT_TRUE(Source()->Connect(Sink));
    // The first delivery after connecting asks for the current value.
    ASSERT_EQ(A->Received.size(), 1u);
    EXPECT_EQ(A->Received[0].State, JwStateRequest | JwStateLast);

    A->Answer = true;
    EXPECT_TRUE(Source()->Notify(TJwNotifyOperationPtr(new TTestValueOperation(1))));
    EXPECT_EQ(A->Received.back().State, 0u);
    EXPECT_EQ(C->Received.back().State, JwStateLast);
    // A answered with bit 0 set and moves to the end.
    EXPECT_EQ(Source()->GetSink(0), B);
    EXPECT_EQ(Source()->GetSink(1), C);
    EXPECT_EQ(Source()->GetSink(2), A);
    EXPECT_EQ(Source()->GetSinkEntry(2).ModificationLevel, 3);
}

TEST_F(Pins, NotifyAfterPinsStayBehindTheirPin) {
    auto* A = Comp2->GetInput();
    auto* B = Comp3->GetInput();
    auto* C = Comp4->GetInput();
    ASSERT_TRUE(Source()->Connect(A));
    ASSERT_TRUE(Source()->Connect(C));
    ASSERT_TRUE(B->ConnectAfter(Source(), A));
    EXPECT_TRUE(B->IsConnectedToAfter(Source(), A));
    // Placed behind A at once, before any send has sorted the list.
    EXPECT_EQ(Source()->GetSink(0), A);
    EXPECT_EQ(Source()->GetSink(1), B);
    EXPECT_EQ(Source()->GetSink(2), C);
    // B's first delivery went to B alone; the first send then reaches all
    // three in that order.
    ASSERT_EQ(B->Received.size(), 1u);
    EXPECT_EQ(B->Received[0].State, JwStateRequest | JwStateLast);
    std::vector<TJwBasicPin*> Order;
    for (auto* Sink : {A, B, C})
        Sink->OnReceive = [&Order, Sink](const TJwNotifyOperationPtr&) { Order.push_back(Sink); };
    Source()->Notify(TJwNotifyOperationPtr(new TJwNotifyOperation));
    EXPECT_EQ(Order, (std::vector<TJwBasicPin*>{A, B, C}));
    for (auto* Sink : {A, B, C})
        Sink->OnReceive = nullptr;
    A->Answer = true;
    Source()->Notify(TJwNotifyOperationPtr(new TJwNotifyOperation));
    // A moved to the end and B with it.
    EXPECT_EQ(Source()->GetSink(0), C);
    EXPECT_EQ(Source()->GetSink(1), A);
    EXPECT_EQ(Source()->GetSink(2), B);
}

TEST_F(Pins, SelfDependencyRaisesAndRestoresTheNestingCounter) {
    auto* Sink = Comp2->GetInput();
    ASSERT_TRUE(Source()->Connect(Sink));
    // The sink's owner forwards everything back into the source.
    Sink->OnReceive = [&](const TJwNotifyOperationPtr& AOperation) {
        Source()->Notify(AOperation);
    };
    try {
        Source()->Notify(TJwNotifyOperationPtr(new TJwNotifyOperation));
        FAIL() << "no error raised";
    } catch (const EJwPinError& E) {
        EXPECT_EQ(E.Message(),
                  QStringLiteral(
                      "The pin depends on itself. Please protect with functional dependency."));
    }
    EXPECT_EQ(Source()->GetInSending(), 0);
    // 201 sends got in before the 202nd was refused.
    EXPECT_EQ(Sink->Received.size(), 1u + 201u);
    Sink->OnReceive = nullptr;
    EXPECT_NO_THROW(Source()->Notify(TJwNotifyOperationPtr(new TJwNotifyOperation)));
}

TEST_F(Pins, DestroyingAPinUnlinksItEverywhere) {
    auto Sink = MakeOwned<TRecordingSinkPin>(Comp2);
    ASSERT_TRUE(Source()->Connect(Sink.get()));
    Sink.reset();
    EXPECT_EQ(Source()->GetSinkCount(), 0);
    auto Source2 = MakeSource(Comp3, {TypeA});
    ASSERT_TRUE(Comp4->GetInput()->Connect(Source2.get()));
    Source2.reset();
    EXPECT_FALSE(Comp4->GetInput()->IsConnected());
}

TEST_F(Pins, StateDispatcherJoinsPinsAndNamesTheLink) {
    ASSERT_TRUE(Comp2->GetInput()->ConnectByState(Comp3->GetInput()));
    EXPECT_TRUE(Comp2->GetInput()->IsConnectedByStateTo(Comp3->GetInput()));
    EXPECT_EQ(Comp2->GetInput()->GetConnectionName(), QStringLiteral("Form1.Comp3.Input"));
    ASSERT_TRUE(Comp4->GetInput()->ConnectByState(Comp3->GetInput()));
    EXPECT_EQ(Comp2->GetInput()->GetConnectionName(), QStringLiteral("Form1Link1"));
    Comp2->GetInput()->Disconnect();
    EXPECT_EQ(Comp2->GetInput()->GetConnectionName(), QStringLiteral("(Disconnected)"));
}

TEST(StreamTypeRegistry, NamesAndGuidText) {
    EXPECT_EQ(GetStreamTypeName(TGUID{}), QStringLiteral("NIL ID"));
    const TGUID Unknown = TGUID::Parse("{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}");
    EXPECT_EQ(GetStreamTypeName(Unknown), QStringLiteral("{0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9}"));
    RegisterStreamTypeName(TypeA, QStringLiteral("Test A"));
    EXPECT_EQ(GetStreamTypeName(TypeA), QStringLiteral("Test A"));
}

TEST(PinStreamType, AddReplacesRemoveKeepsOrder) {
    TJwPinStreamType Types;
    Types.AddType(TypeA);
    Types.AddType(TypeB);
    Types.AddType(TypeC);
    Types.AddType(
        TypeA, [](TJwPin*, const TGUID&, uint32_t, const TJwNotifyOperationPtr&) { return true; });
    ASSERT_EQ(Types.GetLength(), 3);
    EXPECT_TRUE(Types.GetSubmitFunc(0));
    Types.RemoveType(TypeB);
    EXPECT_EQ(Types.GetIDs(), (std::vector<TGUID>{TypeA, TypeC}));
    EXPECT_THROW(Types.SwapPosition(0, 2), EListError);
}

} // namespace
