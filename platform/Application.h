#pragma once
// The application object of a program built from forms: it creates the
// forms, owns them, reports a failure of a form's OnCreate to the user and
// runs the message loop until the main form closes. A QApplication must
// exist first. The first form created is the main form; its window has a
// task-bar button of its own, as every top-level Qt window has.

#include "platform/Forms.h"

#include <QPointer>
#include <QString>
#include <exception>
#include <stdexcept>
#include <vector>

class QMessageBox;

class TApplication {
public:
    TApplication();
    ~TApplication();
    TApplication(const TApplication&) = delete;
    TApplication& operator=(const TApplication&) = delete;

    // Creates a form of class T (which reads its stored form in its
    // constructor), then runs its OnCreate. A failing OnCreate is shown to
    // the user and the form stays, as far as it got.
    template <class T> T* CreateForm() {
        T* form = new T(nullptr);
        AddForm(form);
        try {
            form->DoCreate();
        } catch (const std::exception& AError) {
            ShowException(AError);
        } catch (...) {
            ShowException(std::runtime_error("Unknown failure"));
        }
        return form;
    }

    TForm* MainForm() const { return FMainForm; }

    // Shows the main form and runs the message loop until it closes.
    // Returns the loop's exit code.
    int Run();

    // Tells the user of AError in a message box that does not stop the
    // program: the message of one of our exceptions, what() of others.
    void ShowException(const std::exception& AError);
    // The message boxes shown and not yet closed.
    std::vector<QMessageBox*> ExceptionReports() const;

    QString Title() const;

private:
    void AddForm(TForm* AForm);

    std::vector<TOwned<TForm>> FForms;
    TForm* FMainForm = nullptr;
    std::vector<QPointer<QMessageBox>> FReports;
};
