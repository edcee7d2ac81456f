#include "platform/x11/X11Connection.h"

#include <algorithm>
#include <mutex>

namespace agendix::platform::x11 {
namespace {

// Xlib has one error handler per process. While any of our connections is open ours is
// installed; it counts errors on our connections and hands every other one to the handler that
// was there before (Qt's, or Xlib's default).
std::mutex& trapMutex() {
    static std::mutex mutex;
    return mutex;
}
std::vector<Connection*>& openConnections() {
    static std::vector<Connection*> connections;
    return connections;
}
XErrorHandler& previousHandler() {
    static XErrorHandler handler = nullptr;
    return handler;
}

}  // namespace

int trapError(Display* display, XErrorEvent* error) {
    XErrorHandler forward = nullptr;
    {
        std::lock_guard lock(trapMutex());
        for (Connection* connection : openConnections()) {
            if (connection->display_ == display) {
                ++connection->errors_;
                return 0;
            }
        }
        forward = previousHandler();
    }
    return forward != nullptr ? forward(display, error) : 0;
}

Connection::Connection(const std::string& displayName) {
    display_ = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display_ == nullptr) {
        return;
    }
    root_ = DefaultRootWindow(display_);
    std::lock_guard lock(trapMutex());
    if (openConnections().empty()) {
        previousHandler() = XSetErrorHandler(trapError);
    }
    openConnections().push_back(this);
}

Connection::~Connection() {
    if (display_ == nullptr) {
        return;
    }
    XSync(display_, False);
    {
        std::lock_guard lock(trapMutex());
        auto& connections = openConnections();
        connections.erase(std::remove(connections.begin(), connections.end(), this),
                          connections.end());
        if (connections.empty()) {
            XSetErrorHandler(previousHandler());
            previousHandler() = nullptr;
        }
    }
    XCloseDisplay(display_);
}

bool Connection::sync() {
    XSync(display_, False);
    const bool clean = errors_ == 0;
    errors_ = 0;
    return clean;
}

Atom Connection::atom(const char* name) {
    return XInternAtom(display_, name, False);
}

std::optional<Connection::Property> Connection::property(Window window, Atom name) {
    if (window == None) {
        return std::nullopt;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0, bytesAfter = 0;
    unsigned char* data = nullptr;
    // Up to 4 MiB: far more than any title or window list.
    const int status =
        XGetWindowProperty(display_, window, name, 0, 1L << 20, False, AnyPropertyType, &type,
                           &format, &count, &bytesAfter, &data);
    const bool clean = sync();
    std::optional<Property> result;
    if (clean && status == Success && type != None && data != nullptr) {
        result.emplace();
        result->type = type;
        result->format = format;
        if (format == 32) {
            const auto* longs = reinterpret_cast<const unsigned long*>(data);
            result->items.assign(longs, longs + count);
        } else {
            const std::size_t unit = format == 16 ? sizeof(short) : 1;
            result->data.assign(data, data + count * unit);
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return result;
}

std::vector<unsigned long> Connection::items(Window window, Atom name) {
    auto found = property(window, name);
    if (!found || found->format != 32) {
        return {};
    }
    return std::move(found->items);
}

bool Connection::windowExists(Window window) {
    if (window == None) {
        return false;
    }
    XWindowAttributes attributes;
    const Status status = XGetWindowAttributes(display_, window, &attributes);
    return sync() && status != 0;
}

Window Connection::parent(Window window) {
    Window rootReturn = None, parentReturn = None;
    Window* list = nullptr;
    unsigned int count = 0;
    const Status status = XQueryTree(display_, window, &rootReturn, &parentReturn, &list, &count);
    if (list != nullptr) {
        XFree(list);
    }
    if (!sync() || status == 0 || parentReturn == rootReturn) {
        return None;
    }
    return parentReturn;
}

std::vector<Window> Connection::children(Window window) {
    Window rootReturn = None, parentReturn = None;
    Window* list = nullptr;
    unsigned int count = 0;
    const Status status = XQueryTree(display_, window, &rootReturn, &parentReturn, &list, &count);
    std::vector<Window> result;
    if (status != 0 && list != nullptr) {
        result.assign(list, list + count);
    }
    if (list != nullptr) {
        XFree(list);
    }
    if (!sync()) {
        return {};
    }
    return result;
}

}  // namespace agendix::platform::x11
