// A real value sink joined to an integer state through the registered
// integer-to-real converter, live and through the stored form.

#include <gtest/gtest.h>

#include "pins/streams/JwStdTypes.h"
#include "platform/ClassRegistry.h"
#include "platform/StoredForm.h"

namespace {

class TIntegerStateComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TJwStatePin* State READ GetState)
public:
    explicit TIntegerStateComponent(TComponent* AOwner)
        : TComponent(AOwner), FState(MakeOwned<TJwStatePin>(this)) {
        FState->StreamType.AddType(JwStdTypeID::Integer);
    }
    TJwStatePin* GetState() const { return FState.get(); }

private:
    TOwned<TJwStatePin> FState;
};

class TRealInputComponent : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TJwRealSinkPin* Input READ GetInput)
public:
    explicit TRealInputComponent(TComponent* AOwner)
        : TComponent(AOwner), FInput(MakeOwned<TJwRealSinkPin>(this)) {}
    TJwRealSinkPin* GetInput() const { return FInput.get(); }

private:
    TOwned<TJwRealSinkPin> FInput;
};

class TStateForm : public TComponent {
    Q_OBJECT
public:
    explicit TStateForm(TComponent* AOwner) : TComponent(AOwner) {}
};

void SendInteger(TJwPin* APin, int32_t AValue) {
    APin->Notify(TJwNotifyOperationPtr(new TJwSuppliedIntegerOperation(AValue)));
}

TEST(StateConverterLink, IntegersOfTheStateArriveAsRealsAfterTheFormIsReadAgain) {
    RegisterClass<TStateForm>();
    RegisterClass<TIntegerStateComponent>();
    RegisterClass<TRealInputComponent>();
    QString Text;
    {
        auto Form = MakeOwned<TStateForm>(nullptr);
        Form->SetName(QStringLiteral("Form1"));
        auto* Sink = new TRealInputComponent(Form.get());
        Sink->SetName(QStringLiteral("Meter"));
        auto* State = new TIntegerStateComponent(Form.get());
        State->SetName(QStringLiteral("Counter"));
        EXPECT_FALSE(State->GetState()->CanConnectTo(Sink->GetInput(), false));
        ASSERT_TRUE(Sink->GetInput()->Connect(State->GetState()));
        auto* Converter = Sink->GetInput()->GetStateConverter();
        ASSERT_NE(Converter, nullptr);
        EXPECT_EQ(Converter->GetInputID(), JwStdTypeID::Integer);
        EXPECT_EQ(Converter->GetOutputID(), JwStdTypeID::Real);
        SendInteger(State->GetState(), -12);
        EXPECT_EQ(Sink->GetInput()->GetValue(), -12.0);
        Text = ComponentToText(Form.get());
    }
    EXPECT_TRUE(Text.contains(QStringLiteral("Input.StateConverter = ('Form1Link1' '") +
                              GuidToText(JwStdTypeID::Integer) + QStringLiteral("' '") +
                              GuidToText(JwStdTypeID::Real) + QStringLiteral("')")))
        << qPrintable(Text);

    auto Read = CreateComponentFromText(Text);
    auto* State =
        qobject_cast<TIntegerStateComponent*>(Read->FindComponent(QStringLiteral("Counter")));
    auto* Sink = qobject_cast<TRealInputComponent*>(Read->FindComponent(QStringLiteral("Meter")));
    ASSERT_TRUE(State && Sink);
    EXPECT_TRUE(Sink->GetInput()->IsConnectedByStateTo(State->GetState()));
    SendInteger(State->GetState(), 2147483647);
    EXPECT_EQ(Sink->GetInput()->GetValue(), 2147483647.0);
    SendInteger(State->GetState(), 5);
    EXPECT_EQ(Sink->GetInput()->GetValue(), 5.0);
}

} // namespace

#include "StateConverterTest.moc"
