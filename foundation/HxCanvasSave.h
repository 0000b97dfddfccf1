#pragma once
// Saves a canvas's pen and brush and puts them back when the last reference
// goes: hold it through IHxCanvasSave for the length of a drawing step that
// changes them. The font is not saved.

#include "foundation/HxCanvas.h"
#include "platform/Graphics.h"
#include "platform/Interfaces.h"

class IHxCanvasSave : public IInterface {
public:
    using Parent = IInterface;
    static constexpr TGUID IID = TGUID::Parse("{A04EC04F-1814-4E56-A81E-C275323E2D4E}");

    // Puts the saved pen and brush back now.
    virtual void Reset() = 0;

protected:
    ~IHxCanvasSave() = default;
};

using THxCanvasSavePtr = TIntfPtr<IHxCanvasSave>;

class THxCanvasSave : public TInterfaced<IHxCanvasSave> {
public:
    // ACanvas must outlive this object.
    explicit THxCanvasSave(THxCanvas& ACanvas);
    ~THxCanvasSave() override;

    void Reset() override;

private:
    THxCanvas& FCanvas;
    TOwned<TPen> FPen;
    TOwned<TBrush> FBrush;
};
