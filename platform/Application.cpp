#include "platform/Application.h"

#include "platform/Exceptions.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

TApplication::TApplication() = default;

TApplication::~TApplication() {
    for (const QPointer<QMessageBox>& box : FReports)
        delete box.data();
    // last created first, as an owner frees its components
    while (!FForms.empty())
        FForms.pop_back();
}

void TApplication::AddForm(TForm* AForm) {
    FForms.emplace_back(AForm);
    if (!FMainForm)
        FMainForm = AForm;
}

int TApplication::Run() {
    if (FMainForm)
        FMainForm->Show();
    // A report made while the main form was hidden would otherwise end up
    // behind it.
    for (const QPointer<QMessageBox>& box : FReports)
        if (box)
            box->raise();
    return QApplication::exec();
}

QString TApplication::Title() const {
    return QApplication::applicationName();
}

void TApplication::ShowException(const std::exception& AError) {
    const auto* ours = dynamic_cast<const Exception*>(&AError);
    const QString message = ours ? ours->Message() : QString::fromUtf8(AError.what());
    QWidget* parent = FMainForm ? FMainForm->Widget() : nullptr;
    auto* box = new QMessageBox(QMessageBox::Critical, Title(), message, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    FReports.emplace_back(box);
}

std::vector<QMessageBox*> TApplication::ExceptionReports() const {
    std::vector<QMessageBox*> boxes;
    for (const QPointer<QMessageBox>& box : FReports)
        if (box)
            boxes.push_back(box.data());
    return boxes;
}
