#include "script/KeyCodesListing.h"

#include <algorithm>
#include <utility>

namespace agendix::script {

namespace {

constexpr std::size_t kNameColumn = 24;

constexpr const char* kIntroduction =
    "List of Key Abbreviations\n"
    "=========================\n"
    "\n"
    "Keystrokes are typed into the window that has the keyboard focus. Write a key\n"
    "by its name in square brackets, for example [ENTER], [TAB], [CTRLC] or\n"
    "[ALTF4]; everything outside the brackets is typed as it stands. Names may be\n"
    "written in small or capital letters.\n"
    "\n"
    "- A name that is not in this list is typed as text, without its brackets:\n"
    "  [5] types 5, [KEY5] presses the 5 key.\n"
    "- [PAUSE] and [] type nothing; they only wait one send interval.\n"
    "- [[] types an opening bracket; a \"[\" without a closing \"]\" is left out.\n"
    "- Blanks at the very end of the keystrokes are not typed.\n"
    "- The mouse names click where the mouse pointer is.\n";

std::string modifierText(unsigned code) {
    std::string text;
    const auto add = [&text](const char* name) {
        if (!text.empty()) {
            text += '+';
        }
        text += name;
    };
    if ((code & platform::ControlModifier) != 0) {
        add("Ctrl");
    }
    if ((code & platform::AltModifier) != 0) {
        add("Alt");
    }
    if ((code & platform::ShiftModifier) != 0) {
        add("Shift");
    }
    return text;
}

std::string heading(const KeyName& entry) {
    switch (entry.group) {
        case KeyNameGroup::Plain:
            return "Keys and mouse buttons";
        case KeyNameGroup::Key:
            return "Digits and keypad digits";
        default:
            return "Keys with " + modifierText(entry.code);
    }
}

}  // namespace

std::string keyCodesListing(const KeyNameTable& table) {
    std::string text = kIntroduction;
    std::string section;
    for (const KeyName& entry : table.names()) {
        std::string title = heading(entry);
        if (title != section) {
            section = std::move(title);
            text += "\n" + section + "\n" + std::string(section.size(), '-') + "\n";
        }
        std::string line = entry.name;
        line.resize(std::max(line.size() + 2, kNameColumn), ' ');
        text += line + describeKeyCode(entry.code) + "\n";
    }
    return text;
}

}  // namespace agendix::script
