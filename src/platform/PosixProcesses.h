#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Processes.h"

namespace agendix::platform {

// Starts programs directly (never through a shell: a command line is data, not shell code) and
// follows them until they end.
class PosixProcesses final : public Processes {
public:
    ProcessHandle start(const ProcessRequest& request) override;
    int exitCode(ProcessHandle process) override;

    // Starts the program of `arguments` in `directory` (empty: the current one); 0 when it cannot.
    ProcessHandle spawn(const std::vector<std::string>& arguments, const std::string& directory, int niceValue);

private:
    void reapFinished();
    std::map<ProcessHandle, int> finished_;
    std::map<ProcessHandle, bool> running_;
};

// The nice value for a Windows-like priority: 1 idle, 3 high, anything else normal.
int niceValueFor(int priority);

}  // namespace agendix::platform
