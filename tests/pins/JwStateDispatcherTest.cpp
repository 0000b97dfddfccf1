#include "pins/JwStateDispatcher.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "platform/Exceptions.h"

namespace {

using TDispatcherPtr = TIntfPtr<TJwStateDispatcher>;

// A pin as small as the dispatcher needs: it records what it is told.
class TTestPin : public IJwDispatcherPin {
public:
    TTestPin(QString AName, TJwPinType AType, QString ARoot = QStringLiteral("Form1"))
        : FName(std::move(AName)), FType(AType), FRoot(std::move(ARoot)) {}
    virtual ~TTestPin() = default;

    TJwPinType GetPinType() const override { return FType; }
    QString GetRootName() const override { return FRoot; }
    QString GetFullName(bool AIncludeRootForm) const override {
        return AIncludeRootForm ? FRoot + QLatin1Char('.') + FName : FName;
    }
    void ReceiveStateUpdate(const TJwNotifyOperationPtr& AOperation,
                            IJwDispatcherPin* AOrigin) override {
        Updates.push_back({AOperation->GetOperationID(), AOrigin});
    }
    void DispatcherDropped(TJwStateDispatcher* ADispatcher) override {
        ++Dropped;
        if (Joined.get() == ADispatcher)
            Joined.reset();
    }
    TDispatcherPtr NewStateDispatcher(const QString& AName, bool ADesignTime) override {
        ++Made;
        return TDispatcherPtr(
            new TJwStateDispatcher(MakeName.isEmpty() ? AName : MakeName, ADesignTime));
    }

    struct TUpdate {
        uint32_t OperationID;
        IJwDispatcherPin* Origin;
    };
    std::vector<TUpdate> Updates;
    int Dropped = 0;
    int Made = 0;
    QString MakeName;
    TDispatcherPtr Joined;

private:
    QString FName;
    TJwPinType FType;
    QString FRoot;
};

TEST(TJwStateDispatcher, GetUniqueNameSkipsNamesInUse) {
    const auto Link1 = TJwStateDispatcher::CreateNamed(QStringLiteral("Form1Link1"), false);
    const auto Link2 = TJwStateDispatcher::CreateNamed(QStringLiteral("Form1Link2"), false);
    EXPECT_EQ(TJwStateDispatcher::GetUniqueName(QStringLiteral("Form1"), false),
              QStringLiteral("Form1Link3"));
    // The design-time list is another kind.
    EXPECT_EQ(TJwStateDispatcher::GetUniqueName(QStringLiteral("Form1"), true),
              QStringLiteral("Form1Link1"));
    {
        auto Link3 = TJwStateDispatcher::Create(QStringLiteral("Form1"), false);
        EXPECT_EQ(Link3->GetName(), QStringLiteral("Form1Link3"));
        EXPECT_FALSE(TJwStateDispatcher::IsUniqueName(QStringLiteral("Form1Link3"), false));
    }
    // A dispatcher leaves its list with its last reference, and its name is free again.
    EXPECT_TRUE(TJwStateDispatcher::IsUniqueName(QStringLiteral("Form1Link3"), false));
    EXPECT_EQ(TJwStateDispatcher::GetUniqueName(QStringLiteral("Form1"), false),
              QStringLiteral("Form1Link3"));
}

TEST(TJwStateDispatcher, GetByNameMatchesExactlyWithinItsKind) {
    const auto Run = TJwStateDispatcher::CreateNamed(QStringLiteral("Shared"), false);
    const auto Design = TJwStateDispatcher::CreateNamed(QStringLiteral("Shared"), true);
    EXPECT_EQ(TJwStateDispatcher::GetByName(QStringLiteral("Shared"), false), Run);
    EXPECT_EQ(TJwStateDispatcher::GetByName(QStringLiteral("Shared"), true), Design);
    EXPECT_FALSE(TJwStateDispatcher::GetByName(QStringLiteral("shared"), false));
    EXPECT_FALSE(TJwStateDispatcher::GetByName(QStringLiteral("Share"), false));
    EXPECT_THROW(TJwStateDispatcher::CreateNamed(QStringLiteral("Shared"), false), Exception);
}

TEST(TJwStateDispatcher, GetByNameCreateMakesTheDispatcherThroughThePinOnce) {
    TTestPin Pin(QStringLiteral("Pin"), ptState);
    const auto First = TJwStateDispatcher::GetByNameCreate(&Pin, QStringLiteral("ByPin"), false);
    const auto Second = TJwStateDispatcher::GetByNameCreate(&Pin, QStringLiteral("ByPin"), false);
    EXPECT_EQ(First, Second);
    EXPECT_EQ(Pin.Made, 1);
    EXPECT_EQ(TJwStateDispatcher::GetByName(QStringLiteral("ByPin"), false), First);

    Pin.MakeName = QStringLiteral("Wrong");
    EXPECT_THROW(TJwStateDispatcher::GetByNameCreate(&Pin, QStringLiteral("Other"), false),
                 Exception);
    EXPECT_FALSE(TJwStateDispatcher::GetByName(QStringLiteral("Wrong"), false));
}

TEST(TJwStateDispatcher, MembersJoinOnceAndAnswerTheirPlaceAndForms) {
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Members"), false);
    TTestPin A(QStringLiteral("A"), ptSource), B(QStringLiteral("B"), ptSink),
        C(QStringLiteral("C"), ptState);
    TTestPin Real(QStringLiteral("Real"), ptSink);
    Dispatcher->AddPin(&A);
    Dispatcher->AddPin(&A);
    Dispatcher->AddPinAfter(&B, &Real, &A);
    EXPECT_EQ(Dispatcher->GetPinCount(), 2);
    EXPECT_EQ(Dispatcher->GetPin(1), &B);
    EXPECT_EQ(Dispatcher->GetEntry(1).RealPin, &Real);
    EXPECT_THROW(Dispatcher->GetPin(2), EListError);
    EXPECT_THROW(Dispatcher->GetPin(-1), EListError);
    EXPECT_TRUE(Dispatcher->IsConnectedTo(&Real));
    EXPECT_FALSE(Dispatcher->IsConnectedTo(&C));
    EXPECT_EQ(Dispatcher->GetAfterPinDisplayName(&B), QStringLiteral("Form1.A"));
    EXPECT_EQ(Dispatcher->GetAfterPinDisplayName(&A), QString());

    EXPECT_FALSE(Dispatcher->IsCrosForm());
    EXPECT_TRUE(Dispatcher->ConnectedToForm(QStringLiteral("Form1")));
    EXPECT_FALSE(Dispatcher->ConnectedToForm(QStringLiteral("Form2")));
    TTestPin Elsewhere(QStringLiteral("E"), ptState, QStringLiteral("Form2"));
    Dispatcher->AddPin(&Elsewhere);
    EXPECT_TRUE(Dispatcher->IsCrosForm());
    EXPECT_TRUE(Dispatcher->ConnectedToForm(QStringLiteral("Form2")));
}

TEST(TJwStateDispatcher, CanConnectAfterFollowsTheChainOfAfterPins) {
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Chain"), false);
    TTestPin A(QStringLiteral("A"), ptState), B(QStringLiteral("B"), ptState),
        C(QStringLiteral("C"), ptState);
    TTestPin Outsider(QStringLiteral("O"), ptState), New(QStringLiteral("N"), ptState);
    Dispatcher->AddPin(&A);
    Dispatcher->AddPinAfter(&B, &B, &A);
    Dispatcher->AddPinAfter(&C, &C, &B);

    EXPECT_TRUE(Dispatcher->CanConnectAfter(&New, nullptr));
    EXPECT_TRUE(Dispatcher->CanConnectAfter(&New, &C));
    EXPECT_FALSE(Dispatcher->CanConnectAfter(&C, &C));
    EXPECT_FALSE(Dispatcher->CanConnectAfter(&New, &Outsider));
    // A after C would close a circle: C is told after B, B after A.
    EXPECT_FALSE(Dispatcher->CanConnectAfter(&A, &C));
    EXPECT_TRUE(Dispatcher->CanConnectAfter(&C, &A));
}

TEST(TJwStateDispatcher, CanConnectAfterAnswersFalseForACircleOfAfterPins) {
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Circle"), false);
    TTestPin A(QStringLiteral("A"), ptState), B(QStringLiteral("B"), ptState),
        New(QStringLiteral("N"), ptState);
    Dispatcher->AddPinAfter(&A, &A, &B);
    Dispatcher->AddPinAfter(&B, &B, &A);
    EXPECT_FALSE(Dispatcher->CanConnectAfter(&New, &A));
}

TEST(TJwStateDispatcher, RemovingAPinKeepsTheOrderOfThoseToldAfterIt) {
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Remove"), false);
    TTestPin A(QStringLiteral("A"), ptState), B(QStringLiteral("B"), ptState),
        C(QStringLiteral("C"), ptState);
    Dispatcher->AddPin(&A);
    Dispatcher->AddPinAfter(&B, &B, &A);
    Dispatcher->AddPinAfter(&C, &C, &B);
    Dispatcher->RemovePin(&B);
    Dispatcher->RemovePin(&B);
    ASSERT_EQ(Dispatcher->GetPinCount(), 2);
    EXPECT_EQ(Dispatcher->GetEntry(1).AfterPin, &A);
    EXPECT_EQ(Dispatcher->GetAfterPinDisplayName(&C), QStringLiteral("Form1.A"));
}

TEST(TJwStateDispatcher, AnUpdateGoesToTheFirstSourceMemberOnly) {
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("ToSource"), false);
    TTestPin Sink(QStringLiteral("Sink"), ptSink), Source1(QStringLiteral("S1"), ptSource),
        Source2(QStringLiteral("S2"), ptSource), State(QStringLiteral("St"), ptState);
    for (auto* Pin : {&Sink, &State, &Source1, &Source2})
        Dispatcher->AddPin(Pin);

    Dispatcher->StateUpdate(&State);
    ASSERT_EQ(Source1.Updates.size(), 1u);
    EXPECT_EQ(Source1.Updates[0].Origin, &State);
    EXPECT_TRUE(Source2.Updates.empty() && Sink.Updates.empty() && State.Updates.empty());

    // The source's own update reaches it without an origin.
    Dispatcher->StateUpdate(&Source1);
    ASSERT_EQ(Source1.Updates.size(), 2u);
    EXPECT_EQ(Source1.Updates[1].Origin, nullptr);
    EXPECT_NE(Source1.Updates[1].OperationID, Source1.Updates[0].OperationID);
}

TEST(TJwStateDispatcher, WithoutASourceAnUpdateGoesToEveryMemberButSinks) {
    const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("ToAll"), false);
    TTestPin Sink(QStringLiteral("Sink"), ptSink), Multi(QStringLiteral("Multi"), ptMultiSink),
        State1(QStringLiteral("St1"), ptState), State2(QStringLiteral("St2"), ptState);
    for (auto* Pin : {&Sink, &State1, &Multi, &State2})
        Dispatcher->AddPin(Pin);

    Dispatcher->StateUpdate(&State1);
    EXPECT_TRUE(Sink.Updates.empty() && Multi.Updates.empty());
    ASSERT_EQ(State1.Updates.size(), 1u);
    ASSERT_EQ(State2.Updates.size(), 1u);
    EXPECT_EQ(State1.Updates[0].Origin, nullptr);
    EXPECT_EQ(State2.Updates[0].Origin, &State1);
    // One operation for the whole pass.
    EXPECT_EQ(State1.Updates[0].OperationID, State2.Updates[0].OperationID);
}

TEST(TJwStateDispatcher, DisconnectAllLetsEveryPinGoAndTheDispatcherWithIt) {
    TTestPin A(QStringLiteral("A"), ptState), B(QStringLiteral("B"), ptState);
    TJwStateDispatcher* Raw = nullptr;
    {
        const auto Dispatcher = TJwStateDispatcher::CreateNamed(QStringLiteral("Dropped"), false);
        Raw = Dispatcher.get();
        for (auto* Pin : {&A, &B}) {
            Dispatcher->AddPin(Pin);
            Pin->Joined = Dispatcher;
        }
    }
    // Only the pins keep it now; the last one lets it go while being told.
    Raw->DisconnectAll();
    EXPECT_EQ(A.Dropped, 1);
    EXPECT_EQ(B.Dropped, 1);
    EXPECT_FALSE(A.Joined || B.Joined);
    EXPECT_FALSE(TJwStateDispatcher::GetByName(QStringLiteral("Dropped"), false));
}

TEST(TJwStateDispatcher, ConcurrentCreationGivesEveryDispatcherItsOwnName) {
    constexpr int Threads = 4, PerThread = 50;
    std::vector<std::vector<TDispatcherPtr>> Made(Threads);
    std::vector<std::thread> Workers;
    for (int T = 0; T < Threads; ++T)
        Workers.emplace_back([&Made, T] {
            for (int I = 0; I < PerThread; ++I) {
                Made[static_cast<size_t>(T)].push_back(
                    TJwStateDispatcher::Create(QStringLiteral("Race"), false));
                // Lookups run alongside, on dispatchers that other threads hold.
                EXPECT_TRUE(TJwStateDispatcher::GetByName(QStringLiteral("RaceLink1"), false));
            }
        });
    for (auto& Worker : Workers)
        Worker.join();
    std::set<QString> Names;
    for (const auto& List : Made)
        for (const auto& Dispatcher : List)
            Names.insert(Dispatcher->GetName());
    EXPECT_EQ(Names.size(), size_t{Threads * PerThread});
    EXPECT_EQ(*Names.begin(), QStringLiteral("RaceLink1"));
}

} // namespace
