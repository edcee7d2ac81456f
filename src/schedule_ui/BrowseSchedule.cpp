#include "schedule_ui/BrowseSchedule.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <climits>

#include "schedule_ui/Calendar.h"
#include "schedule_ui/ScheduleLists.h"
#include "shell/WindowPosition.h"
#include "store/DataDictionary.h"
#include "store/Picture.h"
#include "store/StandardDate.h"

namespace agendix::schedule_ui {

namespace {

using store::Schedule;

constexpr double kTimesPerDay = 8'640'001.0;

QIcon drawIcon(TaskState state) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(2, 2, 11, 11);
    switch (state) {
        case TaskState::Done:
            painter.setPen(QPen(QColor(0, 128, 0), 2));
            painter.drawPolyline(QPolygon({QPoint(4, 8), QPoint(7, 11), QPoint(12, 4)}));
            break;
        case TaskState::Skip:
            painter.setPen(QPen(QColor(0, 0, 255), 2));
            painter.drawLine(4, 8, 11, 8);
            painter.drawPolyline(QPolygon({QPoint(8, 5), QPoint(11, 8), QPoint(8, 11)}));
            break;
        case TaskState::Disabled:
            painter.setPen(QPen(QColor(128, 128, 128), 2));
            painter.drawEllipse(4, 4, 7, 7);
            painter.drawLine(5, 10, 10, 5);
            break;
        case TaskState::NotDone:
            break;
    }
    return QIcon(pixmap);
}

bool isProgramTask(const Schedule& task) {
    return !task.TaskType.empty() && (task.TaskType.front() == 'R' || task.TaskType.front() == 'B');
}

QDate toQDate(std::int32_t date) {
    const store::CalendarDate parts = store::calendarDate(date);
    return QDate(parts.year, parts.month, parts.day);
}

std::int32_t fromQDate(QDate date) {
    return store::makeDate(date.month(), date.day(), date.year());
}

}  // namespace

TaskState taskState(const Schedule& task) {
    if (task.Completed == 1) {
        return TaskState::Done;
    }
    if (task.SkipNextTime == 1) {
        return TaskState::Skip;
    }
    if (task.Disabled != 0) {
        return TaskState::Disabled;
    }
    return TaskState::NotDone;
}

QString taskStateIconName(TaskState state) {
    switch (state) {
        case TaskState::Done:
            return QStringLiteral("~done.ico");
        case TaskState::Skip:
            return QStringLiteral("~skip.ico");
        case TaskState::Disabled:
            return QStringLiteral("~disabled.ico");
        case TaskState::NotDone:
            break;
    }
    return QStringLiteral("~notdone.ico");
}

QIcon taskStateIcon(TaskState state) {
    static const QIcon icons[] = {drawIcon(TaskState::Done), drawIcon(TaskState::Skip),
                                  drawIcon(TaskState::Disabled), drawIcon(TaskState::NotDone)};
    return icons[static_cast<int>(state)];
}

std::optional<QColor> taskDateColour(const Schedule& task) {
    if (task.Disabled != 0) {
        return QColor(128, 128, 128);
    }
    if (task.SkipNextTime == 1) {
        return QColor(0, 0, 255);
    }
    return std::nullopt;
}

BrowseSchedule::BrowseSchedule(ScheduleBrowserPorts ports, QWidget* parent)
    : QWidget(parent), ports_(std::move(ports)), use_(ports_.access.use(store::scheduleTable())) {
    const store::SettingValues& settings = ports_.settings.values();
    setWindowTitle(settings.multiUser && !settings.userName.empty()
                       ? QStringLiteral("View Schedule - ") +
                             QString::fromStdString(settings.userName)
                       : QStringLiteral("View Schedule"));
    activeOnly_ = settings.activeOnly;
    selectedDay_ = ports_.clock.today();
    lastSeenDate_ = selectedDay_;
    if (ports_.selectedDayChanged) {
        ports_.selectedDayChanged(selectedDay_);
    }

    rows_ = std::make_unique<shell::PagedList<Schedule>>(use_.table(), orders(), columns());
    list_ = new shell::BrowseList(*rows_, this);
    forms_ = std::make_unique<TaskFormSession>(ports_.form, *this, *list_, *rows_);

    // The view's own tools: the day of the day view, the category of the category view.
    pickDayButton_ = new QPushButton(QStringLiteral("&Pick Day"), this);
    dayEntry_ = new QDateEdit(toQDate(selectedDay_), this);
    dayEntry_->setCalendarPopup(true);
    categoryChoice_ = new QComboBox(this);
    categoryChoice_->setEditable(true);
    categoryChoice_->setToolTip(QStringLiteral("Choose the category to show"));
    searchButton_ = new QPushButton(QStringLiteral("&Search..."), this);
    searchButton_->setToolTip(QStringLiteral("Search the Schedule"));
    searchButton_->setEnabled(bool(ports_.search));
    auto* tools = new QHBoxLayout;
    tools->addWidget(pickDayButton_);
    tools->addWidget(dayEntry_);
    tools->addWidget(categoryChoice_, 1);
    tools->addWidget(searchButton_);
    tools->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(addButton(QStringLiteral("&Add"), QStringLiteral("Add a new task (tabbed)"),
                                 &BrowseSchedule::addTask));
    buttons->addWidget(addButton(QStringLiteral("Cop&y"),
                                 QStringLiteral("Copy the highlighted task to a new task"),
                                 &BrowseSchedule::copyTask));
    buttons->addWidget(addButton(QStringLiteral("&Edit"),
                                 QStringLiteral("Edit the highlighted task"),
                                 &BrowseSchedule::editTask));
    buttons->addWidget(addButton(QStringLiteral("&Delete"),
                                 QStringLiteral("Delete the highlighted task"),
                                 &BrowseSchedule::deleteTask));
    buttons->addWidget(
        addButton(QStringLiteral("Reschedule"),
                  QStringLiteral("Rescheduling Wizard - ideal for holidays, and temporary changes"),
                  nullptr));
    buttons->addWidget(addButton(QStringLiteral("Run Now"),
                                 QStringLiteral("Run the highlighted task"),
                                 &BrowseSchedule::runNow));
    buttons->addStretch();
    QPushButton* closeButton =
        addButton(QStringLiteral("Cl&ose"), QStringLiteral("Close this window"), nullptr);
    connect(closeButton, &QPushButton::clicked, this, [this] { windowFrame()->close(); });
    buttons->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    auto buttonEntry = [this](const char* caption) {
        return shell::PopupEntry::forButton(button(caption));
    };
    list_->setPopupEntries({
        buttonEntry("&Add"),
        buttonEntry("&Edit"),
        buttonEntry("&Delete"),
        shell::PopupEntry::separator(),
        buttonEntry("Cop&y"),
        buttonEntry("Reschedule"),
        buttonEntry("Run Now"),
        shell::PopupEntry::separator(),
        {QStringLiteral("Quick Start"),
         [this] { return !list_->empty() && bool(ports_.quickStart); }, [this] { quickStart(); }},
        shell::PopupEntry::separator(),
        {QStringLiteral("&Scripting"),
         [this] {
             const Schedule* task = rows_->currentRecord();
             return task != nullptr && isProgramTask(*task) && bool(ports_.editScript);
         },
         [this] {
             if (const Schedule* task = rows_->currentRecord()) {
                 ports_.editScript(*task);
             }
         }},
        shell::PopupEntry::separator(),
        {QStringLiteral("Show Active Only"), [this] { return !activeOnly_; },
         [this] { setActiveOnly(true); }},
        {QStringLiteral("Show All"), [this] { return activeOnly_; },
         [this] { setActiveOnly(false); }},
    });

    connect(list_, &shell::BrowseList::insertRequested, this, [this] { button("&Add")->click(); });
    connect(list_, &shell::BrowseList::deleteRequested, this,
            [this] { button("&Delete")->click(); });
    connect(list_, &shell::BrowseList::editRequested, this, [this] { button("&Edit")->click(); });
    connect(list_, &shell::BrowseList::currentMoved, this, [this] {
        updateButtons();
        const bool dayView = view() == DayView;
        pickDayButton_->setVisible(dayView);
        dayEntry_->setVisible(dayView);
        categoryChoice_->setVisible(view() == ByCategory);
        searchButton_->setVisible(view() == Selected);
    });
    // The search tags the tasks of the "Selected" view; the list keeps its task when it still
    // passes.
    connect(searchButton_, &QPushButton::clicked, this, [this] {
        if (ports_.search && ports_.search(this)) {
            list_->reload();
        }
    });
    // "&Pick Day" opens the month calendar on the day shown, every day choosable; the date
    // entry beside it is the quick way for the keyboard.
    connect(pickDayButton_, &QPushButton::clicked, this, [this] {
        const std::int32_t day =
            pickDate(selectedDay_, QString(), QString(), store::Schedule{}, ports_.clock, ports_.ui,
                     ports_.settings.positionIni(), this);
        if (day != selectedDay_) {
            pickDay(day);
        }
    });
    connect(dayEntry_, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (date.isValid() && fromQDate(date) != selectedDay_) {
            pickDay(fromQDate(date));
        }
    });
    connect(categoryChoice_, &QComboBox::textActivated, this,
            [this](const QString& text) { chooseCategory(text.toStdString()); });
    // The categories to choose from: the category list is short, read it whole.
    if (auto categories = ports_.access.use(store::categoriesTable(),
                                            {.createIfMissing = false, .quietIfMissing = true});
        categories.ok()) {
        store::Table<store::Categories> table(categories.table());
        table.setKey("KeyCategory");
        store::Categories category;
        while (table.next(category).ok()) {
            categoryChoice_->addItem(QString::fromStdString(category.Category));
        }
    }
    category_ = categoryChoice_->currentText().toStdString();

    if (ports_.addBrowser) {
        browserId_ = ports_.addBrowser([this] { refresh(); });
    }
    connect(&timer_, &QTimer::timeout, this, &BrowseSchedule::checkDate);
    timer_.start(kTimerPeriod * 10);

    list_->restoreLayout(ports_.settings.positionIni(), kSection);
    updateDayCaption();
    rows_->setOrder(settings.fullSchedule ? AllByDate : DayView);
    list_->reload();
}

BrowseSchedule::~BrowseSchedule() {
    if (browserId_ != 0 && ports_.removeBrowser) {
        ports_.removeBrowser(browserId_);
    }
}

QWidget* BrowseSchedule::windowFrame() {
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    return sub != nullptr ? static_cast<QWidget*>(sub) : this;
}

void BrowseSchedule::navigate(shell::Navigation navigation) {
    if (!forms_->navigate(
            navigation, [this] { addTask(); }, [this] { editTask(); })) {
        list_->navigate(navigation);
    }
}

void BrowseSchedule::closeEvent(QCloseEvent* event) {
    if (forms_->holdsClose()) {
        event->ignore();
        return;
    }
    if (!saved_) {
        saved_ = true;
        if (browserId_ != 0 && ports_.removeBrowser) {
            ports_.removeBrowser(browserId_);
            browserId_ = 0;
        }
        list_->saveLayout(ports_.settings.positionIni(), kSection);
        shell::saveWindowPosition(*windowFrame(), ports_.settings.positionIni(), kSection);
    }
    event->accept();
}

QPushButton* BrowseSchedule::addButton(const QString& caption, const QString& tip,
                                       void (BrowseSchedule::*command)()) {
    auto* pushButton = new QPushButton(caption, this);
    pushButton->setToolTip(tip);
    pushButton->setStatusTip(tip);
    if (command != nullptr) {
        connect(pushButton, &QPushButton::clicked, this, [this, command] { (this->*command)(); });
    } else if (caption == QStringLiteral("Reschedule")) {
        pushButton->setEnabled(false);  // the rescheduling wizard is not part of the program yet
    }
    buttons_.push_back(pushButton);
    return pushButton;
}

QPushButton* BrowseSchedule::button(const QString& caption) const {
    for (QPushButton* pushButton : buttons_) {
        if (pushButton->text() == caption) {
            return pushButton;
        }
    }
    return nullptr;
}

bool BrowseSchedule::passesActiveOnly(const Schedule& task) const {
    return !activeOnly_ || (task.Disabled == 0 && task.Completed == 0);
}

std::vector<shell::BrowseOrder<Schedule>> BrowseSchedule::orders() {
    auto byDate = [this](QString tab) {
        shell::BrowseOrder<Schedule> order;
        order.tab = std::move(tab);
        order.key = "KeyDate";
        order.accept = [this](const Schedule& task) { return passesActiveOnly(task); };
        order.number = [](const Schedule& task) { return task.Date * kTimesPerDay + task.Time; };
        order.setNumber = [](Schedule& task, double value) {
            task.Date = static_cast<std::int32_t>(std::floor(value / kTimesPerDay));
            task.Time = static_cast<std::int32_t>(value - task.Date * kTimesPerDay);
        };
        return order;
    };
    shell::BrowseOrder<Schedule> day = byDate(QStringLiteral("Day Schedule"));
    day.rangeBound = [this](Schedule& task, bool end) {
        task.Date = selectedDay_;
        task.Time = end ? INT32_MAX : 0;
    };
    day.inRange = [this](const Schedule& task) { return task.Date == selectedDay_; };

    shell::BrowseOrder<Schedule> category;
    category.tab = QStringLiteral("All by Category");
    rangeOnCategory(category, &category_);
    category.accept = [this](const Schedule& task) { return passesActiveOnly(task); };

    shell::BrowseOrder<Schedule> selected = byDate(QStringLiteral("Selected"));
    selected.accept = [this](const Schedule& task) {
        return passesActiveOnly(task) && ports_.tagged && ports_.tagged(task.ID);
    };
    selected.isEmpty = [this] { return !ports_.tagged; };

    return {day, byDate(QStringLiteral("All by Date")), category, selected};
}

std::vector<shell::BrowseColumn<Schedule>> BrowseSchedule::columns() {
    std::vector<shell::BrowseColumn<Schedule>> list{
        {QString(), 2, nullptr,
         [](const Schedule& task) { return QVariant(taskStateIcon(taskState(task))); }}};
    for (const char* title :
         {"Date", "Time", "Category", "Description", "Task Type", "Schedule Type"}) {
        list.push_back(scheduleColumn(title, ports_.settings));
    }
    return list;
}

void BrowseSchedule::updateDayCaption() {
    list_->tabs()->setTabText(DayView,
                              QString::fromStdString(ports_.settings.formatDate(selectedDay_)));
    const QSignalBlocker blocker(dayEntry_);
    dayEntry_->setDate(toQDate(selectedDay_));
}

void BrowseSchedule::updateButtons() {
    const bool any = !list_->empty();
    const bool form = ports_.form != nullptr;
    button("&Add")->setEnabled(form);
    button("Cop&y")->setEnabled(form && any);
    button("&Edit")->setEnabled(form && any);
    button("&Delete")->setEnabled(any);
    button("Run Now")->setEnabled(any && bool(ports_.runNow));
}

void BrowseSchedule::setView(View view) {
    rows_->setOrder(view);
    list_->showPage();
}

void BrowseSchedule::pickDay(std::int32_t day) {
    selectedDay_ = day;
    if (ports_.selectedDayChanged) {
        ports_.selectedDayChanged(day);
    }
    updateDayCaption();
    if (view() == DayView) {
        rows_->home();
        list_->showPage();
    }
}

void BrowseSchedule::chooseCategory(const std::string& category) {
    category_ = category;
    if (categoryChoice_->currentText().toStdString() != category) {
        categoryChoice_->setEditText(QString::fromStdString(category));
    }
    if (view() == ByCategory) {
        rows_->home();
        list_->showPage();
    }
}

void BrowseSchedule::setActiveOnly(bool on) {
    activeOnly_ = on;
    list_->reload();
}

void BrowseSchedule::checkDate() {
    const std::int32_t today = ports_.clock.today();
    if (today == lastSeenDate_) {
        return;
    }
    const bool followToday = selectedDay_ == lastSeenDate_;
    lastSeenDate_ = today;
    if (followToday) {
        pickDay(today);
    }
}

std::optional<Schedule> BrowseSchedule::highlightedTask() {
    const Schedule* shown = rows_->currentRecord();
    if (shown == nullptr) {
        return std::nullopt;
    }
    store::Table<Schedule> table(use_.table());
    table.watch();
    Schedule task;
    if (!table.reget(shown->position, task).ok()) {
        // Deleted by another station since it was shown.
        list_->reload();
        return std::nullopt;
    }
    return task;
}

void BrowseSchedule::addTask() {
    Schedule task;
    if (view() == ByCategory) {
        task.Category = category_;
    }
    forms_->run(store::Request::Insert, task, [this] {
        if (ports_.selectedDayChanged) {
            ports_.selectedDayChanged(selectedDay_);
        }
    });
}

void BrowseSchedule::copyTask() {
    if (auto task = highlightedTask()) {
        if (view() == ByCategory) {
            task->Category = category_;
        }
        forms_->run(store::Request::Insert, *task);
    }
}

void BrowseSchedule::editTask() {
    if (auto task = highlightedTask()) {
        forms_->run(store::Request::Change, *task);
    }
}

void BrowseSchedule::deleteTask() {
    auto task = highlightedTask();
    if (!task) {
        return;
    }
    if (forms_->available()) {
        forms_->run(store::Request::Delete, *task);
        return;
    }
    store::FormRecord<Schedule> record(ports_.access, store::scheduleTable());
    if (record.requestDelete(*task) == store::Response::Completed) {
        rows_->showRecord(*task);  // gone: the list stands on the task that followed it
        list_->showPage();
    }
}

void BrowseSchedule::runNow() {
    if (auto task = highlightedTask(); task && ports_.runNow) {
        ports_.runNow(*task);
        list_->reload();
    }
}

void BrowseSchedule::quickStart() {
    if (auto task = highlightedTask(); task && ports_.quickStart) {
        ports_.quickStart(*task, this);
        list_->reload();
    }
}

BrowseSchedule* openScheduleBrowser(ScheduleBrowserPorts ports, QMdiArea& area) {
    const store::IniFile position = ports.settings.positionIni();
    auto* browser = new BrowseSchedule(std::move(ports));
    browser->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* sub = area.addSubWindow(browser);
    sub->resize(760, 420);
    shell::restoreWindowPosition(*sub, position, BrowseSchedule::kSection);
    browser->show();
    browser->list().reload();
    return browser;
}

}  // namespace agendix::schedule_ui
