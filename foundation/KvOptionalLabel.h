#pragma once
// Labels of a display that can be hidden: a font (Arial, 8 points, white)
// and, for TKvOptionalLabel, a text. A change of the font raises the
// label's OnChange.

#include "foundation/HxPersistentNotify.h"
#include "foundation/KvDisplayFont.h"

class TKvBasicOptionalLabel : public THxPersistentNotify {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayFont* Font READ GetFont WRITE SetFont)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_CLASSINFO("default:Visible", "True")
public:
    TKvBasicOptionalLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock,
                          TNotifyEvent AOnChange);

    TKvDisplayFont* GetFont() const { return FFont.get(); }
    // Copies AValue into the owned font.
    void SetFont(TKvDisplayFont* AValue);
    bool GetVisible() const;
    void SetVisible(bool AValue);

protected:
    ~TKvBasicOptionalLabel() override;

private:
    TOwned<TKvDisplayFont> FFont;
    bool FVisible = true;
};

class TKvOptionalLabel : public TKvBasicOptionalLabel {
    Q_OBJECT
    Q_PROPERTY(QString Text READ GetText WRITE SetText)
public:
    TKvOptionalLabel(TPersistent* AOwnerProperty, const THxLockPtr& ALock, TNotifyEvent AOnChange);

    QString GetText() const;
    void SetText(const QString& AValue);

protected:
    ~TKvOptionalLabel() override;

private:
    QString FText;
};
