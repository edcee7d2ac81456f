#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace agendix::platform {

using WindowHandle = std::uint64_t;  // 0 = no window

struct DesktopWindow {
    WindowHandle handle = 0;
    std::string title;
};

// The top-level windows of the desktop, as scripts see them.
class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;

    // False where no window system can be reached; every other call then does nothing.
    virtual bool available() const = 0;
    virtual std::vector<DesktopWindow> topLevelWindows() = 0;
    virtual bool activate(WindowHandle window) = 0;
    virtual bool restore(WindowHandle window) = 0;
    virtual WindowHandle foregroundWindow() = 0;
    // Asks the window to close, as its close button would.
    virtual bool requestClose(WindowHandle window) = 0;
};

}  // namespace agendix::platform
