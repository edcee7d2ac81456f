#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <cstdlib>
#include <fstream>

#include "shell/BrowseClipboard.h"
#include "shell/Program.h"
#include "support/TempDir.h"

namespace agendix::shell {
namespace {

BrowseClipboard* clipboardBrowser(MainFrame& frame) {
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList()) {
        if (auto* browser = qobject_cast<BrowseClipboard*>(window->widget())) {
            return browser;
        }
    }
    return nullptr;
}

// The running program with the clipboard saver chosen for start-up and monitoring on: the
// browser opens at start, the tick stores the clipboard's text, the menu command finds the open
// browser again.
TEST(ProgramClipboardTest, TheSaverOpensAtStartAndTheTickStoresTheClipboard) {
    testing::TempDir data;
    testing::TempDir config;
    std::filesystem::create_directories(config / "agendix");
    std::ofstream(config / "agendix" / "ra98.INI")
        << "[Settings]\r\nMonitorClipboard=1\r\nStartUpClipboardSaver=1\r\n";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("Renew the passport"));
    {
        Program program(data.path());
        ASSERT_TRUE(program.open());
        QTRY_VERIFY_WITH_TIMEOUT(program.frame().started(), 5000);
        BrowseClipboard* browser = clipboardBrowser(program.frame());
        ASSERT_NE(browser, nullptr);
        QAction* saver = program.frame().action(Command::ClipboardSaver);
        EXPECT_TRUE(saver->isEnabled());
        saver->trigger();
        EXPECT_EQ(program.frame().mdiArea()->subWindowList().size(), 1)
            << "the open browser comes forward";

        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                browser->list()->reload();
                return browser->list()->rows().rowCount() == 1;
            }(),
            10000);
        EXPECT_EQ(browser->list()->rows().data(0, 1, Qt::DisplayRole).toString(),
                  "Renew the passport");
        program.frame().close();
    }
    unsetenv("XDG_CONFIG_HOME");
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Where the desktop has no notification area (here: offscreen), a minimized frame stays an
// ordinary minimized window, a task brings it back, and the event log says so once.
TEST(ProgramTrayTest, WithoutANotificationAreaTheFrameMinimizesAsAWindow) {
    testing::TempDir data;
    testing::TempDir config;
    std::filesystem::create_directories(config / "agendix");
    std::ofstream(config / "agendix" / "ra98.INI")
        << "[Settings]\r\nLogEvents=1\r\nStartUpMinimized=1\r\n";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    {
        Program program(data.path());
        ASSERT_TRUE(program.open());
        QTRY_VERIFY_WITH_TIMEOUT(program.frame().started(), 5000);
        QTRY_VERIFY(program.frame().isMinimized());
        QTest::qWait(50);
        EXPECT_FALSE(program.tray().inTray());
        EXPECT_TRUE(program.frame().isVisible());
        program.frame().showNormal();
        program.frame().showMinimized();
        QTest::qWait(50);
        EXPECT_TRUE(program.frame().isMinimized());
        program.frame().close();
    }
    unsetenv("XDG_CONFIG_HOME");
    const std::string log = readFile(data / "RO97Vovo.DAR");
    const std::string said = "No Notification Area";
    const auto first = log.find(said);
    EXPECT_NE(first, std::string::npos) << log;
    EXPECT_EQ(log.find(said, first + 1), std::string::npos) << log;
}

}  // namespace
}  // namespace agendix::shell
