// A form shaped like the demo's, read from its stored form: the timer and
// the form's events bind to the form's methods.
#include "platform/ClassRegistry.h"
#include "platform/Exceptions.h"
#include "platform/Forms.h"
#include "platform/StoredForm.h"
#include "platform/Timer.h"

#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<QString>& Log() {
    static std::vector<QString> log;
    return log;
}

class TFeederForm : public TForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TFeederForm(TComponent* AOwner) : TForm(AOwner) {}
    int Ticks = 0;

public slots:
    void FormCreate(TForm* ASender) { Log().push_back(ASender == this ? "create" : "create?"); }
    void FormDestroy(TForm*) {
        // the form's components are still there
        Log().push_back(FindComponent("Timer1") ? "destroy with timer" : "destroy without timer");
    }
    void Timer1Timer(TTimer*) { ++Ticks; }

protected:
    ~TFeederForm() override = default;
};

const char* StoredFeederForm = R"(object Form1: TFeederForm
  Left = 100
  Top = 100
  Caption = 'Simple Waterfall Demo'
  ClientHeight = 350
  ClientWidth = 586
  Color = clBtnFace
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 13
  object Timer1: TTimer
    Interval = 5
    OnTimer = Timer1Timer
  end
end
)";

} // namespace

TEST(FormStore, DemoShapedFormBindsItsTimerAndEvents) {
    RegisterClass<TFeederForm>();
    RegisterClass<TTimer>();
    Log().clear();
    {
        auto form = MakeOwned<TFeederForm>(nullptr);
        ReadComponentFromText(QString::fromLatin1(StoredFeederForm), form.get());
        form->DoCreate();
        EXPECT_EQ(Log(), std::vector<QString>{"create"});
        EXPECT_EQ(form->BoundsRect(), Rect(100, 100, 686, 450));
        EXPECT_EQ(form->Caption(), "Simple Waterfall Demo");
        EXPECT_EQ(form->Font()->Height(), -11);
        EXPECT_EQ(form->Font()->Name(), "MS Sans Serif");
        auto* timer = qobject_cast<TTimer*>(form->FindComponent("Timer1"));
        ASSERT_NE(timer, nullptr);
        EXPECT_EQ(timer->Interval(), 5u);
        EXPECT_TRUE(timer->Active());
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->Ticks >= 2; }, 10000));

        const QString written = ComponentToText(form.get());
        EXPECT_TRUE(written.contains("OnTimer = Timer1Timer")) << qPrintable(written);
        EXPECT_TRUE(written.contains("OnCreate = FormCreate"));
        EXPECT_TRUE(written.contains(QStringLiteral("TextHeight = %1").arg(form->TextHeight())));
        auto copy = MakeOwned<TFeederForm>(nullptr);
        ReadComponentFromText(written, copy.get());
        EXPECT_EQ(ComponentToText(copy.get()), written);
    }
    EXPECT_EQ(Log().back(), "destroy with timer");
}

TEST(FormStore, HandlersSetInCodeAreNotStoredUnderTheOldName) {
    RegisterClass<TFeederForm>();
    RegisterClass<TTimer>();
    auto form = MakeOwned<TFeederForm>(nullptr);
    ReadComponentFromText(QString::fromLatin1(StoredFeederForm), form.get());
    auto* timer = qobject_cast<TTimer*>(form->FindComponent("Timer1"));
    ASSERT_NE(timer, nullptr);
    timer->SetOnTimer(nullptr);
    EXPECT_FALSE(timer->Active());
    form->SetOnDestroy(nullptr);
    const QString written = ComponentToText(form.get());
    EXPECT_FALSE(written.contains("OnTimer"));
    EXPECT_FALSE(written.contains("OnDestroy"));
}

#include "FormStoreTest.moc"
