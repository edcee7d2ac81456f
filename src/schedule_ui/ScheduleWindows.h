#pragma once

#include "schedule_ui/BrowseSchedule.h"
#include "shell/Program.h"

namespace agendix::schedule_ui {

// The schedule list's ports on the running program: its tables, settings and clock, the tick's
// browser register and "Run Now", and "Quick Start".
ScheduleBrowserPorts programPorts(const shell::ProgramServices& services);

// Browse › "&View Schedule": a new schedule list in the frame, with the task form behind its
// commands.
BrowseSchedule* openScheduleBrowser(const shell::ProgramServices& services);

}  // namespace agendix::schedule_ui
