#pragma once

#include <string>

namespace agendix::engine {

// What the scheduler tick shows on the frame window. The shell implements it on the frame.
class TickFrame {
public:
    virtual ~TickFrame() = default;
    virtual void setTitle(const std::string& title) = 0;
    virtual bool iconized() const = 0;
    virtual void setStatusZone2(const std::string& text) = 0;
    virtual void setScriptIndicator(bool running) = 0;
    virtual void setTimerPeriod(int hundredths) = 0;
    // Brings the frame back from the tray before a task is performed.
    virtual void restoreFromTray() = 0;
    // The tray icon's tip, at most 63 characters.
    virtual void setTrayTip(const std::string& tip) = 0;
};

// What a reminder window is handed when it opens; it keeps its own copy.
struct ReminderHandover {
    std::string title;      // the task's description
    std::string text;       // the task's message
    std::string sound;      // the alarm file when the task sounds an alarm, else blank
    std::string replyPath;  // for a reply reminder: where the reply goes
};

// The reminder windows the tick opens.
class Reminders {
public:
    virtual ~Reminders() = default;
    virtual int openReminderCount() const = 0;
    virtual void showMessage(const ReminderHandover& handover) = 0;
    virtual void showMessageWithReplyPath(const ReminderHandover& handover) = 0;
};

// The queue of script items due to run, driven by the tick.
class ScriptQueue {
public:
    virtual ~ScriptQueue() = default;
    virtual bool empty() const = 0;
    // Runs at most one due item.
    virtual void runTick() = 0;
};

}  // namespace agendix::engine
