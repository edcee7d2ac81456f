#include <gtest/gtest.h>

#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>

#include "StoreFixture.h"
#include "store/SqlSchema.h"

namespace agendix::store {
namespace {

using DataFileTest = StoreFixture;

std::string contents(const std::filesystem::path& path) { return fileContents(path); }

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

TEST_F(DataFileTest, AMissingFileOrTableIsNotFoundUntilCreated) {
    StoredTable& schedule = database_.table(scheduleTable());
    EXPECT_TRUE(schedule.open().is(ErrorKind::FileNotFound));
    EXPECT_FALSE(std::filesystem::exists(database_.mainFile()));
    ASSERT_TRUE(schedule.create().ok());
    ASSERT_TRUE(schedule.open().ok());
    EXPECT_TRUE(schedule.open().is(ErrorKind::AlreadyOpen));

    // Another table of the same file is still missing inside it.
    EXPECT_TRUE(database_.table(todoTable()).open().is(ErrorKind::FileNotFound));
    // Creating a table that exists keeps its records.
    Table<Schedule> tasks(schedule);
    Schedule task;
    task.ID = 1;
    ASSERT_TRUE(tasks.add(task).ok());
    ASSERT_TRUE(schedule.create().ok());
    std::int64_t count = 0;
    ASSERT_TRUE(schedule.count(count).ok());
    EXPECT_EQ(count, 1);
}

TEST_F(DataFileTest, TheFileCannotBeReadWithoutThePassword) {
    Table<Todo> todo(openTable(todoTable()));
    Todo item;
    item.ToDo = "A very recognisable secret text";
    ASSERT_TRUE(todo.add(item).ok());
    database_.table(todoTable()).close();

    EXPECT_EQ(contents(database_.mainFile()).find("recognisable"), std::string::npos);
    EXPECT_EQ(contents(database_.mainFile()).find("SQLite format"), std::string::npos);

    // Plain SQLite (no key) and another password both fail; the right password reads it.
    for (const char* password : {"", "wrong-password"}) {
        DataFiles files;
        StoredTable other(files, todoTable(), database_.mainFile(), password);
        const StoreError error = other.open();
        EXPECT_TRUE(error.is(ErrorKind::InvalidDataFile)) << describe(error);
    }
    DataFiles files;
    StoredTable right(files, todoTable(), database_.mainFile(), kOwnerPassword);
    ASSERT_TRUE(right.open().ok());
    std::int64_t count = 0;
    ASSERT_TRUE(right.count(count).ok());
    EXPECT_EQ(count, 1);
}

TEST_F(DataFileTest, BadFilesAreReportedAndLeftUntouched) {
    std::mt19937 random(7);
    std::string noise(64 * 1024, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    // A real data file cut short.
    openTable(scheduleTable());
    database_.table(scheduleTable()).close();
    const std::string whole = contents(database_.mainFile());

    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"random bytes", noise},
        {"a text file", "Not a database at all\n"},
        {"a data file cut short", whole.substr(0, whole.size() / 3)},
        {"only the first bytes", whole.substr(0, 100)},
        {"an empty file", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = dir_ / "Bad.TPS";
        writeFile(path, c.bytes);
        DataFiles files;
        StoredTable table(files, scheduleTable(), path, kOwnerPassword);
        const StoreError error = table.open();
        EXPECT_FALSE(error.ok());
        if (c.bytes.empty()) {
            // An empty file is an empty data file: the table is simply not in it.
            EXPECT_TRUE(error.is(ErrorKind::FileNotFound)) << describe(error);
        } else {
            EXPECT_TRUE(error.is(ErrorKind::InvalidDataFile)) << describe(error);
        }
        EXPECT_EQ(contents(path), c.bytes);
    }
}

TEST_F(DataFileTest, ADirectoryInPlaceOfTheFileIsAFileSystemError) {
    std::filesystem::create_directory(database_.mainFile());
    const StoreError error = database_.table(scheduleTable()).open();
    EXPECT_TRUE(error.is(ErrorKind::FileSystemError)) << describe(error);
    EXPECT_NE(error.fileSystemCode, 0);
}

TEST_F(DataFileTest, AnOlderLayoutIsUpgradedKeepingEveryRecord) {
    StoredTable& stored = openTable(todoTable());
    Table<Todo> todo(stored);
    for (int i = 1; i <= 3; ++i) {
        Todo item;
        item.ToDo = "item " + std::to_string(i);
        item.Priority = static_cast<std::uint8_t>(i);
        item.Notes = "notes " + std::to_string(i);
        ASSERT_TRUE(todo.add(item).ok());
    }
    stored.close();
    // Version 3 of the layout had no resolution memo.
    tamper(database_.mainFile(),
           "CREATE TABLE old AS SELECT \"_pos\", \"_changes\", \"Done\", \"Priority\", \"Category\", \"ToDo\","
           " \"CompletionDate\", \"CompletionTime\", \"NetworkUser\", \"LastChangeDate\", \"LastChangeTime\","
           " \"OriginalID\", \"Notes\" FROM \"Todo\";"
           "DROP TABLE \"Todo\"; ALTER TABLE old RENAME TO \"Todo\";"
           "UPDATE \"_StoreVersion\" SET \"Version\" = 3 WHERE \"TableName\" = 'Todo';");

    EXPECT_TRUE(stored.open().is(ErrorKind::LayoutMismatch));
    ASSERT_TRUE(stored.upgrade().ok());
    ASSERT_TRUE(stored.open().ok());
    todo.setKey("KeyPriority");
    Todo item;
    std::vector<std::string> texts;
    while (todo.next(item).ok()) {
        texts.push_back(item.ToDo + "/" + item.Notes + "/" + item.Resolution);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"item 1/notes 1/", "item 2/notes 2/", "item 3/notes 3/"}));
}

TEST_F(DataFileTest, ANewerLayoutIsNeitherOpenedNorUpgraded) {
    StoredTable& stored = openTable(holidaysTable());
    stored.close();
    tamper(database_.mainFile(), "UPDATE \"_StoreVersion\" SET \"Version\" = 9 WHERE \"TableName\" = 'Holidays';");
    EXPECT_TRUE(stored.open().is(ErrorKind::LayoutMismatch));
    EXPECT_FALSE(stored.upgrade().ok());
}

TEST_F(DataFileTest, DamagedKeysAreFoundAndRebuilt) {
    StoredTable& stored = openTable(categoriesTable());
    Table<Categories> categories(stored);
    for (const char* name : {"Work", "Home", "Errands"}) {
        Categories record{name};
        ASSERT_TRUE(categories.add(record).ok());
    }
    stored.close();
    tamper(database_.mainFile(), "DROP INDEX \"Categories_KeyCategory\";");
    EXPECT_TRUE(stored.open().is(ErrorKind::KeysNeedRebuilding));
    ASSERT_TRUE(stored.rebuildKeys().ok());
    ASSERT_TRUE(stored.open().ok());
    categories.setKey("KeyCategory");
    Categories first;
    ASSERT_TRUE(categories.next(first).ok());
    EXPECT_EQ(first.Category, "Errands");
    stored.close();

    // A key that cannot be rebuilt because the records break its uniqueness.
    tamper(database_.mainFile(),
           "DROP INDEX \"Categories_KeyCategory\"; INSERT INTO \"Categories\" (\"Category\") VALUES ('work');");
    EXPECT_TRUE(stored.open().is(ErrorKind::KeysNeedRebuilding));
    const StoreError error = stored.rebuildKeys();
    EXPECT_TRUE(error.is(ErrorKind::DuplicateKey)) << describe(error);
}

TEST_F(DataFileTest, TablesAndColumnsCarryTheirDeclaredNames) {
    openTable(scheduleTable());
    openTable(todoTable());
    sqlite3* db = database_.table(scheduleTable()).file()->handle();
    sqlite3_stmt* stmt = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT \"Description\", \"Message\" FROM \"Schedule\"", -1, &stmt, nullptr),
              SQLITE_OK);
    sqlite3_finalize(stmt);
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT \"ToDo\", \"Notes\", \"Resolution\" FROM \"Todo\"", -1, &stmt, nullptr),
              SQLITE_OK);
    sqlite3_finalize(stmt);
}

}  // namespace
}  // namespace agendix::store
