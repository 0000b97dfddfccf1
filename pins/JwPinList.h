#pragma once
// A named collection of pins owned by a component, published by it as one
// property. The list may own its pins and free them with itself.

#include <utility>
#include <vector>

#include <QString>

#include "pins/JwBasicPin.h"

class TFiler;
class TReader;

class TJwPinList : public TJwPinObject {
    Q_OBJECT
public:
    explicit TJwPinList(TComponent* AOwner, bool APinsOwner = true,
                        const TIntfPtr<IJwLock>& AOwnerLock = {});

    // Raises EJwPinError for an empty or duplicate name.
    void Add(const QString& AName, TJwBasicPin* APin);
    // Takes the pin out (and frees it when the list owns its pins).
    void Remove(TJwBasicPin* APin);
    void Clear();

    int32_t Count();
    // Raises EListError out of range.
    TJwBasicPin* Pins(int32_t AIndex);
    TJwBasicPin* Find(const QString& AName);
    int32_t IndexOf(const TJwBasicPin* APin);
    QString NameOf(const TJwBasicPin* APin);

    TComponent* GetListOwner() const { return FOwner; }
    bool GetPinsOwner() const { return FPinsOwner; }

    [[nodiscard]] TJwLockSectionPtr ReadLock() override;
    [[nodiscard]] TJwLockSectionPtr WriteLock() override;

    // "Form", "Pins" (the links of each pin, by name) and the read-only "PinsOwner".
    void DefineProperties(TFiler& AFiler) override;

protected:
    ~TJwPinList() override;
    void BeforeDestruction() override;

private:
    void ReadPins(TReader& AReader);

    TComponent* FOwner;
    TIntfPtr<IJwLock> FOwnerLock;
    std::vector<std::pair<QString, TJwBasicPin*>> FPinsList;
    bool FPinsOwner;
    QString FLoadFormName;
};
