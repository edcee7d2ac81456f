#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "store/StoreError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace agendix::store {

// One open data file: a single SQLCipher connection that every table of the file shares.
// Opening costs the key derivation, so a process opens each file once.
class DataFile {
public:
    ~DataFile();
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens an existing file (create = false) or creates it when missing. An empty password
    // means an unencrypted file. Fails with FileNotFound, InvalidDataFile (not a data file, damaged
    // or another password) or FileSystemError; never touches a file it cannot read.
    static StoreError open(const std::filesystem::path& path, const std::string& password, bool create,
                           std::unique_ptr<DataFile>& out);

    const std::filesystem::path& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    // A prepared statement for the text, kept for reuse; reset it after use.
    sqlite3_stmt* statement(const std::string& sql, StoreError& error);
    StoreError execute(const std::string& sql);
    // The error of a failed SQLite call, mapped onto the store's kinds.
    StoreError failure(int resultCode, const std::string& context) const;

    bool inTransaction() const { return transactionDepth_ > 0; }
    // BEGIN IMMEDIATE, waiting up to the lock time-out for other stations.
    StoreError begin(bool exclusive = false);
    StoreError commit();
    StoreError rollback();

    bool tableExists(const std::string& name, StoreError& error);
    // The store version recorded for a table; 0 when none is recorded.
    int storedVersion(const std::string& table, StoreError& error);
    StoreError setStoredVersion(const std::string& table, int version);

    static constexpr int kLockTimeoutMs = 2000;

private:
    explicit DataFile(std::filesystem::path path) : path_(std::move(path)) {}
    StoreError configure(const std::string& password, bool fresh);

    std::filesystem::path path_;
    sqlite3* db_ = nullptr;
    std::map<std::string, sqlite3_stmt*> statements_;
    int transactionDepth_ = 0;
};

// The data files a process has open, by path: the first table of a file opens it, the last one
// to close lets it go.
class DataFiles {
public:
    StoreError acquire(const std::filesystem::path& path, const std::string& password, bool create,
                       std::shared_ptr<DataFile>& out);

private:
    std::map<std::filesystem::path, std::weak_ptr<DataFile>> open_;
};

}  // namespace agendix::store
