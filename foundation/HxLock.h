#pragma once
// The lock of a control tree. A control makes one THxLock; every settings
// object below it makes its own wrapper over the same underlying TJwLock with
// CreateCopy, so the whole tree locks one object while each node keeps its
// own change notification.
//
// Property setters go through the typed Setter operations: take the write
// lock, compare, store, call the property's update function, then notify the
// node. C++ cannot tell some of the types apart (TColor is an Integer, TCursor
// a SmallInt, TDateTime a Real, TGPColor a Cardinal): those setters carry
// their type in the name, the TGPColor one keeps its extra Unused flag.

#include "foundation/HxTypes.h"
#include "pins/JwLocks.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <type_traits>

class IHxLock : public IJwLock {
public:
    using Parent = IJwLock;
    static constexpr TGUID IID = TGUID::Parse("{41898A42-8C0F-4C05-AEE4-C2DE0BAB1869}");

    // Each answers whether the value changed.
    virtual bool Setter(TGPColor& APropValue, TGPColor AValue,
                        const THxPropUpdateFunc& AUpdatedFunc, bool Unused) = 0;
    virtual bool SetterColor(TColor& APropValue, TColor AValue,
                             const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterCursor(TCursor& APropValue, TCursor AValue,
                              const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(int32_t& APropValue, int32_t AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(int16_t& APropValue, int16_t AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(int64_t& APropValue, int64_t AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(uint32_t& APropValue, uint32_t AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(uint16_t& APropValue, uint16_t AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(uint8_t& APropValue, uint8_t AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(float& APropValue, float AValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(double& APropValue, double AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(bool& APropValue, bool AValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    // Strings compare by content, case-sensitive.
    virtual bool Setter(QString& APropValue, const QString& AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(QByteArray& APropValue, const QByteArray& AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(QChar& APropValue, QChar AValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterDateTime(TDateTime& APropValue, TDateTime AValue,
                                const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool Setter(TKvClockSource& APropValue, TKvClockSource AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;
    // Calls AUpdatedFunc but does not notify the node: a change of the
    // synchronisation mode is the update function's business alone.
    virtual bool Setter(TKvSynchronizeType& APropValue, TKvSynchronizeType AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) = 0;

    // Clamp AValue first (SetterMinMax: to the minimum, then to the maximum,
    // so the maximum wins when they cross), then set as Setter does.
    virtual bool SetterMin(int32_t& APropValue, int32_t AValue, int32_t AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(int32_t& APropValue, int32_t AValue, int32_t AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(int32_t& APropValue, int32_t AValue, int32_t AMinValue,
                              int32_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMin(int64_t& APropValue, int64_t AValue, int64_t AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(int64_t& APropValue, int64_t AValue, int64_t AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(int64_t& APropValue, int64_t AValue, int64_t AMinValue,
                              int64_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMin(uint32_t& APropValue, uint32_t AValue, uint32_t AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(uint32_t& APropValue, uint32_t AValue, uint32_t AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(uint32_t& APropValue, uint32_t AValue, uint32_t AMinValue,
                              uint32_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMin(uint16_t& APropValue, uint16_t AValue, uint16_t AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(uint16_t& APropValue, uint16_t AValue, uint16_t AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(uint16_t& APropValue, uint16_t AValue, uint16_t AMinValue,
                              uint16_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMin(uint8_t& APropValue, uint8_t AValue, uint8_t AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(uint8_t& APropValue, uint8_t AValue, uint8_t AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(uint8_t& APropValue, uint8_t AValue, uint8_t AMinValue,
                              uint8_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMin(float& APropValue, float AValue, float AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(float& APropValue, float AValue, float AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(float& APropValue, float AValue, float AMinValue, float AMaxValue,
                              const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMin(double& APropValue, double AValue, double AMinValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMax(double& APropValue, double AValue, double AMaxValue,
                           const THxPropUpdateFunc& AUpdatedFunc) = 0;
    virtual bool SetterMinMax(double& APropValue, double AValue, double AMinValue, double AMaxValue,
                              const THxPropUpdateFunc& AUpdatedFunc) = 0;

    // The value read under the read lock. The TDateTime getter is the double
    // one; there is none for Real, as Extended serves it.
    virtual int32_t Getter(const int32_t& APropValue) = 0;
    virtual int64_t Getter(const int64_t& APropValue) = 0;
    virtual uint32_t Getter(const uint32_t& APropValue) = 0;
    virtual uint8_t Getter(const uint8_t& APropValue) = 0;
    virtual uint16_t Getter(const uint16_t& APropValue) = 0;
    virtual float Getter(const float& APropValue) = 0;
    virtual long double Getter(const long double& APropValue) = 0;
    virtual bool Getter(const bool& APropValue) = 0;
    virtual QString Getter(const QString& APropValue) = 0;
    virtual QChar Getter(const QChar& APropValue) = 0;
    virtual TDateTime Getter(const TDateTime& APropValue) = 0;

    // Calls the node's notify function, when it has one.
    virtual void ChangeNotify() = 0;

protected:
    ~IHxLock() = default;
};

using THxLockPtr = TIntfPtr<IHxLock>;

// The typed operations; the lock operations are left to the derived class.
class THxBasicLock : public TInterfaced<IHxLock> {
public:
    explicit THxBasicLock(THxPropUpdateFunc ANotify);

    bool Setter(TGPColor& APropValue, TGPColor AValue, const THxPropUpdateFunc& AUpdatedFunc,
                bool Unused) override;
    bool SetterColor(TColor& APropValue, TColor AValue,
                     const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterCursor(TCursor& APropValue, TCursor AValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(int32_t& APropValue, int32_t AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(int16_t& APropValue, int16_t AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(int64_t& APropValue, int64_t AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(uint32_t& APropValue, uint32_t AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(uint16_t& APropValue, uint16_t AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(uint8_t& APropValue, uint8_t AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(float& APropValue, float AValue, const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(double& APropValue, double AValue, const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(bool& APropValue, bool AValue, const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(QString& APropValue, const QString& AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(QByteArray& APropValue, const QByteArray& AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(QChar& APropValue, QChar AValue, const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterDateTime(TDateTime& APropValue, TDateTime AValue,
                        const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(TKvClockSource& APropValue, TKvClockSource AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;
    bool Setter(TKvSynchronizeType& APropValue, TKvSynchronizeType AValue,
                const THxPropUpdateFunc& AUpdatedFunc) override;

    bool SetterMin(int32_t& APropValue, int32_t AValue, int32_t AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(int32_t& APropValue, int32_t AValue, int32_t AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(int32_t& APropValue, int32_t AValue, int32_t AMinValue, int32_t AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMin(int64_t& APropValue, int64_t AValue, int64_t AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(int64_t& APropValue, int64_t AValue, int64_t AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(int64_t& APropValue, int64_t AValue, int64_t AMinValue, int64_t AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMin(uint32_t& APropValue, uint32_t AValue, uint32_t AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(uint32_t& APropValue, uint32_t AValue, uint32_t AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(uint32_t& APropValue, uint32_t AValue, uint32_t AMinValue, uint32_t AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMin(uint16_t& APropValue, uint16_t AValue, uint16_t AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(uint16_t& APropValue, uint16_t AValue, uint16_t AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(uint16_t& APropValue, uint16_t AValue, uint16_t AMinValue, uint16_t AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMin(uint8_t& APropValue, uint8_t AValue, uint8_t AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(uint8_t& APropValue, uint8_t AValue, uint8_t AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(uint8_t& APropValue, uint8_t AValue, uint8_t AMinValue, uint8_t AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMin(float& APropValue, float AValue, float AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(float& APropValue, float AValue, float AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(float& APropValue, float AValue, float AMinValue, float AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMin(double& APropValue, double AValue, double AMinValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMax(double& APropValue, double AValue, double AMaxValue,
                   const THxPropUpdateFunc& AUpdatedFunc) override;
    bool SetterMinMax(double& APropValue, double AValue, double AMinValue, double AMaxValue,
                      const THxPropUpdateFunc& AUpdatedFunc) override;

    int32_t Getter(const int32_t& APropValue) override;
    int64_t Getter(const int64_t& APropValue) override;
    uint32_t Getter(const uint32_t& APropValue) override;
    uint8_t Getter(const uint8_t& APropValue) override;
    uint16_t Getter(const uint16_t& APropValue) override;
    float Getter(const float& APropValue) override;
    long double Getter(const long double& APropValue) override;
    bool Getter(const bool& APropValue) override;
    QString Getter(const QString& APropValue) override;
    QChar Getter(const QChar& APropValue) override;
    TDateTime Getter(const TDateTime& APropValue) override;

    void ChangeNotify() override;

protected:
    template <class T>
    bool TypedSet(T& APropValue, const T& AValue, const THxPropUpdateFunc& AUpdatedFunc,
                  bool ANotify);
    template <class T>
    bool ClampedSet(T& APropValue, std::type_identity_t<T> AValue,
                    const std::type_identity_t<T>* AMinValue,
                    const std::type_identity_t<T>* AMaxValue,
                    const THxPropUpdateFunc& AUpdatedFunc);
    template <class T> T TypedGet(const T& APropValue);

    const THxPropUpdateFunc FNotify;
};

class THxLock : public THxBasicLock {
public:
    // A new underlying lock: the root of a control tree.
    static THxLockPtr Create(THxPropUpdateFunc ANotify);
    // The underlying lock of ALock, with a notify function of its own.
    // Raises Exception when ALock is empty.
    static THxLockPtr CreateCopy(const THxLockPtr& ALock, THxPropUpdateFunc ANotify);

    [[nodiscard]] TJwLockSectionPtr ReadLock() override;
    [[nodiscard]] TJwLockSectionPtr WriteLock() override;
    [[nodiscard]] TJwLockSectionPtr StopLock() override;
    [[nodiscard]] TJwLockSectionPtr UnlockAll() override;
    [[nodiscard]] TJwLockSectionPtr
    UnlockAllLockInOrder(const TIntfPtr<IJwLock>& AFirstLock) override;
    TJwLock* Instance() override;

private:
    THxLock(TIntfPtr<IJwLock> ALock, THxPropUpdateFunc ANotify);

    const TIntfPtr<IJwLock> FLock;
};
