#pragma once

#include <cstdint>

#include "platform/Clock.h"
#include "platform/UserInterface.h"
#include "script/ScriptQueue.h"
#include "store/FileAccess.h"
#include "store/Settings.h"

namespace agendix::script {

// Puts a task's script into the script queue once the launcher has started the task's program:
// its items in sequence order, each with the moment it falls due, and the end marker.
//
// Timing. A script starts two send intervals after it is loaded, or, when the queue still holds
// a script that ends later, one send interval after that script's end marker. Each item is due
// one send interval after the one before it; "If Window...", "If Time Elapsed..." and
// "...End If" take no time; a "Wait" with "And" takes its seconds, a "Wait" with "Or" nothing
// (it counts its seconds from when it runs). The end marker is due with the last item.
//
// This system's rule for a Scripting table that fails while the script is read: loading stops at
// the failing read, the user is told, and none of that task's items are queued, so a script never
// runs in part. The scripts already queued are left as they are.
class ScriptLoader {
  public:
    ScriptLoader(ScriptQueue& queue, store::FileAccess& access, const platform::Clock& clock,
                 const store::SettingValues& settings, platform::UserInterface& ui)
        : queue_(queue), access_(access), clock_(clock), settings_(settings), ui_(ui) {}

    // LoadScript. `launchResult` is the launcher's result code for the task's program start.
    // Task 0 has no script.
    void loadScript(std::int32_t taskId, std::uint32_t launchResult);

    // The send interval in hundredths of a second: "ScriptingDelay", at least 50.
    static int sendInterval(const store::SettingValues& settings);

    static constexpr int kMinimumInterval = 50;

  private:
    ScriptQueue& queue_;
    store::FileAccess& access_;
    const platform::Clock& clock_;
    const store::SettingValues& settings_;
    platform::UserInterface& ui_;
};

}  // namespace agendix::script
