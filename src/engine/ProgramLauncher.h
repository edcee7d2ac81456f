#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/Processes.h"
#include "platform/Shell.h"
#include "platform/UserInterface.h"

namespace agendix::engine {

// What to start and how.
struct LaunchRequest {
    std::int32_t taskId = 0;        // the task whose script is loaded after the start; 0 = none
    bool asProcess = false;         // start as a process (else through the desktop shell)
    int windowMode = 1;             // 1 normal, 2 minimized, 3 maximized, 7 minimized without focus, 8 no focus
    bool defaultMode = true;        // ignore windowMode and use 1
    bool openVerb = true;           // use "open" (else `verb`)
    bool normalPriority = true;     // ignore `priority`
    int priority = 0;               // 1 idle, 3 high, other normal
    std::string command;            // "N/A" in any letter case starts nothing
    std::string path;               // made current for the start; blank leaves the directory
    std::string verb;
};

struct LaunchOutcome {
    std::uint32_t launchResult = 0;        // the last shell result (32 or more = started)
    bool processStarted = false;           // a process start succeeded
    platform::ProcessHandle process = 0;   // the process started
    bool scriptLoaded = false;
};

// Starts the program, document or address a task or script item names. Logs "Run Program",
// makes the task's directory current for the start and puts the previous one back on every path,
// reports a start that failed, and loads the task's script.
class ProgramLauncher {
public:
    using LogWriter = std::function<void(std::string_view label, std::string_view data)>;
    using ScriptLoader = std::function<void(std::int32_t taskId, std::uint32_t launchResult)>;

    ProgramLauncher(platform::Shell& shell, platform::Processes& processes, platform::UserInterface& ui,
                    LogWriter log, ScriptLoader loadScript)
        : shell_(shell), processes_(processes), ui_(ui), log_(std::move(log)), loadScript_(std::move(loadScript)) {}

    LaunchOutcome launch(const LaunchRequest& request);

    static constexpr std::size_t kProcessCommandLimit = 119;

private:
    std::uint32_t shellStart(const std::string& command, const std::string& verb, const std::string& directory,
                             int windowMode);

    platform::Shell& shell_;
    platform::Processes& processes_;
    platform::UserInterface& ui_;
    LogWriter log_;
    ScriptLoader loadScript_;
};

}  // namespace agendix::engine
