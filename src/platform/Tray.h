#pragma once

#include <string>

namespace agendix::platform {

// The program's icon in the notification area.
class Tray {
public:
    virtual ~Tray() = default;
    virtual bool available() const = 0;
    virtual void show(const std::string& iconName, const std::string& tip) = 0;
    virtual void modify(const std::string& iconName, const std::string& tip) = 0;
    virtual void remove() = 0;
};

}  // namespace agendix::platform
