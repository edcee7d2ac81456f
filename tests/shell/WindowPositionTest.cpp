#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <fstream>

#include "shell/WindowPosition.h"
#include "support/TempDir.h"

namespace agendix::shell {
namespace {

class WindowPositionTest : public ::testing::Test {
  protected:
    void writePositions(const std::string& text) {
        std::ofstream(file_.path(), std::ios::binary) << text;
    }
    std::string positions() const {
        std::ifstream in(file_.path(), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    testing::TempDir dir_;
    store::IniFile file_{dir_ / "POSITION.INI"};
};

TEST_F(WindowPositionTest, AWindowComesBackWhereItWasSaved) {
    QWidget window;
    window.setGeometry(100, 120, 400, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    saveWindowPosition(window, file_, "ViewLog");
    EXPECT_EQ(file_.read("ViewLog", "Maximize"), "No");
    EXPECT_EQ(file_.read("ViewLog", "XPosit"), "100");
    EXPECT_EQ(file_.read("ViewLog", "YPosit"), "120");
    EXPECT_EQ(file_.read("ViewLog", "Width"), "400");
    EXPECT_EQ(file_.read("ViewLog", "Height"), "300");

    QWidget again;
    again.resize(50, 50);
    restoreWindowPosition(again, file_, "ViewLog");
    EXPECT_EQ(again.geometry(), QRect(100, 120, 400, 300));
    EXPECT_FALSE(again.isMaximized());
}

TEST_F(WindowPositionTest, AMaximizedWindowKeepsItsNormalPlaceAndComesBackMaximized) {
    QWidget window;
    window.setGeometry(100, 120, 400, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showMaximized();
    QTRY_VERIFY(window.isMaximized());
    saveWindowPosition(window, file_, "Main");
    EXPECT_EQ(file_.read("Main", "Maximize"), "Yes");
    EXPECT_EQ(file_.read("Main", "XPosit"), "100");
    EXPECT_EQ(file_.read("Main", "Width"), "400");

    QWidget again;
    restoreWindowPosition(again, file_, "Main");
    EXPECT_TRUE(again.windowState() & Qt::WindowMaximized);
    again.showNormal();
    EXPECT_EQ(again.geometry(), QRect(100, 120, 400, 300));
}

TEST_F(WindowPositionTest, AnIconizedWindowKeepsItsPreviousPlace) {
    writePositions("[Main]\nMaximize=No\nXPosit=10\nYPosit=20\nWidth=300\nHeight=200\n");
    QWidget window;
    window.setGeometry(200, 200, 500, 400);
    window.show();
    window.showMinimized();
    QTRY_VERIFY(window.isMinimized());
    saveWindowPosition(window, file_, "Main");
    EXPECT_EQ(positions(), "[Main]\nMaximize=No\nXPosit=10\nYPosit=20\nWidth=300\nHeight=200\n");
}

TEST_F(WindowPositionTest, WithoutASavedPlaceTheWindowStaysAsItIs) {
    struct Case {
        const char* name;
        std::string positions;
    };
    const std::vector<Case> cases = {
        {"no file", ""},
        {"another window's section",
         "[Main]\nXPosit=10\nYPosit=20\nWidth=300\nHeight=200\nMaximize=Yes\n"},
        {"no XPosit", "[ViewLog]\nYPosit=20\nWidth=300\nHeight=200\nMaximize=Yes\n"},
        {"blank values, as Setup's reset leaves them",
         "[ViewLog]\nMaximize=\nXPosit=\nYPosit=\nWidth=\nHeight=\n"},
        {"a position that is no number", "[ViewLog]\nXPosit=left\nYPosit=20\nMaximize=Yes\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writePositions(c.positions);
        QWidget window;
        window.setGeometry(30, 40, 250, 150);
        restoreWindowPosition(window, file_, "ViewLog");
        EXPECT_EQ(window.geometry(), QRect(30, 40, 250, 150));
        EXPECT_FALSE(window.windowState() & Qt::WindowMaximized);
    }
}

TEST_F(WindowPositionTest, SavedPlacesAreTakenAsFarAsTheyMakeSense) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        const char* name;
        std::string positions;
        bool fixedSize;
        QRect expected;
    };
    const std::vector<Case> cases = {
        {"an XPosit of 0 means no place was saved",
         "[S]\nXPosit=0\nYPosit=50\nWidth=300\nHeight=200\n", false, QRect(30, 40, 250, 150)},
        {"a YPosit of 0 leaves the place as it is", "[S]\nXPosit=60\nYPosit=0\nWidth=300\nHeight=200\n",
         false, QRect(30, 40, 250, 150)},
        {"a fixed-size window keeps its size", "[S]\nXPosit=60\nYPosit=70\nWidth=500\nHeight=400\n",
         true, QRect(60, 70, 250, 150)},
        {"a width of 0 keeps the size", "[S]\nXPosit=60\nYPosit=70\nWidth=0\nHeight=400\n", false,
         QRect(60, 70, 250, 150)},
        {"a negative size keeps the size", "[S]\nXPosit=60\nYPosit=70\nWidth=-5\nHeight=-5\n",
         false, QRect(60, 70, 250, 150)},
        {"a place on no screen moves onto the primary screen",
         "[S]\nXPosit=-5000\nYPosit=9000\nWidth=300\nHeight=200\n", false,
         QRect(screen.topLeft(), QSize(300, 200))},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writePositions(c.positions);
        QWidget window;
        window.setGeometry(30, 40, 250, 150);
        if (c.fixedSize) {
            window.setFixedSize(250, 150);
        }
        restoreWindowPosition(window, file_, "S");
        EXPECT_EQ(window.geometry(), c.expected);
    }
}

TEST_F(WindowPositionTest, AMaximizedWindowIsNotMovedButTakesTheSavedState) {
    writePositions("[S]\nXPosit=60\nYPosit=70\nWidth=300\nHeight=200\nMaximize=No\n");
    QWidget window;
    window.setGeometry(30, 40, 250, 150);
    window.show();
    window.showMaximized();
    QTRY_VERIFY(window.isMaximized());
    restoreWindowPosition(window, file_, "S");
    QTRY_VERIFY(!window.isMaximized());
    EXPECT_EQ(window.geometry(), QRect(30, 40, 250, 150));
}

TEST_F(WindowPositionTest, AnMdiChildIsKeptByItsSubWindow) {
    QMdiArea area;
    area.resize(800, 600);
    auto* child = new QWidget;
    QMdiSubWindow* sub = area.addSubWindow(child);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    sub->setGeometry(10, 20, 300, 200);
    sub->showMaximized();
    QTRY_VERIFY(sub->isMaximized());
    saveWindowPosition(*sub, file_, "BrowseSchedule");
    EXPECT_EQ(file_.read("BrowseSchedule", "Maximize"), "Yes");
    EXPECT_EQ(file_.read("BrowseSchedule", "XPosit"), "10");
    EXPECT_EQ(file_.read("BrowseSchedule", "YPosit"), "20");
    EXPECT_EQ(file_.read("BrowseSchedule", "Width"), "300");

    auto* other = new QWidget;
    QMdiSubWindow* sub2 = area.addSubWindow(other);
    sub2->show();
    restoreWindowPosition(*sub2, file_, "BrowseSchedule");
    QTRY_VERIFY(sub2->isMaximized());
    sub2->showNormal();
    EXPECT_EQ(sub2->geometry(), QRect(10, 20, 300, 200));
}

}  // namespace
}  // namespace agendix::shell
