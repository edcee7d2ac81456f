#include <gtest/gtest.h>

#include <algorithm>

#include "script/ScriptFixture.h"

namespace agendix::script::testing {
namespace {

// Something that happens on the desktop while the script runs.
struct Event {
    enum Kind { OpenWindow, CloseWindow, EndProgram };
    std::int64_t at;  // hundredths after the load
    Kind kind;
    std::string title;
};

struct Logged {
    std::string action;
    std::int64_t at;
    bool operator==(const Logged&) const = default;
};

void PrintTo(const Logged& line, std::ostream* out) {
    *out << line.action << " @" << line.at;
}

struct RunCase {
    const char* name;
    std::int32_t clock;  // when the script is loaded
    std::vector<store::Scripting> items;
    std::vector<std::string> windows;  // open from the start
    std::vector<Event> events;
    std::vector<Logged> expected;  // the "Script" lines, with when they were written
};

void PrintTo(const RunCase& c, std::ostream* out) {
    *out << c.name;
}

// The frame's timer ticks every half second while a script runs; each "Script" line of the event
// log is written when its entry is done.
class RunTiming : public ScriptFixture, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunTiming, EntriesRunWhenTheyAreDue) {
    const RunCase& c = GetParam();
    clock_.set(clock_.today(), c.clock);
    platform::WindowHandle next = 100;
    for (const auto& title : c.windows) {
        windows_.windows.push_back({next++, title});
    }
    addScript(1, c.items);
    run(1);

    std::vector<Event> events = c.events;
    runToEnd([&] {
        for (auto event = events.begin(); event != events.end();) {
            if (event->at > elapsed() + 50) {
                ++event;
                continue;
            }
            switch (event->kind) {
                case Event::OpenWindow:
                    windows_.windows.push_back({next++, event->title});
                    break;
                case Event::CloseWindow:
                    std::erase_if(windows_.windows,
                                  [&](const auto& w) { return w.title == event->title; });
                    break;
                case Event::EndProgram:
                    processes_.exitCodes[1] = 3;
                    break;
            }
            event = events.erase(event);
        }
    });

    std::vector<Logged> lines;
    for (const auto& line : log_) {
        if (line.label == "Script") {
            lines.push_back({line.data, line.at});
        }
    }
    EXPECT_EQ(lines, c.expected);
}

constexpr std::int32_t kTen = store::makeTime(10, 0);

INSTANTIATE_TEST_SUITE_P(
    Script, RunTiming,
    ::testing::Values(
        RunCase{"AnItemRunsAtTheFirstTickPastItsDueTime",
                kTen,
                {sendKeys("a")},
                {},
                {},
                {{"Send Keystrokes", 200}, {"**End**", 250}}},
        RunCase{"AnAndWaitSpendsItsSecondsBeforeTheNextItem",
                kTen,
                {sendKeys("a"), wait(10, "And"), sendKeys("b")},
                {},
                {},
                {{"Send Keystrokes", 200},
                 {"Wait", 1200},
                 {"Send Keystrokes", 1250},
                 {"**End**", 1300}}},
        RunCase{"AnOrWaitForAWindowThatNeverOpensEndsAfterItsSeconds",
                kTen,
                {sendKeys("a"), wait(10, "Or", "Never"), sendKeys("b")},
                {},
                {},
                {{"Send Keystrokes", 200},
                 {"Wait", 1300},
                 {"Send Keystrokes", 1350},
                 {"**End**", 1400}}},
        RunCase{"AnOrWaitThatTimesOutKeepsTheSecondsOfALaterAndWait",
                kTen,
                {wait(10, "Or", "Never"), wait(5, "And"), sendKeys("a")},
                {},
                {},
                {{"Wait", 1200}, {"Wait", 1700}, {"Send Keystrokes", 1750}, {"**End**", 1800}}},
        RunCase{
            "AnOrWaitWithoutAWindowWaitsItsSeconds",
            kTen,
            {sendKeys("a"), wait(3, "Or"), sendKeys("b")},
            {},
            {},
            {{"Send Keystrokes", 200}, {"Wait", 600}, {"Send Keystrokes", 650}, {"**End**", 700}}},
        RunCase{"AWindowWaitHoldsUntilTheWindowOpensAndMovesTheLaterItems",
                kTen,
                {wait(0, "And", "Untitled - *"), sendKeys("b")},
                {},
                {{1000, Event::OpenWindow, "Untitled - Notes"}},
                {{"Wait", 1000}, {"Send Keystrokes", 1050}, {"**End**", 1100}}},
        RunCase{"AnOrWaitEndsWhenItsWindowOpens",
                kTen,
                {wait(30, "Or", "Untitled - *"), sendKeys("b")},
                {},
                {{1000, Event::OpenWindow, "Untitled - Notes"}},
                {{"Wait", 1000}, {"Send Keystrokes", 1050}, {"**End**", 1100}}},
        RunCase{"ATildeWaitHoldsWhileAMatchingWindowExistsInAnyCase",
                kTen,
                {wait(0, "And", "~Untitled - *"), sendKeys("b")},
                {"untitled - notes"},
                {{1000, Event::CloseWindow, "untitled - notes"}},
                {{"Wait", 1000}, {"Send Keystrokes", 1050}, {"**End**", 1100}}},
        RunCase{"ADueTimePastMidnightRunsOnTheNextDay",
                store::makeTime(23, 59, 59),
                {sendKeys("a")},
                {},
                {},
                {{"Send Keystrokes", 200}, {"**End**", 250}}},
        RunCase{"ADueTimeShiftedPastMidnightRunsOnTheNextDay",
                store::makeTime(23, 59, 50),
                {wait(0, "And", "Notes"), sendKeys("b")},
                {},
                {{1000, Event::OpenWindow, "Notes"}},
                {{"Wait", 1000}, {"Send Keystrokes", 1050}, {"**End**", 1100}}},
        RunCase{
            "ARunProgramTaskWithoutItemsLogsItsEndMarker", kTen, {}, {}, {}, {{"**End**", 150}}},
        RunCase{"StartProgramWithWaitHoldsUntilItsProgramEnds",
                kTen,
                {startProgram("/usr/bin/notes", "1"), sendKeys("a")},
                {},
                {{1000, Event::EndProgram, ""}},
                {{"Wait for Program End", 1000}, {"Send Keystrokes", 1050}, {"**End**", 1100}}},
        RunCase{"StartProgramWithWaitEndsAtItsTimeOut",
                kTen,
                {startProgram("/usr/bin/notes", "1", 5), sendKeys("a")},
                {},
                {},
                {{"Wait for Program End", 750}, {"Send Keystrokes", 800}, {"**End**", 850}}},
        RunCase{"StartProgramWithoutWaitGoesOnAtOnce",
                kTen,
                {startProgram("/usr/bin/notes", "0"), sendKeys("a")},
                {},
                {},
                {{"Start Program", 200}, {"Send Keystrokes", 250}, {"**End**", 300}}}),
    caseName<RunCase>);

using ScriptRun = ScriptFixture;

TEST_F(ScriptRun, TheStatusShowsTheNextItemFromASecondBeforeItIsDueAndTheEndOfTheScript) {
    addScript(1, {sendKeys("Hello[ENTER]")});
    run(1);  // due at 150
    tick();  // 50
    EXPECT_EQ(status_, "");
    tick();  // 100
    EXPECT_EQ(status_, "Send Keystrokes:Hello[ENTER]");
    tick();  // 150: not yet past
    EXPECT_TRUE(keys_.sent.empty());
    tick();  // 200
    EXPECT_EQ(keys_.sent, std::vector<std::string>{"Hello[ENTER]"});
    EXPECT_EQ(status_, "**End**");
    tick();
    EXPECT_TRUE(queue_.empty());
    EXPECT_EQ(status_, "Script completed");
}

TEST_F(ScriptRun, AWaitThatFindsItsWindowGivesItTheFocus) {
    windows_.windows = {{7, "Untitled - Notes"}, {8, "Untitled - Other"}};
    addScript(1, {wait(0, "And", "untitled - *")});
    run(1);
    runToEnd();
    EXPECT_EQ(windows_.activated, std::vector<platform::WindowHandle>{7});
    EXPECT_EQ(windows_.restored, std::vector<platform::WindowHandle>{7});
}

TEST_F(ScriptRun, WaitingForProgramEndWaitsForNothingWhenNoProcessWasStarted) {
    processes_.failStart = true;  // the desktop shell opens it instead
    addScript(1, {startProgram("/home/user/report.odt", "1"), sendKeys("a")});
    run(1);
    runToEnd();
    EXPECT_EQ(logged(),
              (std::vector<std::string>{"Wait for Program End", "Send Keystrokes", "**End**"}));
    const auto waited = std::find_if(log_.begin(), log_.end(), [](const LogLine& line) {
        return line.data == "Wait for Program End";
    });
    ASSERT_NE(waited, log_.end());
    EXPECT_EQ(waited->at, 250);  // the tick after the start
}

TEST_F(ScriptRun, StoppingAllScriptsEmptiesTheQueueWhileAnItemWaits) {
    addScript(1, {wait(0, "And", "Never"), sendKeys("a")});
    addScript(2, {sendKeys("b")});
    run(1);
    run(2);
    for (int i = 0; i < 10; ++i) {
        tick();
    }
    ASSERT_EQ(queue_.size(), 5u);
    runner_->stopAllScripts();
    EXPECT_TRUE(runner_->empty());
    tick();
    EXPECT_TRUE(logged().empty());

    run(2);  // a new script starts from its own load, not after the stopped ones
    EXPECT_EQ(dueOf(queue_.head()), elapsed() + 150);
}

}  // namespace
}  // namespace agendix::script::testing
