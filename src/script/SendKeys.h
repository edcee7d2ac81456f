#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/Clock.h"
#include "platform/Keyboard.h"
#include "script/KeySender.h"
#include "store/Settings.h"

namespace agendix::script {

// An icon of the program's tray icon and its tip.
struct TrayLook {
    std::string iconName;
    std::string tip;

    bool operator==(const TrayLook&) const = default;
};

// The program's tray icon as the keystroke sender animates it. Any member may be empty: then
// there is no tray icon to animate.
struct SendKeysTray {
    std::function<bool()> shown;                  // the icon is in the notification area now
    std::function<TrayLook()> look;               // the icon name and tip it has now
    std::function<void(const TrayLook&)> modify;  // shows another icon and tip
};

// Types keystroke texts into the window that has the keyboard focus, a piece at a time (see
// splitKeystrokes), with one send interval ("ScriptingDelay", hundredths of a second) before each
// piece. While it waits it yields to the event loop, so the program's windows stay responsive.
// Meanwhile the tray icon cycles through "tray_ico", "traybr_ico", "trayc_ico" and
// "traydr_ico" with the tip "\"Send Keys\" in progress"; at the end the icon and tip from before
// come back.
class SendKeys final : public KeySender {
  public:
    // Lets the event loop run for up to the given hundredths of a second; it may return sooner.
    // The sender reads the clock after each call and waits again until the interval has passed.
    using Waiter = std::function<void(std::int32_t hundredths)>;

    static constexpr const char* kTrayTip = "\"Send Keys\" in progress";
    static constexpr const char* kTrayFrames[4] = {"tray_ico", "traybr_ico", "trayc_ico",
                                                   "traydr_ico"};

    // The settings are read at each call, so the Setup window's changes apply at once.
    SendKeys(platform::Keyboard& keyboard, const platform::Clock& clock,
             const store::SettingValues& settings, Waiter waiter, SendKeysTray tray = {});

    void sendKeys(const std::string& keystrokes) override;

  private:
    bool trayShown() const;
    // Waits one send interval from `start`, a standard time. The interval is measured across
    // midnight; a clock set back ends the wait at once.
    void waitInterval(std::int32_t start);

    platform::Keyboard& keyboard_;
    const platform::Clock& clock_;
    const store::SettingValues& settings_;
    Waiter waiter_;
    SendKeysTray tray_;
};

// The waiter for the program: runs the Qt event loop of the calling thread for up to that long
// (just sleeps when there is no application object).
void waitInEventLoop(std::int32_t hundredths);

}  // namespace agendix::script
