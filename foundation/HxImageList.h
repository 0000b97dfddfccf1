#pragma once
// A small list of equally sized images (toolbar buttons), drawn on a canvas.

#include "foundation/HxCanvas.h"
#include "platform/ImageList.h"

#include <QString>

class THxImageList {
public:
    THxImageList(int32_t AWidth, int32_t AHeight);

    void Clear();
    // Makes AImage the image's size and draws image AIndex on it; an index
    // outside the list leaves AImage as it is.
    void GetBitmap(int32_t AIndex, TBitmap& AImage) const;
    // Raises EListError for an index outside the list.
    void ReplaceMasked(int32_t AIndex, const TBitmap& ANewImage, TColor AMaskColor);
    // Appends the images of the strip in the program's resources under
    // AName (the resource ":/<AName>"), AMaskColor transparent. False when
    // there is no such resource or it is not an image.
    bool LoadResourceBitmap(const QString& AName, TColor AMaskColor);
    // Image AIndex, enabled, with its top-left corner at (X, Y); an index
    // outside the list draws nothing.
    void Draw(THxCanvas& ACanvas, int32_t X, int32_t Y, int32_t AIndex) const;

    int32_t Width() const { return FList.Width(); }
    int32_t Height() const { return FList.Height(); }
    int32_t Count() const { return FList.Count(); }

private:
    TImageList FList;
};
