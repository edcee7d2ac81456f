#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/Tray.h"
#include "store/Settings.h"

class QMenu;

namespace agendix::shell {

class MainFrame;

// The frame's icon in the notification area. A minimized frame goes into the tray (unless
// "NoTray"): the icon shows with the frame's title as its tip and the frame hides. A click brings
// the frame back; the right button opens the tray menu. While a script runs the icon cycles
// through four pictures, one a tick. Where the desktop has no notification area the frame stays
// an ordinary minimized window, and the event log says so once.
class TrayIcon final : public QObject {
    Q_OBJECT

  public:
    using LogWriter = std::function<void(std::string_view label, std::string_view data)>;

    struct Ports {
        MainFrame& frame;
        platform::Tray& tray;
        const store::SettingValues& settings;
        std::function<bool()> scriptQueued;  // the script queue holds entries
        std::function<void()> stopScripts;   // empties the script queue
        LogWriter log;
    };

    static constexpr const char* kFrameIconName = "tray_ico";
    static constexpr const char* kAnimation[4] = {"tray_ico", "trayb_ico", "trayc_ico",
                                                  "trayd_ico"};
    static constexpr std::size_t kTipLength = 63;

    explicit TrayIcon(Ports ports);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // From the frame's opening until its end the icon follows the frame's minimizing.
    void install();
    // Takes the icon away (when shown) and stops following the frame.
    void uninstall();

    bool inTray() const { return inTray_; }
    const std::string& iconName() const { return iconName_; }
    const std::string& tip() const { return tip_; }

    // Puts the minimized frame into the tray.
    void putIntoTray();
    // The icon's click and the menu's items: the frame comes back and the icon goes.
    void takeOutOfTray();
    // Before a task that needs the frame: a minimized frame comes back, from the tray or not.
    void restoreForTask();
    // The tick's tip: the frame's title as the tick sets it.
    void setTip(const std::string& tip);
    // The tick's last step: the animation while a script runs, the frame's icon back after it.
    // When the notification area has gone, the frame comes back as a minimized window.
    void refresh();
    // The keystroke sender's own pictures and tip while it types.
    void show(const std::string& iconName, const std::string& tip);

    // The menu as the right button opens it now.
    std::unique_ptr<QMenu> buildMenu();
    // Opens the menu at the mouse.
    void showMenu();
    // "E&xit Agendix": the icon goes and the program ends.
    void exitProgram();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void bringFrameBack();
    void modifyIcon();

    Ports ports_;
    bool installed_ = false;
    bool inTray_ = false;
    bool noTrayLogged_ = false;
    bool putPending_ = false;
    int step_ = 1;
    std::string iconName_ = kFrameIconName;
    std::string tip_;
};

}  // namespace agendix::shell
