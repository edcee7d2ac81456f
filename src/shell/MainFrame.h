#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "shell/Commands.h"

class QAction;
class QLabel;
class QMdiArea;
class QPrinter;

namespace agendix::platform {
class Clock;
class UserInterface;
}  // namespace agendix::platform

namespace agendix::shell {

class ListNavigation;
class MainTables;

// What the frame asks of the rest of the program at its opening, start-up steps, timer events and
// closing. A hook left empty does nothing.
struct FrameHooks {
    std::function<void(QWidget& frame)> restorePosition;
    std::function<void()> installTrayHook;
    std::function<void()> readMonitorWindowsSetting;
    std::function<void()> writeVersionSetting;
    std::function<void()> loadSettings;
    std::function<void()> readDebugSetting;
    std::function<void()> openStartupWindows;
    std::function<void()> minimizeAtStartup;
    std::function<void(const QString& title)> logStarted;
    std::function<void()> removeTrayHook;
    std::function<void(QWidget& frame)> savePosition;
    std::function<void()> logExit;
    std::function<void()> tick;
};

// The timer period the frame is designed with, in hundredths of a second.
inline constexpr int kDesignedTimerPeriod = 100;

// The frame's timer period at opening: a period outside 1..100 hundredths becomes 100.
int openingTimerPeriod(int period);

// The program's frame window: menus, toolbar, status bar and the MDI area that parents every
// browse and form window. Its timer is the heartbeat of the program.
class MainFrame final : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kStatusZones = 4;

    MainFrame(platform::Clock& clock, platform::UserInterface& ui, MainTables& tables,
              QWidget* parent = nullptr);
    ~MainFrame() override;

    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Opens the frame: opens the tables it keeps for the whole run, then shows the window, sets
    // the clock zones of the status bar and starts the timer. The start-up steps follow at the
    // first show, from the event loop. False when the tables could not be opened: the window
    // stays hidden and the program ends.
    bool open();
    // The program's side of the frame's steps; set before open().
    void setHooks(FrameHooks hooks) { hooks_ = std::move(hooks); }
    // True from a successful open() until the frame closes.
    bool isOpen() const { return tablesHeld_; }
    // True once the start-up steps of the first show have run.
    bool started() const { return started_; }
    // Today's date when the frame started; 0 before.
    std::int32_t startDate() const { return startDate_; }

    // The parent of every browse and form window.
    QMdiArea* mdiArea() const { return mdiArea_; }

    // The menu action of a command. Commands whose windows do not exist yet are disabled; the
    // code that brings such a window enables the action and connects its triggered() signal.
    QAction* action(Command command) const;
    // The toolbar's navigation button; enabled while the active window is a list.
    QAction* navigationAction(Navigation navigation) const {
        return navigationActions_.at(static_cast<std::size_t>(navigation));
    }
    // Enables the navigation buttons for the active window; a list calls it when it can add
    // records or not any more.
    void updateNavigation();

    // The toolbar's stop button, disabled until a script queue is there to empty.
    QAction* stopAction() const { return stopAction_; }

    // Status-bar zones 1 to 4. Zone 1 also shows the tip of the command under the mouse; zone 2
    // the scheduler's and scripts' state; zones 3 and 4 today's date and the time.
    void setStatusText(int zone, const QString& text);
    QString statusText(int zone) const;

    // The toolbar's script indicator: "*" while a script runs, blank otherwise.
    void setScriptIndicator(bool running);
    bool scriptIndicator() const;

    // The timer period in hundredths of a second; an open frame's timer takes the new period at
    // once. A period of 0 gives no timer events.
    void setTimerPeriod(int hundredths);
    int timerPeriod() const { return timerPeriod_; }

  signals:
    // The frame has closed in order: the program ends.
    void closed();

  protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void connectBuiltCommands();
    ListNavigation* activeList() const;

    void onTimer();
    void refreshClockZones();
    void runStartupSteps();

    void showPrintSetup();
    void arrangeIcons();
    void showAbout();

    // Hooks of the opening, start-up and closing steps that later work fills in.
    void restorePosition();
    void installTrayHook();
    void readMonitorWindowsSetting();
    void writeVersionSetting();
    void loadSettings();
    void readDebugSetting();
    void openStartupWindows();
    void minimizeAtStartup();
    void logStarted();
    void removeTrayHook();
    void savePosition();
    void logExit();
    void tick();

    platform::Clock& clock_;
    platform::UserInterface& ui_;
    MainTables& tables_;
    FrameHooks hooks_;

    QMdiArea* mdiArea_ = nullptr;
    std::array<QAction*, static_cast<std::size_t>(Command::About) + 1> actions_{};
    QAction* stopAction_ = nullptr;
    std::array<QAction*, static_cast<std::size_t>(Navigation::Insert) + 1> navigationActions_{};
    QLabel* scriptIndicator_ = nullptr;
    std::array<QLabel*, kStatusZones> zones_{};
    QString zone1Text_;  // zone 1's own text, shown again when a tip goes away
    QTimer timer_{this};
    int timerPeriod_ = kDesignedTimerPeriod;
    std::shared_ptr<QPrinter> printer_;  // the printer chosen in Print Setup, made at first use

    bool tablesHeld_ = false;
    bool startupPosted_ = false;
    bool started_ = false;
    std::int32_t startDate_ = 0;
};

}  // namespace agendix::shell
