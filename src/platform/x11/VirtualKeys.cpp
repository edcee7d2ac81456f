#include "platform/x11/VirtualKeys.h"

#include <X11/Xlib.h>

namespace agendix::platform {
namespace {

struct KeyRange {
    unsigned first, last;
    const char* const* names;  // last - first + 1 names
};

struct SingleKey {
    unsigned code;
    const char* name;
};

constexpr SingleKey kSingles[] = {
    {8, "BackSpace"},
    {9, "Tab"},
    {12, "Clear"},
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
    {41, "Select"},
    {42, "Print"},
    {43, "Execute"},
    {44, "Print"},  // print screen
    {45, "Insert"},
    {46, "Delete"},
    {47, "Help"},
    {91, "Super_L"},
    {92, "Super_R"},
    {93, "Menu"},
    {95, "XF86Sleep"},
    {106, "KP_Multiply"},
    {107, "KP_Add"},
    {108, "KP_Separator"},
    {109, "KP_Subtract"},
    {110, "KP_Decimal"},
    {111, "KP_Divide"},
    {144, "Num_Lock"},
    {145, "Scroll_Lock"},
    {160, "Shift_L"},
    {161, "Shift_R"},
    {162, "Control_L"},
    {163, "Control_R"},
    {164, "Alt_L"},
    {165, "Alt_R"},
    {166, "XF86Back"},
    {167, "XF86Forward"},
    {168, "XF86Reload"},
    {169, "XF86Stop"},
    {170, "XF86Search"},
    {171, "XF86Favorites"},
    {172, "XF86HomePage"},
    {173, "XF86AudioMute"},
    {174, "XF86AudioLowerVolume"},
    {175, "XF86AudioRaiseVolume"},
    {176, "XF86AudioNext"},
    {177, "XF86AudioPrev"},
    {178, "XF86AudioStop"},
    {179, "XF86AudioPlay"},
    {180, "XF86Mail"},
    {181, "XF86AudioMedia"},
    {182, "XF86MyComputer"},
    {183, "XF86Calculator"},
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
    {226, "less"},  // the extra key beside the left Shift of ISO keyboards
};

constexpr const char* kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr const char* kLetters[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i",
                                    "j", "k", "l", "m", "n", "o", "p", "q", "r",
                                    "s", "t", "u", "v", "w", "x", "y", "z"};
constexpr const char* kKeypadDigits[] = {"KP_0", "KP_1", "KP_2", "KP_3", "KP_4",
                                         "KP_5", "KP_6", "KP_7", "KP_8", "KP_9"};
constexpr const char* kFunctionKeys[] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                         "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                         "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};

constexpr KeyRange kRanges[] = {
    {48, 57, kDigits},
    {65, 90, kLetters},
    {96, 105, kKeypadDigits},
    {112, 135, kFunctionKeys},
};

}  // namespace

const char* keysymNameForVirtualKey(unsigned virtualKey) {
    for (const KeyRange& range : kRanges) {
        if (virtualKey >= range.first && virtualKey <= range.last) {
            return range.names[virtualKey - range.first];
        }
    }
    for (const auto& single : kSingles) {
        if (single.code == virtualKey) {
            return single.name;
        }
    }
    return nullptr;
}

std::uint32_t keysymForVirtualKey(unsigned virtualKey) {
    const char* name = keysymNameForVirtualKey(virtualKey);
    if (name == nullptr) {
        return 0;
    }
    const KeySym keysym = XStringToKeysym(name);
    return keysym == NoSymbol ? 0 : static_cast<std::uint32_t>(keysym);
}

}  // namespace agendix::platform
