// Failures kept from the user reach the developer's log, each distinct one once.
#include "platform/SilentFailure.h"
#include "platform/Controls.h"
#include "platform/Exceptions.h"

#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

QStringList* Captured = nullptr;

void Capture(QtMsgType AType, const QMessageLogContext&, const QString& AMessage) {
    if (Captured && AType == QtWarningMsg)
        Captured->append(AMessage);
}

// Collects the warnings logged while it lives.
class WarningLog {
public:
    WarningLog() : FPrevious(qInstallMessageHandler(Capture)) { Captured = &Messages; }
    ~WarningLog() {
        Captured = nullptr;
        qInstallMessageHandler(FPrevious);
    }
    QStringList Messages;

private:
    QtMessageHandler FPrevious;
};

class TFailingPaintControl : public TControl {
public:
    using TControl::TControl;
    int paints = 0;
    void Paint() override {
        ++paints;
        throw Exception(QStringLiteral("paint failed on purpose"));
    }
};

} // namespace

TEST(SilentFailure, EachDistinctFailureIsLoggedOnce) {
    WarningLog log;
    for (int i = 0; i < 3; ++i)
        Silently("test site", [] { throw std::runtime_error("first failure"); });
    Silently("test site", [] { throw std::runtime_error("second failure"); });
    Silently("other site", [] { throw std::runtime_error("first failure"); });
    Silently("test site", [] { throw 42; });
    Silently("test site", [] { throw 43; });
    ASSERT_EQ(log.Messages.size(), 4) << log.Messages.join('\n').toStdString();
    EXPECT_TRUE(log.Messages[0].contains("test site") && log.Messages[0].contains("first failure"));
    EXPECT_TRUE(log.Messages[1].contains("second failure"));
    EXPECT_TRUE(log.Messages[2].contains("other site"));
    EXPECT_TRUE(log.Messages[3].contains("unknown exception"));
}

TEST(SilentFailure, AFailingPaintIsLoggedOnceAndPaintingGoesOn) {
    WarningLog log;
    auto control = MakeOwned<TControl>(nullptr);
    auto* failing = new TFailingPaintControl(control.get());
    failing->SetParent(control.get());
    failing->SetBounds(0, 0, 20, 20);
    QWidget* window = control->Widget();
    window->resize(40, 40);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    failing->Repaint();
    failing->Repaint();
    EXPECT_GE(failing->paints, 2);
    EXPECT_EQ(log.Messages.filter("paint failed on purpose").size(), 1)
        << log.Messages.join('\n').toStdString();
}
