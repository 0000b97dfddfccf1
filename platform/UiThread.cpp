#include "platform/UiThread.h"

#include "platform/SilentFailure.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

bool InUiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

void PostToUiThread(std::function<void()> AOperation) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || !AOperation)
        return;
    // the application object lives as long as any event loop that could run this
    QMetaObject::invokeMethod(
        app,
        [Operation = std::move(AOperation)] {
            Silently("posted to the user-interface thread", Operation);
        },
        Qt::QueuedConnection);
}
