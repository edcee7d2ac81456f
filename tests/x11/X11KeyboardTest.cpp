#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QStyleHints>
#include <QTest>

#include "x11/NotesWindow.h"
#include "x11/X11Fixture.h"

namespace agendix::platform::testing {
namespace {

using X11KeyboardTest = X11Fixture;

constexpr Qt::KeyboardModifiers kChordModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// Plain text, every ASCII symbol, and characters a US or German keyboard has no key for.
const char* const kTexts[] = {
    "Hello, World!",
    "~`!@#$%^&*()_+-={}[]|\\:;\"'<>,.?/ 0123456789",
    "Grüße, ÄÖÜ ß € ½ ñ — 日本語 ψ",
    "zy ZY qwertz",
};

void expectTypedIntact(X11Keyboard& keyboard, NotesWindow& notes) {
    for (const char* text : kTexts) {
        SCOPED_TRACE(text);
        notes.clear();
        ASSERT_TRUE(keyboard.typeText(text));
        const QString expected = QString::fromUtf8(text);
        EXPECT_TRUE(eventually([&] { return notes.typed == expected; }))
            << "arrived: " << notes.typed.toStdString();
    }
}

TEST_P(X11KeyboardTest, TypesTextIntact) {
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    expectTypedIntact(keyboard, notes);
}

TEST_P(X11KeyboardTest, TypesTheSameTextUnderAGermanLayout) {
    KeyboardLayout german("de");
    if (!german.applied()) {
        GTEST_SKIP() << "setxkbmap is missing";
    }
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    expectTypedIntact(keyboard, notes);

    // Keys go by meaning, not by place: Z is where the German layout has it.
    notes.clear();
    ASSERT_TRUE(keyboard.pressKey(90 + ControlModifier));
    ASSERT_TRUE(eventually([&] { return notes.keys.size() == 1; }));
    EXPECT_EQ(notes.keys[0].key, Qt::Key_Z);
    EXPECT_EQ(notes.keys[0].modifiers & kChordModifiers, Qt::ControlModifier);
}

// With two layouts, characters of the layout not in use are typed through it for the moment.
TEST_P(X11KeyboardTest, TypesTheSameTextWithASecondLayoutInUse) {
    KeyboardLayout russianAndUs("ru,us");
    if (!russianAndUs.applied()) {
        GTEST_SKIP() << "setxkbmap is missing";
    }
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    expectTypedIntact(keyboard, notes);
    notes.clear();
    ASSERT_TRUE(keyboard.typeText("Привет, мир"));
    EXPECT_TRUE(eventually([&] { return notes.typed == QString::fromUtf8("Привет, мир"); }))
        << "arrived: " << notes.typed.toStdString();
}

// A lock key pressed and pressed again afterwards.
class LockOn {
  public:
    LockOn(X11Keyboard& keyboard, unsigned code) : keyboard_(keyboard), code_(code) {
        pressed_ = keyboard_.pressKey(code_);
    }
    ~LockOn() {
        if (pressed_) {
            keyboard_.pressKey(code_);
        }
    }
    LockOn(const LockOn&) = delete;
    LockOn& operator=(const LockOn&) = delete;
    bool pressed() const { return pressed_; }

  private:
    X11Keyboard& keyboard_;
    unsigned code_;
    bool pressed_ = false;
};

// Caps Lock or Num Lock left on changes neither the text typed nor the chords pressed, and stays
// on; a plain key press feels it as a real key would.
TEST_P(X11KeyboardTest, TypesIntactWhateverLockIsOn) {
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    const struct {
        const char* name;
        unsigned code;
        const char* letterKey;  // what the A key gives
    } locks[] = {{"Caps Lock", 20, "A"}, {"Num Lock", 144, "a"}};
    for (const auto& lock : locks) {
        SCOPED_TRACE(lock.name);
        LockOn on(keyboard, lock.code);
        ASSERT_TRUE(on.pressed());
        expectTypedIntact(keyboard, notes);

        notes.clear();
        ASSERT_TRUE(keyboard.pressKey(65 + ControlModifier));
        ASSERT_TRUE(keyboard.pressKey(96));
        ASSERT_TRUE(keyboard.pressKey(65));
        ASSERT_TRUE(eventually([&] { return notes.keys.size() == 3; }));
        EXPECT_EQ(notes.keys[0].key, Qt::Key_A);
        EXPECT_EQ(notes.keys[0].modifiers & kChordModifiers, Qt::ControlModifier);
        EXPECT_EQ(notes.keys[1].text.toStdString(), "0");
        EXPECT_EQ(notes.keys[2].text.toStdString(), lock.letterKey);
    }
}

TEST_P(X11KeyboardTest, TypesLineEndsAndTabsAsTheirKeys) {
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    ASSERT_TRUE(keyboard.typeText("a\tb\r\nc\nd"));
    ASSERT_TRUE(eventually([&] { return notes.keys.size() == 7; }));
    const int expected[] = {Qt::Key_A, Qt::Key_Tab,    Qt::Key_B, Qt::Key_Return,
                            Qt::Key_C, Qt::Key_Return, Qt::Key_D};
    for (std::size_t i = 0; i < notes.keys.size(); ++i) {
        EXPECT_EQ(notes.keys[i].key, expected[i]) << i;
    }
}

// A virtual-key code with its modifier bits arrives as that key with those modifiers.
TEST_P(X11KeyboardTest, PressesKeyCodesWithTheirModifiers) {
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    const struct {
        unsigned code;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* text;  // nullptr: not checked
    } cases[] = {
        {65, Qt::Key_A, Qt::NoModifier, "a"},
        {65 + ShiftModifier, Qt::Key_A, Qt::ShiftModifier, "A"},
        {65 + ControlModifier, Qt::Key_A, Qt::ControlModifier, nullptr},
        {90 + ControlModifier, Qt::Key_Z, Qt::ControlModifier, nullptr},
        {67 + ControlModifier + ShiftModifier, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier,
         nullptr},
        {49 + ShiftModifier, Qt::Key_Exclam, Qt::ShiftModifier, "!"},
        {53, Qt::Key_5, Qt::NoModifier, "5"},
        {112 + AltModifier, Qt::Key_F1, Qt::AltModifier, nullptr},
        {46 + ControlModifier + AltModifier, Qt::Key_Delete, Qt::ControlModifier | Qt::AltModifier,
         nullptr},
        {9 + ShiftModifier, Qt::Key_Backtab, Qt::ShiftModifier, nullptr},
        {13, Qt::Key_Return, Qt::NoModifier, nullptr},
        {8, Qt::Key_Backspace, Qt::NoModifier, nullptr},
        {27, Qt::Key_Escape, Qt::NoModifier, nullptr},
        {32, Qt::Key_Space, Qt::NoModifier, " "},
        {33, Qt::Key_PageUp, Qt::NoModifier, nullptr},
        {34, Qt::Key_PageDown, Qt::NoModifier, nullptr},
        {35, Qt::Key_End, Qt::NoModifier, nullptr},
        {36, Qt::Key_Home, Qt::NoModifier, nullptr},
        {37, Qt::Key_Left, Qt::NoModifier, nullptr},
        {40, Qt::Key_Down, Qt::NoModifier, nullptr},
        {45, Qt::Key_Insert, Qt::NoModifier, nullptr},
        {96, Qt::Key_0, Qt::NoModifier, "0"},
        {105, Qt::Key_9, Qt::NoModifier, "9"},
        {106, Qt::Key_Asterisk, Qt::NoModifier, "*"},
        {107, Qt::Key_Plus, Qt::NoModifier, "+"},
        {110, Qt::Key_Period, Qt::NoModifier, nullptr},
        {111, Qt::Key_Slash, Qt::NoModifier, "/"},
        {123, Qt::Key_F12, Qt::NoModifier, nullptr},
        {135, Qt::Key_F24, Qt::NoModifier, nullptr},
        {186, Qt::Key_Semicolon, Qt::NoModifier, ";"},
        {191, Qt::Key_Slash, Qt::NoModifier, "/"},
        {219, Qt::Key_BracketLeft, Qt::NoModifier, "["},
        {222, Qt::Key_Apostrophe, Qt::NoModifier, "'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        notes.clear();
        ASSERT_TRUE(keyboard.pressKey(c.code));
        ASSERT_TRUE(eventually([&] { return !notes.keys.empty(); }));
        QTest::qWait(20);  // anything else that arrives would show up as a second key
        ASSERT_EQ(notes.keys.size(), 1u);
        EXPECT_EQ(notes.keys[0].key, c.key);
        EXPECT_EQ(notes.keys[0].modifiers & kChordModifiers, c.modifiers);
        if (c.text != nullptr) {
            EXPECT_EQ(notes.keys[0].text.toStdString(), c.text);
        }
    }
}

// Mouse codes click at the pointer: 1 left, 2 right, 3 middle; 5, 6, 7 double clicks; with
// modifier bits the modifier keys are held for the click.
TEST_P(X11KeyboardTest, ClicksTheMouseCodes) {
    NotesWindow notes("Untitled - Notes");
    focus(notes);
    QCursor::setPos(notes.mapToGlobal(notes.rect().center()));
    ASSERT_TRUE(eventually([&] { return notes.underMouse(); }));
    const struct {
        unsigned code;
        bool throughPressKey;
        Qt::MouseButton button;
        bool doubleClick;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {1, false, Qt::LeftButton, false, Qt::NoModifier},
        {2, false, Qt::RightButton, false, Qt::NoModifier},
        {3, true, Qt::MiddleButton, false, Qt::NoModifier},
        {5, true, Qt::LeftButton, true, Qt::NoModifier},
        {6, false, Qt::RightButton, true, Qt::NoModifier},
        {7, false, Qt::MiddleButton, true, Qt::NoModifier},
        {1 + ControlModifier, true, Qt::LeftButton, false, Qt::ControlModifier},
        {2 + ShiftModifier, false, Qt::RightButton, false, Qt::ShiftModifier},
    };
    const int apart = QGuiApplication::styleHints()->mouseDoubleClickInterval() + 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        QTest::qWait(apart);  // so clicks of one case never pair with those of the last
        notes.clear();
        ASSERT_TRUE(c.throughPressKey ? keyboard.pressKey(c.code) : keyboard.click(c.code));
        const std::size_t expected = c.doubleClick ? 2 : 1;
        ASSERT_TRUE(eventually([&] { return notes.clicks.size() == expected; }));
        for (std::size_t i = 0; i < expected; ++i) {
            EXPECT_EQ(notes.clicks[i].button, c.button);
            EXPECT_EQ(notes.clicks[i].modifiers & kChordModifiers, c.modifiers);
        }
        EXPECT_EQ(notes.clicks.back().doubleClick, c.doubleClick);
    }
}

INSTANTIATE_TEST_SUITE_P(Desktops, X11KeyboardTest,
                         ::testing::Values(Desktop::Bare, Desktop::Openbox), desktopName);

}  // namespace
}  // namespace agendix::platform::testing
