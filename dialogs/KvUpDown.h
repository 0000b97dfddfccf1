#pragma once
// A pair of spin buttons bound to a number edit beside it: a click (or the
// Up and Down keys in the edit) steps the edit's number by one within
// [Min, Max] and writes it back into the edit, whose own change handling
// then takes the value.

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <cstdint>

class TKvUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TKvUpDown(QWidget* AParent);

    void SetRange(int32_t AMin, int32_t AMax);
    int32_t Min() const { return FMin; }
    int32_t Max() const { return FMax; }
    int32_t Position() const { return FPosition; }
    // Clamped to the range; does not touch the edit.
    void SetPosition(int32_t AValue);
    void SetAssociate(QLineEdit* AEdit);

    // One step up (+1) or down (-1) from the edit's number.
    void Step(int32_t ADelta);

    QToolButton* UpButton() const { return FUp; }
    QToolButton* DownButton() const { return FDown; }

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void resizeEvent(QResizeEvent* AEvent) override;

private:
    QToolButton* FUp;
    QToolButton* FDown;
    QLineEdit* FAssociate = nullptr;
    int32_t FMin = 0;
    int32_t FMax = 100;
    int32_t FPosition = 0;
};
