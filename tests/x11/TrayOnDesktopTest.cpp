// The tray icon in a real notification area (trayer) and the clipboard set by another X client.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/FakeClock.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtTray.h"
#include "platform/x11/X11Platform.h"
#include "shell/ClipboardSaver.h"
#include "shell/MainFrame.h"
#include "shell/MainTables.h"
#include "shell/TrayIcon.h"
#include "shell/TrayIcons.h"
#include "store/DataDictionary.h"
#include "store/Database.h"
#include "store/FileAccess.h"
#include "store/StandardDate.h"
#include "store/StandardWarnings.h"
#include "store/Table.h"
#include "support/TempDir.h"
#include "x11/X11Fixture.h"

namespace agendix::shell {
namespace {

using platform::testing::eventually;

class NoTables final : public MainTables {
  public:
    bool open() override { return true; }
    void release() override {}
};

// Runs a helper program of the test's own and ends it afterwards.
class Helper {
  public:
    Helper(const QString& program, const QStringList& arguments) {
        process_.setProgram(program);
        process_.setArguments(arguments);
        process_.setStandardOutputFile(QProcess::nullDevice());
        process_.setStandardErrorFile(QProcess::nullDevice());
        process_.start();
        started_ = process_.waitForStarted(10000);
    }
    ~Helper() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(10000)) {
                process_.kill();
                process_.waitForFinished(10000);
            }
        }
    }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;

    bool started() const { return started_; }
    QProcess& process() { return process_; }

  private:
    QProcess process_;
    bool started_ = false;
};

QMenu* openMenu() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* menu = qobject_cast<QMenu*>(widget); menu != nullptr && menu->isVisible()) {
            return menu;
        }
    }
    return nullptr;
}

QStringList captions(const QMenu& menu) {
    QStringList result;
    for (QAction* action : menu.actions()) {
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return result;
}

class TrayOnDesktopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!platform::X11DesktopWindows().available() ||
            QGuiApplication::platformName() != "xcb") {
            GTEST_SKIP() << "needs an X display";
        }
        EXPECT_TRUE(frame.open());
        ASSERT_TRUE(eventually([&] { return frame.started(); }));
        frame.setWindowTitle(QStringLiteral("Agendix 98 - Backup 03/02/26 10:30PM"));
        tray.install();
        systemTray.onClick = [this] { tray.takeOutOfTray(); };
        systemTray.onMenu = [this] {
            ++menus;
            tray.showMenu();
        };
    }
    void TearDown() override {
        tray.uninstall();
        frame.close();
    }
    // Clicks a mouse button (1 left, 2 right) on the middle of the tray icon.
    bool clickIcon(unsigned button) {
        // Until the notification area has taken the icon in, Qt gives its own window's place.
        const auto placed = [&] {
            const QRect place = systemTray.geometry();
            return place.isValid() && !place.isEmpty() && place.topLeft() != QPoint(0, 0);
        };
        if (!eventually(placed)) {
            return false;
        }
        // Clicks apart, so that two clicks are not taken for a double click.
        QTest::qWait(QApplication::doubleClickInterval() + 100);
        const QPoint centre = systemTray.geometry().center();
        QProcess::execute("xdotool",
                          {"mousemove", QString::number(centre.x()), QString::number(centre.y())});
        QTest::qWait(100);
        return keyboard.click(button);
    }

    platform::FakeClock clock{store::makeDate(3, 2, 2026), store::makeTime(10, 0)};
    platform::ScriptedUserInterface ui;
    NoTables tables;
    MainFrame frame{clock, ui, tables};
    platform::QtTray systemTray{[](const std::string& name) { return trayIcon(name); }};
    platform::X11Keyboard keyboard;
    store::SettingValues settings;
    bool scriptQueued = false;
    int stops = 0;
    int menus = 0;
    std::vector<std::string> log;
    TrayIcon tray{TrayIcon::Ports{frame, systemTray, settings, [this] { return scriptQueued; },
                                  [this] { ++stops; },
                                  [this](std::string_view label, std::string_view data) {
                                      log.push_back(std::string(label) + ": " + std::string(data));
                                  }}};
};

TEST_F(TrayOnDesktopTest, WithoutATrayHostTheFrameSimplyMinimizes) {
    if (systemTray.available()) {
        GTEST_SKIP() << "a notification area already runs on this display";
    }
    frame.showMinimized();
    QTest::qWait(200);
    EXPECT_FALSE(tray.inTray());
    EXPECT_FALSE(systemTray.visible());
    EXPECT_TRUE(frame.isMinimized());
    EXPECT_EQ(log.size(), 1U);
    frame.showNormal();
    EXPECT_TRUE(eventually([&] { return frame.isVisible() && !frame.isMinimized(); }));
}

TEST_F(TrayOnDesktopTest, MinimizingPutsTheIconInTheTrayWithItsMenuAndAClickBringsTheFrameBack) {
    Helper trayer("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request",
                             "--height", "32", "--SetDockType", "false"});
    if (!trayer.started()) {
        GTEST_SKIP() << "trayer is not installed";
    }
    ASSERT_TRUE(eventually([&] { return systemTray.available(); }))
        << "trayer took no tray selection";

    frame.showMinimized();
    ASSERT_TRUE(eventually([&] { return tray.inTray(); }));
    EXPECT_TRUE(systemTray.visible());
    EXPECT_TRUE(eventually([&] { return !frame.isVisible(); }));
    EXPECT_TRUE(log.empty());

    // The right button opens the menu, with "&Stop Running Script" only while a script is queued.
    ASSERT_TRUE(clickIcon(2));
    ASSERT_TRUE(eventually([&] { return menus == 1; }));
    ASSERT_TRUE(eventually([] { return openMenu() != nullptr; }));
    EXPECT_FALSE(captions(*openMenu()).contains("&Stop Running Script"));
    EXPECT_TRUE(captions(*openMenu()).contains("E&xit Agendix"));
    openMenu()->close();
    ASSERT_TRUE(eventually([] { return openMenu() == nullptr; }));

    scriptQueued = true;
    ASSERT_TRUE(clickIcon(2));
    ASSERT_TRUE(eventually([&] { return menus == 2; }));
    ASSERT_TRUE(eventually([] { return openMenu() != nullptr; }));
    QMenu* menu = openMenu();
    EXPECT_EQ(captions(*menu).filter("&Stop Running Script").size(), 1);
    for (QAction* action : menu->actions()) {
        if (action->text() == "&Stop Running Script") {
            action->trigger();
        }
    }
    menu->close();
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(tray.inTray());

    // A left click restores the frame and takes the icon away.
    ASSERT_TRUE(clickIcon(1));
    EXPECT_TRUE(
        eventually([&] { return !tray.inTray() && frame.isVisible() && !frame.isMinimized(); }));
    EXPECT_FALSE(systemTray.visible());
}

TEST_F(TrayOnDesktopTest, WhenTheTrayHostEndsTheFrameComesBackAtTheNextTick) {
    auto trayer = std::make_unique<Helper>(
        "trayer", QStringList{"--edge", "top", "--align", "right", "--widthtype", "request",
                              "--height", "32", "--SetDockType", "false"});
    if (!trayer->started()) {
        GTEST_SKIP() << "trayer is not installed";
    }
    ASSERT_TRUE(eventually([&] { return systemTray.available(); }));
    frame.showMinimized();
    ASSERT_TRUE(eventually([&] { return tray.inTray() && !frame.isVisible(); }));

    trayer.reset();
    ASSERT_TRUE(eventually([&] { return !systemTray.available(); }));
    tray.refresh();
    EXPECT_FALSE(tray.inTray());
    EXPECT_TRUE(eventually([&] { return frame.isVisible(); }));
}

TEST_F(TrayOnDesktopTest, AClipboardTextSetByAnotherClientIsStoredWithinThreeTicks) {
    agendix::testing::TempDir dir;
    store::Database database{dir.path()};
    store::StandardWarnings warnings{ui};
    store::FileAccess access{database, warnings};
    settings.monitorClipboard = true;
    platform::QtClipboard clipboard;
    ClipboardSaver saver(access, clipboard, clock, settings);
    for (int tick = 0; tick < 4; ++tick) {
        saver.check();  // past the first check, whatever the clipboard held
    }

    const std::string text = "Pick up the parcel at the post office " +
                             std::to_string(QCoreApplication::applicationPid());
    Helper xclip("xclip", {"-selection", "clipboard", "-quiet"});
    if (!xclip.started()) {
        GTEST_SKIP() << "xclip is not installed";
    }
    xclip.process().write(text.c_str());
    xclip.process().closeWriteChannel();
    ASSERT_TRUE(eventually([&] { return clipboard.text() == text; }))
        << "xclip did not take the clipboard";

    for (int tick = 0; tick < ClipboardSaver::kTicksBetweenChecks; ++tick) {
        saver.check();
    }
    auto use = access.use(store::clipboardTable());
    ASSERT_TRUE(use.ok());
    store::Table<store::Clipboard> table(use.table());
    table.setKey("KeyClipDate");
    std::vector<std::string> stored;
    store::Clipboard entry;
    while (table.next(entry).ok()) {
        stored.push_back(entry.ClipContents);
    }
    EXPECT_NE(std::find(stored.begin(), stored.end(), text), stored.end());
}

}  // namespace
}  // namespace agendix::shell
