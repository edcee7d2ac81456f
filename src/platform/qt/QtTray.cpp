#include "platform/qt/QtTray.h"

#include <QSystemTrayIcon>

namespace agendix::platform {

QtTray::QtTray(IconSource icons)
    : icons_(std::move(icons)), icon_(std::make_unique<QSystemTrayIcon>()) {
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         switch (reason) {
                             case QSystemTrayIcon::Trigger:
                             case QSystemTrayIcon::DoubleClick:
                                 if (onClick) {
                                     onClick();
                                 }
                                 break;
                             case QSystemTrayIcon::Context:
                                 if (onMenu) {
                                     onMenu();
                                 }
                                 break;
                             default:
                                 break;
                         }
                     });
}

QtTray::~QtTray() = default;

bool QtTray::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTray::show(const std::string& iconName, const std::string& tip) {
    modify(iconName, tip);
    icon_->show();
}

void QtTray::modify(const std::string& iconName, const std::string& tip) {
    icon_->setIcon(icons_(iconName));
    icon_->setToolTip(QString::fromStdString(tip));
}

void QtTray::remove() {
    icon_->hide();
}

bool QtTray::visible() const {
    return icon_->isVisible();
}

QRect QtTray::geometry() const {
    return icon_->geometry();
}

}  // namespace agendix::platform
