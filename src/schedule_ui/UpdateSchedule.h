#pragma once

#include <QDialog>
#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "engine/Recurrence.h"
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "platform/UserInterface.h"
#include "schedule_ui/BrowseSchedule.h"
#include "schedule_ui/TaskForm.h"
#include "store/FileAccess.h"
#include "store/FormRequest.h"
#include "store/Records.h"
#include "store/Settings.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace agendix::schedule_ui {

// What the task form works with.
struct TaskFormPorts {
    store::FileAccess& access;
    store::Settings& settings;
    const platform::Clock& clock;
    platform::UserInterface& ui;
    engine::Recurrence& recurrence;
    platform::Sound& sound;
    // The day picked in the schedule list's day view; 0: none (today).
    std::function<std::int32_t()> pickedDay;
    // Calendar(date, caption, mode) on the task being edited; the real calendar when empty.
    std::function<std::int32_t(std::int32_t date, const QString& caption, const QString& mode,
                               const store::Schedule& task)>
        calendar;
    // The exceptions window on the task being edited; the real window when empty.
    std::function<void(store::Schedule& task)> exceptions;
};

// SelectProgramFile: the program file dialog, opened in the task's start directory. A chosen file
// becomes the command and, when the start directory is blank, its directory (the part before the
// last slash) becomes the start directory. False when the user chose nothing.
bool selectProgramFile(store::Schedule& task, platform::UserInterface& ui);

// "Update the Schedule": the full form of one task.
//
// The caller hands in a request and the task: for insert a blank task (a brand-new one gets the
// defaults) or the task to copy; for change and delete the task as stored. begin() does what the
// request needs before the window shows (an insert reserves its record, a copy copies the script,
// a delete asks and deletes); the window then runs until OK completes or the user cancels.
class UpdateSchedule final : public QDialog, public OpenTaskForm {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "UpdateSchedule";
    static constexpr std::int32_t kNoneTime = 8639500;  // 23:59:55

    explicit UpdateSchedule(TaskFormPorts ports, QWidget* parent = nullptr);
    ~UpdateSchedule() override;
    UpdateSchedule(const UpdateSchedule&) = delete;
    UpdateSchedule& operator=(const UpdateSchedule&) = delete;

    // False when the window is not to be shown: a delete is over, or the insert could not reserve
    // its record. response() then tells the outcome.
    bool begin(store::Request request, const store::Schedule& task);
    store::Response response() const { return response_; }
    // The task as the controls hold it now.
    const store::Schedule& task();

    // The buttons as the user presses them. ok() is true when the form completed and closed.
    bool ok();
    void cancel() { reject(); }

    // As an open form of a list: `finished` is told once when the form ends, whatever ends it.
    void whenFinished(TaskForm::Finished finished) { onFinished_ = std::move(finished); }
    bool complete() override { return ok(); }
    void bringToFront() override;
    void abandon() override;

    // Field acceptance, as when the user leaves an entry.
    void acceptNextDate();
    void acceptAdvanceWarning();
    void acceptAlarmFile();
    void messageFocused();
    void playAlarm();
    void browseAlarm();
    void browseProgram();

    // The controls, by caption.
    QTabWidget* tabs() const { return tabs_; }
    int tabIndex(const QString& caption) const;
    bool tabShown(const QString& caption) const;
    QRadioButton* taskType(const QString& caption) const;
    QRadioButton* scheduleType(const QString& caption) const;
    QRadioButton* everyType(const QString& caption) const;
    QCheckBox* box(const QString& caption) const;
    QLineEdit* entry(const QString& prompt) const;
    QLabel* prompt(const QString& caption) const;
    QPushButton* button(const QString& caption) const;
    QComboBox* category() const { return category_; }
    QPlainTextEdit* message() const { return message_; }
    QWidget* everyGroup() const { return everyGroup_; }

  protected:
    void done(int r) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    QWidget* buildTaskTab();
    QWidget* buildCommandTab();
    QWidget* buildMessageTab();
    QWidget* buildWhenTab();
    QWidget* buildAdvancedTab();
    void fillCategories();
    void display();
    void collect();
    void applyTaskType();
    void applyScheduleType();
    void applyMonthEnd();
    void applyAlarm();
    void alarmFileRule();
    bool checkNextDate();
    void automaticWarning();
    bool checkAdvanceWarning();
    void pickNextDate();
    void pickWarningDate();
    void openExceptions();
    void copyScript(std::int32_t fromId, std::int32_t toId);
    void finishCancel();
    bool save();
    std::int32_t readDate(QLineEdit* entry, std::int32_t fallback) const;
    std::int32_t readTime(QLineEdit* entry, std::int32_t fallback) const;
    QString showDate(std::int32_t date) const;
    static QString showTime(std::int32_t time);
    std::string datePicture() const;

    TaskFormPorts ports_;
    store::FileAccess::Use scheduleUse_;
    store::FileAccess::Use categoriesUse_;
    store::FormRecord<store::Schedule> record_;
    store::Request request_ = store::Request::None;
    store::Response response_ = store::Response::Cancelled;
    store::Schedule task_;
    store::Schedule original_;  // as stored when the form opened (the reserved record on insert)
    std::int32_t sourceId_ = 0;
    bool positionSaved_ = false;
    bool finished_ = false;
    bool loading_ = false;
    TaskForm::Finished onFinished_;

    QTabWidget* tabs_ = nullptr;
    std::map<QString, QRadioButton*> taskTypes_;
    std::map<QString, QRadioButton*> scheduleTypes_;
    std::map<QString, QRadioButton*> everyTypes_;
    std::map<QString, QCheckBox*> boxes_;
    std::map<QString, QLineEdit*> entries_;
    std::map<QString, QLabel*> prompts_;
    std::map<QString, QPushButton*> buttons_;
    QComboBox* category_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QWidget* everyGroup_ = nullptr;
    QWidget* unitGroup_ = nullptr;
    QLineEdit* every_ = nullptr;
    QLabel* everyPrompt_ = nullptr;
    QLineEdit* date_ = nullptr;
    QLineEdit* time_ = nullptr;
    QLineEdit* warnDate_ = nullptr;
    QLineEdit* warnTime_ = nullptr;
    QLineEdit* alarmFile_ = nullptr;
    QPushButton* alarmBrowse_ = nullptr;
    QPushButton* play_ = nullptr;
    QPushButton* except_ = nullptr;
};

// The task form as the schedule lists call it.
class ScheduleTaskForm final : public QObject, public TaskForm {
    Q_OBJECT

  public:
    explicit ScheduleTaskForm(TaskFormPorts ports, QObject* parent = nullptr)
        : QObject(parent), ports_(std::move(ports)) {}

    OpenTaskForm* open(store::Request request, const store::Schedule& task, QWidget* owner,
                       Finished finished) override;
    // The day view's day, which new tasks start on.
    void setPickedDay(std::int32_t day) { pickedDay_ = day; }
    std::int32_t pickedDay() const { return pickedDay_; }

  private:
    TaskFormPorts ports_;
    std::int32_t pickedDay_ = 0;
};

}  // namespace agendix::schedule_ui
