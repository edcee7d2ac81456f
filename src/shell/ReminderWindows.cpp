#include "shell/ReminderWindows.h"

#include <algorithm>

#include "shell/WindowPosition.h"

namespace agendix::shell {

ReminderWindows::ReminderWindows(ReminderServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {}

ReminderWindows::~ReminderWindows() {
    // Each window refers to the services held here, so none may outlive this object.
    const std::vector<QPointer<ReminderWindow>> windows = windows_;
    for (const QPointer<ReminderWindow>& window : windows) {
        if (window) {
            window->close();
        }
    }
    for (const QPointer<ReminderWindow>& window : windows) {
        delete window.data();
    }
}

void ReminderWindows::showMessage(const engine::ReminderHandover& handover) {
    const std::string title = fixedCopy(handover.title, ReminderWindow::kTitleWidth);
    const std::string text = fixedCopy(handover.text, ReminderWindow::kTextWidth);
    services_.log("Message", title + " " + fixedCopy(handover.sound, ReminderWindow::kSoundWidth));

    const store::SettingValues& settings = services_.settings;
    if (settings.useWinMessage) {
        QMetaObject::invokeMethod(
            this,
            [this, title, text] {
                services_.ui.message(platform::MessageRequest{
                    text, title, platform::MessageIcon::Information, platform::Ok, platform::Ok});
            },
            Qt::QueuedConnection);
        return;
    }
    if (settings.useExternalMessage) {
        engine::LaunchRequest request;
        request.command = std::string(kExternalMessageProgram) + " \"" + text + "\"";
        services_.launcher.launch(request);
        return;
    }
    if (settings.useModalMessage) {
        open(ReminderKind::Modal, handover);
        return;
    }
    ReminderWindow* window = open(ReminderKind::Message, handover);
    ++openReminders_;
    restoreWindowPosition(*window, services_.positionFile, ReminderWindow::kPositionSection);
    window->show();
}

void ReminderWindows::showMessageWithReplyPath(const engine::ReminderHandover& handover) {
    services_.log("Message", fixedCopy(handover.title, ReminderWindow::kTitleWidth) + " " +
                                 fixedCopy(handover.sound, ReminderWindow::kSoundWidth));
    open(ReminderKind::Reply, handover);
}

ReminderWindow* ReminderWindows::open(ReminderKind kind, const engine::ReminderHandover& handover) {
    auto* window = new ReminderWindow(kind, handover, services_);
    if (kind == ReminderKind::Reply) {
        window->setReplyAction(replyAction_);
    }
    connect(window, &ReminderWindow::closing, this, &ReminderWindows::windowClosing);
    windows_.emplace_back(window);
    if (kind != ReminderKind::Message) {
        window->show();
    }
    return window;
}

void ReminderWindows::windowClosing(ReminderWindow* window) {
    if (window->kind() == ReminderKind::Message) {
        --openReminders_;
    }
    std::erase_if(windows_, [window](const QPointer<ReminderWindow>& open) {
        return open.isNull() || open.data() == window;
    });
}

std::vector<ReminderWindow*> ReminderWindows::windows() const {
    std::vector<ReminderWindow*> open;
    for (const QPointer<ReminderWindow>& window : windows_) {
        if (window) {
            open.push_back(window.data());
        }
    }
    return open;
}

void ReminderWindows::setReplyAction(ReminderWindow::ReplyAction action) {
    replyAction_ = std::move(action);
    for (ReminderWindow* window : windows()) {
        if (window->kind() == ReminderKind::Reply) {
            window->setReplyAction(replyAction_);
        }
    }
}

}  // namespace agendix::shell
