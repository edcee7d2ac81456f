#pragma once

#include <string>
#include <string_view>

#include "store/Records.h"
#include "store/Text.h"

namespace agendix::script {

// The values of SCR:Action, as the script editor writes them.
inline constexpr std::string_view kSendKeystrokes = "Send Keystrokes";
inline constexpr std::string_view kWait = "Wait";
inline constexpr std::string_view kSetFocus = "Set Focus";
inline constexpr std::string_view kIfWindow = "If Window...";
inline constexpr std::string_view kIfTimeElapsed = "If Time Elapsed...";
inline constexpr std::string_view kEndIf = "...End If";
inline constexpr std::string_view kDisplayMessage = "Display Message";
inline constexpr std::string_view kStartProgram = "Start Program";
inline constexpr std::string_view kCloseProgram = "Close Program";
inline constexpr std::string_view kExitScript = "Exit Script";
inline constexpr std::string_view kDde = "DDE (Dynamic Data Exchange)";

// Two actions that exist only in the script queue: the marker after the last item of every
// loaded script, and what a "Start Program" entry becomes while it waits for its program.
inline constexpr std::string_view kEndMarker = "**End**";
inline constexpr std::string_view kWaitForProgramEnd = "Wait for Program End";

using store::trimRight;

// An item's action as it is compared: exactly, trailing blanks ignored.
inline std::string actionOf(const store::Scripting& item) {
    return trimRight(item.Action);
}

}  // namespace agendix::script
