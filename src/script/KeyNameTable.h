#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Keyboard.h"

namespace agendix::script {

// The groups a key name is looked up in, chosen by the first three characters of the name.
enum class KeyNameGroup { Plain, Key, Shift, Ctrl, Alt };

// One key name of the keystroke notation and the key code it presses: the base code (a Windows
// virtual-key code, or a mouse code 1, 2, 3, 5, 6, 7) plus the modifier bits.
struct KeyName {
    std::string name;  // upper case
    unsigned code = 0;
    KeyNameGroup group = KeyNameGroup::Plain;
};

// The key names of bracketed keys, [ENTER], [CTRLC], [ALTSHIFTF4], built from the base keys and
// the rules that derive names from them:
// - plain group: every base key but the digits, keypad digits and mouse buttons followed by
//   "KEY" (AKEY, F1KEY, ENTERKEY); the short forms DOWN, ENTER, ESC, F1 ... F12, LEFT, RIGHT,
//   SPACE, TAB, UP; the mouse buttons under their own names;
// - "KEY" group: "KEY" followed by a digit or keypad digit (KEY5, KEYPAD5);
// - modifier groups: SHIFT, CTRL, CTRLSHIFT, CTRLALT, ALT and ALTSHIFT followed by any base key
//   but CAPSLOCK, in these orders only.
class KeyNameTable {
  public:
    // The table of the notation, 623 names.
    static const KeyNameTable& standard();

    explicit KeyNameTable(std::vector<KeyName> names);

    // In listing order: the plain group, the "KEY" group, then the modifier groups.
    const std::vector<KeyName>& names() const { return names_; }

    // The code of a name written in a keystroke text: upper-cased, trailing blanks removed, and
    // looked up only in the group its first three characters choose.
    std::optional<unsigned> find(std::string_view name) const;

  private:
    std::vector<KeyName> names_;
    std::unordered_map<std::string, std::size_t> byName_;  // index into names_
};

// The group the first three characters of an upper-case name choose.
KeyNameGroup keyNameGroup(std::string_view upperName);

// The name as it is looked up: ASCII letters upper-cased, trailing blanks removed.
std::string normalizedKeyName(std::string_view name);

// True for the base codes of the mouse buttons: 1, 2, 3 and the double clicks 5, 6, 7.
bool isMouseCode(unsigned code);

// What a key code presses, for people: "Ctrl+Alt+Delete", "Keypad 5", "Shift+Left click".
std::string describeKeyCode(unsigned code);

// Presses one bracketed key name: its key (or mouse click) when the name is in the table; nothing
// for PAUSE, which only costs its send interval; otherwise the name is typed as written between
// the brackets. False when the keyboard did not take the input.
bool pressNamedKey(platform::Keyboard& keyboard, std::string_view name);

}  // namespace agendix::script
