#include "script/KeyNameTable.h"

#include <array>
#include <utility>

namespace agendix::script {

namespace {

constexpr unsigned kBaseCodeMask = 0xff;

enum class BaseKind { Letter, Digit, KeypadDigit, Function, Mouse, Named };

// One key of the keyboard (or mouse button) as the notation knows it.
struct BaseKey {
    std::string name;
    unsigned code = 0;
    BaseKind kind = BaseKind::Named;
    std::string description;
    bool shortForm = false;  // also named without "KEY" in the plain group
    bool modifiable = true;  // may follow a modifier prefix
};

// The base keys in listing order: letters, digits, keypad digits, function keys, then the named
// keys alphabetically.
const std::vector<BaseKey>& baseKeys() {
    static const std::vector<BaseKey> keys = [] {
        std::vector<BaseKey> all;
        for (unsigned i = 0; i < 26; ++i) {
            const std::string letter(1, static_cast<char>('A' + i));
            all.push_back({letter, 65 + i, BaseKind::Letter, letter});
        }
        for (unsigned i = 0; i < 10; ++i) {
            const std::string digit = std::to_string(i);
            all.push_back({digit, 48 + i, BaseKind::Digit, digit});
        }
        for (unsigned i = 0; i < 10; ++i) {
            const std::string digit = std::to_string(i);
            all.push_back({"PAD" + digit, 96 + i, BaseKind::KeypadDigit, "Keypad " + digit});
        }
        for (unsigned i = 1; i <= 12; ++i) {
            const std::string name = "F" + std::to_string(i);
            all.push_back({name, 111 + i, BaseKind::Function, name, true});
        }
        const auto named = [&all](std::string name, unsigned code, std::string description,
                                  bool shortForm = false) {
            all.push_back(
                {std::move(name), code, BaseKind::Named, std::move(description), shortForm});
        };
        const auto mouse = [&all](std::string name, unsigned code, std::string description) {
            all.push_back({std::move(name), code, BaseKind::Mouse, std::move(description)});
        };
        named("AST", 106, "Keypad *");
        named("BS", 8, "Backspace");
        named("CAPSLOCK", 20, "Caps Lock");
        all.back().modifiable = false;
        named("DECIMAL", 110, "Keypad .");
        named("DELETE", 46, "Delete");
        named("DOWN", 40, "Down arrow", true);
        named("END", 35, "End");
        named("ENTER", 13, "Enter", true);
        named("ESC", 27, "Esc", true);
        named("HOME", 36, "Home");
        named("INSERT", 45, "Insert");
        named("LEFT", 37, "Left arrow", true);
        named("MINUS", 109, "Keypad -");
        mouse("MOUSECENTER", 3, "Middle mouse click");
        mouse("MOUSECENTER2", 7, "Middle mouse double click");
        mouse("MOUSELEFT", 1, "Left mouse click");
        mouse("MOUSELEFT2", 5, "Left mouse double click");
        mouse("MOUSERIGHT", 2, "Right mouse click");
        mouse("MOUSERIGHT2", 6, "Right mouse double click");
        named("PAUSE", 19, "Pause");
        named("PGDN", 34, "Page Down");
        named("PGUP", 33, "Page Up");
        named("PLUS", 107, "Keypad +");
        named("PRINT", 44, "Print Screen");
        named("RIGHT", 39, "Right arrow", true);
        named("SLASH", 111, "Keypad /");
        named("SPACE", 32, "Space", true);
        named("TAB", 9, "Tab", true);
        named("UP", 38, "Up arrow", true);
        return all;
    }();
    return keys;
}

struct ModifierPrefix {
    const char* prefix;
    unsigned modifiers;
    KeyNameGroup group;
};

constexpr std::array<ModifierPrefix, 6> kModifierPrefixes{{
    {"SHIFT", platform::ShiftModifier, KeyNameGroup::Shift},
    {"CTRL", platform::ControlModifier, KeyNameGroup::Ctrl},
    {"CTRLSHIFT", platform::ControlModifier | platform::ShiftModifier, KeyNameGroup::Ctrl},
    {"CTRLALT", platform::ControlModifier | platform::AltModifier, KeyNameGroup::Ctrl},
    {"ALT", platform::AltModifier, KeyNameGroup::Alt},
    {"ALTSHIFT", platform::AltModifier | platform::ShiftModifier, KeyNameGroup::Alt},
}};

std::vector<KeyName> generateKeyNames() {
    std::vector<KeyName> names;
    for (const BaseKey& key : baseKeys()) {
        const bool digit = key.kind == BaseKind::Digit || key.kind == BaseKind::KeypadDigit;
        if (!digit && key.kind != BaseKind::Mouse) {
            names.push_back({key.name + "KEY", key.code, KeyNameGroup::Plain});
        }
        if (key.shortForm || key.kind == BaseKind::Mouse) {
            names.push_back({key.name, key.code, KeyNameGroup::Plain});
        }
    }
    for (const BaseKey& key : baseKeys()) {
        if (key.kind == BaseKind::Digit || key.kind == BaseKind::KeypadDigit) {
            names.push_back({"KEY" + key.name, key.code, KeyNameGroup::Key});
        }
    }
    for (const ModifierPrefix& prefix : kModifierPrefixes) {
        for (const BaseKey& key : baseKeys()) {
            if (key.modifiable) {
                names.push_back(
                    {prefix.prefix + key.name, key.code | prefix.modifiers, prefix.group});
            }
        }
    }
    return names;
}

}  // namespace

const KeyNameTable& KeyNameTable::standard() {
    static const KeyNameTable table(generateKeyNames());
    return table;
}

KeyNameTable::KeyNameTable(std::vector<KeyName> names) : names_(std::move(names)) {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        byName_.emplace(names_[i].name, i);
    }
}

std::optional<unsigned> KeyNameTable::find(std::string_view name) const {
    const std::string upper = normalizedKeyName(name);
    const auto found = byName_.find(upper);
    if (found == byName_.end() || names_[found->second].group != keyNameGroup(upper)) {
        return std::nullopt;
    }
    return names_[found->second].code;
}

KeyNameGroup keyNameGroup(std::string_view upperName) {
    const std::string_view first = upperName.substr(0, 3);
    if (first == "KEY") {
        return KeyNameGroup::Key;
    }
    if (first == "SHI") {
        return KeyNameGroup::Shift;
    }
    if (first == "CTR") {
        return KeyNameGroup::Ctrl;
    }
    if (first == "ALT") {
        return KeyNameGroup::Alt;
    }
    return KeyNameGroup::Plain;
}

std::string normalizedKeyName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    const auto last = upper.find_last_not_of(' ');
    upper.erase(last == std::string::npos ? 0 : last + 1);
    return upper;
}

bool isMouseCode(unsigned code) {
    const unsigned base = code & kBaseCodeMask;
    return (base >= 1 && base <= 3) || (base >= 5 && base <= 7);
}

std::string describeKeyCode(unsigned code) {
    std::string text;
    if ((code & platform::ControlModifier) != 0) {
        text += "Ctrl+";
    }
    if ((code & platform::AltModifier) != 0) {
        text += "Alt+";
    }
    if ((code & platform::ShiftModifier) != 0) {
        text += "Shift+";
    }
    const unsigned base = code & kBaseCodeMask;
    for (const BaseKey& key : baseKeys()) {
        if (key.code == base) {
            return text + key.description;
        }
    }
    return text + "key code " + std::to_string(base);
}

bool pressNamedKey(platform::Keyboard& keyboard, std::string_view name) {
    if (const auto code = KeyNameTable::standard().find(name)) {
        return isMouseCode(*code) ? keyboard.click(*code) : keyboard.pressKey(*code);
    }
    if (normalizedKeyName(name) == "PAUSE" || name.empty()) {
        return true;
    }
    return keyboard.typeText(std::string(name));
}

}  // namespace agendix::script
