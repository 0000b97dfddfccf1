#pragma once
// The user-interface thread owns every widget, timer and cursor. Work that
// reaches them from another thread is posted there (queued) rather than
// done in place; debug builds check the thread where a widget is touched.

#include <QtGlobal>
#include <functional>

class QObject;

// Whether the calling thread is the one the application object lives in
// (true while there is no application object).
bool InUiThread();

// Runs AOperation on the user-interface thread from its event loop; a
// failure is reported once and goes no further. Dropped when there is no
// application object.
void PostToUiThread(std::function<void()> AOperation);

// Runs AOperation from the event loop of AContext's thread; dropped when
// AContext is destroyed first. Everything the caller wrote before posting is
// visible to AOperation.
void PostToObjectThread(QObject* AContext, std::function<void()> AOperation);

// Debug builds stop here when a widget, timer or cursor is touched off the
// user-interface thread.
#define KV_ASSERT_UI_THREAD()                                                                      \
    Q_ASSERT_X(InUiThread(), Q_FUNC_INFO, "called off the user-interface thread")
