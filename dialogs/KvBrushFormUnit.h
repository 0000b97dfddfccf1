#pragma once
// The brush editor: a small modal "Brush" window on a display brush, live
// like the pen editor.

#include "dialogs/KvColorSwatch.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <functional>

class TKvDisplayBrush;
class TBrush;

class TKvBrushForm : public QDialog {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    static constexpr int DesignClientWidth = 186;
    static constexpr int DesignClientHeight = 129;

    TKvBrushForm(QWidget* AOwner, TBrush* ABrush);
    static TKvBrushForm* CreateEx(QWidget* AOwner, TKvDisplayBrush* ABrush);

    void SetOnChange(TNotifyEvent AValue) { FOnChange = std::move(AValue); }

    QComboBox* BrushStyleComboBox;
    QFrame* ColorPanel;
    TKvColorSwatch* ColorPaintBox;
    QPushButton* PointColorButton;
    QPushButton* OkButton;

protected:
    void keyPressEvent(QKeyEvent* AEvent) override;
    void showEvent(QShowEvent* AEvent) override;

private:
    void Changed();
    void BrushStyleChange(int AIndex);
    void PointColorButtonClick();

    TBrush* FBrush;
    TNotifyEvent FOnChange;
};
