// The X11 tests drive real windows of their own on the X server, so Qt goes to the X server here
// (the other test programs run offscreen). Without a reachable display every test skips.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/x11/X11Platform.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const bool display = agendix::platform::X11DesktopWindows().available();
    qputenv("QT_QPA_PLATFORM", display ? "xcb" : "offscreen");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
