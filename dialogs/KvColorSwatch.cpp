#include "dialogs/KvColorSwatch.h"

#include <QPainter>

void TKvColorSwatch::SetColor(TColor AValue) {
    if (FColor == AValue)
        return;
    FColor = AValue;
    update();
}

void TKvColorSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorToQColor(FColor));
}
