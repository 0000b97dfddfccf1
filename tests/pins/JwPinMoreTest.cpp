// Observers, dependencies, state pins, single-link outputs and pin lists
// through the stored form.

#include <gtest/gtest.h>

#include <thread>

#include "PinTestComponents.h"
#include "platform/ClassRegistry.h"
#include "platform/StoredForm.h"

using namespace PinTest;

namespace {

class TEventLog : public TInterfaced<IJwPinObserver> {
public:
    void PinNotify(TJwPinEvent AEvent, TJwObject* AObject) override {
        Events.emplace_back(AEvent, AObject);
        if (Raise)
            throw Exception(QStringLiteral("observer failed"));
    }
    int Count(TJwPinEvent AEvent, TJwObject* AObject) const {
        return static_cast<int>(
            std::count(Events.begin(), Events.end(), std::make_pair(AEvent, AObject)));
    }
    std::vector<std::pair<TJwPinEvent, TJwObject*>> Events;
    bool Raise = false;
};

TEST(PinObservers, AreToldOfPinsComingChangingAndGoingAndTheirErrorsAreSwallowed) {
    TIntfPtr<TEventLog> Log(new TEventLog);
    JwRegisterPinObserver(TIntfPtr<IJwPinObserver>(Log.get()));
    Log->Raise = true;
    auto Source = MakeSource(nullptr, {TypeA});
    auto Sink = MakeOwned<TRecordingSinkPin>(nullptr);
    ASSERT_TRUE(Source->Connect(Sink.get()));
    TJwObject* const SinkObject = Sink.get();
    Sink.reset();
    JwUnregisterPinObserver(TIntfPtr<IJwPinObserver>(Log.get()));
    EXPECT_EQ(Log->Count(TJwPinEvent::PinCreated, Source.get()), 1);
    EXPECT_EQ(Log->Count(TJwPinEvent::PinCreated, SinkObject), 1);
    EXPECT_GE(Log->Count(TJwPinEvent::PinChanged, SinkObject), 2);
    EXPECT_EQ(Log->Count(TJwPinEvent::PinDestroyed, SinkObject), 1);
    const auto Seen = Log->Events.size();
    auto Other = MakeSource(nullptr, {TypeA});
    EXPECT_EQ(Log->Events.size(), Seen);
}

// Tries, from another thread, to call into a pin while observers hear that it goes.
class TDestroyProbe : public TInterfaced<IJwPinObserver> {
public:
    explicit TDestroyProbe(TJwBasicPin* APin) : FPin(APin), FGuard(APin->GetDestroyLock()) {}
    void PinNotify(TJwPinEvent AEvent, TJwObject* AObject) override {
        if (AEvent != TJwPinEvent::PinDestroyed || AObject != FPin)
            return;
        Told = true;
        std::thread([this] { CallRefused = !FGuard->Lock(); }).join();
    }
    bool Told = false;
    bool CallRefused = false;

private:
    TJwObject* FPin;
    TIntfPtr<IJwDestroyLock> FGuard;
};

TEST(PinObservers, HearOfADestroyedPinWhileItStillRefusesCalls) {
    auto Source = MakeSource(nullptr, {TypeA});
    auto Sink = MakeOwned<TRecordingSinkPin>(nullptr);
    ASSERT_TRUE(Source->Connect(Sink.get()));
    const TIntfPtr<TDestroyProbe> Probe(new TDestroyProbe(Source.get()));
    JwRegisterPinObserver(TIntfPtr<IJwPinObserver>(Probe.get()));
    Source.reset();
    JwUnregisterPinObserver(TIntfPtr<IJwPinObserver>(Probe.get()));
    ASSERT_TRUE(Probe->Told);
    EXPECT_TRUE(Probe->CallRefused);
    EXPECT_FALSE(Sink->IsConnected());
}

TEST(PinDependencies, ASourceDependsOnTheSinksItComputesFrom) {
    auto In = MakeOwned<TRecordingSinkPin>(nullptr);
    auto Out = MakeSource(nullptr, {TypeA});
    auto Far = MakeSource(nullptr, {TypeA});
    Out->AddFunctionSource(In.get());
    ASSERT_TRUE(Far->Connect(In.get()));
    EXPECT_TRUE(Out->DirectDependsOn(In.get()));
    EXPECT_FALSE(Out->DirectDependsOn(Far.get()));
    EXPECT_TRUE(Out->DependsOn(Far.get()));
    EXPECT_EQ(In->GetFunctionDependants(), std::vector<TJwSourcePin*>{Out.get()});
    // A circle ends instead of recursing.
    auto Back = MakeOwned<TRecordingSinkPin>(nullptr);
    Far->AddFunctionSource(Back.get());
    ASSERT_TRUE(Out->Connect(Back.get()));
    auto Unrelated = MakeSource(nullptr, {TypeA});
    EXPECT_FALSE(Out->DependsOn(Unrelated.get()));
    Out->RemoveFunctionSource(In.get());
    EXPECT_TRUE(In->GetFunctionDependants().empty());
}

TEST(PinDependencies, DataTypeSourcesNarrowWhatASourceOffers) {
    auto Upstream = MakeSource(nullptr, {TypeA});
    auto In = MakeOwned<TRecordingSinkPin>(nullptr, std::vector<TGUID>{TypeA});
    auto Out = MakeSource(nullptr, {TypeA, TypeB});
    ASSERT_TRUE(Upstream->Connect(In.get()));
    EXPECT_EQ(Out->OfferedIDs(), (std::vector<TGUID>{TypeA, TypeB}));
    Out->AddDataTypeSource(In.get());
    EXPECT_EQ(Out->OfferedIDs(), std::vector<TGUID>{TypeA});
    auto SinkB = MakeOwned<TRecordingSinkPin>(nullptr, std::vector<TGUID>{TypeB});
    EXPECT_FALSE(Out->Connect(SinkB.get()));
}

TEST(SingleLinkOutput, ANewLinkReplacesTheOld) {
    auto Source = MakeSource(nullptr, {TypeA});
    Source->SetMaxConnections(1);
    auto First = MakeOwned<TRecordingSinkPin>(nullptr);
    auto Second = MakeOwned<TRecordingSinkPin>(nullptr);
    ASSERT_TRUE(First->Connect(Source.get()));
    ASSERT_TRUE(Source->Connect(Second.get()));
    EXPECT_FALSE(First->IsConnected());
    EXPECT_EQ(Source->GetSink(0), Second.get());
    Source->Disconnect();
    EXPECT_FALSE(Second->IsConnected());
    EXPECT_EQ(Source->GetConnectionName(), QStringLiteral("(Disconnected)"));
}

TEST(StatePins, ShareOperationsWithTheMembersOfTheirDispatcher) {
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("StateForm"));
    auto* Comp = new TPinComponent(Form.get());
    Comp->SetName(QStringLiteral("Comp"));
    auto State = MakeOwned<TJwStatePin>(nullptr);
    State->StreamType.AddType(TypeA);
    EXPECT_TRUE(State->TryLinkTo(Form.get(), QStringLiteral("StateForm.Comp.Input")));
    EXPECT_TRUE(Comp->GetInput()->IsConnectedByStateTo(State.get()));
    EXPECT_EQ(State->GetPinCount(), 2);
    Comp->GetInput()->Received.clear();
    EXPECT_FALSE(State->Notify(TJwNotifyOperationPtr(new TTestValueOperation(3))));
    ASSERT_EQ(Comp->GetInput()->Received.size(), 1u);
    EXPECT_EQ(Comp->GetInput()->Received[0].State, JwStateLast);
    EXPECT_FALSE(State->TryLinkTo(Form.get(), QStringLiteral("StateForm.Nothing")));
    EXPECT_TRUE(State->TryLinkTo(Form.get(), QString()));
    EXPECT_FALSE(State->IsStateConnected());
}

TEST(PinLists, NameTheirPinsAndStoreTheirLinks) {
    RegisterClass<TPinForm>();
    RegisterClass<TPinComponent>();
    RegisterClass<TListComponent>();
    auto Form = MakeOwned<TPinForm>(nullptr);
    Form->SetName(QStringLiteral("ListForm"));
    auto* Mixer = new TListComponent(Form.get());
    Mixer->SetName(QStringLiteral("Mixer"));
    auto* Src = new TPinComponent(Form.get());
    Src->SetName(QStringLiteral("Src"));
    auto* Right = dynamic_cast<TJwSinkPin*>(Mixer->GetInputs()->Find(QStringLiteral("Right")));
    ASSERT_NE(Right, nullptr);
    EXPECT_EQ(Right->GetFullName(true), QStringLiteral("ListForm.Mixer.Inputs.Right"));
    EXPECT_EQ(Right->GetFullIdentName(true), QStringLiteral("ListForm.Mixer.Inputs._Pin1"));
    EXPECT_EQ(Right->GetName(), QStringLiteral("Inputs.Right"));
    ASSERT_TRUE(Right->Connect(Src->GetOutput()));

    const QString Text = ComponentToText(Form.get());
    EXPECT_TRUE(Text.contains(QStringLiteral("Inputs.Pins = (('Right' ListForm.Src.Output))")))
        << qPrintable(Text);
    EXPECT_TRUE(Text.contains(QStringLiteral(
        "Output.SinkPins = ((ListForm.Mixer.Inputs._Pin1 'ListForm.Mixer.Inputs.Right'))")));
    Form.reset();
    auto Read = CreateComponentFromText(Text);
    auto* ReadMixer = qobject_cast<TListComponent*>(Read->FindComponent(QStringLiteral("Mixer")));
    auto* ReadSrc = qobject_cast<TPinComponent*>(Read->FindComponent(QStringLiteral("Src")));
    ASSERT_TRUE(ReadMixer && ReadSrc);
    auto* ReadRight =
        dynamic_cast<TJwSinkPin*>(ReadMixer->GetInputs()->Find(QStringLiteral("Right")));
    EXPECT_EQ(ReadRight->GetSourcePin(), ReadSrc->GetOutput());
    EXPECT_FALSE(ReadMixer->GetInputs()->Pins(0)->IsConnected());
    EXPECT_TRUE(TJwUnloadedPin::Pending().empty());
}

} // namespace
