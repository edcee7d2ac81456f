#include "BenchSupport.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "store/DataDictionary.h"
#include "store/DataFile.h"
#include "store/Database.h"
#include "store/StandardDate.h"
#include "store/Table.h"

namespace agendix::bench {

using store::makeDate;
using store::makeTime;

ScratchDir::ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "agendix-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary directory");
    }
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

namespace {

template <std::size_t N>
constexpr std::size_t count(const std::string_view (&)[N]) {
    return N;
}

constexpr std::string_view kUsers[] = {"",    "",      "ADMIN",  "Alice Martin",
                                       "bob", "carol", "backup", "Reception desk"};
constexpr std::string_view kTaskTypes[] = {"Program",  "Program", "Program",  "Reminder",
                                           "Reminder", "Script",  "Document", "Shutdown"};
constexpr std::string_view kCategories[] = {
    "",         "Backup",  "Billing",  "Cleanup",    "Customers", "Database",
    "Email",    "Finance", "Meetings", "Monitoring", "Network",   "Personal",
    "Printing", "Reports", "Sales",    "Security",   "Updates",   "Web"};
constexpr std::string_view kActions[] = {"Back up",  "Send",    "Print",  "Archive", "Check",
                                         "Call",     "Export",  "Import", "Rotate",  "Sync",
                                         "Clean up", "Compile", "Mail",   "Review",  "Restart"};
constexpr std::string_view kObjects[] = {
    "payroll",   "weekly report", "customer list", "mail server",  "web logs",    "price list",
    "invoices",  "photo library", "timesheets",    "database",     "print queue", "home folder",
    "inventory", "newsletter",    "VPN tunnel",    "monthly sales"};
constexpr std::string_view kPrograms[] = {
    "/usr/bin/rsync -a --delete /srv/share/ /mnt/backup/share/",
    "/usr/local/bin/report --weekly --to accounts@example.com",
    "/usr/bin/libreoffice --headless --convert-to pdf /srv/reports/latest.ods",
    "/home/alice/bin/cleanup.sh",
    "/usr/bin/pg_dump -Fc -f /var/backups/ledger.dump ledger",
    "/usr/bin/xdg-open https://intranet.example.com/timesheets",
    "/usr/bin/thunderbird -compose",
    "/usr/bin/gnome-calculator"};
constexpr std::string_view kPaths[] = {"",
                                       "/home/alice",
                                       "/srv/share",
                                       "/var/backups",
                                       "/home/bob/Documents/Reports",
                                       "/opt/ledger/bin"};
constexpr std::string_view kScheduleTypes[] = {"Once",    "Daily",  "Weekly",  "Weekly",
                                               "Monthly", "Yearly", "Minutes", "Hours"};
constexpr std::string_view kEveryTypes[] = {"Day(s)", "Week(s)", "Month(s)", "Minute(s)",
                                            "Hour(s)"};
constexpr std::string_view kSounds[] = {"/usr/share/sounds/alsa/Front_Center.wav",
                                        "/home/alice/sounds/chime.wav", "ding.wav"};
constexpr std::string_view kMessages[] = {
    "Remember to bring the signed contracts to the meeting room before ten.",
    "Quarterly VAT return is due. Check the totals against the ledger first, then file it "
    "online and keep the receipt with the books.",
    "Call the landlord about the heating.",
    "Renew the domain names: example.com and example.org expire at the end of the month. "
    "The registrar's login is in the blue folder.",
    "Stand-up"};

std::string pick(const std::string_view* items, std::size_t size, std::uint32_t index) {
    return std::string(items[index % size]);
}

}  // namespace

std::int32_t TaskGenerator::firstDate() {
    return makeDate(1, 1, 2016);
}
std::int32_t TaskGenerator::lastDate() {
    return makeDate(12, 31, 2031);
}

std::uint64_t TaskGenerator::nextRandom() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9e37'79b9'7f4a'7c15);
    z = (z ^ (z >> 30)) * 0xbf58'476d'1ce4'e5b9;
    z = (z ^ (z >> 27)) * 0x94d0'49bb'1331'11eb;
    return z ^ (z >> 31);
}

store::Schedule TaskGenerator::task(std::int32_t id) {
    store::Schedule t;
    t.User = pick(kUsers, count(kUsers), below(1000));
    t.ID = id;
    t.TaskType = pick(kTaskTypes, count(kTaskTypes), below(1000));
    t.Category = pick(kCategories, count(kCategories), below(1000));
    t.Description = pick(kActions, count(kActions), below(1000)) + " " +
                    pick(kObjects, count(kObjects), below(1000)) + " " + std::to_string(below(500));
    const bool reminder = t.TaskType == "Reminder";
    if (!reminder) {
        t.Command = pick(kPrograms, count(kPrograms), below(1000));
        t.Path = pick(kPaths, count(kPaths), below(1000));
    } else {
        t.Message = pick(kMessages, count(kMessages), below(1000));
    }
    t.ScheduleType = pick(kScheduleTypes, count(kScheduleTypes), below(1000));
    if (t.ScheduleType == "Weekly") {
        const std::uint32_t days = below(127) + 1;
        t.Sunday = days & 1U;
        t.Monday = (days >> 1) & 1U;
        t.Tuesday = (days >> 2) & 1U;
        t.Wednesday = (days >> 3) & 1U;
        t.Thursday = (days >> 4) & 1U;
        t.Friday = (days >> 5) & 1U;
        t.Saturday = (days >> 6) & 1U;
    } else if (t.ScheduleType != "Once") {
        t.Every = static_cast<std::int32_t>(below(4) + 1);
        t.EveryType = pick(kEveryTypes, count(kEveryTypes), below(1000));
        t.Every1st = chance(10) ? 1 : 0;
        t.EveryLast = chance(5) ? 1 : 0;
        t.LastDayofMonth = chance(3) ? 1 : 0;
    }
    // A few tasks wait for a date; they stay out of the date key.
    if (!chance(1)) {
        const auto span = static_cast<std::uint32_t>(lastDate() - firstDate() + 1);
        t.Date = firstDate() + static_cast<std::int32_t>(below(span));
        t.Time = makeTime(static_cast<int>(below(24)), static_cast<int>(below(12) * 5));
        if (chance(60)) {
            t.LastRunDate = t.Date - static_cast<std::int32_t>(below(30) + 1);
            t.LastRunTime = t.Time;
        }
    }
    t.Alarm = reminder || chance(5) ? 1 : 0;
    if (t.Alarm != 0) {
        t.AlarmFile = pick(kSounds, count(kSounds), below(1000));
    }
    if (chance(20) && t.Date != 0) {
        t.Warn = 1;
        t.AdvanceWarnDate = t.Date - static_cast<std::int32_t>(below(3));
        t.AdvanceWarnTime = makeTime(static_cast<int>(below(24)), 0);
        t.AdvanceWarned = chance(30) ? 1 : 0;
    }
    t.SkipIfMissed = chance(25) ? 1 : 0;
    t.NoHistory = chance(10) ? 1 : 0;
    t.Disabled = chance(15) ? 1 : 0;
    t.Completed = chance(5) ? 1 : 0;
    t.ShiftType = chance(20) ? "Next weekday" : "";
    t.ExceptWeekends = chance(15) ? 1 : 0;
    t.ExceptHolidays = chance(10) ? 1 : 0;
    if (chance(5)) {
        t.ExceptTime = 1;
        t.ExceptTimeBegin = makeTime(22, 0);
        t.ExceptTimeEnd = makeTime(6, 0);
    }
    t.NetworkUser = t.User.empty() ? "" : t.User + "@ws" + std::to_string(below(40));
    t.LastChangeDate = firstDate() + static_cast<std::int32_t>(below(5000));
    t.LastChangeTime = makeTime(static_cast<int>(below(24)), static_cast<int>(below(60)));
    t.OriginalID =
        chance(3) ? static_cast<std::int32_t>(below(static_cast<std::uint32_t>(id)) + 1) : 0;
    return t;
}

void require(const store::StoreError& error, const std::string& what) {
    if (!error.ok()) {
        std::fprintf(stderr, "%s: %s (%d)\n", what.c_str(), error.text.c_str(), error.code);
        std::exit(EXIT_FAILURE);
    }
}

void openOrCreate(store::StoredTable& table) {
    store::StoreError error = table.open();
    if (error.is(store::ErrorKind::FileNotFound)) {
        require(table.create(), "create " + table.name());
        error = table.open();
    }
    require(error, "open " + table.name());
}

double now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace agendix::bench

namespace agendix::bench {

void fillTaskFile(const std::filesystem::path& directory, std::int32_t tasks,
                   const std::function<void(store::Schedule&)>& adjust) {
    const double start = now();
    store::Database database(directory);
    store::StoredTable& stored = database.table(store::scheduleTable());
    openOrCreate(stored);
    require(stored.file()->execute("PRAGMA cache_size = -1048576"), "cache size");
    store::Table<store::Schedule> table(stored);
    TaskGenerator generator;
    require(stored.stream(), "stream");
    for (std::int32_t id = 1; id <= tasks; ++id) {
        store::Schedule task = generator.task(id);
        if (adjust) {
            adjust(task);
        }
        require(table.add(task), "add");
    }
    require(stored.flush(), "flush");
    const double seconds = now() - start;
    std::error_code ignored;
    const auto bytes = std::filesystem::file_size(directory / store::kMainDataFile, ignored);
    std::fprintf(stderr, "built %d tasks in %.1f s (%.0f rows/s), %.1f MB\n", tasks, seconds, tasks / seconds,
                 static_cast<double>(bytes) / 1e6);
}

}  // namespace agendix::bench
