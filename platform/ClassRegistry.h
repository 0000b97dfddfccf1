#pragma once
// The classes a stored form may name. The reader creates components by class
// name through this registry; a class registers itself once, at start-up or
// before its first form is read.

#include <QString>

class TComponent;
struct QMetaObject;

using TComponentFactory = TComponent* (*)(TComponent* AOwner);

// Registers AFactory under AClass's class name; registering a name again
// replaces the factory.
void RegisterComponentClass(const QMetaObject& AClass, TComponentFactory AFactory);
void UnregisterComponentClass(const QMetaObject& AClass);
// The factory for AName, or null.
TComponentFactory GetComponentClass(const QString& AName);
// The factory for AName; raises EClassNotFound "Class %s not found".
TComponentFactory FindComponentClass(const QString& AName);

// RegisterClass<TMyComponent>() for a class constructed from its owner.
template <class T> void RegisterClass() {
    RegisterComponentClass(T::staticMetaObject,
                           [](TComponent* AOwner) -> TComponent* { return new T(AOwner); });
}
