#pragma once

#include <memory>
#include <string>

#include "platform/DesktopWindows.h"
#include "platform/Keyboard.h"

namespace agendix::platform {

// The desktop's top-level windows through the X server. With an EWMH window manager its client
// list, window names, activation and close requests are used; without one the root window's
// children, ICCCM names, input focus and WM_DELETE_WINDOW.
class X11DesktopWindows final : public DesktopWindows {
public:
    // An empty name means $DISPLAY. The display is probed here, once.
    explicit X11DesktopWindows(std::string displayName = {});
    ~X11DesktopWindows() override;
    X11DesktopWindows(const X11DesktopWindows&) = delete;
    X11DesktopWindows& operator=(const X11DesktopWindows&) = delete;

    bool available() const override;
    // Topmost first.
    std::vector<DesktopWindow> topLevelWindows() override;
    bool activate(WindowHandle window) override;
    bool restore(WindowHandle window) override;
    WindowHandle foregroundWindow() override;
    bool requestClose(WindowHandle window) override;

    // Whether an EWMH window manager runs on the display now.
    bool windowManagerRunning();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Synthesized keyboard and mouse input through the XTEST extension, into whatever window has
// the focus. Characters the keyboard layout cannot produce are typed through spare keycodes that
// are bound to them for the time being and given back when this object goes.
class X11Keyboard final : public Keyboard {
public:
    explicit X11Keyboard(std::string displayName = {});
    ~X11Keyboard() override;
    X11Keyboard(const X11Keyboard&) = delete;
    X11Keyboard& operator=(const X11Keyboard&) = delete;

    bool available() const override;
    bool typeText(const std::string& text) override;
    bool pressKey(unsigned codeWithModifiers) override;
    bool click(unsigned mouseCode) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

struct X11Platform {
    std::unique_ptr<DesktopWindows> windows;
    std::unique_ptr<Keyboard> keyboard;
};

// Both X11 implementations on one display (empty: $DISPLAY). Without an X display (none set, or
// a Wayland-only session) both report available() == false and every call does nothing and
// returns false (or nothing).
X11Platform openX11Platform(const std::string& displayName = {});

}  // namespace agendix::platform
