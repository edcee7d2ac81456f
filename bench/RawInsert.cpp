#include "RawInsert.h"

#include <sqlite3.h>

#include <variant>

#include "BenchSupport.h"
#include "store/DataDictionary.h"
#include "store/SqlSchema.h"

namespace agendix::bench {
namespace {

class Connection {
  public:
    ~Connection() {
        sqlite3_finalize(insert_);
        sqlite3_close(db_);
    }

    bool open(const std::filesystem::path& path, std::string& error) {
        return check(sqlite3_open_v2(
                         path.c_str(), &db_,
                         SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr),
                     "open", error);
    }

    bool exec(const std::string& sql, std::string& error) {
        return check(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr), sql, error);
    }

    bool check(int rc, const std::string& what, std::string& error) const {
        if (rc == SQLITE_OK || rc == SQLITE_DONE || rc == SQLITE_ROW) {
            return true;
        }
        error = what.substr(0, 80) + ": " + (db_ != nullptr ? sqlite3_errmsg(db_) : "no handle");
        return false;
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
};

}  // namespace

bool rawEngineEncrypts() {
#ifdef SQLITE_HAS_CODEC
    return true;
#else
    return false;
#endif
}

double rawInsert(const std::filesystem::path& path, const RawSettings& settings,
                 const std::vector<store::Schedule>& tasks, std::string& error) {
    Connection c;
    if (!c.open(path, error)) {
        return 0;
    }
    if (!settings.key.empty()) {
#ifdef SQLITE_HAS_CODEC
        if (!c.check(sqlite3_key(c.db_, settings.key.data(), static_cast<int>(settings.key.size())),
                     "key", error)) {
            return 0;
        }
#else
        error = "this SQLite does not encrypt";
        return 0;
#endif
    }
    if (settings.cipherPageSize != 0 &&
        !c.exec("PRAGMA cipher_page_size = " + std::to_string(settings.cipherPageSize), error)) {
        return 0;
    }
    if (settings.cacheSizeKiB != 0 &&
        !c.exec("PRAGMA cache_size = -" + std::to_string(settings.cacheSizeKiB), error)) {
        return 0;
    }
    if (!c.exec("PRAGMA journal_mode = DELETE", error)) {
        return 0;
    }

    const store::TableDef& def = store::scheduleTable();
    std::string ddl = "BEGIN;" + store::sql::createTableSql(def, def.label) + ";";
    for (const auto& key : def.keys) {
        ddl += store::sql::createIndexSql(def, key) + ";";
    }
    if (!c.exec(ddl + "COMMIT", error)) {
        return 0;
    }

    std::string columns;
    std::string values;
    for (std::size_t i = 0; i < def.fields.size(); ++i) {
        columns += (i > 0 ? ", " : "") + store::sql::quoted(def.fields[i].name);
        values += (i > 0 ? ", ?" : "?") + std::to_string(i + 1);
    }
    const std::string insert = "INSERT INTO " + store::sql::quoted(def.label) + " (" + columns +
                               ") VALUES (" + values + ")";
    if (!c.check(sqlite3_prepare_v2(c.db_, insert.c_str(), -1, &c.insert_, nullptr), "prepare",
                 error)) {
        return 0;
    }

    const auto& fields = store::Schedule::fields();
    const double start = now();
    if (!c.exec("BEGIN IMMEDIATE", error)) {
        return 0;
    }
    for (const store::Schedule& task : tasks) {
        int index = 1;
        for (const auto& field : fields) {
            std::visit(
                [&](auto member) {
                    const auto& value = task.*member;
                    using Member = std::remove_cvref_t<decltype(value)>;
                    if constexpr (std::is_same_v<Member, std::string>) {
                        sqlite3_bind_text(c.insert_, index, value.data(),
                                          static_cast<int>(value.size()), SQLITE_STATIC);
                    } else {
                        sqlite3_bind_int64(c.insert_, index, static_cast<sqlite3_int64>(value));
                    }
                },
                field.member);
            ++index;
        }
        const int rc = sqlite3_step(c.insert_);
        sqlite3_reset(c.insert_);
        if (!c.check(rc, "insert", error)) {
            return 0;
        }
    }
    if (!c.exec("COMMIT", error)) {
        return 0;
    }
    return now() - start;
}

}  // namespace agendix::bench
