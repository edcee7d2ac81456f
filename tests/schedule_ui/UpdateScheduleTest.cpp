#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "schedule_ui/ScheduleExceptions.h"
#include "schedule_ui/TaskFormFixture.h"
#include "shell/MainFrame.h"
#include "shell/StoreMainTables.h"

namespace agendix::schedule_ui {
namespace {

using store::Request;
using store::Response;
using testing::makeDate;
using testing::makeTime;
using testing::Schedule;

const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

class UpdateScheduleTest : public testing::TaskFormFixture {
  protected:
    // A stored weekly Monday message task at 10:00 on Monday 9 March 2026.
    Schedule mondayTask() {
        Schedule t = task("Standup", makeDate(3, 9, 2026), makeTime(10, 0));
        t.ScheduleType = "Day of Week";
        t.Monday = 1;
        return add(t);
    }
};

// ---- A new task ----

TEST_F(UpdateScheduleTest, NewTaskStartsOnThePickedDayWithTheDefaults) {
    struct Case {
        const char* name;
        std::int32_t picked;
        std::int32_t date;
    };
    const Case cases[] = {
        {"a day picked in the day view", makeDate(3, 12, 2026), makeDate(3, 12, 2026)},
        {"no day picked", 0, makeDate(3, 2, 2026)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        pickedDay_ = c.picked;
        clock_.set(makeDate(3, 2, 2026), makeTime(9, 41) + 1234);
        auto form = openNew();
        EXPECT_EQ(form->windowTitle(), "Adding a Schedule Task");
        const Schedule t = form->task();
        EXPECT_EQ(t.Date, c.date);
        EXPECT_EQ(t.Time, makeTime(9, 41) + 1234);
        EXPECT_EQ(t.ScheduleType, "Day of Week");
        for (const char* day : kWeekdays) {
            EXPECT_TRUE(form->box(day)->isChecked()) << day;
        }
        EXPECT_TRUE(form->box("Last")->isChecked());
        EXPECT_EQ(t.TaskType, "Both");
        EXPECT_TRUE(form->taskType("Both")->isChecked());
        EXPECT_EQ(t.Warn, 1);
        EXPECT_EQ(t.Every, 1);
        EXPECT_EQ(t.EveryType, "hour(s)");
        // The script editor is not part of the program yet.
        EXPECT_FALSE(form->button("&Scripting")->isEnabled());

        // The record is reserved at once, and left alone by the scheduler until OK.
        const Schedule reserved = stored(t.ID);
        EXPECT_EQ(reserved.Disabled, 1);

        settings_.values().userName = "ann";
        form->entry("&Description:")->setText("Call home");
        ASSERT_TRUE(form->ok());
        EXPECT_EQ(form->response(), Response::Completed);
        const Schedule saved = stored(t.ID);
        EXPECT_EQ(saved.Description, "Call home");
        EXPECT_EQ(saved.Disabled, 0);
        EXPECT_EQ(saved.Date, c.date);
        EXPECT_EQ(saved.Time, makeTime(9, 41) + 1234);
        EXPECT_EQ(saved.NetworkUser, "ann");
        EXPECT_EQ(saved.LastChangeDate, makeDate(3, 2, 2026));
        EXPECT_EQ(saved.LastChangeTime, makeTime(9, 41) + 1234);
        EXPECT_EQ(saved.OriginalID, t.ID);
    }
    EXPECT_EQ(allTasks().size(), 2u);
}

TEST_F(UpdateScheduleTest, CancelledInsertLeavesNothing) {
    auto form = openNew();
    ASSERT_EQ(allTasks().size(), 1u);
    form->cancel();
    EXPECT_EQ(form->response(), Response::Cancelled);
    EXPECT_TRUE(allTasks().empty());
}

// ---- Visibility ----

TEST_F(UpdateScheduleTest, TaskTypeDecidesTimeCommandAndMessage) {
    struct Case {
        const char* type;
        bool time, command, message;
        std::int32_t timeAfter;
    };
    const Case cases[] = {
        {"Run Program", true, true, false, makeTime(10, 0)},
        {"Display Message", true, false, true, makeTime(10, 0)},
        {"Both", true, true, true, makeTime(10, 0)},
        {"None", false, false, true, UpdateSchedule::kNoneTime},
    };
    const Schedule t = mondayTask();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto form = openForm(Request::Change, t);
        form->taskType(c.type)->click();
        EXPECT_EQ(!form->entry("&Time:")->isHidden(), c.time);
        EXPECT_EQ(!form->prompt("&Time:")->isHidden(), c.time);
        EXPECT_EQ(form->tabShown("&Command"), c.command);
        EXPECT_EQ(form->tabShown("&Message"), c.message);
        EXPECT_EQ(form->task().Time, c.timeAfter);
        form->cancel();
    }
}

TEST_F(UpdateScheduleTest, ScheduleTypeDecidesTheRecurrenceControls) {
    struct Case {
        const char* type;
        bool ordinals, monthEnd, weekdays, every, except;
    };
    const Case cases[] = {
        {"Once", false, false, false, false, false},
        {"Day of Week", false, false, true, false, false},
        {"Day of Month", true, true, true, false, true},
        {"Monthly", false, false, false, false, true},
        {"Yearly", false, false, false, false, true},
        {"Custom", false, false, false, true, true},
    };
    auto form = openForm(Request::Change, mondayTask());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        form->scheduleType(c.type)->click();
        for (const char* ordinal : {"1st", "2nd", "3rd", "4th", "Last"}) {
            EXPECT_EQ(!form->box(ordinal)->isHidden(), c.ordinals) << ordinal;
        }
        EXPECT_EQ(!form->box("Month End")->isHidden(), c.monthEnd);
        for (const char* day : kWeekdays) {
            EXPECT_EQ(!form->box(day)->isHidden(), c.weekdays) << day;
        }
        EXPECT_EQ(!form->entry("Every:")->isHidden(), c.every);
        EXPECT_EQ(!form->everyType("minute(s)")->parentWidget()->isHidden(), c.every);
        EXPECT_EQ(!form->button("E&xcept")->isHidden(), c.except);
    }
}

TEST_F(UpdateScheduleTest, MonthEndDisablesOrdinalsAndWeekdays) {
    auto form = openForm(Request::Change, mondayTask());
    form->scheduleType("Day of Month")->click();
    for (bool monthEnd : {true, false}) {
        SCOPED_TRACE(monthEnd ? "ticked" : "cleared");
        form->box("Month End")->setChecked(monthEnd);
        EXPECT_TRUE(form->box("Month End")->isEnabled());
        for (const char* caption : {"1st", "4th", "Last", "Sunday", "Monday", "Saturday"}) {
            EXPECT_EQ(form->box(caption)->isEnabled(), !monthEnd) << caption;
        }
    }
}

// ---- Field behaviour ----

TEST_F(UpdateScheduleTest, NextDateThatDoesNotFitWarnsAndStays) {
    struct Case {
        const char* name;
        const char* typed;
        std::int32_t date;
        bool warned;
    };
    const Case cases[] = {
        {"a Tuesday for a Monday task", "03/10/2026", makeDate(3, 10, 2026), true},
        {"a Monday", "03/16/2026", makeDate(3, 16, 2026), false},
    };
    const Schedule t = mondayTask();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_ = {};
        auto form = openForm(Request::Change, t);
        type(form->entry("&Next Date to Perform Task:"), c.typed);
        EXPECT_EQ(form->task().Date, c.date);
        if (c.warned) {
            ASSERT_EQ(ui_.shown().size(), 1u);
            EXPECT_EQ(ui_.shown()[0].text, "Date given does not match schedule type.");
            EXPECT_EQ(ui_.shown()[0].caption, "Warning");
        } else {
            EXPECT_TRUE(ui_.shown().empty());
        }
        // The warning does not hold the task back: OK keeps the date given.
        ASSERT_TRUE(form->ok());
        EXPECT_EQ(stored(t.ID).Date, c.date);
    }
}

TEST_F(UpdateScheduleTest, AdvanceWarningAfterTheTaskIsCleared) {
    struct Case {
        const char* name;
        const char* date;
        const char* time;
        bool cleared;
    };
    // The task is due 03/09/2026 at 10:00AM.
    const Case cases[] = {
        {"a minute after on the same day", "03/09/2026", "10:01AM", true},
        {"the day after", "03/10/2026", "9:00AM", true},
        {"a minute before", "03/09/2026", "9:59AM", false},
        {"at the very time", "03/09/2026", "10:00AM", false},
    };
    const Schedule t = mondayTask();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_ = {};
        auto form = openForm(Request::Change, t);
        form->entry("Advance Warning Time:")->setText(c.time);
        type(form->entry("&Advance Warning Date:"), c.date);
        const Schedule now = form->task();
        if (c.cleared) {
            EXPECT_EQ(now.AdvanceWarnDate, 0);
            EXPECT_EQ(now.AdvanceWarnTime, 0);
            EXPECT_EQ(form->entry("&Advance Warning Date:")->text(), "");
            EXPECT_EQ(messages(),
                      std::vector<std::string>{"Advanced Warning cannot be after scheduled task."});
        } else {
            EXPECT_NE(now.AdvanceWarnDate, 0);
            EXPECT_TRUE(ui_.shown().empty());
        }
        form->cancel();
    }
}

TEST_F(UpdateScheduleTest, AutomaticAdvanceWarningFromTheWarningSection) {
    struct Case {
        const char* name;
        const char* active;
        const char* days;
        const char* offset;  // hundredths
        std::int32_t warnDate, warnTime;
    };
    // The date typed is Monday 16 March 2026; the task is due at 10:00.
    const Case cases[] = {
        {"off", "", "1", "0", 0, 0},
        {"a day before", "1", "1", "0", makeDate(3, 15, 2026), makeTime(10, 0)},
        {"an hour before", "Yes", "0", "360000", makeDate(3, 16, 2026), makeTime(9, 0)},
        {"past midnight into the day before", "1", "0", "4320000", makeDate(3, 15, 2026),
         makeTime(22, 0)},
    };
    const Schedule t = mondayTask();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.settingsIni().write("Warning",
                                      {{"Active", c.active}, {"Date", c.days}, {"Time", c.offset}});
        auto form = openForm(Request::Change, t);
        type(form->entry("&Next Date to Perform Task:"), "03/16/2026");
        EXPECT_EQ(form->task().AdvanceWarnDate, c.warnDate);
        EXPECT_EQ(form->task().AdvanceWarnTime, c.warnTime);
        form->cancel();
    }
}

TEST_F(UpdateScheduleTest, MessageStartsAsTheDescription) {
    auto form = openForm(Request::Change, mondayTask());
    form->messageFocused();
    EXPECT_EQ(form->message()->toPlainText(), "Standup");
    form->message()->setPlainText("Bring the notes");
    form->entry("&Description:")->setText("Other");
    form->messageFocused();
    EXPECT_EQ(form->message()->toPlainText(), "Bring the notes");
}

TEST_F(UpdateScheduleTest, AlarmFileComesFromAndGoesToLastWavFile) {
    settings_.putConfig("LastWAVFile", "/sounds/bell.wav");
    auto form = openForm(Request::Change, mondayTask());
    EXPECT_FALSE(form->entry("WAV File to Play:")->isEnabled());
    form->box("Alarm")->setChecked(true);
    EXPECT_TRUE(form->entry("WAV File to Play:")->isEnabled());
    EXPECT_TRUE(form->button("&Play")->isEnabled());
    EXPECT_EQ(form->entry("WAV File to Play:")->text(), "/sounds/bell.wav");

    type(form->entry("WAV File to Play:"), "/sounds/gong.wav");
    EXPECT_EQ(settings_.getConfig("LastWAVFile"), "/sounds/gong.wav");

    form->button("&Play")->click();
    EXPECT_EQ(sound_.played, std::vector<std::string>{"/sounds/gong.wav"});

    // No file: "&Play" goes to the file dialog instead.
    form->entry("WAV File to Play:")->clear();
    ui_.answerFile("/sounds/chime.wav");
    form->button("&Play")->click();
    ASSERT_EQ(ui_.fileDialogs().size(), 1u);
    EXPECT_EQ(ui_.fileDialogs()[0].caption, "Select WAV File for Alarm");
    EXPECT_EQ(ui_.fileDialogs()[0].filters.at(0).first, "WAV Files");
    EXPECT_EQ(form->entry("WAV File to Play:")->text(), "/sounds/chime.wav");
    EXPECT_EQ(settings_.getConfig("LastWAVFile"), "/sounds/chime.wav");
}

// ---- OK ----

TEST_F(UpdateScheduleTest, ProgramTaskWithoutCommandStoresNA) {
    struct Case {
        const char* type;
        const char* command;
        const char* stored;
    };
    const Case cases[] = {
        {"Run Program", "", "N/A"},
        {"Both", "   ", "N/A"},
        {"Display Message", "", ""},
        {"Run Program", "gedit", "gedit"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " with '" + c.command + "'");
        auto form = openNew();
        form->taskType(c.type)->click();
        form->entry("Comma&nd:")->setText(c.command);
        const std::int32_t id = form->task().ID;
        ASSERT_TRUE(form->ok());
        EXPECT_EQ(stored(id).Command, c.stored);
    }
}

TEST_F(UpdateScheduleTest, ChangeIsWrittenOnlyWhenSomethingChanged) {
    const Schedule t = mondayTask();
    auto unchanged = openForm(Request::Change, t);
    EXPECT_EQ(unchanged->windowTitle(), "Changing a Schedule Task");
    ASSERT_TRUE(unchanged->ok());
    EXPECT_EQ(unchanged->response(), Response::Completed);
    EXPECT_EQ(stored(t.ID).LastChangeDate, 0);

    auto changed = openForm(Request::Change, t);
    changed->box("Tuesday")->setChecked(true);
    ASSERT_TRUE(changed->ok());
    const Schedule saved = stored(t.ID);
    EXPECT_EQ(saved.Tuesday, 1);
    EXPECT_EQ(saved.LastChangeDate, makeDate(3, 2, 2026));
    EXPECT_EQ(saved.OriginalID, t.ID);
}

TEST_F(UpdateScheduleTest, ExceptionCopyIsMadeOnceAndReplacedOnTheNextSave) {
    Schedule t = task("Backup", makeDate(3, 7, 2026), makeTime(22, 0));  // a Saturday
    t.ScheduleType = "Day of Week";
    t.Saturday = 1;
    t.Monday = 1;
    t = add(t);
    exceptions_ = [this](Schedule& edited) {
        ScheduleExceptions window(edited, settings_.positionIni());
        window.weekends()->click();
        window.action("Next Day")->click();
    };
    auto form = openForm(Request::Change, t);
    form->button("E&xcept")->click();
    ASSERT_TRUE(form->ok());

    auto copies = [this](std::int32_t id) {
        std::vector<Schedule> found;
        for (const Schedule& s : allTasks()) {
            if (s.ID != id) {
                found.push_back(s);
            }
        }
        return found;
    };
    std::vector<Schedule> made = copies(t.ID);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].Date, makeDate(3, 9, 2026));  // the Monday after
    EXPECT_EQ(made[0].ScheduleType, "Once");
    Schedule saved = stored(t.ID);
    EXPECT_EQ(saved.SkipNextTime, 1);
    EXPECT_EQ(saved.ExceptionLink, made[0].ID);

    exceptions_ = nullptr;
    auto again = openForm(Request::Change, saved);
    again->entry("&Description:")->setText("Backup all");
    ASSERT_TRUE(again->ok());
    made = copies(t.ID);
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].Date, makeDate(3, 9, 2026));
    EXPECT_EQ(made[0].Description, "Backup all");
    EXPECT_EQ(stored(t.ID).ExceptionLink, made[0].ID);
}

// ---- Copy and delete ----

TEST_F(UpdateScheduleTest, CancelledCopyLeavesNeitherRecordNorScript) {
    Schedule source = mondayTask();
    addScript(source.ID, 3);
    source.Completed = 1;
    auto form = openForm(Request::Insert, source);
    const std::int32_t copyId = form->task().ID;
    EXPECT_NE(copyId, source.ID);
    EXPECT_EQ(form->task().Completed, 0);
    EXPECT_EQ(scriptOf(copyId).size(), 3u);
    form->cancel();
    EXPECT_EQ(allTasks().size(), 1u);
    EXPECT_TRUE(scriptOf(copyId).empty());
    EXPECT_EQ(scriptOf(source.ID).size(), 3u);
}

TEST_F(UpdateScheduleTest, SavedCopyIsATaskOfItsOwn) {
    // The source has a pending exception copy of its own; saving a copy of the source must leave
    // it alone.
    Schedule t = task("Backup", makeDate(3, 7, 2026), makeTime(22, 0));
    t.ScheduleType = "Day of Week";
    t.Saturday = 1;
    t.ExceptWeekends = 1;
    t.ShiftType = "Next Day";
    t = add(t);
    auto first = openForm(Request::Change, t);
    first->entry("&Description:")->setText("Backup A");
    ASSERT_TRUE(first->ok());
    const Schedule source = stored(t.ID);
    ASSERT_NE(source.ExceptionLink, 0);
    addScript(source.ID, 2);

    auto copy = openForm(Request::Insert, source);
    const std::int32_t copyId = copy->task().ID;
    ASSERT_TRUE(copy->ok());
    const Schedule saved = stored(copyId);
    EXPECT_EQ(saved.OriginalID, copyId);
    EXPECT_EQ(scriptOf(copyId).size(), 2u);
    EXPECT_EQ(stored(source.ExceptionLink).Date, makeDate(3, 9, 2026));
    EXPECT_NE(saved.ExceptionLink, source.ExceptionLink);
}

TEST_F(UpdateScheduleTest, DeleteAsksThenRemovesTaskAndScript) {
    struct Case {
        const char* name;
        platform::MessageButton answer;
        Response response;
        std::size_t tasksLeft;
    };
    const Case cases[] = {
        {"cancelled", platform::Cancel, Response::Cancelled, 1},
        {"confirmed", platform::Ok, Response::Completed, 0},
    };
    const Schedule t = mondayTask();
    addScript(t.ID, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.answer(c.answer);
        UpdateSchedule form(formPorts());
        EXPECT_FALSE(form.begin(Request::Delete, stored(t.ID)));
        EXPECT_EQ(form.response(), c.response);
        EXPECT_EQ(allTasks().size(), c.tasksLeft);
        EXPECT_EQ(scriptOf(t.ID).size(), c.tasksLeft * 2);
    }
}

TEST_F(UpdateScheduleTest, ResizingKeepsEntryHeightsAndButtons) {
    auto form = openNew();
    form->resize(640, 480);
    form->show();
    form->tabs()->setCurrentIndex(form->tabIndex("&Task"));
    QCoreApplication::processEvents();
    QWidget* controls[] = {form->entry("&Description:"), form->button("&OK"),
                           form->button("Cancel")};
    std::vector<QRect> before;
    for (QWidget* control : controls) {
        before.push_back(control->geometry());
    }
    form->resize(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(controls[0]->height(), before[0].height()) << "an entry keeps its height";
    EXPECT_GT(controls[0]->width(), before[0].width()) << "and follows the width";
    for (std::size_t i = 1; i < std::size(controls); ++i) {
        EXPECT_EQ(controls[i]->size(), before[i].size()) << "a button keeps its size";
        EXPECT_EQ(form->width() - controls[i]->geometry().right(), 640 - before[i].right())
            << "and its distance from the right edge";
    }
    form->cancel();
}

// ---- From the schedule list ----

// The task form the list has open: a window of its own, the list waiting meanwhile.
UpdateSchedule* openTaskForm() {
    UpdateSchedule* found = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* form = qobject_cast<UpdateSchedule*>(window);
            form != nullptr && form->isVisible()) {
            EXPECT_EQ(found, nullptr) << "one form at a time";
            found = form;
        }
    }
    return found;
}

TEST_F(UpdateScheduleTest, ListAddsThroughTheFormOnThePickedDay) {
    ScheduleTaskForm taskForm(formPorts());
    form_ = &taskForm;
    ScheduleBrowserPorts p = ports();
    p.selectedDayChanged = [&taskForm](std::int32_t day) { taskForm.setPickedDay(day); };
    BrowseSchedule browser(p);
    browser.list().reload();
    browser.pickDay(makeDate(3, 20, 2026));

    // The form does not hold up the program; the list waits until it ends.
    browser.addTask();
    UpdateSchedule* form = openTaskForm();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(form->isModal());
    EXPECT_FALSE(browser.isEnabled());
    form->entry("&Description:")->setText("Dentist");
    form->button("&OK")->click();
    EXPECT_TRUE(browser.isEnabled());
    const std::vector<Schedule> tasks = allTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].Description, "Dentist");
    EXPECT_EQ(tasks[0].Date, makeDate(3, 20, 2026));
    EXPECT_EQ(tasks[0].Disabled, 0);
    EXPECT_EQ(shown(browser), std::vector<std::string>{"Dentist"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Cancel from the list leaves nothing behind.
    browser.addTask();
    ASSERT_NE(openTaskForm(), nullptr);
    openTaskForm()->close();
    EXPECT_EQ(allTasks().size(), 1u);
    EXPECT_TRUE(browser.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A list closed while a new task's form is open keeps nothing of the task either.
    {
        BrowseSchedule second(p);
        second.list().reload();
        second.addTask();
        ASSERT_NE(openTaskForm(), nullptr);
        EXPECT_FALSE(second.close()) << "the list stays while its form is open";
    }
    EXPECT_EQ(openTaskForm(), nullptr);
    EXPECT_EQ(allTasks().size(), 1u);
}

TEST_F(UpdateScheduleTest, FrameNavigationMovesTheOpenFormAlongTheList) {
    const std::int32_t day = makeDate(3, 16, 2026);
    for (int hour = 1; hour <= 4; ++hour) {
        add(task("task " + std::to_string(hour), day, makeTime(hour, 0)));
    }
    ScheduleTaskForm taskForm(formPorts());
    form_ = &taskForm;
    shell::StoreMainTables tables(access_);
    shell::MainFrame frame(clock_, ui_, tables);
    BrowseSchedule* browser = openScheduleBrowser(ports(), *frame.mdiArea());
    browser->list().setFixedPageSize(3);
    browser->setView(BrowseSchedule::AllByDate);
    frame.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(browser->parentWidget()));
    frame.updateNavigation();
    auto press = [&frame](shell::Navigation navigation) {
        QAction* button = frame.navigationAction(navigation);
        ASSERT_TRUE(button->isEnabled());
        button->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    };

    browser->editTask();
    ASSERT_NE(openTaskForm(), nullptr);
    EXPECT_EQ(openTaskForm()->entry("&Description:")->text(), "task 1");
    openTaskForm()->entry("&Description:")->setText("task 1 renamed");

    // Next record: what was typed is saved, and the form opens on the next task.
    press(shell::Navigation::NextRecord);
    EXPECT_EQ(stored(1).Description, "task 1 renamed");
    ASSERT_NE(openTaskForm(), nullptr);
    EXPECT_EQ(openTaskForm()->entry("&Description:")->text(), "task 2");
    EXPECT_EQ(highlighted(*browser), "task 2");

    press(shell::Navigation::LastPage);
    ASSERT_NE(openTaskForm(), nullptr);
    EXPECT_EQ(openTaskForm()->entry("&Description:")->text(), "task 4");

    // An entry OK refuses keeps the form open where it is.
    openTaskForm()->entry("&Advance Warning Date:")->setText("03/17/26");
    press(shell::Navigation::FirstPage);
    ASSERT_NE(openTaskForm(), nullptr);
    EXPECT_EQ(openTaskForm()->entry("&Description:")->text(), "task 4");
    EXPECT_EQ(highlighted(*browser), "task 4");
    EXPECT_EQ(messages(),
              std::vector<std::string>{"Advanced Warning cannot be after scheduled task."});

    // Insert: the form opens again on a new task.
    press(shell::Navigation::Insert);
    ASSERT_NE(openTaskForm(), nullptr);
    EXPECT_EQ(openTaskForm()->windowTitle(), "Adding a Schedule Task");
    openTaskForm()->entry("&Description:")->setText("added");
    openTaskForm()->button("&OK")->click();
    EXPECT_EQ(highlighted(*browser), "added");
    EXPECT_EQ(allTasks().size(), 5u);
    EXPECT_TRUE(browser->isEnabled());
}

// ---- SelectProgramFile ----

TEST(SelectProgramFileTest, CommandAndStartDirectory) {
    struct Case {
        const char* name;
        const char* path;
        const char* chosen;
        const char* command;
        const char* pathAfter;
    };
    const Case cases[] = {
        {"blank start directory", "", "/opt/tools/run", "/opt/tools/run", "/opt/tools"},
        {"start directory kept", "/home/ann", "/opt/tools/run", "/opt/tools/run", "/home/ann"},
        {"a program in the root", "", "/run", "/run", "/"},
        {"a name without a directory", "", "run", "run", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScriptedUserInterface ui;
        ui.answerFile(std::string(c.chosen));
        store::Schedule t;
        t.Path = c.path;
        EXPECT_TRUE(selectProgramFile(t, ui));
        EXPECT_EQ(t.Command, c.command);
        EXPECT_EQ(t.Path, c.pathAfter);
        ASSERT_EQ(ui.fileDialogs().size(), 1u);
        EXPECT_EQ(ui.fileDialogs()[0].caption, "Choose a Program to Start");
        EXPECT_EQ(ui.fileDialogs()[0].startDirectory, c.path);
    }
    platform::ScriptedUserInterface ui;
    ui.answerFile(std::nullopt);
    store::Schedule t;
    t.Command = "old";
    EXPECT_FALSE(selectProgramFile(t, ui));
    EXPECT_EQ(t.Command, "old");
}

}  // namespace
}  // namespace agendix::schedule_ui
