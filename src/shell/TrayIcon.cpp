#include "shell/TrayIcon.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QMenu>
#include <QTimer>

#include "shell/MainFrame.h"

namespace agendix::shell {

namespace {

// The text cut to `limit` characters, never inside a UTF-8 sequence.
std::string cut(const std::string& text, std::size_t limit) {
    const QString wide = QString::fromStdString(text);
    return wide.size() <= static_cast<qsizetype>(limit)
               ? text
               : wide.left(static_cast<qsizetype>(limit)).toStdString();
}

}  // namespace

TrayIcon::TrayIcon(Ports ports) : ports_(std::move(ports)) {}

TrayIcon::~TrayIcon() {
    uninstall();
}

void TrayIcon::install() {
    if (installed_) {
        return;
    }
    installed_ = true;
    iconName_ = kFrameIconName;
    ports_.frame.installEventFilter(this);
}

void TrayIcon::uninstall() {
    if (!installed_) {
        return;
    }
    installed_ = false;
    ports_.frame.removeEventFilter(this);
    if (inTray_) {
        ports_.tray.remove();
        inTray_ = false;
    }
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &ports_.frame && event->type() == QEvent::WindowStateChange &&
        ports_.frame.isMinimized() && !inTray_ && !putPending_) {
        // Hiding the frame from inside its own state change confuses some window managers: the
        // frame goes into the tray once the event has been handled.
        putPending_ = true;
        QTimer::singleShot(0, this, [this] {
            putPending_ = false;
            if (ports_.frame.isMinimized()) {
                putIntoTray();
            }
        });
    }
    return QObject::eventFilter(watched, event);
}

void TrayIcon::putIntoTray() {
    if (inTray_ || ports_.settings.noTray) {
        return;
    }
    if (!ports_.tray.available()) {
        if (!noTrayLogged_ && ports_.log) {
            noTrayLogged_ = true;
            ports_.log("No Notification Area", "The frame minimizes as a window");
        }
        return;
    }
    tip_ = cut(ports_.frame.windowTitle().toStdString(), kTipLength);
    ports_.tray.show(iconName_, tip_);
    ports_.frame.hide();
    inTray_ = true;
}

void TrayIcon::bringFrameBack() {
    ports_.frame.showNormal();
    ports_.frame.raise();
    ports_.frame.activateWindow();
}

void TrayIcon::takeOutOfTray() {
    if (!inTray_) {
        return;
    }
    ports_.tray.remove();
    inTray_ = false;
    bringFrameBack();
}

void TrayIcon::restoreForTask() {
    if (inTray_) {
        ports_.tray.remove();
        inTray_ = false;
    }
    if (ports_.frame.isMinimized() || !ports_.frame.isVisible()) {
        bringFrameBack();
    } else {
        ports_.frame.raise();
        ports_.frame.activateWindow();
    }
}

void TrayIcon::setTip(const std::string& tip) {
    tip_ = cut(tip, kTipLength);
    if (inTray_ && !ports_.settings.noTray) {
        modifyIcon();
    }
}

void TrayIcon::refresh() {
    if (!inTray_) {
        return;
    }
    if (!ports_.tray.available()) {
        // The notification area went away (its panel ended): the frame must not stay hidden
        // without an icon to bring it back; it becomes an ordinary minimized window.
        ports_.tray.remove();
        inTray_ = false;
        ports_.frame.showMinimized();
        return;
    }
    const bool running = ports_.scriptQueued && ports_.scriptQueued();
    if (running) {
        step_ = step_ % 4 + 1;
        iconName_ = kAnimation[step_ - 1];
        modifyIcon();
    } else if (iconName_ != kFrameIconName) {
        iconName_ = kFrameIconName;
        modifyIcon();
    }
}

void TrayIcon::show(const std::string& iconName, const std::string& tip) {
    iconName_ = iconName;
    tip_ = tip;
    if (inTray_) {
        modifyIcon();
    }
}

void TrayIcon::modifyIcon() {
    ports_.tray.modify(iconName_, tip_);
}

std::unique_ptr<QMenu> TrayIcon::buildMenu() {
    auto menu = std::make_unique<QMenu>();
    auto afterRestore = [this, menu = menu.get()](const char* caption, Command command) {
        menu->addAction(QString::fromLatin1(caption), this, [this, command] {
            takeOutOfTray();
            ports_.frame.action(command)->trigger();
        });
    };
    afterRestore("Add &Message", Command::AddMessageWizard);
    afterRestore("Add &Program", Command::AddProgramWizard);
    afterRestore("&View To Do", Command::ToDoList);
    afterRestore("&Options", Command::Setup);
    menu->addSeparator();
    menu->addAction(QStringLiteral("&Restore"), this, [this] { takeOutOfTray(); });
    menu->addSeparator();
    menu->addAction(QStringLiteral("&About"), this,
                    [this] { ports_.frame.action(Command::About)->trigger(); });
    if (ports_.scriptQueued && ports_.scriptQueued()) {
        menu->addAction(QStringLiteral("&Stop Running Script"), this, [this] {
            if (ports_.stopScripts) {
                ports_.stopScripts();
            }
        });
    }
    menu->addAction(QStringLiteral("E&xit Agendix"), this, [this] { exitProgram(); });
    return menu;
}

void TrayIcon::showMenu() {
    QMenu* menu = buildMenu().release();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(QCursor::pos());
}

void TrayIcon::exitProgram() {
    if (inTray_) {
        ports_.tray.remove();
        inTray_ = false;
    }
    QTimer::singleShot(0, &ports_.frame, [frame = &ports_.frame] { frame->close(); });
}

}  // namespace agendix::shell
