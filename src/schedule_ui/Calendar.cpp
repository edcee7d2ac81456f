#include "schedule_ui/Calendar.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/ScheduleRules.h"
#include "shell/WindowPosition.h"
#include "store/StandardDate.h"

namespace agendix::schedule_ui {

namespace {
constexpr const char* kDayHeads[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
}

Calendar::Calendar(std::int32_t date, const QString& caption, const QString& mode,
                   const store::Schedule& task, const platform::Clock& clock,
                   platform::UserInterface& ui, store::IniFile positions, QWidget* parent)
    : QDialog(parent),
      start_(date),
      everyDay_(mode.trimmed() == QLatin1String("None")),
      task_(task),
      clock_(clock),
      ui_(ui),
      positions_(std::move(positions)),
      result_(date) {
    setWindowTitle(caption.trimmed().isEmpty() ? QStringLiteral("Select Date") : caption);
    auto* layout = new QVBoxLayout(this);
    typeLabel_ = new QLabel(QString::fromStdString(task_.ScheduleType), this);
    typeLabel_->setAlignment(Qt::AlignCenter);
    layout->addWidget(typeLabel_);

    auto* grid = new QGridLayout;
    for (int column = 0; column < 7; ++column) {
        auto* head = new QLabel(QString::fromLatin1(kDayHeads[column]), this);
        head->setAlignment(Qt::AlignCenter);
        grid->addWidget(head, 0, column);
    }
    for (int i = 0; i < 42; ++i) {
        auto* button = new QPushButton(this);
        button->setAutoDefault(false);
        button->setMinimumWidth(36);
        grid->addWidget(button, 1 + i / 7, i % 7);
        days_[static_cast<std::size_t>(i)] = button;
        connect(button, &QPushButton::clicked, this,
                [this, button] { pressDay(button->text().toInt()); });
    }
    layout->addLayout(grid);

    auto* steps = new QHBoxLayout;
    auto* monthLabel = new QLabel(QStringLiteral("Month:"), this);
    auto* monthBack = new QPushButton(QStringLiteral("<"), this);
    monthEntry_ = new QLineEdit(this);
    monthEntry_->setMaxLength(2);
    monthEntry_->setFixedWidth(36);
    monthEntry_->setValidator(new QIntValidator(0, 99, monthEntry_));
    monthLabel->setBuddy(monthEntry_);
    auto* monthForward = new QPushButton(QStringLiteral(">"), this);
    auto* yearLabel = new QLabel(QStringLiteral("Year:"), this);
    auto* yearBack = new QPushButton(QStringLiteral("<"), this);
    yearEntry_ = new QLineEdit(this);
    yearEntry_->setMaxLength(4);
    yearEntry_->setFixedWidth(56);
    yearEntry_->setValidator(new QIntValidator(0, 9999, yearEntry_));
    yearLabel->setBuddy(yearEntry_);
    auto* yearForward = new QPushButton(QStringLiteral(">"), this);
    auto* close = new QPushButton(QStringLiteral("Cl&ose"), this);
    for (QPushButton* b : {monthBack, monthForward, yearBack, yearForward, close}) {
        b->setAutoDefault(false);
    }
    monthBack->setMaximumWidth(30);
    monthForward->setMaximumWidth(30);
    yearBack->setMaximumWidth(30);
    yearForward->setMaximumWidth(30);
    steps->addWidget(monthLabel);
    steps->addWidget(monthBack);
    steps->addWidget(monthEntry_);
    steps->addWidget(monthForward);
    steps->addSpacing(12);
    steps->addWidget(yearLabel);
    steps->addWidget(yearBack);
    steps->addWidget(yearEntry_);
    steps->addWidget(yearForward);
    steps->addStretch();
    steps->addWidget(close);
    layout->addLayout(steps);

    connect(monthBack, &QPushButton::clicked, this, [this] { stepMonth(-1); });
    connect(monthForward, &QPushButton::clicked, this, [this] { stepMonth(1); });
    connect(yearBack, &QPushButton::clicked, this, [this] { stepYear(-1); });
    connect(yearForward, &QPushButton::clicked, this, [this] { stepYear(1); });
    connect(monthEntry_, &QLineEdit::editingFinished, this, [this] { acceptMonth(); });
    connect(yearEntry_, &QLineEdit::editingFinished, this, [this] { acceptYear(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    const std::int32_t shownDate = start_ != store::kNoDate ? start_ : clock_.today();
    showMonth(store::dateMonth(shownDate), store::dateYear(shownDate));
    if (QPushButton* day = dayButtonOf(store::dateDay(shownDate))) {
        day->setFocus();
    }
    shell::restoreWindowPosition(*this, positions_, kSection);
}

Calendar::~Calendar() {
    if (!saved_) {
        shell::saveWindowPosition(*this, positions_, kSection);
    }
}

void Calendar::done(int r) {
    shell::saveWindowPosition(*this, positions_, kSection);
    saved_ = true;
    QDialog::done(r);
}

std::int32_t Calendar::choose() {
    if (QPushButton* day = dayButtonOf(store::dateDay(start_ != 0 ? start_ : clock_.today()))) {
        day->setFocus();
    }
    exec();
    return result_;
}

QPushButton* Calendar::dayButtonOf(int day) const {
    for (QPushButton* button : days_) {
        if (!button->isHidden() && button->text().toInt() == day) {
            return button;
        }
    }
    return nullptr;
}

void Calendar::showMonth(int month, int year) {
    month_ = month;
    year_ = year;
    monthEntry_->setText(QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')));
    yearEntry_->setText(QString::number(year));
    const std::int32_t first = store::makeDate(month, 1, year);
    const int offset = store::weekday(first);
    const int length = store::daysInMonth(month, year);
    for (int i = 0; i < 42; ++i) {
        QPushButton* button = days_[static_cast<std::size_t>(i)];
        const int day = i - offset + 1;
        if (day < 1 || day > length) {
            button->setText(QString());
            button->hide();
            continue;
        }
        button->setText(QString::number(day));
        button->setEnabled(everyDay_ ||
                           engine::dateFitsSchedule(task_, store::makeDate(month, day, year)));
        button->show();
    }
}

void Calendar::stepMonth(int by) {
    int month = month_ + by;
    int year = year_;
    if (month < 1) {
        month = 12;
        --year;
    } else if (month > 12) {
        month = 1;
        ++year;
    }
    // The months beyond the calendar's years wrap like the year steps.
    if (year < kFirstYear) {
        year = kLastYear;
    } else if (year > kLastYear) {
        year = kFirstYear;
    }
    showMonth(month, year);
}

void Calendar::stepYear(int by) {
    int year = year_ + by;
    if (year < kFirstYear) {
        year = kLastYear;
    } else if (year > kLastYear) {
        year = kFirstYear;
    }
    showMonth(month_, year);
}

bool Calendar::pressDay(int day) {
    const std::int32_t date = store::makeDate(month_, day, year_);
    if (date < clock_.today()) {
        const platform::MessageButton answer = ui_.message(
            {"You have selected a date earlier than today.  Do you wish to use this date?",
             "Confirm", platform::MessageIcon::Question, platform::Yes | platform::No,
             platform::No});
        if (answer != platform::Yes) {
            return false;
        }
    }
    result_ = date;
    accept();
    return true;
}

bool Calendar::acceptMonth() {
    const int month = monthEntry_->text().toInt();
    if (month < 1 || month > 12) {
        ui_.message({"Month should be between 1 to 12", "Error Message",
                     platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
        monthEntry_->setFocus();
        monthEntry_->selectAll();
        return false;
    }
    if (month != month_) {
        showMonth(month, year_);
    }
    return true;
}

bool Calendar::acceptYear() {
    const int year = yearEntry_->text().toInt();
    if (year < kFirstYear || year > kLastYear) {
        ui_.message({"Year should be between " + std::to_string(kFirstYear) + " to " +
                         std::to_string(kLastYear),
                     "Error Message", platform::MessageIcon::Exclamation, platform::Ok,
                     platform::Ok});
        yearEntry_->setFocus();
        yearEntry_->selectAll();
        return false;
    }
    if (year != year_) {
        showMonth(month_, year);
    }
    return true;
}

std::int32_t pickDate(std::int32_t date, const QString& caption, const QString& mode,
                      const store::Schedule& task, const platform::Clock& clock,
                      platform::UserInterface& ui, const store::IniFile& positions,
                      QWidget* parent) {
    Calendar calendar(date, caption, mode, task, clock, ui, positions, parent);
    return calendar.choose();
}

}  // namespace agendix::schedule_ui
