#pragma once

#include <functional>

#include "schedule_ui/TaskForm.h"
#include "shell/BrowseList.h"
#include "shell/Commands.h"
#include "shell/PagedList.h"

class QWidget;

namespace agendix::schedule_ui {

// The task form a schedule list has open, one at a time. The list waits (disabled) while the form
// is open; when it ends the list is read again on the task. The frame's navigation buttons end the
// form as OK does, move the list, and open the form again on the task they moved to, or on a new
// one.
class TaskFormSession {
  public:
    TaskFormSession(TaskForm* form, QWidget& window, shell::BrowseList& list,
                    shell::PagedList<store::Schedule>& rows)
        : form_(form), window_(window), list_(list), rows_(rows) {}
    ~TaskFormSession();
    TaskFormSession(const TaskFormSession&) = delete;
    TaskFormSession& operator=(const TaskFormSession&) = delete;

    bool available() const { return form_ != nullptr; }
    bool isOpen() const { return open_ != nullptr; }
    // Opens the form on the request; `after` runs when it has ended and the list shows the task.
    void run(store::Request request, const store::Schedule& task, std::function<void()> after = {});
    // A navigation button while the form is open: false when none is open. `insert` and `edit`
    // open the form again on a new task or on the highlighted one.
    bool navigate(shell::Navigation navigation, const std::function<void()>& insert,
                  const std::function<void()>& edit);
    // The list is asked to close: while a form is open it stays, and the form comes to the front.
    bool holdsClose();

  private:
    void ended(store::Response response, const store::Schedule& task);

    TaskForm* form_;
    QWidget& window_;
    shell::BrowseList& list_;
    shell::PagedList<store::Schedule>& rows_;
    OpenTaskForm* open_ = nullptr;
    std::function<void()> after_;
};

}  // namespace agendix::schedule_ui
