#include "dialogs/KvUpDown.h"

#include <QKeyEvent>
#include <algorithm>

TKvUpDown::TKvUpDown(QWidget* AParent)
    : QWidget(AParent), FUp(new QToolButton(this)), FDown(new QToolButton(this)) {
    for (QToolButton* b : {FUp, FDown}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    FUp->setArrowType(Qt::UpArrow);
    FDown->setArrowType(Qt::DownArrow);
    connect(FUp, &QToolButton::clicked, this, [this] { Step(1); });
    connect(FDown, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TKvUpDown::SetRange(int32_t AMin, int32_t AMax) {
    FMin = AMin;
    FMax = std::max(AMin, AMax);
    FPosition = std::clamp(FPosition, FMin, FMax);
}

void TKvUpDown::SetPosition(int32_t AValue) {
    FPosition = std::clamp(AValue, FMin, FMax);
}

void TKvUpDown::SetAssociate(QLineEdit* AEdit) {
    if (FAssociate)
        FAssociate->removeEventFilter(this);
    FAssociate = AEdit;
    if (FAssociate)
        FAssociate->installEventFilter(this);
}

void TKvUpDown::Step(int32_t ADelta) {
    int32_t from = FPosition;
    if (FAssociate) {
        bool ok = false;
        const int32_t typed = FAssociate->text().toInt(&ok);
        if (ok)
            from = std::clamp(typed, FMin, FMax);
    }
    const int64_t next = std::clamp<int64_t>(int64_t{from} + ADelta, FMin, FMax);
    FPosition = static_cast<int32_t>(next);
    if (FAssociate)
        FAssociate->setText(QString::number(FPosition));
}

bool TKvUpDown::eventFilter(QObject* AWatched, QEvent* AEvent) {
    if (AWatched == FAssociate && AEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(AEvent)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(AWatched, AEvent);
}

void TKvUpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    FUp->setGeometry(0, 0, width(), half);
    FDown->setGeometry(0, half, width(), height() - half);
}
