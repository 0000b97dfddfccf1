#include "TestComponents.h"

#include "platform/ClassRegistry.h"

#include <QIODevice>

std::vector<std::string>& TestLog() {
    static std::vector<std::string> log;
    return log;
}

int TTestChild::Live = 0;

void TTestRange::DefineProperties(TFiler& AFiler) {
    DefineZeroFloats(AFiler, this);
}

void TTestAxis::DefineProperties(TFiler& AFiler) {
    DefineZeroFloats(AFiler, this);
    AFiler.DefineProperty(
        QStringLiteral("MinMax"), [this](TReader& R) { ReadMinMax(R); }, nullptr, false);
}

void TTestAxis::ReadMinMax(TReader& AReader) {
    AReader.ReadListBegin();
    FRange->SetLow(AReader.ReadFloat());
    FRange->SetHigh(AReader.ReadFloat());
    AReader.ReadListEnd();
}

TTestChild::TTestChild(TComponent* AOwner) : TComponent(AOwner) {
    ++Live;
}

TTestChild::~TTestChild() {
    --Live;
    TestLog().push_back("~" + GetName().toStdString());
}

void TTestChild::BeforeDestruction() {
    TestLog().push_back("before " + GetName().toStdString() + " " + Kind());
    TComponent::BeforeDestruction();
}

void TTestChild::SetBuddy(TTestChild* AValue) {
    if (FBuddy)
        FBuddy->RemoveFreeNotification(this);
    FBuddy = AValue;
    if (FBuddy)
        FBuddy->FreeNotification(this);
}

void TTestChild::Notification(TComponent* AComponent, TOperation AOperation) {
    TComponent::Notification(AComponent, AOperation);
    if (AOperation == TOperation::opRemove && AComponent == FBuddy)
        FBuddy = nullptr;
}

void TTestChild::DefineProperties(TFiler& AFiler) {
    TComponent::DefineProperties(AFiler);
    DefineEvent<TTestChild>(
        AFiler, QStringLiteral("OnClick"), OnClickName,
        [this](std::function<void(TTestChild*)> AHandler) { OnClick = std::move(AHandler); });
}

void TTestChild::Loaded() {
    ++LoadedCalls;
    SawLoadingInLoaded = ComponentState().testFlag(csLoading);
    TComponent::Loaded();
}

void TTestPanel::GetChildren(const TGetChildProc& AProc, TComponent* ARoot) {
    for (int i = 0; i < ARoot->ComponentCount(); ++i) {
        auto* control = qobject_cast<TTestControl*>(ARoot->Components(i));
        if (control && control->Parent == this)
            AProc(control);
    }
}

TTestForm::TTestForm(TComponent* AOwner)
    : TComponent(AOwner), FAxis(MakeOwned<TTestAxis>()), FMarkers(MakeOwned<TTestMarkers>(this)) {}

void TTestForm::Loaded() {
    ++LoadedCalls;
    TComponent::Loaded();
}

void TTestPicture::DefineProperties(TFiler& AFiler) {
    AFiler.DefineBinaryProperty(
        QStringLiteral("Data"), [this](QIODevice& ADevice) { Data = ADevice.readAll(); },
        [this](QIODevice& ADevice) { ADevice.write(Data); }, !Data.isEmpty());
}

TTestAncestorForm::TTestAncestorForm(TComponent* AOwner) : TTestForm(AOwner) {
    Header = new TTestChild(this);
    Header->SetName(QStringLiteral("Header"));
    Header->SetValue(1);
    Header->SetAncestor(true);
}

void RegisterTestClasses() {
    RegisterClass<TTestImage>();
    RegisterClass<TTestAncestorForm>();
    RegisterClass<TTestForm>();
    RegisterClass<TTestChild>();
    RegisterClass<TTestGrandChild>();
    RegisterClass<TTestPanel>();
    RegisterClass<TTestControl>();
}
