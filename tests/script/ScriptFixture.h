#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/ProgramLauncher.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeDde.h"
#include "platform/fake/FakeDesktopWindows.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShell.h"
#include "platform/fake/RecordingKeyboard.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "script/KeySender.h"
#include "script/ScriptActions.h"
#include "script/ScriptLoader.h"
#include "script/ScriptQueue.h"
#include "script/ScriptRunner.h"
#include "script/WindowList.h"
#include "store/DataDictionary.h"
#include "store/Database.h"
#include "store/FileAccess.h"
#include "store/Settings.h"
#include "store/StandardDate.h"
#include "store/StandardWarnings.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace agendix::script::testing {

// The name of a table case: its `name` member.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// Script items as the script editor writes them.
inline store::Scripting item(const std::string& action) {
    store::Scripting made;
    made.Action = action;
    return made;
}
inline store::Scripting sendKeys(const std::string& keystrokes) {
    store::Scripting made = item("Send Keystrokes");
    made.Keystrokes = keystrokes;
    return made;
}
inline store::Scripting wait(int seconds, const std::string& join, const std::string& window = {}) {
    store::Scripting made = item("Wait");
    made.SecondsToWait = seconds;
    made.DDEApplicationName = join;
    made.WaitForWindow = window;
    return made;
}
inline store::Scripting setFocus(const std::string& pattern) {
    store::Scripting made = item("Set Focus");
    made.FocusOnWindow = pattern;
    return made;
}
inline store::Scripting ifWindow(const std::string& existence, const std::string& pattern) {
    store::Scripting made = item("If Window...");
    made.WindowExistance = existence;
    made.WindowTitleToCheckFor = pattern;
    return made;
}
inline store::Scripting ifTimeElapsed(const std::string& comparison, int seconds) {
    store::Scripting made = item("If Time Elapsed...");
    made.IfTimeElapsed = comparison;
    made.TimeElapsed = seconds;
    return made;
}
inline store::Scripting endIf() {
    return item("...End If");
}
inline store::Scripting exitScript() {
    return item("Exit Script");
}
inline store::Scripting displayMessage(const std::string& title, const std::string& text) {
    store::Scripting made = item("Display Message");
    made.DDEApplicationTopic = title;
    made.DDEApplicationName = text;
    return made;
}
inline store::Scripting startProgram(const std::string& command, const std::string& options,
                                     int timeout = 0, const std::string& startType = {},
                                     const std::string& path = {}) {
    store::Scripting made = item("Start Program");
    made.Command = command;
    made.DDEApplicationName = options;
    made.TimeElapsed = timeout;
    made.DDEApplicationTopic = startType;
    made.Path = path;
    return made;
}
inline store::Scripting closeProgram(const std::string& command) {
    store::Scripting made = item("Close Program");
    made.Command = command;
    return made;
}
inline store::Scripting dde(const std::string& application, const std::string& topic,
                            const std::string& command) {
    store::Scripting made = item("DDE (Dynamic Data Exchange)");
    made.DDEApplicationName = application;
    made.DDEApplicationTopic = topic;
    made.DDECommand = command;
    made.DDEType = "Execute";
    return made;
}

// Records the keystroke texts it is given; `during` runs while a text is being "typed".
class RecordingKeySender final : public KeySender {
  public:
    std::vector<std::string> sent;
    std::function<void()> during;
    void sendKeys(const std::string& keystrokes) override {
        sent.push_back(keystrokes);
        if (during) {
            during();
        }
    }
};

// A desktop without an X11 display.
class NoDisplayWindows final : public platform::DesktopWindows {
  public:
    int calls = 0;
    bool available() const override { return false; }
    std::vector<platform::DesktopWindow> topLevelWindows() override {
        ++calls;
        return {};
    }
    bool activate(platform::WindowHandle) override { return ++calls, false; }
    bool restore(platform::WindowHandle) override { return ++calls, false; }
    platform::WindowHandle foregroundWindow() override { return ++calls, 0; }
    bool requestClose(platform::WindowHandle) override { return ++calls, false; }
};

class NoDisplayKeyboard final : public platform::Keyboard {
  public:
    bool available() const override { return false; }
    bool typeText(const std::string&) override { return false; }
    bool pressKey(unsigned) override { return false; }
    bool click(unsigned) override { return false; }
};

// A user interface that runs something while a message box is open (the nested event loop).
class InterruptingUserInterface final : public platform::UserInterface {
  public:
    std::vector<platform::MessageRequest> shown;
    std::function<void()> during;
    platform::MessageButton message(const platform::MessageRequest& request) override {
        shown.push_back(request);
        if (during) {
            auto run = std::move(during);
            during = nullptr;
            run();
        }
        return request.defaultButton;
    }
    std::optional<std::string> chooseFile(const platform::FileDialogRequest&) override {
        return std::nullopt;
    }
    void halt(const std::string&) override {}
    bool halted() const override { return false; }
};

struct LogLine {
    std::string label;
    std::string data;
    std::int64_t at = 0;  // hundredths since the first script was loaded
};

// The script queue, loader and runner on a real data file, with a fake clock, a fake desktop and
// a scripted user. The launcher is the real one over a fake shell and fake processes.
class ScriptFixture : public ::testing::Test {
  protected:
    static constexpr std::int32_t kTenOClock = store::makeTime(10, 0);

    ScriptFixture() {
        EXPECT_TRUE(access_.openTable(store::scriptingTable()));
        settings_.scriptingDelay = 50;
        useDesktop(windows_, keyboard_, ui_);
    }

    // A runner on another desktop, keyboard or user interface.
    void useDesktop(platform::DesktopWindows& desktop, const platform::Keyboard& keyboard,
                    platform::UserInterface& ui) {
        runner_ = std::make_unique<ScriptRunner>(
            ScriptRunner::Ports{
                queue_, windowList_, launcher_, processes_, desktop, keyboard, keys_, dde_, clock_,
                ui,
                [this](std::string_view label, std::string_view data) {
                    log_.push_back({std::string(label), std::string(data), elapsed()});
                },
                [this](const std::string& text) {
                    status_ = text;
                    statuses_.push_back(text);
                },
                [this] { return frameWindow_; }},
            debug_, kTool);
    }

    static std::int64_t moment(std::int32_t date, std::int32_t time) {
        return static_cast<std::int64_t>(date) * store::kLastHundredth + time;
    }
    std::int64_t elapsed() const { return moment(clock_.today(), clock_.now()) - start_; }
    std::int64_t dueOf(const ScriptEntry& entry) const {
        return moment(entry.dueDate, entry.dueTime) - start_;
    }

    // Stores the items as the script of the task, in this order.
    void addScript(std::int32_t taskId, const std::vector<store::Scripting>& items) {
        store::Table<store::Scripting> scripting(access_.table(store::scriptingTable()));
        std::int32_t sequence = 0;
        for (store::Scripting made : items) {
            made.ID = taskId;
            made.Sequence = ++sequence;
            ASSERT_TRUE(scripting.add(made).ok());
        }
    }

    // Runs the task's program through the launcher, which loads its script. The first load sets
    // the moment that times are counted from.
    void run(std::int32_t taskId) {
        if (!started_) {
            start_ = moment(clock_.today(), clock_.now());
            started_ = true;
        }
        engine::LaunchRequest request;
        request.taskId = taskId;
        request.command = "notes";
        launcher_.launch(request);
    }

    // One frame timer event of the running script (half a second).
    void tick() {
        clock_.advance(50);
        runner_->runTick();
    }

    // Ticks until the queue is empty; `before` runs before each tick.
    void runToEnd(const std::function<void()>& before = {}, int maxTicks = 20000) {
        for (int i = 0; i < maxTicks && !queue_.empty(); ++i) {
            if (before) {
                before();
            }
            tick();
        }
        EXPECT_TRUE(queue_.empty());
    }

    // The data of the lines logged with a label, in order.
    std::vector<std::string> logged(const std::string& label = "Script") const {
        std::vector<std::string> data;
        for (const auto& line : log_) {
            if (line.label == label) {
                data.push_back(line.data);
            }
        }
        return data;
    }

    static constexpr const char* kTool = "/opt/agendix/RaziRuzu";

    agendix::testing::TempDir dir_;
    platform::FakeClock clock_{store::makeDate(3, 1, 2026), kTenOClock};
    platform::ScriptedUserInterface ui_;
    store::Database database_{dir_.path()};
    store::StandardWarnings warnings_{ui_};
    store::FileAccess access_{database_, warnings_};
    store::SettingValues settings_;
    platform::FakeShell shell_;
    platform::FakeProcesses processes_;
    platform::FakeDesktopWindows windows_;
    platform::RecordingKeyboard keyboard_;
    RecordingKeySender keys_;
    platform::FakeDde dde_;
    std::vector<LogLine> log_;
    std::string status_;
    std::vector<std::string> statuses_;
    platform::WindowHandle frameWindow_ = 0;
    int debug_ = 0;

    ScriptQueue queue_;
    WindowList windowList_;
    ScriptLoader loader_{queue_, access_, clock_, settings_, ui_};
    engine::ProgramLauncher launcher_{
        shell_, processes_, ui_,
        [this](std::string_view label, std::string_view data) {
            log_.push_back({std::string(label), std::string(data), elapsed()});
        },
        [this](std::int32_t taskId, std::uint32_t result) { loader_.loadScript(taskId, result); }};
    std::unique_ptr<ScriptRunner> runner_;

    std::int64_t start_ = 0;
    bool started_ = false;
};

}  // namespace agendix::script::testing
