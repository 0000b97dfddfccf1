#include "foundation/HxCanvasSave.h"

#include "platform/Canvas.h"

THxCanvasSave::THxCanvasSave(THxCanvas& ACanvas)
    : FCanvas(ACanvas), FPen(MakeOwned<TPen>()), FBrush(MakeOwned<TBrush>()) {
    FPen->Assign(&ACanvas.GetCanvas().Pen());
    FBrush->Assign(&ACanvas.GetCanvas().Brush());
}

THxCanvasSave::~THxCanvasSave() {
    Reset();
}

void THxCanvasSave::Reset() {
    FCanvas.GetCanvas().Pen().Assign(FPen.get());
    FCanvas.GetCanvas().Brush().Assign(FBrush.get());
}
