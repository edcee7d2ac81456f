#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <functional>

#include "schedule_ui/ScheduleListFixture.h"

namespace agendix::schedule_ui {
namespace {

using testing::makeTime;
using testing::Schedule;

// A generated schedule with what makes paging hard: many tasks on the same date and time,
// tasks without date and time (which the date key leaves out), categories that differ only in
// letter case, blank categories and descriptions, disabled and completed tasks.
class PagingTest : public testing::ScheduleListFixture {
  protected:
    void SetUp() override {
        const std::int32_t today = clock_.today();
        const char* categories[] = {"work", "Work", "WORK", "", "home", "Home office", "zoo"};
        const char* descriptions[] = {"alpha", "Alpha", "", "beta", "gamma", "alpha"};
        auto use = access_.use(store::scheduleTable());
        store::Table<Schedule> table(use.table());
        ASSERT_TRUE(use.table().stream().ok());
        for (int i = 0; i < 240; ++i) {
            Schedule t = task(descriptions[i % 6], today + (i % 5) - 2, makeTime(8 + (i % 3), 0),
                              categories[(i / 2) % 7]);
            if (i % 11 == 0) {
                t.Date = 0;
                t.Time = 0;
            }
            t.Disabled = i % 7 == 3 ? 1 : 0;
            t.Completed = i % 13 == 5 ? 1 : 0;
            ASSERT_TRUE(table.add(t).ok());
        }
        ASSERT_TRUE(use.table().flush().ok());
    }

    // Every task along the key, read one by one from its start, that the view shows.
    std::vector<std::int32_t> fullRead(const char* key,
                                       const std::function<bool(const Schedule&)>& shows) {
        auto use = access_.use(store::scheduleTable());
        store::Table<Schedule> table(use.table());
        table.setKey(key);
        std::vector<std::int32_t> ids;
        Schedule t;
        while (table.next(t).ok()) {
            if (shows(t)) {
                ids.push_back(t.ID);
            }
        }
        return ids;
    }

    static std::int32_t currentId(BrowseSchedule& b) { return b.rows().currentRecord()->ID; }

    static std::vector<std::int32_t> forwardByRows(BrowseSchedule& b) {
        std::vector<std::int32_t> ids;
        b.rows().home();
        if (b.rows().currentRecord() == nullptr) {
            return ids;
        }
        ids.push_back(currentId(b));
        for (;;) {
            b.rows().down();
            if (currentId(b) == ids.back()) {
                return ids;
            }
            ids.push_back(currentId(b));
        }
    }
    static std::vector<std::int32_t> backwardByRows(BrowseSchedule& b) {
        std::vector<std::int32_t> ids;
        b.rows().end();
        if (b.rows().currentRecord() == nullptr) {
            return ids;
        }
        ids.push_back(currentId(b));
        for (;;) {
            b.rows().up();
            if (currentId(b) == ids.back()) {
                std::reverse(ids.begin(), ids.end());
                return ids;
            }
            ids.push_back(currentId(b));
        }
    }
    static std::vector<std::int32_t> pageIds(BrowseSchedule& b) {
        std::vector<std::int32_t> ids;
        for (const Schedule& t : b.rows().page()) {
            ids.push_back(t.ID);
        }
        return ids;
    }
    // The rows of each page after Page Down that the previous page did not hold.
    static std::vector<std::int32_t> forwardByPages(BrowseSchedule& b) {
        b.rows().home();
        std::vector<std::int32_t> ids = pageIds(b);
        while (!ids.empty()) {
            b.rows().pageDown();
            const std::vector<std::int32_t> page = pageIds(b);
            const auto seen = std::find(page.begin(), page.end(), ids.back());
            if (seen == page.end() - 1) {
                break;
            }
            ids.insert(ids.end(), seen == page.end() ? page.begin() : seen + 1, page.end());
        }
        return ids;
    }
    static std::vector<std::int32_t> backwardByPages(BrowseSchedule& b) {
        b.rows().end();
        std::vector<std::int32_t> ids = pageIds(b);
        while (!ids.empty()) {
            b.rows().pageUp();
            const std::vector<std::int32_t> page = pageIds(b);
            const auto seen = std::find(page.begin(), page.end(), ids.front());
            if (seen == page.begin()) {
                break;
            }
            ids.insert(ids.begin(), page.begin(), seen == page.end() ? page.end() : seen);
        }
        return ids;
    }
};

TEST_F(PagingTest, PagesGiveTheRowsOfAFullOrderedReadInBothDirections) {
    const std::int32_t today = clock_.today();
    auto active = [](const Schedule& t) { return t.Disabled == 0 && t.Completed == 0; };
    auto sameCategory = [](const Schedule& t, const char* c) {
        return QString::fromStdString(t.Category).compare(QString(c), Qt::CaseInsensitive) == 0;
    };
    struct Case {
        const char* name;
        BrowseSchedule::View view;
        bool activeOnly;
        const char* category;
        const char* key;
        std::function<bool(const Schedule&)> shows;
    };
    const Case cases[] = {
        {"all by date", BrowseSchedule::AllByDate, false, "", "KeyDate",
         [](const Schedule&) { return true; }},
        {"all by date, active only", BrowseSchedule::AllByDate, true, "", "KeyDate", active},
        {"day, active only", BrowseSchedule::DayView, true, "", "KeyDate",
         [&](const Schedule& t) { return t.Date == today && active(t); }},
        {"category in any letter case", BrowseSchedule::ByCategory, false, "wOrK", "KeyCategory",
         [&](const Schedule& t) { return sameCategory(t, "work"); }},
        {"category, active only", BrowseSchedule::ByCategory, true, "home", "KeyCategory",
         [&](const Schedule& t) { return sameCategory(t, "home") && active(t); }},
        {"the last category", BrowseSchedule::ByCategory, false, "zoo", "KeyCategory",
         [&](const Schedule& t) { return sameCategory(t, "zoo"); }},
        {"selected, one task in seventeen", BrowseSchedule::Selected, false, "", "KeyDate",
         [](const Schedule& t) { return t.ID % 17 == 0; }},
        {"a category without tasks", BrowseSchedule::ByCategory, false, "none", "KeyCategory",
         [&](const Schedule& t) { return sameCategory(t, "none"); }},
    };
    tagged_ = [](std::int32_t id) { return id % 17 == 0; };
    for (const int rows : {1, 4, 7}) {
        pageRows_ = rows;
        auto browser = open();
        for (const Case& c : cases) {
            browser->setView(c.view);
            browser->chooseCategory(c.category);
            browser->setActiveOnly(c.activeOnly);
            const std::vector<std::int32_t> expected = fullRead(c.key, c.shows);
            ASSERT_TRUE(std::string(c.category) == "none" || expected.size() > 8) << c.name;
            EXPECT_EQ(forwardByRows(*browser), expected) << c.name << ", rows " << rows;
            EXPECT_EQ(backwardByRows(*browser), expected) << c.name << ", rows " << rows;
            EXPECT_EQ(forwardByPages(*browser), expected) << c.name << ", rows " << rows;
            EXPECT_EQ(backwardByPages(*browser), expected) << c.name << ", rows " << rows;
            for (int step = 0; step <= 100; step += 5) {
                browser->rows().thumbTo(step);
                const std::vector<std::int32_t> page = pageIds(*browser);
                ASSERT_EQ(page.size(),
                          std::min<std::size_t>(expected.size(), static_cast<std::size_t>(rows)))
                    << c.name << ", step " << step;
                if (!page.empty()) {
                    const auto at =
                        std::search(expected.begin(), expected.end(), page.begin(), page.end());
                    EXPECT_NE(at, expected.end())
                        << c.name << ", step " << step << ": a run of the view";
                }
            }
        }
    }
}

TEST_F(PagingTest, TheThumbFollowsTheKeyFromFirstToLast) {
    pageRows_ = 3;
    auto browser = open();
    browser->setView(BrowseSchedule::AllByDate);
    browser->rows().thumbTo(0);
    EXPECT_EQ(browser->rows().thumbStep(), 0);
    browser->rows().end();
    EXPECT_EQ(browser->rows().thumbStep(), 100);
    // The dates span five days: the middle of the thumb lands on the middle day.
    browser->rows().thumbTo(50);
    EXPECT_EQ(browser->rows().currentRecord()->Date, clock_.today());
}

TEST_F(PagingTest, TheLocatorStepsThroughAndRepositionsOnTheTypedCharacter) {
    pageRows_ = 4;
    auto browser = open();
    browser->chooseCategory("work");
    browser->setView(BrowseSchedule::ByCategory);
    // The descriptions in the range, in key order: "", then "alpha"/"Alpha" ..., "beta", "gamma".
    browser->rows().locate(QChar('g'));
    EXPECT_EQ(browser->rows().currentRecord()->Description, "gamma");
    browser->rows().locate(QChar('B'));
    EXPECT_EQ(browser->rows().currentRecord()->Description, "beta");
    const std::int32_t firstBeta = browser->rows().currentRecord()->ID;
    browser->rows().locate(QChar('b'));
    const Schedule* next = browser->rows().currentRecord();
    EXPECT_NE(next->ID, firstBeta) << "a matching row moves the highlight one down";
}

}  // namespace
}  // namespace agendix::schedule_ui
