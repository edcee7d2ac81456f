#pragma once

#include <cstdint>
#include <string>

namespace agendix::platform {

using DdeConversation = std::int64_t;  // 0 = none

// Commands to another program by service and topic (carried over D-Bus here).
class Dde {
public:
    virtual ~Dde() = default;
    virtual DdeConversation connect(const std::string& application, const std::string& topic) = 0;
    virtual bool execute(DdeConversation conversation, const std::string& command) = 0;
    virtual void close(DdeConversation conversation) = 0;
};

}  // namespace agendix::platform
