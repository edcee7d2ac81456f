#include <gtest/gtest.h>

#include "script/ScriptFixture.h"

namespace agendix::script::testing {
namespace {

using Items = std::vector<store::Scripting>;
using Texts = std::vector<std::string>;

struct BlockCase {
    const char* name;
    Texts windows;               // open on the desktop
    std::vector<Items> scripts;  // loaded one after the other
    Texts logged;                // the "Script" lines
    Texts typed;                 // the keystroke texts sent
};

void PrintTo(const BlockCase& c, std::ostream* out) {
    *out << c.name;
}

// Which items a test lets run, and what the event log shows of the items it skips.
class Blocks : public ScriptFixture, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(Blocks, ATestRunsOrSkipsItsBlock) {
    const BlockCase& c = GetParam();
    platform::WindowHandle handle = 10;
    for (const auto& title : c.windows) {
        windows_.windows.push_back({handle++, title});
    }
    std::int32_t task = 0;
    for (const auto& items : c.scripts) {
        addScript(++task, items);
        run(task);
    }
    runToEnd();
    EXPECT_EQ(logged(), c.logged);
    EXPECT_EQ(keys_.sent, c.typed);
    EXPECT_TRUE(ui_.shown().empty());  // no debug messages while debugging is off
}

const store::Scripting kNotesMissing = ifWindow("Window Exists", "Nowhere*");
const store::Scripting kNotesOpen = ifWindow("Window Exists", "Untitled - *");

INSTANTIATE_TEST_SUITE_P(
    Script, Blocks,
    ::testing::Values(
        BlockCase{"AFailedTestSkipsANestedBlockUpToItsOwnEnd",
                  {},
                  {{kNotesMissing, sendKeys("a"), ifTimeElapsed("Time Elapsed is Less Than", 60),
                    sendKeys("b"), endIf(), sendKeys("c"), endIf(), sendKeys("d")}},
                  {"If Window...", "...End If", "Send Keystrokes", "**End**"},
                  {"d"}},
        BlockCase{"AFailedTestWithoutAnEndRemovesTheRestOfItsScriptOnly",
                  {},
                  {{kNotesMissing, sendKeys("a")}, {sendKeys("b")}},
                  {"If Window...", "**End**", "Send Keystrokes", "**End**"},
                  {"b"}},
        BlockCase{"AFailedTestWhoseNestedBlockHasNoEndStopsAtTheEndMarker",
                  {},
                  {{kNotesMissing, ifTimeElapsed("Time Elapsed is Less Than", 60), sendKeys("a")},
                   {sendKeys("b")}},
                  {"If Window...", "**End**", "Send Keystrokes", "**End**"},
                  {"b"}},
        BlockCase{"ExitScriptInsideAPassedBlockEndsItsScriptOnly",
                  {"Untitled - Notes"},
                  {{kNotesOpen, sendKeys("a"), exitScript(), sendKeys("b"), endIf(), sendKeys("c")},
                   {sendKeys("d")}},
                  {"If Window...", "Send Keystrokes", "**End**", "Send Keystrokes", "**End**"},
                  {"a", "d"}},
        BlockCase{"APassedTestRunsItsBlockAndItsEnd",
                  {"Untitled - Notes"},
                  {{kNotesOpen, sendKeys("a"), endIf(), sendKeys("b")}},
                  {"If Window...", "Send Keystrokes", "...End If", "Send Keystrokes", "**End**"},
                  {"a", "b"}},
        BlockCase{"AFailedInnerTestInsideAPassedBlock",
                  {"Untitled - Notes"},
                  {{kNotesOpen, kNotesMissing, sendKeys("a"), endIf(), sendKeys("b"), endIf()}},
                  {"If Window...", "If Window...", "...End If", "Send Keystrokes", "...End If",
                   "**End**"},
                  {"b"}},
        BlockCase{"WindowDoesntExistRunsItsBlockWhenNoWindowMatches",
                  {"Untitled - Notes"},
                  {{ifWindow("Window Doesn't Exist", "Nowhere*"), sendKeys("a"), endIf(),
                    ifWindow("Window Doesn't Exist", "untitled - notes"), sendKeys("b"), endIf()}},
                  {"If Window...", "Send Keystrokes", "...End If", "If Window...", "...End If",
                   "**End**"},
                  {"a"}},
        BlockCase{
            "GreaterThanRunsOnceTheThresholdHasPassedSinceTheStart",
            {},
            {{wait(3, "And"), ifTimeElapsed("Time Elapsed is Greater Than", 2), sendKeys("a"),
              endIf(), ifTimeElapsed("Time Elapsed is Greater Than", 60), sendKeys("b"), endIf()}},
            {"Wait", "If Time Elapsed...", "Send Keystrokes", "...End If", "If Time Elapsed...",
             "...End If", "**End**"},
            {"a"}},
        BlockCase{
            "LessThanRunsOnlyBeforeTheThresholdHasPassed",
            {},
            {{wait(3, "And"), ifTimeElapsed("Time Elapsed is Less Than", 2), sendKeys("a"), endIf(),
              ifTimeElapsed("Time Elapsed is Less Than", 60), sendKeys("b"), endIf()}},
            {"Wait", "If Time Elapsed...", "...End If", "If Time Elapsed...", "Send Keystrokes",
             "...End If", "**End**"},
            {"b"}},
        BlockCase{"TheStoredConditionsNameTheirTests",
                  {},
                  {{wait(3, "And"), ifTimeElapsed("Time Elapsed is Grea", 2), sendKeys("a"),
                    endIf(), ifTimeElapsed("Time Elapsed is Less", 2), sendKeys("b"), endIf()}},
                  {"Wait", "If Time Elapsed...", "Send Keystrokes", "...End If",
                   "If Time Elapsed...", "...End If", "**End**"},
                  {"a"}}),
    caseName<BlockCase>);

using ScriptBlock = ScriptFixture;

TEST_F(ScriptBlock, AnUnknownActionIsShownAsAnInvalidOptionAndTheScriptGoesOn) {
    addScript(1, {item("Jump"), sendKeys("a")});
    run(1);
    runToEnd();
    EXPECT_EQ(logged(), (Texts{"Jump", "Send Keystrokes", "**End**"}));
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].text, "Invalid script option:  Jump");
    EXPECT_EQ(ui_.shown()[0].caption, "Script Error");
}

struct DebugCase {
    const char* name;
    Items items;
    // The debug messages, as caption and text.
    std::vector<std::pair<std::string, std::string>> shown;
};

void PrintTo(const DebugCase& c, std::ostream* out) {
    *out << c.name;
}

// With the "Debug" setting on, the runner tells what it decides.
class DebugMessages : public ScriptFixture, public ::testing::WithParamInterface<DebugCase> {};

TEST_P(DebugMessages, ExplainEachDecision) {
    debug_ = 1;
    useDesktop(windows_, keyboard_, ui_);
    windows_.windows = {{5, "Untitled - Notes"}};
    addScript(1, GetParam().items);
    run(1);
    runToEnd();
    std::vector<std::pair<std::string, std::string>> shown;
    for (const auto& message : ui_.shown()) {
        shown.emplace_back(message.caption, message.text);
    }
    EXPECT_EQ(shown, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Script, DebugMessages,
    ::testing::Values(
        DebugCase{"SetFocusFound", {setFocus("Untitled - *")}, {{"Set Focus", "Untitled - *"}}},
        DebugCase{"SetFocusNotFound",
                  {setFocus("Nowhere")},
                  {{"Set Focus", "Nowhere"}, {"Failed Set Focus", "Nowhere"}}},
        DebugCase{"WaitFound",
                  {wait(0, "And", "Untitled - *  ")},
                  {{"Debug", "Switched to window:\nUntitled - *"}}},
        DebugCase{
            "TestPassed", {kNotesOpen, endIf()}, {{"Test passed", "Next item will be processed."}}},
        DebugCase{
            "NestedBlocksRemoved",
            {kNotesMissing, kNotesOpen, endIf(), endIf()},
            {{"Test failed", "Removing task items."}, {"Test failed", "Removing task items."}}},
        DebugCase{"ProgramStartedWithAStartType",
                  {startProgram("notes.txt", "013", 0, "Print", "/home/user")},
                  {{"Debug - Full Command Sent", "notes.txt\n/home/user\n0\n0\n3\n1\n0\nPrint"}}},
        DebugCase{"ProgramStartedWithoutAStartType",
                  {startProgram("/usr/bin/notes", "0")},
                  {{"Debug - No Operation Sent", "/usr/bin/notes\n\n0\n0\n1\n2\n0\n"}}}),
    caseName<DebugCase>);

}  // namespace
}  // namespace agendix::script::testing
