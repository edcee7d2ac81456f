#pragma once

#include <cstdint>
#include <deque>

#include "platform/Processes.h"
#include "store/Records.h"

namespace agendix::script {

// One entry of the script queue: a copy of a script item and the moment it becomes due.
struct ScriptEntry {
    store::Scripting item;
    std::int32_t dueDate = 0;  // standard date
    std::int32_t dueTime = 0;  // standard time; the entry runs once the clock is past it
    // Low 16 bits of the launcher's result for the task's own program start.
    std::uint16_t launchCode = 0;

    // A deadline kept with the entry (date 0: none): for "If Time Elapsed..." the script's start
    // plus the threshold, set at load; for an "Or" wait its first run plus its seconds; for
    // "Wait for Program End" the program's start plus the time-out.
    std::int32_t deadlineDate = 0;
    std::int32_t deadlineTime = 0;

    // Set while the entry holds the queue (a wait); when it lets go, every later entry moves on by
    // the time it held.
    bool waiting = false;
    std::int32_t waitStartDate = 0;
    std::int32_t waitStartTime = 0;

    // "Wait for Program End": the program waited for; 0 when the start gave us no process.
    platform::ProcessHandle process = 0;
};

// The in-memory queue of due script entries, one for the whole process and never saved. Scripts
// follow each other in the order they were loaded, each closed by its end marker.
//
// Everything that uses it runs on the GUI thread. Some items wait in a nested event loop (a
// message box, keystrokes that yield between keys), where the user may empty the queue or a
// script may be loaded: stops() lets the item that is running see that.
class ScriptQueue {
  public:
    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // The entry that runs next; the queue must not be empty.
    ScriptEntry& head() { return entries_.front(); }
    const ScriptEntry& head() const { return entries_.front(); }
    const ScriptEntry& last() const { return entries_.back(); }

    std::deque<ScriptEntry>& entries() { return entries_; }
    const std::deque<ScriptEntry>& entries() const { return entries_; }

    void append(ScriptEntry entry) { entries_.push_back(std::move(entry)); }
    void removeHead() {
        if (!entries_.empty()) {
            entries_.pop_front();
        }
    }
    // Empties the queue: every script stops at once.
    void clear() {
        entries_.clear();
        ++stops_;
    }
    // How often the queue was emptied by clear().
    std::uint64_t stops() const { return stops_; }

  private:
    std::deque<ScriptEntry> entries_;
    std::uint64_t stops_ = 0;
};

// Moves (date, time) on by a number of hundredths (a negative number counts as 0), carrying whole
// days into the date; a date past the last standard date stays there.
void addHundredths(std::int32_t& date, std::int32_t& time, std::int64_t hundredths);

}  // namespace agendix::script
