#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "x11/NotesWindow.h"
#include "x11/X11Fixture.h"

namespace agendix::platform::testing {
namespace {

using X11DesktopWindowsTest = X11Fixture;

TEST_P(X11DesktopWindowsTest, ListsShownWindowsWithTheirTitles) {
    NotesWindow notes("Untitled - Notes");
    NotesWindow other(QString::fromUtf8("Übersicht – ダイアリー"));
    show(notes);
    show(other);
    EXPECT_EQ(listedTitle(notes.handle()), "Untitled - Notes");
    EXPECT_EQ(listedTitle(other.handle()), "Übersicht – ダイアリー");

    notes.setWindowTitle("Renamed - Notes");
    EXPECT_TRUE(eventually([&] { return listedTitle(notes.handle()) == "Renamed - Notes"; }));

    other.hide();
    EXPECT_TRUE(eventually([&] { return !listedTitle(other.handle()); }));
}

// The activated window gets the keyboard focus, is the foreground window and the topmost one.
TEST_P(X11DesktopWindowsTest, ActivateMakesTheWindowForegroundAndTopmost) {
    NotesWindow first("Untitled - Notes");
    NotesWindow second("Second Window");
    show(first);
    show(second);
    for (NotesWindow* window : {&first, &second, &first}) {
        NotesWindow* behind = window == &first ? &second : &first;
        SCOPED_TRACE(window->windowTitle().toStdString());
        ASSERT_TRUE(windows.activate(window->handle()));
        EXPECT_TRUE(eventually([&] {
            return window->isActiveWindow() && windows.foregroundWindow() == window->handle();
        }));
        EXPECT_TRUE(eventually(
            [&] { return stackPosition(window->handle()) < stackPosition(behind->handle()); }));
    }
}

TEST_P(X11DesktopWindowsTest, RequestCloseClosesTheWindow) {
    NotesWindow notes("Untitled - Notes");
    show(notes);
    ASSERT_TRUE(windows.requestClose(notes.handle()));
    EXPECT_TRUE(eventually([&] { return notes.closeRequests == 1 && !notes.isVisible(); }));
    EXPECT_TRUE(eventually([&] { return !listedTitle(notes.handle()); }));
}

// Restore brings a window back from the icon (where a window manager can make one) and activates
// it.
TEST_P(X11DesktopWindowsTest, RestoreBringsTheWindowBackAndActivatesIt) {
    NotesWindow notes("Untitled - Notes");
    NotesWindow other("Second Window");
    show(notes);
    focus(other);
    if (GetParam() == Desktop::Openbox) {
        notes.showMinimized();
        ASSERT_TRUE(eventually([&] { return notes.isMinimized(); }));
    }
    ASSERT_TRUE(windows.restore(notes.handle()));
    EXPECT_TRUE(eventually([&] {
        return !notes.isMinimized() && notes.isActiveWindow() &&
               windows.foregroundWindow() == notes.handle();
    }));
}

// A window that is gone is refused; nothing else happens (no X error ends the program).
TEST_P(X11DesktopWindowsTest, RefusesAWindowThatIsGone) {
    auto notes = std::make_unique<NotesWindow>("Untitled - Notes");
    show(*notes);
    const WindowHandle gone = notes->handle();
    notes.reset();
    EXPECT_TRUE(eventually([&] { return !windows.activate(gone); }));
    EXPECT_FALSE(windows.restore(gone));
    EXPECT_FALSE(windows.requestClose(gone));
    EXPECT_FALSE(listedTitle(gone));
    EXPECT_FALSE(windows.activate(0));
}

INSTANTIATE_TEST_SUITE_P(Desktops, X11DesktopWindowsTest,
                         ::testing::Values(Desktop::Bare, Desktop::Openbox), desktopName);

}  // namespace
}  // namespace agendix::platform::testing
