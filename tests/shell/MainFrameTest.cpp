#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/FakeClock.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "shell/MainFrame.h"
#include "shell/MainTables.h"
#include "store/StandardDate.h"

namespace agendix::shell {
namespace {

#ifdef QT_PRINTSUPPORT_LIB
constexpr bool kPrintSetupBuilt = true;
#else
constexpr bool kPrintSetupBuilt = false;
#endif

// Saturday 31 October 1959, 5:30 PM.
const std::int32_t kSaturday = store::makeDate(10, 31, 1959);
const std::int32_t kHalfPastFive = store::makeTime(17, 30);

// Tables that record what the frame asks of them and whether the frame was on screen then.
class RecordingTables final : public MainTables {
  public:
    bool opens = true;
    const QWidget* frame = nullptr;
    std::vector<std::string> calls;

    bool open() override {
        record("open");
        return opens;
    }
    void release() override { record("release"); }

  private:
    void record(const std::string& call) {
        calls.push_back(call + (frame != nullptr && frame->isVisible() ? " shown" : " hidden"));
    }
};

class FrameTest : public ::testing::Test {
  protected:
    FrameTest() { tables.frame = &frame; }

    platform::FakeClock clock{kSaturday, kHalfPastFive};
    platform::ScriptedUserInterface ui;
    RecordingTables tables;
    MainFrame frame{clock, ui, tables};
};

// A menu command as found by walking the menu bar: the captions of its menus and its own.
struct FoundItem {
    QString path;
    QString caption;
    QAction* action;
};

void collectItems(const QList<QAction*>& actions, const QString& path,
                  std::vector<FoundItem>& found) {
    for (QAction* action : actions) {
        if (action->isSeparator()) {
            continue;
        }
        if (QMenu* menu = action->menu()) {
            collectItems(menu->actions(),
                         path.isEmpty() ? action->text() : path + " > " + action->text(), found);
        } else {
            found.push_back({path, action->text(), action});
        }
    }
}

std::vector<FoundItem> menuItems(MainFrame& frame) {
    std::vector<FoundItem> found;
    collectItems(frame.menuBar()->actions(), {}, found);
    return found;
}

struct ExpectedItem {
    const char* path;
    const char* caption;
    const char* tip;
    bool enabled;
};

// Every command of the menu tree in display order; only the commands whose windows exist are
// enabled.
const std::vector<ExpectedItem> kMenuItems = {
    {"&File", "&Setup", "Set preferences", false},
    {"&File", "Print Setup ...", "Setup printer", kPrintSetupBuilt},
    {"&File > &Import", "&Schedule", "", false},
    {"&File > &Import", "&Contacts", "", false},
    {"&File > &Import", "&To Do", "", false},
    {"&File > &Export", "&Schedule", "", false},
    {"&File > &Export", "&Contacts", "", false},
    {"&File > &Export", "&To Do", "", false},
    {"&File", "S&ynchronization", "Send/Receive between Agendix databases", false},
    {"&File", "View &Log", "Browse the Usage Log", false},
    {"&File", "E&xit", "Exit this application", true},
    {"&Browse", "&View Schedule", "Browse Schedule", false},
    {"&Browse > &Wizards", "Add &Message", "", false},
    {"&Browse > &Wizards", "Add &Program", "", false},
    {"&Browse > &Wizards", "Generic &Add ", "", false},
    {"&Browse", "&To Do List", "", false},
    {"&Browse", "&Contacts", "", false},
    {"&Browse", "Clip&board Saver", "", false},
    {"&Browse", "Schedule Cate&gories", "", false},
    {"&Browse", "Contact Categories", "", false},
    {"&Reports > &Schedule", "&Brief Schedule", "", false},
    {"&Reports > &Schedule", "&All in Date Order", "", false},
    {"&Reports > &Schedule", "All in &Category Order", "", false},
    {"&Reports > &Schedule", "&Specific Category", "", false},
    {"&Reports", "&Contacts", "List of Contacts", false},
    {"&Reports", "Cate&gories", "Print ordered by Category", false},
    {"&Reports > &To Do List", "&Priority", "", false},
    {"&Reports > &To Do List", "&Category", "", false},
    {"&Window", "T&ile", "", true},
    {"&Window", "&Cascade", "", true},
    {"&Window", "&Arrange Icons", "", true},
    {"&Help", "&Contents", "", false},
    {"&Help", "&Search for Help On...", "", false},
    {"&Help", "&How to Use Help", "", false},
    {"&Help", "&About", "", true},
};

TEST_F(FrameTest, MenuTreeHoldsEveryCommandWithItsCaptionTipAndState) {
    ASSERT_TRUE(frame.open());
    const std::vector<FoundItem> found = menuItems(frame);
    ASSERT_EQ(found.size(), kMenuItems.size());
    for (std::size_t i = 0; i < kMenuItems.size(); ++i) {
        const ExpectedItem& expected = kMenuItems[i];
        SCOPED_TRACE(std::string(expected.path) + " > " + expected.caption);
        EXPECT_EQ(found[i].path, QString(expected.path));
        EXPECT_EQ(found[i].caption, QString(expected.caption));
        EXPECT_EQ(found[i].action->statusTip(), QString(expected.tip));
        if (*expected.tip != '\0') {
            EXPECT_EQ(found[i].action->toolTip(), QString(expected.tip));
        }
        EXPECT_EQ(found[i].action->isEnabled(), expected.enabled);
    }
}

TEST_F(FrameTest, EveryCommandHasItsOwnNamedAction) {
    std::set<QAction*> actions;
    std::set<QString> names;
    for (int command = 0; command <= static_cast<int>(Command::About); ++command) {
        QAction* action = frame.action(static_cast<Command>(command));
        ASSERT_NE(action, nullptr) << "command " << command;
        EXPECT_FALSE(action->objectName().isEmpty()) << "command " << command;
        actions.insert(action);
        names.insert(action->objectName());
    }
    const std::vector<FoundItem> found = menuItems(frame);
    EXPECT_EQ(actions.size(), found.size());
    EXPECT_EQ(names.size(), found.size());
    for (const FoundItem& item : found) {
        EXPECT_TRUE(actions.contains(item.action)) << item.caption.toStdString();
    }
}

// A tip is shown in zone 1 while the mouse is on its command, then zone 1's own text returns.
TEST_F(FrameTest, CommandTipShowsInZoneOne) {
    ASSERT_TRUE(frame.open());
    frame.setStatusText(1, QStringLiteral("Ready"));
    frame.action(Command::Exit)->showStatusText(frame.menuBar());
    EXPECT_EQ(frame.statusText(1), QStringLiteral("Exit this application"));
    QStatusTipEvent noTip{QString()};
    QApplication::sendEvent(frame.menuBar(), &noTip);
    EXPECT_EQ(frame.statusText(1), QStringLiteral("Ready"));
}

struct ExpectedButton {
    const char* caption;
    const char* tip;
    Command command;
};

const std::vector<ExpectedButton> kToolbarButtons = {
    {"Program Wizard", "Add a task to run a program", Command::AddProgramWizard},
    {"Message Wizard", "Add a task to display a message", Command::AddMessageWizard},
    {"View Schedule", "View the schedule of tasks with options to add or modify",
     Command::ViewSchedule},
    {"To Do List", "View the To Do List with options to add or modify", Command::ToDoList},
};

TEST_F(FrameTest, ToolbarButtonsFollowAndTriggerTheirMenuCommands) {
    ASSERT_TRUE(frame.open());
    auto* toolbar = frame.findChild<QToolBar*>(QStringLiteral("toolbar"));
    ASSERT_NE(toolbar, nullptr);
    QList<QAction*> buttons = toolbar->actions();
    buttons.removeIf([](QAction* action) { return action->isSeparator(); });
    ASSERT_GE(buttons.size(), static_cast<qsizetype>(kToolbarButtons.size()));

    for (std::size_t i = 0; i < kToolbarButtons.size(); ++i) {
        const ExpectedButton& expected = kToolbarButtons[i];
        SCOPED_TRACE(expected.caption);
        QAction* button = buttons[static_cast<qsizetype>(i)];
        QAction* command = frame.action(expected.command);
        EXPECT_EQ(button->text(), QString(expected.caption));
        EXPECT_EQ(button->toolTip(), QString(expected.tip));
        EXPECT_EQ(button->statusTip(), QString(expected.tip));
        EXPECT_FALSE(button->icon().isNull());

        EXPECT_FALSE(button->isEnabled()) << "enabled while its command is not";
        command->setEnabled(true);
        EXPECT_TRUE(button->isEnabled());

        QSignalSpy commandTriggered(command, &QAction::triggered);
        button->trigger();
        EXPECT_EQ(commandTriggered.count(), 0) << "the command is posted, not called";
        EXPECT_TRUE(commandTriggered.wait(1000));
        EXPECT_EQ(commandTriggered.count(), 1);

        command->setEnabled(false);
        EXPECT_FALSE(button->isEnabled());
    }
}

TEST_F(FrameTest, ToolbarEndsWithScriptIndicatorAndDisabledStopButton) {
    ASSERT_TRUE(frame.open());
    auto* indicator = frame.findChild<QLabel*>(QStringLiteral("scriptIndicator"));
    ASSERT_NE(indicator, nullptr);
    EXPECT_EQ(indicator->text(), QString());
    frame.setScriptIndicator(true);
    EXPECT_EQ(indicator->text(), QStringLiteral("*"));
    frame.setScriptIndicator(false);
    EXPECT_EQ(indicator->text(), QString());

    ASSERT_NE(frame.stopAction(), nullptr);
    EXPECT_FALSE(frame.stopAction()->isEnabled());
    EXPECT_FALSE(frame.stopAction()->icon().isNull());
}

TEST_F(FrameTest, OpeningShowsTodayAndTheTime) {
    ASSERT_TRUE(frame.open());
    EXPECT_EQ(frame.statusText(3), QStringLiteral("Saturday, OCT 31,1959"));
    // The time's exact text belongs to the time picture; the frame shows it as it comes.
    EXPECT_EQ(frame.statusText(4), QString::fromStdString(store::formatTime("T3", kHalfPastFive)));
    EXPECT_EQ(frame.statusText(1), QString());
    EXPECT_EQ(frame.statusText(2), QString());
}

TEST_F(FrameTest, TimerRefreshesDateAndTime) {
    ASSERT_TRUE(frame.open());
    frame.setTimerPeriod(1);
    clock.set(kSaturday + 1, store::makeTime(9, 5));
    EXPECT_TRUE(QTest::qWaitFor([this] { return frame.statusText(3).startsWith("Sunday, "); }));
    EXPECT_EQ(frame.statusText(3), QStringLiteral("Sunday, NOV 1,1959"));
    EXPECT_EQ(frame.statusText(4),
              QString::fromStdString(store::formatTime("T3", store::makeTime(9, 5))));
}

// The timer runs only while the frame is open, at ten milliseconds per hundredth; a period of 0
// gives no timer events.
TEST_F(FrameTest, TimerRunsWhileOpenAtItsPeriod) {
    auto* timer = frame.findChild<QTimer*>(QStringLiteral("frameTimer"));
    ASSERT_NE(timer, nullptr);
    frame.setTimerPeriod(50);
    EXPECT_FALSE(timer->isActive()) << "runs before opening";

    ASSERT_TRUE(frame.open());
    const struct {
        int period;
        bool active;
        int interval;
    } cases[] = {{50, true, 500}, {125, true, 1250}, {250, true, 2500},
                 {1, true, 10},   {0, false, 0},     {125, true, 1250}};
    for (const auto& c : cases) {
        frame.setTimerPeriod(c.period);
        EXPECT_EQ(frame.timerPeriod(), c.period);
        EXPECT_EQ(timer->isActive(), c.active) << "period " << c.period;
        if (c.active) {
            EXPECT_EQ(timer->interval(), c.interval) << "period " << c.period;
        }
    }

    frame.close();
    EXPECT_FALSE(timer->isActive()) << "runs after closing";
}

TEST(OpeningTimerPeriod, KeepsOneToOneHundredAndReplacesTheRestByOneHundred) {
    const struct {
        int designed;
        int opened;
    } cases[] = {{0, 100}, {500, 100}, {1, 1}, {100, 100}, {-5, 100}, {101, 100}, {50, 50}};
    for (const auto& c : cases) {
        EXPECT_EQ(openingTimerPeriod(c.designed), c.opened) << "designed " << c.designed;
    }
}

TEST_F(FrameTest, OpeningClampsTheTimerPeriod) {
    EXPECT_EQ(frame.timerPeriod(), kDesignedTimerPeriod);
    frame.setTimerPeriod(500);
    ASSERT_TRUE(frame.open());
    EXPECT_EQ(frame.timerPeriod(), 100);
    EXPECT_EQ(frame.findChild<QTimer*>(QStringLiteral("frameTimer"))->interval(), 1000);
}

TEST_F(FrameTest, OpeningOpensTablesBeforeShowingAndStartsOnce) {
    ASSERT_TRUE(frame.open());
    EXPECT_EQ(tables.calls, std::vector<std::string>{"open hidden"});
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isOpen());
    EXPECT_FALSE(frame.started()) << "start-up runs from the event loop, after opening";

    ASSERT_TRUE(QTest::qWaitFor([this] { return frame.started(); }));
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Agendix 98 1.0"));
    EXPECT_EQ(frame.startDate(), kSaturday);

    // Showing the frame again (back from the tray) does not repeat the start-up.
    frame.hide();
    clock.set(kSaturday + 3, kHalfPastFive);
    frame.show();
    QApplication::processEvents();
    EXPECT_EQ(frame.startDate(), kSaturday);
    EXPECT_EQ(frame.open(), true);
    EXPECT_EQ(tables.calls.size(), 1u) << "a second open() opens nothing more";
}

TEST_F(FrameTest, FailedTableOpeningLeavesTheFrameHiddenAndHoldingNothing) {
    tables.opens = false;
    EXPECT_FALSE(frame.open());
    QApplication::processEvents();
    EXPECT_FALSE(frame.isVisible());
    EXPECT_FALSE(frame.isOpen());
    EXPECT_FALSE(frame.started());
    frame.close();
    EXPECT_EQ(tables.calls, std::vector<std::string>{"open hidden"});
}

// Each way of closing releases the tables once, while the frame is still on screen; closing
// again releases nothing more.
TEST_F(FrameTest, ClosingReleasesTablesOnceBeforeTheWindowGoes) {
    const struct {
        const char* how;
        std::function<void(MainFrame&)> closeFrame;
        bool hides;
    } closings[] = {
        {"Exit", [](MainFrame& f) { f.action(Command::Exit)->trigger(); }, true},
        {"close", [](MainFrame& f) { f.close(); }, true},
        // As the window system closes a frame that is hidden in the tray.
        {"close event",
         [](MainFrame& f) {
             QCloseEvent event;
             QApplication::sendEvent(&f, &event);
         },
         false},
    };
    for (const auto& closing : closings) {
        SCOPED_TRACE(closing.how);
        RecordingTables recording;
        MainFrame closed(clock, ui, recording);
        recording.frame = &closed;
        ASSERT_TRUE(closed.open());
        closing.closeFrame(closed);
        EXPECT_FALSE(closed.isOpen());
        if (closing.hides) {
            EXPECT_FALSE(closed.isVisible());
        }
        closing.closeFrame(closed);
        EXPECT_EQ(recording.calls, (std::vector<std::string>{"open hidden", "release shown"}));
    }
}

TEST_F(FrameTest, FrameDestroyedWithoutClosingReleasesItsTables) {
    RecordingTables recording;
    {
        MainFrame unclosed(clock, ui, recording);
        ASSERT_TRUE(unclosed.open());
    }
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"open hidden", "release hidden"}));
}

TEST_F(FrameTest, AboutNamesProductAndVersion) {
    ASSERT_TRUE(frame.open());
    frame.action(Command::About)->trigger();
    ASSERT_EQ(ui.shown().size(), 1u);
    EXPECT_NE(ui.shown()[0].text.find("Agendix 98"), std::string::npos);
    EXPECT_NE(ui.shown()[0].text.find("1.0"), std::string::npos);
}

#ifdef QT_PRINTSUPPORT_LIB
TEST_F(FrameTest, PrintSetupOpensThePrinterDialog) {
    ASSERT_TRUE(frame.open());
    QString dialogClass;
    QTimer::singleShot(0, [&dialogClass] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog != nullptr) {
            dialogClass = dialog->metaObject()->className();
            dialog->close();
        }
    });
    frame.action(Command::PrintSetup)->trigger();
    EXPECT_EQ(dialogClass, QStringLiteral("QPrintDialog"));
}
#endif

// The MDI area's children for the Window menu tests.
std::vector<QMdiSubWindow*> addChildren(MainFrame& frame, int count) {
    std::vector<QMdiSubWindow*> children;
    for (int i = 0; i < count; ++i) {
        auto* content = new QWidget;
        content->setMinimumSize(150, 100);
        QMdiSubWindow* child = frame.mdiArea()->addSubWindow(content);
        child->setWindowTitle(QStringLiteral("Child %1").arg(i + 1));
        child->show();
        child->setGeometry(20, 20, 200, 150);
        children.push_back(child);
    }
    return children;
}

bool overlap(const std::vector<QMdiSubWindow*>& windows) {
    for (std::size_t i = 0; i < windows.size(); ++i) {
        for (std::size_t j = i + 1; j < windows.size(); ++j) {
            if (windows[i]->geometry().intersects(windows[j]->geometry())) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(FrameTest, TileSpreadsChildrenWithoutOverlap) {
    ASSERT_TRUE(frame.open());
    const auto children = addChildren(frame, 3);
    ASSERT_TRUE(overlap(children));
    frame.action(Command::Tile)->trigger();
    EXPECT_FALSE(overlap(children));
    for (QMdiSubWindow* child : children) {
        EXPECT_TRUE(frame.mdiArea()->viewport()->rect().contains(child->geometry()));
    }
}

TEST_F(FrameTest, CascadeStaggersChildren) {
    ASSERT_TRUE(frame.open());
    const auto children = addChildren(frame, 3);
    frame.action(Command::Cascade)->trigger();
    for (std::size_t i = 1; i < children.size(); ++i) {
        EXPECT_GT(children[i]->y(), children[i - 1]->y());
    }
}

TEST_F(FrameTest, ArrangeIconsLinesUpMinimizedChildrenAlongTheBottom) {
    ASSERT_TRUE(frame.open());
    auto children = addChildren(frame, 7);
    QMdiSubWindow* normal = children.back();
    children.pop_back();
    for (QMdiSubWindow* child : children) {
        child->showMinimized();
    }
    // Scatter the icons, as a user dragging them would.
    for (std::size_t i = 0; i < children.size(); ++i) {
        children[i]->move(40 + static_cast<int>(i) * 7, 30 + static_cast<int>(i) * 5);
    }
    normal->setGeometry(100, 60, 200, 150);

    frame.action(Command::ArrangeIcons)->trigger();

    const QRect area = frame.mdiArea()->viewport()->rect();
    EXPECT_EQ(children.front()->geometry().bottomLeft(), area.bottomLeft());
    EXPECT_FALSE(overlap(children));
    for (QMdiSubWindow* child : children) {
        EXPECT_TRUE(child->isMinimized());
        EXPECT_TRUE(area.contains(child->geometry())) << child->windowTitle().toStdString();
    }
    EXPECT_EQ(normal->geometry(), QRect(100, 60, 200, 150)) << "a normal window stays put";
}

}  // namespace
}  // namespace agendix::shell
