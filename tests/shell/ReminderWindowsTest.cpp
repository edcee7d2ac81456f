#include <gtest/gtest.h>

#include "support/TickDoubles.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/ProgramLauncher.h"
#include "engine/SchedulerTick.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/FakeSound.h"
#include "shell/DataFileFixture.h"
#include "shell/ReminderWindows.h"

namespace agendix::shell {
namespace {

using store::makeDate;
using store::makeTime;

QPushButton* button(QWidget& window, const QString& caption) {
    for (QPushButton* found : window.findChildren<QPushButton*>()) {
        if (found->text() == caption) {
            return found;
        }
    }
    return nullptr;
}

QStringList captions(QWidget& window) {
    QStringList texts;
    for (QPushButton* found : window.findChildren<QPushButton*>()) {
        texts << found->text();
    }
    texts.sort();
    return texts;
}

// Lets queued calls and deferred deletes run.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

engine::ReminderHandover handover(std::string title, std::string text, std::string sound = {},
                                  std::string replyPath = {}) {
    return engine::ReminderHandover{std::move(title), std::move(text), std::move(sound),
                                    std::move(replyPath)};
}

class ReminderWindowsTest : public testing::DataFileFixture {
  protected:
    ReminderWindowsTest() { makeReminders(); }
    ~ReminderWindowsTest() override {
        reminders_.reset();
        settle();
    }

    void makeReminders() {
        reminders_.reset();
        settle();
        reminders_ = std::make_unique<ReminderWindows>(
            ReminderServices{access_, recurrence_, launcher_,
                             [this](std::string_view label, std::string_view data) {
                                 log_.push_back(std::string(label) + ": " + std::string(data));
                             },
                             settings_, clock_, ui_, sound_, positions_});
    }

    ReminderWindow& onlyWindow() {
        const auto windows = reminders_->windows();
        EXPECT_EQ(windows.size(), 1u);
        if (windows.empty()) {
            throw std::runtime_error("no reminder window is open");
        }
        return *windows.front();
    }

    void click(QWidget& window, const char* caption) {
        QPushButton* found = button(window, QString::fromUtf8(caption));
        ASSERT_NE(found, nullptr) << caption;
        QTest::mouseClick(found, Qt::LeftButton);
    }

    std::vector<std::string> log_;
    platform::FakeSound sound_;
    platform::FakeShell shell_;
    platform::FakeProcesses processes_;
    engine::ProgramLauncher launcher_{
        shell_, processes_, ui_,
        [this](std::string_view label, std::string_view data) {
            log_.push_back(std::string(label) + ": " + std::string(data));
        },
        [](std::int32_t, std::uint32_t) {}};
    store::SettingValues settings_;
    store::IniFile positions_{dir_ / "POSITION.INI"};
    std::unique_ptr<ReminderWindows> reminders_;
};

TEST_F(ReminderWindowsTest, TheSettingsChooseHowAReminderShows) {
    enum class Shown { Window, Box, Program, ModalWindow };
    struct Case {
        const char* name;
        bool win, external, modal;
        Shown shown;
    };
    const Case cases[] = {
        {"no setting: the usual window", false, false, false, Shown::Window},
        {"UseWinMessage: a plain message box", true, false, false, Shown::Box},
        {"UseExternalMessage: the message program", false, true, false, Shown::Program},
        {"UseModalMessage: the modal window", false, false, true, Shown::ModalWindow},
        {"the message box comes before the other two", true, true, true, Shown::Box},
        {"the message program comes before the modal window", false, true, true, Shown::Program},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.useWinMessage = c.win;
        settings_.useExternalMessage = c.external;
        settings_.useModalMessage = c.modal;
        makeReminders();
        log_.clear();
        shell_.requests.clear();
        const std::size_t boxesBefore = ui_.shown().size();

        reminders_->showMessage(handover("Take the pills   ", "Two blue ones   ", "chime.wav"));
        settle();

        ASSERT_FALSE(log_.empty());
        EXPECT_EQ(log_.front(), "Message: Take the pills chime.wav");
        const auto windows = reminders_->windows();
        const auto boxes = ui_.shown().size() - boxesBefore;
        switch (c.shown) {
            case Shown::Window:
                ASSERT_EQ(windows.size(), 1u);
                EXPECT_EQ(windows[0]->kind(), ReminderKind::Message);
                EXPECT_TRUE(windows[0]->isVisible());
                EXPECT_EQ(windows[0]->windowModality(), Qt::NonModal);
                EXPECT_FALSE(windows[0]->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
                EXPECT_EQ(reminders_->openReminderCount(), 1);
                EXPECT_EQ(boxes, 0u);
                break;
            case Shown::Box:
                EXPECT_TRUE(windows.empty());
                ASSERT_EQ(boxes, 1u);
                EXPECT_EQ(ui_.shown().back().text, "Two blue ones");
                EXPECT_EQ(ui_.shown().back().caption, "Take the pills");
                EXPECT_EQ(ui_.shown().back().buttons, platform::Ok);
                EXPECT_TRUE(shell_.requests.empty());
                break;
            case Shown::Program:
                EXPECT_TRUE(windows.empty());
                EXPECT_EQ(boxes, 0u);
                ASSERT_EQ(shell_.requests.size(), 1u);
                EXPECT_EQ(shell_.requests[0].verb, "open");
                EXPECT_EQ(shell_.requests[0].file, "ZORev.EXE \"Two blue ones\"");
                EXPECT_EQ(log_.back(), "Run Program: ZORev.EXE \"Two blue ones\"");
                break;
            case Shown::ModalWindow:
                ASSERT_EQ(windows.size(), 1u);
                EXPECT_EQ(windows[0]->kind(), ReminderKind::Modal);
                EXPECT_TRUE(windows[0]->isVisible());
                EXPECT_EQ(windows[0]->windowModality(), Qt::ApplicationModal);
                EXPECT_TRUE(windows[0]->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
                EXPECT_EQ(reminders_->openReminderCount(), 0) << "only the usual windows count";
                EXPECT_EQ(log_.size(), 1u) << "one log entry for one reminder";
                break;
        }
    }
}

TEST_F(ReminderWindowsTest, TheReplyWindowIgnoresTheSettingsAndStaysOnTop) {
    settings_.useWinMessage = settings_.useExternalMessage = settings_.useModalMessage = true;
    reminders_->showMessageWithReplyPath(handover("From Ann", "Call back", "", " /srv/ann"));
    settle();
    EXPECT_EQ(log_, std::vector<std::string>{"Message: From Ann "});
    ReminderWindow& window = onlyWindow();
    EXPECT_EQ(window.kind(), ReminderKind::Reply);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(reminders_->openReminderCount(), 0);
    EXPECT_TRUE(ui_.shown().empty());
    EXPECT_TRUE(shell_.requests.empty());
}

TEST_F(ReminderWindowsTest, EachWindowShowsItsOwnCopyWithTheControlsOfItsKind) {
    struct Case {
        const char* name;
        ReminderKind kind;
        QStringList buttons;
    };
    const Case cases[] = {
        {"usual", ReminderKind::Message, {"&Add to To Do List", "&Snooze", "Cl&ose"}},
        {"modal", ReminderKind::Modal, {"&Add to To Do List", "&Snooze", "Cl&ose"}},
        {"reply", ReminderKind::Reply, {"&Reply", "&Snooze", "&To Do", "Cl&ose"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.useModalMessage = c.kind == ReminderKind::Modal;
        makeReminders();
        auto given = handover(std::string(45, 'T'), "Line one\nLine two", "", "/srv/x");
        if (c.kind == ReminderKind::Reply) {
            reminders_->showMessageWithReplyPath(given);
        } else {
            reminders_->showMessage(given);
        }
        given.title = "changed";
        given.text = "changed";

        ReminderWindow& window = onlyWindow();
        EXPECT_EQ(window.windowTitle(), "Message");
        EXPECT_EQ(captions(window), c.buttons);
        const auto* title = window.findChild<QLineEdit*>();
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), QString(40, QLatin1Char('T')))
            << "the title field holds 40 characters";
        const auto* text = window.findChild<QPlainTextEdit*>();
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->toPlainText(), "Line one\nLine two");
        EXPECT_EQ(text->toolTip(), "Message to display");
        if (c.kind == ReminderKind::Reply) {
            EXPECT_EQ(button(window, "&Reply")->toolTip(), "Reply...");
            EXPECT_FALSE(button(window, "&Reply")->isEnabled())
                << "there is no quick-add window yet";
        }
        EXPECT_LT(window.minimumSizeHint().width(), window.width()) << "room beyond the minimum";
        EXPECT_NE(window.minimumSize(), window.maximumSize()) << "resizable";
    }
}

TEST_F(ReminderWindowsTest, OpenReminderCountFollowsTheUsualWindows) {
    reminders_->showMessage(handover("One", "1"));
    reminders_->showMessage(handover("Two", "2"));
    reminders_->showMessageWithReplyPath(handover("Reply", "r", "", "/srv"));
    EXPECT_EQ(reminders_->openReminderCount(), 2);

    auto windows = reminders_->windows();
    ASSERT_EQ(windows.size(), 3u);
    windows[2]->close();  // the reply window
    EXPECT_EQ(reminders_->openReminderCount(), 2);
    click(*windows[0], "Cl&ose");
    EXPECT_EQ(reminders_->openReminderCount(), 1);
    click(*windows[1], "&Snooze");
    EXPECT_EQ(reminders_->openReminderCount(), 0);
    settle();
    EXPECT_TRUE(reminders_->windows().empty());
}

TEST_F(ReminderWindowsTest, SnoozeAddsAOnceTaskTenMinutesOnAndClosesTheWindow) {
    struct Case {
        const char* name;
        std::int32_t today, now;
        std::int32_t dueDate, dueTime;
    };
    const Case cases[] = {
        {"in the morning", makeDate(3, 2, 2026), makeTime(10, 0), makeDate(3, 2, 2026),
         makeTime(10, 10)},
        {"at 23:50 it is due at midnight", makeDate(3, 2, 2026), makeTime(23, 50),
         makeDate(3, 3, 2026), makeTime(0, 0)},
        {"at 23:55 it is due tomorrow", makeDate(3, 2, 2026), makeTime(23, 55),
         makeDate(3, 3, 2026), makeTime(0, 5)},
        {"on New Year's Eve", makeDate(12, 31, 2026), makeTime(23, 55), makeDate(1, 1, 2027),
         makeTime(0, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        access_.table(store::scheduleTable()).empty();
        clock_.set(c.today, c.now);
        reminders_->showMessage(handover("Stand-up", "Room 4", "chime.wav"));
        QPointer<ReminderWindow> window = &onlyWindow();

        click(*window, "&Snooze");
        settle();
        EXPECT_TRUE(window.isNull()) << "closed";
        EXPECT_EQ(reminders_->openReminderCount(), 0);
        const auto tasks = allTasks();
        ASSERT_EQ(tasks.size(), 1u);
        const store::Schedule& task = tasks[0];
        EXPECT_EQ(task.Date, c.dueDate);
        EXPECT_EQ(task.Time, c.dueTime);
        EXPECT_EQ(task.ScheduleType, "Once");
        EXPECT_EQ(task.TaskType, "Display Message");
        EXPECT_EQ(task.Category, "Snooze");
        EXPECT_EQ(task.Description, "Stand-up");
        EXPECT_EQ(task.Message, "Room 4");
        EXPECT_EQ(task.SkipIfMissed, 1);
        EXPECT_EQ(task.Alarm, 0) << "a snoozed reminder has no alarm";
        EXPECT_EQ(task.AlarmFile, "");
        EXPECT_EQ(task.Command, "");
        EXPECT_EQ(task.Path, "");
        EXPECT_EQ(task.Disabled, 0);
        EXPECT_EQ(task.Completed, 0);
    }
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(ReminderWindowsTest, SnoozeTakesTheTextAsTheUserLeftIt) {
    reminders_->showMessageWithReplyPath(handover("From Ann", "Call back", "", "/srv/ann"));
    ReminderWindow& window = onlyWindow();
    window.findChild<QLineEdit*>()->setText("Call Ann");
    window.findChild<QPlainTextEdit*>()->setPlainText("About Friday");
    click(window, "&Snooze");
    const auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].Description, "Call Ann");
    EXPECT_EQ(tasks[0].Message, "About Friday");
    EXPECT_EQ(tasks[0].Path, "") << "the snoozed task is no reply";
}

TEST_F(ReminderWindowsTest, ASnoozeThatCannotBeSavedIsReportedAndTheWindowClosesAnyway) {
    // Another station holds the data file: the add runs into the lock time-out.
    store::Database other(dir_.path());
    store::StoredTable& otherSchedule = other.table(store::scheduleTable());
    ASSERT_TRUE(otherSchedule.open().ok());
    ASSERT_TRUE(otherSchedule.lock().ok());

    reminders_->showMessage(handover("Stand-up", "Room 4"));
    QPointer<ReminderWindow> window = &onlyWindow();
    click(*window, "&Snooze");
    settle();
    EXPECT_TRUE(window.isNull());
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].caption, "Record Insert Error");

    otherSchedule.unlock();
    otherSchedule.close();
    EXPECT_TRUE(allTasks().empty());
}

TEST_F(ReminderWindowsTest, AddToToDoAddsAnItemEachTimeAndKeepsTheWindowOpen) {
    struct Case {
        const char* name;
        ReminderKind kind;
        const char* caption;
    };
    const Case cases[] = {
        {"usual window", ReminderKind::Message, "&Add to To Do List"},
        {"reply window", ReminderKind::Reply, "&To Do"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        makeReminders();
        {
            auto todo = access_.use(store::todoTable());
            ASSERT_TRUE(todo.ok() && todo.table().empty().ok());
        }
        const std::size_t boxesBefore = ui_.shown().size();
        if (c.kind == ReminderKind::Reply) {
            reminders_->showMessageWithReplyPath(handover("Stand-up", "Room 4", "", "/srv"));
        } else {
            reminders_->showMessage(handover("Stand-up", "Room 4"));
        }
        ReminderWindow& window = onlyWindow();
        click(window, c.caption);
        click(window, c.caption);
        settle();

        EXPECT_TRUE(window.isVisible());
        const auto items = allToDos();
        ASSERT_EQ(items.size(), 2u);
        for (const auto& item : items) {
            EXPECT_EQ(item.ToDo, "Stand-up");
            EXPECT_EQ(item.Notes, "Room 4");
            EXPECT_EQ(item.Category, "General");
            EXPECT_EQ(item.Priority, 5);
            EXPECT_EQ(item.Done, 0);
        }
        ASSERT_EQ(ui_.shown().size(), boxesBefore + 2);
        EXPECT_EQ(ui_.shown().back().caption, "Saved");
        EXPECT_EQ(ui_.shown().back().text, "Added to To Do List:\rStand-up");
    }
}

TEST_F(ReminderWindowsTest, TheAlarmRepeatsAtTheIntervalWhileTheWindowIsOpen) {
    struct Case {
        const char* name;
        int interval;
        const char* sound;
        ReminderKind kind;
        std::int32_t opened;
        std::vector<int> playedAt;  // seconds after opening
        int beeps;
        std::int32_t nextDate, nextTime;  // after 65 seconds
    };
    const std::int32_t today = makeDate(3, 2, 2026);
    const Case cases[] = {
        {"interval 0 never repeats",
         0,
         "chime.wav",
         ReminderKind::Message,
         makeTime(10, 0),
         {},
         0,
         0,
         0},
        {"a blank name plays nothing but moves on",
         30,
         "",
         ReminderKind::Message,
         makeTime(10, 0),
         {},
         0,
         today,
         makeTime(10, 1, 32)},
        {"a sound file plays once the moment has passed",
         30,
         "chime.wav",
         ReminderKind::Message,
         makeTime(10, 0),
         {31, 62},
         0,
         today,
         makeTime(10, 1, 32)},
        {"BEEP beeps",
         30,
         "beep",
         ReminderKind::Message,
         makeTime(10, 0),
         {},
         2,
         today,
         makeTime(10, 1, 32)},
        {"the modal window waits the interval too",
         30,
         "chime.wav",
         ReminderKind::Modal,
         makeTime(10, 0),
         {31, 62},
         0,
         today,
         makeTime(10, 1, 32)},
        {"the reply window repeats as well",
         30,
         "chime.wav",
         ReminderKind::Reply,
         makeTime(10, 0),
         {31, 62},
         0,
         today,
         makeTime(10, 1, 32)},
        {"across midnight",
         30,
         "chime.wav",
         ReminderKind::Message,
         makeTime(23, 59, 50),
         {31, 62},
         0,
         makeDate(3, 3, 2026),
         makeTime(0, 1, 22)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.repeatAlarmInterval = c.interval;
        settings_.useModalMessage = c.kind == ReminderKind::Modal;
        makeReminders();
        sound_ = platform::FakeSound{};
        clock_.set(today, c.opened);
        if (c.kind == ReminderKind::Reply) {
            reminders_->showMessageWithReplyPath(handover("Stand-up", "Room 4", c.sound, "/srv"));
        } else {
            reminders_->showMessage(handover("Stand-up", "Room 4", c.sound));
        }
        ReminderWindow& window = onlyWindow();

        std::vector<int> playedAt;
        for (int second = 1; second <= 65; ++second) {
            clock_.advance(100);
            const std::size_t before = sound_.played.size();
            window.alarmTimer();
            if (sound_.played.size() > before) {
                EXPECT_EQ(sound_.played.back(), "chime.wav");
                playedAt.push_back(second);
            }
        }
        EXPECT_EQ(playedAt, c.playedAt);
        EXPECT_EQ(sound_.beeps, c.beeps);
        EXPECT_EQ(window.nextAlarmDate(), c.nextDate);
        EXPECT_EQ(window.nextAlarmTime(), c.nextTime);
    }
}

TEST_F(ReminderWindowsTest, ASoundThatCannotPlayIsPassedOver) {
    settings_.repeatAlarmInterval = 30;
    sound_.canPlay = false;
    reminders_->showMessage(handover("Stand-up", "Room 4", "missing.wav"));
    ReminderWindow& window = onlyWindow();
    clock_.advance(3100);
    window.alarmTimer();
    EXPECT_EQ(sound_.played, std::vector<std::string>{"missing.wav"});
    EXPECT_EQ(window.nextAlarmTime(), makeTime(10, 1, 1));
    EXPECT_TRUE(ui_.shown().empty());
}

TEST_F(ReminderWindowsTest, EachReplyWindowRepliesWhereItsOwnMessageCameFrom) {
    reminders_->showMessageWithReplyPath(handover("From Ann", "Call back", "", " /srv/ann"));
    reminders_->showMessageWithReplyPath(handover("From Bob", "Lunch?", "", " /srv/bob"));
    auto windows = reminders_->windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->replyPath(), " /srv/ann");
    EXPECT_EQ(windows[1]->replyPath(), " /srv/bob");
    for (ReminderWindow* window : windows) {
        EXPECT_FALSE(button(*window, "&Reply")->isEnabled());
    }

    // Once there is somewhere to reply from, each window replies to its own sender.
    std::vector<std::string> repliedTo;
    reminders_->setReplyAction(
        [&](const std::string& directory) { repliedTo.push_back(directory); });
    click(*windows[0], "&Reply");
    click(*windows[1], "&Reply");
    EXPECT_EQ(repliedTo, (std::vector<std::string>{"/srv/ann", "/srv/bob"}));
}

TEST_F(ReminderWindowsTest, OnlyTheUsualWindowKeepsItsPlace) {
    positions_.write("ShowMessage", {{"Maximize", "No"},
                                     {"XPosit", "130"},
                                     {"YPosit", "90"},
                                     {"Width", "500"},
                                     {"Height", "320"}});
    reminders_->showMessage(handover("Stand-up", "Room 4"));
    ReminderWindow& window = onlyWindow();
    EXPECT_EQ(window.geometry(), QRect(130, 90, 500, 320));
    window.setGeometry(150, 100, 520, 340);
    window.close();
    EXPECT_EQ(positions_.read("ShowMessage", "XPosit"), "150");
    EXPECT_EQ(positions_.read("ShowMessage", "Width"), "520");

    reminders_->showMessageWithReplyPath(handover("From Ann", "Call back", "", "/srv/ann"));
    settings_.useModalMessage = true;
    reminders_->showMessage(handover("Modal", "m"));
    for (ReminderWindow* other : reminders_->windows()) {
        EXPECT_NE(other->geometry().topLeft(), QPoint(150, 100));
        other->setGeometry(10, 10, 400, 300);
        other->close();
    }
    EXPECT_EQ(positions_.read("ShowMessage", "XPosit"), "150");
}

TEST_F(ReminderWindowsTest, TheKeyboardWorksTheWindow) {
    reminders_->showMessage(handover("Stand-up", "Room 4"));
    QPointer<ReminderWindow> window = &onlyWindow();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.data()));

    QTest::keyClick(window.data(), Qt::Key_A, Qt::AltModifier);
    for (int wait = 0; wait < 100 && allToDos().empty(); ++wait) {
        QTest::qWait(10);  // a mnemonic clicks its button after a short animation
    }
    EXPECT_EQ(allToDos().size(), 1u);
    QTest::keyClick(window->findChild<QPlainTextEdit*>(), Qt::Key_Escape);
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(reminders_->openReminderCount(), 0);
}

TEST_F(ReminderWindowsTest, ClosingTheProgramClosesTheWindowsAndNeverTheOtherWayRound) {
    reminders_->showMessage(handover("Stand-up", "Room 4"));
    ReminderWindow& window = onlyWindow();
    EXPECT_FALSE(window.testAttribute(Qt::WA_QuitOnClose));
    EXPECT_TRUE(window.isWindow());
    window.setGeometry(210, 170, 450, 300);
    reminders_.reset();
    EXPECT_EQ(positions_.read("ShowMessage", "XPosit"), "210");
}

// The scheduler's side: a message task that falls due opens a real window, whose snooze leaves
// the next reminder in the schedule.
TEST_F(ReminderWindowsTest, ADueMessageTaskOpensAWindowWhoseSnoozeIsScheduled) {
    agendix::testing::QuietFrame frame;
    agendix::testing::NoScripts scripts;
    store::SettingValues tickSettings;
    engine::SchedulerTick tick(
        engine::SchedulerTick::Ports{
            access_, recurrence_, launcher_, *reminders_, scripts, frame, clock_, ui_, sound_,
            [this](std::string_view label, std::string_view data) {
                log_.push_back(std::string(label) + ": " + std::string(data));
            }},
        tickSettings, "Agendix");

    store::Schedule task;
    task.TaskType = "Display Message";
    task.Description = "Stand-up";
    task.Message = "Room 4";
    task.ScheduleType = "Once";
    task.Date = clock_.today();
    task.Time = clock_.now();
    task.Alarm = 1;
    task.AlarmFile = "chime.wav";
    ASSERT_TRUE(recurrence_.addScheduleCopy(task).ok());

    tick.tick();
    ReminderWindow& window = onlyWindow();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.findChild<QLineEdit*>()->text(), "Stand-up");
    EXPECT_EQ(window.findChild<QPlainTextEdit*>()->toPlainText(), "Room 4");
    EXPECT_EQ(reminders_->openReminderCount(), 1);

    click(window, "&Snooze");
    EXPECT_EQ(reminders_->openReminderCount(), 0);
    const auto tasks = allTasks();
    ASSERT_EQ(tasks.size(), 2u) << "the task's history and the snoozed reminder";
    EXPECT_EQ(tasks[1].Category, "Snooze");
    EXPECT_EQ(tasks[1].Time, store::makeTime(10, 10));
    EXPECT_EQ(tasks[1].Disabled, 0);
}

}  // namespace
}  // namespace agendix::shell
