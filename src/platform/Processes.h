#pragma once

#include <cstdint>
#include <string>

namespace agendix::platform {

using ProcessHandle = std::int64_t;  // 0 = none

struct ProcessRequest {
    std::string commandLine;  // split by Windows-like quoting rules
    std::string directory;    // empty: the current directory
    int priority = 0;         // nice value
    int windowMode = 1;
};

class Processes {
public:
    virtual ~Processes() = default;
    static constexpr int kStillActive = 259;

    // Starts the program; 0 when it could not be started.
    virtual ProcessHandle start(const ProcessRequest& request) = 0;
    // The exit code, or kStillActive while the process runs.
    virtual int exitCode(ProcessHandle process) = 0;
};

}  // namespace agendix::platform
