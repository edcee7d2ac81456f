#include "store/DataFile.h"

#include <sqlite3.h>

#include <cerrno>
#include <system_error>

#include "store/SqlSchema.h"

namespace agendix::store {
namespace {

// Every connection to an encrypted file uses the same page size; a larger cache keeps decrypted
// pages in memory instead of re-reading and decrypting them.
constexpr const char* kConnectionPragmas =
    "PRAGMA cache_size = -65536;"
    "PRAGMA journal_mode = DELETE;";

}  // namespace

DataFile::~DataFile() {
    for (auto& [sql, statement] : statements_) {
        sqlite3_finalize(statement);
    }
    if (db_ != nullptr) {
        if (transactionDepth_ > 0) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        sqlite3_close(db_);
    }
}

StoreError DataFile::open(const std::filesystem::path& path, const std::string& password, bool create,
                          std::unique_ptr<DataFile>& out) {
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (!exists && !create) {
        return StoreError::of(ErrorKind::FileNotFound, path.string());
    }
    if (exists && std::filesystem::is_directory(path, ec)) {
        return StoreError::fileSystem(EISDIR, path.string());
    }
    std::unique_ptr<DataFile> file(new DataFile(path));
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(path.c_str(), &file->db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        return file->failure(rc, path.string());
    }
    if (StoreError error = file->configure(password, !exists); !error.ok()) {
        return error;
    }
    out = std::move(file);
    return StoreError::none();
}

StoreError DataFile::configure(const std::string& password, bool fresh) {
    sqlite3_busy_timeout(db_, kLockTimeoutMs);
#ifdef SQLITE_HAS_CODEC
    if (!password.empty()) {
        if (const int rc = sqlite3_key(db_, password.data(), static_cast<int>(password.size()));
            rc != SQLITE_OK) {
            return failure(rc, path_.string());
        }
        if (StoreError error = execute("PRAGMA cipher_page_size = 4096"); !error.ok()) {
            return error;
        }
    }
#else
    // Built against plain SQLite (the benchmarks compare the two): files are not encrypted.
    (void)password;
#endif
    // Reading the schema is the first access: it fails here for a file that is not a data file,
    // is damaged, or was written with another password.
    if (StoreError error = execute("SELECT count(*) FROM sqlite_master"); !error.ok()) {
        if (error.is(ErrorKind::InvalidDataFile) ||
            (error.is(ErrorKind::FileSystemError) && error.fileSystemCode == 0)) {
            StoreError invalid = StoreError::of(ErrorKind::InvalidDataFile, path_.string());
            invalid.text += " (not a data file of this program, damaged, or written with another password)";
            return invalid;
        }
        return error;
    }
    if (StoreError error = execute(kConnectionPragmas); !error.ok()) {
        return error;
    }
    (void)fresh;
    return StoreError::none();
}

StoreError DataFile::failure(int resultCode, const std::string& context) const {
    const int primary = resultCode & 0xFF;
    const std::string detail =
        context.empty() ? std::string(sqlite3_errstr(resultCode)) : context + " (" + sqlite3_errstr(resultCode) + ")";
    switch (primary) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return StoreError::of(ErrorKind::FileLocked, detail);
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
        case SQLITE_FORMAT:
            return StoreError::of(ErrorKind::InvalidDataFile, detail);
        case SQLITE_CONSTRAINT:
            return StoreError::of(ErrorKind::DuplicateKey, detail);
        case SQLITE_NOTFOUND:
            return StoreError::of(ErrorKind::RecordNotFound, detail);
        default:
            break;
    }
    int systemError = db_ != nullptr ? sqlite3_system_errno(db_) : 0;
    if (systemError == 0 && (primary == SQLITE_READONLY || primary == SQLITE_PERM)) {
        systemError = EACCES;
    }
    if (systemError == 0 && primary == SQLITE_FULL) {
        systemError = ENOSPC;
    }
    StoreError error = StoreError::fileSystem(systemError, detail);
    if (systemError == 0) {
        error.fileSystemText = sqlite3_errstr(resultCode);
    }
    return error;
}

sqlite3_stmt* DataFile::statement(const std::string& sql, StoreError& error) {
    if (auto found = statements_.find(sql); found != statements_.end()) {
        return found->second;
    }
    sqlite3_stmt* prepared = nullptr;
    const int rc = sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &prepared, nullptr);
    if (rc != SQLITE_OK) {
        error = failure(rc, sqlite3_errmsg(db_));
        return nullptr;
    }
    statements_.emplace(sql, prepared);
    return prepared;
}

StoreError DataFile::execute(const std::string& sql) {
    char* message = nullptr;
    const int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    if (rc != SQLITE_OK) {
        std::string text = message != nullptr ? message : "";
        sqlite3_free(message);
        return failure(rc, text);
    }
    return StoreError::none();
}

StoreError DataFile::begin(bool exclusive) {
    if (transactionDepth_ > 0) {
        return StoreError::of(ErrorKind::TransactionActive);
    }
    StoreError error = execute(exclusive ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE");
    if (error.ok()) {
        transactionDepth_ = 1;
    }
    return error;
}

StoreError DataFile::commit() {
    if (transactionDepth_ == 0) {
        return StoreError::none();
    }
    StoreError error = execute("COMMIT");
    if (!error.ok()) {
        // A commit that cannot finish leaves nothing half-written: undo it all.
        execute("ROLLBACK");
    }
    transactionDepth_ = 0;
    return error;
}

StoreError DataFile::rollback() {
    if (transactionDepth_ == 0) {
        return StoreError::none();
    }
    transactionDepth_ = 0;
    if (sqlite3_get_autocommit(db_) != 0) {
        return StoreError::none();  // SQLite already rolled back after an error
    }
    return execute("ROLLBACK");
}

bool DataFile::tableExists(const std::string& name, StoreError& error) {
    sqlite3_stmt* stmt =
        statement("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?1 COLLATE NOCASE", error);
    if (stmt == nullptr) {
        return false;
    }
    sqlite3_bind_text(stmt, 1, name.c_str(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        error = failure(rc, sqlite3_errmsg(db_));
    }
    return rc == SQLITE_ROW;
}

int DataFile::storedVersion(const std::string& table, StoreError& error) {
    if (!tableExists(sql::kVersionTable, error)) {
        return 0;
    }
    sqlite3_stmt* stmt = statement(std::string("SELECT \"Version\" FROM ") + sql::quoted(sql::kVersionTable) +
                                       " WHERE \"TableName\"=?1 COLLATE NOCASE",
                                   error);
    if (stmt == nullptr) {
        return 0;
    }
    sqlite3_bind_text(stmt, 1, table.c_str(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    int version = 0;
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        version = sqlite3_column_int(stmt, 0);
    } else if (rc != SQLITE_DONE) {
        error = failure(rc, sqlite3_errmsg(db_));
    }
    sqlite3_reset(stmt);
    return version;
}

StoreError DataFile::setStoredVersion(const std::string& table, int version) {
    StoreError error = execute(std::string("CREATE TABLE IF NOT EXISTS ") + sql::quoted(sql::kVersionTable) +
                               " (\"TableName\" TEXT PRIMARY KEY COLLATE NOCASE, \"Version\" INTEGER NOT NULL)");
    if (!error.ok()) {
        return error;
    }
    sqlite3_stmt* stmt = statement(std::string("INSERT OR REPLACE INTO ") + sql::quoted(sql::kVersionTable) +
                                       " (\"TableName\", \"Version\") VALUES (?1, ?2)",
                                   error);
    if (stmt == nullptr) {
        return error;
    }
    sqlite3_bind_text(stmt, 1, table.c_str(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
    sqlite3_bind_int(stmt, 2, version);
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    return rc == SQLITE_DONE ? StoreError::none() : failure(rc, sqlite3_errmsg(db_));
}

StoreError DataFiles::acquire(const std::filesystem::path& path, const std::string& password, bool create,
                              std::shared_ptr<DataFile>& out) {
    std::error_code ec;
    std::filesystem::path key = std::filesystem::absolute(path, ec).lexically_normal();
    if (auto found = open_.find(key); found != open_.end()) {
        if (auto file = found->second.lock()) {
            out = std::move(file);
            return StoreError::none();
        }
    }
    std::unique_ptr<DataFile> file;
    if (StoreError error = DataFile::open(path, password, create, file); !error.ok()) {
        return error;
    }
    out = std::shared_ptr<DataFile>(std::move(file));
    open_[key] = out;
    return StoreError::none();
}

}  // namespace agendix::store
