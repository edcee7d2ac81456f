#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "support/TempDir.h"

namespace agendix::tools {
namespace {

namespace fs = std::filesystem;

constexpr auto kPatience = std::chrono::seconds(15);

// How a child ended: the signal that ended it, or its exit code.
struct Ending {
    bool ended = false;
    int signal = 0;
    int exitCode = -1;
};

Ending waitUntilEnded(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < deadline) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            if (WIFSIGNALED(status)) {
                return {true, WTERMSIG(status), -1};
            }
            return {true, 0, WEXITSTATUS(status)};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return {};
}

// Starts the program with these arguments, output to the file; optionally with SIGTERM ignored
// (which the program keeps across exec).
pid_t start(const std::vector<std::string>& command, const fs::path& output,
            bool ignoreTerm = false) {
    std::vector<char*> argv;
    for (const auto& part : command) {
        argv.push_back(const_cast<char*>(part.c_str()));
    }
    argv.push_back(nullptr);
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    const pid_t pid = fork();
    if (pid == 0) {
        if (ignoreTerm) {
            signal(SIGTERM, SIG_IGN);
        }
        dup2(out, STDOUT_FILENO);
        dup2(out, STDERR_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out);
    return pid;
}

bool stillRunning(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == 0;
}

class RaziRuzuTest : public ::testing::Test {
protected:
    testing::TempDir dir;
    // Unique per test program, so suites running side by side never end each other's sleepers.
    const std::string name = "agxs" + std::to_string(getpid());
    const fs::path output = dir / "output.txt";

    // A copy of /bin/sleep under the given name, sleeping for a minute.
    pid_t startSleeper(const std::string& as, bool ignoreTerm = false) {
        const fs::path copy = dir / as;
        if (!fs::exists(copy)) {
            fs::copy_file("/bin/sleep", copy);
        }
        const pid_t pid = start({copy.string(), "60"}, output, ignoreTerm);
        // Until exec has happened the child still carries the test's name.
        const auto deadline = std::chrono::steady_clock::now() + kPatience;
        const fs::path link = "/proc/" + std::to_string(pid) + "/exe";
        std::error_code error;
        while (std::chrono::steady_clock::now() < deadline &&
               fs::read_symlink(link, error).filename() != as) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return pid;
    }

    Ending razi(std::vector<std::string> arguments,
                const std::string& program = AGENDIX_RAZI_RUZU) {
        arguments.insert(arguments.begin(), program);
        return waitUntilEnded(start(arguments, output));
    }

    std::string printed() const {
        std::ifstream in(output);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

// The name may come with a path of either kind, in any case, with or without ".exe", and split
// at blanks by the caller's quoting rules; the process is asked to end with SIGTERM.
TEST_F(RaziRuzuTest, EndsTheProcessNamedPolitely) {
    const struct {
        std::vector<std::string> arguments;
    } cases[] = {
        {{name}},
        {{name + ".exe"}},
        {{"AGXS" + name.substr(4) + ".EXE"}},
        {{"C:\\Tools\\" + name + ".exe"}},
        {{"/opt/elsewhere/" + name}},
        {{"C:\\Program", "Files\\Tools\\" + name + ".exe"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.back());
        const pid_t sleeper = startSleeper(name);
        const Ending tool = razi(c.arguments);
        EXPECT_TRUE(tool.ended);
        EXPECT_EQ(tool.exitCode, 0);
        const Ending ending = waitUntilEnded(sleeper);
        EXPECT_TRUE(ending.ended);
        EXPECT_EQ(ending.signal, SIGTERM);
    }
    EXPECT_EQ(printed(), "");
}

TEST_F(RaziRuzuTest, EndsEveryProcessOfTheName) {
    const pid_t first = startSleeper(name);
    const pid_t second = startSleeper(name);
    razi({name});
    EXPECT_EQ(waitUntilEnded(first).signal, SIGTERM);
    EXPECT_EQ(waitUntilEnded(second).signal, SIGTERM);
}

// One that ignores SIGTERM is killed once the grace period is over.
TEST_F(RaziRuzuTest, KillsAProcessThatIgnoresTheRequest) {
    const pid_t stubborn = startSleeper(name, true);
    const Ending tool = razi({name});
    EXPECT_EQ(tool.exitCode, 0);
    const Ending ending = waitUntilEnded(stubborn);
    EXPECT_TRUE(ending.ended);
    EXPECT_EQ(ending.signal, SIGKILL);
}

TEST_F(RaziRuzuTest, LeavesOtherNamesRunning) {
    const struct {
        std::string running;
    } cases[] = {
        {name + "x"},      // the name is only a prefix of it
        {name.substr(1)},  // it is only a suffix of the name
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.running);
        const pid_t other = startSleeper(c.running);
        EXPECT_EQ(razi({name}).exitCode, 0);
        EXPECT_TRUE(stillRunning(other));
        kill(other, SIGKILL);
        waitUntilEnded(other);
    }
}

// Asked for its own name, or its parent's, it ends neither.
TEST_F(RaziRuzuTest, NeverEndsItselfOrItsParent) {
    const fs::path self = dir / name;
    fs::copy_file(AGENDIX_RAZI_RUZU, self);
    const Ending itself = razi({name}, self.string());
    EXPECT_TRUE(itself.ended);
    EXPECT_EQ(itself.signal, 0);
    EXPECT_EQ(itself.exitCode, 0);

    const fs::path shell = dir / (name + "sh");
    fs::copy_file("/bin/sh", shell);
    const std::string script = std::string("'") + AGENDIX_RAZI_RUZU + "' " + name + "sh; exit 7";
    const Ending parent = waitUntilEnded(start({shell.string(), "-c", script}, output));
    EXPECT_TRUE(parent.ended);
    EXPECT_EQ(parent.signal, 0);
    EXPECT_EQ(parent.exitCode, 7);
}

}  // namespace
}  // namespace agendix::tools
