#include "foundation/HxLock.h"

#include "platform/Exceptions.h"

THxBasicLock::THxBasicLock(THxPropUpdateFunc ANotify) : FNotify(std::move(ANotify)) {}

template <class T>
bool THxBasicLock::TypedSet(T& APropValue, const T& AValue, const THxPropUpdateFunc& AUpdatedFunc,
                            bool ANotify) {
    // A stopping tree refuses new entries: the value is not the caller's to set.
    const TJwLockSectionPtr Section = WriteLock();
    if (!JwHolds(Section) || APropValue == AValue)
        return false;
    APropValue = AValue;
    if (AUpdatedFunc)
        AUpdatedFunc();
    if (ANotify)
        ChangeNotify();
    return true;
}

template <class T>
bool THxBasicLock::ClampedSet(T& APropValue, std::type_identity_t<T> AValue,
                              const std::type_identity_t<T>* AMinValue,
                              const std::type_identity_t<T>* AMaxValue,
                              const THxPropUpdateFunc& AUpdatedFunc) {
    if (AMinValue && AValue < *AMinValue)
        AValue = *AMinValue;
    if (AMaxValue && AValue > *AMaxValue)
        AValue = *AMaxValue;
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

template <class T> T THxBasicLock::TypedGet(const T& APropValue) {
    // A stopping tree lets readers through unlocked; only the stopping thread
    // changes values then, and setters from elsewhere are refused.
    const TJwLockSectionPtr Section = ReadLock();
    return APropValue;
}

bool THxBasicLock::Setter(TGPColor& APropValue, TGPColor AValue,
                          const THxPropUpdateFunc& AUpdatedFunc, bool) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::SetterColor(TColor& APropValue, TColor AValue,
                               const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::SetterCursor(TCursor& APropValue, TCursor AValue,
                                const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(int32_t& APropValue, int32_t AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(int16_t& APropValue, int16_t AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(int64_t& APropValue, int64_t AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(uint32_t& APropValue, uint32_t AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(uint16_t& APropValue, uint16_t AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(uint8_t& APropValue, uint8_t AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(float& APropValue, float AValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(double& APropValue, double AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(bool& APropValue, bool AValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(QString& APropValue, const QString& AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(QByteArray& APropValue, const QByteArray& AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(QChar& APropValue, QChar AValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::SetterDateTime(TDateTime& APropValue, TDateTime AValue,
                                  const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(TKvClockSource& APropValue, TKvClockSource AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, true);
}

bool THxBasicLock::Setter(TKvSynchronizeType& APropValue, TKvSynchronizeType AValue,
                          const THxPropUpdateFunc& AUpdatedFunc) {
    return TypedSet(APropValue, AValue, AUpdatedFunc, false);
}

bool THxBasicLock::SetterMin(int32_t& APropValue, int32_t AValue, int32_t AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(int32_t& APropValue, int32_t AValue, int32_t AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(int32_t& APropValue, int32_t AValue, int32_t AMinValue,
                                int32_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMin(int64_t& APropValue, int64_t AValue, int64_t AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(int64_t& APropValue, int64_t AValue, int64_t AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(int64_t& APropValue, int64_t AValue, int64_t AMinValue,
                                int64_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMin(uint32_t& APropValue, uint32_t AValue, uint32_t AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(uint32_t& APropValue, uint32_t AValue, uint32_t AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(uint32_t& APropValue, uint32_t AValue, uint32_t AMinValue,
                                uint32_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMin(uint16_t& APropValue, uint16_t AValue, uint16_t AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(uint16_t& APropValue, uint16_t AValue, uint16_t AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(uint16_t& APropValue, uint16_t AValue, uint16_t AMinValue,
                                uint16_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMin(uint8_t& APropValue, uint8_t AValue, uint8_t AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(uint8_t& APropValue, uint8_t AValue, uint8_t AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(uint8_t& APropValue, uint8_t AValue, uint8_t AMinValue,
                                uint8_t AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMin(float& APropValue, float AValue, float AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(float& APropValue, float AValue, float AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(float& APropValue, float AValue, float AMinValue, float AMaxValue,
                                const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMin(double& APropValue, double AValue, double AMinValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, nullptr, AUpdatedFunc);
}

bool THxBasicLock::SetterMax(double& APropValue, double AValue, double AMaxValue,
                             const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, nullptr, &AMaxValue, AUpdatedFunc);
}

bool THxBasicLock::SetterMinMax(double& APropValue, double AValue, double AMinValue,
                                double AMaxValue, const THxPropUpdateFunc& AUpdatedFunc) {
    return ClampedSet(APropValue, AValue, &AMinValue, &AMaxValue, AUpdatedFunc);
}

int32_t THxBasicLock::Getter(const int32_t& APropValue) {
    return TypedGet(APropValue);
}

int64_t THxBasicLock::Getter(const int64_t& APropValue) {
    return TypedGet(APropValue);
}

uint32_t THxBasicLock::Getter(const uint32_t& APropValue) {
    return TypedGet(APropValue);
}

uint8_t THxBasicLock::Getter(const uint8_t& APropValue) {
    return TypedGet(APropValue);
}

uint16_t THxBasicLock::Getter(const uint16_t& APropValue) {
    return TypedGet(APropValue);
}

float THxBasicLock::Getter(const float& APropValue) {
    return TypedGet(APropValue);
}

long double THxBasicLock::Getter(const long double& APropValue) {
    return TypedGet(APropValue);
}

bool THxBasicLock::Getter(const bool& APropValue) {
    return TypedGet(APropValue);
}

QString THxBasicLock::Getter(const QString& APropValue) {
    return TypedGet(APropValue);
}

QChar THxBasicLock::Getter(const QChar& APropValue) {
    return TypedGet(APropValue);
}

TDateTime THxBasicLock::Getter(const TDateTime& APropValue) {
    return TypedGet(APropValue);
}

void THxBasicLock::ChangeNotify() {
    if (FNotify)
        FNotify();
}

THxLock::THxLock(TIntfPtr<IJwLock> ALock, THxPropUpdateFunc ANotify)
    : THxBasicLock(std::move(ANotify)), FLock(std::move(ALock)) {}

THxLockPtr THxLock::Create(THxPropUpdateFunc ANotify) {
    return THxLockPtr(new THxLock(TIntfPtr<IJwLock>(new TJwLock), std::move(ANotify)));
}

THxLockPtr THxLock::CreateCopy(const THxLockPtr& ALock, THxPropUpdateFunc ANotify) {
    if (!ALock)
        throw Exception(QStringLiteral("THxLock.CreateCopy needs a lock to share"));
    return THxLockPtr(new THxLock(TIntfPtr<IJwLock>(ALock->Instance()), std::move(ANotify)));
}

TJwLockSectionPtr THxLock::ReadLock() {
    return FLock->ReadLock();
}

TJwLockSectionPtr THxLock::WriteLock() {
    return FLock->WriteLock();
}

TJwLockSectionPtr THxLock::StopLock() {
    return FLock->StopLock();
}

TJwLockSectionPtr THxLock::UnlockAll() {
    return FLock->UnlockAll();
}

TJwLockSectionPtr THxLock::UnlockAllLockInOrder(const TIntfPtr<IJwLock>& AFirstLock) {
    return FLock->UnlockAllLockInOrder(AFirstLock);
}

TJwLock* THxLock::Instance() {
    return FLock->Instance();
}
