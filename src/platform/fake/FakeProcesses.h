#pragma once

#include <map>
#include <vector>

#include "platform/Processes.h"

namespace agendix::platform {

class FakeProcesses final : public Processes {
public:
    std::vector<ProcessRequest> started;
    std::map<ProcessHandle, int> exitCodes;  // missing: still running
    bool failStart = false;

    ProcessHandle start(const ProcessRequest& request) override {
        if (failStart) {
            return 0;
        }
        started.push_back(request);
        return static_cast<ProcessHandle>(started.size());
    }
    int exitCode(ProcessHandle process) override {
        auto found = exitCodes.find(process);
        return found == exitCodes.end() ? kStillActive : found->second;
    }
};

}  // namespace agendix::platform
