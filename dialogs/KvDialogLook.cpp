#include "dialogs/KvDialogLook.h"

#include "platform/Colors.h"
#include "platform/Graphics.h"

#include <QLabel>
#include <QPalette>

void ApplyDialogLook(QWidget* AWidget) {
    QFont font(MapFontFamily(QStringLiteral("MS Sans Serif")));
    font.setPixelSize(11);
    AWidget->setFont(font);
    QPalette palette = AWidget->palette();
    palette.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    AWidget->setPalette(palette);
    AWidget->setAutoFillBackground(true);
}

QLabel* MakeLabel(QWidget* AParent, const QString& ACaption, int AX, int AY, QWidget* ABuddy) {
    auto* label = new QLabel(ACaption, AParent);
    label->move(AX, AY);
    label->adjustSize();
    if (ABuddy)
        label->setBuddy(ABuddy);
    return label;
}
