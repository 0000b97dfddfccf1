#pragma once
// A group of the legend: a caption and a list of items with a symbol and a
// text each. The group's creator owns it and lists it in the legend; the
// items come from a subclass (a display collection for TKvLegendGroup).

#include "display/KvDisplayLabel.h"
#include "display/KvScopeTypes.h"
#include "platform/Cursors.h"

class TKvLegendView;
class TKvDisplayCollection;
class THxCanvas;

class TKvBasicLegendGroup : public THxPersistent {
    Q_OBJECT
    Q_PROPERTY(TKvDisplayLabel* Caption READ GetCaption WRITE SetCaption)
    Q_PROPERTY(bool Visible READ GetVisible WRITE SetVisible)
    Q_PROPERTY(TCursor Cursor READ GetCursor WRITE SetCursor)
    Q_CLASSINFO("default:Visible", "True")
    Q_CLASSINFO("default:Cursor", "-21")
public:
    // Shares the legend's lock; does not join its list.
    TKvBasicLegendGroup(TKvLegendView* AOwner, const QString& ADefaultLabel);

    TKvLegendView* Legend() const { return FOwner; }
    TKvDisplayLabel* GetCaption() const { return FLegendLabel.get(); }
    void SetCaption(TKvDisplayLabel* AValue);
    bool GetVisible() const { return FLock->Getter(FVisible); }
    void SetVisible(bool AValue);
    TCursor GetCursor() const;
    void SetCursor(TCursor AValue) { FLock->SetterCursor(FCursor, AValue, nullptr); }
    const QString& DefaultLabel() const { return FDefaultLabel; }
    // The caption's text, or the default label while it has none.
    QString CaptionText() const;

    TKvChartItemClickEvent OnItemClick;

    // Draws the caption and the visible items from YPos on, which it moves
    // past them; LastYPos gets where the group ended.
    void Draw(THxCanvas* ACanvas, bool Vertical, bool Printing, int32_t& YPos, int32_t& LastYPos);
    // The visible item whose row holds (X, Y), or -1; YPos walks as in Draw.
    int32_t ButtonHitTest(int32_t X, int32_t Y, int32_t& YPos);
    // Width the group needs: 0 while hidden or empty.
    int32_t GetDefaultSize();
    // Height the group adds to the legend's content (0 while hidden or
    // empty), not counting the gap before it.
    int32_t ContentHeight();

    int32_t HighlightedItemIndex() const { return FHighlightedItemIndex; }
    void SetHighlightedItemIndex(int32_t AValue) { FHighlightedItemIndex = AValue; }
    int32_t MouseDownItemIndex() const { return FMuseDownItemIndex; }
    void SetMouseDownItemIndex(int32_t AValue) { FMuseDownItemIndex = AValue; }
    // True when the group has anything to show.
    bool IsShown();

    // The items, in slot order.
    virtual int32_t GetItemCount() = 0;
    virtual void GetItemText(int32_t AIndex, QString& AText);
    virtual bool GetItemVisible(int32_t AIndex);
    virtual void SetItemHighlighted(int32_t AIndex, bool AState);
    virtual bool GetItemHighlighted(int32_t AIndex);
    virtual bool GetItemPressed(int32_t AIndex);
    // True when the item drew its own symbol at (X, Y).
    virtual bool DrawItemSymbol(int32_t AIndex, THxCanvas* ACanvas, int32_t Y, int32_t X);
    virtual TColor GetItemColor(int32_t AIndex);
    virtual bool GetItemHasPen(int32_t AIndex);
    virtual TPersistent* GetItemPen(int32_t AIndex);
    virtual bool GetItemHasBrush(int32_t AIndex);
    virtual TPersistent* GetItemBrush(int32_t AIndex);
    virtual bool CanShowItemProperties();

protected:
    ~TKvBasicLegendGroup() override;

private:
    friend class TKvLegendView;
    // What the caption adds to the walk down the group: its row less the 6
    // pixels it starts above the first item, at least 0; 0 while hidden.
    int32_t CaptionAdvance(THxCanvas* ACanvas);

    TKvLegendView* FOwner;
    TOwned<TKvDisplayLabel> FLegendLabel;
    int32_t FHighlightedItemIndex = -1;
    int32_t FMuseDownItemIndex = -1;
    const QString FDefaultLabel;
    bool FVisible = true;
    TCursor FCursor = crHandPoint;
};

// A group whose items are the items of a display collection.
class TKvLegendGroup : public TKvBasicLegendGroup {
    Q_OBJECT
public:
    TKvLegendGroup(TKvLegendView* AOwner, const QString& ADefaultLabel,
                   TKvDisplayCollection* ALegendCollection);

    TKvDisplayCollection* LegendCollection() const { return FLegendCollection; }

    int32_t GetItemCount() override;
    void GetItemText(int32_t AIndex, QString& AText) override;
    bool GetItemVisible(int32_t AIndex) override;
    // Highlights item AIndex alone, or with AState false none.
    void SetItemHighlighted(int32_t AIndex, bool AState) override;
    bool GetItemHighlighted(int32_t AIndex) override;
    bool GetItemPressed(int32_t AIndex) override;
    bool DrawItemSymbol(int32_t AIndex, THxCanvas* ACanvas, int32_t Y, int32_t X) override;
    TColor GetItemColor(int32_t AIndex) override;
    bool GetItemHasPen(int32_t AIndex) override;
    TPersistent* GetItemPen(int32_t AIndex) override;
    bool GetItemHasBrush(int32_t AIndex) override;
    TPersistent* GetItemBrush(int32_t AIndex) override;

protected:
    ~TKvLegendGroup() override;

private:
    TKvDisplayCollection* const FLegendCollection;
};
