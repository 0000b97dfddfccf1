#pragma once
// A placeholder for a pin named in a stored link that does not exist yet.
// It keeps the links made to it until the real pin appears, then moves them
// over and goes away. Placeholders belong to a process-wide list.

#include <QPointer>
#include <vector>

#include "pins/JwBasicPin.h"
#include "platform/Component.h"

class TJwPin;

class TJwUnloadedPin : public TJwBasicPin {
    Q_OBJECT
public:
    TJwUnloadedPin(TComponent* ARoot, QString AIdentName, QString ADisplayName, TJwPinType AType,
                   QString ACreatedFrom);

    // The placeholder for that name under ARoot, made when there is none.
    static TJwUnloadedPin* FindOrCreate(TComponent* ARoot, const QString& AIdentName,
                                        const QString& ADisplayName, TJwPinType AType,
                                        const QString& ACreatedFrom);
    // Moves the links of every placeholder waiting for APin onto it.
    static void ResolveFor(TJwPin* APin);
    // The placeholders that are still waiting.
    static std::vector<TJwUnloadedPin*> Pending();

    TJwPinType GetPinType() const override { return FType; }
    // Records the link; the real pin makes it when it comes.
    bool ConnectAfter(TJwBasicPin* AOtherPin, TJwBasicPin* ANotifyAfterPin) override;
    bool IsCompatible(TJwBasicPin* AOtherPin, bool AUseConverters) override;
    void Disconnect() override;
    void DisconnectFrom(TJwBasicPin* AOtherPin) override;
    bool IsConnected() override;
    bool IsConnectedTo(TJwBasicPin* AOtherPin) override;
    int32_t GetConnectedPinCount() override;

    QString GetFullName(bool AIncludeRootForm) const override;
    QString GetFullIdentName(bool AIncludeRootForm) const override;
    TComponent* GetRoot() const override { return FRoot; }
    const QString& GetCreatedFrom() const { return FCreatedFrom; }
    // Whether the form the placeholder waits in is gone.
    bool IsOrphaned() const { return FHadRoot && FRoot.isNull(); }

    // Links the real pin as every stored link says, then frees the placeholder.
    void PopulatePinAndDestroy(TJwBasicPin* APin);

    void PinDestroyed(TJwBasicPin* APin) override;

protected:
    ~TJwUnloadedPin() override = default;

private:
    struct TLink {
        TJwBasicPin* Pin;
        TJwBasicPin* NotifyAfterPin;
    };

    QString FDisplayName;
    QString FIdentName;
    QPointer<TComponent> FRoot;
    bool FHadRoot;
    TJwPinType FType;
    std::vector<TLink> FConnectedPins;
    QString FCreatedFrom;
};
