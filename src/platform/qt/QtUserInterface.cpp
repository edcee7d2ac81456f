#include "platform/qt/QtUserInterface.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace agendix::platform {
namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonPair {
    MessageButton ours;
    QMessageBox::StandardButton theirs;
};

constexpr ButtonPair kButtons[] = {
    {Ok, QMessageBox::Ok},         {Yes, QMessageBox::Yes},       {No, QMessageBox::No},
    {Cancel, QMessageBox::Cancel}, {Retry, QMessageBox::Retry},   {Ignore, QMessageBox::Ignore},
    {Abort, QMessageBox::Abort},
};

}  // namespace

MessageButton QtUserInterface::message(const MessageRequest& request) {
    QMessageBox box(toQt(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, parent_);
    for (const auto& pair : kButtons) {
        if ((request.buttons & pair.ours) != 0) {
            QAbstractButton* button = box.addButton(pair.theirs);
            if (pair.ours == request.defaultButton) {
                box.setDefaultButton(qobject_cast<QPushButton*>(button));
            }
            if (pair.ours == Cancel || (pair.ours == Ok && (request.buttons & Cancel) == 0)) {
                box.setEscapeButton(button);
            }
        }
    }
    const int pressed = box.exec();
    for (const auto& pair : kButtons) {
        if (pressed == pair.theirs) {
            return pair.ours;
        }
    }
    return request.defaultButton;
}

std::optional<std::string> QtUserInterface::chooseFile(const FileDialogRequest& request) {
    QStringList filters;
    for (const auto& [description, patterns] : request.filters) {
        filters << QString::fromStdString(description + " (" + patterns + ")");
    }
    const QString caption = QString::fromStdString(request.caption);
    const QString directory = QString::fromStdString(request.startDirectory);
    const QString filter = filters.join(QStringLiteral(";;"));
    const QString chosen = request.mode == FileDialogRequest::Mode::Open
                               ? QFileDialog::getOpenFileName(parent_, caption, directory, filter)
                               : QFileDialog::getSaveFileName(parent_, caption, directory, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

void QtUserInterface::halt(const std::string& message) {
    if (!halted_) {
        halted_ = true;
        QMessageBox::critical(parent_, QCoreApplication::applicationName(),
                              QString::fromStdString(message));
    }
    // The event loop ends once the caller has unwound; windows then close in order.
    QCoreApplication::exit(1);
}

}  // namespace agendix::platform
