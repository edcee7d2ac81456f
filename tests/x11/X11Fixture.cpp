#include "x11/X11Fixture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>

namespace agendix::platform::testing {

std::string desktopName(const ::testing::TestParamInfo<Desktop>& info) {
    return info.param == Desktop::Bare ? "WithoutWindowManager" : "WithOpenbox";
}

void PrintTo(Desktop desktop, std::ostream* out) {
    *out << (desktop == Desktop::Bare ? "bare X server" : "openbox");
}

bool eventually(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 10000);
}

void X11Fixture::SetUp() {
    if (!windows.available() || QGuiApplication::platformName() != "xcb") {
        GTEST_SKIP() << "needs an X display";
    }
    ASSERT_TRUE(keyboard.available());
    if (GetParam() == Desktop::Bare) {
        if (windows.windowManagerRunning()) {
            GTEST_SKIP() << "a window manager already runs on this display";
        }
        return;
    }
    if (windows.windowManagerRunning()) {
        return;  // the one that runs serves as well
    }
    // Openbox runs its start-up command once it manages the screen; until then a new window may
    // go unmanaged.
    const QString ready = QDir(startupMark_.path()).filePath("ready");
    windowManager_.setProgram("openbox");
    windowManager_.setArguments({"--sm-disable", "--startup", "touch " + ready});
    windowManager_.setStandardOutputFile(QProcess::nullDevice());
    windowManager_.setStandardErrorFile(QProcess::nullDevice());
    windowManager_.start();
    if (!windowManager_.waitForStarted(10000)) {
        GTEST_SKIP() << "openbox is not installed";
    }
    ASSERT_TRUE(eventually([&] { return QFile::exists(ready) && windows.windowManagerRunning(); }));
}

void X11Fixture::TearDown() {
    if (windowManager_.state() != QProcess::NotRunning) {
        windowManager_.terminate();
        if (!windowManager_.waitForFinished(10000)) {
            windowManager_.kill();
            windowManager_.waitForFinished(10000);
        }
    }
}

void X11Fixture::show(NotesWindow& window) {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(eventually([&] { return listedTitle(window.handle()).has_value(); }));
}

void X11Fixture::focus(NotesWindow& window) {
    show(window);
    ASSERT_TRUE(windows.activate(window.handle()));
    ASSERT_TRUE(eventually(
        [&] { return window.isActiveWindow() && windows.foregroundWindow() == window.handle(); }));
}

std::optional<std::string> X11Fixture::listedTitle(WindowHandle window) {
    for (const DesktopWindow& listed : windows.topLevelWindows()) {
        if (listed.handle == window) {
            return listed.title;
        }
    }
    return std::nullopt;
}

int X11Fixture::stackPosition(WindowHandle window) {
    const auto listed = windows.topLevelWindows();
    for (std::size_t i = 0; i < listed.size(); ++i) {
        if (listed[i].handle == window) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

KeyboardLayout::KeyboardLayout(const QString& layout) {
    QProcess query;
    query.start("setxkbmap", {"-query"});
    if (!query.waitForFinished(10000) || query.exitCode() != 0) {
        return;
    }
    for (const QString& line : QString::fromUtf8(query.readAllStandardOutput()).split('\n')) {
        if (line.startsWith("layout:")) {
            previous_ = line.mid(7).trimmed();
        }
    }
    applied_ = QProcess::execute("setxkbmap", {layout}) == 0;
    QTest::qWait(200);  // lets Qt take in the new keyboard map
}

KeyboardLayout::~KeyboardLayout() {
    if (applied_) {
        QProcess::execute("setxkbmap", {previous_.isEmpty() ? QString("us") : previous_});
        QTest::qWait(200);
    }
}

}  // namespace agendix::platform::testing
