#include <gtest/gtest.h>

#include "script/ScriptFixture.h"

namespace agendix::script::testing {
namespace {

struct LoadCase {
    const char* name;
    int interval;                           // the "ScriptingDelay" setting
    std::int32_t clock;                     // when the script is loaded
    std::vector<store::Scripting> earlier;  // a script loaded before (task 1), if any
    std::int32_t later;                     // hundredths between the two loads
    std::vector<store::Scripting> items;    // the script loaded (task 2)
    // Due moments of the loaded script's entries, its end marker last, in hundredths from the
    // load; entries of the earlier script come first.
    std::vector<std::int64_t> due;
};

void PrintTo(const LoadCase& c, std::ostream* out) {
    *out << c.name;
}

class LoadTiming : public ScriptFixture, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadTiming, EntriesFallDueAtTheirMoments) {
    const LoadCase& c = GetParam();
    settings_.scriptingDelay = c.interval;
    clock_.set(clock_.today(), c.clock);
    if (!c.earlier.empty()) {
        addScript(1, c.earlier);
    }
    addScript(2, c.items);
    if (!c.earlier.empty()) {
        run(1);
        clock_.advance(c.later);
    }
    run(2);

    std::vector<std::int64_t> due;
    for (const auto& entry : queue_.entries()) {
        due.push_back(dueOf(entry));
        EXPECT_GE(entry.dueTime, 1);  // whole days are carried into the date
        EXPECT_LE(entry.dueTime, store::kLastHundredth);
    }
    EXPECT_EQ(due, c.due);
    EXPECT_EQ(actionOf(queue_.last().item), "**End**");
}

constexpr std::int32_t kTen = store::makeTime(10, 0);
constexpr std::int32_t kLastSecond = store::makeTime(23, 59, 59);

INSTANTIATE_TEST_SUITE_P(
    Script, LoadTiming,
    ::testing::Values(
        LoadCase{"FirstItemTwoIntervalsAndOneMoreAfterTheLoad",
                 50,
                 kTen,
                 {},
                 0,
                 {sendKeys("a")},
                 {150, 150}},
        LoadCase{"AnIntervalBelowFiftyCountsAsFifty", 20, kTen, {}, 0, {sendKeys("a")}, {150, 150}},
        LoadCase{"EachItemOneIntervalAfterTheOneBefore",
                 100,
                 kTen,
                 {},
                 0,
                 {sendKeys("a"), setFocus("Notes"), displayMessage("t", "m")},
                 {300, 400, 500, 500}},
        LoadCase{"AnAndWaitAddsItsSeconds",
                 50,
                 kTen,
                 {},
                 0,
                 {sendKeys("a"), wait(10, "And"), sendKeys("b")},
                 {150, 1150, 1200, 1200}},
        LoadCase{"AnOrWaitAddsNothing",
                 50,
                 kTen,
                 {},
                 0,
                 {sendKeys("a"), wait(10, "Or", "Notes"), sendKeys("b")},
                 {150, 150, 200, 200}},
        LoadCase{"TestsAndBlockEndsTakeNoTime",
                 50,
                 kTen,
                 {},
                 0,
                 {ifWindow("Window Exists", "Notes"), sendKeys("a"), endIf(),
                  ifTimeElapsed("Time Elapsed is Less Than", 5), sendKeys("b"), endIf()},
                 {100, 150, 150, 150, 200, 200, 200}},
        LoadCase{"ASecondScriptStartsOneIntervalAfterTheFirstOnesEnd",
                 50,
                 kTen,
                 {wait(60, "And")},
                 0,
                 {sendKeys("a")},
                 {6100, 6100, 6200, 6200}},
        LoadCase{"AScriptAfterOneThatEndsSoonerStartsFromItsOwnLoad",
                 100,
                 kTen,
                 {setFocus("Notes")},
                 150,
                 {sendKeys("a")},
                 {300, 300, 450, 450}},
        LoadCase{"ADueTimePastMidnightFallsOnTheNextDay",
                 50,
                 kLastSecond,
                 {},
                 0,
                 {sendKeys("a"), wait(30, "And")},
                 {150, 3150, 3150}},
        LoadCase{"ARunProgramTaskWithoutItemsQueuesItsEndMarker", 50, kTen, {}, 0, {}, {100}}),
    caseName<LoadCase>);

using ScriptLoad = ScriptFixture;

// Another station holds the data file locked: the read fails after the lock time-out.
TEST_F(ScriptLoad, AReadErrorQueuesNoneOfTheScriptAndKeepsTheQueuedOnes) {
    addScript(1, {sendKeys("a")});
    addScript(2, {sendKeys("b"), sendKeys("c")});
    run(1);
    {
        store::Database station(dir_.path());
        store::StoredTable& table = station.table(store::scriptingTable());
        ASSERT_TRUE(table.open().ok());
        ASSERT_TRUE(table.lock().ok());
        run(2);
        table.unlock();
    }
    ASSERT_FALSE(ui_.shown().empty());
    EXPECT_TRUE(ui_.shown().back().text.starts_with("Error executing script: "))
        << ui_.shown().back().text;
    EXPECT_EQ(ui_.shown().back().caption, "Script Error");
    ASSERT_EQ(queue_.size(), 2u);
    EXPECT_EQ(queue_.head().item.Keystrokes, "a");

    run(2);  // the lock is gone
    EXPECT_EQ(queue_.size(), 5u);
}

}  // namespace
}  // namespace agendix::script::testing
