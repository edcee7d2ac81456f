#include "script/ScriptRunner.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "engine/ScheduleRules.h"
#include "script/ScriptActions.h"
#include "store/StandardDate.h"

namespace agendix::script {
namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// Whether an "If Time Elapsed..." condition is "Time Elapsed is Less Than". The field holds 20
// characters, so the editor's values arrive as "Time Elapsed is Less" and "Time Elapsed is Grea";
// any value without "Less" is the "Greater Than" test, the editor's default.
bool namesLessThan(const std::string& condition) {
    return contains(condition, "Less");
}

char optionAt(const std::string& options, std::size_t index) {
    return index < options.size() ? options[index] : ' ';
}

// The start options of a "Start Program" item: characters 1-3 of SCR:DDEApplicationName.
struct StartOptions {
    bool waitForEnd = false;
    int priority = 2;    // 1 low, 2 normal, 3 high
    int windowMode = 1;  // show-window code

    explicit StartOptions(const std::string& options) {
        waitForEnd = optionAt(options, 0) == '1';
        switch (optionAt(options, 1)) {
            case '1':
                priority = 1;
                break;
            case '3':
                priority = 3;
                break;
            default:
                break;
        }
        switch (optionAt(options, 2)) {
            case '2':
                windowMode = 2;
                break;
            case '3':
                windowMode = 3;
                break;
            case '7':
                windowMode = 7;
                break;
            case '8':
                windowMode = 8;
                break;
            default:
                break;
        }
    }
};

// The file name of a program path, either slash, without quotes.
std::string executableName(const std::string& command) {
    std::string name = command;
    std::erase(name, '"');
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    return trimRight(name);
}

std::string inQuotes(const std::string& argument) {
    return "\"" + argument + "\"";
}

}  // namespace

ScriptRunner::ScriptRunner(Ports ports, int debug, std::string closeProgramTool)
    : ports_(std::move(ports)), debug_(debug), closeProgramTool_(std::move(closeProgramTool)) {}

std::string ScriptRunner::defaultCloseProgramTool() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("RaziRuzu") : (self.parent_path() / "RaziRuzu").string();
}

void ScriptRunner::log(std::string_view data) {
    if (ports_.log) {
        ports_.log(kLogLabel, data);
    }
}

bool ScriptRunner::debugMessage(const std::string& text, const std::string& caption,
                                std::uint64_t stops) {
    if (debug_ != 0) {
        ports_.ui.message(
            {text, caption, platform::MessageIcon::Information, platform::Ok, platform::Ok});
    }
    return !stopped(stops);
}

void ScriptRunner::notDone(const std::string& action) {
    if (ports_.log) {
        ports_.log(kNotDoneLabel, action + ": no X11 display");
    }
    notice_ = action + ": not done, no X11 display";
}

void ScriptRunner::activate(platform::WindowHandle window) {
    ports_.windows.activate(window);
    ports_.windows.restore(window);
}

void ScriptRunner::refreshWindowList() {
    ports_.windowList.refresh(ports_.windows);
}

platform::WindowHandle ScriptRunner::findWindowByTitle(std::string_view pattern) {
    refreshWindowList();
    return ports_.windowList.find(pattern);
}

void ScriptRunner::stopAllScripts() {
    ports_.queue.clear();
}

void ScriptRunner::runScriptTick() {
    if (executing_ || ports_.queue.empty()) {
        return;
    }
    const ScriptEntry& head = ports_.queue.head();
    const std::int32_t today = ports_.clock.today();
    const std::int32_t now = ports_.clock.now();
    if (today < head.dueDate) {
        return;
    }
    if (today > head.dueDate || now > head.dueTime) {
        executeScriptItem();
        showScriptStatus();
    } else if (now + store::kSecond > head.dueTime) {
        showScriptStatus();
    }
}

void ScriptRunner::executeScriptItem() {
    auto& queue = ports_.queue;
    if (executing_ || queue.empty()) {
        return;
    }
    executing_ = true;
    const std::uint64_t stops = queue.stops();
    hold_ = false;
    const store::Scripting item = queue.head().item;
    const std::string action = actionOf(item);

    if (action == kDisplayMessage) {
        ports_.ui.message({trimRight(item.DDEApplicationName), trimRight(item.DDEApplicationTopic),
                           platform::MessageIcon::None, platform::Ok, platform::Ok});
    } else if (action == kExitScript) {
        exitScript();
    } else if (action == kCloseProgram) {
        closeProgram(item);
    } else if (action == kStartProgram) {
        startProgram(item, stops);
    } else if (action == kWaitForProgramEnd) {
        waitForProgramEnd();
    } else if (action == kSendKeystrokes) {
        if (ports_.keyboard.available()) {
            ports_.keys.sendKeys(item.Keystrokes);
        } else {
            notDone(action);
        }
    } else if (action == kDde) {
        const platform::DdeConversation conversation = ports_.dde.connect(
            trimRight(item.DDEApplicationName), trimRight(item.DDEApplicationTopic));
        if (conversation != 0) {
            ports_.dde.execute(conversation, trimRight(item.DDECommand));
            ports_.dde.close(conversation);
        }
    } else if (action == kSetFocus) {
        setFocus(item, stops);
    } else if (action == kWait) {
        wait(action, stops);
    } else if (action == kIfWindow) {
        bool passed = false;  // a window test that cannot be made counts as failed
        if (ports_.windows.available()) {
            const bool exists = findWindowByTitle(item.WindowTitleToCheckFor) != 0;
            passed = contains(item.WindowExistance, "Exists") ? exists : !exists;
        } else {
            notDone(action);
        }
        testResult(passed, action, stops);
    } else if (action == kIfTimeElapsed) {
        // Whether the threshold has passed since the script's start.
        const ScriptEntry& head = queue.head();
        const bool reached = engine::compareDateTime(ports_.clock.today(), ports_.clock.now(),
                                                     head.deadlineDate, head.deadlineTime) >= 0;
        const bool passed = namesLessThan(item.IfTimeElapsed) ? !reached : reached;
        testResult(passed, action, stops);
    } else if (action == kEndIf || action == kEndMarker) {
        // nothing to do
    } else {
        ports_.ui.message({"Invalid script option:  " + action, "Script Error",
                           platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
    }

    executing_ = false;
    if (stopped(stops) || queue.empty()) {
        hold_ = false;
        return;  // emptied while the item ran: nothing is left to log or remove
    }
    if (hold_) {
        hold_ = false;
        return;
    }
    log(actionOf(queue.head().item));
    queue.removeHead();
}

void ScriptRunner::exitScript() {
    auto& queue = ports_.queue;
    queue.removeHead();
    while (!queue.empty() && actionOf(queue.head().item) != kEndMarker) {
        queue.removeHead();
    }
    if (queue.empty()) {
        hold_ = true;
    }
}

void ScriptRunner::closeProgram(const store::Scripting& item) {
    const std::string command = trimRight(item.Command);
    if (!command.empty()) {
        const std::string name = executableName(command);
        if (name.empty()) {
            return;
        }
        engine::LaunchRequest request;
        request.asProcess = true;
        request.command = inQuotes(closeProgramTool_) + " " + inQuotes(name);
        ports_.launcher.launch(request);
        return;
    }
    if (!ports_.windows.available()) {
        notDone(std::string(kCloseProgram));
        return;
    }
    const platform::WindowHandle window = ports_.windows.foregroundWindow();
    if (window == 0 || (ports_.frameWindow && window == ports_.frameWindow())) {
        return;
    }
    ports_.windows.restore(window);
    ports_.windows.requestClose(window);
}

void ScriptRunner::startProgram(const store::Scripting& item, std::uint64_t stops) {
    const StartOptions options(item.DDEApplicationName);
    const std::string startType = trimRight(item.DDEApplicationTopic);

    engine::LaunchRequest request;
    request.asProcess = true;
    request.windowMode = options.windowMode;
    request.defaultMode = false;
    request.openVerb = startType.empty();
    request.verb = startType;
    request.normalPriority = false;
    request.priority = options.priority;
    request.command = item.Command;
    request.path = item.Path;
    const engine::LaunchOutcome outcome = ports_.launcher.launch(request);
    if (stopped(stops)) {
        return;
    }

    const std::string lines = trimRight(item.Command) + "\n" + trimRight(item.Path) + "\n0\n" +
                              (options.waitForEnd ? "1" : "0") + "\n" +
                              std::to_string(options.windowMode) + "\n" +
                              std::to_string(options.priority) + "\n0\n" + startType;
    if (!debugMessage(lines,
                      startType.empty() ? "Debug - No Operation Sent" : "Debug - Full Command Sent",
                      stops)) {
        return;
    }
    if (!options.waitForEnd) {
        return;
    }
    ScriptEntry& head = ports_.queue.head();
    head.item.Action = std::string(kWaitForProgramEnd);
    head.process = outcome.processStarted ? outcome.process : 0;
    head.waiting = true;
    head.waitStartDate = ports_.clock.today();
    head.waitStartTime = ports_.clock.now();
    head.deadlineDate = 0;
    head.deadlineTime = 0;
    if (item.TimeElapsed > 0) {
        head.deadlineDate = head.waitStartDate;
        head.deadlineTime = head.waitStartTime;
        addHundredths(head.deadlineDate, head.deadlineTime,
                      static_cast<std::int64_t>(item.TimeElapsed) * store::kSecond);
    }
    hold_ = true;
}

void ScriptRunner::waitForProgramEnd() {
    ScriptEntry& head = ports_.queue.head();
    bool done = head.process == 0 ||
                ports_.processes.exitCode(head.process) != platform::Processes::kStillActive;
    if (!done && head.deadlineDate != 0) {
        done = engine::compareDateTime(ports_.clock.today(), ports_.clock.now(), head.deadlineDate,
                                       head.deadlineTime) > 0;
    }
    if (done) {
        shiftLaterEntries();
    } else {
        hold_ = true;
    }
}

void ScriptRunner::setFocus(const store::Scripting& item, std::uint64_t stops) {
    if (!ports_.windows.available()) {
        notDone(std::string(kSetFocus));
        return;
    }
    const std::string pattern = trimRight(item.FocusOnWindow);
    if (!debugMessage(pattern, "Set Focus", stops)) {
        return;
    }
    const platform::WindowHandle window = findWindowByTitle(pattern);
    if (window != 0) {
        activate(window);
    } else {
        debugMessage(pattern, "Failed Set Focus", stops);
    }
}

void ScriptRunner::wait(const std::string& action, std::uint64_t stops) {
    ScriptEntry& head = ports_.queue.head();
    const bool orWait = lower(trimRight(head.item.DDEApplicationName)) == "or";
    const std::string pattern = trimRight(head.item.WaitForWindow);
    if (!orWait && pattern.empty()) {
        return;  // an "And" wait's seconds were spent through its due time
    }
    if (!pattern.empty() && !ports_.windows.available()) {
        notDone(action);
        return;
    }
    const std::int32_t today = ports_.clock.today();
    const std::int32_t now = ports_.clock.now();
    if (!head.waiting) {
        head.waiting = true;
        head.waitStartDate = today;
        head.waitStartTime = now;
        if (orWait) {
            head.deadlineDate = today;
            head.deadlineTime = now;
            addHundredths(head.deadlineDate, head.deadlineTime,
                          static_cast<std::int64_t>(head.item.SecondsToWait) * store::kSecond);
        }
    }
    if (orWait) {
        if (engine::compareDateTime(today, now, head.deadlineDate, head.deadlineTime) > 0) {
            shiftLaterEntries();  // timed out
            return;
        }
        if (pattern.empty()) {
            hold_ = true;
            return;
        }
    }

    const platform::WindowHandle window = findWindowByTitle(pattern);
    if (pattern.front() == '~') {
        if (window != 0) {
            hold_ = true;
        } else {
            shiftLaterEntries();
        }
        return;
    }
    if (window == 0) {
        hold_ = true;
        return;
    }
    activate(window);
    shiftLaterEntries();
    debugMessage("Switched to window:\n" + pattern, "Debug", stops);
}

void ScriptRunner::shiftLaterEntries() {
    auto& entries = ports_.queue.entries();
    ScriptEntry& head = entries.front();
    if (!head.waiting) {
        return;
    }
    head.waiting = false;
    if (entries.size() < 2) {
        return;
    }
    std::int64_t days = ports_.clock.today() - head.waitStartDate;
    std::int64_t time = static_cast<std::int64_t>(ports_.clock.now()) - head.waitStartTime;
    if (time < 0) {
        --days;
        time += store::kLastHundredth;
    }
    if (days < 0) {  // the clock went back: a token move
        days = 0;
        time = store::kSecond;
    }
    const std::int64_t waited = days * store::kLastHundredth + time;
    for (auto entry = entries.begin() + 1; entry != entries.end(); ++entry) {
        addHundredths(entry->dueDate, entry->dueTime, waited);
    }
}

void ScriptRunner::testResult(bool passed, const std::string& action, std::uint64_t stops) {
    if (passed) {
        debugMessage("Next item will be processed.", "Test passed", stops);
        return;
    }
    log(action);
    skipFailedBlock(stops);
}

void ScriptRunner::skipFailedBlock(std::uint64_t stops) {
    auto& queue = ports_.queue;
    if (!debugMessage("Removing task items.", "Test failed", stops)) {
        return;
    }
    hold_ = false;
    queue.removeHead();  // the failed test
    int depth = 0;       // nested blocks inside the skipped one
    for (;;) {
        if (queue.empty()) {
            hold_ = true;
            return;
        }
        const std::string action = actionOf(queue.head().item);
        if (action == kEndMarker) {
            return;  // the script ends inside the block
        }
        if (action == kEndIf) {
            if (depth == 0) {
                return;  // the end of the failed block: logged and removed as the item's end
            }
            --depth;
        } else if (action.starts_with("If ")) {
            ++depth;
            if (!debugMessage("Removing task items.", "Test failed", stops)) {
                return;
            }
        }
        queue.removeHead();
    }
}

std::string ScriptRunner::statusText(const script::ScriptQueue& queue) {
    if (queue.empty()) {
        return "Script completed";
    }
    const store::Scripting& item = queue.head().item;
    const std::string action = actionOf(item);
    std::string text = action;
    if (action == kStartProgram || action == kWaitForProgramEnd) {
        text += ":" + item.Command;
    } else if (action == kSendKeystrokes) {
        text += ":" + item.Keystrokes;
    } else if (action == kDde) {
        text += ":" + trimRight(item.DDEType) + " " + trimRight(item.DDEApplicationName) + " " +
                item.DDEApplicationTopic;
    } else if (action == kSetFocus) {
        text += ":" + item.FocusOnWindow;
    } else if (action == kWait) {
        text += ":";
        if (item.SecondsToWait != 0) {
            text += std::to_string(item.SecondsToWait) + " seconds ";
        }
        text += item.WaitForWindow;
    } else if (action == kIfWindow) {
        text += ":" + item.WindowTitleToCheckFor;
    } else if (action == kIfTimeElapsed) {
        text += ":" + std::to_string(item.TimeElapsed) + " seconds";
    }
    return trimRight(text);
}

void ScriptRunner::showScriptStatus() {
    if (!ports_.statusZone2) {
        return;
    }
    if (!notice_.empty()) {
        ports_.statusZone2(notice_);
        notice_.clear();
        return;
    }
    ports_.statusZone2(statusText(ports_.queue));
}

}  // namespace agendix::script
