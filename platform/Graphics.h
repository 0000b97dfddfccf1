#pragma once
// The canvas's drawing objects: pen, brush and font, with the framework's
// defaults. They are persistent (settings objects derive from them and
// store them with a form); a change raises OnChange.

#include "platform/Colors.h"
#include "platform/Persistent.h"

#include <QFont>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

// Fonts are measured at this resolution: a point is 96/72 pixels.
constexpr int32_t ScreenPixelsPerInch = 96;

class TPen : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int32_t Width READ Width WRITE SetWidth)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clBlack")
    Q_CLASSINFO("default:Mode", "pmCopy")
    Q_CLASSINFO("default:Style", "psSolid")
    Q_CLASSINFO("default:Width", "1")

public:
    enum TPenStyle {
        psSolid,
        psDash,
        psDot,
        psDashDot,
        psDashDotDot,
        psClear,
        psInsideFrame,
        psUserStyle,
        psAlternate
    };
    Q_ENUM(TPenStyle)

    // How the pen's colour (P) meets the pixels under it (D), named after
    // the result: Merge is P or D, Mask P and D, Not inverts.
    enum TPenMode {
        pmBlack,
        pmWhite,
        pmNop,
        pmNot,
        pmCopy,
        pmNotCopy,
        pmMergePenNot,
        pmMaskPenNot,
        pmMergeNotPen,
        pmMaskNotPen,
        pmMerge,
        pmNotMerge,
        pmMask,
        pmNotMask,
        pmXor,
        pmNotXor
    };
    Q_ENUM(TPenMode)

    TPen() = default;

    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle AValue);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode AValue);
    // Width in pixels; 0 draws like 1. Styles other than solid and clear
    // only apply to one-pixel pens: wider pens draw solid.
    int32_t Width() const { return FWidth; }
    void SetWidth(int32_t AValue);

    // From another pen: all its settings; otherwise the base behaviour.
    void Assign(TPersistent* ASource) override;

    std::function<void()> OnChange;

protected:
    ~TPen() override = default;

private:
    void Changed();

    TColor FColor = clBlack;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
    int32_t FWidth = 1;
};

class TBrush : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TBrushStyle Style READ Style WRITE SetStyle)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clWhite")
    Q_CLASSINFO("default:Style", "bsSolid")

public:
    // The hatched styles draw lines of the brush colour and leave the
    // pixels between them alone.
    enum TBrushStyle {
        bsSolid,
        bsClear,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross
    };
    Q_ENUM(TBrushStyle)

    TBrush() = default;

    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle AValue);

    void Assign(TPersistent* ASource) override;

    std::function<void()> OnChange;

protected:
    ~TBrush() override = default;

private:
    void Changed();

    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
};

class TFont : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(int32_t Height READ Height WRITE SetHeight)
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int32_t Size READ Size WRITE SetSize STORED false)
    Q_PROPERTY(TFontStyles Style READ Style WRITE SetStyle)
    Q_PROPERTY(int32_t Escapement READ Escapement WRITE SetEscapement)
    Q_CLASSINFO("type:Color", "TColor")
    Q_CLASSINFO("default:Color", "clWindowText")
    Q_CLASSINFO("default:Style", "[]")
    Q_CLASSINFO("default:Escapement", "0")

public:
    enum TFontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
    Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
    Q_FLAG(TFontStyles)

    TFont() = default;

    QString Name() const { return FName; }
    void SetName(const QString& AValue);
    // Negative: the character height in pixels; positive: the cell height
    // (character plus internal leading); 0: the default height.
    int32_t Height() const { return FHeight; }
    void SetHeight(int32_t AValue);
    // Points at 96 pixels per inch; setting it stores a negative height.
    int32_t Size() const;
    void SetSize(int32_t AValue);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles AValue);
    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);
    // Angle of the text's base line, tenths of a degree counter-clockwise.
    int32_t Escapement() const { return FEscapement; }
    void SetEscapement(int32_t AValue);

    void Assign(TPersistent* ASource) override;

    // The Qt font this describes: the family mapped to an installed one,
    // pixel-sized, drawn without antialiasing.
    QFont ToQFont() const;

    std::function<void()> OnChange;

protected:
    ~TFont() override = default;

private:
    void Changed();

    QString FName = QStringLiteral("MS Sans Serif");
    int32_t FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    int32_t FEscapement = 0;
    mutable std::optional<QFont> FCache;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFont::TFontStyles)

using TPenStyle = TPen::TPenStyle;
using enum TPen::TPenStyle;
using TPenMode = TPen::TPenMode;
using enum TPen::TPenMode;
using TBrushStyle = TBrush::TBrushStyle;
using enum TBrush::TBrushStyle;
using TFontStyle = TFont::TFontStyle;
using TFontStyles = TFont::TFontStyles;
using enum TFont::TFontStyle;

// The installed family that stands in for AName.
QString MapFontFamily(const QString& AName);
// a * b / c rounded half away from zero, as font sizes convert.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);
