#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "schedule_ui/Calendar.h"
#include "schedule_ui/ScheduleListFixture.h"
#include "shell/MainFrame.h"
#include "shell/StoreMainTables.h"
#include "store/FormRequest.h"

namespace agendix::schedule_ui {
namespace {

using testing::makeDate;
using testing::makeTime;

// ---- The state icon and the colour of date and time ----

struct StateCase {
    const char* name;
    std::uint8_t completed, skipNextTime, disabled;
    const char* icon;
    std::optional<QColor> colour;
};

TEST(TaskStateTest, IconAndColourFollowTheFirstRuleThatApplies) {
    const QColor grey(128, 128, 128);
    const QColor blue(0, 0, 255);
    const StateCase cases[] = {
        {"plain", 0, 0, 0, "~notdone.ico", std::nullopt},
        {"completed", 1, 0, 0, "~done.ico", std::nullopt},
        {"completed and disabled", 1, 0, 1, "~done.ico", grey},
        {"completed and skipped", 1, 1, 0, "~done.ico", blue},
        {"skip next time", 0, 1, 0, "~skip.ico", blue},
        {"disabled and skipped", 0, 1, 1, "~skip.ico", grey},
        {"disabled", 0, 0, 1, "~disabled.ico", grey},
        {"disabled by another value", 0, 0, 2, "~disabled.ico", grey},
    };
    for (const StateCase& c : cases) {
        store::Schedule t;
        t.Completed = c.completed;
        t.SkipNextTime = c.skipNextTime;
        t.Disabled = c.disabled;
        EXPECT_EQ(taskStateIconName(taskState(t)).toStdString(), c.icon) << c.name;
        EXPECT_EQ(taskDateColour(t), c.colour) << c.name;
    }
}

class BrowseScheduleTest : public testing::ScheduleListFixture {};

// ---- Opening: the start-up rules ----

TEST_F(BrowseScheduleTest, OpeningFollowsTheSettings) {
    struct Case {
        const char* name;
        bool fullSchedule, activeOnly, multiUser;
        std::string userName;
        BrowseSchedule::View view;
        const char* caption;
    };
    const Case cases[] = {
        {"defaults", false, false, false, "", BrowseSchedule::DayView, "View Schedule"},
        {"full schedule", true, false, false, "", BrowseSchedule::AllByDate, "View Schedule"},
        {"active only", false, true, false, "", BrowseSchedule::DayView, "View Schedule"},
        {"multi-user with a name", false, false, true, "ann", BrowseSchedule::DayView,
         "View Schedule - ann"},
        {"multi-user without a name", false, false, true, "", BrowseSchedule::DayView,
         "View Schedule"},
        {"a name without multi-user", false, false, false, "ann", BrowseSchedule::DayView,
         "View Schedule"},
    };
    for (const Case& c : cases) {
        settings_.values().fullSchedule = c.fullSchedule;
        settings_.values().activeOnly = c.activeOnly;
        settings_.values().multiUser = c.multiUser;
        settings_.values().userName = c.userName;
        auto browser = open();
        EXPECT_EQ(browser->view(), c.view) << c.name;
        EXPECT_EQ(browser->activeOnly(), c.activeOnly) << c.name;
        EXPECT_EQ(browser->windowTitle().toStdString(), c.caption) << c.name;
        EXPECT_EQ(browser->list().tabs()->tabText(BrowseSchedule::DayView).toStdString(),
                  "03/02/2026")
            << c.name;
    }
}

// ---- Active only ----

TEST_F(BrowseScheduleTest, ActiveOnlyLeavesOutCompletedAndDisabledTasksInEveryView) {
    const std::int32_t today = clock_.today();
    add(task("open", today, makeTime(9, 0)));
    auto done = task("done", today, makeTime(10, 0));
    done.Completed = 1;
    add(done);
    auto off = task("off", today, makeTime(11, 0));
    off.Disabled = 1;
    add(off);
    auto skipped = task("skipped", today, makeTime(12, 0));
    skipped.SkipNextTime = 1;
    add(skipped);

    auto browser = open();
    browser->chooseCategory("work");
    for (auto view : {BrowseSchedule::DayView, BrowseSchedule::AllByDate,
                      BrowseSchedule::ByCategory, BrowseSchedule::Selected}) {
        browser->setView(view);
        browser->setActiveOnly(true);
        EXPECT_EQ(shown(*browser), (std::vector<std::string>{"open", "skipped"})) << view;
        browser->setActiveOnly(false);
        const std::vector<std::string> all =
            view == BrowseSchedule::ByCategory
                ? std::vector<std::string>{"done", "off", "open", "skipped"}
                : std::vector<std::string>{"open", "done", "off", "skipped"};
        EXPECT_EQ(shown(*browser), all) << view;
    }
}

TEST_F(BrowseScheduleTest, SelectedViewIsEmptyUntilASearchHasTagged) {
    add(task("one", clock_.today(), makeTime(9, 0)));
    add(task("two", clock_.today(), makeTime(10, 0)));
    std::set<std::int32_t> tags;
    tagged_ = [&tags](std::int32_t id) { return tags.count(id) != 0; };
    auto p = ports();
    p.search = [&](QWidget*) {
        tags.insert(2);
        return true;
    };
    BrowseSchedule searched(p);
    searched.list().setFixedPageSize(5);
    searched.setView(BrowseSchedule::Selected);
    EXPECT_TRUE(shown(searched).empty());
    QPushButton* search = nullptr;
    for (QPushButton* button : searched.findChildren<QPushButton*>()) {
        if (button->text() == "&Search...") {
            search = button;
        }
    }
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->toolTip().toStdString(), "Search the Schedule");
    search->click();
    EXPECT_EQ(shown(searched), std::vector<std::string>{"two"});
}

// ---- The day view at midnight ----

TEST_F(BrowseScheduleTest, MidnightMovesTheDayViewOfTodayButNotAPickedDay) {
    const std::int32_t today = clock_.today();
    add(task("today", today, makeTime(9, 0)));
    add(task("tomorrow", today + 1, makeTime(9, 0)));
    add(task("picked", today - 5, makeTime(9, 0)));

    std::int32_t dayText = 0;
    auto followed = ports();
    followed.selectedDayChanged = [&dayText](std::int32_t day) { dayText = day; };
    BrowseSchedule following(followed);
    following.list().setFixedPageSize(5);
    following.list().reload();
    auto picked = open();
    picked->pickDay(today - 5);

    EXPECT_EQ(shown(following), std::vector<std::string>{"today"});
    clock_.set(today, makeTime(23, 59));
    following.checkDate();
    EXPECT_EQ(shown(following), std::vector<std::string>{"today"});

    clock_.set(today + 1, makeTime(0, 0, 10));
    following.checkDate();
    picked->checkDate();
    EXPECT_EQ(following.selectedDay(), today + 1);
    EXPECT_EQ(dayText, today + 1);
    EXPECT_EQ(shown(following), std::vector<std::string>{"tomorrow"});
    EXPECT_EQ(following.list().tabs()->tabText(BrowseSchedule::DayView).toStdString(),
              "03/03/2026");
    EXPECT_EQ(picked->selectedDay(), today - 5);
    EXPECT_EQ(shown(*picked), std::vector<std::string>{"picked"});
}

TEST_F(BrowseScheduleTest, PickDayChoosesTheDayOnTheMonthCalendar) {
    const std::int32_t today = clock_.today();
    add(task("later this month", today + 2, makeTime(9, 0)));
    auto browser = open();
    // The calendar is modal: press the day once it is up.
    QTimer::singleShot(0, [today] {
        auto* calendar = qobject_cast<Calendar*>(QApplication::activeModalWidget());
        ASSERT_NE(calendar, nullptr);
        EXPECT_EQ(calendar->month(), store::dateMonth(today));
        EXPECT_TRUE(calendar->pressDay(store::dateDay(today + 2)));
    });
    auto* pick = browser->findChild<QPushButton*>();
    for (auto* button : browser->findChildren<QPushButton*>()) {
        if (button->text() == "&Pick Day") {
            pick = button;
        }
    }
    ASSERT_NE(pick, nullptr);
    pick->click();
    EXPECT_EQ(browser->selectedDay(), today + 2);
    EXPECT_EQ(shown(*browser), std::vector<std::string>{"later this month"});
}

// ---- The popup menu ----

std::vector<std::pair<std::string, bool>> items(QMenu& menu) {
    std::vector<std::pair<std::string, bool>> out;
    for (QAction* action : menu.actions()) {
        out.emplace_back(action->isSeparator() ? "-" : action->text().toStdString(),
                         action->isEnabled());
    }
    return out;
}

class AcceptingForm final : public TaskForm {
  public:
    OpenTaskForm* open(store::Request, const store::Schedule& t, QWidget*,
                       Finished finished) override {
        finished(store::Response::Cancelled, t);
        return nullptr;
    }
};

TEST_F(BrowseScheduleTest, PopupOfAnEmptyListGreysEditAndDelete) {
    AcceptingForm form;
    form_ = &form;
    auto browser = open();
    auto menu = browser->list().buildPopup();
    const std::vector<std::pair<std::string, bool>> expected = {
        {"&Add", true},
        {"&Edit", false},
        {"&Delete", false},
        {"-", true},
        {"Cop&y", false},
        {"Reschedule", false},
        {"Run Now", false},
        {"-", true},
        {"Quick Start", false},
        {"-", true},
        {"&Scripting", false},
        {"-", true},
        {"Show Active Only", true},
        {"Show All", false},
    };
    EXPECT_EQ(items(*menu), expected);
}

TEST_F(BrowseScheduleTest, ScriptingIsOfferedForProgramTasksOnly) {
    struct Case {
        const char* taskType;
        bool scripting;
    };
    const Case cases[] = {
        {"Display Message", false}, {"Run Program", true}, {"Both", true}, {"", false}};
    for (const Case& c : cases) {
        auto t = task(c.taskType, clock_.today(), makeTime(9, 0));
        t.TaskType = c.taskType;
        add(t);
        auto browser = open();
        auto menu = browser->list().buildPopup();
        bool enabled = false;
        for (QAction* action : menu->actions()) {
            if (action->text() == "&Scripting") {
                enabled = action->isEnabled();
            }
        }
        EXPECT_EQ(enabled, c.scripting) << c.taskType;
        auto use = access_.use(store::scheduleTable());
        store::Table<store::Schedule>(use.table()).remove(*browser->rows().currentRecord());
    }
}

TEST_F(BrowseScheduleTest, ShowActiveOnlyAndShowAllGreyTheCurrentState) {
    add(task("one", clock_.today(), makeTime(9, 0)));
    auto browser = open();
    auto enabledOf = [&](const char* caption) {
        auto menu = browser->list().buildPopup();
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                return action->isEnabled();
            }
        }
        return false;
    };
    EXPECT_TRUE(enabledOf("Show Active Only"));
    EXPECT_FALSE(enabledOf("Show All"));
    browser->setActiveOnly(true);
    EXPECT_FALSE(enabledOf("Show Active Only"));
    EXPECT_TRUE(enabledOf("Show All"));
}

TEST_F(BrowseScheduleTest, ButtonsCarryTheirTips) {
    auto browser = open();
    const std::pair<const char*, const char*> tips[] = {
        {"&Add", "Add a new task (tabbed)"},
        {"Cop&y", "Copy the highlighted task to a new task"},
        {"&Edit", "Edit the highlighted task"},
        {"&Delete", "Delete the highlighted task"},
        {"Reschedule", "Rescheduling Wizard - ideal for holidays, and temporary changes"},
        {"Run Now", "Run the highlighted task"},
        {"Cl&ose", "Close this window"},
    };
    for (const auto& [caption, tip] : tips) {
        ASSERT_NE(browser->button(caption), nullptr) << caption;
        EXPECT_EQ(browser->button(caption)->toolTip().toStdString(), tip) << caption;
    }
}

TEST_F(BrowseScheduleTest, WithoutATaskFormAddingAndChangingAreNotOffered) {
    add(task("one", clock_.today(), makeTime(9, 0)));
    auto browser = open();
    EXPECT_FALSE(browser->button("&Add")->isEnabled());
    EXPECT_FALSE(browser->button("Cop&y")->isEnabled());
    EXPECT_FALSE(browser->button("&Edit")->isEnabled());
    EXPECT_TRUE(browser->button("&Delete")->isEnabled());
    EXPECT_TRUE(browser->button("Run Now")->isEnabled());
}

// ---- Column layout ----

TEST_F(BrowseScheduleTest, ColumnLayoutIsKeptUnlessTheBuiltInFormatChanged) {
    const store::IniFile position = settings_.positionIni();
    int builtInWidth = 0;
    {
        auto browser = open();
        builtInWidth = browser->list().view()->columnWidth(4);
        browser->list().view()->setColumnWidth(4, builtInWidth + 77);
        browser->close();
    }
    {
        auto browser = open();
        EXPECT_EQ(browser->list().view()->columnWidth(4), builtInWidth + 77)
            << "the user's layout comes back";
    }
    // A program with another built-in format finds the old one stored.
    position.write(BrowseSchedule::kSection, "SRCFOriginal?Browse:1",
                   ":1|Date:12|Time:8|Description:30");
    {
        auto browser = open();
        EXPECT_EQ(browser->list().view()->columnWidth(4), builtInWidth)
            << "the user's layout is discarded";
        EXPECT_EQ(position.find(BrowseSchedule::kSection, "SRCFOriginal?Browse:1"),
                  browser->list().builtInFormat().toStdString());
    }
}

// ---- Through the form ----

// A task form as the lists call it: an insert reserves the task and writes what the "user"
// typed; a change writes the new description; a delete goes through the convention.
class ScriptedForm final : public TaskForm {
  public:
    ScriptedForm(store::FileAccess& access, std::int32_t date) : access_(access), date_(date) {}

    OpenTaskForm* open(store::Request request, const store::Schedule& task, QWidget*,
                       Finished finished) override {
        store::Schedule t = task;
        const store::Response response = run(request, t);
        finished(response, t);
        return nullptr;
    }

    std::string typed;
    std::vector<store::Request> requests;

  private:
    store::Response run(store::Request request, store::Schedule& t) {
        requests.push_back(request);
        store::FormRecord<store::Schedule> record(access_, store::scheduleTable());
        switch (request) {
            case store::Request::Insert: {
                if (!record.reserve(t, store::numberTask)) {
                    return store::Response::Cancelled;
                }
                t.Description = typed;
                t.Date = date_;
                t.Time = store::makeTime(9, 30);
                const store::Schedule saved = t;
                return record.saveChange(t, false, saved) == store::SaveOutcome::Saved
                           ? store::Response::Completed
                           : store::Response::Cancelled;
            }
            case store::Request::Change: {
                const store::Schedule saved = t;
                t.Description = typed;
                return record.saveChange(t, false, saved) == store::SaveOutcome::Saved
                           ? store::Response::Completed
                           : store::Response::Cancelled;
            }
            case store::Request::Delete:
                return record.requestDelete(t);
            default:
                return store::Response::Cancelled;
        }
    }

    store::FileAccess& access_;
    std::int32_t date_;
};

TEST_F(BrowseScheduleTest, AddEditAndDeleteThroughTheFormLeaveTheListOnTheTask) {
    const std::int32_t today = clock_.today();
    for (int hour = 1; hour <= 9; ++hour) {
        add(task("task " + std::to_string(hour), today, makeTime(hour, 0)));
    }
    ScriptedForm form(access_, today);
    form_ = &form;
    auto browser = open();
    ASSERT_EQ(highlighted(*browser), "task 1");

    form.typed = "new one";
    QTest::keyClick(browser->list().view(), Qt::Key_Insert);
    EXPECT_EQ(highlighted(*browser), "new one");
    const std::vector<std::string> afterInsert = shown(*browser);
    EXPECT_NE(std::find(afterInsert.begin(), afterInsert.end(), "task 9"), afterInsert.end());

    QTest::keyClick(browser->list().view(), Qt::Key_Home);
    form.typed = "renamed";
    QTest::keyClick(browser->list().view(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(highlighted(*browser), "renamed");
    EXPECT_EQ(shown(*browser).front(), "renamed");

    QTest::keyClick(browser->list().view(), Qt::Key_Down);
    ui_.answer(platform::Ok);
    QTest::keyClick(browser->list().view(), Qt::Key_Delete);
    EXPECT_EQ(highlighted(*browser), "task 3") << "on the task that followed the deleted one";
    EXPECT_EQ(ui_.shown().back().caption, "Confirm Delete");
    EXPECT_EQ(form.requests,
              (std::vector<store::Request>{store::Request::Insert, store::Request::Change,
                                           store::Request::Delete}));
    EXPECT_EQ(allTasks().size(), 9u);
}

TEST_F(BrowseScheduleTest, DeleteWithoutAFormConfirmsAndRepositions) {
    const std::int32_t today = clock_.today();
    for (int hour = 1; hour <= 3; ++hour) {
        add(task("task " + std::to_string(hour), today, makeTime(hour, 0)));
    }
    auto browser = open();
    QTest::keyClick(browser->list().view(), Qt::Key_Down);

    ui_.answer(platform::Cancel);
    browser->button("&Delete")->click();
    EXPECT_EQ(allTasks().size(), 3u);
    EXPECT_EQ(highlighted(*browser), "task 2");

    ui_.answer(platform::Ok);
    browser->button("&Delete")->click();
    EXPECT_EQ(allTasks().size(), 2u);
    EXPECT_EQ(shown(*browser), (std::vector<std::string>{"task 1", "task 3"}));
    EXPECT_EQ(highlighted(*browser), "task 3");

    QTest::keyClick(browser->list().view(), Qt::Key_End);
    ui_.answer(platform::Ok);
    browser->button("&Delete")->click();
    EXPECT_EQ(highlighted(*browser), "task 1")
        << "the last task gone, the list stands on the one before";
}

// ---- Resizing ----

TEST_F(BrowseScheduleTest, ResizingGrowsTheListWhileButtonsKeepTheirSizeAndNearerEdge) {
    auto browser = open();
    browser->list().setFixedPageSize(0);
    browser->resize(700, 400);
    browser->show();
    QCoreApplication::processEvents();
    struct Seen {
        QRect add, close, list;
    };
    auto look = [&] {
        return Seen{browser->button("&Add")->geometry(), browser->button("Cl&ose")->geometry(),
                    browser->list().view()->geometry()};
    };
    const Seen before = look();
    browser->resize(1000, 600);
    QCoreApplication::processEvents();
    const Seen after = look();

    EXPECT_EQ(after.add.size(), before.add.size());
    EXPECT_EQ(after.close.size(), before.close.size());
    EXPECT_EQ(after.add.left(), before.add.left()) << "the left button stays at the left edge";
    EXPECT_EQ(browser->width() - after.close.right(), 700 - before.close.right())
        << "the right button stays at the right edge";
    EXPECT_EQ(browser->height() - after.add.bottom(), 400 - before.add.bottom());
    EXPECT_EQ(after.list.width() - before.list.width(), 300);
    EXPECT_EQ(after.list.height() - before.list.height(), 200);
}

// ---- The tick's register and "Run Now" ----

TEST_F(BrowseScheduleTest, RegistersForTheTicksRefreshAndLeavesOnClose) {
    auto browser = open();
    ASSERT_EQ(refreshes_.size(), 1u);
    EXPECT_TRUE(shown(*browser).empty());
    add(task("added by the tick", clock_.today(), makeTime(9, 0)));
    refreshes_.front()();
    EXPECT_EQ(shown(*browser), std::vector<std::string>{"added by the tick"});

    browser->button("Run Now")->click();
    EXPECT_EQ(ranNow_, std::vector<std::int32_t>{1});

    browser->close();
    EXPECT_EQ(removed_, std::set<int>{1});
}

}  // namespace
}  // namespace agendix::schedule_ui

namespace agendix::schedule_ui {
namespace {

// ---- The frame's navigation buttons ----

TEST_F(BrowseScheduleTest, FrameNavigationButtonsMoveTheActiveList) {
    for (int hour = 1; hour <= 12; ++hour) {
        add(task("task " + std::to_string(hour), clock_.today(), testing::makeTime(hour, 0)));
    }
    shell::StoreMainTables tables(access_);
    shell::MainFrame frame(clock_, ui_, tables);
    const std::pair<shell::Navigation, const char*> tips[] = {
        {shell::Navigation::FirstPage, "Go to the First Page"},
        {shell::Navigation::PriorPage, "Go to the Prior Page"},
        {shell::Navigation::PriorRecord, "Go to the Prior Record"},
        {shell::Navigation::NextRecord, "Go to the Next Record"},
        {shell::Navigation::NextPage, "Go to the Next Page"},
        {shell::Navigation::LastPage, "Go to the Last Page"},
        {shell::Navigation::Insert, "Insert a new Record"},
    };
    for (const auto& [navigation, tip] : tips) {
        EXPECT_EQ(frame.navigationAction(navigation)->toolTip().toStdString(), tip);
        EXPECT_FALSE(frame.navigationAction(navigation)->isEnabled()) << tip << ": no list is open";
    }

    BrowseSchedule* browser = openScheduleBrowser(ports(), *frame.mdiArea());
    browser->list().setFixedPageSize(5);
    browser->list().reload();
    frame.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(browser->parentWidget()));
    frame.updateNavigation();
    EXPECT_TRUE(frame.navigationAction(shell::Navigation::NextRecord)->isEnabled());
    EXPECT_FALSE(frame.navigationAction(shell::Navigation::Insert)->isEnabled()) << "no task form";

    struct Step {
        shell::Navigation navigation;
        const char* highlighted;
    };
    const Step steps[] = {
        {shell::Navigation::NextRecord, "task 2"}, {shell::Navigation::NextPage, "task 7"},
        {shell::Navigation::LastPage, "task 12"},  {shell::Navigation::PriorRecord, "task 11"},
        {shell::Navigation::PriorPage, "task 6"},  {shell::Navigation::FirstPage, "task 1"},
    };
    for (const Step& step : steps) {
        frame.navigationAction(step.navigation)->trigger();
        EXPECT_EQ(highlighted(*browser), step.highlighted) << step.highlighted;
    }
}

}  // namespace
}  // namespace agendix::schedule_ui
