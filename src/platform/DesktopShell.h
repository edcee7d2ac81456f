#pragma once

#include <string>

#include "platform/PosixProcesses.h"
#include "platform/Shell.h"

namespace agendix::platform {

// Opens what a task names the way the desktop would: programs are started directly, documents,
// folders and addresses through xdg-open. Nothing goes through /bin/sh.
class DesktopShell final : public Shell {
public:
    static constexpr int kStarted = 42;
    static constexpr int kFileNotFound = 2;
    static constexpr int kPathNotFound = 3;
    static constexpr int kNoAssociation = 31;

    // Bare program names are looked for in `programDirectory` (where the program's own helper
    // programs are installed, by default the directory of the running executable), then on PATH.
    explicit DesktopShell(PosixProcesses& processes, std::string programDirectory = ownDirectory())
        : processes_(processes), programDirectory_(std::move(programDirectory)) {}
    int execute(const ShellRequest& request) override;

private:
    static std::string ownDirectory();
    std::string findProgram(const std::string& name) const;
    int openWithDesktop(const std::string& target, const std::string& directory);
    PosixProcesses& processes_;
    std::string programDirectory_;
};

// True for "http://...", "mailto:...", "www...." and other addresses a browser or mail program opens.
bool isAddress(const std::string& text);

}  // namespace agendix::platform
