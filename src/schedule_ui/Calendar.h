#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "platform/Clock.h"
#include "platform/UserInterface.h"
#include "store/IniFile.h"
#include "store/Records.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace agendix::schedule_ui {

// The date picker of the task form, the wizards, the search and the report parameters.
//
// It shows one month as six rows of day buttons, Sunday first. With any mode but "None" only the
// days that fit the task's rule can be pressed. Pressing a day earlier than today asks first.
// Closing it without a day gives back the date it was started with.
class Calendar final : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kSection = "Calendar";
    static constexpr int kFirstYear = 1801;
    static constexpr int kLastYear = 2099;

    // `date` 0: the month of today; `caption` blank: "Select Date"; `mode` "None": every day.
    Calendar(std::int32_t date, const QString& caption, const QString& mode,
             const store::Schedule& task, const platform::Clock& clock, platform::UserInterface& ui,
             store::IniFile positions, QWidget* parent = nullptr);
    ~Calendar() override;
    Calendar(const Calendar&) = delete;
    Calendar& operator=(const Calendar&) = delete;

    // Runs the window; the day pressed, or the start date.
    std::int32_t choose();
    std::int32_t result() const { return result_; }

    int month() const { return month_; }
    int year() const { return year_; }
    void showMonth(int month, int year);
    void stepMonth(int by);
    void stepYear(int by);
    // Presses the day button of that day of the month shown; false when the calendar stays open.
    bool pressDay(int day);

    // The 42 day buttons, row by row.
    QPushButton* dayButton(int index) const { return days_.at(static_cast<std::size_t>(index)); }
    QPushButton* dayButtonOf(int day) const;
    QLineEdit* monthEntry() const { return monthEntry_; }
    QLineEdit* yearEntry() const { return yearEntry_; }
    QLabel* scheduleTypeLabel() const { return typeLabel_; }

    // The typed month and year, checked; a wrong one is reported and keeps the focus.
    bool acceptMonth();
    bool acceptYear();

  protected:
    void done(int r) override;

  private:
    std::int32_t start_;
    bool everyDay_;
    store::Schedule task_;
    const platform::Clock& clock_;
    platform::UserInterface& ui_;
    store::IniFile positions_;
    std::int32_t result_;
    int month_ = 1;
    int year_ = kFirstYear;
    std::array<QPushButton*, 42> days_{};
    QLabel* typeLabel_ = nullptr;
    QLineEdit* monthEntry_ = nullptr;
    QLineEdit* yearEntry_ = nullptr;
    bool saved_ = false;
};

// Calendar(date, caption, mode) as a call: the date chosen, or `date` when none was.
std::int32_t pickDate(std::int32_t date, const QString& caption, const QString& mode,
                      const store::Schedule& task, const platform::Clock& clock,
                      platform::UserInterface& ui, const store::IniFile& positions,
                      QWidget* parent = nullptr);

}  // namespace agendix::schedule_ui
