#pragma once
// The font dialog of the property pages, run modally on AFont: when
// confirmed, family, point size and style go into AFont in one change (its
// colour and escapement stay); when cancelled AFont is untouched.

#include <QWidget>

class TFont;

bool ExecuteFontDialog(QWidget* AParent, TFont* AFont);
