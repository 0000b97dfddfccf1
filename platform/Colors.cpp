#include "platform/Colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

QColor SystemColor(int AIndex) {
    const QPalette pal = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
    switch (AIndex) {
    case 0:
        return pal.color(QPalette::Button); // scroll bar
    case 1:
        return pal.color(QPalette::Window); // desktop
    case 2:
        return pal.color(QPalette::Active, QPalette::Highlight); // active caption
    case 3:
        return pal.color(QPalette::Inactive, QPalette::Highlight); // inactive caption
    case 4:
        return pal.color(QPalette::Window); // menu
    case 5:
        return pal.color(QPalette::Base); // window
    case 6:
        return pal.color(QPalette::Shadow); // window frame
    case 7:
        return pal.color(QPalette::WindowText); // menu text
    case 8:
        return pal.color(QPalette::Text); // window text
    case 9:
        return pal.color(QPalette::Active, QPalette::HighlightedText);
    case 10:
        return pal.color(QPalette::Window); // active border
    case 11:
        return pal.color(QPalette::Window); // inactive border
    case 12:
        return pal.color(QPalette::Dark); // MDI workspace
    case 13:
        return pal.color(QPalette::Highlight);
    case 14:
        return pal.color(QPalette::HighlightedText);
    case 15:
        return pal.color(QPalette::Button); // button face
    case 16:
        return pal.color(QPalette::Dark); // button shadow
    case 17:
        return pal.color(QPalette::Disabled, QPalette::Text); // grey text
    case 18:
        return pal.color(QPalette::ButtonText);
    case 19:
        return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20:
        return pal.color(QPalette::Light); // button highlight
    case 21:
        return pal.color(QPalette::Shadow); // 3D dark shadow
    case 22:
        return pal.color(QPalette::Midlight); // 3D light
    case 23:
        return pal.color(QPalette::ToolTipText);
    case 24:
        return pal.color(QPalette::ToolTipBase);
    default:
        return QColor(Qt::black);
    }
}

struct TColorName {
    TColor Color;
    const char* Name;
};

// First name wins where two share a value.
constexpr TColorName ColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

} // namespace

QColor ColorToQColor(TColor AColor) {
    if (AColor < 0) {
        QColor c = SystemColor(AColor & 0xFF);
        c.setAlpha(255);
        return c;
    }
    const auto v = static_cast<uint32_t>(AColor);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

uint32_t ColorToRGB(TColor AColor) {
    if (AColor >= 0)
        return static_cast<uint32_t>(AColor) & 0x00FFFFFFu;
    return static_cast<uint32_t>(QColorToColor(ColorToQColor(AColor)));
}

TColor QColorToColor(const QColor& AColor) {
    return RGBColor(static_cast<uint8_t>(AColor.red()), static_cast<uint8_t>(AColor.green()),
                    static_cast<uint8_t>(AColor.blue()));
}

QString ColorToIdent(TColor AColor) {
    for (const TColorName& entry : ColorNames)
        if (entry.Color == AColor)
            return QString::fromLatin1(entry.Name);
    return QString();
}

bool IdentToColor(const QString& AIdent, TColor& AColor) {
    for (const TColorName& entry : ColorNames)
        if (AIdent.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0) {
            AColor = entry.Color;
            return true;
        }
    return false;
}
