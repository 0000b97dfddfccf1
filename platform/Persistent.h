#pragma once
// The root of every object that has published properties: settings objects,
// collections, collection items and components. Published properties are Qt
// properties, so copying, storing and editing read them through the
// meta-object system.
//
// Destruction protocol: objects are released with TPersistent::Free (or a
// TOwned pointer, which calls it). Free runs the virtual BeforeDestruction
// while the object is still whole, then deletes it. Destructors are protected
// so that a plain delete or std::unique_ptr<T> does not compile.

#include <QObject>
#include <QString>
#include <memory>

class TFiler;
class TPersistent;

// Deleter that runs the destruction protocol.
struct TFreeDeleter {
    void operator()(TPersistent* AObject) const;
};

template <class T> using TOwned = std::unique_ptr<T, TFreeDeleter>;

class TPersistent : public QObject {
    Q_OBJECT
public:
    TPersistent();

    // Runs BeforeDestruction, then deletes AObject. Null does nothing.
    static void Free(TPersistent* AObject);

    // Copies ASource into this object. The base asks the source (AssignTo),
    // which raises the "cannot assign" error.
    virtual void Assign(TPersistent* ASource);
    virtual QString GetNamePath() const;
    // The object that owns this one in the stored form's path sense.
    virtual TPersistent* GetOwner() const;

    QString ClassName() const;

    // The stored form lets a class store values that are not published
    // properties: each one is declared to the filer with its own read and
    // write routine.
    virtual void DefineProperties(TFiler& AFiler);

    // The read routine of a design-time expander entry: a published name under
    // which a designer groups an object's settings. It holds no data, is never
    // stored and cannot be written:
    //     Q_PROPERTY(bool _XAxis READ ExpanderEntry STORED false)
    bool ExpanderEntry() const { return false; }

protected:
    ~TPersistent() override;

    // Called by Free before the destructor, with the dynamic type intact.
    virtual void BeforeDestruction();
    virtual void AssignTo(TPersistent* ADest);

    // The property copy behind Assign for a class family: when ASource
    // inherits AFamily, every published, stored property that has a setter is
    // copied by name, and sub-objects are assigned recursively (components
    // are references and are left alone). Otherwise the base Assign runs,
    // which raises the "cannot assign" error. ASkipName leaves "Name" alone.
    void AssignPublished(TPersistent* ASource, const QMetaObject& AFamily, bool ASkipName);

    friend struct TFreeDeleter;
};

template <class T, class... TArgs> TOwned<T> MakeOwned(TArgs&&... AArgs) {
    return TOwned<T>(new T(std::forward<TArgs>(AArgs)...));
}
