#pragma once

#include <QIcon>

namespace agendix::shell {

// The program's own icons, drawn at every common size.
QIcon frameIcon();          // the frame window: an alarm clock
QIcon programWizardIcon();  // a program window with a wizard's star
QIcon messageWizardIcon();  // a message balloon with a wizard's star
QIcon scheduleIcon();       // a calendar page
QIcon toDoIcon();           // a ticked list
QIcon stopIcon();           // a red stop sign

}  // namespace agendix::shell
