#include "platform/UiThread.h"

#include "platform/SilentFailure.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <mutex>

namespace {
// Held while a call is queued and taken by the call before it runs. Qt's
// own event-queue lock already orders the two threads, but it lives in
// uninstrumented Qt code; this lock states the same order where race
// checkers see it, including the queued call object Qt builds and frees.
std::mutex GHandOver;
} // namespace

bool InUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void PostToObjectThread(QObject* AContext, std::function<void()> AOperation) {
    if (!AContext || !AOperation)
        return;
    const std::lock_guard<std::mutex> handOver(GHandOver);
    QMetaObject::invokeMethod(
        AContext,
        [Operation = std::move(AOperation)] {
            { const std::lock_guard<std::mutex> received(GHandOver); }
            Silently("queued call", Operation);
        },
        Qt::QueuedConnection);
}

void PostToUiThread(std::function<void()> AOperation) {
    // the application object lives as long as any event loop that could run this
    PostToObjectThread(QCoreApplication::instance(), std::move(AOperation));
}
