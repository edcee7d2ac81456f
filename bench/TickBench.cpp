// One scheduler tick with nothing due, in encrypted files of 1,000 and 1,000,000 tasks. A tick reads
// the first record of two keys whatever the table's size, so both figures should match.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>

#include "BenchSupport.h"
#include "engine/SchedulerTick.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "store/DataDictionary.h"
#include "store/DataFile.h"
#include "store/Database.h"
#include "store/StandardDate.h"
#include "store/Table.h"

namespace agendix::bench {
namespace {

struct QuietFrame final : engine::TickFrame {
    void setTitle(const std::string&) override {}
    bool iconized() const override { return false; }
    void setStatusZone2(const std::string&) override {}
    void setScriptIndicator(bool) override {}
    void setTimerPeriod(int) override {}
    void restoreFromTray() override {}
    void setTrayTip(const std::string&) override {}
};

struct NoReminders final : engine::Reminders {
    int openReminderCount() const override { return 0; }
    void showMessage(const engine::ReminderHandover&) override {}
    void showMessageWithReplyPath(const engine::ReminderHandover&) override {}
};

struct NoScripts final : engine::ScriptQueue {
    bool empty() const override { return true; }
    void runTick() override {}
};

// A program's worth of tick with its tables on a file of `tasks` tasks, every one in the future.
struct TickRig {
    ScratchDir dir;
    platform::FakeClock clock{TaskGenerator::firstDate() - 1, store::makeTime(12, 0)};
    platform::ScriptedUserInterface ui;
    platform::FakeSound sound;
    platform::FakeShell shell;
    platform::FakeProcesses processes;
    std::unique_ptr<store::Database> database;
    std::unique_ptr<store::StandardWarnings> warnings;
    std::unique_ptr<store::FileAccess> access;
    std::unique_ptr<engine::Recurrence> recurrence;
    std::unique_ptr<engine::ProgramLauncher> launcher;
    QuietFrame frame;
    NoReminders reminders;
    NoScripts scripts;
    store::SettingValues settings;
    std::unique_ptr<engine::SchedulerTick> tick;

    explicit TickRig(std::int32_t tasks) {
        // No warnings pending either: nothing at all is due.
        fillTaskFile(dir.path(), tasks, [](store::Schedule& task) {
            task.AdvanceWarnDate = 0;
            task.AdvanceWarnTime = 0;
        });

        database = std::make_unique<store::Database>(dir.path());
        warnings = std::make_unique<store::StandardWarnings>(ui);
        access = std::make_unique<store::FileAccess>(*database, *warnings);
        for (const store::TableDef* def :
             {&store::scheduleTable(), &store::scriptingTable(), &store::holidaysTable()}) {
            if (!access->openTable(*def)) {
                std::fprintf(stderr, "cannot open %s\n", def->label.c_str());
                std::exit(1);
            }
        }
        recurrence = std::make_unique<engine::Recurrence>(database->table(store::scheduleTable()),
                                                          database->table(store::holidaysTable()), ui, clock);
        launcher = std::make_unique<engine::ProgramLauncher>(
            shell, processes, ui, [](std::string_view, std::string_view) {}, [](std::int32_t, std::uint32_t) {});
        tick = std::make_unique<engine::SchedulerTick>(
            engine::SchedulerTick::Ports{*access, *recurrence, *launcher, reminders, scripts, frame, clock, ui,
                                         sound, [](std::string_view, std::string_view) {}},
            settings, "Agendix 98");
    }
};

TickRig& rig(std::int64_t tasks) {
    static std::map<std::int64_t, std::unique_ptr<TickRig>> rigs;
    auto& found = rigs[tasks];
    if (found == nullptr) {
        found = std::make_unique<TickRig>(static_cast<std::int32_t>(tasks));
    }
    return *found;
}

void BM_TickNothingDue(benchmark::State& state) {
    TickRig& r = rig(state.range(0));
    for (auto _ : state) {
        r.tick->tick();
    }
    if (!r.ui.shown().empty()) {
        state.SkipWithError("the tick asked or showed something: something was due");
    }
}
BENCHMARK(BM_TickNothingDue)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace agendix::bench
