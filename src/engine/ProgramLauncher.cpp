#include "engine/ProgramLauncher.h"

#include "store/Text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace agendix::engine {
namespace {

using store::trimRight;

std::string trimBoth(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : trimRight(text.substr(first));
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isNothing(const std::string& command) {
    std::string upper = trimBoth(command);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "N/A";
}

// Puts the current directory back however the start ends.
class DirectoryKeeper {
public:
    DirectoryKeeper() { saved_ = std::filesystem::current_path(error_); }
    ~DirectoryKeeper() { restore(); }
    DirectoryKeeper(const DirectoryKeeper&) = delete;
    DirectoryKeeper& operator=(const DirectoryKeeper&) = delete;
    void restore() {
        if (!error_) {
            std::error_code ignored;
            std::filesystem::current_path(saved_, ignored);
        }
    }

private:
    std::filesystem::path saved_;
    std::error_code error_;
};

}  // namespace

std::uint32_t ProgramLauncher::shellStart(const std::string& command, const std::string& verb,
                                          const std::string& directory, int windowMode) {
    auto call = [&](const std::string& file, const std::string& parameters) {
        return static_cast<std::uint32_t>(
            shell_.execute(platform::ShellRequest{verb, file, parameters, directory, windowMode}));
    };
    const std::string whole = trimRight(command);
    std::uint32_t result = call(whole, {});
    if (result >= 32) {
        return result;
    }

    // A quoted program, or the first word, with the rest as parameters.
    std::string file = whole;
    std::string parameters;
    bool split = false;
    if (!whole.empty() && whole.front() == '"') {
        const auto closing = whole.find('"', 1);
        file = whole.substr(1);
        if (closing != std::string::npos) {
            file = whole.substr(1, closing - 1);
            parameters = trimBoth(whole.substr(closing + 1));
            split = true;
        }
    } else {
        const auto blank = whole.find(' ');
        if (blank != std::string::npos && blank < whole.size() - 1) {
            file = whole.substr(0, blank);
            parameters = trimBoth(whole.substr(blank + 1));
            split = true;
        }
    }
    result = call(file, split ? parameters : std::string());
    if (result >= 32 || !split) {
        return result;
    }

    // A program path with blanks in it followed by arguments: try each blank from the right.
    for (std::size_t i = whole.size() - 1; i >= 3 && result < 32; --i) {
        if (whole[i - 1] == ' ') {
            result = call(trimRight(whole.substr(0, i - 1)), trimBoth(whole.substr(i)));
        }
    }
    return result;
}

LaunchOutcome ProgramLauncher::launch(const LaunchRequest& request) {
    LaunchOutcome outcome;
    const int windowMode = request.defaultMode ? 1 : request.windowMode;
    DirectoryKeeper directory;
    log_("Run Program", request.command);

    const std::string path = trimRight(request.path);
    if (!path.empty()) {
        std::error_code ignored;  // a directory that cannot be entered leaves the current one
        std::filesystem::current_path(path, ignored);
    }
    if (!isNothing(request.command)) {
        const std::string verb = request.openVerb ? std::string("open") : lower(trimRight(request.verb));
        if (request.asProcess) {
            platform::ProcessRequest process;
            process.commandLine = trimRight(request.command).substr(0, kProcessCommandLimit);
            process.priority = request.normalPriority ? 0 : request.priority;
            process.windowMode = windowMode;
            outcome.process = processes_.start(process);
            outcome.processStarted = outcome.process != 0;
            if (!outcome.processStarted) {
                // The shell may know the command as a document or an address; either way the
                // user is not told and no script is loaded.
                outcome.launchResult = shellStart(request.command, verb, path, windowMode);
                return outcome;
            }
        } else {
            outcome.launchResult = shellStart(request.command, verb, path, windowMode);
            if (outcome.launchResult < 32) {
                directory.restore();
                ui_.message(platform::MessageRequest{"Could not start " + trimRight(request.command) + ".",
                                                     "Error Code " + std::to_string(outcome.launchResult),
                                                     platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
                return outcome;
            }
        }
    }
    directory.restore();
    if (request.taskId != 0) {
        loadScript_(request.taskId, outcome.launchResult);
        outcome.scriptLoaded = true;
    }
    return outcome;
}

}  // namespace agendix::engine
