#pragma once
// A list of equally sized images. A mask colour makes the pixels of that
// colour transparent when the image is drawn.

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QString>
#include <vector>

class TImageList {
public:
    TImageList(int32_t AWidth, int32_t AHeight);

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    int32_t Count() const { return static_cast<int32_t>(FImages.size()); }

    // Splits AStrip into images of Width from the left (a narrower strip
    // gives one image) and appends them; pixels of AMaskColor become
    // transparent (clNone: none; clDefault: the colour of each image's
    // bottom-left pixel). Returns the index of the first image added.
    int32_t AddMasked(const QImage& AStrip, TColor AMaskColor);
    int32_t Add(const QImage& AStrip) { return AddMasked(AStrip, clNone); }
    // Loads an image file or resource path as a strip; false when it cannot be read.
    bool LoadBitmap(const QString& AFileName, TColor AMaskColor);
    // Raises EListError for an index outside the list.
    void ReplaceMasked(int32_t AIndex, const QImage& AImage, TColor AMaskColor);
    void Delete(int32_t AIndex);
    void Clear() { FImages.clear(); }

    // Draws image AIndex with its top-left corner at (X, Y); a disabled
    // image is drawn greyed. An index outside the list draws nothing.
    void Draw(TCanvas& ACanvas, int32_t X, int32_t Y, int32_t AIndex, bool AEnabled = true) const;
    // Makes ABitmap the image's size and draws the image on it; false (and
    // ABitmap unchanged) for an index outside the list.
    bool GetBitmap(int32_t AIndex, TBitmap& ABitmap) const;
    // The stored image (ARGB32, transparent where masked); null outside the list.
    QImage Image(int32_t AIndex) const;

private:
    QImage Prepared(const QImage& AImage, TColor AMaskColor) const;

    int32_t FWidth;
    int32_t FHeight;
    std::vector<QImage> FImages;
};
