#include "app/Unit1.h"

#include "app/DemoFeeder.h"
#include "platform/ClassRegistry.h"
#include "platform/Exceptions.h"
#include "platform/StoredForm.h"
#include "platform/Timer.h"
#include "waterfall/KvWaterfall.h"

namespace {

template <class T> T* StoredComponent(TComponent* ARoot, const char* AName) {
    auto* component = qobject_cast<T*>(ARoot->FindComponent(QLatin1String(AName)));
    if (!component)
        throw Exception(QStringLiteral("The stored form has no %1").arg(QLatin1String(AName)));
    return component;
}

} // namespace

TForm1::TForm1(TComponent* AOwner) : TForm(AOwner) {
    RegisterClass<TKvWaterfall>();
    RegisterClass<TTimer>();
    ReadComponentFromFile(QStringLiteral(":/app/Unit1.dfm"), this);
    KvWaterfall1 = StoredComponent<TKvWaterfall>(this, "KvWaterfall1");
    Timer1 = StoredComponent<TTimer>(this, "Timer1");
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(TComponent* /*Sender*/) {
    AFile = std::make_unique<TFileStream>(QStringLiteral("FFTDemoData.bin"),
                                          fmOpenRead | fmShareCompat);
}

void TForm1::FormDestroy(TComponent* /*Sender*/) {
    AFile.reset();
}

void TForm1::Timer1Timer(TComponent* /*Sender*/) {
    // The open failed and the user was told so: nothing to play.
    if (!AFile) {
        Timer1->SetEnabled(false);
        return;
    }
    TDemoFrame frame;
    if (ReadDemoFrame(*AFile, frame) > 0)
        KvWaterfall1->Data().AddData(frame.data(), DemoFrameValues);
}
