#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "engine/ProgramLauncher.h"
#include "engine/TickPorts.h"
#include "platform/Clock.h"
#include "platform/Dde.h"
#include "platform/DesktopWindows.h"
#include "platform/Keyboard.h"
#include "platform/Processes.h"
#include "platform/UserInterface.h"
#include "script/KeySender.h"
#include "script/ScriptQueue.h"
#include "script/WindowList.h"

namespace agendix::script {

// Runs the script queue: on each timer event of the frame at most one entry, the head, once it is
// due. An entry that waits (for a window, for a program to end) keeps the head and is tried again
// on the next tick. Every entry that is done is written to the event log as "Script" with its
// action, and leaves the queue.
//
// This system's rules where the behaviour is its own choice:
// - "Close Program" without a command closes the foreground window, but never the program's own
//   frame window: a script cannot close Agendix itself, so that case sends no close request.
// - "Wait for Program End" waits for the process its own "Start Program" started. When that start
//   gave no process (the program could not be started as a process and the desktop shell opened
//   it, or nothing started), there is nothing to wait for and the wait ends at once.
// - "Close Program" with a command runs the RaziRuzu helper beside the agendix executable with the
//   file name of that command; RaziRuzu ends the user's processes of that executable (SIGTERM,
//   then SIGKILL after a grace period).
// - Every wait that holds the head (a window wait, an "Or" wait that timed out, a program-end
//   wait) moves all later entries on by the time it held them, so the items after it keep their
//   spacing and the seconds of later "And" waits.
// - An "Or" wait without a window title waits its seconds.
// - "If Time Elapsed..." with "Time Elapsed is Greater Than" runs its block once at least the
//   threshold has passed since the script's start; "Time Elapsed is Less Than" runs it before.
//   The condition is told by "Less" in the stored value (the 20-character field holds the
//   editor's values cut short); any other value is "Greater Than". "If Window..." runs its block
//   when the window exists if the condition holds "Exists", else when no such window exists.
// - Where the desktop has no X11 display, "Send Keystrokes", "Set Focus", window waits,
//   "If Window..." and "Close Program" without a command are not done: the event log
//   ("Script Item Not Done") and the status bar say so, a window test counts as failed, and the
//   script goes on.
//
// All of it runs on the GUI thread. Message boxes and keystrokes wait in a nested event loop;
// when the queue is emptied meanwhile, the item that was running ends without touching it.
class ScriptRunner final : public engine::ScriptQueue {
  public:
    using LogWriter = std::function<void(std::string_view label, std::string_view data)>;
    using StatusWriter = std::function<void(const std::string& text)>;
    using FrameWindow = std::function<platform::WindowHandle()>;

    struct Ports {
        script::ScriptQueue& queue;
        WindowList& windowList;
        engine::ProgramLauncher& launcher;
        platform::Processes& processes;  // the launcher's, asked whether a program has ended
        platform::DesktopWindows& windows;
        const platform::Keyboard& keyboard;  // asked only whether keystrokes can be sent
        KeySender& keys;
        platform::Dde& dde;
        const platform::Clock& clock;
        platform::UserInterface& ui;
        LogWriter log;             // the event log: label, data
        StatusWriter statusZone2;  // zone 2 of the frame's status bar
        FrameWindow frameWindow;   // the frame's own window; may be empty
    };

    // `debug` is the "Debug" setting: not 0 shows the debug messages. `closeProgramTool` is the
    // RaziRuzu program.
    ScriptRunner(Ports ports, int debug, std::string closeProgramTool = defaultCloseProgramTool());

    // The scheduler tick's view.
    bool empty() const override { return ports_.queue.empty(); }
    void runTick() override { runScriptTick(); }

    // Executes the head when it is due and shows the status; when the head falls due within the
    // next second, only shows the status.
    void runScriptTick();
    // Executes the head entry, due or not.
    void executeScriptItem();
    // Writes what the script does next into the status bar's zone 2.
    void showScriptStatus();
    // Empties the queue: every script stops at once, a waiting one included.
    void stopAllScripts();

    // The first window of a fresh window list whose title the pattern names; 0 when none does.
    platform::WindowHandle findWindowByTitle(std::string_view pattern);
    void refreshWindowList();

    // The status text of the queue's head; "Script completed" when the queue is empty.
    static std::string statusText(const script::ScriptQueue& queue);
    // RaziRuzu in the directory of the running executable.
    static std::string defaultCloseProgramTool();

    static constexpr const char* kLogLabel = "Script";
    static constexpr const char* kNotDoneLabel = "Script Item Not Done";

  private:
    bool stopped(std::uint64_t stops) const { return ports_.queue.stops() != stops; }
    // A debug message when debugging is on; false when the queue was emptied while it was shown.
    bool debugMessage(const std::string& text, const std::string& caption, std::uint64_t stops);
    void log(std::string_view data);
    void notDone(const std::string& action);
    void activate(platform::WindowHandle window);

    void closeProgram(const store::Scripting& item);
    void startProgram(const store::Scripting& item, std::uint64_t stops);
    void waitForProgramEnd();
    void setFocus(const store::Scripting& item, std::uint64_t stops);
    void wait(const std::string& action, std::uint64_t stops);
    void exitScript();
    void testResult(bool passed, const std::string& action, std::uint64_t stops);
    void skipFailedBlock(std::uint64_t stops);
    // Moves every entry after the head on by the time the head has waited.
    void shiftLaterEntries();

    Ports ports_;
    int debug_;
    std::string closeProgramTool_;
    bool hold_ = false;       // the head stays for the next tick
    bool executing_ = false;  // an item is running (maybe in a nested event loop)
    std::string notice_;      // shown in the status bar instead of the next item, once
};

}  // namespace agendix::script
