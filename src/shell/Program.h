#pragma once

#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>

#include "engine/EventLog.h"
#include "engine/ProgramLauncher.h"
#include "engine/Recurrence.h"
#include "engine/SchedulerTick.h"
#include "platform/Clock.h"
#include "platform/DesktopShell.h"
#include "platform/PosixProcesses.h"
#include "platform/qt/DBusDde.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtTray.h"
#include "platform/x11/X11Platform.h"
#include "script/ScriptLoader.h"
#include "script/ScriptQueue.h"
#include "script/ScriptRunner.h"
#include "script/SendKeys.h"
#include "script/WindowList.h"
#include "platform/qt/QtUserInterface.h"
#include "shell/ClipboardSaver.h"
#include "shell/FrameTickPort.h"
#include "shell/MainFrame.h"
#include "shell/ReminderWindows.h"
#include "shell/StoreMainTables.h"
#include "shell/TrayIcon.h"
#include "store/Database.h"
#include "store/FileAccess.h"
#include "store/Settings.h"
#include "store/StandardWarnings.h"

class QWidget;

namespace agendix::shell {

// The running program's services that the windows opened from the frame work with.
struct ProgramServices {
    store::FileAccess& access;
    store::Settings& settings;
    const platform::Clock& clock;
    platform::UserInterface& ui;
    engine::Recurrence& recurrence;
    engine::SchedulerTick& tick;
    MainFrame& frame;
};

// The running program: every service made once, in the order each needs the others, and the
// frame wired to them. It lives for the whole run; main only makes it and runs it.
class Program {
public:
    // `directory` is the start-up directory, where the data file, the log and POSITION.INI live.
    explicit Program(std::filesystem::path directory);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens the frame; false when the data could not be opened (the user has been told why).
    bool open();

    MainFrame& frame() { return frame_; }
    TrayIcon& tray() { return tray_; }
    ProgramServices services();

    // Opens a schedule list: Browse › "&View Schedule", its toolbar button and, when
    // "StartUpSchedule" is set, the frame's start-up. Set by main(), which links the windows.
    void setScheduleOpener(std::function<void()> opener);

private:
    void wireFrame();
    void openOnce(QPointer<QWidget>& window, const std::function<QWidget*()>& make);
    void openLogViewer();
    void openClipboardSaver();
    void log(std::string_view label, std::string_view data) { eventLog_.writeLog(data, label); }

    std::filesystem::path directory_;
    platform::SystemClock clock_;
    platform::QtUserInterface ui_;
    platform::QtSound sound_;
    platform::PosixProcesses processes_;
    platform::DesktopShell shell_{processes_};
    store::Database database_{directory_};
    store::StandardWarnings warnings_{ui_};
    store::FileAccess access_{database_, warnings_};
    store::Settings settings_;
    engine::EventLog eventLog_;
    engine::Recurrence recurrence_;
    platform::X11Platform x11_;
    platform::DBusDde dde_;
    script::ScriptQueue queue_;
    script::WindowList windowList_;
    script::ScriptLoader loader_;
    script::SendKeys sendKeys_;
    engine::ProgramLauncher launcher_;
    script::ScriptRunner scripts_;
    StoreMainTables tables_{access_};
    MainFrame frame_;
    FrameTickPort tickFrame_{frame_};
    ReminderWindows reminders_;
    engine::SchedulerTick tick_;
    store::WindowMonitoring monitoring_;
    platform::QtClipboard clipboard_;
    ClipboardSaver clipboardSaver_;
    platform::QtTray systemTray_;
    TrayIcon tray_;
    QPointer<QWidget> logViewer_;
    QPointer<QWidget> clipboardBrowser_;
    std::function<void()> scheduleOpener_;
};

}  // namespace agendix::shell
