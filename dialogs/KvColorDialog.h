#pragma once
// The colour dialog of the pen and brush editors, run modally on AColor;
// true and the chosen colour when confirmed, false and AColor untouched
// when cancelled.

#include "platform/Colors.h"

#include <QWidget>

bool ExecuteColorDialog(QWidget* AParent, TColor& AColor);
