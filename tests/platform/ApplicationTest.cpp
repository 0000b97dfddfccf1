// The application object: forms it creates, and a failing OnCreate shown to
// the user while the form stays.
#include "platform/Application.h"
#include "platform/Exceptions.h"

#include <QMessageBox>
#include <gtest/gtest.h>

namespace {

class TFailingForm : public TForm {
public:
    explicit TFailingForm(TComponent* AOwner) : TForm(AOwner) {
        SetCaption(QStringLiteral("failing"));
        SetOnCreate([](TForm*) { throw EFOpenError(QStringLiteral("Cannot open file \"x\".")); });
    }
};

class TQuietForm : public TForm {
public:
    explicit TQuietForm(TComponent* AOwner) : TForm(AOwner) {
        SetOnCreate([this](TForm*) { Created = true; });
    }
    bool Created = false;
};

} // namespace

TEST(ApplicationTest, AFailingOnCreateIsReportedAndTheFormStays) {
    TApplication application;
    TFailingForm* form = application.CreateForm<TFailingForm>();
    auto* second = application.CreateForm<TQuietForm>();
    EXPECT_EQ(application.MainForm(), form);
    EXPECT_TRUE(second->Created);
    const std::vector<QMessageBox*> reports = application.ExceptionReports();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0]->text(), QStringLiteral("Cannot open file \"x\"."));
    EXPECT_TRUE(reports[0]->isVisible());
    EXPECT_FALSE(reports[0]->isModal());
    EXPECT_EQ(form->Caption(), QStringLiteral("failing"));
    reports[0]->close();
}
