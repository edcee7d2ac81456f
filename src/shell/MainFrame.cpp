#include "shell/MainFrame.h"

#include <QGuiApplication>
#include <QScreen>

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <string>

#include "platform/Clock.h"
#include "platform/UserInterface.h"
#include "shell/Icons.h"
#include "shell/ListNavigation.h"
#include "shell/MainTables.h"
#include "shell/ProductInfo.h"
#include "store/StandardDate.h"

// Print Setup needs Qt Print Support; without it in the build the command stays disabled.
#ifdef QT_PRINTSUPPORT_LIB
#include <QPrintDialog>
#include <QPrinter>
#endif

namespace agendix::shell {

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t indexOf(Command command) {
    return static_cast<std::size_t>(command);
}

QIcon toolbarIcon(Command command) {
    switch (command) {
        case Command::AddProgramWizard:
            return programWizardIcon();
        case Command::AddMessageWizard:
            return messageWizardIcon();
        case Command::ViewSchedule:
            return scheduleIcon();
        case Command::ToDoList:
            return toDoIcon();
        default:
            return {};
    }
}

}  // namespace

int openingTimerPeriod(int period) {
    return period >= 1 && period <= 100 ? period : 100;
}

MainFrame::MainFrame(platform::Clock& clock, platform::UserInterface& ui, MainTables& tables,
                     QWidget* parent)
    : QMainWindow(parent), clock_(clock), ui_(ui), tables_(tables) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(frameIcon());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(mdiArea_);

    buildMenus();
    buildToolbar();
    buildStatusBar();
    connectBuiltCommands();

    timer_.setObjectName(QStringLiteral("frameTimer"));
    connect(&timer_, &QTimer::timeout, this, &MainFrame::onTimer);
    setMinimumSize(320, 240);
    // Until a place is saved the frame takes most of the screen, so that lists have room.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize room = screen != nullptr ? screen->availableSize() * 0.85 : QSize(640, 480);
    resize(room.expandedTo(QSize(640, 480)).boundedTo(QSize(1280, 900)));
}

MainFrame::~MainFrame() {
    // A frame destroyed without being closed still gives its tables back.
    if (tablesHeld_) {
        tablesHeld_ = false;
        tables_.release();
    }
    // The MDI area outlives this part of the frame while the base class takes the children down:
    // its window changes must not reach the frame any more.
    disconnect(mdiArea_, nullptr, this, nullptr);
}

void MainFrame::buildMenus() {
    std::map<std::string_view, QMenu*> menus;
    for (const MenuRow& row : menuRows()) {
        QMenu* parentMenu = row.parent.empty() ? nullptr : menus.at(row.parent);
        switch (row.kind) {
            case MenuRow::Kind::Menu: {
                QMenu* menu = parentMenu != nullptr ? parentMenu->addMenu(qtText(row.caption))
                                                    : menuBar()->addMenu(qtText(row.caption));
                menu->setObjectName(qtText(row.name));
                menu->menuAction()->setObjectName(qtText(row.name));
                menu->setToolTipsVisible(true);
                menus[row.name] = menu;
                break;
            }
            case MenuRow::Kind::Command: {
                QAction* action = parentMenu->addAction(qtText(row.caption));
                action->setObjectName(qtText(row.name));
                if (!row.tip.empty()) {
                    action->setStatusTip(qtText(row.tip));
                    action->setToolTip(qtText(row.tip));
                }
                action->setEnabled(false);
                actions_.at(indexOf(row.command)) = action;
                break;
            }
            case MenuRow::Kind::Separator:
                parentMenu->addSeparator();
                break;
        }
    }
}

void MainFrame::buildToolbar() {
    QToolBar* toolbar = addToolBar(QStringLiteral("Toolbar"));
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    for (const ToolbarRow& row : toolbarRows()) {
        QAction* button = toolbar->addAction(toolbarIcon(row.command), qtText(row.caption));
        button->setObjectName(qtText(row.name));
        button->setStatusTip(qtText(row.tip));
        button->setToolTip(qtText(row.tip));

        // The button follows its menu command: enabled with it, and pressing it posts the
        // command's trigger, as choosing the menu item would.
        QAction* command = action(row.command);
        button->setEnabled(command->isEnabled());
        connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
        connect(button, &QAction::triggered, command, [command] {
            QMetaObject::invokeMethod(command, &QAction::trigger, Qt::QueuedConnection);
        });
    }

    // The navigation buttons act on the active list window.
    toolbar->addSeparator();
    const QStyle::StandardPixmap navigationIcons[] = {
        QStyle::SP_MediaSkipBackward,  QStyle::SP_MediaSeekBackward, QStyle::SP_ArrowUp,
        QStyle::SP_ArrowDown,          QStyle::SP_MediaSeekForward,  QStyle::SP_MediaSkipForward,
        QStyle::SP_FileDialogNewFolder};
    for (const NavigationRow& row : navigationRows()) {
        auto* button =
            new QAction(style()->standardIcon(navigationIcons[static_cast<int>(row.navigation)]),
                        qtText(row.caption), toolbar);
        button->setObjectName(qtText(row.name));
        button->setStatusTip(qtText(row.tip));
        button->setToolTip(qtText(row.tip));
        button->setEnabled(false);
        auto* toolButton = new QToolButton(toolbar);
        toolButton->setDefaultAction(button);
        toolButton->setToolButtonStyle(Qt::ToolButtonIconOnly);
        toolbar->addWidget(toolButton);
        const Navigation navigation = row.navigation;
        connect(button, &QAction::triggered, this, [this, navigation] {
            if (ListNavigation* list = activeList()) {
                list->navigate(navigation);
            }
        });
        navigationActions_.at(static_cast<std::size_t>(row.navigation)) = button;
    }
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { updateNavigation(); });

    toolbar->addSeparator();
    scriptIndicator_ = new QLabel(toolbar);
    scriptIndicator_->setObjectName(QStringLiteral("scriptIndicator"));
    scriptIndicator_->setAlignment(Qt::AlignCenter);
    scriptIndicator_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    scriptIndicator_->setFixedWidth(scriptIndicator_->fontMetrics().horizontalAdvance(u'*') + 12);
    toolbar->addWidget(scriptIndicator_);

    stopAction_ = toolbar->addAction(stopIcon(), QStringLiteral("Stop"));
    stopAction_->setObjectName(QStringLiteral("toolbar.stop"));
    stopAction_->setEnabled(false);
}

void MainFrame::buildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    for (std::size_t i = 0; i < zones_.size(); ++i) {
        zones_[i] = new QLabel(bar);
        zones_[i]->setObjectName(QStringLiteral("statusZone%1").arg(i + 1));
    }
    // Zones 1 and 2 share the free width; zones 3 and 4 fit the longest date and time.
    const QFontMetrics metrics = zones_[2]->fontMetrics();
    zones_[2]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("Wednesday, SEP 30,2099")) +
                               12);
    zones_[3]->setMinimumWidth(metrics.horizontalAdvance(QStringLiteral("12:59PM")) + 12);
    bar->addWidget(zones_[0], 1);
    bar->addWidget(zones_[1], 2);
    bar->addPermanentWidget(zones_[2]);
    bar->addPermanentWidget(zones_[3]);
}

void MainFrame::connectBuiltCommands() {
    const auto enable = [this](Command command, auto slot) {
        QAction* menuAction = action(command);
        menuAction->setEnabled(true);
        connect(menuAction, &QAction::triggered, this, slot);
    };
    enable(Command::Exit, &MainFrame::close);
#ifdef QT_PRINTSUPPORT_LIB
    enable(Command::PrintSetup, &MainFrame::showPrintSetup);
#endif
    enable(Command::Tile, [this] { mdiArea_->tileSubWindows(); });
    enable(Command::Cascade, [this] { mdiArea_->cascadeSubWindows(); });
    enable(Command::ArrangeIcons, &MainFrame::arrangeIcons);
    enable(Command::About, &MainFrame::showAbout);
}

ListNavigation* MainFrame::activeList() const {
    // The current window, not the active one: the buttons still reach a list whose form has the
    // focus as a window of its own.
    QMdiSubWindow* sub = mdiArea_->currentSubWindow();
    return sub != nullptr ? dynamic_cast<ListNavigation*>(sub->widget()) : nullptr;
}

void MainFrame::updateNavigation() {
    ListNavigation* list = activeList();
    for (QAction* button : navigationActions_) {
        button->setEnabled(list != nullptr);
    }
    navigationAction(Navigation::Insert)->setEnabled(list != nullptr && list->canInsert());
}

QAction* MainFrame::action(Command command) const {
    return actions_.at(indexOf(command));
}

bool MainFrame::open() {
    if (tablesHeld_) {
        return true;
    }
    if (!tables_.open()) {
        return false;
    }
    tablesHeld_ = true;
    restorePosition();
    show();
    installTrayHook();
    timerPeriod_ = openingTimerPeriod(timerPeriod_);
    refreshClockZones();
    setTimerPeriod(timerPeriod_);
    return true;
}

void MainFrame::setStatusText(int zone, const QString& text) {
    QLabel* label = zones_.at(static_cast<std::size_t>(zone - 1));
    if (zone == 1) {
        zone1Text_ = text;
    }
    label->setText(text);
}

QString MainFrame::statusText(int zone) const {
    return zones_.at(static_cast<std::size_t>(zone - 1))->text();
}

void MainFrame::setScriptIndicator(bool running) {
    scriptIndicator_->setText(running ? QStringLiteral("*") : QString());
}

bool MainFrame::scriptIndicator() const {
    return !scriptIndicator_->text().isEmpty();
}

void MainFrame::setTimerPeriod(int hundredths) {
    timerPeriod_ = hundredths;
    // Like the runtime's window timer, a period of 0 (or less) gives no timer events.
    if (hundredths <= 0) {
        timer_.stop();
        return;
    }
    timer_.setInterval(hundredths * 10);
    if (tablesHeld_ && !timer_.isActive()) {
        timer_.start();
    }
}

bool MainFrame::event(QEvent* event) {
    // The tip of the command under the mouse shows in zone 1, over the zone's own text.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        zones_[0]->setText(tip.isEmpty() ? zone1Text_ : tip);
        return true;
    }
    return QMainWindow::event(event);
}

void MainFrame::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The start-up steps run once, when the event loop handles the frame's first showing.
    if (tablesHeld_ && !startupPosted_) {
        startupPosted_ = true;
        QMetaObject::invokeMethod(this, &MainFrame::runStartupSteps, Qt::QueuedConnection);
    }
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (tablesHeld_) {
        tablesHeld_ = false;
        timer_.stop();
        tables_.release();
        removeTrayHook();
        savePosition();
        event->accept();
        logExit();
        emit closed();
        return;
    }
    event->accept();
}

void MainFrame::onTimer() {
    tick();
    refreshClockZones();
}

void MainFrame::refreshClockZones() {
    const std::int32_t today = clock_.today();
    zones_[2]->setText(
        QString::fromStdString(store::dayName(today) + ", " + store::formatDate("D3", today)));
    zones_[3]->setText(QString::fromStdString(store::formatTime("T3", clock_.now())));
}

void MainFrame::runStartupSteps() {
    // Qt redisplays the frame and gives the focus to its first control by itself.
    setWindowTitle(QString::fromStdString(frameTitle(kProductName, versionText())));
    readMonitorWindowsSetting();
    writeVersionSetting();
    loadSettings();
    readDebugSetting();
    openStartupWindows();
    minimizeAtStartup();
    startDate_ = clock_.today();
    logStarted();
    started_ = true;
}

void MainFrame::showPrintSetup() {
#ifdef QT_PRINTSUPPORT_LIB
    if (!printer_) {
        printer_ = std::make_shared<QPrinter>();
    }
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.exec();
#endif
}

void MainFrame::arrangeIcons() {
    // Minimized windows line up from the bottom-left corner of the MDI area, in the order they
    // were opened, in rows that fill upwards.
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    int rowBottom = area.height();
    int rowHeight = 0;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized() || window->isHidden()) {
            continue;
        }
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) {
            rowBottom -= rowHeight;
            x = 0;
            rowHeight = 0;
        }
        const QRect place(QPoint(x, rowBottom - size.height()), size);
        window->setGeometry(QStyle::visualRect(layoutDirection(), area, place));
        x += size.width();
        rowHeight = std::max(rowHeight, size.height());
    }
}

void MainFrame::showAbout() {
    platform::MessageRequest request;
    request.caption = "About " + std::string(kProductName);
    request.text = std::string(kProductName) + "\nVersion " + std::string(versionText());
    request.icon = platform::MessageIcon::Information;
    ui_.message(request);
}

namespace {

template <class Hook, class... Args>
void call(const Hook& hook, Args&&... args) {
    if (hook) {
        hook(std::forward<Args>(args)...);
    }
}

}  // namespace

// Restores the frame's position and size from POSITION.INI, section "Main".
void MainFrame::restorePosition() { call(hooks_.restorePosition, *this); }

// Installs the frame's hook for the tray icon and prepares the tray icon's data.
void MainFrame::installTrayHook() { call(hooks_.installTrayHook); }

// Reads "Monitor Windows" and "MaxWindows" of section "Agendix" of the default INI file.
void MainFrame::readMonitorWindowsSetting() { call(hooks_.readMonitorWindowsSetting); }

// Writes the version text to the Configuration row "Version".
void MainFrame::writeVersionSetting() { call(hooks_.writeVersionSetting); }

// Loads every setting from Configuration, with ra98.INI as the fallback.
void MainFrame::loadSettings() { call(hooks_.loadSettings); }

// Reads "Debug" of section "Settings" of ra98.INI and says "Debugging Active" when it is set.
void MainFrame::readDebugSetting() { call(hooks_.readDebugSetting); }

// Opens the contacts, clipboard saver, to-do list and schedule windows chosen for start-up.
void MainFrame::openStartupWindows() { call(hooks_.openStartupWindows); }

// Iconizes the frame into the tray when "StartUpMinimized" is set.
void MainFrame::minimizeAtStartup() { call(hooks_.minimizeAtStartup); }

// Logs "Started" with the frame's title as data.
void MainFrame::logStarted() { call(hooks_.logStarted, windowTitle()); }

// Puts back the frame's window handling from before the tray hook.
void MainFrame::removeTrayHook() { call(hooks_.removeTrayHook); }

// Saves the frame's position and size to POSITION.INI, section "Main".
void MainFrame::savePosition() { call(hooks_.savePosition, *this); }

// Logs "Exit Agendix" with empty data.
void MainFrame::logExit() { call(hooks_.logExit); }

// The scheduler tick: the clipboard check, the next due task, advance warnings, the daily history
// clean-up, one due script item, and the next timer period.
void MainFrame::tick() { call(hooks_.tick); }

}  // namespace agendix::shell
