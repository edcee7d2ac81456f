// Reading tasks along keys in encrypted files of 1,000 and 1,000,000 tasks. Each read along a key
// is an index probe plus the rows it returns, so the figures for both sizes should match.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "store/DataDictionary.h"
#include "store/DataFile.h"
#include "store/Database.h"
#include "store/StandardDate.h"
#include "store/Table.h"

namespace agendix::bench {
namespace {

using store::Schedule;

// A data file of `tasks` tasks, built once and kept open for every benchmark of that size.
struct TaskFile {
    ScratchDir dir;
    std::unique_ptr<store::Database> database;
    store::StoredTable* schedule = nullptr;
    std::int32_t tasks = 0;
};

std::unique_ptr<TaskFile> buildTaskFile(std::int32_t tasks) {
    auto file = std::make_unique<TaskFile>();
    file->tasks = tasks;
    fillTaskFile(file->dir.path(), tasks);

    // Opened afresh, as the program finds it at start.
    file->database = std::make_unique<store::Database>(file->dir.path());
    file->schedule = &file->database->table(store::scheduleTable());
    openOrCreate(*file->schedule);
    return file;
}

TaskFile& taskFile(std::int64_t tasks) {
    static std::map<std::int64_t, std::unique_ptr<TaskFile>> files;
    auto& file = files[tasks];
    if (file == nullptr) {
        file = buildTaskFile(static_cast<std::int32_t>(tasks));
    }
    return *file;
}

bool failed(benchmark::State& state, const store::StoreError& error) {
    if (error.ok()) {
        return false;
    }
    state.SkipWithError(error.text.c_str());
    return true;
}

// The first enabled task by date and time: what the scheduler reads on every tick.
void BM_FirstAlongKey(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    store::Table<Schedule> table(*file.schedule);
    Schedule task;
    for (auto _ : state) {
        table.setKey("KeyDateEnabled");
        if (failed(state, table.next(task))) {
            break;
        }
        benchmark::DoNotOptimize(task.ID);
    }
}
BENCHMARK(BM_FirstAlongKey)->Arg(1'000)->Arg(1'000'000);

// Places in the middle of the date key: 64 dates a week apart from the middle of the span, at
// noon, so a page is not always the same rows.
std::vector<Schedule> middlePlaces() {
    std::vector<Schedule> places;
    const std::int32_t middle = (TaskGenerator::firstDate() + TaskGenerator::lastDate()) / 2;
    for (std::int32_t week = 0; week < 64; ++week) {
        Schedule place;
        place.Disabled = 0;
        place.Date = middle + week * 7;
        place.Time = store::makeTime(12, 0);
        places.push_back(place);
    }
    return places;
}

constexpr int kPageRows = 20;

// A browse list's page: place the key in the middle, read the next 20 tasks in one call.
void BM_BrowsePage(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    store::Table<Schedule> table(*file.schedule);
    const std::vector<Schedule> places = middlePlaces();
    std::vector<Schedule> page;
    std::size_t place = 0;
    for (auto _ : state) {
        table.setPosition("KeyDateEnabled", places[place++ % places.size()]);
        page.clear();
        if (failed(state, table.nextPage(kPageRows, page))) {
            break;
        }
        if (page.size() != kPageRows) {
            state.SkipWithError("short page");
            break;
        }
        benchmark::DoNotOptimize(page.data());
    }
    state.SetItemsProcessed(state.iterations() * kPageRows);
}
BENCHMARK(BM_BrowsePage)->Arg(1'000)->Arg(1'000'000);

// The same 20 tasks one next() at a time, as a procedure walking the key reads them.
void BM_Next20(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    store::Table<Schedule> table(*file.schedule);
    const std::vector<Schedule> places = middlePlaces();
    Schedule task;
    std::size_t place = 0;
    for (auto _ : state) {
        table.setPosition("KeyDateEnabled", places[place++ % places.size()]);
        for (int i = 0; i < kPageRows; ++i) {
            if (failed(state, table.next(task))) {
                break;
            }
            benchmark::DoNotOptimize(task.ID);
        }
    }
    state.SetItemsProcessed(state.iterations() * kPageRows);
}
BENCHMARK(BM_Next20)->Arg(1'000)->Arg(1'000'000);

// A task by its ID (KeyID): 1,024 IDs spread evenly over the table, in turn.
void BM_GetByID(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    store::Table<Schedule> table(*file.schedule);
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 0; i < 1024; ++i) {
        ids.push_back(1 +
                      static_cast<std::int32_t>(static_cast<std::int64_t>(i) * file.tasks / 1024));
    }
    Schedule task;
    std::size_t next = 0;
    for (auto _ : state) {
        task.ID = ids[next++ % ids.size()];
        if (failed(state, table.get("KeyID", task))) {
            break;
        }
        benchmark::DoNotOptimize(task.Description.data());
    }
}
BENCHMARK(BM_GetByID)->Arg(1'000)->Arg(1'000'000);

// A task by an ID drawn at random from the whole table: in the large file most rows are not in
// the connection's cache, so this adds reading and decrypting their pages.
void BM_GetByRandomID(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    store::Table<Schedule> table(*file.schedule);
    std::uint64_t random = 0x2545'f491'4f6c'dd1d;
    Schedule task;
    for (auto _ : state) {
        random ^= random << 13;
        random ^= random >> 7;
        random ^= random << 17;
        task.ID = 1 + static_cast<std::int32_t>(random % static_cast<std::uint64_t>(file.tasks));
        if (failed(state, table.get("KeyID", task))) {
            break;
        }
        benchmark::DoNotOptimize(task.Description.data());
    }
}
BENCHMARK(BM_GetByRandomID)->Arg(1'000)->Arg(1'000'000);

}  // namespace
}  // namespace agendix::bench
