#include "schedule_ui/TaskFormSession.h"

#include <QWidget>
#include <utility>

namespace agendix::schedule_ui {

TaskFormSession::~TaskFormSession() {
    if (open_ != nullptr) {
        std::exchange(open_, nullptr)->abandon();
    }
}

void TaskFormSession::run(store::Request request, const store::Schedule& task,
                          std::function<void()> after) {
    if (form_ == nullptr || open_ != nullptr) {
        return;
    }
    after_ = std::move(after);
    OpenTaskForm* opened = form_->open(
        request, task, &window_,
        [this](store::Response response, const store::Schedule& saved) { ended(response, saved); });
    if (opened != nullptr) {
        open_ = opened;
        window_.setEnabled(false);
    }
}

void TaskFormSession::ended(store::Response response, const store::Schedule& task) {
    open_ = nullptr;
    window_.setEnabled(true);
    if (response == store::Response::Completed) {
        rows_.showRecord(task);  // a deleted task: the list stands on the one that followed it
        list_.showPage();
    } else {
        list_.reload();
    }
    if (auto after = std::exchange(after_, nullptr)) {
        after();
    }
}

bool TaskFormSession::navigate(shell::Navigation navigation, const std::function<void()>& insert,
                               const std::function<void()>& edit) {
    if (open_ == nullptr) {
        return false;
    }
    // What was typed is kept: the form ends as OK does, or stays when OK refuses an entry.
    if (!open_->complete()) {
        return true;
    }
    if (navigation == shell::Navigation::Insert) {
        insert();
    } else {
        list_.navigate(navigation);
        edit();
    }
    return true;
}

bool TaskFormSession::holdsClose() {
    if (open_ == nullptr) {
        return false;
    }
    open_->bringToFront();
    return true;
}

}  // namespace agendix::schedule_ui
