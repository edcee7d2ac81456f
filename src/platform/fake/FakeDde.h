#pragma once

#include <string>
#include <vector>

#include "platform/Dde.h"

namespace agendix::platform {

class FakeDde final : public Dde {
public:
    std::vector<std::string> log;  // "connect:app|topic", "execute:command", "close"
    bool reachable = true;

    DdeConversation connect(const std::string& application, const std::string& topic) override {
        log.push_back("connect:" + application + "|" + topic);
        return reachable ? 1 : 0;
    }
    bool execute(DdeConversation, const std::string& command) override {
        log.push_back("execute:" + command);
        return reachable;
    }
    void close(DdeConversation) override { log.push_back("close"); }
};

}  // namespace agendix::platform
