#include "shell/ReminderWindow.h"

#include "store/Text.h"

#include <QCloseEvent>
#include <QFont>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <limits>

#include "engine/ScheduleRules.h"
#include "shell/WindowPosition.h"
#include "store/DataDictionary.h"
#include "store/StandardDate.h"
#include "store/Table.h"

namespace agendix::shell {
namespace {

constexpr int kRecordInsertError = 14;  // standard warning for a record that could not be added
constexpr int kDefaultWidth = 440;
constexpr int kDefaultHeight = 280;

using store::trimRight;

bool isBeep(const std::string& file) {
    std::string upper = trimRight(file);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper == "BEEP";
}

// The moment `hundredths` after the given one, whole days carried into the date.
void advanceMoment(std::int32_t& date, std::int32_t& time, std::int64_t hundredths) {
    const std::int64_t since = static_cast<std::int64_t>(time) - 1 + hundredths;
    const std::int64_t days = since / store::kLastHundredth;
    date = static_cast<std::int32_t>(
        std::min<std::int64_t>(date + days, std::numeric_limits<std::int32_t>::max()));
    time = static_cast<std::int32_t>(since % store::kLastHundredth + 1);
    engine::normalizeDateTime(date, time);
}

}  // namespace

std::string fixedCopy(std::string_view text, std::size_t width) {
    return trimRight(store::cutToCharacters(text, width));
}

ReminderWindow::ReminderWindow(ReminderKind kind, const engine::ReminderHandover& handover,
                               ReminderServices& services)
    : kind_(kind),
      services_(services),
      sound_(fixedCopy(handover.sound, kSoundWidth)),
      replyPath_(kind == ReminderKind::Reply ? fixedCopy(handover.replyPath, kReplyPathWidth)
                                             : std::string()) {
    buildWindow();
    titleField_->setText(QString::fromStdString(fixedCopy(handover.title, kTitleWidth)));
    textBox_->setPlainText(QString::fromStdString(fixedCopy(handover.text, kTextWidth)));

    if (services_.settings.repeatAlarmInterval > 0) {
        scheduleNextAlarm();
    }
    alarmTimer_.setInterval(kTimerMilliseconds);
    connect(&alarmTimer_, &QTimer::timeout, this, &ReminderWindow::alarmTimer);
    alarmTimer_.start();
}

ReminderWindow::~ReminderWindow() = default;

void ReminderWindow::buildWindow() {
    setWindowTitle(QStringLiteral("Message"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);  // the frame alone decides when the program ends
    if (kind_ != ReminderKind::Message) {
        setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    if (kind_ == ReminderKind::Modal) {
        setWindowModality(Qt::ApplicationModal);
    }

    titleField_ = new QLineEdit(this);
    titleField_->setMaxLength(static_cast<int>(kTitleWidth));
    QFont titleFont = titleField_->font();
    titleFont.setBold(true);
    titleField_->setFont(titleFont);

    textBox_ = new QPlainTextEdit(this);
    textBox_->setToolTip(QStringLiteral("Message to display"));
    textBox_->setTabChangesFocus(true);
    textBox_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    closeButton_ = new QPushButton(QStringLiteral("Cl&ose"), this);
    snoozeButton_ = new QPushButton(QStringLiteral("&Snooze"), this);
    toDoButton_ =
        new QPushButton(kind_ == ReminderKind::Reply ? QStringLiteral("&To Do")
                                                     : QStringLiteral("&Add to To Do List"),
                        this);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(snoozeButton_, &QPushButton::clicked, this, &ReminderWindow::snooze);
    connect(toDoButton_, &QPushButton::clicked, this, &ReminderWindow::addToToDo);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(snoozeButton_);
    buttons->addWidget(toDoButton_);
    if (kind_ == ReminderKind::Reply) {
        replyButton_ = new QPushButton(QStringLiteral("&Reply"), this);
        replyButton_->setToolTip(QStringLiteral("Reply..."));
        replyButton_->setEnabled(false);
        connect(replyButton_, &QPushButton::clicked, this, &ReminderWindow::reply);
        buttons->addWidget(replyButton_);
    }
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titleField_);
    layout->addWidget(textBox_, 1);
    layout->addLayout(buttons);

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    setTabOrder(titleField_, textBox_);
    setTabOrder(textBox_, snoozeButton_);
    setTabOrder(snoozeButton_, toDoButton_);
    if (replyButton_ != nullptr) {
        setTabOrder(toDoButton_, replyButton_);
        setTabOrder(replyButton_, closeButton_);
    } else {
        setTabOrder(toDoButton_, closeButton_);
    }
    closeButton_->setFocus();
    resize(kDefaultWidth, kDefaultHeight);
}

std::string ReminderWindow::title() const {
    return fixedCopy(titleField_->text().toStdString(), kTitleWidth);
}

std::string ReminderWindow::text() const {
    return fixedCopy(textBox_->toPlainText().toStdString(), kTextWidth);
}

std::string ReminderWindow::replyDirectory() const {
    const auto first = replyPath_.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : replyPath_.substr(first);
}

void ReminderWindow::setReplyAction(ReplyAction action) {
    replyAction_ = std::move(action);
    if (replyButton_ != nullptr) {
        replyButton_->setEnabled(static_cast<bool>(replyAction_));
    }
}

void ReminderWindow::scheduleNextAlarm() {
    nextAlarmDate_ = services_.clock.today();
    nextAlarmTime_ = services_.clock.now();
    advanceMoment(nextAlarmDate_, nextAlarmTime_,
                  static_cast<std::int64_t>(services_.settings.repeatAlarmInterval) * 100);
}

void ReminderWindow::alarmTimer() {
    if (services_.settings.repeatAlarmInterval <= 0) {
        return;
    }
    if (nextAlarmDate_ == 0) {  // the repeat was switched on while the window was open
        scheduleNextAlarm();
        return;
    }
    if (engine::compareDateTime(services_.clock.today(), services_.clock.now(), nextAlarmDate_,
                                nextAlarmTime_) != 1) {
        return;
    }
    if (isBeep(sound_)) {
        services_.sound.beep();
    } else if (!sound_.empty()) {
        services_.sound.play(sound_);  // a sound that cannot play is passed over
    }
    scheduleNextAlarm();
}

void ReminderWindow::warnTableError(const store::StoreError& error) {
    store::StandardWarnings& warnings = services_.access.warnings();
    warnings.recordError(error);
    warnings.show(kRecordInsertError);
}

void ReminderWindow::snooze() {
    store::Schedule task;
    task.Message = text();
    task.TaskType = "Display Message";
    task.Category = "Snooze";
    task.Description = title();
    task.ScheduleType = "Once";
    task.Date = services_.clock.today();
    task.Time = services_.clock.now() + kSnoozeDelay;
    engine::normalizeDateTime(task.Date, task.Time);
    task.SkipIfMissed = 1;
    {
        auto schedule = services_.access.use(store::scheduleTable());
        if (schedule.ok()) {
            const store::StoreError error = services_.recurrence.addScheduleCopy(task);
            if (!error.ok()) {
                warnTableError(error);
            }
        }
    }
    close();
}

void ReminderWindow::addToToDo() {
    store::Todo item;
    item.Category = "General";
    item.Notes = text();
    item.ToDo = title();
    item.Priority = 5;
    item.Done = 0;
    store::StoreError error;
    {
        auto todo = services_.access.use(store::todoTable());
        if (!todo.ok()) {
            return;  // the standard warning has been shown
        }
        error = store::Table<store::Todo>(todo.table()).add(item);
    }
    if (!error.ok()) {
        warnTableError(error);
        return;
    }
    services_.ui.message(platform::MessageRequest{"Added to To Do List:\r" + item.ToDo, "Saved",
                                                  platform::MessageIcon::Information, platform::Ok,
                                                  platform::Ok});
}

void ReminderWindow::reply() {
    if (replyAction_) {
        replyAction_(replyDirectory());
    }
}

void ReminderWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        alarmTimer_.stop();
        if (kind_ == ReminderKind::Message) {
            saveWindowPosition(*this, services_.positionFile, kPositionSection);
        }
        emit closing(this);
    }
    event->accept();
}

}  // namespace agendix::shell
