#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "schedule_ui/ScheduleListFixture.h"
#include "schedule_ui/ScheduleLists.h"

namespace agendix::schedule_ui {
namespace {

using testing::makeTime;
using testing::Schedule;

class ScheduleListsTest : public testing::ScheduleListFixture {
  protected:
    void addTasks() {
        add(task("write", clock_.today(), makeTime(9, 0), "Work"));
        add(task("call", clock_.today() + 1, makeTime(8, 0), "WORK"));
        add(task("garden", clock_.today(), makeTime(7, 0), "Home"));
        add(task("backup", clock_.today() - 1, makeTime(6, 0), "work"));
    }
    static std::vector<std::string> descriptions(const std::vector<Schedule>& page) {
        std::vector<std::string> out;
        for (const Schedule& t : page) {
            out.push_back(t.Description);
        }
        return out;
    }
};

TEST_F(ScheduleListsTest, CategoryListShowsItsCategoryInAnyCaseByDescription) {
    addTasks();
    BrowseScheduleByCategory browser(ports(), "work");
    browser.list().setFixedPageSize(5);
    browser.list().reload();
    EXPECT_EQ(browser.windowTitle().toStdString(), "Browse Schedule for work");
    EXPECT_EQ(descriptions(browser.rows().page()),
              (std::vector<std::string>{"backup", "call", "write"}));

    auto menu = browser.list().buildPopup();
    std::vector<std::string> items;
    for (QAction* action : menu->actions()) {
        items.push_back(action->text().toStdString());
    }
    EXPECT_EQ(items, (std::vector<std::string>{"&Add", "&Edit", "&Delete"}));

    QTest::keyClick(browser.list().view(), Qt::Key_Down);
    ui_.answer(platform::Ok);
    QTest::keyClick(browser.list().view(), Qt::Key_Delete);
    EXPECT_EQ(descriptions(browser.rows().page()), (std::vector<std::string>{"backup", "write"}));
    EXPECT_EQ(browser.rows().currentRecord()->Description, "write");
}

TEST_F(ScheduleListsTest, CategoryListStartsAtTasksWithoutADescription) {
    struct Case {
        const char* name;
        const char* category;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {"a named category", "Work", {"", "", "write"}},
        // A task with neither category nor description has no entry in the category order.
        {"the blank category", "", {"garden"}},
    };
    add(task("", clock_.today(), makeTime(9, 0), "Work"));
    add(task("", clock_.today() + 1, makeTime(9, 0), "work"));
    add(task("write", clock_.today(), makeTime(9, 0), "Work"));
    add(task("", clock_.today(), makeTime(9, 0), ""));
    add(task("garden", clock_.today(), makeTime(7, 0), ""));
    for (const Case& c : cases) {
        BrowseScheduleByCategory browser(ports(), c.category);
        browser.list().setFixedPageSize(5);
        browser.list().reload();
        EXPECT_EQ(descriptions(browser.rows().page()), c.shown) << c.name;
    }
}

TEST_F(ScheduleListsTest, SelectTaskCompletesWithTheHighlightedTaskOrCancels) {
    {
        SelectSchedule empty(access_, settings_);
        EXPECT_FALSE(empty.selectButton()->isEnabled());
        EXPECT_FALSE(empty.list().buildPopup()->actions().front()->isEnabled());
    }
    addTasks();
    SelectSchedule select(access_, settings_);
    select.list().setFixedPageSize(5);
    select.list().reload();
    EXPECT_EQ(select.windowTitle().toStdString(), "Select Task");
    // Category, then date and time.
    EXPECT_EQ(descriptions(select.rows().page()),
              (std::vector<std::string>{"garden", "backup", "write", "call"}));
    QTest::keyClick(select.list().view(), Qt::Key_Down);
    QTest::keyClick(select.list().view(), Qt::Key_Return, Qt::ControlModifier);
    ASSERT_TRUE(select.chosen().has_value());
    EXPECT_EQ(select.chosen()->Description, "backup");
    EXPECT_EQ(select.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace agendix::schedule_ui
