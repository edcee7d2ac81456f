#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace agendix::platform {

std::string QtClipboard::text() {
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard).toStdString();
}

bool QtClipboard::textIsSecret() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return data != nullptr &&
           data->data(QString::fromLatin1(kSecretHintType)).trimmed() == kSecretHintValue;
}

void QtClipboard::setText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text), QClipboard::Clipboard);
}

}  // namespace agendix::platform
