#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <unordered_set>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Platform.h"

namespace agendix::platform {

using x11::Connection;

namespace {

constexpr long kSourcePager = 2;  // EWMH source indication: a pager acts for the user
constexpr long kWithdrawnState = 0, kNormalState = 1, kIconicState = 3;
constexpr int kFrameDepth = 3;  // how deep to look for clients inside window-manager frames

// What the running EWMH window manager says it supports; nothing when none runs (or one left its
// properties behind when it ended).
struct WindowManager {
    std::vector<unsigned long> supported;

    bool running() const { return !supported.empty(); }
    bool supports(Atom feature) const {
        return std::find(supported.begin(), supported.end(), feature) != supported.end();
    }
};

WindowManager windowManagerOf(Connection& x) {
    const Atom check = x.atom("_NET_SUPPORTING_WM_CHECK");
    const auto child = x.items(x.root(), check);
    if (child.empty() || child[0] == None) {
        return {};
    }
    const auto self = x.items(child[0], check);
    if (self.empty() || self[0] != child[0]) {
        return {};
    }
    WindowManager manager;
    manager.supported = x.items(x.root(), x.atom("_NET_SUPPORTED"));
    if (manager.supported.empty()) {
        manager.supported.push_back(check);  // running, though it names no features
    }
    return manager;
}

long wmState(Connection& x, Window window) {
    const auto state = x.items(window, x.atom("WM_STATE"));
    return state.empty() ? -1 : static_cast<long>(state[0]);
}

std::string latin1ToUtf8(const unsigned char* text, std::size_t length) {
    std::string result;
    result.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        const unsigned char c = text[i];
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else {
            result += static_cast<char>(0xc0 | (c >> 6));
            result += static_cast<char>(0x80 | (c & 0x3f));
        }
    }
    return result;
}

std::string windowTitle(Connection& x, Window window) {
    const Atom utf8 = x.atom("UTF8_STRING");
    if (auto name = x.property(window, x.atom("_NET_WM_NAME"));
        name && name->type == utf8 && name->format == 8 && !name->data.empty()) {
        return std::string(name->data.begin(), name->data.end());
    }
    XTextProperty text{};
    const Status status = XGetWMName(x.display(), window, &text);
    std::string result;
    if (x.sync() && status != 0 && text.value != nullptr && text.format == 8) {
        if (text.encoding == XA_STRING) {
            result = latin1ToUtf8(text.value, text.nitems);
        } else if (text.encoding == utf8) {
            result.assign(reinterpret_cast<const char*>(text.value), text.nitems);
        } else {
            char** list = nullptr;
            int count = 0;
            if (Xutf8TextPropertyToTextList(x.display(), &text, &list, &count) >= Success &&
                list != nullptr) {
                for (int i = 0; i < count; ++i) {
                    result += list[i];
                }
            } else {
                result.assign(reinterpret_cast<const char*>(text.value), text.nitems);
            }
            if (list != nullptr) {
                XFreeStringList(list);
            }
        }
    }
    if (text.value != nullptr) {
        XFree(text.value);
    }
    while (!result.empty() && result.back() == '\0') {
        result.pop_back();
    }
    return result;
}

bool hasName(Connection& x, Window window) {
    if (x.property(window, x.atom("_NET_WM_NAME"))) {
        return true;
    }
    const auto name = x.property(window, XA_WM_NAME);
    return name && !name->data.empty();
}

// Without an EWMH window manager: the client windows among the root's children, topmost first.
// A window that carries WM_STATE is a client (a window manager of the older kind put it there);
// otherwise a shown window with a name is; otherwise its children are searched the same way, as
// they may be clients inside a frame.
void collectClients(Connection& x, Window parent, int depth, std::vector<Window>& out) {
    const auto children = x.children(parent);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        const Window child = *it;
        XWindowAttributes attributes;
        const Status status = XGetWindowAttributes(x.display(), child, &attributes);
        if (!x.sync() || status == 0 || attributes.override_redirect ||
            attributes.c_class == InputOnly) {
            continue;
        }
        const long state = wmState(x, child);
        if (state >= 0) {
            if (state == kIconicState ||
                (state != kWithdrawnState && attributes.map_state == IsViewable)) {
                out.push_back(child);
            }
            continue;
        }
        if (attributes.map_state != IsViewable) {
            continue;
        }
        if (hasName(x, child)) {
            out.push_back(child);
        } else if (depth < kFrameDepth) {
            collectClients(x, child, depth + 1, out);
        }
    }
}

std::vector<Window> clientWindows(Connection& x, const WindowManager& manager) {
    const Atom stacking = x.atom("_NET_CLIENT_LIST_STACKING");
    const Atom clients = x.atom("_NET_CLIENT_LIST");
    std::vector<Window> result;
    if (manager.supports(stacking)) {
        const auto list = x.items(x.root(), stacking);  // bottom first
        result.assign(list.rbegin(), list.rend());
    } else if (manager.supports(clients)) {
        const auto list = x.items(x.root(), clients);
        result.assign(list.begin(), list.end());
    } else {
        collectClients(x, x.root(), 0, result);
    }
    return result;
}

bool sendToRoot(Connection& x, Window window, Atom type, long l0, long l1, long l2 = 0) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = type;
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    const Status status = XSendEvent(x.display(), x.root(), False,
                                     SubstructureRedirectMask | SubstructureNotifyMask, &event);
    return x.sync() && status != 0;
}

bool isViewable(Connection& x, Window window) {
    XWindowAttributes attributes;
    const Status status = XGetWindowAttributes(x.display(), window, &attributes);
    return x.sync() && status != 0 && attributes.map_state == IsViewable;
}

bool focusDirectly(Connection& x, Window window) {
    XRaiseWindow(x.display(), window);
    if (!x.sync() || !isViewable(x, window)) {
        return false;
    }
    XSetInputFocus(x.display(), window, RevertToParent, CurrentTime);
    return x.sync();
}

}  // namespace

struct X11DesktopWindows::Impl {
    std::string displayName;
    bool available = false;
};

// Runs `act` on the window over a connection of its own; false without a display or when the
// window is gone.
template <class Act>
bool onWindow(bool available, const std::string& displayName, WindowHandle handle, Act act) {
    if (!available) {
        return false;
    }
    Connection x(displayName);
    const auto window = static_cast<Window>(handle);
    if (!x || !x.windowExists(window)) {
        return false;
    }
    return act(x, window);
}

X11DesktopWindows::X11DesktopWindows(std::string displayName) : impl_(std::make_unique<Impl>()) {
    impl_->displayName = std::move(displayName);
    Connection x(impl_->displayName);
    impl_->available = static_cast<bool>(x);
}

X11DesktopWindows::~X11DesktopWindows() = default;

bool X11DesktopWindows::available() const {
    return impl_->available;
}

bool X11DesktopWindows::windowManagerRunning() {
    if (!impl_->available) {
        return false;
    }
    Connection x(impl_->displayName);
    return x && windowManagerOf(x).running();
}

std::vector<DesktopWindow> X11DesktopWindows::topLevelWindows() {
    if (!impl_->available) {
        return {};
    }
    Connection x(impl_->displayName);
    if (!x) {
        return {};
    }
    std::vector<DesktopWindow> result;
    for (const Window window : clientWindows(x, windowManagerOf(x))) {
        if (x.windowExists(window)) {
            result.push_back({window, windowTitle(x, window)});
        }
    }
    return result;
}

bool X11DesktopWindows::activate(WindowHandle handle) {
    return onWindow(impl_->available, impl_->displayName, handle,
                    [&](Connection& x, Window window) {
                        const WindowManager manager = windowManagerOf(x);
                        const Atom active = x.atom("_NET_ACTIVE_WINDOW");
                        if (manager.supports(active)) {
                            return sendToRoot(x, window, active, kSourcePager, CurrentTime);
                        }
                        return focusDirectly(x, window);
                    });
}

bool X11DesktopWindows::restore(WindowHandle handle) {
    return onWindow(
        impl_->available, impl_->displayName, handle, [&](Connection& x, Window window) {
            const WindowManager manager = windowManagerOf(x);
            const Atom active = x.atom("_NET_ACTIVE_WINDOW");
            if (!manager.supports(active)) {
                XMapRaised(x.display(), window);
                if (!x.sync()) {
                    return false;
                }
                focusDirectly(
                    x, window);  // a window manager of the older kind may still be mapping it
                return true;
            }
            // Out of the icon first, as ICCCM has it; a window that is not iconic loses its
            // maximized state instead. Then it becomes the active window.
            const Atom netState = x.atom("_NET_WM_STATE");
            const auto states = x.items(window, netState);
            const auto has = [&states](Atom state) {
                return std::find(states.begin(), states.end(), state) != states.end();
            };
            const Atom vertical = x.atom("_NET_WM_STATE_MAXIMIZED_VERT");
            const Atom horizontal = x.atom("_NET_WM_STATE_MAXIMIZED_HORZ");
            if (wmState(x, window) == kIconicState || has(x.atom("_NET_WM_STATE_HIDDEN"))) {
                XMapWindow(x.display(), window);
                x.sync();
            } else if (manager.supports(netState) && (has(vertical) || has(horizontal))) {
                constexpr long kRemove = 0;
                sendToRoot(x, window, netState, kRemove, static_cast<long>(vertical),
                           static_cast<long>(horizontal));
            }
            return sendToRoot(x, window, active, kSourcePager, CurrentTime);
        });
}

WindowHandle X11DesktopWindows::foregroundWindow() {
    if (!impl_->available) {
        return 0;
    }
    Connection x(impl_->displayName);
    if (!x) {
        return 0;
    }
    const WindowManager manager = windowManagerOf(x);
    const auto clients = clientWindows(x, manager);
    const std::unordered_set<Window> known(clients.begin(), clients.end());

    Window focus = None;
    int revertTo = 0;
    XGetInputFocus(x.display(), &focus, &revertTo);
    x.sync();
    for (Window window = focus; window != None && window != PointerRoot && window != x.root();
         window = x.parent(window)) {
        if (known.count(window) != 0) {
            return window;
        }
    }
    // Some window managers keep the focus on their frame; they name the active client instead.
    const Atom active = x.atom("_NET_ACTIVE_WINDOW");
    if (manager.supports(active)) {
        const auto named = x.items(x.root(), active);
        if (!named.empty() && known.count(named[0]) != 0) {
            return named[0];
        }
    }
    return 0;
}

bool X11DesktopWindows::requestClose(WindowHandle handle) {
    return onWindow(
        impl_->available, impl_->displayName, handle, [&](Connection& x, Window window) {
            const Atom close = x.atom("_NET_CLOSE_WINDOW");
            if (windowManagerOf(x).supports(close)) {
                return sendToRoot(x, window, close, CurrentTime, kSourcePager);
            }
            // No window manager to ask: the window's own close protocol, when it takes part in it.
            // A window that does not is left alone rather than destroyed under its program.
            const Atom protocols = x.atom("WM_PROTOCOLS");
            const Atom deleteWindow = x.atom("WM_DELETE_WINDOW");
            const auto supported = x.items(window, protocols);
            if (std::find(supported.begin(), supported.end(), deleteWindow) == supported.end()) {
                return false;
            }
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = protocols;
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(deleteWindow);
            event.xclient.data.l[1] = CurrentTime;
            const Status status = XSendEvent(x.display(), window, False, NoEventMask, &event);
            return x.sync() && status != 0;
        });
}

X11Platform openX11Platform(const std::string& displayName) {
    X11Platform platform;
    platform.windows = std::make_unique<X11DesktopWindows>(displayName);
    platform.keyboard = std::make_unique<X11Keyboard>(displayName);
    return platform;
}

}  // namespace agendix::platform
