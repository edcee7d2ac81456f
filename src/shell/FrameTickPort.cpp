#include "shell/FrameTickPort.h"

#include "shell/TrayIcon.h"

namespace agendix::shell {

void FrameTickPort::setTitle(const std::string& title) {
    const QString text = QString::fromStdString(title);
    if (frame_.windowTitle() != text) {
        frame_.setWindowTitle(text);
    }
}

bool FrameTickPort::iconized() const { return frame_.isMinimized(); }

void FrameTickPort::setStatusZone2(const std::string& text) { frame_.setStatusText(2, QString::fromStdString(text)); }

void FrameTickPort::setScriptIndicator(bool running) { frame_.setScriptIndicator(running); }

void FrameTickPort::setTimerPeriod(int hundredths) {
    if (frame_.timerPeriod() != hundredths) {
        frame_.setTimerPeriod(hundredths);
    }
}

void FrameTickPort::restoreFromTray() {
    if (tray_ != nullptr) {
        tray_->restoreForTask();
        return;
    }
    if (frame_.isMinimized() || !frame_.isVisible()) {
        frame_.showNormal();
    }
    frame_.raise();
    frame_.activateWindow();
}

void FrameTickPort::setTrayTip(const std::string& tip) {
    if (tray_ != nullptr) {
        tray_->setTip(tip);
    }
}

}  // namespace agendix::shell
