#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "StoreFixture.h"
#include "store/StandardDate.h"

namespace agendix::store {
namespace {

using KeyTest = StoreFixture;

TEST_F(KeyTest, UniqueDuplicateAndEmptyKeySemantics) {
    Table<Categories> categories(openTable(categoriesTable()));
    Table<WindowLookup> titles(openTable(windowLookupTable()));
    Table<Clipboard> clips(openTable(clipboardTable()));

    {
        SCOPED_TRACE("a case-insensitive unique key rejects \"work\" beside \"Work\"");
        Categories work{"Work"};
        ASSERT_TRUE(categories.add(work).ok());
        Categories lower{"work"};
        EXPECT_TRUE(categories.add(lower).is(ErrorKind::DuplicateKey));
        Categories found{"WORK"};
        ASSERT_TRUE(categories.get("KeyCategory", found).ok());
        EXPECT_EQ(found.Category, "Work");
    }
    {
        SCOPED_TRACE("an exact unique key accepts titles that differ only in case");
        WindowLookup a{"Untitled - Notes", 1, 1};
        WindowLookup b{"untitled - notes", 1, 1};
        EXPECT_TRUE(titles.add(a).ok());
        EXPECT_TRUE(titles.add(b).ok());
        WindowLookup c{"Untitled - Notes", 2, 2};
        EXPECT_TRUE(titles.add(c).is(ErrorKind::DuplicateKey));
    }
    {
        SCOPED_TRACE("records whose key components are all empty never count as duplicates");
        Categories empty1{""}, empty2{""};
        EXPECT_TRUE(categories.add(empty1).ok());
        EXPECT_TRUE(categories.add(empty2).ok());
        Clipboard blank1, blank2;  // blank owner and blank hash: left out of KeyClipHash
        blank1.ClipContents = "12345";
        blank2.ClipContents = "67890";
        EXPECT_TRUE(clips.add(blank1).ok());
        EXPECT_TRUE(clips.add(blank2).ok());
    }
    {
        SCOPED_TRACE("records with all-empty components are skipped when reading along the key");
        categories.setKey("KeyCategory");
        std::vector<std::string> seen;
        Categories record;
        while (categories.next(record).ok()) {
            seen.push_back(record.Category);
        }
        EXPECT_EQ(seen, std::vector<std::string>{"Work"});
        Categories empty{""};
        EXPECT_TRUE(categories.get("KeyCategory", empty).is(ErrorKind::RecordNotFound));
        std::int64_t count = 0;
        ASSERT_TRUE(categories.stored().count(count).ok());
        EXPECT_EQ(count, 3);  // they are in the table all the same
    }
    {
        SCOPED_TRACE("trailing blanks do not make a different key");
        Categories padded{"Work   "};
        EXPECT_TRUE(categories.add(padded).is(ErrorKind::DuplicateKey));
    }
}

TEST_F(KeyTest, FirstRecordOfDateEnabledIsTheEarliestEnabledTask) {
    Table<Schedule> schedule(openTable(scheduleTable()));
    struct Task {
        int id;
        std::uint8_t disabled;
        std::int32_t date, time;
    };
    const Task tasks[] = {
        {1, 0, makeDate(5, 1, 2026), makeTime(9, 0)},   {2, 1, makeDate(1, 1, 2020), makeTime(8, 0)},
        {3, 0, makeDate(4, 30, 2026), makeTime(23, 0)}, {4, 0, makeDate(4, 30, 2026), makeTime(7, 0)},
        {5, 0, 0, 0},  // no date, no time, enabled: not in the key at all
    };
    for (const auto& t : tasks) {
        Schedule task;
        task.ID = t.id;
        task.Disabled = t.disabled;
        task.Date = t.date;
        task.Time = t.time;
        ASSERT_TRUE(schedule.add(task).ok());
    }
    schedule.setKey("KeyDateEnabled");
    Schedule first;
    ASSERT_TRUE(schedule.next(first).ok());
    EXPECT_EQ(first.ID, 4);
    std::vector<int> order{first.ID};
    Schedule record;
    while (schedule.next(record).ok()) {
        order.push_back(record.ID);
    }
    EXPECT_EQ(order, (std::vector<int>{4, 3, 1, 2}));
}

// Reading along a key in pieces, forward and backward, must give exactly the order of one full
// ordered read, whatever the duplicates, empty keys and letter cases.
TEST_F(KeyTest, PagingForwardAndBackMatchesAFullOrderedRead) {
    Table<Schedule> schedule(openTable(scheduleTable()));
    std::mt19937 random(1959);
    const char* categories[] = {"", "Work", "work", "WORK", "Home", "home ", "Zeta", "alpha"};
    const char* descriptions[] = {"", "a", "A", "b", "Backup", "backup", "c"};
    ASSERT_TRUE(schedule.stored().stream().ok());
    for (int id = 1; id <= 600; ++id) {
        Schedule task;
        task.ID = id;
        task.Category = categories[random() % 8];
        task.Description = descriptions[random() % 7];
        task.Date = static_cast<std::int32_t>(random() % 4);
        task.Time = static_cast<std::int32_t>(random() % 3);
        task.Disabled = static_cast<std::uint8_t>(random() % 2);
        ASSERT_TRUE(schedule.add(task).ok());
    }
    ASSERT_TRUE(schedule.stored().flush().ok());

    for (const char* key : {"KeyCategory", "KeyCategoryDate", "KeyDateEnabled", "KeyTaskName", "KeyID"}) {
        SCOPED_TRACE(key);
        std::vector<int> oneByOne;
        schedule.setKey(key);
        Schedule record;
        while (schedule.next(record).ok()) {
            oneByOne.push_back(record.ID);
        }
        ASSERT_FALSE(oneByOne.empty());

        std::vector<int> paged;
        schedule.setKey(key);
        for (;;) {
            std::vector<Schedule> page;
            ASSERT_TRUE(schedule.nextPage(7, page).ok());
            if (page.empty()) {
                break;
            }
            for (const auto& task : page) {
                paged.push_back(task.ID);
            }
        }
        EXPECT_EQ(paged, oneByOne);

        std::vector<int> backward;
        schedule.setKey(key);
        while (schedule.previous(record).ok()) {
            backward.push_back(record.ID);
        }
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(backward, oneByOne);

        // Turning round in the middle gives the record before the one last read.
        schedule.setKey(key);
        Schedule a, b, c;
        ASSERT_TRUE(schedule.next(a).ok());
        ASSERT_TRUE(schedule.next(b).ok());
        ASSERT_TRUE(schedule.previous(c).ok());
        EXPECT_EQ(c.ID, a.ID);
    }

    // The expected order by an independent sort for one case-insensitive key.
    std::vector<Schedule> all;
    schedule.setKey("KeyID");
    Schedule record;
    while (schedule.next(record).ok()) {
        all.push_back(record);
    }
    auto folded = [](std::string text) {
        std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
        return text;
    };
    std::erase_if(all, [](const Schedule& t) { return t.Category.empty() && t.Description.empty(); });
    std::stable_sort(all.begin(), all.end(), [&](const Schedule& x, const Schedule& y) {
        return std::tuple(folded(x.Category), folded(x.Description)) <
               std::tuple(folded(y.Category), folded(y.Description));
    });
    std::vector<int> expected;
    for (const auto& t : all) {
        expected.push_back(t.ID);
    }
    std::vector<int> actual;
    schedule.setKey("KeyCategory");
    while (schedule.next(record).ok()) {
        actual.push_back(record.ID);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(KeyTest, KeyPositionsAndSavedPositions) {
    Table<Todo> todo(openTable(todoTable()));
    for (int priority : {5, 1, 3, 3, 9}) {
        Todo item;
        item.Priority = static_cast<std::uint8_t>(priority);
        item.ToDo = "item " + std::to_string(priority);
        ASSERT_TRUE(todo.add(item).ok());
    }
    Todo values;
    values.Priority = 3;
    todo.setPosition("KeyPriority", values);
    Todo record;
    ASSERT_TRUE(todo.next(record).ok());
    EXPECT_EQ(record.Priority, 3);
    const auto saved = todo.savePosition();
    ASSERT_TRUE(todo.next(record).ok());
    EXPECT_EQ(record.Priority, 3);
    ASSERT_TRUE(todo.next(record).ok());
    EXPECT_EQ(record.Priority, 5);
    todo.restorePosition(saved);
    ASSERT_TRUE(todo.next(record).ok());
    EXPECT_EQ(record.Priority, 3);

    values.Priority = 4;
    todo.setPosition("KeyPriority", values);
    ASSERT_TRUE(todo.previous(record).ok());
    EXPECT_EQ(record.Priority, 3);  // backward from a key position: the last record at or before it

    values.Priority = 10;
    todo.setPosition("KeyPriority", values);
    EXPECT_TRUE(todo.next(record).is(ErrorKind::NoMoreRecords));
}

}  // namespace
}  // namespace agendix::store
