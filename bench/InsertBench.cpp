// Writing 100,000 tasks in one transaction into a new file: through the store
// (Table<Schedule>::add) and straight through the sqlite3 C API. This file is built twice, against
// SQLCipher in bench_store and against plain SQLite in bench_store_plain, so the two engines run
// the very same code; the figure to compare is rows/s.

#include <benchmark/benchmark.h>

#include <array>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "BenchSupport.h"
#include "RawInsert.h"
#include "store/DataDictionary.h"
#include "store/Database.h"
#include "store/Table.h"
#include "store/Transaction.h"

namespace agendix::bench {
namespace {

constexpr int kInsertRows = 100'000;

const std::vector<store::Schedule>& insertTasks() {
    static const std::vector<store::Schedule> tasks = [] {
        std::vector<store::Schedule> all;
        all.reserve(kInsertRows);
        TaskGenerator generator;
        for (std::int32_t id = 1; id <= kInsertRows; ++id) {
            all.push_back(generator.task(id));
        }
        return all;
    }();
    return tasks;
}

// A plain SQLite file starts with its format text; an encrypted one with random salt.
bool startsLikePlainSqlite(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<char, 16> header{};
    in.read(header.data(), header.size());
    return std::string_view(header.data(), header.size()) ==
           std::string_view("SQLite format 3\0", 16);
}

void reportRate(benchmark::State& state) {
    state.counters["rows/s"] =
        benchmark::Counter(kInsertRows, benchmark::Counter::kIsIterationInvariantRate);
}

// The store as the program uses it: the data file opened through Database (encrypted with the
// owner password when the engine can), one Transaction, add() per task.
void storeInsert(benchmark::State& state) {
    std::vector<store::Schedule> tasks = insertTasks();  // add() records each task's position
    for (auto _ : state) {
        ScratchDir dir;
        store::Database database(dir.path());
        store::StoredTable& stored = database.table(store::scheduleTable());
        openOrCreate(stored);
        store::Table<store::Schedule> table(stored);

        const double start = now();
        store::Transaction transaction;
        require(transaction.begin({&stored}), "begin");
        for (store::Schedule& task : tasks) {
            require(table.add(task), "add");
        }
        require(transaction.commit(), "commit");
        state.SetIterationTime(now() - start);

        if (startsLikePlainSqlite(database.mainFile()) == rawEngineEncrypts()) {
            state.SkipWithError(rawEngineEncrypts() ? "the store wrote a plain file"
                                                    : "the store wrote an encrypted file");
            break;
        }
    }
    reportRate(state);
}

void rawInsertWith(benchmark::State& state, RawSettings settings) {
    const std::vector<store::Schedule>& tasks = insertTasks();
    for (auto _ : state) {
        ScratchDir dir;
        std::string error;
        const double seconds = rawInsert(dir.path() / "raw.db", settings, tasks, error);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            break;
        }
        state.SetIterationTime(seconds);
    }
    reportRate(state);
}

constexpr int kTunedCacheKiB = 65536;  // the store's cache_size = -65536

void configure(benchmark::internal::Benchmark* benchmark) {
    benchmark->UseManualTime()->Iterations(1)->Repetitions(3)->Unit(benchmark::kMillisecond);
}

const bool registered = [] {
    if (rawEngineEncrypts()) {
        configure(benchmark::RegisterBenchmark("Insert100k/store/sqlcipher_tuned", storeInsert));
        // SQLCipher as it comes: 1 KiB cipher pages and a 2,000-page cache.
        configure(benchmark::RegisterBenchmark("Insert100k/raw/sqlcipher_defaults", rawInsertWith,
                                               RawSettings{store::kOwnerPassword, 0, 0}));
        configure(
            benchmark::RegisterBenchmark("Insert100k/raw/sqlcipher_tuned", rawInsertWith,
                                         RawSettings{store::kOwnerPassword, 4096, kTunedCacheKiB}));
    } else {
        configure(benchmark::RegisterBenchmark("Insert100k/store/sqlite", storeInsert));
        configure(benchmark::RegisterBenchmark("Insert100k/raw/sqlite_defaults", rawInsertWith,
                                               RawSettings{}));
        configure(benchmark::RegisterBenchmark("Insert100k/raw/sqlite_cache64M", rawInsertWith,
                                               RawSettings{{}, 0, kTunedCacheKiB}));
    }
    return true;
}();

}  // namespace
}  // namespace agendix::bench
