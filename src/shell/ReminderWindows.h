#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

#include "engine/TickPorts.h"
#include "shell/ReminderWindow.h"

namespace agendix::shell {

// The reminders the scheduler tick opens, in the form the user chose in Setup: a reminder window,
// a plain message box ("UseWinMessage"), the external message program ("UseExternalMessage") or
// the modal, always-on-top window ("UseModalMessage").
//
// Every reminder is written to the event log as "Message" with its title and alarm file. Windows
// open on the GUI thread and never hold up the caller: the tick goes on while they are open.
class ReminderWindows final : public QObject, public engine::Reminders {
    Q_OBJECT

  public:
    // The command line of the external message program, which sits beside the agendix program.
    static constexpr const char* kExternalMessageProgram = "ZORev.EXE";

    explicit ReminderWindows(ReminderServices services, QObject* parent = nullptr);
    // Closes the windows still open.
    ~ReminderWindows() override;

    ReminderWindows(const ReminderWindows&) = delete;
    ReminderWindows& operator=(const ReminderWindows&) = delete;

    // The number of usual reminder windows open (the modal and reply windows are not counted).
    int openReminderCount() const override { return openReminders_; }

    // A reminder in the form the settings choose. The plain message box shows once control is
    // back in the event loop, so the caller is not held up while it is open.
    void showMessage(const engine::ReminderHandover& handover) override;
    // A reminder of a message another installation sent: always the reply window.
    void showMessageWithReplyPath(const engine::ReminderHandover& handover) override;

    // The windows open now, oldest first.
    std::vector<ReminderWindow*> windows() const;

    // What "&Reply" runs, given the reply directory of its window. Until it is set the button is
    // disabled; setting it enables the button of the reply windows already open.
    void setReplyAction(ReminderWindow::ReplyAction action);

  private:
    ReminderWindow* open(ReminderKind kind, const engine::ReminderHandover& handover);
    void windowClosing(ReminderWindow* window);

    ReminderServices services_;
    std::vector<QPointer<ReminderWindow>> windows_;
    int openReminders_ = 0;
    ReminderWindow::ReplyAction replyAction_;
};

}  // namespace agendix::shell
