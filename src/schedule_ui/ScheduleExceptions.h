#pragma once

#include <QDialog>

#include "store/IniFile.h"
#include "store/Records.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTimeEdit;

namespace agendix::schedule_ui {

// "Exceptions": the days and the time range a task skips, and where an excepted occurrence goes.
// The changes stay in the task given; the form that opened the window saves them with the task.
class ScheduleExceptions final : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "ScheduleExceptions";

    ScheduleExceptions(store::Schedule& task, store::IniFile positions, QWidget* parent = nullptr);
    ~ScheduleExceptions() override;
    ScheduleExceptions(const ScheduleExceptions&) = delete;
    ScheduleExceptions& operator=(const ScheduleExceptions&) = delete;

    QCheckBox* weekends() const { return weekends_; }
    QCheckBox* weekdays() const { return weekdays_; }
    QCheckBox* holidays() const { return holidays_; }
    QCheckBox* timeRange() const { return timeRange_; }
    QTimeEdit* begin() const { return begin_; }
    QTimeEdit* end() const { return end_; }
    QRadioButton* action(const QString& caption) const;
    QPushButton* defineHolidays() const { return defineHolidays_; }

  private:
    void applyRules();
    void store();

    store::Schedule& task_;
    store::IniFile positions_;
    QCheckBox* weekends_ = nullptr;
    QCheckBox* weekdays_ = nullptr;
    QCheckBox* holidays_ = nullptr;
    QCheckBox* timeRange_ = nullptr;
    QLabel* beginLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QTimeEdit* begin_ = nullptr;
    QTimeEdit* end_ = nullptr;
    QWidget* actionGroup_ = nullptr;
    QList<QRadioButton*> actions_;
    QPushButton* defineHolidays_ = nullptr;
};

}  // namespace agendix::schedule_ui
