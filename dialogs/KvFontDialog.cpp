#include "dialogs/KvFontDialog.h"

#include "platform/Graphics.h"

#include <QFontDialog>
#include <algorithm>

bool ExecuteFontDialog(QWidget* AParent, TFont* AFont) {
    QFont initial(MapFontFamily(AFont->Name()));
    initial.setPointSize(std::max(1, AFont->Size()));
    initial.setBold(AFont->Style().testFlag(fsBold));
    initial.setItalic(AFont->Style().testFlag(fsItalic));
    initial.setUnderline(AFont->Style().testFlag(fsUnderline));
    initial.setStrikeOut(AFont->Style().testFlag(fsStrikeOut));

    QFontDialog dialog(initial, AParent);
    dialog.setObjectName(QStringLiteral("FontDialog"));
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = dialog.selectedFont();

    auto font = MakeOwned<TFont>();
    font->Assign(AFont);
    // A family that only stands in for the stored name keeps that name.
    if (chosen.family() != MapFontFamily(AFont->Name()))
        font->SetName(chosen.family());
    if (chosen.pointSize() > 0)
        font->SetSize(chosen.pointSize());
    TFontStyles style;
    style.setFlag(fsBold, chosen.bold());
    style.setFlag(fsItalic, chosen.italic());
    style.setFlag(fsUnderline, chosen.underline());
    style.setFlag(fsStrikeOut, chosen.strikeOut());
    font->SetStyle(style);
    AFont->Assign(font.get());
    return true;
}
