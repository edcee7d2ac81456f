#pragma once

// Internal to the X11 implementation; it brings in Xlib, so nothing outside src/platform/x11
// includes it.

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

namespace agendix::platform::x11 {

// One connection to the X server, opened for one operation and closed after it, so every
// operation sees the server as it is now (its keyboard map included). Errors the server reports
// for requests on this connection (a window that went away meanwhile) are counted, never fatal.
class Connection {
public:
    // An empty name means $DISPLAY.
    explicit Connection(const std::string& displayName);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    explicit operator bool() const { return display_ != nullptr; }
    Display* display() const { return display_; }
    Window root() const { return root_; }

    // Waits until the server has handled every request so far; false when any request since the
    // last call failed.
    bool sync();
    Atom atom(const char* name);

    struct Property {
        Atom type = None;
        int format = 0;                    // 8, 16 or 32
        std::vector<unsigned char> data;   // format 8
        std::vector<unsigned long> items;  // format 32 (Xlib hands them over as longs)
    };
    // The whole property, or nothing when it is missing or the window is gone.
    std::optional<Property> property(Window window, Atom name);
    // A format-32 property (window lists, atom lists, cardinals); empty when missing.
    std::vector<unsigned long> items(Window window, Atom name);

    bool windowExists(Window window);
    // The window's parent, or None when it is gone or is the root.
    Window parent(Window window);
    // Its children, bottom of the stack first.
    std::vector<Window> children(Window window);

private:
    friend int trapError(Display* display, XErrorEvent* error);
    Display* display_ = nullptr;
    Window root_ = None;
    int errors_ = 0;
};

}  // namespace agendix::platform::x11
