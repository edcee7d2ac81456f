#include "schedule_ui/ScheduleWindows.h"

#include <QMdiArea>

#include "platform/qt/QtSound.h"
#include "schedule_ui/UpdateSchedule.h"
#include "shell/QuickStart.h"

namespace agendix::schedule_ui {

namespace {

// The task form of one schedule list, with the player of its alarm "&Play" button. The list owns
// it.
class ProgramTaskForm final : public QObject {
  public:
    explicit ProgramTaskForm(const shell::ProgramServices& services)
        : form_(TaskFormPorts{services.access,
                              services.settings,
                              services.clock,
                              services.ui,
                              services.recurrence,
                              sound_,
                              {},
                              {},
                              {}}) {}
    ScheduleTaskForm& form() { return form_; }

  private:
    platform::QtSound sound_;
    ScheduleTaskForm form_;
};

}  // namespace

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
    auto* taskForm = new ProgramTaskForm(services);
    ScheduleBrowserPorts ports = programPorts(services);
    ports.form = &taskForm->form();
    ports.selectedDayChanged = [&form = taskForm->form()](std::int32_t day) {
        form.setPickedDay(day);
    };
    BrowseSchedule* browser = openScheduleBrowser(std::move(ports), *services.frame.mdiArea());
    taskForm->setParent(browser);
    return browser;
}

}  // namespace agendix::schedule_ui
