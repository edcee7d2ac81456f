#include <gtest/gtest.h>

#include <chrono>

#include "StoreFixture.h"
#include "store/Transaction.h"

namespace agendix::store {
namespace {

using RecordTest = StoreFixture;

Todo todoItem(std::string text, int priority = 1) {
    Todo item;
    item.ToDo = std::move(text);
    item.Priority = static_cast<std::uint8_t>(priority);
    return item;
}

TEST_F(RecordTest, AddWriteDeleteAndMemos) {
    Table<Todo> todo(openTable(todoTable()));
    Todo item = todoItem("Call the bank");
    item.Notes = std::string(5000, 'n');  // a memo keeps at most its size
    item.Resolution = "line one\r\nline two";
    ASSERT_TRUE(todo.add(item).ok());
    ASSERT_TRUE(item.position.stored());

    Todo read;
    ASSERT_TRUE(todo.reget(item.position, read).ok());
    EXPECT_EQ(read.ToDo, "Call the bank");
    EXPECT_EQ(read.Notes.size(), 4096u);
    EXPECT_EQ(read.Resolution, "line one\r\nline two");

    read.Done = 1;
    ASSERT_TRUE(todo.put(read).ok());
    Todo again;
    ASSERT_TRUE(todo.reget(item.position, again).ok());
    EXPECT_EQ(again.Done, 1);

    ASSERT_TRUE(todo.remove(again).ok());
    EXPECT_TRUE(todo.reget(item.position, again).is(ErrorKind::RecordNotFound));
    EXPECT_TRUE(todo.remove(again).is(ErrorKind::RecordNotFound));
    EXPECT_TRUE(todo.put(again).is(ErrorKind::RecordNotFound));
}

TEST_F(RecordTest, TextsAreCutToTheirFieldAndKeptWithoutTrailingBlanks) {
    struct Case {
        const char* name;
        std::string given;
        std::string stored;
    };
    const Case cases[] = {
        {"trailing blanks go", "Work   ", "Work"},
        {"leading blanks stay", "  Work", "  Work"},
        {"cut to twenty characters", "abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
        {"cut by characters, never inside one", std::string(19, 'x') + "\xC3\xA9\xC3\xA9", std::string(19, 'x') + "\xC3\xA9"},
        {"blank only is empty", "     ", ""},
    };
    Table<Categories> categories(openTable(categoriesTable()));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Categories record{c.given};
        ASSERT_TRUE(categories.add(record).ok());
        Categories read;
        ASSERT_TRUE(categories.reget(record.position, read).ok());
        EXPECT_EQ(read.Category, c.stored);
        ASSERT_TRUE(categories.remove(read).ok());
    }
    // A ctext keeps one character fewer than its width.
    Table<Schedule> schedule(openTable(scheduleTable()));
    Schedule task;
    task.ID = 1;
    task.AlarmFile = std::string(300, 'w');
    ASSERT_TRUE(schedule.add(task).ok());
    Schedule read;
    ASSERT_TRUE(schedule.reget(task.position, read).ok());
    EXPECT_EQ(read.AlarmFile.size(), 254u);
}

TEST_F(RecordTest, AWatchedRecordWrittenByAnotherStationIsNotOverwritten) {
    Table<Todo> here(openTable(todoTable()));
    Todo item = todoItem("Shared item");
    ASSERT_TRUE(here.add(item).ok());

    // Another station: its own connection to the same file.
    Database otherStation(dir_.path());
    Table<Todo> there(openTable(otherStation, todoTable()));

    here.watch();
    Todo mine;
    ASSERT_TRUE(here.reget(item.position, mine).ok());
    EXPECT_TRUE(mine.position.watched);

    Todo theirs;
    ASSERT_TRUE(there.reget(item.position, theirs).ok());
    theirs.ToDo = "Changed there";
    ASSERT_TRUE(there.put(theirs).ok());

    mine.ToDo = "Changed here";
    EXPECT_TRUE(here.put(mine).is(ErrorKind::ChangedByAnotherStation));
    Todo stored;
    ASSERT_TRUE(here.reget(item.position, stored).ok());
    EXPECT_EQ(stored.ToDo, "Changed there");

    // Read again under watch, the write goes through, and a second write of the same value too.
    here.watch();
    ASSERT_TRUE(here.reget(item.position, mine).ok());
    mine.ToDo = "Changed here";
    ASSERT_TRUE(here.put(mine).ok());
    mine.Priority = 4;
    EXPECT_TRUE(here.put(mine).ok());

    // An unwatched record is written whatever happened meanwhile.
    Todo plain;
    ASSERT_TRUE(there.reget(item.position, plain).ok());
    ASSERT_TRUE(here.reget(item.position, mine).ok());
    mine.Priority = 7;
    ASSERT_TRUE(here.put(mine).ok());
    plain.Priority = 8;
    EXPECT_TRUE(there.put(plain).ok());
}

TEST_F(RecordTest, TransactionsCommitOrLeaveEverythingAsItWas) {
    StoredTable& scheduleFile = openTable(scheduleTable());
    StoredTable& scriptingFile = openTable(scriptingTable());
    Table<Schedule> schedule(scheduleFile);
    Table<Scripting> scripting(scriptingFile);
    Schedule task;
    task.ID = 7;
    ASSERT_TRUE(schedule.add(task).ok());
    {
        Transaction transaction;
        ASSERT_TRUE(transaction.begin({&scheduleFile, &scriptingFile}).ok());
        Scripting item;
        item.ID = 7;
        item.Sequence = 1;
        ASSERT_TRUE(scripting.add(item).ok());
        ASSERT_TRUE(schedule.remove(task).ok());
        // ends without a commit
    }
    Schedule read;
    EXPECT_TRUE(schedule.reget(task.position, read).ok());
    std::int64_t items = -1;
    ASSERT_TRUE(scriptingFile.count(items).ok());
    EXPECT_EQ(items, 0);

    Transaction transaction;
    ASSERT_TRUE(transaction.begin({&scheduleFile, &scriptingFile}).ok());
    EXPECT_TRUE(Transaction().begin({&scheduleFile}).is(ErrorKind::TransactionActive));
    ASSERT_TRUE(schedule.remove(task).ok());
    ASSERT_TRUE(transaction.commit().ok());
    EXPECT_TRUE(schedule.reget(task.position, read).is(ErrorKind::RecordNotFound));
}

TEST_F(RecordTest, AnotherStationsTransactionTimesOutAfterTwoSeconds) {
    StoredTable& here = openTable(todoTable());
    Database otherStation(dir_.path());
    StoredTable& there = openTable(otherStation, todoTable());

    Transaction holding;
    ASSERT_TRUE(holding.begin({&here}).ok());
    const auto started = std::chrono::steady_clock::now();
    Transaction waiting;
    const StoreError error = waiting.begin({&there});
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_TRUE(error.is(ErrorKind::FileLocked)) << describe(error);
    EXPECT_GE(waited, std::chrono::milliseconds(1900));
    holding.rollback();
    EXPECT_TRUE(waiting.begin({&there}).ok());
}

TEST_F(RecordTest, BatchModeEmptyAndCount) {
    StoredTable& stored = openTable(todoTable());
    Table<Todo> todo(stored);
    ASSERT_TRUE(stored.stream().ok());
    for (int i = 0; i < 500; ++i) {
        Todo item = todoItem("bulk " + std::to_string(i), i % 10);
        ASSERT_TRUE(todo.add(item).ok());
    }
    ASSERT_TRUE(stored.flush().ok());
    std::int64_t count = 0;
    ASSERT_TRUE(stored.count(count).ok());
    EXPECT_EQ(count, 500);
    ASSERT_TRUE(stored.empty().ok());
    ASSERT_TRUE(stored.count(count).ok());
    EXPECT_EQ(count, 0);
}

TEST_F(RecordTest, OperationsOnAClosedTableReportNotOpen) {
    StoredTable& stored = database_.table(holidaysTable());
    Table<Holidays> holidays(stored);
    Holidays day{100, "Day", 0};
    EXPECT_TRUE(holidays.add(day).is(ErrorKind::NotOpen));
    holidays.setKey("KeyHolidayDate");
    EXPECT_TRUE(holidays.next(day).is(ErrorKind::NotOpen));
    std::int64_t count = 0;
    EXPECT_TRUE(stored.count(count).is(ErrorKind::NotOpen));
}

}  // namespace
}  // namespace agendix::store
