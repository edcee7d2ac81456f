#pragma once

#include <gtest/gtest.h>

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

inline std::string describe(const StoreError& error) {
    return error.text + " (" + std::to_string(error.code) + ")";
}

}  // namespace agendix::store
