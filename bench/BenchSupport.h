#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "store/Records.h"
#include "store/StoreError.h"
#include "store/StoredTable.h"

namespace agendix::bench {

// A fresh directory under the system's temp directory (TMPDIR), removed with everything in it.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Tasks as users keep them: a few users and many categories, one-off and repeating schedules,
// dates spread over sixteen years at five-minute times, about one in seven disabled, reminders
// with their messages. The same seed gives the same tasks.
class TaskGenerator {
  public:
    explicit TaskGenerator(std::uint64_t seed = 0x5eed'a9e4'd1c5'0001) : state_(seed) {}

    store::Schedule task(std::int32_t id);

    // The span of the task dates.
    static std::int32_t firstDate();
    static std::int32_t lastDate();

  private:
    std::uint64_t nextRandom();
    std::uint32_t below(std::uint32_t bound) {
        return static_cast<std::uint32_t>(nextRandom() % bound);
    }
    bool chance(std::uint32_t percent) { return below(100) < percent; }

    std::uint64_t state_;
};

// Stops the program with the error's text: a benchmark must not measure a failing store.
void require(const store::StoreError& error, const std::string& what);

// Creates the table when its file lacks it, then opens it.
void openOrCreate(store::StoredTable& table);

// Writes `tasks` generated tasks into the Schedule table of the data file in `directory`, in one
// stream of writes; `adjust`, when given, changes each task before it is added. The building
// connection alone gets a cache the size of the whole file, so that writing thirteen keys in
// random order does not re-read and decrypt evicted pages; it is closed again at the end, as the
// program's is at exit.
void fillTaskFile(const std::filesystem::path& directory, std::int32_t tasks,
                   const std::function<void(store::Schedule&)>& adjust = {});

// Seconds on a monotonic clock.
double now();

}  // namespace agendix::bench
