#include "schedule_ui/UpdateSchedule.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "engine/ScheduleRules.h"
#include "schedule_ui/Calendar.h"
#include "schedule_ui/ScheduleExceptions.h"
#include "shell/WindowPosition.h"
#include "store/DataDictionary.h"
#include "store/Picture.h"
#include "store/StandardDate.h"
#include "store/Table.h"
#include "store/TaskScript.h"

namespace agendix::schedule_ui {

namespace {

using store::Schedule;

constexpr const char* kTaskTypes[] = {"Run Program", "Display Message", "Both", "None"};
constexpr const char* kScheduleTypes[] = {"Once",    "Day of Week", "Day of Month",
                                          "Monthly", "Yearly",      "Custom"};
constexpr const char* kEveryTypes[] = {"minute(s)", "hour(s)",  "day(s)",
                                       "week(s)",   "month(s)", "year(s)"};
constexpr const char* kOrdinals[] = {"1st", "2nd", "3rd", "4th", "Last"};
constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};

std::string trimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.pop_back();
    }
    return text;
}

std::uint8_t* weekdayField(Schedule& t, int day) {
    std::uint8_t* fields[] = {&t.Sunday,   &t.Monday, &t.Tuesday, &t.Wednesday,
                              &t.Thursday, &t.Friday, &t.Saturday};
    return fields[day];
}
std::uint8_t* ordinalField(Schedule& t, int ordinal) {
    std::uint8_t* fields[] = {&t.Every1st, &t.Every2nd, &t.Every3rd, &t.Every4th, &t.EveryLast};
    return fields[ordinal];
}

struct FlagBox {
    const char* caption;
    std::uint8_t Schedule::*field;
    const char* tip;
};
constexpr FlagBox kAdvancedFlags[] = {
    {"&Warn if not run on specified date", &Schedule::Warn, nullptr},
    {"&Skip if not run at specified time (+/- 10 minutes)", &Schedule::SkipIfMissed, nullptr},
    {"&Before performing task, give option to skip", &Schedule::UserSkip, nullptr},
    {"&Disable", &Schedule::Disabled, "Do not perform this task"},
    {"No &History", &Schedule::NoHistory, "Do not show history (remove when completed)"},
};

QLineEdit* makeEntry(QWidget* parent, int width, const char* tip, const char* hint = nullptr) {
    auto* entry = new QLineEdit(parent);
    entry->setMaxLength(width);
    if (tip != nullptr) {
        entry->setToolTip(QString::fromUtf8(tip));
    }
    if (hint != nullptr) {
        entry->setPlaceholderText(QString::fromUtf8(hint));
        entry->setStatusTip(QString::fromUtf8(hint));
    }
    return entry;
}

}  // namespace

// ---- SelectProgramFile ----

bool selectProgramFile(Schedule& task, platform::UserInterface& ui) {
    platform::FileDialogRequest request;
    request.caption = "Choose a Program to Start";
    request.startDirectory = trimRight(task.Path);
    // The patterns of each kind in both letter cases: names are case-sensitive here, and "All
    // Files" includes the many programs without an extension.
    request.filters = {{"All Files", "*"},
                       {"EXEs", "*.EXE *.exe"},
                       {"COMs", "*.COM *.com"},
                       {"BATs", "*.BAT *.bat"},
                       {"Shortcuts", "*.LNK *.lnk"}};
    const std::optional<std::string> chosen = ui.chooseFile(request);
    if (!chosen || chosen->empty()) {
        return false;
    }
    task.Command = store::cutToCharacters(*chosen, 255);
    if (trimRight(task.Path).empty()) {
        const std::size_t slash = chosen->rfind('/');
        if (slash != std::string::npos) {
            // A program in the root directory starts there.
            task.Path = store::cutToCharacters(slash == 0 ? "/" : chosen->substr(0, slash), 255);
        }
    }
    return true;
}

// ---- The form ----

UpdateSchedule::UpdateSchedule(TaskFormPorts ports, QWidget* parent)
    : QDialog(parent),
      ports_(std::move(ports)),
      scheduleUse_(ports_.access.use(store::scheduleTable())),
      categoriesUse_(ports_.access.use(store::categoriesTable())),
      record_(ports_.access, store::scheduleTable()) {
    setWindowTitle(QStringLiteral("Update the Schedule"));
    build();
}

UpdateSchedule::~UpdateSchedule() {
    if (!finished_ && request_ == store::Request::Insert) {
        finishCancel();
    }
    if (!positionSaved_ && request_ != store::Request::None && request_ != store::Request::Delete) {
        shell::saveWindowPosition(*this, ports_.settings.positionIni(), kSection);
    }
    if (auto told = std::exchange(onFinished_, nullptr)) {
        told(response_, task_);
    }
}

void UpdateSchedule::bringToFront() {
    raise();
    activateWindow();
}

void UpdateSchedule::abandon() {
    onFinished_ = nullptr;
    delete this;
}

void UpdateSchedule::build() {
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(buildTaskTab(), QStringLiteral("&Task"));
    tabs_->addTab(buildCommandTab(), QStringLiteral("&Command"));
    tabs_->addTab(buildMessageTab(), QStringLiteral("&Message"));
    tabs_->addTab(buildWhenTab(), QStringLiteral("&When"));
    tabs_->addTab(buildAdvancedTab(), QStringLiteral("&Advanced"));
    layout->addWidget(tabs_);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setDefault(true);
    buttons_[ok->text()] = ok;
    buttons_[cancel->text()] = cancel;
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, [this] { this->ok(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 480);
}

QWidget* UpdateSchedule::buildTaskTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral("Task Type"), page);
    group->setToolTip(QStringLiteral("Type of Task to Perform"));
    auto* groupLayout = new QHBoxLayout(group);
    auto* types = new QButtonGroup(page);
    for (const char* caption : kTaskTypes) {
        auto* option = new QRadioButton(QString::fromLatin1(caption), group);
        types->addButton(option);
        groupLayout->addWidget(option);
        taskTypes_[option->text()] = option;
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !loading_) {
                collect();
                applyTaskType();
            }
        });
    }
    layout->addWidget(group);

    auto* form = new QFormLayout;
    category_ = new QComboBox(page);
    category_->setMinimumContentsLength(20);
    category_->setToolTip(QStringLiteral("Category"));
    auto* categoryPrompt = new QLabel(QStringLiteral("&Category:"), page);
    categoryPrompt->setBuddy(category_);
    form->addRow(categoryPrompt, category_);
    auto* description = makeEntry(page, 40, "Description or Title of Task");
    auto* descriptionPrompt = new QLabel(QStringLiteral("&Description:"), page);
    descriptionPrompt->setBuddy(description);
    entries_[descriptionPrompt->text()] = description;
    form->addRow(descriptionPrompt, description);
    layout->addLayout(form);
    layout->addStretch();
    return page;
}

QWidget* UpdateSchedule::buildCommandTab() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    auto* command = makeEntry(page, 255, "Program to start",
                              "Enter any valid program name, along with the parameters it needs "
                              "here...");
    auto* commandPrompt = new QLabel(QStringLiteral("Comma&nd:"), page);
    commandPrompt->setBuddy(command);
    auto* browse = new QPushButton(QStringLiteral("&Browse"), page);
    browse->setToolTip(QStringLiteral("Select a program to start"));
    browse->setAutoDefault(false);
    auto* path = makeEntry(page, 255, "Directory (Folder) to start the command in",
                           "If the program must be started from a specific directory or folder, "
                           "enter it here...");
    auto* pathPrompt = new QLabel(QStringLiteral("Start &in:"), page);
    pathPrompt->setBuddy(path);
    auto* scripting = new QPushButton(QStringLiteral("&Scripting"), page);
    scripting->setToolTip(QStringLiteral("Send keystrokes, DDE commands, etc."));
    scripting->setAutoDefault(false);
    // The script editor is not part of the program yet.
    scripting->setEnabled(false);
    auto* scriptHint =
        new QLabel(QStringLiteral("<- Press this to send keystrokes or DDE commands"), page);
    auto* tip = new QLabel(
        QStringLiteral("TIP:  If you just want to use scripting, enter \"N/A\" as the command "
                       "above."),
        page);
    tip->setWordWrap(true);
    grid->addWidget(commandPrompt, 0, 0);
    grid->addWidget(command, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(pathPrompt, 1, 0);
    grid->addWidget(path, 1, 1, 1, 2);
    grid->addWidget(scripting, 2, 0);
    grid->addWidget(scriptHint, 2, 1, 1, 2);
    grid->addWidget(tip, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);
    entries_[commandPrompt->text()] = command;
    entries_[pathPrompt->text()] = path;
    buttons_[browse->text()] = browse;
    buttons_[scripting->text()] = scripting;
    connect(browse, &QPushButton::clicked, this, [this] { browseProgram(); });
    return page;
}

QWidget* UpdateSchedule::buildMessageTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    message_ = new QPlainTextEdit(page);
    message_->setToolTip(QStringLiteral("Message to display"));
    message_->setPlaceholderText(QStringLiteral("Enter your customized message here..."));
    message_->setStatusTip(message_->placeholderText());
    message_->setTabChangesFocus(true);
    message_->installEventFilter(this);
    layout->addWidget(message_);
    return page;
}

QWidget* UpdateSchedule::buildWhenTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;

    auto* typeGroup = new QGroupBox(QStringLiteral("Schedule &Type"), page);
    typeGroup->setToolTip(QStringLiteral("Type of scheduling"));
    auto* typeLayout = new QVBoxLayout(typeGroup);
    auto* types = new QButtonGroup(page);
    for (const char* caption : kScheduleTypes) {
        auto* option = new QRadioButton(QString::fromLatin1(caption), typeGroup);
        types->addButton(option);
        typeLayout->addWidget(option);
        scheduleTypes_[option->text()] = option;
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !loading_) {
                collect();
                applyScheduleType();
            }
        });
    }
    top->addWidget(typeGroup);

    auto* right = new QVBoxLayout;
    auto* everyGroup = new QGroupBox(QStringLiteral("&Every..."), page);
    everyGroup_ = everyGroup;
    auto* everyLayout = new QGridLayout(everyGroup);
    int column = 0;
    for (const char* caption : kOrdinals) {
        auto* check = new QCheckBox(QString::fromLatin1(caption), everyGroup);
        everyLayout->addWidget(check, 0, column++);
        boxes_[check->text()] = check;
    }
    auto* monthEnd = new QCheckBox(QStringLiteral("Month End"), everyGroup);
    everyLayout->addWidget(monthEnd, 0, column);
    boxes_[monthEnd->text()] = monthEnd;
    connect(monthEnd, &QCheckBox::toggled, this, [this] { applyMonthEnd(); });
    for (int day = 0; day < 7; ++day) {
        auto* check = new QCheckBox(QString::fromLatin1(kWeekdays[day]), everyGroup);
        everyLayout->addWidget(check, 1 + day / 4, day % 4);
        boxes_[check->text()] = check;
    }
    right->addWidget(everyGroup);

    auto* customRow = new QHBoxLayout;
    everyPrompt_ = new QLabel(QStringLiteral("Every:"), page);
    every_ = makeEntry(page, 6, "Repeat Task Every...");
    every_->setValidator(new QIntValidator(0, 999999, every_));
    every_->setMaximumWidth(80);
    everyPrompt_->setBuddy(every_);
    entries_[everyPrompt_->text()] = every_;
    prompts_[everyPrompt_->text()] = everyPrompt_;
    auto* unitGroup = new QGroupBox(page);
    unitGroup->setAccessibleName(QStringLiteral("Every Type"));
    unitGroup_ = unitGroup;
    auto* unitLayout = new QHBoxLayout(unitGroup);
    unitLayout->setContentsMargins(4, 2, 4, 2);
    auto* units = new QButtonGroup(page);
    for (const char* caption : kEveryTypes) {
        auto* option = new QRadioButton(QString::fromLatin1(caption), unitGroup);
        units->addButton(option);
        unitLayout->addWidget(option);
        everyTypes_[option->text()] = option;
    }
    customRow->addWidget(everyPrompt_);
    customRow->addWidget(every_);
    customRow->addWidget(unitGroup);
    customRow->addStretch();
    right->addLayout(customRow);

    except_ = new QPushButton(QStringLiteral("E&xcept"), page);
    except_->setAutoDefault(false);
    buttons_[except_->text()] = except_;
    connect(except_, &QPushButton::clicked, this, [this] { openExceptions(); });
    auto* exceptRow = new QHBoxLayout;
    exceptRow->addWidget(except_);
    exceptRow->addStretch();
    right->addLayout(exceptRow);
    right->addStretch();
    top->addLayout(right, 1);
    layout->addLayout(top);

    auto* grid = new QGridLayout;
    auto addDateRow = [&](int row, const char* datePrompt, QLineEdit*& date, const char* pickName,
                          const char* timePrompt, QLineEdit*& time, const char* timeKey,
                          const char* timeTip) {
        auto* dp = new QLabel(QString::fromUtf8(datePrompt), page);
        date = makeEntry(page, 20, nullptr);
        dp->setBuddy(date);
        entries_[dp->text()] = date;
        prompts_[dp->text()] = dp;
        grid->addWidget(dp, row, 0);
        grid->addWidget(date, row, 1);
        if (pickName != nullptr) {
            auto* pick = new QPushButton(QStringLiteral("..."), page);
            pick->setAutoDefault(false);
            pick->setMaximumWidth(32);
            buttons_[QString::fromUtf8(pickName)] = pick;
            grid->addWidget(pick, row, 2);
        }
        auto* tp = new QLabel(QString::fromUtf8(timePrompt), page);
        time = makeEntry(page, 10, timeTip);
        tp->setBuddy(time);
        entries_[QString::fromUtf8(timeKey)] = time;
        prompts_[QString::fromUtf8(timeKey)] = tp;
        grid->addWidget(tp, row, 3);
        grid->addWidget(time, row, 4);
    };
    addDateRow(0, "&Next Date to Perform Task:", date_, "Next Date ...", "&Time:", time_,
               "&Time:", "Next Time to Perform Task");
    QLineEdit* lastDate = nullptr;
    QLineEdit* lastTime = nullptr;
    addDateRow(1, "Date Last Performed:", lastDate, nullptr, "Time:", lastTime,
               "Last Run Time:", "Task last performed at this time");
    lastDate->setToolTip(QStringLiteral("Task last performed on this date"));
    lastDate->setReadOnly(true);
    lastTime->setReadOnly(true);
    auto* skip = new QCheckBox(QStringLiteral("&Skip Next Time"), page);
    skip->setToolTip(QStringLiteral("Skip next occurance of this task"));
    boxes_[skip->text()] = skip;
    grid->addWidget(skip, 2, 0, 1, 2);
    addDateRow(3, "&Advance Warning Date:", warnDate_, "Advance Warning ...", "Time:", warnTime_,
               "Advance Warning Time:", "Advanced Warning Time");
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);

    connect(buttons_.at("Next Date ..."), &QPushButton::clicked, this, [this] { pickNextDate(); });
    connect(buttons_.at("Advance Warning ..."), &QPushButton::clicked, this,
            [this] { pickWarningDate(); });
    connect(date_, &QLineEdit::editingFinished, this, [this] {
        if (date_->isModified()) {
            date_->setModified(false);
            acceptNextDate();
        }
    });
    for (QLineEdit* warn : {warnDate_, warnTime_}) {
        connect(warn, &QLineEdit::editingFinished, this, [this, warn] {
            if (warn->isModified()) {
                warn->setModified(false);
                acceptAdvanceWarning();
            }
        });
    }
    return page;
}

QWidget* UpdateSchedule::buildAdvancedTab() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* alarmGroup = new QGroupBox(QStringLiteral("Alarm"), page);
    auto* alarmLayout = new QGridLayout(alarmGroup);
    auto* alarm = new QCheckBox(QStringLiteral("Alarm"), alarmGroup);
    alarm->setToolTip(QStringLiteral("Play a WAV file as an alarm"));
    boxes_[alarm->text()] = alarm;
    auto* filePrompt = new QLabel(QStringLiteral("WAV File to Play:"), alarmGroup);
    alarmFile_ = makeEntry(alarmGroup, 255, nullptr);
    filePrompt->setBuddy(alarmFile_);
    alarmFile_->installEventFilter(this);
    entries_[filePrompt->text()] = alarmFile_;
    alarmBrowse_ = new QPushButton(QStringLiteral("&Browse"), alarmGroup);
    alarmBrowse_->setToolTip(QStringLiteral("Select a WAV file to play as an alarm."));
    alarmBrowse_->setAutoDefault(false);
    buttons_[QStringLiteral("Alarm &Browse")] = alarmBrowse_;
    play_ = new QPushButton(QStringLiteral("&Play"), alarmGroup);
    play_->setToolTip(QStringLiteral("Let's hear it!"));
    play_->setAutoDefault(false);
    buttons_[play_->text()] = play_;
    alarmLayout->addWidget(alarm, 0, 0, 1, 4);
    alarmLayout->addWidget(filePrompt, 1, 0);
    alarmLayout->addWidget(alarmFile_, 1, 1);
    alarmLayout->addWidget(alarmBrowse_, 1, 2);
    alarmLayout->addWidget(play_, 1, 3);
    layout->addWidget(alarmGroup);
    for (const FlagBox& flag : kAdvancedFlags) {
        auto* check = new QCheckBox(QString::fromUtf8(flag.caption), page);
        if (flag.tip != nullptr) {
            check->setToolTip(QString::fromUtf8(flag.tip));
        }
        boxes_[check->text()] = check;
        layout->addWidget(check);
    }
    layout->addStretch();

    connect(alarm, &QCheckBox::toggled, this, [this](bool on) {
        applyAlarm();
        if (on && !loading_) {
            alarmFileRule();
        }
    });
    connect(alarmFile_, &QLineEdit::editingFinished, this, [this] {
        if (alarmFile_->isModified()) {
            alarmFile_->setModified(false);
            acceptAlarmFile();
        }
    });
    connect(alarmBrowse_, &QPushButton::clicked, this, [this] { browseAlarm(); });
    connect(play_, &QPushButton::clicked, this, [this] { playAlarm(); });
    return page;
}

// ---- Lookups ----

int UpdateSchedule::tabIndex(const QString& caption) const {
    for (int i = 0; i < tabs_->count(); ++i) {
        if (tabs_->tabText(i) == caption) {
            return i;
        }
    }
    return -1;
}
bool UpdateSchedule::tabShown(const QString& caption) const {
    return tabs_->isTabVisible(tabIndex(caption));
}
QRadioButton* UpdateSchedule::taskType(const QString& caption) const {
    return taskTypes_.at(caption);
}
QRadioButton* UpdateSchedule::scheduleType(const QString& caption) const {
    return scheduleTypes_.at(caption);
}
QRadioButton* UpdateSchedule::everyType(const QString& caption) const {
    return everyTypes_.at(caption);
}
QCheckBox* UpdateSchedule::box(const QString& caption) const {
    return boxes_.at(caption);
}
QLineEdit* UpdateSchedule::entry(const QString& prompt) const {
    return entries_.at(prompt);
}
QLabel* UpdateSchedule::prompt(const QString& caption) const {
    return prompts_.at(caption);
}
QPushButton* UpdateSchedule::button(const QString& caption) const {
    return buttons_.at(caption);
}

// ---- Dates and times in the entries ----

std::string UpdateSchedule::datePicture() const {
    // The setting's picture when it names a whole day; the month-and-year and year-only formats
    // cannot be typed back, so their entries use month/day/year.
    std::string picture = ports_.settings.values().dateFormat;
    if (!picture.empty() && picture.front() == '@') {
        picture.erase(0, 1);
    }
    for (char& c : picture) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (picture.ends_with('b')) {
        picture.pop_back();
    }
    const bool partial =
        picture == "d13" || picture == "d14" || picture == "d15" || picture == "d16";
    return store::isDatePicture(picture) && !partial ? picture : std::string("d2");
}

QString UpdateSchedule::showDate(std::int32_t date) const {
    return QString::fromStdString(store::formatDate(datePicture(), date, {}));
}
QString UpdateSchedule::showTime(std::int32_t time) {
    return QString::fromStdString(store::formatTime("t3", time, {}));
}

std::int32_t UpdateSchedule::readDate(QLineEdit* entry, std::int32_t fallback) const {
    const QString text = entry->text().trimmed();
    if (text == showDate(fallback)) {
        return fallback;
    }
    if (text.isEmpty()) {
        return store::kNoDate;
    }
    return store::parseDate(datePicture(), text.toStdString()).value_or(fallback);
}

std::int32_t UpdateSchedule::readTime(QLineEdit* entry, std::int32_t fallback) const {
    const QString text = entry->text().trimmed();
    // Shown to the minute: an untouched entry keeps the seconds it had.
    if (text == showTime(fallback)) {
        return fallback;
    }
    if (text.isEmpty()) {
        return store::kNoTime;
    }
    return store::parseTime("t3", text.toStdString()).value_or(fallback);
}

// ---- Opening ----

bool UpdateSchedule::begin(store::Request request, const Schedule& task) {
    request_ = request;
    task_ = task;
    original_ = task;
    response_ = store::Response::Cancelled;
    if (!scheduleUse_.ok()) {
        finished_ = true;
        return false;
    }
    if (request == store::Request::Delete) {
        response_ = record_.requestDelete(task_);
        finished_ = true;
        return false;
    }
    bool brandNew = false;
    if (request == store::Request::Insert) {
        task_.position = {};
        brandNew = trimRight(task_.TaskType).empty();
        if (brandNew) {
            const std::int32_t picked = ports_.pickedDay ? ports_.pickedDay() : store::kNoDate;
            task_.Date = picked != store::kNoDate ? picked : ports_.clock.today();
            task_.Time = ports_.clock.now();
            task_.ScheduleType = "Day of Week";
            for (int day = 0; day < 7; ++day) {
                *weekdayField(task_, day) = 1;
            }
            task_.EveryLast = 1;
            task_.Warn = 1;
            task_.TaskType = "Both";
            task_.Every = 1;
            task_.EveryType = "hour(s)";
        } else {
            // A copy is a task of its own: it is not done, not warned, and shares neither the
            // source's identity nor its exception copy.
            sourceId_ = task_.ID;
            task_.Completed = 0;
            task_.AdvanceWarned = 0;
            task_.Disabled = 0;
            task_.OriginalID = 0;
            task_.ExceptionLink = 0;
        }
        // The reserved record stays disabled until OK so the scheduler leaves it alone meanwhile.
        Schedule reserved = task_;
        reserved.Disabled = 1;
        if (!record_.reserve(reserved, store::numberTask)) {
            finished_ = true;
            return false;
        }
        task_.ID = reserved.ID;
        task_.position = reserved.position;
        original_ = reserved;
        if (!brandNew) {
            copyScript(sourceId_, task_.ID);
        }
        setWindowTitle(QStringLiteral("Adding a Schedule Task"));
    } else {
        setWindowTitle(QStringLiteral("Changing a Schedule Task"));
    }
    if (brandNew) {
        automaticWarning();
    }
    fillCategories();
    display();
    shell::restoreWindowPosition(*this, ports_.settings.positionIni(), kSection);
    return true;
}

void UpdateSchedule::fillCategories() {
    std::vector<std::string> names;
    if (categoriesUse_.ok()) {
        store::Table<store::Categories> table(categoriesUse_.table());
        store::Categories category;
        while (table.next(category).ok()) {
            names.push_back(category.Category);
        }
    }
    category_->clear();
    for (const std::string& name : names) {
        category_->addItem(QString::fromStdString(name));
    }
    // A category the list does not hold (or an empty list) keeps the task's own category.
    const QString own = QString::fromStdString(task_.Category);
    if (!own.isEmpty() && category_->findText(own, Qt::MatchFixedString) < 0) {
        category_->addItem(own);
    }
    if (category_->findText(QString()) < 0) {
        category_->insertItem(0, QString());
    }
    category_->setCurrentIndex(std::max(0, category_->findText(own, Qt::MatchFixedString)));
}

void UpdateSchedule::display() {
    loading_ = true;
    for (auto& [caption, option] : taskTypes_) {
        option->setChecked(caption.toStdString() == task_.TaskType);
    }
    entries_.at("&Description:")->setText(QString::fromStdString(task_.Description));
    entries_.at("Comma&nd:")->setText(QString::fromStdString(task_.Command));
    entries_.at("Start &in:")->setText(QString::fromStdString(task_.Path));
    message_->setPlainText(QString::fromStdString(task_.Message));
    for (auto& [caption, option] : scheduleTypes_) {
        option->setChecked(caption.toStdString() == task_.ScheduleType);
    }
    for (int day = 0; day < 7; ++day) {
        boxes_.at(kWeekdays[day])->setChecked(*weekdayField(task_, day) != 0);
    }
    for (int ordinal = 0; ordinal < 5; ++ordinal) {
        boxes_.at(kOrdinals[ordinal])->setChecked(*ordinalField(task_, ordinal) != 0);
    }
    boxes_.at("Month End")->setChecked(task_.LastDayofMonth != 0);
    every_->setText(QString::number(task_.Every));
    for (auto& [caption, option] : everyTypes_) {
        option->setChecked(caption.toStdString() == task_.EveryType);
    }
    date_->setText(showDate(task_.Date));
    time_->setText(showTime(task_.Time));
    entries_.at("Date Last Performed:")->setText(showDate(task_.LastRunDate));
    entries_.at("Last Run Time:")->setText(showTime(task_.LastRunTime));
    boxes_.at("&Skip Next Time")->setChecked(task_.SkipNextTime != 0);
    warnDate_->setText(showDate(task_.AdvanceWarnDate));
    warnTime_->setText(showTime(task_.AdvanceWarnTime));
    boxes_.at("Alarm")->setChecked(task_.Alarm != 0);
    alarmFile_->setText(QString::fromStdString(task_.AlarmFile));
    for (const FlagBox& flag : kAdvancedFlags) {
        boxes_.at(flag.caption)->setChecked(task_.*flag.field != 0);
    }
    for (QLineEdit* e : {date_, warnDate_, warnTime_, alarmFile_}) {
        e->setModified(false);
    }
    loading_ = false;
    applyTaskType();
    applyScheduleType();
    applyAlarm();
}

void UpdateSchedule::collect() {
    for (auto& [caption, option] : taskTypes_) {
        if (option->isChecked()) {
            task_.TaskType = caption.toStdString();
        }
    }
    task_.Category = store::cutToCharacters(category_->currentText().toStdString(), 20);
    task_.Description = trimRight(entries_.at("&Description:")->text().toStdString());
    task_.Command = trimRight(entries_.at("Comma&nd:")->text().toStdString());
    task_.Path = trimRight(entries_.at("Start &in:")->text().toStdString());
    task_.Message = trimRight(message_->toPlainText().toStdString());
    for (auto& [caption, option] : scheduleTypes_) {
        if (option->isChecked()) {
            task_.ScheduleType = caption.toStdString();
        }
    }
    for (int day = 0; day < 7; ++day) {
        *weekdayField(task_, day) = boxes_.at(kWeekdays[day])->isChecked() ? 1 : 0;
    }
    for (int ordinal = 0; ordinal < 5; ++ordinal) {
        *ordinalField(task_, ordinal) = boxes_.at(kOrdinals[ordinal])->isChecked() ? 1 : 0;
    }
    task_.LastDayofMonth = boxes_.at("Month End")->isChecked() ? 1 : 0;
    task_.Every = every_->text().toInt();
    for (auto& [caption, option] : everyTypes_) {
        if (option->isChecked()) {
            task_.EveryType = caption.toStdString();
        }
    }
    task_.Date = readDate(date_, task_.Date);
    task_.Time = readTime(time_, task_.Time);
    task_.SkipNextTime = boxes_.at("&Skip Next Time")->isChecked() ? 1 : 0;
    task_.AdvanceWarnDate = readDate(warnDate_, task_.AdvanceWarnDate);
    task_.AdvanceWarnTime = readTime(warnTime_, task_.AdvanceWarnTime);
    task_.Alarm = boxes_.at("Alarm")->isChecked() ? 1 : 0;
    task_.AlarmFile = trimRight(alarmFile_->text().toStdString());
    for (const FlagBox& flag : kAdvancedFlags) {
        task_.*flag.field = boxes_.at(flag.caption)->isChecked() ? 1 : 0;
    }
}

const Schedule& UpdateSchedule::task() {
    if (!finished_) {
        collect();
    }
    return task_;
}

// ---- Visibility ----

void UpdateSchedule::applyTaskType() {
    const std::string type = task_.TaskType;
    const bool none = type == "None";
    time_->setVisible(!none);
    prompts_.at("&Time:")->setVisible(!none);
    if (none) {
        task_.Time = kNoneTime;
        time_->setText(showTime(task_.Time));
    }
    tabs_->setTabVisible(tabIndex("&Command"), type == "Run Program" || type == "Both");
    tabs_->setTabVisible(tabIndex("&Message"), type != "Run Program");
}

void UpdateSchedule::applyScheduleType() {
    const engine::ScheduleKind kind = engine::scheduleKind(task_.ScheduleType);
    const bool weekdays =
        kind == engine::ScheduleKind::DayOfWeek || kind == engine::ScheduleKind::DayOfMonth;
    const bool ordinals = kind == engine::ScheduleKind::DayOfMonth;
    const bool custom = kind == engine::ScheduleKind::Custom;
    for (const char* caption : kOrdinals) {
        boxes_.at(caption)->setVisible(ordinals);
    }
    boxes_.at("Month End")->setVisible(ordinals);
    for (const char* caption : kWeekdays) {
        boxes_.at(caption)->setVisible(weekdays);
    }
    everyGroup_->setVisible(weekdays);
    everyPrompt_->setVisible(custom);
    every_->setVisible(custom);
    unitGroup_->setVisible(custom);
    except_->setVisible(kind != engine::ScheduleKind::Once &&
                        kind != engine::ScheduleKind::DayOfWeek);
    applyMonthEnd();
}

void UpdateSchedule::applyMonthEnd() {
    const bool monthEnd =
        boxes_.at("Month End")->isChecked() &&
        engine::scheduleKind(task_.ScheduleType) == engine::ScheduleKind::DayOfMonth;
    for (const char* caption : kOrdinals) {
        boxes_.at(caption)->setEnabled(!monthEnd);
    }
    for (const char* caption : kWeekdays) {
        boxes_.at(caption)->setEnabled(!monthEnd);
    }
}

void UpdateSchedule::applyAlarm() {
    const bool on = boxes_.at("Alarm")->isChecked();
    alarmFile_->setEnabled(on);
    alarmBrowse_->setEnabled(on);
    play_->setEnabled(on);
}

// ---- Field behaviour ----

bool UpdateSchedule::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !loading_) {
        if (watched == message_) {
            messageFocused();
        } else if (watched == alarmFile_) {
            collect();
            alarmFileRule();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void UpdateSchedule::messageFocused() {
    if (message_->toPlainText().trimmed().isEmpty()) {
        message_->setPlainText(entries_.at("&Description:")->text());
    }
}

bool UpdateSchedule::checkNextDate() {
    if (task_.Date != store::kNoDate && !engine::dateFitsSchedule(task_)) {
        ports_.ui.message({"Date given does not match schedule type.", "Warning",
                           platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
        return false;
    }
    return true;
}

void UpdateSchedule::automaticWarning() {
    const store::IniFile ini = ports_.settings.settingsIni();
    if (trimRight(ini.read("Warning", "Active")).empty() || task_.Date == store::kNoDate) {
        return;
    }
    std::int32_t date = task_.Date - store::settingNumber(ini.read("Warning", "Date"));
    std::int32_t time = task_.Time - store::settingNumber(ini.read("Warning", "Time"));
    // An offset past midnight reaches into the days before.
    while (time < store::kMidnight) {
        time += store::kLastHundredth;
        --date;
    }
    engine::normalizeDateTime(date, time);
    task_.AdvanceWarnDate = std::max(date, store::kNoDate + 1);
    task_.AdvanceWarnTime = time;
}

void UpdateSchedule::acceptNextDate() {
    collect();
    checkNextDate();
    automaticWarning();
    warnDate_->setText(showDate(task_.AdvanceWarnDate));
    warnTime_->setText(showTime(task_.AdvanceWarnTime));
    date_->setText(showDate(task_.Date));
}

bool UpdateSchedule::checkAdvanceWarning() {
    if (task_.AdvanceWarnDate > task_.Date ||
        (task_.AdvanceWarnDate == task_.Date && task_.AdvanceWarnTime > task_.Time)) {
        task_.AdvanceWarnDate = store::kNoDate;
        task_.AdvanceWarnTime = store::kNoTime;
        warnDate_->setText(QString());
        warnTime_->setText(QString());
        ports_.ui.message({"Advanced Warning cannot be after scheduled task.", "Warning",
                           platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
        return false;
    }
    return true;
}

void UpdateSchedule::acceptAdvanceWarning() {
    collect();
    checkAdvanceWarning();
}

void UpdateSchedule::alarmFileRule() {
    std::string name = trimRight(alarmFile_->text().toStdString());
    const store::Settings::Fallback fallback{std::nullopt, std::string(store::kSettingsIniName)};
    if (name.empty()) {
        name = trimRight(ports_.settings.getConfig("LastWAVFile", fallback));
        alarmFile_->setText(QString::fromStdString(name));
        task_.AlarmFile = name;
    } else if (name != trimRight(ports_.settings.getConfig("LastWAVFile", fallback))) {
        ports_.settings.putConfig("LastWAVFile", name);
    }
}

void UpdateSchedule::acceptAlarmFile() {
    collect();
    alarmFileRule();
}

void UpdateSchedule::browseAlarm() {
    platform::FileDialogRequest request;
    request.caption = "Select WAV File for Alarm";
    const std::string current = trimRight(alarmFile_->text().toStdString());
    if (const std::size_t slash = current.rfind('/'); slash != std::string::npos) {
        request.startDirectory = current.substr(0, slash);
    }
    request.filters = {{"WAV Files", "*.WAV *.wav"}};
    if (const auto chosen = ports_.ui.chooseFile(request); chosen && !chosen->empty()) {
        alarmFile_->setText(QString::fromStdString(*chosen));
        acceptAlarmFile();
    }
}

void UpdateSchedule::playAlarm() {
    const std::string name = trimRight(alarmFile_->text().toStdString());
    if (name.empty()) {
        alarmBrowse_->setFocus();
        browseAlarm();
        return;
    }
    if (!ports_.sound.play(name)) {
        alarmBrowse_->setFocus();
    }
}

void UpdateSchedule::browseProgram() {
    collect();
    if (selectProgramFile(task_, ports_.ui)) {
        entries_.at("Comma&nd:")->setText(QString::fromStdString(task_.Command));
        entries_.at("Start &in:")->setText(QString::fromStdString(task_.Path));
    }
}

void UpdateSchedule::pickNextDate() {
    collect();
    const std::int32_t date =
        ports_.calendar ? ports_.calendar(task_.Date, "Select Date", QString(), task_)
                        : pickDate(task_.Date, "Select Date", QString(), task_, ports_.clock,
                                   ports_.ui, ports_.settings.positionIni(), this);
    date_->setText(showDate(date));
    acceptNextDate();
}

void UpdateSchedule::pickWarningDate() {
    collect();
    const QString none = QStringLiteral("None");
    const std::int32_t date =
        ports_.calendar ? ports_.calendar(task_.AdvanceWarnDate, "Select Date", none, task_)
                        : pickDate(task_.AdvanceWarnDate, "Select Date", none, task_, ports_.clock,
                                   ports_.ui, ports_.settings.positionIni(), this);
    warnDate_->setText(showDate(date));
    acceptAdvanceWarning();
}

void UpdateSchedule::openExceptions() {
    collect();
    if (ports_.exceptions) {
        ports_.exceptions(task_);
        return;
    }
    ScheduleExceptions window(task_, ports_.settings.positionIni(), this);
    window.exec();
}

void UpdateSchedule::copyScript(std::int32_t fromId, std::int32_t toId) {
    auto use = ports_.access.use(store::scriptingTable());
    if (!use.ok()) {
        return;
    }
    if (const store::ScriptCopy copied = store::copyTaskScript(use.table(), fromId, toId);
        !copied.added.ok()) {
        ports_.access.warnings().recordError(copied.added);
        ports_.access.warnings().show(14);
    }
}

// ---- OK and Cancel ----

bool UpdateSchedule::ok() {
    if (finished_) {
        return false;
    }
    if (request_ == store::Request::Insert || request_ == store::Request::Change) {
        collect();
        checkNextDate();
        if (task_.Alarm != 0) {
            alarmFileRule();
        }
        if (!checkAdvanceWarning()) {
            return false;
        }
        const std::string type = task_.TaskType;
        if (trimRight(task_.Command).empty() && (type == "Run Program" || type == "Both")) {
            task_.Command = "N/A";
        }
    }
    if (!save()) {
        return false;
    }
    finished_ = true;
    response_ = store::Response::Completed;
    positionSaved_ = true;
    shell::saveWindowPosition(*this, ports_.settings.positionIni(), kSection);
    done(Accepted);
    return true;
}

bool UpdateSchedule::save() {
    using store::toRow;
    if (request_ == store::Request::Change &&
        toRow(Schedule::fields(), task_) == toRow(Schedule::fields(), original_)) {
        return true;  // nothing changed: nothing is written
    }
    task_.NetworkUser = store::cutToCharacters(ports_.settings.values().userName, 30);
    task_.LastChangeDate = ports_.clock.today();
    task_.LastChangeTime = ports_.clock.now();
    if (task_.OriginalID == 0) {
        task_.OriginalID = task_.ID;
    }
    switch (record_.saveChange(task_, false, original_)) {
        case store::SaveOutcome::Saved:
            break;
        case store::SaveOutcome::KeepOpen:
            display();
            return false;
        case store::SaveOutcome::Close:
            reject();
            return false;
    }
    original_ = task_;
    const engine::ExceptionsOutcome outcome = ports_.recurrence.applyExceptions(task_, false);
    if (!outcome.error.ok()) {
        // The task itself is saved; its exception copy could not be made.
        ports_.access.warnings().recordError(outcome.error);
        ports_.access.warnings().show(14);
    }
    return true;
}

void UpdateSchedule::finishCancel() {
    if (finished_) {
        return;
    }
    finished_ = true;
    response_ = store::Response::Cancelled;
    if (request_ == store::Request::Insert) {
        // Deleting the reserved record takes the script copied to it along.
        record_.cancelReserved(original_);
    }
}

void UpdateSchedule::done(int r) {
    if (r != Accepted) {
        finishCancel();
    }
    if (!positionSaved_) {
        positionSaved_ = true;
        shell::saveWindowPosition(*this, ports_.settings.positionIni(), kSection);
    }
    QDialog::done(r);
    if (auto told = std::exchange(onFinished_, nullptr)) {
        told(response_, task_);
    }
}

// ---- The schedule lists' form ----

OpenTaskForm* ScheduleTaskForm::open(store::Request request, const Schedule& task, QWidget* owner,
                                     Finished finished) {
    TaskFormPorts ports = ports_;
    ports.pickedDay = [this] { return pickedDay_; };
    // The form floats over the frame, which stays usable; a list that is a window of its own
    // would pass its disabled state on to a form it parents.
    QWidget* parent = owner != nullptr && owner->window() != owner ? owner->window() : nullptr;
    auto* form = new UpdateSchedule(std::move(ports), parent);
    form->setAttribute(Qt::WA_DeleteOnClose);
    if (!form->begin(request, task)) {
        const store::Response response = form->response();
        delete form;
        if (finished) {
            finished(response, task);
        }
        return nullptr;
    }
    form->whenFinished(std::move(finished));
    form->setWindowModality(Qt::NonModal);
    form->show();
    // Asked again once the window is mapped: a form reopened from the frame's toolbar would
    // otherwise leave the focus with the frame that was just clicked.
    form->bringToFront();
    QTimer::singleShot(0, form, [form] { form->bringToFront(); });
    return form;
}

}  // namespace agendix::schedule_ui
