#include "foundation/HxImageList.h"

#include "platform/Canvas.h"

THxImageList::THxImageList(int32_t AWidth, int32_t AHeight) : FList(AWidth, AHeight) {}

void THxImageList::Clear() {
    FList.Clear();
}

void THxImageList::GetBitmap(int32_t AIndex, TBitmap& AImage) const {
    FList.GetBitmap(AIndex, AImage);
}

void THxImageList::ReplaceMasked(int32_t AIndex, const TBitmap& ANewImage, TColor AMaskColor) {
    FList.ReplaceMasked(AIndex, OpaqueImage(ANewImage.Image()), AMaskColor);
}

bool THxImageList::LoadResourceBitmap(const QString& AName, TColor AMaskColor) {
    return FList.LoadBitmap(QStringLiteral(":/") + AName, AMaskColor);
}

void THxImageList::Draw(THxCanvas& ACanvas, int32_t X, int32_t Y, int32_t AIndex) const {
    FList.Draw(ACanvas.GetCanvas(), X, Y, AIndex, true);
}
