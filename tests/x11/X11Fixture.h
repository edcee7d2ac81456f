#pragma once

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "platform/x11/X11Platform.h"
#include "x11/NotesWindow.h"

namespace agendix::platform::testing {

// The desktop a test runs on: the bare X server, or one with a small window manager.
enum class Desktop { Bare, Openbox };

std::string desktopName(const ::testing::TestParamInfo<Desktop>& info);
void PrintTo(Desktop desktop, std::ostream* out);

// Handles events until the condition holds; false when it still does not after 10 seconds.
bool eventually(const std::function<bool()>& condition);

class X11Fixture : public ::testing::TestWithParam<Desktop> {
protected:
    void SetUp() override;
    void TearDown() override;

    // Shows the window and waits until the desktop lists it.
    void show(NotesWindow& window);
    // Makes it the window with the keyboard focus.
    void focus(NotesWindow& window);
    std::optional<std::string> listedTitle(WindowHandle window);
    // Its place in the window list, topmost 0; -1 when not listed.
    int stackPosition(WindowHandle window);

    X11DesktopWindows windows;
    X11Keyboard keyboard;

private:
    QProcess windowManager_;
    QTemporaryDir startupMark_;
};

// Switches the X server's keyboard layout with setxkbmap and switches back afterwards.
class KeyboardLayout {
public:
    explicit KeyboardLayout(const QString& layout);
    ~KeyboardLayout();
    KeyboardLayout(const KeyboardLayout&) = delete;
    KeyboardLayout& operator=(const KeyboardLayout&) = delete;

    bool applied() const { return applied_; }

private:
    QString previous_;
    bool applied_ = false;
};

}  // namespace agendix::platform::testing
