#include "shell/Program.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "shell/BrowseClipboard.h"
#include "shell/ProductInfo.h"
#include "shell/TextViewer.h"
#include "shell/TrayIcons.h"
#include "shell/WindowPosition.h"
#include "store/DataDictionary.h"

namespace agendix::shell {

Program::Program(std::filesystem::path directory)
    : directory_(std::move(directory)),
      settings_(access_, store::IniLocations(store::IniLocations::userConfigDirectory(), directory_), ui_),
      eventLog_(directory_ / engine::EventLog::kFileName, settings_.values(), clock_),
      recurrence_(database_.table(store::scheduleTable()), database_.table(store::holidaysTable()), ui_, clock_),
      x11_(platform::openX11Platform()),
      loader_(queue_, access_, clock_, settings_.values(), ui_),
      sendKeys_(*x11_.keyboard, clock_, settings_.values(), script::waitInEventLoop,
                script::SendKeysTray{[this] { return tray_.inTray(); },
                                     [this] { return script::TrayLook{tray_.iconName(), tray_.tip()}; },
                                     [this](const script::TrayLook& look) { tray_.show(look.iconName, look.tip); }}),
      launcher_(shell_, processes_, ui_, [this](std::string_view label, std::string_view data) { log(label, data); },
                [this](std::int32_t taskId, std::uint32_t launchResult) { loader_.loadScript(taskId, launchResult); }),
      scripts_(script::ScriptRunner::Ports{queue_, windowList_, launcher_, processes_, *x11_.windows, *x11_.keyboard,
                                           sendKeys_, dde_, clock_, ui_,
                                           [this](std::string_view label, std::string_view data) { log(label, data); },
                                           [this](const std::string& text) {
                                               frame_.setStatusText(2, QString::fromStdString(text));
                                           },
                                           [this] { return static_cast<platform::WindowHandle>(frame_.winId()); }},
               settings_.readDebug()),
      frame_(clock_, ui_, tables_),
      reminders_(ReminderServices{access_, recurrence_, launcher_,
                                  [this](std::string_view label, std::string_view data) { log(label, data); },
                                  settings_.values(), clock_, ui_, sound_, settings_.positionIni()}),
      tick_(engine::SchedulerTick::Ports{access_, recurrence_, launcher_, reminders_, scripts_, tickFrame_, clock_,
                                         ui_, sound_,
                                         [this](std::string_view label, std::string_view data) { log(label, data); }},
            settings_.values(), std::string(kProductName)),
      clipboardSaver_(access_, clipboard_, clock_, settings_.values()),
      systemTray_([](const std::string& name) { return trayIcon(name); }),
      tray_(TrayIcon::Ports{frame_, systemTray_, settings_.values(), [this] { return !queue_.empty(); },
                            [this] {
                                scripts_.stopAllScripts();
                                frame_.stopAction()->setEnabled(false);
                            },
                            [this](std::string_view label, std::string_view data) { log(label, data); }}) {
    ui_.setParentWindow(&frame_);
    tickFrame_.setTray(&tray_);
    tick_.clipboardCheck = [this] { clipboardSaver_.check(); };
    tick_.trayRefresh = [this] { tray_.refresh(); };
    systemTray_.onClick = [this] { tray_.takeOutOfTray(); };
    systemTray_.onMenu = [this] { tray_.showMenu(); };
    wireFrame();
}

Program::~Program() {
    if (logViewer_ != nullptr) {
        logViewer_->close();
    }
    if (clipboardBrowser_ != nullptr) {
        clipboardBrowser_->close();
    }
}

bool Program::open() { return frame_.open(); }

void Program::wireFrame() {
    FrameHooks hooks;
    hooks.restorePosition = [this](QWidget& frame) { restoreWindowPosition(frame, settings_.positionIni(), "Main"); };
    hooks.readMonitorWindowsSetting = [this] { monitoring_ = settings_.readWindowMonitoring(); };
    hooks.writeVersionSetting = [this] { settings_.putConfig("Version", versionText()); };
    hooks.loadSettings = [this] { settings_.load(); };
    hooks.readDebugSetting = [this] {
        if (settings_.readDebug() != 0) {
            ui_.message(platform::MessageRequest{"Debugging Active", "Debug", platform::MessageIcon::Information,
                                                 platform::Ok, platform::Ok});
        }
    };
    hooks.installTrayHook = [this] { tray_.install(); };
    hooks.removeTrayHook = [this] { tray_.uninstall(); };
    hooks.openStartupWindows = [this] {
        if (settings_.values().startUpClipboardSaver) {
            openClipboardSaver();
        }
        if (settings_.values().startUpSchedule && scheduleOpener_) {
            scheduleOpener_();
        }
    };
    hooks.minimizeAtStartup = [this] {
        if (settings_.values().startUpMinimized) {
            frame_.showMinimized();
        }
    };
    hooks.logStarted = [this](const QString& title) { log("Started", title.toStdString()); };
    hooks.savePosition = [this](QWidget& frame) { saveWindowPosition(frame, settings_.positionIni(), "Main"); };
    hooks.logExit = [this] { log("Exit Agendix", ""); };
    hooks.tick = [this] {
        tick_.tick();
        frame_.stopAction()->setEnabled(!queue_.empty());
    };
    frame_.setHooks(std::move(hooks));

    QObject::connect(frame_.stopAction(), &QAction::triggered, &frame_, [this] {
        scripts_.stopAllScripts();
        frame_.stopAction()->setEnabled(false);
    });

    QAction* viewLog = frame_.action(Command::ViewLog);
    viewLog->setEnabled(true);
    QObject::connect(viewLog, &QAction::triggered, &frame_, [this] { openLogViewer(); });

    QAction* clipboardSaver = frame_.action(Command::ClipboardSaver);
    clipboardSaver->setEnabled(true);
    QObject::connect(clipboardSaver, &QAction::triggered, &frame_, [this] { openClipboardSaver(); });
}

ProgramServices Program::services() {
    return {access_, settings_, clock_, ui_, recurrence_, tick_, frame_};
}

void Program::setScheduleOpener(std::function<void()> opener) {
    scheduleOpener_ = std::move(opener);
    QAction* viewSchedule = frame_.action(Command::ViewSchedule);
    viewSchedule->setEnabled(true);
    QObject::connect(viewSchedule, &QAction::triggered, &frame_, [this] { scheduleOpener_(); });
}

void Program::openOnce(QPointer<QWidget>& window, const std::function<QWidget*()>& make) {
    // A window of which one is enough comes forward when it is open already.
    if (window != nullptr) {
        frame_.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
        return;
    }
    QWidget* made = make();
    made->setAttribute(Qt::WA_DeleteOnClose);
    frame_.mdiArea()->addSubWindow(made);
    made->show();
    window = made;
}

void Program::openLogViewer() {
    openOnce(logViewer_, [this] {
        return new TextViewer(logViewerSetup(engine::EventLog::kFileName), ui_, settings_.positionIni());
    });
}

void Program::openClipboardSaver() {
    openOnce(clipboardBrowser_, [this] {
        return new BrowseClipboard(ClipboardBrowserPorts{access_, settings_, clipboard_, ui_, launcher_});
    });
}

}  // namespace agendix::shell
