#pragma once

#include <QIcon>
#include <string_view>

namespace agendix::shell {

// The tray icon by its name: "tray_ico" the frame's alarm clock; "trayb_ico", "trayc_ico" and
// "trayd_ico" the clock with a sweep in its second, third and fourth quarter (the frames of the
// animation while a script runs); "traybr_ico" and "traydr_ico" the same frames in red for the
// keystroke sender. Any other name gives the frame's icon.
QIcon trayIcon(std::string_view name);

}  // namespace agendix::shell
