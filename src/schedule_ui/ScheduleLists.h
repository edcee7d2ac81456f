#pragma once

#include <QDialog>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "schedule_ui/BrowseSchedule.h"

namespace agendix::schedule_ui {

// The schedule list's columns and the category range, shared by the schedule lists.
shell::BrowseColumn<store::Schedule> scheduleColumn(const QString& title,
                                                    const store::Settings& settings);
// A range of the category key on one category, in any letter case.
void rangeOnCategory(shell::BrowseOrder<store::Schedule>& order, const std::string* category);

// "Browse Schedule for <category>": the tasks of one category, opened from the category list.
class BrowseScheduleByCategory final : public QWidget, public shell::ListNavigation {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "BrowseSCH:KeyCategory";

    BrowseScheduleByCategory(ScheduleBrowserPorts ports, std::string category,
                             QWidget* parent = nullptr);

    shell::BrowseList& list() { return *list_; }
    shell::PagedList<store::Schedule>& rows() { return *rows_; }
    QPushButton* button(const QString& caption) const;

    // While a task form is open the buttons move the form along the list.
    void navigate(shell::Navigation navigation) override;
    bool canInsert() const override { return ports_.form != nullptr; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void updateButtons();
    void run(store::Request request);

    ScheduleBrowserPorts ports_;
    std::string category_;
    store::FileAccess::Use use_;
    std::unique_ptr<shell::PagedList<store::Schedule>> rows_;
    shell::BrowseList* list_ = nullptr;
    std::unique_ptr<TaskFormSession> forms_;
    std::vector<QPushButton*> buttons_;
};

// "Select Task": a pick list of every task by category and date; completes with the chosen task.
class SelectSchedule final : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "SelectSchedule";

    SelectSchedule(store::FileAccess& access, store::Settings& settings, QWidget* parent = nullptr);

    shell::BrowseList& list() { return *list_; }
    shell::PagedList<store::Schedule>& rows() { return *rows_; }
    QPushButton* selectButton() const { return select_; }
    // The task chosen when the window completed.
    const std::optional<store::Schedule>& chosen() const { return chosen_; }

    // The select request: the chosen task, or nothing when the user cancelled.
    std::optional<store::Schedule> choose();

  protected:
    void done(int result) override;

  private:
    store::Settings& settings_;
    store::FileAccess::Use use_;
    std::unique_ptr<shell::PagedList<store::Schedule>> rows_;
    shell::BrowseList* list_ = nullptr;
    QPushButton* select_ = nullptr;
    std::optional<store::Schedule> chosen_;
};

}  // namespace agendix::schedule_ui
