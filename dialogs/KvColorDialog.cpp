#include "dialogs/KvColorDialog.h"

#include <QColorDialog>

bool ExecuteColorDialog(QWidget* AParent, TColor& AColor) {
    QColorDialog dialog(ColorToQColor(AColor), AParent);
    dialog.setObjectName(QStringLiteral("ColorDialog"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QColor chosen = dialog.selectedColor();
    if (!chosen.isValid())
        return false;
    AColor = QColorToColor(chosen);
    return true;
}
