#pragma once

#include <functional>

#include "store/FormRequest.h"
#include "store/Records.h"

class QWidget;

namespace agendix::schedule_ui {

// A task form open on the screen.
class OpenTaskForm {
  public:
    virtual ~OpenTaskForm() = default;
    // Ends the form as its OK button does; false when it stays open (an entry was refused).
    virtual bool complete() = 0;
    virtual void bringToFront() = 0;
    // Ends the form as Cancel does without telling the list, which is going away.
    virtual void abandon() = 0;
};

// The task form as the schedule lists call it: a request on a task. The form does not hold up
// the program: `finished` is told once when it ends, with the task as saved. A request that shows
// no window (a delete, an insert whose record could not be reserved) ends before open() returns,
// and open() then returns nothing.
class TaskForm {
  public:
    using Finished = std::function<void(store::Response response, const store::Schedule& task)>;
    virtual ~TaskForm() = default;
    virtual OpenTaskForm* open(store::Request request, const store::Schedule& task, QWidget* owner,
                               Finished finished) = 0;
};

}  // namespace agendix::schedule_ui
