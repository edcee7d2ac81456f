#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/ProgramLauncher.h"
#include "engine/Recurrence.h"
#include "engine/TickPorts.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/UserInterface.h"
#include "store/FileAccess.h"
#include "store/IniFile.h"
#include "store/Settings.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace agendix::shell {

// What the reminder windows work with. Everything referenced is owned elsewhere and outlives
// the windows.
struct ReminderServices {
    using LogWriter = std::function<void(std::string_view label, std::string_view data)>;

    store::FileAccess& access;
    engine::Recurrence& recurrence;
    engine::ProgramLauncher& launcher;
    LogWriter log;                         // the event log: label, then data
    const store::SettingValues& settings;  // read when used, so Setup's changes apply at once
    const platform::Clock& clock;
    platform::UserInterface& ui;
    platform::Sound& sound;
    store::IniFile positionFile;  // POSITION.INI
};

// The three kinds of reminder window.
enum class ReminderKind {
    Message,  // the usual reminder: position kept, counted among the open reminders
    Modal,    // modal to the whole program and always on top
    Reply,    // a message another installation sent: always on top, with "&Reply"
};

// A reminder window: the task's title and message, with "Cl&ose", "&Snooze" (the same message
// again in ten minutes) and "&Add to To Do List" ("&To Do" in the reply window). While it is open
// the alarm sound repeats every "RepeatAlarmInterval" seconds.
//
// A top-level window of its own (never a child of the frame), so it shows while the frame is in
// the tray; closing it never ends the program. It keeps its own copy of what it was handed.
class ReminderWindow final : public QWidget {
    Q_OBJECT

  public:
    static constexpr std::size_t kTitleWidth = 40;
    static constexpr std::size_t kTextWidth = 1024;
    static constexpr std::size_t kSoundWidth = 255;
    static constexpr std::size_t kReplyPathWidth = 255;
    static constexpr int kTimerMilliseconds = 1000;
    static constexpr std::int32_t kSnoozeDelay = 60000;  // hundredths of a second: ten minutes
    static constexpr const char* kPositionSection = "ShowMessage";

    using ReplyAction = std::function<void(const std::string& directory)>;

    // Takes its copy of the hand-over values and, when the alarm repeats, sets the first repeat.
    // The caller shows the window.
    ReminderWindow(ReminderKind kind, const engine::ReminderHandover& handover,
                   ReminderServices& services);
    ~ReminderWindow() override;

    ReminderWindow(const ReminderWindow&) = delete;
    ReminderWindow& operator=(const ReminderWindow&) = delete;

    ReminderKind kind() const { return kind_; }

    // The title field and the message box as they stand (the user may have edited them).
    std::string title() const;
    std::string text() const;
    // The copies of the alarm file and the reply path taken at opening.
    const std::string& sound() const { return sound_; }
    const std::string& replyPath() const { return replyPath_; }
    // Where a reply goes: the reply path without its leading blanks.
    std::string replyDirectory() const;

    // The moment of the next repeated alarm; date 0 while none is set.
    std::int32_t nextAlarmDate() const { return nextAlarmDate_; }
    std::int32_t nextAlarmTime() const { return nextAlarmTime_; }

    // What "&Reply" runs with the reply directory. Without one the button stays disabled.
    void setReplyAction(ReplyAction action);

    // "&Snooze": adds a one-time "Display Message" task in category "Snooze" with this title and
    // message, due ten minutes from now, then closes the window (whether or not the task could
    // be added; a failure is shown as the standard warning).
    void snooze();
    // "&Add to To Do List" / "&To Do": adds a to-do item with this title and message and says so
    // in a "Saved" box. The window stays open.
    void addToToDo();
    // "&Reply": runs the reply action with the reply directory.
    void reply();
    // The one-second timer: plays the alarm again once its moment has passed.
    void alarmTimer();

  signals:
    // The window is closing; it is deleted afterwards.
    void closing(agendix::shell::ReminderWindow* window);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindow();
    void scheduleNextAlarm();
    void warnTableError(const store::StoreError& error);

    ReminderKind kind_;
    ReminderServices& services_;
    std::string sound_;
    std::string replyPath_;
    std::int32_t nextAlarmDate_ = 0;
    std::int32_t nextAlarmTime_ = 0;
    ReplyAction replyAction_;
    bool closed_ = false;

    QLineEdit* titleField_ = nullptr;
    QPlainTextEdit* textBox_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* snoozeButton_ = nullptr;
    QPushButton* toDoButton_ = nullptr;
    QPushButton* replyButton_ = nullptr;
    QTimer alarmTimer_{this};
};

// The text cut to `width` characters without its trailing blanks, as a fixed-width copy holds it.
std::string fixedCopy(std::string_view text, std::size_t width);

}  // namespace agendix::shell
