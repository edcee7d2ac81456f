#pragma once

#include <QColor>
#include <QIcon>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/UserInterface.h"
#include "schedule_ui/TaskFormSession.h"
#include "shell/BrowseList.h"
#include "shell/ListNavigation.h"
#include "shell/PagedList.h"
#include "store/FileAccess.h"
#include "store/FormRequest.h"
#include "store/IniFile.h"
#include "store/Records.h"
#include "store/Settings.h"

class QComboBox;
class QDateEdit;
class QLabel;
class QMdiArea;
class QPushButton;

namespace agendix::schedule_ui {

// The state of a task as its list row shows it: the first that applies of completed, skip next
// time, disabled; otherwise not done.
enum class TaskState { Done, Skip, Disabled, NotDone };
TaskState taskState(const store::Schedule& task);
// "~done.ico", "~skip.ico", "~disabled.ico", "~notdone.ico": drawn by the program.
QString taskStateIconName(TaskState state);
QIcon taskStateIcon(TaskState state);
// The colour of a task's date and time: grey when disabled, blue when skipped next time, else
// the list's own colour (nothing).
std::optional<QColor> taskDateColour(const store::Schedule& task);

// What the schedule list needs from the running program.
struct ScheduleBrowserPorts {
    store::FileAccess& access;
    store::Settings& settings;
    const platform::Clock& clock;
    platform::UserInterface& ui;
    // The schedule-browser register: the tick calls `refresh` after it changed tasks.
    std::function<int(std::function<void()> refresh)> addBrowser;
    std::function<void(int id)> removeBrowser;
    // "Run Now": performs the task at once without moving it on.
    std::function<void(store::Schedule& task)> runNow;
    // "Quick Start" on a task.
    std::function<void(const store::Schedule& task, QWidget* parent)> quickStart;
    // Whether a task is tagged by the last search ("Selected" view); empty: nothing is tagged.
    std::function<bool(std::int32_t id)> tagged;
    // The search that tags tasks; true when it completed. None until it exists.
    std::function<bool(QWidget* parent)> search;
    // The script editor of a program task; none until it exists.
    std::function<void(const store::Schedule& task)> editScript;
    // The task form; none until it exists: adding and changing are then not offered.
    TaskForm* form = nullptr;
    // Told of the day view's date ("SelectedDayText"), which the task form gives new tasks.
    std::function<void(std::int32_t day)> selectedDayChanged;
};

// "View Schedule": the tasks of one day, all tasks by date, the tasks of one category and the
// tasks of the last search, with the commands on the highlighted task.
class BrowseSchedule final : public QWidget, public shell::ListNavigation {
    Q_OBJECT

  public:
    enum View { DayView = 0, AllByDate = 1, ByCategory = 2, Selected = 3 };
    static constexpr const char* kSection = "BrowseSchedule";
    static constexpr int kTimerPeriod = 1000;  // hundredths of a second

    explicit BrowseSchedule(ScheduleBrowserPorts ports, QWidget* parent = nullptr);
    ~BrowseSchedule() override;
    BrowseSchedule(const BrowseSchedule&) = delete;
    BrowseSchedule& operator=(const BrowseSchedule&) = delete;

    shell::BrowseList& list() { return *list_; }
    shell::PagedList<store::Schedule>& rows() { return *rows_; }
    View view() const { return static_cast<View>(rows_->order()); }
    void setView(View view);

    std::int32_t selectedDay() const { return selectedDay_; }
    // "&Pick Day": the day view shows that day.
    void pickDay(std::int32_t day);
    const std::string& category() const { return category_; }
    void chooseCategory(const std::string& category);
    bool activeOnly() const { return activeOnly_; }
    void setActiveOnly(bool on);

    // The timer's look at the date: past midnight, a day view of the old today moves on.
    void checkDate();
    // The tick's refresh.
    void refresh() { list_->reload(); }

    QPushButton* button(const QString& caption) const;

    // While a task form is open the buttons move the form along the list.
    void navigate(shell::Navigation navigation) override;
    bool canInsert() const override { return ports_.form != nullptr; }

    // Commands.
    void addTask();
    void copyTask();
    void editTask();
    void deleteTask();
    void runNow();
    void quickStart();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    std::vector<shell::BrowseOrder<store::Schedule>> orders();
    std::vector<shell::BrowseColumn<store::Schedule>> columns();
    bool passesActiveOnly(const store::Schedule& task) const;
    void updateDayCaption();
    void updateButtons();
    // The highlighted task as stored now, watched; nothing when the list is empty or the task
    // has gone (the list is then read again).
    std::optional<store::Schedule> highlightedTask();
    QPushButton* addButton(const QString& caption, const QString& tip,
                           void (BrowseSchedule::*command)());
    QWidget* windowFrame();

    ScheduleBrowserPorts ports_;
    store::FileAccess::Use use_;
    std::unique_ptr<shell::PagedList<store::Schedule>> rows_;
    shell::BrowseList* list_ = nullptr;
    std::unique_ptr<TaskFormSession> forms_;
    std::vector<QPushButton*> buttons_;
    QPushButton* pickDayButton_ = nullptr;
    QDateEdit* dayEntry_ = nullptr;
    QComboBox* categoryChoice_ = nullptr;
    QPushButton* searchButton_ = nullptr;
    QTimer timer_{this};
    std::int32_t selectedDay_ = 0;
    std::int32_t lastSeenDate_ = 0;
    std::string category_;
    bool activeOnly_ = false;
    int browserId_ = 0;
    bool saved_ = false;
};

// Opens a schedule list in the frame's window area, where it was last closed.
BrowseSchedule* openScheduleBrowser(ScheduleBrowserPorts ports, QMdiArea& area);

}  // namespace agendix::schedule_ui
