#include "platform/DesktopShell.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/CommandLine.h"

namespace agendix::platform {
namespace {

namespace fs = std::filesystem;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool isExecutableFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

// A bare program name found along PATH.
fs::path findOnPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (path == nullptr || name.find('/') != std::string::npos) {
        return {};
    }
    std::string dirs = path;
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const fs::path candidate = fs::path(dirs.substr(start, end - start)) / name;
        if (isExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace

bool isAddress(const std::string& text) {
    const std::string low = lower(text);
    if (low.rfind("www.", 0) == 0) {
        return true;
    }
    const auto colon = low.find(':');
    // A scheme has two letters at least, so "c:\file" stays a file name.
    if (colon == std::string::npos || colon < 2) {
        return false;
    }
    return std::all_of(low.begin(), low.begin() + static_cast<std::ptrdiff_t>(colon), [](unsigned char c) {
        return std::isalnum(c) != 0 || c == '+' || c == '-' || c == '.';
    }) && std::isalpha(static_cast<unsigned char>(low[0])) != 0;
}

std::string DesktopShell::ownDirectory() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : self.parent_path().string();
}

std::string DesktopShell::findProgram(const std::string& name) const {
    if (name.find('/') != std::string::npos) {
        return {};
    }
    if (!programDirectory_.empty() && isExecutableFile(fs::path(programDirectory_) / name)) {
        return (fs::path(programDirectory_) / name).string();
    }
    return findOnPath(name).string();
}

int DesktopShell::openWithDesktop(const std::string& target, const std::string& directory) {
    const ProcessHandle opener = processes_.spawn({"xdg-open", target}, directory, 0);
    if (opener == 0) {
        return kNoAssociation;
    }
    // xdg-open answers quickly when it finds nothing to open with; otherwise it has started it.
    for (int waited = 0; waited < 50; ++waited) {
        const int code = processes_.exitCode(opener);
        if (code != Processes::kStillActive) {
            return code == 0 ? kStarted : kNoAssociation;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return kStarted;
}

int DesktopShell::execute(const ShellRequest& request) {
    const std::string file = trimmed(request.file);
    const std::string verb = lower(trimmed(request.verb.empty() ? std::string("open") : request.verb));
    const std::string directory = trimmed(request.directory);
    if (file.empty()) {
        return kFileNotFound;
    }
    if (isAddress(file)) {
        return verb == "open" || verb == "edit" ? openWithDesktop(file, directory) : kNoAssociation;
    }
    fs::path path = file;
    if (path.is_relative() && !directory.empty()) {
        path = fs::path(directory) / path;
    }
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        const std::string program = findProgram(file);
        if (!program.empty() && verb == "open") {
            std::vector<std::string> arguments{program};
            for (auto& word : splitCommandLine(request.parameters)) {
                arguments.push_back(std::move(word));
            }
            return processes_.spawn(arguments, directory, 0) != 0 ? kStarted : kNoAssociation;
        }
        const fs::path parent = path.parent_path();
        return parent.empty() || fs::is_directory(parent, ec) ? kFileNotFound : kPathNotFound;
    }
    if (fs::is_directory(path, ec)) {
        return verb == "open" || verb == "explore" ? openWithDesktop(path.string(), directory) : kNoAssociation;
    }
    if (verb == "explore") {
        return kPathNotFound;
    }
    if (verb == "open" && isExecutableFile(path)) {
        std::vector<std::string> arguments{path.string()};
        for (auto& word : splitCommandLine(request.parameters)) {
            arguments.push_back(std::move(word));
        }
        if (processes_.spawn(arguments, directory, 0) != 0) {
            return kStarted;
        }
    }
    if (verb == "print") {
        const fs::path printer = findOnPath("lp");
        if (printer.empty()) {
            return kNoAssociation;
        }
        return processes_.spawn({printer.string(), path.string()}, directory, 0) != 0 ? kStarted : kNoAssociation;
    }
    if (verb == "open" || verb == "edit") {
        return openWithDesktop(path.string(), directory);
    }
    return kNoAssociation;
}

}  // namespace agendix::platform
