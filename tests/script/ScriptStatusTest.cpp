#include <gtest/gtest.h>

#include "script/ScriptFixture.h"

namespace agendix::script::testing {
namespace {

struct StatusCase {
    const char* name;
    store::Scripting item;
    std::string status;  // zone 2 while the item is next
};

void PrintTo(const StatusCase& c, std::ostream* out) {
    *out << c.name;
}

// What the status bar says the script does next, for an item as loaded.
class Status : public ScriptFixture, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(Status, TellsWhatComesNext) {
    addScript(1, {GetParam().item});
    run(1);
    while (status_.empty() && elapsed() < 2000) {
        tick();  // shown once the item falls due within the next second
    }
    EXPECT_EQ(status_, GetParam().status);
}

INSTANTIATE_TEST_SUITE_P(
    Script, Status,
    ::testing::Values(
        StatusCase{"StartProgram", startProgram("/usr/bin/notes --new", "1"),
                   "Start Program:/usr/bin/notes --new"},
        StatusCase{"SendKeystrokes", sendKeys("Hello[ENTER]"), "Send Keystrokes:Hello[ENTER]"},
        StatusCase{"Dde", dde("org.example.Notes", "/org/example/Notes", "Save"),
                   "DDE (Dynamic Data Exchange):Execute org.example.Notes /org/example/Notes"},
        StatusCase{"SetFocus", setFocus("Untitled - *"), "Set Focus:Untitled - *"},
        StatusCase{"WaitForAWindow", wait(0, "And", "Untitled - *"), "Wait:Untitled - *"},
        StatusCase{"WaitSecondsOrForAWindow", wait(10, "Or", "Untitled - *"),
                   "Wait:10 seconds Untitled - *"},
        StatusCase{"WaitSeconds", wait(10, "And"), "Wait:10 seconds"},
        StatusCase{"IfWindow", ifWindow("Window Exists", "Untitled - *"),
                   "If Window...:Untitled - *"},
        StatusCase{"IfTimeElapsedShowsItsThreshold",
                   ifTimeElapsed("Time Elapsed is Greater Than", 30),
                   "If Time Elapsed...:30 seconds"},
        StatusCase{"AnyOtherActionShowsItsName", displayMessage("Backup", "Insert the disk."),
                   "Display Message"}),
    caseName<StatusCase>);

using ScriptStatus = ScriptFixture;

TEST_F(ScriptStatus, AProgramThatIsWaitedForShowsItsCommand) {
    addScript(1, {startProgram("/usr/bin/notes", "1")});
    run(1);
    for (int i = 0; i < 4; ++i) {
        tick();
    }
    EXPECT_EQ(status_, "Wait for Program End:/usr/bin/notes");
}

}  // namespace
}  // namespace agendix::script::testing
