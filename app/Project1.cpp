// The demo program: the application, its main form, the message loop.
#include "app/Unit1.h"
#include "platform/Application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Simple Waterfall Demo"));
    TApplication Application;
    Application.CreateForm<TForm1>();
    return Application.Run();
}
