#pragma once
// Components: persistent objects with a name that can own other components.
// An owner frees the components it owns when it is freed, last owned first.
// Ownership is this model's own list; QObject parenting is not used, so a
// control can be a component that owns its QWidget as a plain member.

#include "platform/Persistent.h"

#include <QFlags>
#include <functional>
#include <vector>

class TReader;
class TComponent;

enum TComponentStateFlag {
    csLoading = 0x01,    // being read from a stored form; cleared by Loaded
    csReading = 0x02,    // its own properties are being read right now
    csWriting = 0x04,    // being written to a stored form
    csDestroying = 0x08, // BeforeDestruction has run
    csDesigning = 0x10,  // never set: there is no form designer at run time
    csUpdating = 0x20,
    csInline = 0x40,   // an embedded frame: its own name scope in the stored form
    csAncestor = 0x80, // created by the owner's class (an ancestor form); stored as 'inherited'
};
Q_DECLARE_FLAGS(TComponentState, TComponentStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TComponentState)

enum class TOperation { opInsert, opRemove };

// Called for each child a component stores with it (GetChildren).
using TGetChildProc = std::function<void(TComponent*)>;

class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
public:
    explicit TComponent(TComponent* AOwner);

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    // Raises EListError for an index outside 0..ComponentCount-1.
    TComponent* Components(int AIndex) const;
    // Position in the owner's list, -1 without owner.
    int ComponentIndex() const;
    // The owned component of that name (case-insensitive), or null.
    TComponent* FindComponent(const QString& AName) const;

    void InsertComponent(TComponent* AComponent);
    void RemoveComponent(TComponent* AComponent);

    const QString& GetName() const { return FName; }
    // Raises EComponentError for an invalid identifier or a name already used
    // by another component of the same owner.
    virtual void SetName(const QString& AName);

    TComponentState ComponentState() const { return FComponentState; }

    // AComponent is told (Notification with opRemove) when this component goes.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // Stored form hooks.
    // The children stored inside this component's block. The base stores,
    // for the root, every owned component that has no parent component;
    // classes with children of their own (controls) add those.
    virtual void GetChildren(const TGetChildProc& AProc, TComponent* ARoot);
    virtual bool HasParent() const;
    virtual TComponent* GetParentComponent() const;
    virtual void SetParentComponent(TComponent* AParent);
    // Moves AChild to place AOrder among the children this component stores.
    // The base orders the owned components without parent (the root's
    // children); classes with children of their own order those.
    virtual void SetChildOrder(TComponent* AChild, int AOrder);
    // Owner and parent given to components read inside this one's block;
    // null owner means the root.
    virtual TComponent* GetChildOwner();
    virtual TComponent* GetChildParent();
    // Reads this component's properties and children from the reader.
    virtual void ReadState(TReader& AReader);
    // Called once the whole stored form is read and references are resolved.
    virtual void Loaded();

    QString GetNamePath() const override;

    // State changes made by the reader and writer.
    void SetLoading(bool AValue);
    void SetReading(bool AValue);
    void SetWriting(bool AValue);
    // Marks an embedded frame (written as 'inline') and a component that the
    // owner's class creates itself (written as 'inherited').
    void SetInline(bool AValue);
    void SetAncestor(bool AValue);

protected:
    ~TComponent() override;

    void BeforeDestruction() override;
    // Marks this component and everything it owns as being destroyed.
    virtual void Destroying();
    // Told about components inserted into or removed from the owner's list
    // and about free-notified components going away.
    virtual void Notification(TComponent* AComponent, TOperation AOperation);
    virtual void ValidateRename(TComponent* AComponent, const QString& ACurName,
                                const QString& ANewName);

private:
    // Tells free-notified components and leaves the owner.
    void Detach();
    void DestroyComponents();

    TComponent* FOwner = nullptr;
    QString FName;
    TComponentState FComponentState;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};

// True when AName is a valid identifier: a letter or underscore, then
// letters, digits or underscores (ASCII).
bool IsValidIdent(const QString& AName);
