#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <functional>
#include <set>

#include "schedule_ui/Calendar.h"
#include "schedule_ui/ScheduleExceptions.h"
#include "schedule_ui/TaskFormFixture.h"

namespace agendix::schedule_ui {
namespace {

using testing::makeDate;
using testing::makeTime;
using testing::Schedule;

class CalendarTest : public testing::TaskFormFixture {
  protected:
    std::unique_ptr<Calendar> calendar(std::int32_t date, const QString& mode, const Schedule& t,
                                       const QString& caption = {}) {
        return std::make_unique<Calendar>(date, caption, mode, t, clock_, ui_,
                                          settings_.positionIni());
    }
    static std::set<int> enabledDays(const Calendar& c) {
        std::set<int> days;
        for (int i = 0; i < 42; ++i) {
            QPushButton* b = c.dayButton(i);
            if (!b->isHidden() && b->isEnabled()) {
                days.insert(b->text().toInt());
            }
        }
        return days;
    }
    static Schedule mondays() {
        Schedule t;
        t.ScheduleType = "Day of Week";
        t.Monday = 1;
        return t;
    }
};

TEST_F(CalendarTest, DaysThatDoNotFitAreDisabledUnlessTheModeIsNone) {
    std::set<int> everyDay;
    for (int d = 1; d <= 31; ++d) {
        everyDay.insert(d);
    }
    struct Case {
        const char* name;
        const char* mode;
        std::set<int> enabled;
    };
    // March 2026: the Mondays are the 2nd, 9th, 16th, 23rd and 30th.
    const Case cases[] = {
        {"blank mode", "", {2, 9, 16, 23, 30}},
        {"another mode", "Fit", {2, 9, 16, 23, 30}},
        {"mode None", "None", everyDay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto cal = calendar(makeDate(3, 10, 2026), c.mode, mondays());
        EXPECT_EQ(enabledDays(*cal), c.enabled);
        EXPECT_EQ(cal->scheduleTypeLabel()->text(), "Day of Week");
    }
}

TEST_F(CalendarTest, MonthIsLaidOutUnderItsWeekdays) {
    struct Case {
        const char* name;
        std::int32_t date;
        int firstButton, length;
    };
    const Case cases[] = {
        {"March 2026 starts on a Sunday", makeDate(3, 10, 2026), 0, 31},
        {"February 2026 starts on a Sunday", makeDate(2, 1, 2026), 0, 28},
        {"May 2026 starts on a Friday", makeDate(5, 20, 2026), 5, 31},
        {"0 is today's month", 0, 0, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto cal = calendar(c.date, "None", {});
        for (int i = 0; i < 42; ++i) {
            const bool inMonth = i >= c.firstButton && i < c.firstButton + c.length;
            EXPECT_EQ(!cal->dayButton(i)->isHidden(), inMonth) << i;
            if (inMonth) {
                EXPECT_EQ(cal->dayButton(i)->text().toInt(), i - c.firstButton + 1);
            }
        }
    }
}

TEST_F(CalendarTest, MonthAndYearStepsWrap) {
    struct Case {
        const char* name;
        std::int32_t start;
        void (Calendar::*step)(int);
        int by;
        int month, year;
    };
    const Case cases[] = {
        {"year > at 2099", makeDate(6, 1, 2099), &Calendar::stepYear, 1, 6, 1801},
        {"year < at 1801", makeDate(6, 1, 1801), &Calendar::stepYear, -1, 6, 2099},
        {"year >", makeDate(6, 1, 2026), &Calendar::stepYear, 1, 6, 2027},
        {"month > in December", makeDate(12, 5, 2026), &Calendar::stepMonth, 1, 1, 2027},
        {"month < in January", makeDate(1, 5, 2026), &Calendar::stepMonth, -1, 12, 2025},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto cal = calendar(c.start, "None", {});
        ((*cal).*c.step)(c.by);
        EXPECT_EQ(cal->month(), c.month);
        EXPECT_EQ(cal->year(), c.year);
        EXPECT_EQ(cal->yearEntry()->text().toInt(), c.year);
        EXPECT_EQ(cal->monthEntry()->text().toInt(), c.month);
    }
}

TEST_F(CalendarTest, TypedMonthAndYearOutsideTheirRangesAreRefused) {
    struct Case {
        const char* name;
        bool month;
        const char* typed;
        bool accepted;
        const char* message;
    };
    const Case cases[] = {
        {"month 13", true, "13", false, "Month should be between 1 to 12"},
        {"month 0", true, "0", false, "Month should be between 1 to 12"},
        {"month 7", true, "7", true, nullptr},
        {"year 2100", false, "2100", false, "Year should be between 1801 to 2099"},
        {"year 1800", false, "1800", false, "Year should be between 1801 to 2099"},
        {"year 2030", false, "2030", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_ = {};
        auto cal = calendar(makeDate(3, 10, 2026), "None", {});
        QLineEdit* entry = c.month ? cal->monthEntry() : cal->yearEntry();
        entry->setText(c.typed);
        EXPECT_EQ(c.month ? cal->acceptMonth() : cal->acceptYear(), c.accepted);
        if (c.message != nullptr) {
            ASSERT_EQ(ui_.shown().size(), 1u);
            EXPECT_EQ(ui_.shown()[0].text, c.message);
            EXPECT_EQ(ui_.shown()[0].caption, "Error Message");
            EXPECT_EQ(c.month ? cal->month() : cal->year(), c.month ? 3 : 2026);
        } else {
            EXPECT_TRUE(ui_.shown().empty());
            EXPECT_EQ(c.month ? cal->month() : cal->year(), std::atoi(c.typed));
        }
    }
}

TEST_F(CalendarTest, PressingADayReturnsItAfterAskingAboutThePast) {
    struct Case {
        const char* name;
        int day;
        std::optional<platform::MessageButton> answer;
        bool closed;
        std::int32_t result;
    };
    // Today is Monday 2 March 2026.
    const Case cases[] = {
        {"a later day", 20, std::nullopt, true, makeDate(3, 20, 2026)},
        {"today", 2, std::nullopt, true, makeDate(3, 2, 2026)},
        {"yesterday, No", 1, platform::No, false, makeDate(3, 10, 2026)},
        {"yesterday, Yes", 1, platform::Yes, true, makeDate(3, 1, 2026)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_ = {};
        if (c.answer) {
            ui_.answer(*c.answer);
        }
        auto cal = calendar(makeDate(3, 10, 2026), "None", {});
        cal->dayButtonOf(c.day)->click();
        EXPECT_EQ(cal->result(), c.result);
        EXPECT_EQ(cal->result() != makeDate(3, 10, 2026), c.closed);
        if (c.answer) {
            ASSERT_EQ(ui_.shown().size(), 1u);
            EXPECT_EQ(ui_.shown()[0].text,
                      "You have selected a date earlier than today.  Do you wish to use this "
                      "date?");
            EXPECT_EQ(ui_.shown()[0].caption, "Confirm");
            EXPECT_EQ(ui_.shown()[0].defaultButton, platform::No);
        } else {
            EXPECT_TRUE(ui_.shown().empty());
        }
    }
}

TEST_F(CalendarTest, CloseReturnsTheStartDateAndCaptionDefaults) {
    struct Case {
        const char* name;
        std::int32_t start;
        QString caption;
        const char* title;
    };
    const Case cases[] = {
        {"a date", makeDate(4, 1, 2026), "Report from", "Report from"},
        {"no date", 0, "", "Select Date"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto cal = calendar(c.start, "None", {}, c.caption);
        EXPECT_EQ(cal->windowTitle(), c.title);
        cal->reject();
        EXPECT_EQ(cal->result(), c.start);
    }
}

// ---- Exceptions ----

class ScheduleExceptionsTest : public testing::TaskFormFixture {};

TEST_F(ScheduleExceptionsTest, EnableRules) {
    struct Case {
        const char* name;
        bool weekends, weekdays, holidays, range;
        bool weekendsEnabled, weekdaysEnabled, actionEnabled, rangeEnabled;
    };
    const Case cases[] = {
        {"nothing", false, false, false, false, true, true, false, false},
        {"weekends", true, false, false, false, true, false, true, false},
        {"weekdays", false, true, false, false, false, true, true, false},
        {"holidays", false, false, true, false, true, true, true, false},
        {"time range", false, false, false, true, true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Schedule t;
        ScheduleExceptions window(t, settings_.positionIni());
        window.weekends()->setChecked(c.weekends);
        window.weekdays()->setChecked(c.weekdays);
        window.holidays()->setChecked(c.holidays);
        window.timeRange()->setChecked(c.range);
        EXPECT_EQ(window.weekends()->isEnabled(), c.weekendsEnabled);
        EXPECT_EQ(window.weekdays()->isEnabled(), c.weekdaysEnabled);
        EXPECT_EQ(window.action("Next Day")->isEnabled(), c.actionEnabled);
        EXPECT_EQ(window.begin()->isEnabled(), c.rangeEnabled);
        EXPECT_EQ(window.end()->isEnabled(), c.rangeEnabled);
        EXPECT_FALSE(window.defineHolidays()->isEnabled());
        EXPECT_EQ(t.ExceptWeekends, c.weekends ? 1 : 0);
        EXPECT_EQ(t.ExceptTime, c.range ? 1 : 0);
    }
}

TEST_F(ScheduleExceptionsTest, ChoicesGoIntoTheTask) {
    Schedule t;
    t.ExceptTimeBegin = makeTime(12, 0);
    ScheduleExceptions window(t, settings_.positionIni());
    window.timeRange()->setChecked(true);
    window.end()->setTime(QTime(13, 30));
    window.holidays()->setChecked(true);
    window.action("Previous Day")->click();
    EXPECT_EQ(t.ExceptTime, 1);
    EXPECT_EQ(t.ExceptTimeBegin, makeTime(12, 0));
    EXPECT_EQ(t.ExceptTimeEnd, makeTime(13, 30));
    EXPECT_EQ(t.ExceptHolidays, 1);
    EXPECT_EQ(t.ShiftType, "Previous Day");
}

// ---- Window places ----

class WindowPlaceTest : public testing::TaskFormFixture {};

TEST_F(WindowPlaceTest, EachWindowKeepsItsPlaceUnderItsOwnName) {
    struct Case {
        const char* section;
        std::function<std::unique_ptr<QDialog>()> open;
    };
    Schedule t;
    const Case cases[] = {
        {"UpdateSchedule",
         [&] {
             auto form = std::make_unique<UpdateSchedule>(formPorts());
             form->begin(store::Request::Insert, {});
             return std::unique_ptr<QDialog>(std::move(form));
         }},
        {"Calendar",
         [&] {
             return std::unique_ptr<QDialog>(std::make_unique<Calendar>(
                 0, QString(), QString(), t, clock_, ui_, settings_.positionIni()));
         }},
        {"ScheduleExceptions",
         [&] {
             return std::unique_ptr<QDialog>(
                 std::make_unique<ScheduleExceptions>(t, settings_.positionIni()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        {
            auto window = c.open();
            window->setGeometry(40, 50, 610, 470);
            window->reject();
        }
        EXPECT_EQ(settings_.positionIni().read(c.section, "Width"), "610");
        auto again = c.open();
        EXPECT_EQ(again->width(), 610);
        EXPECT_EQ(again->height(), 470);
        again->reject();
    }
}

}  // namespace
}  // namespace agendix::schedule_ui
