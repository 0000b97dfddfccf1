#pragma once
// The parts of a data display that take its input and, as views, a place in
// its layout. Components and views register themselves in the display's
// lists on creation and leave them on destruction; the lists do not own
// them (the derived display does).

#include "display/KvScopeTypes.h"
#include "foundation/HxPersistent.h"
#include "platform/Controls.h"
#include "platform/Exceptions.h"

#include <vector>

class THxCanvas;
class TKvDataDisplay;

class TKvDisplayComponent : public THxPersistent {
    Q_OBJECT
public:
    // Shares ADisplay's lock and joins its component list.
    explicit TKvDisplayComponent(TKvDataDisplay* ADisplay);

    TKvDataDisplay* Display() const { return FDisplay; }
    bool MouseIsInView() const { return FMouseIsInView; }

    virtual void GetDrawRect(TRect& ARect) const = 0;
    virtual void SetDrawRect(const TRect& ARect);
    virtual bool IsVisible() const;
    // Hover tracking: the first component under the mouse takes the move.
    virtual void MouseMove(TShiftState Shift, int32_t X, int32_t Y, bool& Handled);
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, bool& Handled, bool Inside,
                           int32_t X, int32_t Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, bool Inside, int32_t X, int32_t Y);
    virtual void DisplayMouseLeave();
    virtual void DisplayMouseEnter();
    virtual void MouseLeaveView();
    virtual void MouseEnterView();
    virtual void MouseWheelDown(TShiftState Shift, TPoint MousePos);
    virtual void MouseWheelUp(TShiftState Shift, TPoint MousePos);

protected:
    ~TKvDisplayComponent() override;

    bool FMouseIsInView = false;
    TKvDataDisplay* const FDisplay;
};

class TKvDisplayView : public TKvDisplayComponent {
    Q_OBJECT
public:
    // Also joins the display's view list, at its end.
    explicit TKvDisplayView(TKvDataDisplay* ADisplay);

    // The draw rectangle, or the empty one while not visible.
    void GetDrawRect(TRect& ARect) const override;
    void SetDrawRect(const TRect& ARect) override;
    // At least one pixel in each direction.
    bool IsVisible() const override;

    // The preferred extent; -1 in a direction means whatever is left.
    virtual void GetDefaultRect(TSize& ASize) const = 0;
    // Room this view needs at the start (A) and the far end (B) of the other
    // direction, measured from the control's edge.
    virtual int32_t GetMarginA() const;
    virtual int32_t GetMarginB() const;
    // A TKvViewAlign value, or KvDataViewAlign for the data view.
    virtual int32_t GetAlign() const = 0;
    virtual int32_t GetLeft() const;
    virtual int32_t GetTop() const;
    virtual int32_t GetWidth() const;
    virtual int32_t GetHeight() const;
    virtual void InvalidateView();
    // Whether the layout gives this view room.
    virtual bool IsVisibleForced() const;
    virtual double GetIntValueAt(int32_t X, int32_t Y) const;
    virtual double GetMinValue() const;
    virtual double GetMaxValue() const;
    virtual void Draw(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical,
                      bool Printing);
    virtual void DrawEx(TKvDisplayDrawPart ADrawPart, THxCanvas* ACanvas, bool Vertical);
    // The rubber band of a mouse zoom drag, in the display's selection colour.
    virtual void DrawMouseSelction(THxCanvas* ACanvas);

    int32_t Left() const { return GetLeft(); }
    int32_t Top() const { return GetTop(); }
    int32_t Width() const { return GetWidth(); }
    int32_t Height() const { return GetHeight(); }
    TRect DrawRect() const;
    TSize DefaultRect() const;

    // Along and across the display's orientation: a vertical display runs
    // its data from top to bottom.
    int32_t AlongLength() const;
    int32_t AcrossLength() const;
    int32_t AlongStart() const;
    int32_t AcrossStart() const;

    const TKvRealPoint& ValuePoint() const { return FValuePoint; }

protected:
    ~TKvDisplayView() override;

    void DisplayInvalidateLayout();
    void DisplayInvalidateRefresh();

    TKvRealPoint FValuePoint;
    const double* FZValues = nullptr;
    TRect FDrawRect;
    bool FLeftMouseDown = false;
    TPoint FCurrentMousePoint;
    TPoint FLeftMouseDownPoint;
};

// Non-owning lists in a meaningful order.
template <class T> class TKvDisplayObjectList {
public:
    void Add(T* AObject) { FList.push_back(AObject); }
    // Removes the first occurrence; answers its former index or -1.
    int32_t Remove(T* AObject) {
        for (size_t i = 0; i < FList.size(); ++i)
            if (FList[i] == AObject) {
                FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(i));
                return static_cast<int32_t>(i);
            }
        return -1;
    }
    int32_t IndexOf(const T* AObject) const {
        for (size_t i = 0; i < FList.size(); ++i)
            if (FList[i] == AObject)
                return static_cast<int32_t>(i);
        return -1;
    }
    int32_t Count() const { return static_cast<int32_t>(FList.size()); }
    // Raises EListError outside 0..Count-1.
    T* Items(int32_t AIndex) const;
    T* operator[](int32_t AIndex) const { return Items(AIndex); }

protected:
    std::vector<T*> FList;
};

class TKvDisplayComponents : public TKvDisplayObjectList<TKvDisplayComponent> {};

class TKvDisplayViews : public TKvDisplayObjectList<TKvDisplayView> {
public:
    // Behind AAfterObject; at the end when it is absent or last.
    void AddAfter(TKvDisplayView* AAfterObject, TKvDisplayView* AObject);
    // In front of AAfterObject; at the end when it is absent.
    void AddBefore(TKvDisplayView* AAfterObject, TKvDisplayView* AObject);
    // Moves AObject to the end of the layout order.
    void Reassign(TKvDisplayView* AObject);
};

template <class T> T* TKvDisplayObjectList<T>::Items(int32_t AIndex) const {
    if (AIndex < 0 || AIndex >= Count())
        ListIndexError(AIndex);
    return FList[static_cast<size_t>(AIndex)];
}
