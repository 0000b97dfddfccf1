#pragma once
// The look every property dialog shares: "MS Sans Serif" 8 point (11 pixels
// high) on the colour of button faces.

#include <QWidget>

void ApplyDialogLook(QWidget* AWidget);

// A label at (X, Y) with an accelerator (&) that focuses ABuddy.
class QLabel;
QLabel* MakeLabel(QWidget* AParent, const QString& ACaption, int AX, int AY,
                  QWidget* ABuddy = nullptr);
