#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <map>
#include <thread>

#include "engine/ProgramLauncher.h"
#include "platform/DesktopShell.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "support/TempDir.h"

namespace agendix::engine {
namespace {

// A shell that starts only the files it knows, and records every try.
class KnownFilesShell final : public platform::Shell {
public:
    std::map<std::string, int> known;  // file -> result
    std::vector<std::pair<std::string, std::string>> tries;
    std::vector<std::string> verbs;

    int execute(const platform::ShellRequest& request) override {
        tries.emplace_back(request.file, request.parameters);
        verbs.push_back(request.verb);
        auto found = known.find(request.file);
        return found == known.end() ? 2 : found->second;
    }
};

struct LauncherFixture : ::testing::Test {
    KnownFilesShell shell;
    platform::FakeProcesses processes;
    platform::ScriptedUserInterface ui;
    std::vector<std::string> log;
    std::vector<std::int32_t> loaded;
    ProgramLauncher launcher{shell, processes, ui,
                             [this](std::string_view label, std::string_view data) {
                                 log.push_back(std::string(label) + ": " + std::string(data));
                             },
                             [this](std::int32_t task, std::uint32_t) { loaded.push_back(task); }};

    LaunchOutcome run(const std::string& command, std::int32_t task = 7) {
        LaunchRequest request;
        request.taskId = task;
        request.command = command;
        return launcher.launch(request);
    }
};

TEST_F(LauncherFixture, ShellStartTriesTheWholeCommandThenASplitThenBlanksFromTheRight) {
    using Tries = std::vector<std::pair<std::string, std::string>>;
    struct Case {
        const char* name;
        std::string command;
        std::string startable;
        Tries tries;
    };
    const Case cases[] = {
        {"a plain document starts at once", "notes.txt", "notes.txt", {{"notes.txt", ""}}},
        {"a quoted program with arguments starts in the second try",
         "\"/opt/my editor/edit\" -n notes.txt",
         "/opt/my editor/edit",
         {{"\"/opt/my editor/edit\" -n notes.txt", ""}, {"/opt/my editor/edit", "-n notes.txt"}}},
        {"an unquoted path with blanks and one argument starts from the right",
         "/opt/my editor/edit notes.txt",
         "/opt/my editor/edit",
         {{"/opt/my editor/edit notes.txt", ""}, {"/opt/my", "editor/edit notes.txt"}, {"/opt/my editor/edit", "notes.txt"}}},
        {"a program with arguments splits at the first blank", "editor -x file", "editor",
         {{"editor -x file", ""}, {"editor", "-x file"}}},
        {"a command without blanks is tried twice", "missing.exe", "",
         {{"missing.exe", ""}, {"missing.exe", ""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        shell.tries.clear();
        shell.known.clear();
        if (!c.startable.empty()) {
            shell.known[c.startable] = 42;
        }
        run(c.command);
        EXPECT_EQ(shell.tries, c.tries);
    }
}

TEST_F(LauncherFixture, AFailedStartIsReportedAndLoadsNoScript) {
    const LaunchOutcome outcome = run("/opt/nothing here/prog   ");
    EXPECT_LT(outcome.launchResult, 32u);
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_EQ(ui.shown()[0].text, "Could not start /opt/nothing here/prog.");
    EXPECT_EQ(ui.shown()[0].caption, "Error Code 2");
    EXPECT_TRUE(loaded.empty());
    EXPECT_EQ(log, std::vector<std::string>{"Run Program: /opt/nothing here/prog   "});
}

TEST_F(LauncherFixture, NotApplicableStartsNothingButLogsAndLoadsTheScript) {
    for (const char* nothing : {"N/A", "n/a", "  n/A  "}) {
        SCOPED_TRACE(nothing);
        shell.tries.clear();
        loaded.clear();
        run(nothing, 12);
        EXPECT_TRUE(shell.tries.empty());
        EXPECT_EQ(loaded, std::vector<std::int32_t>{12});
    }
    EXPECT_EQ(log.size(), 3u);
    EXPECT_TRUE(ui.shown().empty());
}

TEST_F(LauncherFixture, ProcessStartsCutTheCommandLineAndFallBackToTheShellSilently) {
    LaunchRequest request;
    request.asProcess = true;
    request.command = std::string(150, 'x');
    request.normalPriority = false;
    request.priority = 1;
    const LaunchOutcome started = launcher.launch(request);
    EXPECT_TRUE(started.processStarted);
    ASSERT_EQ(processes.started.size(), 1u);
    EXPECT_EQ(processes.started[0].commandLine.size(), 119u);
    EXPECT_EQ(processes.started[0].priority, 1);

    processes.failStart = true;
    request.command = "explorer-target";
    request.openVerb = false;
    request.verb = "Explore  ";
    request.taskId = 5;
    const LaunchOutcome failed = launcher.launch(request);
    EXPECT_FALSE(failed.processStarted);
    ASSERT_FALSE(shell.verbs.empty());
    EXPECT_EQ(shell.verbs.back(), "explore");
    EXPECT_TRUE(ui.shown().empty()) << "a failed process start tells nobody";
    EXPECT_TRUE(loaded.empty());
}

// Against real programs in a directory whose path has blanks in it.
class LauncherOnRealPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = dir_ / "my programs";
        std::filesystem::create_directories(folder_);
        const auto program = folder_ / "edit prog";
        std::ofstream script(program);
        script << "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/args.txt\"\npwd > \"$(dirname \"$0\")/cwd.txt\"\n";
        script.close();
        std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    }

    std::string waitFor(const std::string& name) {
        const auto file = folder_ / name;
        for (int i = 0; i < 300 && !std::filesystem::exists(file); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        std::ifstream in(file);
        std::string text;
        std::getline(in, text);
        return text;
    }

    agendix::testing::TempDir dir_;
    std::filesystem::path folder_;
    platform::PosixProcesses processes_;
    platform::DesktopShell shell_{processes_};
    platform::ScriptedUserInterface ui_;
    ProgramLauncher launcher_{shell_, processes_, ui_, [](std::string_view, std::string_view) {},
                              [](std::int32_t, std::uint32_t) {}};
};

TEST_F(LauncherOnRealPrograms, AnUnquotedPathWithBlanksAndAnArgumentStarts) {
    LaunchRequest request;
    request.command = (folder_ / "edit prog").string() + " notes.txt";
    request.path = dir_.path().string();
    const auto before = std::filesystem::current_path();
    EXPECT_GE(launcher_.launch(request).launchResult, 32u);
    EXPECT_EQ(waitFor("args.txt"), "notes.txt|");
    EXPECT_EQ(waitFor("cwd.txt"), dir_.path().string()) << "the program starts in the task's directory";
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(LauncherOnRealPrograms, AQuotedPathWithArgumentsStarts) {
    LaunchRequest request;
    request.command = "\"" + (folder_ / "edit prog").string() + "\" -a \"b c\"";
    EXPECT_GE(launcher_.launch(request).launchResult, 32u);
    EXPECT_EQ(waitFor("args.txt"), "-a|b c|");
}

TEST_F(LauncherOnRealPrograms, TheCurrentDirectoryComesBackAfterAFailure) {
    const auto before = std::filesystem::current_path();
    LaunchRequest request;
    request.command = (folder_ / "not there").string();
    request.path = folder_.string();
    EXPECT_LT(launcher_.launch(request).launchResult, 32u);
    EXPECT_EQ(std::filesystem::current_path(), before);
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].caption, "Error Code 2");
}

}  // namespace
}  // namespace agendix::engine
