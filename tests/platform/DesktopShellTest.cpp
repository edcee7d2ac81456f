#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "platform/DesktopShell.h"
#include "support/TempDir.h"

namespace agendix::platform {
namespace {

TEST(DesktopShell, TellsAddressesFromFileNames) {
    struct Case {
        const char* text;
        bool address;
    };
    const Case cases[] = {
        {"http://example.org/a b", true}, {"mailto:someone@example.org", true}, {"www.example.org", true},
        {"WWW.Example.org", true},        {"c:\\windows\\notepad.exe", false},   {"/usr/bin/true", false},
        {"notes.txt", false},             {"ftp://host/file", true},             {":nothing", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isAddress(c.text), c.address) << c.text;
    }
}

class DesktopShellFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_ / "my programs");
        program_ = dir_ / "my programs" / "record args";
        std::ofstream script(program_);
        script << "#!/bin/sh\nprintf '%s|' \"$@\" > \"$(dirname \"$0\")/args.txt\"\n";
        script.close();
        std::filesystem::permissions(program_, std::filesystem::perms::owner_all);
    }

    std::string waitForArgs() {
        const auto file = dir_ / "my programs" / "args.txt";
        for (int i = 0; i < 300 && !std::filesystem::exists(file); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(file);
        std::string text;
        std::getline(in, text);
        return text;
    }

    agendix::testing::TempDir dir_;
    std::filesystem::path program_;
    PosixProcesses processes_;
    DesktopShell shell_{processes_};
};

TEST_F(DesktopShellFiles, StartsProgramsDirectlyAndReportsWhatIsMissing) {
    EXPECT_EQ(shell_.execute({"open", program_.string(), "one \"two three\"", "", 1}), DesktopShell::kStarted);
    EXPECT_EQ(waitForArgs(), "one|two three|");

    EXPECT_EQ(shell_.execute({"open", (dir_ / "my programs" / "absent").string(), "", "", 1}),
              DesktopShell::kFileNotFound);
    EXPECT_EQ(shell_.execute({"open", (dir_ / "no such dir" / "absent").string(), "", "", 1}),
              DesktopShell::kPathNotFound);
    EXPECT_EQ(shell_.execute({"open", "", "", "", 1}), DesktopShell::kFileNotFound);
    EXPECT_EQ(shell_.execute({"explore", program_.string(), "", "", 1}), DesktopShell::kPathNotFound);
    EXPECT_EQ(shell_.execute({"frobnicate", program_.string(), "", "", 1}), DesktopShell::kNoAssociation);
}

TEST_F(DesktopShellFiles, ARelativeProgramIsFoundInTheGivenDirectory) {
    EXPECT_EQ(shell_.execute({"open", "record args", "relative", (dir_ / "my programs").string(), 1}),
              DesktopShell::kStarted);
    EXPECT_EQ(waitForArgs(), "relative|");
}

TEST(PosixProcessesTest, FollowsAProcessToItsExitCode) {
    PosixProcesses processes;
    const ProcessHandle sleeper = processes.start({"sleep 0.2", "", 0, 1});
    ASSERT_NE(sleeper, 0);
    EXPECT_EQ(processes.exitCode(sleeper), Processes::kStillActive);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    EXPECT_EQ(processes.exitCode(sleeper), 0);
    const ProcessHandle failing = processes.start({"sh -c \"exit 3\"", "", 0, 1});
    ASSERT_NE(failing, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(processes.exitCode(failing), 3);
    EXPECT_EQ(processes.start({"/no/such/program", "", 0, 1}), 0);
}

}  // namespace
}  // namespace agendix::platform

namespace agendix::platform {
namespace {

TEST_F(DesktopShellFiles, BareNamesAreFoundBesideTheProgramFirst) {
    DesktopShell besideUs(processes_, (dir_ / "my programs").string());
    EXPECT_EQ(besideUs.execute({"open", "record args", "beside", "", 1}), DesktopShell::kStarted);
    EXPECT_EQ(waitForArgs(), "beside|");
    EXPECT_EQ(besideUs.execute({"open", "no-such-program-anywhere", "", "", 1}), DesktopShell::kFileNotFound);
}

}  // namespace
}  // namespace agendix::platform
