#pragma once
// Collections of a display's items (marker groups, markers): every item knows
// the display, answers what the legend asks of it, and repaints the display
// when it changes.

#include "foundation/HxCollection.h"
#include "foundation/HxTypes.h"
#include "platform/Colors.h"
#include "platform/Controls.h"

class TKvDataDisplay;
class THxCanvas;

class TKvDisplayCollection : public THxCollection {
    Q_OBJECT
public:
    TKvDisplayCollection(TKvDataDisplay* ADataChart, THxPersistent* AOwner,
                         TItemFactory AItemFactory);
    TKvDisplayCollection(TKvDataDisplay* ADataChart, THxCollectionItem* AOwner,
                         TItemFactory AItemFactory);
    TKvDisplayCollection(TKvDataDisplay* ADataChart, TComponent* AOwner, const THxLockPtr& ALock,
                         TItemFactory AItemFactory);

    TKvDataDisplay* Display() const { return FDisplay; }

protected:
    ~TKvDisplayCollection() override;

private:
    TKvDataDisplay* const FDisplay;
};

class TKvDisplayCollectionItem : public THxCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QString Name READ GetName WRITE SetName)
    Q_PROPERTY(int32_t Tag READ GetTag WRITE SetTag)
    Q_CLASSINFO("default:Tag", "0")
public:
    // ACollection must be a TKvDisplayCollection; raises Exception otherwise.
    explicit TKvDisplayCollectionItem(TCollection* ACollection);

    TKvDataDisplay* Display() const { return FOwner; }

    QString GetName() const { return FLock->Getter(FName); }
    void SetName(const QString& AValue);
    int32_t GetTag() const { return FLock->Getter(FTag); }
    void SetTag(int32_t AValue);
    QString GetDisplayName() const override { return GetName(); }

    // What the legend shows of this item.
    virtual TColor GetLegendColor();
    virtual bool HasLegendPen();
    // A pen or brush the canvas can copy (SetFromDisplayPen/Brush).
    virtual TPersistent* GetLegendPen();
    virtual bool HasLegendBrush();
    virtual TPersistent* GetLegendBrush();
    // True when the item drew its own symbol at (X, Y).
    virtual bool DrawLegendSymbol(THxCanvas* ACanvas, int32_t Y, int32_t X);
    virtual bool IsLegendVisible();
    virtual bool IsHighlighted();
    virtual void SetHighlighted(bool AState);
    virtual bool IsPressed();
    // Repaints the display.
    virtual void ItemChanged();

protected:
    ~TKvDisplayCollectionItem() override;

    TKvDataDisplay* const FOwner;

private:
    QString FName;
    int32_t FTag = 0;
};

using TKvItemMouseEvent = std::function<void(TPersistent* Sender, TMouseButton Button,
                                             TShiftState Shift, int32_t X, int32_t Y)>;

// An item that takes the mouse: enter, leave, press (a left press is a
// click) and release.
class TKvDisplaySelectableCollectionItem : public TKvDisplayCollectionItem {
    Q_OBJECT
public:
    explicit TKvDisplaySelectableCollectionItem(TCollection* ACollection);

    virtual void ItemMouseEnter();
    virtual void ItemMouseLeave();
    virtual void ItemMouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);
    // Only after a press on this item.
    virtual void ItemMouseUp(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y);

    bool MouseIsDown() const { return FMouseIsDown; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TKvItemMouseEvent OnMouseDown;
    TNotifyEvent OnClick;
    TKvItemMouseEvent OnMouseUp;

protected:
    ~TKvDisplaySelectableCollectionItem() override;

    bool FMouseIsDown = false;
};

// An item the user can hide; hidden, the legend leaves it out.
class TKvOptionalDisplayCollectionItem : public TKvDisplaySelectableCollectionItem {
    Q_OBJECT
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_CLASSINFO("default:Visible", "True")
public:
    explicit TKvOptionalDisplayCollectionItem(TCollection* ACollection);

    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue);
    bool IsLegendVisible() override { return GetVisible(); }

protected:
    ~TKvOptionalDisplayCollectionItem() override;

private:
    bool FVisible = true;
};
