#pragma once

#include <string>

#include "engine/TickPorts.h"

namespace agendix::testing {

// A frame for the scheduler tick that shows nothing; it reports itself as iconized.
struct QuietFrame final : engine::TickFrame {
    void setTitle(const std::string&) override {}
    bool iconized() const override { return true; }
    void setStatusZone2(const std::string&) override {}
    void setScriptIndicator(bool) override {}
    void setTimerPeriod(int) override {}
    void restoreFromTray() override {}
    void setTrayTip(const std::string&) override {}
};

// A script queue that never holds anything.
struct NoScripts final : engine::ScriptQueue {
    bool empty() const override { return true; }
    void runTick() override {}
};

}  // namespace agendix::testing
