#pragma once
// The pen editor: a small modal "Pen" window on a display pen. Every change
// is written into the pen at once and announced through the change event;
// there is nothing to cancel.

#include "dialogs/KvColorSwatch.h"
#include "dialogs/KvUpDown.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

class TKvDisplayPen;
class TPen;

class TKvPenForm : public QDialog {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    static constexpr int DesignClientWidth = 185;
    static constexpr int DesignClientHeight = 177;
    static constexpr int MinWidth = 1;
    static constexpr int MaxWidth = 500;

    // The editor on APen (not owned), its controls loaded from it.
    TKvPenForm(QWidget* AOwner, TPen* APen);
    static TKvPenForm* CreateEx(QWidget* AOwner, TKvDisplayPen* APen);

    // Called with the form after each change of the pen.
    void SetOnChange(TNotifyEvent AValue) { FOnChange = std::move(AValue); }

    QComboBox* PenModeComboBox;
    QComboBox* PenStyleComboBox;
    QLineEdit* WidthEdit;
    TKvUpDown* PointSizeUpDown;
    QFrame* ColorPanel;
    TKvColorSwatch* ColorPaintBox;
    QPushButton* PointColorButton;
    QPushButton* OkButton;

protected:
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void keyPressEvent(QKeyEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;

private:
    void Changed();
    void PenStyleChange(int AIndex);
    void PenModeChange(int AIndex);
    void WidthEditChange(const QString& AText);
    void PointColorButtonClick();

    TPen* FPen;
    bool FInUpdate = false;
    TNotifyEvent FOnChange;
};
