// Scripts against real windows on the X server: focus by title pattern, keystrokes typed through
// the X server (also under a German layout), a wait for a window to go, and a program started and
// waited for, then ended by the close-program tool.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTemporaryDir>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "engine/ProgramLauncher.h"
#include "platform/DesktopShell.h"
#include "platform/PosixProcesses.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeDde.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "script/ScriptLoader.h"
#include "script/ScriptQueue.h"
#include "script/ScriptRunner.h"
#include "script/SendKeys.h"
#include "script/WindowList.h"
#include "store/DataDictionary.h"
#include "store/Database.h"
#include "store/FileAccess.h"
#include "store/StandardDate.h"
#include "store/Table.h"
#include "support/TempDir.h"
#include "x11/NotesWindow.h"
#include "x11/X11Fixture.h"

namespace agendix::platform::testing {
namespace {

constexpr Qt::KeyboardModifiers kChordModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

// A script runner wired as the program wires it, on the real X server, with a fake clock that the
// test moves on between ticks.
class ScriptOnDesktop : public X11Fixture {
protected:
    ScriptOnDesktop() {
        for (const store::TableDef* def : {&store::scheduleTable(), &store::scriptingTable()}) {
            EXPECT_TRUE(access_.openTable(*def));
        }
    }

    void addItems(std::int32_t taskId, const std::vector<store::Scripting>& items) {
        store::Table<store::Scripting> scripting(access_.table(store::scriptingTable()));
        int sequence = 1;
        for (store::Scripting item : items) {
            item.ID = taskId;
            item.Sequence = sequence++;
            ASSERT_TRUE(scripting.add(item).ok());
        }
    }

    static store::Scripting item(const std::string& action) {
        store::Scripting made;
        made.Action = action;
        return made;
    }
    static store::Scripting keys(const std::string& text) {
        store::Scripting made = item("Send Keystrokes");
        made.Keystrokes = text;
        return made;
    }

    // Ticks at the script pace until the queue is empty or `ticks` have passed. Between ticks the
    // desktop gets real time too, as at the program's pace, so that a window manager can finish
    // activating a window before the next item types into it.
    void run(int ticks, const std::function<bool()>& stop = {}) {
        for (int i = 0; i < ticks && !queue_.empty(); ++i) {
            runner_.runTick();
            clock_.advance(50);
            QTest::qWait(50);
            if (stop && stop()) {
                return;
            }
        }
    }

    agendix::testing::TempDir dir_;
    FakeClock clock_{store::makeDate(6, 1, 2026), store::makeTime(9, 0)};
    ScriptedUserInterface ui_;
    FakeDde dde_;
    PosixProcesses processes_;
    DesktopShell shell_{processes_};
    store::Database database_{dir_.path()};
    store::StandardWarnings warnings_{ui_};
    store::FileAccess access_{database_, warnings_};
    store::SettingValues settings_;
    std::vector<std::string> log_;
    script::ScriptQueue queue_;
    script::WindowList windowList_;
    script::ScriptLoader loader_{queue_, access_, clock_, settings_, ui_};
    // Waiting while keys are sent moves the fake clock and lets the X server's events through.
    script::SendKeys sendKeys_{keyboard, clock_, settings_, [this](std::int32_t hundredths) {
                                   clock_.advance(hundredths);
                                   QApplication::processEvents(QEventLoop::AllEvents, 5);
                               }};
    engine::ProgramLauncher launcher_{shell_, processes_, ui_,
                                      [this](std::string_view l, std::string_view d) {
                                          log_.push_back(std::string(l) + ": " + std::string(d));
                                      },
                                      [this](std::int32_t id, std::uint32_t r) { loader_.loadScript(id, r); }};
    script::ScriptRunner runner_{
        script::ScriptRunner::Ports{queue_, windowList_, launcher_, processes_, windows, keyboard, sendKeys_, dde_,
                                    clock_, ui_,
                                    [this](std::string_view l, std::string_view d) {
                                        log_.push_back(std::string(l) + ": " + std::string(d));
                                    },
                                    [](const std::string&) {}, {}},
        0};
};

TEST_P(ScriptOnDesktop, FocusTypeAndWaitForTheWindowToGo) {
    NotesWindow notes("Untitled - Notes");
    show(notes);
    NotesWindow other("Other window");
    focus(other);  // the script has to move the focus itself

    store::Scripting focusNotes = item("Set Focus");
    focusNotes.FocusOnWindow = "Untitled - *";
    store::Scripting waitGone = item("Wait");
    waitGone.WaitForWindow = "~Untitled - *";
    waitGone.DDEApplicationName = "And";
    store::Scripting after = item("Display Message");
    after.DDEApplicationTopic = "Done";
    after.DDEApplicationName = "The notes window has gone";
    addItems(1, {focusNotes, keys("Hello, World![ENTER]"), keys("[CTRLA]"), waitGone, after});
    loader_.loadScript(1, 42);

    run(40, [&] { return notes.keys.size() >= 15; });
    ASSERT_TRUE(eventually([&] { return notes.typed.startsWith("Hello, World!"); }))
        << "arrived: " << notes.typed.toStdString();
    EXPECT_TRUE(other.typed.isEmpty());
    run(20, [&] {
        return !notes.keys.empty() && notes.keys.back().key == Qt::Key_A &&
               (notes.keys.back().modifiers & kChordModifiers) == Qt::ControlModifier;
    });
    ASSERT_GE(notes.keys.size(), 2u);
    EXPECT_EQ(notes.keys.back().key, Qt::Key_A);
    EXPECT_EQ(notes.keys.back().modifiers & kChordModifiers, Qt::ControlModifier) << "[CTRLA] arrives as Ctrl+A";
    bool enter = false;
    for (const auto& key : notes.keys) {
        enter = enter || key.key == Qt::Key_Return || key.key == Qt::Key_Enter;
    }
    EXPECT_TRUE(enter);

    // The wait holds while the window is there.
    run(30);
    EXPECT_FALSE(queue_.empty());
    EXPECT_TRUE(ui_.shown().empty());

    notes.close();
    ASSERT_TRUE(eventually([&] {
        for (const auto& window : windows.topLevelWindows()) {
            if (window.title == "Untitled - Notes") {
                return false;
            }
        }
        return true;
    }));
    run(60, [&] { return !ui_.shown().empty(); });
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].text, "The notes window has gone");
}

TEST_P(ScriptOnDesktop, TheSameTextArrivesUnderAGermanLayout) {
    KeyboardLayout german("de");
    if (!german.applied()) {
        GTEST_SKIP() << "setxkbmap is missing";
    }
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    addItems(2, {keys("Hello, World! zy")});
    loader_.loadScript(2, 42);
    run(40, [&] { return notes.typed == "Hello, World! zy"; });
    EXPECT_TRUE(eventually([&] { return notes.typed == "Hello, World! zy"; }))
        << "arrived: " << notes.typed.toStdString();
}

TEST_P(ScriptOnDesktop, StartProgramWaitsForItsEndAndTheCloseToolEndsIt) {
    // A program of a distinctive name that runs until it is ended.
    const std::filesystem::path program = dir_ / "agendix-sleeper";
    std::filesystem::copy_file("/bin/sleep", program);
    store::Scripting start = item("Start Program");
    start.Command = program.string() + " 300";
    start.DDEApplicationName = "1";  // start options: wait for the program to end
    store::Scripting after = item("Display Message");
    after.DDEApplicationTopic = "Ended";
    after.DDEApplicationName = "The program has ended";
    addItems(3, {start, after});
    loader_.loadScript(3, 42);

    run(40);
    EXPECT_FALSE(queue_.empty()) << "the script waits while the program runs";
    EXPECT_TRUE(ui_.shown().empty()) << (ui_.shown().empty() ? "" : ui_.shown()[0].caption + ": " + ui_.shown()[0].text);

    // The close-program tool ends it by its executable name; the waiting script goes on.
    ASSERT_EQ(std::system("\"" AGENDIX_RAZI_RUZU "\" agendix-sleeper"), 0);
    run(60, [&] { return !ui_.shown().empty(); });
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].text, "The program has ended");
}

INSTANTIATE_TEST_SUITE_P(Desktops, ScriptOnDesktop, ::testing::Values(Desktop::Bare, Desktop::Openbox), desktopName);

}  // namespace
}  // namespace agendix::platform::testing
