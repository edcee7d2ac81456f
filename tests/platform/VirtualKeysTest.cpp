#include <gtest/gtest.h>

#include <string>

#include "platform/x11/VirtualKeys.h"

namespace agendix::platform {
namespace {

// Each virtual-key code presses the key of the same meaning; punctuation as on a US keyboard.
TEST(VirtualKeys, NameTheKeyOfTheCode) {
    const struct {
        unsigned code;
        const char* keysym;  // nullptr: no key
    } cases[] = {
        {8, "BackSpace"},
        {9, "Tab"},
        {13, "Return"},
        {16, "Shift_L"},
        {17, "Control_L"},
        {18, "Alt_L"},
        {19, "Pause"},
        {20, "Caps_Lock"},
        {27, "Escape"},
        {32, "space"},
        {33, "Prior"},
        {34, "Next"},
        {35, "End"},
        {36, "Home"},
        {37, "Left"},
        {38, "Up"},
        {39, "Right"},
        {40, "Down"},
        {44, "Print"},
        {45, "Insert"},
        {46, "Delete"},
        {48, "0"},
        {53, "5"},
        {57, "9"},
        {65, "a"},
        {77, "m"},
        {90, "z"},
        {91, "Super_L"},
        {92, "Super_R"},
        {93, "Menu"},
        {96, "KP_0"},
        {105, "KP_9"},
        {106, "KP_Multiply"},
        {107, "KP_Add"},
        {109, "KP_Subtract"},
        {110, "KP_Decimal"},
        {111, "KP_Divide"},
        {112, "F1"},
        {123, "F12"},
        {124, "F13"},
        {135, "F24"},
        {144, "Num_Lock"},
        {145, "Scroll_Lock"},
        {161, "Shift_R"},
        {163, "Control_R"},
        {186, "semicolon"},
        {187, "equal"},
        {188, "comma"},
        {189, "minus"},
        {190, "period"},
        {191, "slash"},
        {192, "grave"},
        {219, "bracketleft"},
        {220, "backslash"},
        {221, "bracketright"},
        {222, "apostrophe"},
        // mouse-button codes and gaps in the code table
        {0, nullptr},
        {1, nullptr},
        {2, nullptr},
        {3, nullptr},
        {5, nullptr},
        {58, nullptr},
        {64, nullptr},
        {94, nullptr},
        {136, nullptr},
        {255, nullptr},
        {256 + 65, nullptr},
    };
    for (const auto& c : cases) {
        const char* name = keysymNameForVirtualKey(c.code);
        if (c.keysym == nullptr) {
            EXPECT_EQ(name, nullptr) << c.code;
        } else {
            EXPECT_EQ(std::string(name ? name : "(none)"), c.keysym) << c.code;
        }
    }
}

// A misspelt keysym name would make its key silently do nothing.
TEST(VirtualKeys, EveryNamedKeyIsAKeysymXKnows) {
    int named = 0;
    for (unsigned code = 0; code < 256; ++code) {
        if (keysymNameForVirtualKey(code) != nullptr) {
            ++named;
            EXPECT_NE(keysymForVirtualKey(code), 0u)
                << code << " " << keysymNameForVirtualKey(code);
        }
    }
    EXPECT_GT(named, 100);
}

}  // namespace
}  // namespace agendix::platform
