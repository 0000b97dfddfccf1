#pragma once
// Event handlers in the stored form. An event is stored as the name of a
// method of the root component (a slot or Q_INVOKABLE method) that takes the
// sender, or nothing:  OnTimer = Timer1Timer
// A class stores an event by declaring it from DefineProperties:
//     DefineEvent<TTimer>(AFiler, "OnTimer", FOnTimerName,
//                         [this](auto AHandler) { SetOnTimer(std::move(AHandler)); });
// A setter that replaces the handler in code should clear the stored name.

#include <QPointer>
#include <QString>
#include <functional>

class TComponent;
class TFiler;
struct QMetaObject;

using TBoundMethod = std::function<void(QObject* ASender)>;

// The method AMethodName of ARoot as a handler. The method takes no
// parameter or one pointer to a class that senders of ASenderClass are.
// Raises Exception "Method %s not found in %s" otherwise. The handler does
// nothing once the root is gone.
TBoundMethod BindRootMethod(TComponent* ARoot, const QString& AMethodName,
                            const QMetaObject& ASenderClass);

// Declares the stored event AName: reading binds the named root method,
// keeps the name in AMethodName and hands the handler to ASetHandler;
// writing writes AMethodName when it is not empty.
void DefineEventProperty(TFiler& AFiler, const QString& AName, QString& AMethodName,
                         const QMetaObject& ASenderClass,
                         std::function<void(TBoundMethod)> ASetHandler);

template <class TSender>
void DefineEvent(TFiler& AFiler, const QString& AName, QString& AMethodName,
                 std::function<void(std::function<void(TSender*)>)> ASetHandler) {
    DefineEventProperty(
        AFiler, AName, AMethodName, TSender::staticMetaObject,
        [set = std::move(ASetHandler)](TBoundMethod ABound) {
            if (!ABound)
                set(nullptr);
            else
                set([bound = std::move(ABound)](TSender* ASender) { bound(ASender); });
        });
}
