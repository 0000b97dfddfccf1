#pragma once
// Helpers that drive dialogs the way a user does: keys and clicks through
// QTest, and modal dialogs answered from a timer once they are up, so no
// modal loop is left waiting.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <functional>

// Runs AAnswer on the next modal dialog of type T as soon as it is the
// active modal widget; the answer must close it.
template <class T> void AnswerModal(std::function<void(T*)> AAnswer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, AAnswer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            AAnswer(dialog);
        }
    });
    timer->start();
}

// Picks item AIndex of ACombo: opens the list with F4, clicks the item.
// (A list opened by a click ignores a second click that follows at once.)
inline void PickWithMouse(QComboBox* ACombo, int AIndex) {
    QTest::keyClick(ACombo, Qt::Key_F4);
    QAbstractItemView* view = ACombo->view();
    const QModelIndex index = ACombo->model()->index(AIndex, 0);
    view->scrollTo(index);
    const QRect item = view->visualRect(index);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
}

// Leaves AEdit empty the way a user does: select all, then Backspace.
inline void ClearByKeys(QWidget* AEdit) {
    QTest::keyClick(AEdit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(AEdit, Qt::Key_Backspace);
}
