#include "platform/PosixProcesses.h"

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/CommandLine.h"

extern char** environ;

namespace agendix::platform {

int niceValueFor(int priority) {
    switch (priority) {
        case 1:
            return 19;
        case 3:
            return -5;
        default:
            return 0;
    }
}

ProcessHandle PosixProcesses::spawn(const std::vector<std::string>& arguments, const std::string& directory,
                                    int niceValue) {
    reapFinished();
    if (arguments.empty() || arguments.front().empty()) {
        return 0;
    }
    std::vector<char*> argv;
    for (const auto& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    // A directory of its own for the child: changed around the spawn and put back at once.
    std::error_code ec;
    const std::filesystem::path previous = std::filesystem::current_path(ec);
    if (!directory.empty()) {
        std::filesystem::current_path(directory, ec);
        if (ec) {
            return 0;
        }
    }
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ);
    if (!directory.empty()) {
        std::filesystem::current_path(previous, ec);
    }
    if (rc != 0) {
        return 0;
    }
    if (niceValue != 0) {
        setpriority(PRIO_PROCESS, static_cast<id_t>(pid), niceValue);  // raising may be refused: then normal
    }
    running_[pid] = true;
    return pid;
}

ProcessHandle PosixProcesses::start(const ProcessRequest& request) {
    return spawn(splitCommandLine(request.commandLine), request.directory, niceValueFor(request.priority));
}

void PosixProcesses::reapFinished() {
    for (auto it = running_.begin(); it != running_.end();) {
        int status = 0;
        const pid_t done = waitpid(static_cast<pid_t>(it->first), &status, WNOHANG);
        if (done == it->first) {
            finished_[it->first] = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            it = running_.erase(it);
        } else if (done < 0) {
            finished_[it->first] = 0;
            it = running_.erase(it);
        } else {
            ++it;
        }
    }
}

int PosixProcesses::exitCode(ProcessHandle process) {
    reapFinished();
    if (auto found = finished_.find(process); found != finished_.end()) {
        return found->second;
    }
    return running_.count(process) != 0 ? kStillActive : 0;
}

}  // namespace agendix::platform
