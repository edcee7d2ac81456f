#pragma once

#include <QTest>
#include <memory>
#include <string>

#include "platform/fake/FakeSound.h"
#include "schedule_ui/ScheduleListFixture.h"
#include "schedule_ui/UpdateSchedule.h"
#include "store/FormRequest.h"

namespace agendix::schedule_ui::testing {

// The task form on a real data file, with the day view's day and the calendar under the test's
// control.
class TaskFormFixture : public ScheduleListFixture {
  protected:
    TaskFormPorts formPorts() {
        TaskFormPorts p{access_, settings_, clock_, ui_, recurrence_, sound_, {}, {}, {}};
        p.pickedDay = [this] { return pickedDay_; };
        if (calendarAnswer_ != 0) {
            p.calendar = [this](std::int32_t, const QString&, const QString&, const Schedule&) {
                return calendarAnswer_;
            };
        }
        p.exceptions = exceptions_;
        return p;
    }
    std::unique_ptr<UpdateSchedule> openForm(store::Request request, const Schedule& t) {
        auto form = std::make_unique<UpdateSchedule>(formPorts());
        EXPECT_TRUE(form->begin(request, t));
        return form;
    }
    std::unique_ptr<UpdateSchedule> openNew() { return openForm(store::Request::Insert, {}); }

    // A task as stored now.
    Schedule stored(std::int32_t id) {
        for (const Schedule& t : allTasks()) {
            if (t.ID == id) {
                return t;
            }
        }
        ADD_FAILURE() << "no task " << id;
        return {};
    }
    void addScript(std::int32_t taskId, int items) {
        auto use = access_.use(store::scriptingTable());
        store::Table<store::Scripting> table(use.table());
        for (int i = 1; i <= items; ++i) {
            store::Scripting item;
            item.ID = taskId;
            item.Sequence = i;
            item.Action = "Wait";
            EXPECT_TRUE(table.add(item).ok());
        }
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& m : ui_.shown()) {
            texts.push_back(m.text);
        }
        return texts;
    }
    // Types into an entry as the user would, then leaves it.
    static void type(QLineEdit* entry, const QString& text) {
        entry->setText(text);
        entry->setModified(true);
        emit entry->editingFinished();
    }

    platform::FakeSound sound_;
    std::int32_t pickedDay_ = 0;
    std::int32_t calendarAnswer_ = 0;
    std::function<void(Schedule&)> exceptions_;
};

}  // namespace agendix::schedule_ui::testing
