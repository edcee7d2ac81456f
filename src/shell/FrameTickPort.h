#pragma once

#include "engine/TickPorts.h"
#include "shell/MainFrame.h"

namespace agendix::shell {

class TrayIcon;

// What the scheduler tick shows, shown on the frame window.
class FrameTickPort final : public engine::TickFrame {
public:
    explicit FrameTickPort(MainFrame& frame) : frame_(frame) {}
    // The tray icon that takes the tip and gives the frame back for a task; none: the frame only.
    void setTray(TrayIcon* tray) { tray_ = tray; }

    void setTitle(const std::string& title) override;
    bool iconized() const override;
    void setStatusZone2(const std::string& text) override;
    void setScriptIndicator(bool running) override;
    void setTimerPeriod(int hundredths) override;
    void restoreFromTray() override;
    void setTrayTip(const std::string& tip) override;

private:
    MainFrame& frame_;
    TrayIcon* tray_ = nullptr;
};

}  // namespace agendix::shell
