#pragma once

#include <vector>

#include "platform/Shell.h"

namespace agendix::platform {

class FakeShell final : public Shell {
public:
    std::vector<ShellRequest> requests;
    int result = 42;

    int execute(const ShellRequest& request) override {
        requests.push_back(request);
        return result;
    }
};

}  // namespace agendix::platform
