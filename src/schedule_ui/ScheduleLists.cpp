#include "schedule_ui/ScheduleLists.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/WindowPosition.h"
#include "store/DataDictionary.h"
#include "store/Picture.h"

namespace agendix::schedule_ui {

namespace {

using store::Schedule;

// Above every text a key can hold: the end of a range on a text field.
constexpr const char* kTextEnd = "\xF4\x8F\xBF\xBF";

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// The highlighted task as stored now, watched for changes by other stations.
std::optional<Schedule> reread(store::StoredTable& stored, const Schedule* shown) {
    if (shown == nullptr) {
        return std::nullopt;
    }
    store::Table<Schedule> table(stored);
    table.watch();
    Schedule task;
    if (!table.reget(shown->position, task).ok()) {
        return std::nullopt;
    }
    return task;
}

}  // namespace

shell::BrowseColumn<Schedule> scheduleColumn(const QString& title,
                                             const store::Settings& settings) {
    auto colour = [](const Schedule& task) -> QVariant {
        const auto c = taskDateColour(task);
        return c ? QVariant(*c) : QVariant();
    };
    if (title == "Date") {
        return {title, 13,
                [&settings](const Schedule& task) { return text(settings.formatDate(task.Date)); },
                nullptr, colour};
    }
    if (title == "Time") {
        return {title, 8,
                [](const Schedule& task) { return text(store::formatTime("t3", task.Time, {})); },
                nullptr, colour};
    }
    if (title == "Category") {
        return {title, 14, [](const Schedule& task) { return text(task.Category); }};
    }
    if (title == "Task Type") {
        return {title, 14, [](const Schedule& task) { return text(task.TaskType); }};
    }
    if (title == "Schedule Type") {
        return {title, 14, [](const Schedule& task) { return text(task.ScheduleType); }};
    }
    return {title, 30, [](const Schedule& task) { return text(task.Description); }};
}

void rangeOnCategory(shell::BrowseOrder<Schedule>& order, const std::string* category) {
    order.key = "KeyCategory";
    order.rangeBound = [category](Schedule& task, bool end) {
        task.Category = *category;
        task.Description = end ? kTextEnd : "";
    };
    order.inRange = [category](const Schedule& task) {
        return text(task.Category).compare(text(*category), Qt::CaseInsensitive) == 0;
    };
    order.text = [](const Schedule& task) { return task.Description; };
    order.setText = [](Schedule& task, const std::string& value) { task.Description = value; };
}

BrowseScheduleByCategory::BrowseScheduleByCategory(ScheduleBrowserPorts ports, std::string category,
                                                   QWidget* parent)
    : QWidget(parent),
      ports_(std::move(ports)),
      category_(std::move(category)),
      use_(ports_.access.use(store::scheduleTable())) {
    setWindowTitle(QStringLiteral("Browse Schedule for ") + text(category_));
    shell::BrowseOrder<Schedule> order;
    order.tab = QStringLiteral("Category");
    rangeOnCategory(order, &category_);
    std::vector<shell::BrowseColumn<Schedule>> columns;
    for (const char* title : {"Description", "Date", "Time", "Task Type", "Schedule Type"}) {
        columns.push_back(scheduleColumn(title, ports_.settings));
    }
    rows_ = std::make_unique<shell::PagedList<Schedule>>(
        use_.table(), std::vector{std::move(order)}, std::move(columns));
    list_ = new shell::BrowseList(*rows_, this);
    forms_ = std::make_unique<TaskFormSession>(ports_.form, *this, *list_, *rows_);

    auto* buttons = new QHBoxLayout;
    for (const char* caption : {"&Add", "&Edit", "&Delete", "Cl&ose"}) {
        auto* pushButton = new QPushButton(caption, this);
        buttons_.push_back(pushButton);
        if (QString(caption) == "Cl&ose") {
            buttons->addStretch();
        }
        buttons->addWidget(pushButton);
    }
    connect(button("&Add"), &QPushButton::clicked, this, [this] { run(store::Request::Insert); });
    connect(button("&Edit"), &QPushButton::clicked, this, [this] { run(store::Request::Change); });
    connect(button("&Delete"), &QPushButton::clicked, this,
            [this] { run(store::Request::Delete); });
    connect(button("Cl&ose"), &QPushButton::clicked, this, [this] {
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        sub != nullptr ? sub->close() : close();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    list_->setPopupEntries({shell::PopupEntry::forButton(button("&Add")),
                            shell::PopupEntry::forButton(button("&Edit")),
                            shell::PopupEntry::forButton(button("&Delete"))});
    connect(list_, &shell::BrowseList::insertRequested, button("&Add"), &QPushButton::click);
    connect(list_, &shell::BrowseList::editRequested, button("&Edit"), &QPushButton::click);
    connect(list_, &shell::BrowseList::deleteRequested, button("&Delete"), &QPushButton::click);
    connect(list_, &shell::BrowseList::currentMoved, this, [this] { updateButtons(); });

    list_->restoreLayout(ports_.settings.positionIni(), kSection);
    list_->reload();
}

QPushButton* BrowseScheduleByCategory::button(const QString& caption) const {
    for (QPushButton* pushButton : buttons_) {
        if (pushButton->text() == caption) {
            return pushButton;
        }
    }
    return nullptr;
}

void BrowseScheduleByCategory::updateButtons() {
    const bool any = !list_->empty();
    button("&Add")->setEnabled(ports_.form != nullptr);
    button("&Edit")->setEnabled(ports_.form != nullptr && any);
    button("&Delete")->setEnabled(any);
}

void BrowseScheduleByCategory::run(store::Request request) {
    Schedule task;
    if (request != store::Request::Insert) {
        auto stored = reread(use_.table(), rows_->currentRecord());
        if (!stored) {
            list_->reload();
            return;
        }
        task = *stored;
    } else {
        task.Category = category_;
    }
    if (forms_->available()) {
        forms_->run(request, task);
        return;
    }
    if (request == store::Request::Delete &&
        store::FormRecord<Schedule>(ports_.access, store::scheduleTable()).requestDelete(task) ==
            store::Response::Completed) {
        rows_->showRecord(task);
        list_->showPage();
    } else {
        list_->reload();
    }
}

void BrowseScheduleByCategory::navigate(shell::Navigation navigation) {
    if (!forms_->navigate(
            navigation, [this] { run(store::Request::Insert); },
            [this] { run(store::Request::Change); })) {
        list_->navigate(navigation);
    }
}

void BrowseScheduleByCategory::closeEvent(QCloseEvent* event) {
    if (forms_->holdsClose()) {
        event->ignore();
        return;
    }
    list_->saveLayout(ports_.settings.positionIni(), kSection);
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    shell::saveWindowPosition(sub != nullptr ? static_cast<QWidget&>(*sub) : *this,
                              ports_.settings.positionIni(), kSection);
    event->accept();
}

SelectSchedule::SelectSchedule(store::FileAccess& access, store::Settings& settings,
                               QWidget* parent)
    : QDialog(parent), settings_(settings), use_(access.use(store::scheduleTable())) {
    setWindowTitle(QStringLiteral("Select Task"));
    shell::BrowseOrder<Schedule> order;
    order.tab = QStringLiteral("Category/Date");
    order.key = "KeyCategoryDate";
    order.text = [](const Schedule& task) { return task.Category; };
    order.setText = [](Schedule& task, const std::string& value) { task.Category = value; };
    std::vector<shell::BrowseColumn<Schedule>> columns;
    for (const char* title : {"Date", "Time", "Description"}) {
        columns.push_back(scheduleColumn(title, settings_));
    }
    rows_ = std::make_unique<shell::PagedList<Schedule>>(
        use_.table(), std::vector{std::move(order)}, std::move(columns));
    list_ = new shell::BrowseList(*rows_, this);
    select_ = new QPushButton(QStringLiteral("&Select Category"), this);
    auto* closeButton = new QPushButton(QStringLiteral("Cl&ose"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(select_);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);

    list_->setPopupEntries({shell::PopupEntry::forButton(select_)});
    connect(select_, &QPushButton::clicked, this, [this] {
        chosen_ = reread(use_.table(), rows_->currentRecord());
        if (chosen_) {
            accept();
        } else {
            list_->reload();
        }
    });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &shell::BrowseList::editRequested, select_, &QPushButton::click);
    connect(list_, &shell::BrowseList::currentMoved, this,
            [this] { select_->setEnabled(!list_->empty()); });

    resize(520, 380);
    shell::restoreWindowPosition(*this, settings_.positionIni(), kSection);
    list_->restoreLayout(settings_.positionIni(), kSection);
    list_->reload();
}

std::optional<Schedule> SelectSchedule::choose() {
    chosen_.reset();
    return exec() == QDialog::Accepted ? chosen_ : std::nullopt;
}

void SelectSchedule::done(int result) {
    list_->saveLayout(settings_.positionIni(), kSection);
    shell::saveWindowPosition(*this, settings_.positionIni(), kSection);
    QDialog::done(result);
}

}  // namespace agendix::schedule_ui
