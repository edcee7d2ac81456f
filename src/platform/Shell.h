#pragma once

#include <string>

namespace agendix::platform {

struct ShellRequest {
    std::string verb;  // "open", "print", "explore", "edit", ...
    std::string file;
    std::string parameters;
    std::string directory;
    int windowMode = 1;
};

// Opens a document, program or address the way the desktop would.
class Shell {
public:
    virtual ~Shell() = default;
    // Launch codes: 32 or more = started; 2 file not found, 3 path not found, 31 no association.
    virtual int execute(const ShellRequest& request) = 0;
};

}  // namespace agendix::platform
