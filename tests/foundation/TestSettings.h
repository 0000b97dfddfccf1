#pragma once
// Settings classes built the way the display library builds its own: every
// setter goes through the node's lock.

#include "foundation/HxComponent.h"
#include "platform/Component.h"

#include <QString>
#include <vector>

// Three floats whose constructor values are not zero, a string, an
// enumeration and an optional-visibility sub-object.
class TTestSettings : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(double Low READ GetLow WRITE SetLow)
    Q_PROPERTY(double Mid READ GetMid WRITE SetMid)
    Q_PROPERTY(double High READ GetHigh WRITE SetHigh)
    Q_PROPERTY(QString Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(Hx::TKvSynchronizeType Sync READ GetSync WRITE SetSync)
    Q_PROPERTY(THxOptionalVisibilityProperty* Frame READ GetFrame)
    Q_CLASSINFO("default:Sync", "stNone")
public:
    TTestSettings(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                  TNotifyEvent AOnChange = nullptr);
    TTestSettings(THxPersistent* AOwner, TNotifyEvent AOnChange);

    double GetLow() const { return FLock->Getter(FLow); }
    void SetLow(double AValue) { FLock->Setter(FLow, AValue, nullptr); }
    double GetMid() const { return FLock->Getter(FMid); }
    void SetMid(double AValue) { FLock->Setter(FMid, AValue, nullptr); }
    double GetHigh() const { return FLock->Getter(FHigh); }
    void SetHigh(double AValue) { FLock->Setter(FHigh, AValue, nullptr); }
    QString GetCaption() const { return FLock->Getter(FCaption); }
    void SetCaption(const QString& AValue) { FLock->Setter(FCaption, AValue, nullptr); }
    TKvSynchronizeType GetSync() const { return FSync; }
    void SetSync(TKvSynchronizeType AValue) { FLock->Setter(FSync, AValue, nullptr); }
    THxOptionalVisibilityProperty* GetFrame() const { return FFrame.get(); }

private:
    double FLow = 3.0;
    double FMid = 4.0;
    double FHigh = 7.0;
    QString FCaption;
    TKvSynchronizeType FSync = stNone;
    TOwned<THxOptionalVisibilityProperty> FFrame;
};

// Another settings class of the same family, sharing only some names.
class TTestRange : public THxPersistent {
    Q_OBJECT
    Q_PROPERTY(double Low READ GetLow WRITE SetLow)
    Q_PROPERTY(int32_t Steps READ GetSteps WRITE SetSteps)
public:
    using THxPersistent::THxPersistent;

    double GetLow() const { return FLow; }
    void SetLow(double AValue) { FLock->Setter(FLow, AValue, nullptr); }
    int32_t GetSteps() const { return FSteps; }
    void SetSteps(int32_t AValue) { FLock->Setter(FSteps, AValue, nullptr); }

private:
    double FLow = 1.0;
    int32_t FSteps = 10;
};

// An item with a property named "Name", which item copies leave alone.
class TTestItem : public THxCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
    Q_PROPERTY(double Position READ GetPosition WRITE SetPosition)
public:
    explicit TTestItem(TCollection* ACollection) : THxCollectionItem(ACollection) {}

    QString GetName() const { return FName; }
    void SetName(const QString& AValue) { FLock->Setter(FName, AValue, nullptr); }
    double GetPosition() const { return FPosition; }
    void SetPosition(double AValue) { FLock->Setter(FPosition, AValue, nullptr); }
    void LockChanged() override { ++FChanges; }
    int Changes() const { return FChanges; }

private:
    QString FName;
    double FPosition = 0.5;
    int FChanges = 0;
};

class TTestCollection : public THxCollection {
    Q_OBJECT
    Q_PROPERTY(int32_t Spacing READ GetSpacing WRITE SetSpacing)
public:
    using THxCollection::THxCollection;

    int32_t GetSpacing() const { return FSpacing; }
    void SetSpacing(int32_t AValue) { FLock->Setter(FSpacing, AValue, nullptr); }
    void LockChanged() override { ++FChanges; }
    int Changes() const { return FChanges; }

private:
    int32_t FSpacing = 2;
    int FChanges = 0;
};

// The root of a stored form: makes the tree's lock.
class TTestHolder : public TComponent {
    Q_OBJECT
    Q_PROPERTY(TTestSettings* Settings READ GetSettings)
public:
    explicit TTestHolder(TComponent* AOwner);

    TTestSettings* GetSettings() const { return FSettings.get(); }

private:
    THxLockPtr FLock;
    TOwned<TTestSettings> FSettings;
};

// A form whose timer's handler is stored by name.
class TTimerTestForm : public TComponent {
    Q_OBJECT
public:
    using TComponent::TComponent;

    Q_INVOKABLE void Timer1Timer(TPersistent* ASender) { Senders.push_back(ASender); }

    std::vector<TPersistent*> Senders;
};
