// The schedule list's page reads in encrypted files of 1,000 and 1,000,000 tasks: opening the
// "All by Date" order, Page Down, End, and dragging the thumb. Each reads one page of rows along
// the key, so the figures for both sizes should match, and the list's memory is one page.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>

#include "BenchSupport.h"
#include "shell/PagedList.h"
#include "store/DataDictionary.h"
#include "store/DataFile.h"
#include "store/Database.h"

namespace agendix::bench {
namespace {

using store::Schedule;

constexpr int kPageRows = 20;
constexpr double kTimesPerDay = 8'640'001.0;

struct TaskFile {
    ScratchDir dir;
    std::unique_ptr<store::Database> database;
    store::StoredTable* schedule = nullptr;
};

TaskFile& taskFile(std::int64_t tasks) {
    static std::map<std::int64_t, std::unique_ptr<TaskFile>> files;
    auto& file = files[tasks];
    if (file != nullptr) {
        return *file;
    }
    file = std::make_unique<TaskFile>();
    fillTaskFile(file->dir.path(), static_cast<std::int32_t>(tasks));
    file->database = std::make_unique<store::Database>(file->dir.path());
    file->schedule = &file->database->table(store::scheduleTable());
    openOrCreate(*file->schedule);
    return *file;
}

// The "All by Date" order of the schedule list, optionally with active tasks only.
std::vector<shell::BrowseOrder<Schedule>> allByDate(bool activeOnly) {
    shell::BrowseOrder<Schedule> order;
    order.tab = "All by Date";
    order.key = "KeyDate";
    if (activeOnly) {
        order.accept = [](const Schedule& task) {
            return task.Disabled == 0 && task.Completed == 0;
        };
    }
    order.number = [](const Schedule& task) { return task.Date * kTimesPerDay + task.Time; };
    order.setNumber = [](Schedule& task, double value) {
        task.Date = static_cast<std::int32_t>(std::floor(value / kTimesPerDay));
        task.Time = static_cast<std::int32_t>(value - task.Date * kTimesPerDay);
    };
    return {order};
}

std::vector<shell::BrowseColumn<Schedule>> columns() {
    return {{"Description", 30,
             [](const Schedule& task) { return QString::fromStdString(task.Description); }}};
}

std::unique_ptr<shell::PagedList<Schedule>> openList(TaskFile& file, bool activeOnly) {
    auto list = std::make_unique<shell::PagedList<Schedule>>(*file.schedule, allByDate(activeOnly),
                                                             columns());
    list->setPageSize(kPageRows);
    return list;
}

// The resident memory of the process in KiB.
double residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0;
}

bool shortPage(benchmark::State& state, const shell::PagedList<Schedule>& list) {
    if (list.rowCount() == kPageRows) {
        return false;
    }
    state.SkipWithError("short page");
    return true;
}

// Opening the window on "All by Date": the first and last key values for the thumb, then the
// first page.
void BM_OpenAllByDate(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    for (auto _ : state) {
        auto list = openList(file, state.range(1) != 0);
        list->reload();
        if (shortPage(state, *list)) {
            break;
        }
    }
}
BENCHMARK(BM_OpenAllByDate)
    ->ArgsProduct({{1'000, 1'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

// Page Down from the start, 200 pages (4,000 tasks), then again from the start. The list's
// memory is one page; the resident memory after the pages is reported beside the memory before.
void BM_PageDown(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    auto list = openList(file, state.range(1) != 0);
    list->home();
    int pages = 0;
    const double before = residentKiB();
    for (auto _ : state) {
        if (++pages % 200 == 0) {
            state.PauseTiming();
            list->home();
            state.ResumeTiming();
        }
        list->pageDown();
        if (shortPage(state, *list)) {
            break;
        }
    }
    state.counters["rss_before_KiB"] = before;
    state.counters["rss_after_KiB"] = residentKiB();
    state.counters["page_rows"] = list->rowCount();
}
BENCHMARK(BM_PageDown)->ArgsProduct({{1'000, 1'000'000}, {0, 1}})->Unit(benchmark::kMillisecond);

// End: the last page of the order.
void BM_End(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    auto list = openList(file, state.range(1) != 0);
    for (auto _ : state) {
        list->end();
        if (shortPage(state, *list)) {
            break;
        }
    }
}
BENCHMARK(BM_End)->ArgsProduct({{1'000, 1'000'000}, {0, 1}})->Unit(benchmark::kMillisecond);

// Dragging the thumb: each step places the list at an interpolated key and reads its page.
void BM_DragThumb(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    auto list = openList(file, state.range(1) != 0);
    list->reload();
    int step = 0;
    for (auto _ : state) {
        step = (step + 37) % 101;
        list->thumbTo(step);
        if (list->rowCount() == 0) {
            state.SkipWithError("empty page");
            break;
        }
    }
}
BENCHMARK(BM_DragThumb)->ArgsProduct({{1'000, 1'000'000}, {0, 1}})->Unit(benchmark::kMillisecond);

// Paging through the whole order from start to end: resident memory before and after, with
// the table's size; the list's memory is one page whatever the size.
void BM_WalkWholeOrder(benchmark::State& state) {
    TaskFile& file = taskFile(state.range(0));
    for (auto _ : state) {
        auto list = openList(file, false);
        list->home();
        const double before = residentKiB();
        const double start = now();
        std::int64_t pages = 0;
        std::int32_t last = -1;
        while (list->rowCount() > 0 && list->page().back().ID != last) {
            last = list->page().back().ID;
            list->pageDown();
            ++pages;
        }
        state.counters["pages"] = static_cast<double>(pages);
        state.counters["rss_before_KiB"] = before;
        state.counters["rss_after_KiB"] = residentKiB();
        state.counters["ms_per_page"] = (now() - start) * 1000.0 / static_cast<double>(pages);
    }
}
BENCHMARK(BM_WalkWholeOrder)
    ->Arg(1'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace agendix::bench
