#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "StoreFixture.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "store/FileAccess.h"
#include "store/FormRequest.h"

namespace agendix::store {
namespace {

using platform::MessageButton;

class FileAccessTest : public StoreFixture {
protected:
    platform::ScriptedUserInterface ui_;
    StandardWarnings warnings_{ui_};
    FileAccess access_{database_, warnings_};

    std::vector<std::string> texts() const {
        std::vector<std::string> shown;
        for (const auto& box : ui_.shown()) {
            shown.push_back(box.caption + ": " + box.text);
        }
        return shown;
    }

    // A task with contact links and script items.
    Schedule addTask(int id, const std::string& category = {}, int items = 3, int links = 2) {
        Table<Schedule> schedule(access_.table(scheduleTable()));
        Table<Scripting> scripting(access_.table(scriptingTable()));
        Table<Link> link(access_.table(linkTable()));
        Schedule task;
        task.ID = id;
        task.Description = "Task " + std::to_string(id);
        task.Category = category;
        EXPECT_TRUE(schedule.add(task).ok());
        for (int i = 1; i <= items; ++i) {
            Scripting item;
            item.ID = id;
            item.Sequence = i;
            item.Action = "Wait";
            EXPECT_TRUE(scripting.add(item).ok());
        }
        for (int c = 1; c <= links; ++c) {
            Link l{id, c};
            EXPECT_TRUE(link.add(l).ok());
        }
        return task;
    }

    std::int64_t count(const TableDef& def) {
        std::int64_t n = -1;
        EXPECT_TRUE(access_.table(def).count(n).ok());
        return n;
    }
};

TEST(StandardWarningTexts, EachWarningHasItsTextCaptionButtonsAndDefault) {
    struct Case {
        const char* name;
        int number;
        std::string t1, t2;
        StoreError recorded;
        std::string text, caption;
        unsigned buttons;
        MessageButton defaultButton;
        std::string halt;
    };
    const StoreError notFound = StoreError::of(ErrorKind::RecordNotFound);
    const StoreError disk = StoreError::fileSystem(28, "disk full");
    const std::vector<Case> cases = {
        {"2 asks to rebuild the key", 2, "AG97\\!Categories", "", {}, "AG97\\!Categories key file is invalid.  Do you want to rebuild the key?",
         "Invalid Key", platform::Yes | platform::No, platform::Yes, ""},
        {"4 halts after a creation error", 4, "ag97\\!s", "", notFound,
         "Error: (Record Not Found (35)) creating ag97\\!s.  Press OK to end this application.", "File Creation Error",
         platform::Ok, platform::Ok, "File Creation Error!"},
        {"5 names the created file", 5, "ag97\\!s", "", notFound,
         "Error: (Record Not Found (35)) opening created file:ag97\\!s.  Press OK to end this application.",
         "File Creation Error", platform::Ok, platform::Ok, "File Creation Error!"},
        {"10 gives the range", 10, "Priority", "1 and 9", {}, "The value of Priority must be between 1 and 9.",
         "Range Error", platform::Ok, platform::Ok, ""},
        {"12 names the referencing table", 12, "Schedule", "", {},
         "This record is referenced from the file Schedule.  Linking field(s) have been restricted from change and have "
         "been reset to original values.",
         "Referential Integrity Update Error", platform::Ok, platform::Ok, ""},
        {"13 refuses the delete", 13, "Schedule", "", {},
         "This record is referenced from the file Schedule.  This record cannot be deleted while these references exist.",
         "Referential Integrity Delete Error", platform::Ok, platform::Ok, ""},
        {"15 with another error names the cause", 15, "Todo", "", notFound,
         "An error (Record Not Found (35)) was experienced when attempting to update a record from the file.  Probable "
         "Cause: Todo.",
         "Update Operation Error", platform::Ok, platform::Ok, ""},
        {"15 after a change by another station", 15, "Record Changed by Another Station", "",
         StoreError::of(ErrorKind::ChangedByAnotherStation), "This record was changed by another station.",
         "Update Operation Error", platform::Ok, platform::Ok, ""},
        {"16 asks to save again", 16, "", "", {},
         "An error was experienced changing this record.  Do you want to try to save again?", "Record Update Error",
         platform::Yes | platform::No | platform::Cancel, platform::Cancel, ""},
        {"17 prefers the file-system error", 17, "Scripting", "", disk,
         "An error (" + std::string(std::strerror(28)) + " (28)) was experienced when attempting to delete a record from the file Scripting.",
         "Delete Operation Error", platform::Ok, platform::Ok, ""},
        {"24 names the key field", 24, "CAT:Category", "", {},
         "Adding this record creates a duplicate entry for the key:CAT:Category", "Duplicate Key Error", platform::Ok,
         platform::Ok, ""},
        {"25 offers a retry", 25, "", "", notFound,
         "Attempts to automatically number this record have failed.  Error: Record Not Found (35).",
         "Auto Increment Error", platform::Retry | platform::Cancel, platform::Cancel, ""},
        {"29 going down", 29, "Down", "", {},
         "The end of the viewed file was encountered.  Do you want to start again from the beginning?",
         "End of File Error", platform::Yes | platform::No, platform::Yes, ""},
        {"29 going up", 29, "Up", "", {},
         "The beginning of the viewed file was encountered.  Do you want to start again from the end of the file?",
         "Beginning of File Error", platform::Yes | platform::No, platform::Yes, ""},
        {"30 cannot open", 30, "ag97\\!s", "", StoreError::of(ErrorKind::InvalidDataFile),
         "File (ag97\\!s) could not be opened.  Error: Invalid Data File (36).", "File Access Error", platform::Ok,
         platform::Ok, ""},
        {"31 put", 31, "Put", "Todo", notFound,
         "An error was experienced when making changes to the Todo file.  Error: Record Not Found (35)",
         "Process PUT Error", platform::Ok, platform::Ok, ""},
        {"32 confirms a delete", 32, "", "", {},
         "You've selected to delete the highlighted record.  Press OK to confirm deletion of this record.",
         "Confirm Delete", platform::Ok | platform::Cancel, platform::Cancel, ""},
        {"34 frames a transaction, trailing blanks of T1 removed", 34, "Delete   ", "Schedule",
         StoreError::of(ErrorKind::FileLocked),
         "Error: (File Is Locked (32)) attempting to frame the delete transaction on Schedule.  Delete transaction "
         "cancelled.",
         "Transaction Framing Error", platform::Ok, platform::Ok, ""},
        {"36 has carriage returns", 36, "Ag97.TPS", "", notFound,
         "Error: (Record Not Found (35)) attempting to open the current VIEW.\rFilter and Range Limits ignored.\r\rRelated "
         "File: Ag97.TPS",
         "View Open Error", platform::Ok, platform::Ok, ""},
        {"38 tells of the other station's version", 38, "", "", {},
         "This record was changed by another station. Those changes will now be displayed. Use the Ditto Button or "
         "Ctrl+' to recall your changes.",
         "Record Was Not Updated", platform::Ok, platform::Ok, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScriptedUserInterface ui;
        StandardWarnings warnings(ui);
        if (!c.recorded.ok()) {
            warnings.recordError(c.recorded);
        }
        warnings.show(c.number, c.t1, c.t2);
        ASSERT_EQ(ui.shown().size(), c.halt.empty() ? 1u : 2u);
        EXPECT_EQ(ui.shown()[0].text, c.text);
        EXPECT_EQ(ui.shown()[0].caption, c.caption);
        EXPECT_EQ(ui.shown()[0].buttons, c.buttons);
        EXPECT_EQ(ui.shown()[0].defaultButton, c.defaultButton);
        EXPECT_EQ(ui.haltMessage(), c.halt);
        EXPECT_FALSE(warnings.recordedError().has_value()) << "a warning clears the recorded error";
    }
}

TEST(StandardWarningTexts, TheKeyQuestionHaltsOnlyOnNo) {
    platform::ScriptedUserInterface ui;
    StandardWarnings warnings(ui);
    ui.answer(platform::Yes);
    EXPECT_EQ(warnings.show(2, "x"), platform::Yes);
    EXPECT_FALSE(ui.halted());
    ui.answer(platform::No);
    EXPECT_EQ(warnings.show(2, "x"), platform::No);
    EXPECT_EQ(ui.haltMessage(), "Invalid Key!");
}

TEST_F(FileAccessTest, UserCountersOpenForTheFirstAndCloseAfterTheLast) {
    EXPECT_TRUE(access_.openTable(scheduleTable()));
    EXPECT_TRUE(access_.openTable(scheduleTable()));
    EXPECT_EQ(access_.users(scheduleTable()), 2);
    access_.releaseTable(scheduleTable());
    EXPECT_TRUE(access_.table(scheduleTable()).isOpen());
    access_.releaseTable(scheduleTable());
    EXPECT_FALSE(access_.table(scheduleTable()).isOpen());
    access_.releaseTable(scheduleTable());  // one release too many changes nothing
    EXPECT_EQ(access_.users(scheduleTable()), 0);
    {
        auto use = access_.use(todoTable());
        EXPECT_TRUE(use.ok());
        EXPECT_TRUE(use.table().isOpen());
    }
    EXPECT_FALSE(access_.table(todoTable()).isOpen());
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(FileAccessTest, AMissingTableIsCreatedEmptyWithoutAMessage) {
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    addTask(1, {}, 0, 0);
    access_.releaseTable(scheduleTable());
    std::filesystem::remove(database_.mainFile());

    ASSERT_TRUE(access_.openTable(scheduleTable()));
    EXPECT_EQ(count(scheduleTable()), 0);
    EXPECT_TRUE(ui_.shown().empty());

    // The tag files may be missing: then they are not opened, and nothing is said.
    EXPECT_FALSE(access_.openTable(tagFileTable(), {false, true}));
    EXPECT_FALSE(std::filesystem::exists(dir_ / kTagFile));
    EXPECT_TRUE(ui_.shown().empty());
    EXPECT_FALSE(ui_.halted());
}

TEST_F(FileAccessTest, DamagedKeysAreRebuiltWithTheUsersConsent) {
    ASSERT_TRUE(access_.openTable(categoriesTable()));
    access_.releaseTable(categoriesTable());
    tamper(database_.mainFile(), "DROP INDEX \"Categories_KeyCategory\";");

    ui_.answer(platform::Yes);
    ASSERT_TRUE(access_.openTable(categoriesTable()));
    EXPECT_EQ(texts(), std::vector<std::string>{"Invalid Key: AG97\\!Categories key file is invalid.  Do you want to rebuild the key?"});
    access_.releaseTable(categoriesTable());

    tamper(database_.mainFile(), "DROP INDEX \"Categories_KeyCategory\";");
    ui_.answer(platform::No);
    EXPECT_FALSE(access_.openTable(categoriesTable()));
    EXPECT_EQ(ui_.haltMessage(), "Invalid Key!");
    EXPECT_FALSE(access_.openTable(scheduleTable())) << "nothing opens once the program halts";
}

TEST_F(FileAccessTest, AKeyThatCannotBeRebuiltHalts) {
    ASSERT_TRUE(access_.openTable(categoriesTable()));
    access_.releaseTable(categoriesTable());
    tamper(database_.mainFile(),
           "DROP INDEX \"Categories_KeyCategory\"; INSERT INTO \"Categories\" (\"Category\") VALUES ('Work'), ('work');");
    ui_.answer(platform::Yes);
    EXPECT_FALSE(access_.openTable(categoriesTable()));
    ASSERT_EQ(ui_.shown().size(), 3u);
    EXPECT_EQ(ui_.shown()[1].caption, "Key Rebuild Error");
    EXPECT_EQ(ui_.haltMessage(), "Error Rebuilding Key!");
}

TEST_F(FileAccessTest, OlderLayoutsAreUpgradedAndNewerOnesHalt) {
    ASSERT_TRUE(access_.openTable(holidaysTable()));
    Table<Holidays> holidays(access_.table(holidaysTable()));
    Holidays day{5000, "Festival", 1};
    ASSERT_TRUE(holidays.add(day).ok());
    access_.releaseTable(holidaysTable());

    tamper(database_.mainFile(), "UPDATE \"_StoreVersion\" SET \"Version\" = 1 WHERE \"TableName\" = 'Holidays';");
    ASSERT_TRUE(access_.openTable(holidaysTable()));
    EXPECT_EQ(count(holidaysTable()), 1);
    EXPECT_TRUE(ui_.shown().empty());
    access_.releaseTable(holidaysTable());

    tamper(database_.mainFile(), "UPDATE \"_StoreVersion\" SET \"Version\" = 7 WHERE \"TableName\" = 'Holidays';");
    EXPECT_FALSE(access_.openTable(holidaysTable()));
    EXPECT_EQ(ui_.haltMessage(),
              "The databases must be upgraded before using this version.  Consult your documentation for instructions "
              "on this.");
}

TEST_F(FileAccessTest, AnInvalidFileEndsTheProgramWithDiskErrorAndIsLeftAlone) {
    const std::string junk = "This is not a data file.\n" + std::string(5000, '\x7f');
    {
        std::ofstream out(database_.mainFile(), std::ios::binary);
        out << junk;
    }
    EXPECT_FALSE(access_.openTable(scheduleTable()));
    ASSERT_EQ(ui_.shown().size(), 2u);
    EXPECT_EQ(ui_.shown()[0].caption, "File Access Error");
    EXPECT_EQ(ui_.shown()[0].text.rfind("File (ag97\\!s) could not be opened.  Error: Invalid Data File", 0), 0u)
        << ui_.shown()[0].text;
    EXPECT_NE(ui_.shown()[0].text.find(database_.mainFile().string()), std::string::npos)
        << "the message names the file";
    EXPECT_EQ(ui_.haltMessage(), "Disk Error");
    EXPECT_EQ(fileContents(database_.mainFile()), junk);
}

TEST_F(FileAccessTest, DeletingATaskDeletesItsLinksAndScriptItemsInOneTransaction) {
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    ASSERT_TRUE(access_.openTable(scriptingTable()));
    ASSERT_TRUE(access_.openTable(linkTable()));
    Schedule doomed = addTask(1);
    addTask(2);  // its neighbour keeps everything

    EXPECT_EQ(access_.deleteRecord(scheduleTable(), doomed), 0);
    EXPECT_EQ(count(scheduleTable()), 1);
    EXPECT_EQ(count(scriptingTable()), 3);
    EXPECT_EQ(count(linkTable()), 2);
    EXPECT_TRUE(ui_.shown().empty());
    EXPECT_EQ(access_.users(scriptingTable()), 1) << "the children are released after the delete";
}

TEST_F(FileAccessTest, AFailedScriptItemDeleteLeavesTheTaskItsLinksAndItems) {
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    ASSERT_TRUE(access_.openTable(scriptingTable()));
    ASSERT_TRUE(access_.openTable(linkTable()));
    Schedule task = addTask(1, {}, 5, 2);
    access_.releaseTable(scriptingTable());
    // The third item cannot be deleted.
    tamper(database_.mainFile(),
           "CREATE TRIGGER refuse BEFORE DELETE ON \"Scripting\" WHEN old.\"Sequence\" = 3 "
           "BEGIN SELECT RAISE(ABORT, 'disk refused'); END;");

    EXPECT_EQ(access_.deleteRecord(scheduleTable(), task), 1);
    EXPECT_EQ(count(scheduleTable()), 1);
    EXPECT_EQ(count(linkTable()), 2);
    ASSERT_TRUE(access_.openTable(scriptingTable()));
    EXPECT_EQ(count(scriptingTable()), 5);
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].caption, "Delete Operation Error");
    EXPECT_NE(ui_.shown()[0].text.find("from the file Scripting."), std::string::npos) << ui_.shown()[0].text;
}

TEST_F(FileAccessTest, ACategoryInUseCanBeNeitherDeletedNorRenamed) {
    ASSERT_TRUE(access_.openTable(categoriesTable()));
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    Table<Categories> categories(access_.table(categoriesTable()));
    Categories work{"Work"}, spare{"Spare"};
    ASSERT_TRUE(categories.add(work).ok());
    ASSERT_TRUE(categories.add(spare).ok());
    addTask(1, "Work", 0, 0);

    EXPECT_EQ(access_.deleteRecord(categoriesTable(), work), 1);
    EXPECT_EQ(texts(), std::vector<std::string>{
                           "Referential Integrity Delete Error: This record is referenced from the file Schedule.  This "
                           "record cannot be deleted while these references exist."});
    EXPECT_EQ(count(categoriesTable()), 2);

    const Categories saved = work;
    work.Category = "Office";
    EXPECT_EQ(access_.updateRecord(categoriesTable(), work, false, saved), 1);
    EXPECT_EQ(work.Category, "Work") << "the old name is back in the record";
    EXPECT_EQ(ui_.shown().back().caption, "Referential Integrity Update Error");
    EXPECT_NE(ui_.shown().back().text.find("from the file Schedule."), std::string::npos);
    Categories stored;
    ASSERT_TRUE(categories.reget(work.position, stored).ok());
    EXPECT_EQ(stored.Category, "Work");

    const Categories savedSpare = spare;
    spare.Category = "Leisure";
    EXPECT_EQ(access_.updateRecord(categoriesTable(), spare, false, savedSpare), 0);
    ASSERT_TRUE(categories.reget(spare.position, stored).ok());
    EXPECT_EQ(stored.Category, "Leisure");
    EXPECT_EQ(access_.deleteRecord(categoriesTable(), spare), 0);
}

TEST_F(FileAccessTest, ChangingATaskNumberCarriesItsItemsAndLinksAlong) {
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    ASSERT_TRUE(access_.openTable(scriptingTable()));
    ASSERT_TRUE(access_.openTable(linkTable()));
    Schedule task = addTask(4);
    const Schedule saved = task;
    task.ID = 40;
    ASSERT_EQ(access_.updateRecord(scheduleTable(), task, false, saved), 0);
    Table<Scripting> scripting(access_.table(scriptingTable()));
    scripting.setKey("KeyID");
    Scripting item;
    int moved = 0;
    while (scripting.next(item).ok()) {
        EXPECT_EQ(item.ID, 40);
        ++moved;
    }
    EXPECT_EQ(moved, 3);
    Table<Link> links(access_.table(linkTable()));
    Link l{40, 1};
    EXPECT_TRUE(links.get("KeySchedule", l).ok());
}

// Runs `work` in a child process with a store of its own on the same data file.
template <class Work>
void inAnotherStation(const std::filesystem::path& directory, Work work) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Database database(directory);
        platform::ScriptedUserInterface ui;
        StandardWarnings warnings(ui);
        FileAccess access(database, warnings);
        _exit(work(access) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(FileAccessTest, TheSecondWriterOfAWatchedItemGetsTheFirstStationsVersion) {
    ASSERT_TRUE(access_.openTable(todoTable()));
    Table<Todo> todo(access_.table(todoTable()));
    Todo item;
    item.ToDo = "Order paper";
    item.Notes = "original notes";
    ASSERT_TRUE(todo.add(item).ok());

    // The list hands the item to the form watched.
    todo.watch();
    Todo mine;
    ASSERT_TRUE(todo.reget(item.position, mine).ok());
    const Todo saved = mine;

    inAnotherStation(dir_.path(), [&](FileAccess& other) {
        if (!other.openTable(todoTable())) {
            return false;
        }
        Table<Todo> theirs(other.table(todoTable()));
        Todo record;
        if (!theirs.reget(item.position, record).ok()) {
            return false;
        }
        record.ToDo = "Order paper and ink";
        record.Notes = "their notes";
        return theirs.put(record).ok();
    });

    mine.ToDo = "Order envelopes";
    EXPECT_EQ(access_.updateRecord(todoTable(), mine, true, saved), 2);
    EXPECT_EQ(texts(), std::vector<std::string>{
                           "Record Was Not Updated: This record was changed by another station. Those changes will now "
                           "be displayed. Use the Ditto Button or Ctrl+' to recall your changes."});
    EXPECT_EQ(mine.ToDo, "Order paper and ink");
    EXPECT_EQ(mine.Notes, "their notes");
    Todo stored;
    ASSERT_TRUE(todo.reget(item.position, stored).ok());
    EXPECT_EQ(stored.ToDo, "Order paper and ink");

    // Saving again from the version now shown goes through.
    mine.ToDo = "Order envelopes";
    EXPECT_EQ(access_.updateRecord(todoTable(), mine, true, saved), 0);
    ASSERT_TRUE(todo.reget(item.position, stored).ok());
    EXPECT_EQ(stored.ToDo, "Order envelopes");
    EXPECT_EQ(stored.Notes, "their notes");
}

TEST_F(FileAccessTest, AProcessKilledInACascadingDeleteLeavesAllOrNothing) {
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    ASSERT_TRUE(access_.openTable(scriptingTable()));
    ASSERT_TRUE(access_.openTable(linkTable()));
    Schedule task = addTask(1, {}, 0, 0);
    {
        Table<Scripting> scripting(access_.table(scriptingTable()));
        ASSERT_TRUE(access_.table(scriptingTable()).stream().ok());
        for (int i = 1; i <= 60000; ++i) {
            Scripting item;
            item.ID = 1;
            item.Sequence = i;
            item.Keystrokes = "some keystrokes to make the records bigger";
            ASSERT_TRUE(scripting.add(item).ok());
        }
        ASSERT_TRUE(access_.table(scriptingTable()).flush().ok());
    }
    access_.releaseTable(scheduleTable());
    access_.releaseTable(scriptingTable());
    access_.releaseTable(linkTable());

    const auto journal = std::filesystem::path(database_.mainFile().string() + "-journal");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Database database(dir_.path());
        platform::ScriptedUserInterface ui;
        StandardWarnings warnings(ui);
        FileAccess access(database, warnings);
        access.openTable(scheduleTable());
        access.deleteRecord(scheduleTable(), task);
        _exit(0);
    }
    // Kill it once the delete is writing.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!std::filesystem::exists(journal) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);

    Database after(dir_.path());
    platform::ScriptedUserInterface ui;
    StandardWarnings warnings(ui);
    FileAccess access(after, warnings);
    ASSERT_TRUE(access.openTable(scheduleTable()));
    ASSERT_TRUE(access.openTable(scriptingTable()));
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(access.table(scheduleTable()).file()->handle(), "PRAGMA integrity_check", -1,
                                 &check, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    std::int64_t tasks = 0, items = 0;
    ASSERT_TRUE(access.table(scheduleTable()).count(tasks).ok());
    ASSERT_TRUE(access.table(scriptingTable()).count(items).ok());
    EXPECT_TRUE((tasks == 1 && items == 60000) || (tasks == 0 && items == 0)) << tasks << " tasks, " << items << " items";
}

TEST_F(FileAccessTest, FormsReserveNumberedRecordsAndGiveThemBack) {
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    FormRecord<Schedule> form(access_, scheduleTable());
    Schedule first;
    ASSERT_TRUE(form.reserve(first, numberTask));
    EXPECT_EQ(first.ID, 1);
    Schedule second, third;
    ASSERT_TRUE(form.reserve(second, numberTask));
    ASSERT_TRUE(form.reserve(third, numberTask));
    EXPECT_EQ(third.ID, 3);
    form.cancelReserved(third);
    Schedule again;
    ASSERT_TRUE(form.reserve(again, numberTask));
    EXPECT_EQ(again.ID, 3) << "the highest number is taken again after it was removed";

    ASSERT_TRUE(access_.openTable(scriptingTable()));
    FormRecord<Scripting> items(access_, scriptingTable());
    for (int expected : {1, 2, 3}) {
        Scripting item;
        item.ID = 2;
        ASSERT_TRUE(items.reserve(item, numberScriptItem));
        EXPECT_EQ(item.Sequence, expected);
    }
    Scripting other;
    other.ID = 1;
    ASSERT_TRUE(items.reserve(other, numberScriptItem));
    EXPECT_EQ(other.Sequence, 1);
}

TEST_F(FileAccessTest, AutoNumberingThatKeepsFailingAsksToRetry) {
    ASSERT_TRUE(access_.openTable(contactTable()));
    access_.releaseTable(contactTable());
    tamper(database_.mainFile(),
           "CREATE TRIGGER refuse BEFORE INSERT ON \"Contact\" BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    ASSERT_TRUE(access_.openTable(contactTable()));
    FormRecord<Contact> form(access_, contactTable());
    ui_.answer(platform::Retry);
    ui_.answer(platform::Cancel);
    Contact contact;
    EXPECT_FALSE(form.reserve(contact, numberContact));
    ASSERT_EQ(ui_.shown().size(), 2u);
    EXPECT_EQ(ui_.shown()[0].caption, "Auto Increment Error");
    EXPECT_EQ(ui_.shown()[0].text.rfind("Attempts to automatically number this record have failed.  Error: ", 0), 0u);
}

TEST_F(FileAccessTest, FormSavesReportDuplicatesAndConfirmDeletes) {
    ASSERT_TRUE(access_.openTable(categoriesTable()));
    ASSERT_TRUE(access_.openTable(scheduleTable()));
    FormRecord<Categories> form(access_, categoriesTable());
    Categories work{"Work"};
    EXPECT_EQ(form.saveInsert(work), SaveOutcome::Saved);
    Categories lower{"work"};
    EXPECT_EQ(form.saveInsert(lower), SaveOutcome::KeepOpen);
    EXPECT_EQ(texts(), std::vector<std::string>{
                           "Duplicate Key Error: Adding this record creates a duplicate entry for the key:CAT:Category"});

    ui_.answer(platform::Cancel);
    EXPECT_EQ(form.requestDelete(work), Response::Cancelled);
    EXPECT_EQ(count(categoriesTable()), 1);
    ui_.answer(platform::Ok);
    EXPECT_EQ(form.requestDelete(work), Response::Completed);
    EXPECT_EQ(count(categoriesTable()), 0);
}

}  // namespace
}  // namespace agendix::store

namespace agendix::store {
namespace {

TEST_F(FileAccessTest, FailedSavesAndDeletesLetTheUserTryAgainOrGiveUp) {
    ASSERT_TRUE(access_.openTable(todoTable()));
    FormRecord<Todo> form(access_, todoTable());
    Todo item;
    item.ToDo = "Renew passport";
    ASSERT_EQ(form.saveInsert(item), SaveOutcome::Saved);
    access_.releaseTable(todoTable());
    tamper(database_.mainFile(),
           "CREATE TRIGGER refuseWrite BEFORE UPDATE ON \"Todo\" BEGIN SELECT RAISE(ABORT, 'refused'); END;"
           "CREATE TRIGGER refuseDelete BEFORE DELETE ON \"Todo\" BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    ASSERT_TRUE(access_.openTable(todoTable()));

    struct Case {
        const char* name;
        MessageButton answer;
        SaveOutcome outcome;
    };
    const Case cases[] = {
        {"No closes the form", platform::No, SaveOutcome::Close},
        {"Cancel keeps it open", platform::Cancel, SaveOutcome::KeepOpen},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t before = ui_.shown().size();
        const Todo saved = item;
        Todo changed = item;
        changed.Priority = 3;
        ui_.answer(platform::Ok);        // the update error
        ui_.answer(platform::Yes);       // try again
        ui_.answer(platform::Ok);        // the update error once more
        ui_.answer(c.answer);
        EXPECT_EQ(form.saveChange(changed, false, saved), c.outcome);
        ASSERT_EQ(ui_.shown().size(), before + 4);
        EXPECT_EQ(ui_.shown()[before].caption, "Update Operation Error");
        EXPECT_EQ(ui_.shown()[before + 1].caption, "Record Update Error");
        EXPECT_EQ(ui_.shown()[before + 1].text,
                  "An error was experienced changing this record.  Do you want to try to save again?");
    }

    const std::size_t before = ui_.shown().size();
    ui_.answer(platform::Ok);   // confirm the delete
    ui_.answer(platform::Ok);   // the delete error
    ui_.answer(platform::No);   // do not try again
    EXPECT_EQ(form.requestDelete(item), Response::Cancelled);
    ASSERT_EQ(ui_.shown().size(), before + 3);
    EXPECT_EQ(ui_.shown()[before].caption, "Confirm Delete");
    EXPECT_EQ(ui_.shown()[before + 1].caption, "Delete Operation Error");
    EXPECT_EQ(ui_.shown()[before + 2].text,
              "An error was experienced deleting this record.  Do you want to try to save again?");
    EXPECT_EQ(count(todoTable()), 1);
}

}  // namespace
}  // namespace agendix::store
