#pragma once

#include <algorithm>

#include "platform/DesktopWindows.h"

namespace agendix::platform {

// A desktop whose windows a test lists; records what the program did to them.
class FakeDesktopWindows final : public DesktopWindows {
public:
    std::vector<DesktopWindow> windows;
    WindowHandle foreground = 0;
    std::vector<WindowHandle> activated, restored, closeRequests;

    bool available() const override { return true; }
    std::vector<DesktopWindow> topLevelWindows() override { return windows; }
    bool activate(WindowHandle window) override {
        activated.push_back(window);
        foreground = window;
        return exists(window);
    }
    bool restore(WindowHandle window) override {
        restored.push_back(window);
        return exists(window);
    }
    WindowHandle foregroundWindow() override { return foreground; }
    bool requestClose(WindowHandle window) override {
        closeRequests.push_back(window);
        return exists(window);
    }

private:
    bool exists(WindowHandle window) const {
        return std::any_of(windows.begin(), windows.end(),
                           [window](const DesktopWindow& w) { return w.handle == window; });
    }
};

}  // namespace agendix::platform
