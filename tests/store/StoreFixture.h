#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "store/Database.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace agendix::store {

// A data file of its own in a temporary directory; tables are created on first use.
class StoreFixture : public ::testing::Test {
protected:
    StoredTable& openTable(const TableDef& def) { return openTable(database_, def); }

    static StoredTable& openTable(Database& database, const TableDef& def) {
        StoredTable& table = database.table(def);
        if (!table.isOpen()) {
            StoreError error = table.open();
            if (error.is(ErrorKind::FileNotFound)) {
                EXPECT_TRUE(table.create().ok());
                error = table.open();
            }
            EXPECT_TRUE(error.ok()) << error.text;
        }
        return table;
    }

    testing::TempDir dir_;
    Database database_{dir_.path()};
};

// Runs raw SQL on a data file as an older program version, a damaging tool or a test's injected
// fault would.
inline void tamper(const std::filesystem::path& file, const std::string& statements) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    sqlite3_key(db, kOwnerPassword, static_cast<int>(std::strlen(kOwnerPassword)));
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA cipher_page_size = 4096", nullptr, nullptr, nullptr), SQLITE_OK);
    char* message = nullptr;
    EXPECT_EQ(sqlite3_exec(db, statements.c_str(), nullptr, nullptr, &message), SQLITE_OK)
        << (message != nullptr ? message : "");
    sqlite3_free(message);
    sqlite3_close(db);
}

inline std::string fileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string describe(const StoreError& error) {
    return error.text + " (" + std::to_string(error.code) + ")";
}

}  // namespace agendix::store
