// A due message task on a real X display: the tick opens a real reminder window, the desktop lists
// it, and Alt+S typed through the X server snoozes it into a new task.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>

#include "engine/SchedulerTick.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "platform/x11/X11Platform.h"
#include "shell/ReminderWindow.h"
#include "shell/ReminderWindows.h"
#include "store/DataDictionary.h"
#include "store/StandardDate.h"
#include "store/Table.h"
#include "support/TempDir.h"
#include "support/TickDoubles.h"

namespace agendix {
namespace {

bool waitFor(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 10000) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

TEST(ReminderOnDesktop, ADueMessageOpensARealWindowThatAltSSnoozes) {
    platform::X11DesktopWindows windows;
    platform::X11Keyboard keyboard;
    if (!windows.available()) {
        GTEST_SKIP() << "no X display";
    }
    testing::TempDir dir;
    platform::FakeClock clock{store::makeDate(6, 1, 2026), store::makeTime(9, 0)};
    platform::ScriptedUserInterface ui;
    platform::FakeSound sound;
    platform::FakeShell shell;
    platform::FakeProcesses processes;
    store::Database database(dir.path());
    store::StandardWarnings warnings(ui);
    store::FileAccess access(database, warnings);
    for (const store::TableDef* def : {&store::scheduleTable(), &store::scriptingTable(), &store::todoTable()}) {
        ASSERT_TRUE(access.openTable(*def));
    }
    engine::Recurrence recurrence(database.table(store::scheduleTable()), database.table(store::holidaysTable()), ui,
                                  clock);
    engine::ProgramLauncher launcher(shell, processes, ui, [](std::string_view, std::string_view) {},
                                     [](std::int32_t, std::uint32_t) {});
    store::SettingValues settings;
    std::vector<std::string> log;
    auto writeLog = [&log](std::string_view label, std::string_view data) {
        log.push_back(std::string(label) + ": " + std::string(data));
    };
    shell::ReminderWindows reminders(shell::ReminderServices{access, recurrence, launcher, writeLog, settings, clock,
                                                             ui, sound, store::IniFile(dir / "POSITION.INI")});
    testing::QuietFrame frame;
    testing::NoScripts scripts;
    engine::SchedulerTick tick(
        engine::SchedulerTick::Ports{access, recurrence, launcher, reminders, scripts, frame, clock, ui, sound, writeLog},
        settings, "Agendix 98");

    store::Schedule task;
    task.TaskType = "Display Message";
    task.ScheduleType = "Once";
    task.Description = "Dentist at ten";
    task.Message = "Bring the insurance card.";
    task.Date = clock.today();
    task.Time = clock.now();
    ASSERT_TRUE(recurrence.addScheduleCopy(task).ok());

    tick.tick();
    platform::WindowHandle handle = 0;
    ASSERT_TRUE(waitFor([&] {
        for (const auto& window : windows.topLevelWindows()) {
            if (window.title == "Message") {
                handle = window.handle;
                return true;
            }
        }
        return false;
    })) << "the desktop lists a window titled Message";
    ASSERT_EQ(reminders.windows().size(), 1u);
    EXPECT_EQ(reminders.windows().front()->title(), "Dentist at ten");
    EXPECT_EQ(reminders.windows().front()->text(), "Bring the insurance card.");

    ASSERT_TRUE(windows.activate(handle));
    ASSERT_TRUE(waitFor([&] { return QApplication::activeWindow() != nullptr; }));
    ASSERT_TRUE(keyboard.pressKey('S' + platform::AltModifier));
    ASSERT_TRUE(waitFor([&] { return reminders.openReminderCount() == 0; })) << "Alt+S snoozes and closes it";

    store::Table<store::Schedule> schedule(access.table(store::scheduleTable()));
    schedule.setKey("KeyDateEnabled");
    store::Schedule snoozed;
    ASSERT_TRUE(schedule.next(snoozed).ok());
    EXPECT_EQ(snoozed.Category, "Snooze");
    EXPECT_EQ(snoozed.Description, "Dentist at ten");
    EXPECT_EQ(snoozed.Time, store::makeTime(9, 10));
    EXPECT_EQ(log.front(), "Message: Dentist at ten ");
}

}  // namespace
}  // namespace agendix
