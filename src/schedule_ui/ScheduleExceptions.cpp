#include "schedule_ui/ScheduleExceptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "shell/WindowPosition.h"

namespace agendix::schedule_ui {

namespace {

constexpr const char* kActions[] = {"Skip (to Next Valid Day)", "Previous Day", "Next Day"};

QTime toQTime(std::int32_t time) {
    return time <= 0 ? QTime(0, 0) : QTime(0, 0).addMSecs((time - 1) * 10);
}
std::int32_t fromQTime(QTime time) {
    return time.msecsSinceStartOfDay() / 10 + 1;
}

}  // namespace

ScheduleExceptions::ScheduleExceptions(store::Schedule& task, store::IniFile positions,
                                       QWidget* parent)
    : QDialog(parent), task_(task), positions_(std::move(positions)) {
    setWindowTitle(QStringLiteral("Exceptions"));
    auto* layout = new QVBoxLayout(this);

    weekends_ = new QCheckBox(QStringLiteral("Except Weekends"), this);
    weekdays_ = new QCheckBox(QStringLiteral("Except Weekdays"), this);
    holidays_ = new QCheckBox(QStringLiteral("Except Holidays"), this);
    defineHolidays_ = new QPushButton(QStringLiteral("Define Holidays..."), this);
    // The holiday list is not part of the program yet.
    defineHolidays_->setEnabled(false);
    auto* holidayRow = new QHBoxLayout;
    holidayRow->addWidget(holidays_);
    holidayRow->addStretch();
    holidayRow->addWidget(defineHolidays_);
    layout->addWidget(weekends_);
    layout->addWidget(weekdays_);
    layout->addLayout(holidayRow);

    timeRange_ = new QCheckBox(QStringLiteral("Except Time Range"), this);
    beginLabel_ = new QLabel(QStringLiteral("Begin:"), this);
    endLabel_ = new QLabel(QStringLiteral("End:"), this);
    begin_ = new QTimeEdit(toQTime(task_.ExceptTimeBegin), this);
    end_ = new QTimeEdit(toQTime(task_.ExceptTimeEnd), this);
    begin_->setDisplayFormat(QStringLiteral("hh:mm"));
    end_->setDisplayFormat(QStringLiteral("hh:mm"));
    beginLabel_->setBuddy(begin_);
    endLabel_->setBuddy(end_);
    auto* range = new QHBoxLayout;
    range->addWidget(timeRange_);
    range->addWidget(beginLabel_);
    range->addWidget(begin_);
    range->addWidget(endLabel_);
    range->addWidget(end_);
    range->addStretch();
    layout->addLayout(range);

    auto* group = new QGroupBox(QStringLiteral("Exception Action"), this);
    actionGroup_ = group;
    auto* groupLayout = new QVBoxLayout(group);
    auto* buttons = new QButtonGroup(this);
    for (const char* caption : kActions) {
        auto* option = new QRadioButton(QString::fromLatin1(caption), group);
        buttons->addButton(option);
        groupLayout->addWidget(option);
        actions_.append(option);
        if (task_.ShiftType == caption) {
            option->setChecked(true);
        }
    }
    layout->addWidget(group);

    auto* close = new QPushButton(QStringLiteral("Cl&ose"), this);
    close->setDefault(true);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    weekends_->setChecked(task_.ExceptWeekends != 0);
    weekdays_->setChecked(task_.ExceptWeekdays != 0);
    holidays_->setChecked(task_.ExceptHolidays != 0);
    timeRange_->setChecked(task_.ExceptTime != 0);

    for (QCheckBox* box : {weekends_, weekdays_, holidays_, timeRange_}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            applyRules();
            store();
        });
    }
    connect(begin_, &QTimeEdit::timeChanged, this, [this] { store(); });
    connect(end_, &QTimeEdit::timeChanged, this, [this] { store(); });
    connect(buttons, &QButtonGroup::buttonToggled, this, [this] { store(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    applyRules();
    shell::restoreWindowPosition(*this, positions_, kSection);
}

ScheduleExceptions::~ScheduleExceptions() {
    shell::saveWindowPosition(*this, positions_, kSection);
}

QRadioButton* ScheduleExceptions::action(const QString& caption) const {
    for (QRadioButton* option : actions_) {
        if (option->text() == caption) {
            return option;
        }
    }
    return nullptr;
}

void ScheduleExceptions::applyRules() {
    weekdays_->setEnabled(!weekends_->isChecked());
    weekends_->setEnabled(!weekdays_->isChecked());
    actionGroup_->setEnabled(weekends_->isChecked() || weekdays_->isChecked() ||
                             holidays_->isChecked());
    const bool range = timeRange_->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{beginLabel_, begin_, endLabel_, end_}) {
        w->setEnabled(range);
    }
}

void ScheduleExceptions::store() {
    task_.ExceptWeekends = weekends_->isChecked() ? 1 : 0;
    task_.ExceptWeekdays = weekdays_->isChecked() ? 1 : 0;
    task_.ExceptHolidays = holidays_->isChecked() ? 1 : 0;
    task_.ExceptTime = timeRange_->isChecked() ? 1 : 0;
    // An untouched entry keeps the stored time, "no time" included.
    if (begin_->time() != toQTime(task_.ExceptTimeBegin)) {
        task_.ExceptTimeBegin = fromQTime(begin_->time());
    }
    if (end_->time() != toQTime(task_.ExceptTimeEnd)) {
        task_.ExceptTimeEnd = fromQTime(end_->time());
    }
    for (QRadioButton* option : actions_) {
        if (option->isChecked()) {
            task_.ShiftType = option->text().toStdString();
        }
    }
}

}  // namespace agendix::schedule_ui
