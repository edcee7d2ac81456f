#include "schedule_ui/ScheduleWindows.h"

#include <QMdiArea>

#include "shell/QuickStart.h"

namespace agendix::schedule_ui {

ScheduleBrowserPorts programPorts(const shell::ProgramServices& services) {
    ScheduleBrowserPorts ports{services.access, services.settings, services.clock, services.ui};
    engine::SchedulerTick& tick = services.tick;
    ports.addBrowser = [&tick](std::function<void()> refresh) {
        return tick.addBrowser(std::move(refresh));
    };
    ports.removeBrowser = [&tick](int id) { tick.removeBrowser(id); };
    ports.runNow = [&tick](store::Schedule& task) { tick.runTaskNow(task); };
    ports.quickStart = [&access = services.access, &recurrence = services.recurrence,
                        &clock = services.clock](const store::Schedule& task, QWidget* parent) {
        shell::QuickStart(access, recurrence, clock).quickStartTask(task, parent);
    };
    return ports;
}

BrowseSchedule* openScheduleBrowser(const shell::ProgramServices& services) {
    return openScheduleBrowser(programPorts(services), *services.frame.mdiArea());
}

}  // namespace agendix::schedule_ui
