#include <gtest/gtest.h>

#include "platform/CommandLine.h"
#include "script/ScriptFixture.h"

namespace agendix::script::testing {
namespace {

using Texts = std::vector<std::string>;

struct StartCase {
    const char* name;
    std::string options;  // characters 1-3 of the item's start options
    std::string startType;
    bool processFails;
    int windowMode;
    int priority;      // 1 low, 2 normal, 3 high
    std::string verb;  // the shell's verb when the process could not start
};

void PrintTo(const StartCase& c, std::ostream* out) {
    *out << c.name;
}

// "Start Program" hands its options to the launcher's process start.
class StartOptions : public ScriptFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartOptions, ReachTheLauncher) {
    const StartCase& c = GetParam();
    processes_.failStart = c.processFails;
    addScript(1, {startProgram("/usr/bin/notes --new", c.options, 0, c.startType)});
    run(1);
    runToEnd();
    if (c.processFails) {
        ASSERT_EQ(shell_.requests.size(), 2u);  // the task's own start, then the item's
        EXPECT_EQ(shell_.requests[1].verb, c.verb);
        EXPECT_EQ(shell_.requests[1].file, "/usr/bin/notes --new");
        return;
    }
    ASSERT_EQ(processes_.started.size(), 1u);
    EXPECT_EQ(processes_.started[0].commandLine, "/usr/bin/notes --new");
    EXPECT_EQ(processes_.started[0].windowMode, c.windowMode);
    EXPECT_EQ(processes_.started[0].priority, c.priority);
}

INSTANTIATE_TEST_SUITE_P(
    Script, StartOptions,
    ::testing::Values(StartCase{"NoOptionsStartNormally", "", "", false, 1, 2, ""},
                      StartCase{"LowPriority", "01", "", false, 1, 1, ""},
                      StartCase{"HighPriority", "03", "", false, 1, 3, ""},
                      StartCase{"AnyOtherPriorityIsNormal", "05", "", false, 1, 2, ""},
                      StartCase{"MinimizedWithFocus", "002", "", false, 2, 2, ""},
                      StartCase{"Maximized", "003", "", false, 3, 2, ""},
                      StartCase{"MinimizedWithoutFocus", "007", "", false, 7, 2, ""},
                      StartCase{"ShownWithoutFocus", "008", "", false, 8, 2, ""},
                      StartCase{"AnyOtherModeIsNormalWithFocus", "009", "", false, 1, 2, ""},
                      StartCase{"AStartTypeIsTheShellsVerb", "0", "Explore", true, 0, 0, "explore"},
                      StartCase{"WithoutAStartTypeTheShellOpens", "0", "", true, 0, 0, "open"}),
    caseName<StartCase>);

struct CloseCase {
    const char* name;
    std::string command;
    platform::WindowHandle foreground;
    platform::WindowHandle frame;
    Texts toolArguments;  // RaziRuzu's command line, split; empty: not run
    std::vector<platform::WindowHandle> closed;
};

void PrintTo(const CloseCase& c, std::ostream* out) {
    *out << c.name;
}

class ClosePrograms : public ScriptFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosePrograms, ByNameOrThroughTheForegroundWindow) {
    const CloseCase& c = GetParam();
    windows_.windows = {{7, "Untitled - Notes"}, {9, "Agendix"}};
    windows_.foreground = c.foreground;
    frameWindow_ = c.frame;
    addScript(1, {closeProgram(c.command), sendKeys("a")});
    run(1);
    runToEnd();
    if (c.toolArguments.empty()) {
        EXPECT_TRUE(processes_.started.empty());
    } else {
        ASSERT_EQ(processes_.started.size(), 1u);
        EXPECT_EQ(platform::splitCommandLine(processes_.started[0].commandLine), c.toolArguments);
    }
    EXPECT_EQ(windows_.closeRequests, c.closed);
    EXPECT_EQ(logged(), (Texts{"Close Program", "Send Keystrokes", "**End**"}));
}

INSTANTIATE_TEST_SUITE_P(
    Script, ClosePrograms,
    ::testing::Values(CloseCase{"ACommandRunsRaziRuzuWithItsFileName",
                                "/usr/lib/notes/Notes Editor",
                                7,
                                0,
                                {"/opt/agendix/RaziRuzu", "Notes Editor"},
                                {}},
                      CloseCase{"AWindowsPathGivesItsFileName",
                                "C:\\Program Files\\Notes\\notes.exe",
                                0,
                                0,
                                {"/opt/agendix/RaziRuzu", "notes.exe"},
                                {}},
                      CloseCase{
                          "WithoutACommandTheForegroundWindowIsAskedToClose", "", 7, 9, {}, {7}},
                      CloseCase{"WithoutAForegroundWindowNothingIsClosed", "", 0, 9, {}, {}},
                      CloseCase{"TheFramesOwnWindowIsNeverClosed", "", 9, 9, {}, {}}),
    caseName<CloseCase>);

using ScriptAction = ScriptFixture;

TEST_F(ScriptAction, ClosingTheForegroundWindowRestoresItFirst) {
    windows_.windows = {{7, "Untitled - Notes"}};
    windows_.foreground = 7;
    addScript(1, {closeProgram("")});
    run(1);
    runToEnd();
    EXPECT_EQ(windows_.restored, std::vector<platform::WindowHandle>{7});
    EXPECT_EQ(windows_.closeRequests, std::vector<platform::WindowHandle>{7});
}

TEST_F(ScriptAction, DdeExecutesTheCommandInAConversationItOpened) {
    addScript(1, {dde("org.example.Notes", "/org/example/Notes", "Save")});
    run(1);
    runToEnd();
    EXPECT_EQ(dde_.log,
              (Texts{"connect:org.example.Notes|/org/example/Notes", "execute:Save", "close"}));
}

TEST_F(ScriptAction, DdeWithoutAConversationIsSilentAndTheScriptGoesOn) {
    dde_.reachable = false;
    addScript(1, {dde("org.example.Gone", "/", "Save"), sendKeys("a")});
    run(1);
    runToEnd();
    EXPECT_EQ(dde_.log, Texts{"connect:org.example.Gone|/"});
    EXPECT_TRUE(ui_.shown().empty());
    EXPECT_EQ(keys_.sent, Texts{"a"});
}

TEST_F(ScriptAction, DisplayMessageShowsItsTextUnderItsTitle) {
    addScript(1, {displayMessage("Backup", "Insert the backup disk.")});
    run(1);
    runToEnd();
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].text, "Insert the backup disk.");
    EXPECT_EQ(ui_.shown()[0].caption, "Backup");
    EXPECT_EQ(ui_.shown()[0].buttons, platform::Ok);
    EXPECT_EQ(logged(), (Texts{"Display Message", "**End**"}));
}

TEST_F(ScriptAction, SetFocusActivatesTheFirstMatchingWindowOnly) {
    windows_.windows = {{4, "Inbox - Mail"}, {5, "Untitled - Notes"}, {6, "Untitled - Sketch"}};
    addScript(1, {setFocus("*Notes"), setFocus("Nowhere"), sendKeys("a")});
    run(1);
    runToEnd();
    EXPECT_EQ(windows_.activated, std::vector<platform::WindowHandle>{5});
    EXPECT_EQ(keys_.sent, Texts{"a"});
}

// The queue is emptied, or another script loaded, while an item waits in a nested event loop.
TEST_F(ScriptAction, StoppingWhileAMessageIsOpenLeavesNothingToLogOrRemove) {
    InterruptingUserInterface ui;
    useDesktop(windows_, keyboard_, ui);
    addScript(1, {displayMessage("Note", "Stop me"), sendKeys("a")});
    addScript(2, {sendKeys("b")});
    ui.during = [this] {
        runner_->stopAllScripts();
        run(2);
    };
    run(1);
    runToEnd();
    EXPECT_EQ(logged(), (Texts{"Send Keystrokes", "**End**"}));
    EXPECT_EQ(keys_.sent, Texts{"b"});
}

TEST_F(ScriptAction, StoppingWhileKeystrokesAreSentStopsTheScript) {
    keys_.during = [this] { runner_->stopAllScripts(); };
    addScript(1, {sendKeys("a"), sendKeys("b")});
    run(1);
    runToEnd();
    EXPECT_TRUE(logged().empty());
    EXPECT_EQ(keys_.sent, Texts{"a"});
}

struct NoDisplayCase {
    const char* name;
    store::Scripting item;
    std::string notDone;  // the event log's "Script Item Not Done" data
};

void PrintTo(const NoDisplayCase& c, std::ostream* out) {
    *out << c.name;
}

// Without an X11 display, keystroke and window items say they could not be done; the script goes
// on.
class WithoutX11 : public ScriptFixture, public ::testing::WithParamInterface<NoDisplayCase> {};

TEST_P(WithoutX11, AnItemThatNeedsTheDisplayIsReportedAndSkipped) {
    const NoDisplayCase& c = GetParam();
    NoDisplayWindows desktop;
    NoDisplayKeyboard keyboard;
    useDesktop(desktop, keyboard, ui_);
    addScript(1, {c.item, dde("org.example.Notes", "/", "Save"), endIf()});
    run(1);
    runToEnd({}, 200);

    EXPECT_EQ(logged("Script Item Not Done"), Texts{c.notDone});
    const std::string action = actionOf(c.item);
    EXPECT_EQ(logged().front(), action);
    EXPECT_NE(std::find(statuses_.begin(), statuses_.end(), action + ": not done, no X11 display"),
              statuses_.end());
    EXPECT_TRUE(keys_.sent.empty());
    // A window test that cannot be made fails: its block is skipped up to its end.
    const bool test = action == "If Window...";
    EXPECT_EQ(dde_.log.empty(), test);
    EXPECT_TRUE(ui_.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Script, WithoutX11,
    ::testing::Values(
        NoDisplayCase{"SendKeystrokes", sendKeys("abc"), "Send Keystrokes: no X11 display"},
        NoDisplayCase{"SetFocus", setFocus("Notes"), "Set Focus: no X11 display"},
        NoDisplayCase{"WaitForAWindow", wait(0, "And", "Notes"), "Wait: no X11 display"},
        NoDisplayCase{"WaitForAWindowToClose", wait(0, "And", "~Notes"), "Wait: no X11 display"},
        NoDisplayCase{"OrWaitForAWindow", wait(60, "Or", "Notes"), "Wait: no X11 display"},
        NoDisplayCase{"IfWindowExists", ifWindow("Window Exists", "Notes"),
                      "If Window...: no X11 display"},
        NoDisplayCase{"IfWindowDoesntExist", ifWindow("Window Doesn't Exist", "Notes"),
                      "If Window...: no X11 display"},
        NoDisplayCase{"CloseTheForegroundWindow", closeProgram(""),
                      "Close Program: no X11 display"}),
    caseName<NoDisplayCase>);

}  // namespace
}  // namespace agendix::script::testing
