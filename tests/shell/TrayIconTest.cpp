#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <string>
#include <vector>

#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeTray.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "shell/FrameTickPort.h"
#include "shell/MainFrame.h"
#include "shell/MainTables.h"
#include "shell/TrayIcon.h"
#include "store/StandardDate.h"

namespace agendix::shell {
namespace {

class NoTables final : public MainTables {
  public:
    bool open() override { return true; }
    void release() override {}
};

QStringList captions(QMenu& menu) {
    QStringList result;
    for (QAction* action : menu.actions()) {
        result << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return result;
}

class TrayIconTest : public ::testing::Test {
  protected:
    TrayIconTest() {
        ports.setTray(&tray);
        EXPECT_TRUE(frame.open());
        QTRY_VERIFY(frame.started());
        frame.setWindowTitle(QStringLiteral("Agendix 98 - Water the plants 03/02/26 10:30AM"));
        tray.install();
    }
    ~TrayIconTest() override {
        tray.uninstall();
        frame.close();
    }
    void minimize() {
        frame.showMinimized();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    platform::FakeClock clock{store::makeDate(3, 2, 2026), store::makeTime(10, 0)};
    platform::ScriptedUserInterface ui;
    NoTables tables;
    MainFrame frame{clock, ui, tables};
    platform::FakeTray systemTray;
    store::SettingValues settings;
    bool scriptQueued = false;
    int stops = 0;
    std::vector<std::string> log;
    TrayIcon tray{TrayIcon::Ports{frame, systemTray, settings, [this] { return scriptQueued; },
                                  [this] { ++stops; },
                                  [this](std::string_view label, std::string_view data) {
                                      log.push_back(std::string(label) + ": " + std::string(data));
                                  }}};
    FrameTickPort ports{frame};
};

TEST_F(TrayIconTest, MinimizingPutsTheIconInTheTrayAndHidesTheFrame) {
    minimize();
    EXPECT_TRUE(tray.inTray());
    EXPECT_TRUE(systemTray.shown);
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(systemTray.iconName, "tray_ico");
    EXPECT_EQ(systemTray.tip, "Agendix 98 - Water the plants 03/02/26 10:30AM");

    // The tick's tip is cut to 63 characters.
    ports.setTrayTip(std::string(40, 'a') + std::string(40, 'b'));
    EXPECT_EQ(systemTray.tip, std::string(40, 'a') + std::string(23, 'b'));

    // A click brings the frame back and takes the icon away.
    tray.takeOutOfTray();
    EXPECT_FALSE(tray.inTray());
    EXPECT_FALSE(systemTray.shown);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.isMinimized());
}

TEST_F(TrayIconTest, WithNoTrayOrNoNotificationAreaTheFrameSimplyMinimizes) {
    settings.noTray = true;
    minimize();
    EXPECT_FALSE(tray.inTray());
    EXPECT_FALSE(systemTray.shown);
    EXPECT_TRUE(frame.isMinimized());
    ports.setTrayTip("never shown");
    EXPECT_EQ(systemTray.modifications, 0);
    EXPECT_TRUE(log.empty());

    frame.showNormal();
    settings.noTray = false;
    systemTray.present = false;
    minimize();
    EXPECT_FALSE(tray.inTray());
    EXPECT_FALSE(systemTray.shown);
    EXPECT_TRUE(frame.isMinimized());
    frame.showNormal();
    minimize();
    const std::vector<std::string> saidOnce = {
        "No Notification Area: The frame minimizes as a window"};
    EXPECT_EQ(log, saidOnce);
}

TEST_F(TrayIconTest, TheMenuOffersStopRunningScriptOnlyWhileAScriptIsQueued) {
    minimize();
    const QStringList common = {
        "Add &Message", "Add &Program", "&View To Do", "&Options", "-", "&Restore", "-", "&About"};
    auto menu = tray.buildMenu();
    EXPECT_EQ(captions(*menu), common + QStringList({"E&xit Agendix"}));

    scriptQueued = true;
    menu = tray.buildMenu();
    EXPECT_EQ(captions(*menu), common + QStringList({"&Stop Running Script", "E&xit Agendix"}));
    menu->actions().at(8)->trigger();
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(tray.inTray()) << "stopping the script leaves the frame in the tray";

    menu->actions().at(5)->trigger();  // "&Restore"
    EXPECT_FALSE(tray.inTray());
    EXPECT_TRUE(frame.isVisible());
}

TEST_F(TrayIconTest, TheIconAnimatesWhileAScriptRunsAndComesBackAtTheNextTick) {
    tray.refresh();
    EXPECT_EQ(systemTray.modifications, 0) << "out of the tray nothing animates";
    minimize();
    scriptQueued = true;
    std::vector<std::string> shown;
    for (int tick = 0; tick < 5; ++tick) {
        tray.refresh();
        shown.push_back(systemTray.iconName);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"trayb_ico", "trayc_ico", "trayd_ico", "tray_ico",
                                               "trayb_ico"}));
    scriptQueued = false;
    tray.refresh();
    EXPECT_EQ(systemTray.iconName, "tray_ico");
    const int modifications = systemTray.modifications;
    tray.refresh();
    EXPECT_EQ(systemTray.modifications, modifications) << "no change, no modify";
}

TEST_F(TrayIconTest, WhenTheNotificationAreaGoesTheFrameComesBackMinimized) {
    minimize();
    ASSERT_FALSE(frame.isVisible());
    systemTray.present = false;
    tray.refresh();
    EXPECT_FALSE(tray.inTray());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.isMinimized());
    QCoreApplication::processEvents();
    EXPECT_FALSE(tray.inTray()) << "minimizing again finds no tray";
}

TEST_F(TrayIconTest, ADueTaskBringsTheFrameBackFromTheTray) {
    minimize();
    ports.restoreFromTray();
    EXPECT_FALSE(tray.inTray());
    EXPECT_FALSE(systemTray.shown);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.isMinimized());

    settings.noTray = true;
    minimize();
    ports.restoreFromTray();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.isMinimized());
}

TEST_F(TrayIconTest, ExitTakesTheIconAwayAndEndsTheProgram) {
    minimize();
    QSignalSpy closed(&frame, &MainFrame::closed);
    auto menu = tray.buildMenu();
    menu->actions().last()->trigger();
    EXPECT_FALSE(systemTray.shown);
    EXPECT_FALSE(tray.inTray());
    EXPECT_TRUE(closed.wait(2000) || closed.count() == 1);
}

}  // namespace
}  // namespace agendix::shell
