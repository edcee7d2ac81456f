#pragma once

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

    explicit DesktopShell(PosixProcesses& processes) : processes_(processes) {}
    int execute(const ShellRequest& request) override;

private:
    int openWithDesktop(const std::string& target, const std::string& directory);
    PosixProcesses& processes_;
};

// True for "http://...", "mailto:...", "www...." and other addresses a browser or mail program opens.
bool isAddress(const std::string& text);

}  // namespace agendix::platform
