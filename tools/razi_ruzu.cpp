// RaziRuzu NAME
//
// Ends every process of the calling user whose executable is NAME: politely first (SIGTERM),
// then, for those still running after a short grace period, with SIGKILL. NAME may carry a path
// (either slash) and a ".exe" suffix; the comparison ignores case and the suffix, and looks at the
// process name, the executable's file name and the file name in argv[0]. It never ends itself or
// the program that started it, and it prints nothing.

#include <signal.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr auto kGracePeriod = std::chrono::seconds(2);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The file name part, without a ".exe" suffix, lower case.
std::string executableKey(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    std::string name = lowered(slash == std::string::npos ? path : path.substr(slash + 1));
    if (name.size() > 4 && name.ends_with(".exe")) {
        name.resize(name.size() - 4);
    }
    return name;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\"'");
    if (first == std::string::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\"'");
    return text.substr(first, last - first + 1);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Target {
    pid_t pid = 0;
    unsigned long long startTime = 0;  // tells the process apart from a later one with its id
};

// State letter and start time from /proc/<pid>/stat; nothing when the process is gone.
std::optional<std::pair<char, unsigned long long>> processStat(pid_t pid) {
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    const auto close = stat.rfind(')');  // the name in parentheses may hold anything
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(stat.substr(close + 1));
    char state = 0;
    fields >> state;
    std::string skip;
    for (int field = 4; field < 22; ++field) {  // up to field 22, starttime
        fields >> skip;
    }
    unsigned long long startTime = 0;
    if (!(fields >> startTime)) {
        return std::nullopt;
    }
    return std::pair{state, startTime};
}

bool matches(pid_t pid, const std::string& wanted) {
    const std::filesystem::path dir = "/proc/" + std::to_string(pid);
    const std::string commandLine = readFile(dir / "cmdline");
    if (commandLine.empty()) {
        return false;  // a kernel thread, or already gone
    }
    std::string comm = readFile(dir / "comm");
    while (!comm.empty() && comm.back() == '\n') {
        comm.pop_back();
    }
    if (executableKey(comm) == wanted) {
        return true;
    }
    std::error_code error;
    const auto executable = std::filesystem::read_symlink(dir / "exe", error);
    if (!error) {
        std::string path = executable.string();
        constexpr std::string_view kDeleted = " (deleted)";
        if (path.ends_with(kDeleted)) {
            path.resize(path.size() - kDeleted.size());
        }
        if (executableKey(path) == wanted) {
            return true;
        }
    }
    const std::string argv0 = commandLine.substr(0, commandLine.find('\0'));
    return executableKey(argv0) == wanted;
}

std::vector<Target> findTargets(const std::string& wanted) {
    const pid_t self = getpid();
    const pid_t parent = getppid();
    const uid_t user = getuid();
    std::vector<Target> targets;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || !std::all_of(name.begin(), name.end(),
                                         [](unsigned char c) { return std::isdigit(c) != 0; })) {
            continue;
        }
        const auto pid = static_cast<pid_t>(std::stol(name));
        struct stat info {};
        if (pid == self || pid == parent || ::stat(entry.path().c_str(), &info) != 0 ||
            info.st_uid != user || !matches(pid, wanted)) {
            continue;
        }
        const auto stat = processStat(pid);
        if (stat && stat->first != 'Z') {
            targets.push_back({pid, stat->second});
        }
    }
    return targets;
}

// Still the same process, and not yet ended (a zombie has ended; its parent collects it).
bool running(const Target& target) {
    const auto stat = processStat(target.pid);
    return stat && stat->second == target.startTime && stat->first != 'Z' && stat->first != 'X';
}

}  // namespace

int main(int argc, char** argv) {
    // The name arrives as one argument, or split at blanks by the caller's quoting rules.
    std::string name;
    for (int i = 1; i < argc; ++i) {
        name += (i > 1 ? " " : "") + std::string(argv[i]);
    }
    const std::string wanted = executableKey(trimmed(name));
    if (wanted.empty()) {
        return 2;
    }

    std::vector<Target> targets = findTargets(wanted);
    for (const Target& target : targets) {
        kill(target.pid, SIGTERM);
    }
    const auto deadline = std::chrono::steady_clock::now() + kGracePeriod;
    for (;;) {
        std::erase_if(targets, [](const Target& target) { return !running(target); });
        if (targets.empty() || std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    for (const Target& target : targets) {
        if (running(target)) {
            kill(target.pid, SIGKILL);
        }
    }
    return 0;
}
