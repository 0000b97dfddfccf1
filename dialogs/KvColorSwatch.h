#pragma once
// The colour sample of the pen and brush editors: paints its whole area in
// its colour (system colours resolved as the display resolves them).

#include "platform/Colors.h"

#include <QWidget>

class TKvColorSwatch : public QWidget {
    Q_OBJECT
public:
    explicit TKvColorSwatch(QWidget* AParent) : QWidget(AParent) {}

    TColor Color() const { return FColor; }
    void SetColor(TColor AValue);

protected:
    void paintEvent(QPaintEvent* AEvent) override;

private:
    TColor FColor = clBlack;
};
