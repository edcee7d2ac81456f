#pragma once

#include <string_view>

#include "store/IniFile.h"

class QWidget;

namespace agendix::shell {

// A window's position, size and maximized state, kept in the position file under a section named
// after the window ("Main", "ViewLog", ...): "Maximize" ("Yes"/"No"), "XPosit", "YPosit", "Width"
// and "Height", in pixels. For an MDI child pass its QMdiSubWindow.

// SaveWindowPosition: writes the window's normal (un-maximized) place and whether it is
// maximized. An iconized window writes nothing, so its previous place stays saved.
void saveWindowPosition(QWidget& window, const store::IniFile& file, std::string_view section);

// RestoreWindowPosition: nothing happens when no place is saved ("XPosit" or "YPosit" missing or
// blank). Otherwise a window that is not maximized takes the saved place, and the saved size when
// it is resizable and the saved width and height are positive; a top-level window that would lie
// on no screen is moved onto the primary screen. Then the window is maximized when "Maximize" is
// "Yes", un-maximized otherwise.
void restoreWindowPosition(QWidget& window, const store::IniFile& file, std::string_view section);

}  // namespace agendix::shell
