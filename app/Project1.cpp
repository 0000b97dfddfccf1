// The demo program: the application, its main form, the message loop.
#include "app/Unit1.h"
#include "dialogs/KvWaterfallPropertiesFormUnit.h"
#include "platform/Application.h"

#include <QApplication>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Simple Waterfall Demo"));
    // the waterfall's level caption and toolbar open its settings dialog
    KvRegisterWaterfallDialogs();
    try {
        TApplication Application;
        Application.CreateForm<TForm1>();
        return Application.Run();
    } catch (const std::exception& AError) {
        // a form that cannot be built leaves nothing to show
        std::fprintf(stderr, "%s\n", AError.what());
        return 1;
    }
}
