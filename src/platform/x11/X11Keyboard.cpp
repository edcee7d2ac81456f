#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <thread>

#include "platform/x11/VirtualKeys.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Platform.h"

namespace agendix::platform {

using x11::Connection;

namespace {

constexpr unsigned kBaseCodeMask = 0xff;
constexpr KeySym kUnicodeKeysymBase = 0x01000000;
// Between the two clicks of a double click: well inside any double-click interval.
constexpr auto kDoubleClickGap = std::chrono::milliseconds(40);

// Keycodes bound to characters the layout lacks, with the keysym each was given.
using BorrowedKeys = std::map<KeyCode, KeySym>;

// One key press: the keycode, the layout group it is found in, and the modifiers that reach the
// wanted level of that key.
struct Stroke {
    KeyCode code = 0;
    int group = 0;
    unsigned modifiers = 0;
};

KeySym keysymForCharacter(char32_t character) {
    switch (character) {
        case U'\n':
        case U'\r':
            return XK_Return;
        case U'\t':
            return XK_Tab;
        case U'\b':
            return XK_BackSpace;
        default:
            break;
    }
    if (character < 0x20 || (character >= 0x7f && character < 0xa0) || character > 0x10ffff) {
        return NoSymbol;
    }
    if (character < 0x100) {
        return character;  // Latin-1 keysyms are their code points
    }
    return kUnicodeKeysymBase + character;
}

// UTF-8 to code points; a byte that starts no valid sequence is skipped.
std::u32string decodeUtf8(const std::string& text) {
    std::u32string result;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int length = 0;
        char32_t value = 0;
        if (lead < 0x80) {
            length = 1;
            value = lead;
        } else if ((lead & 0xe0) == 0xc0) {
            length = 2;
            value = lead & 0x1fu;
        } else if ((lead & 0xf0) == 0xe0) {
            length = 3;
            value = lead & 0x0fu;
        } else if ((lead & 0xf8) == 0xf0) {
            length = 4;
            value = lead & 0x07u;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xc0) == 0x80;
            value = (value << 6) | (next & 0x3fu);
        }
        if (!valid) {
            ++i;
            continue;
        }
        result += value;
        i += static_cast<std::size_t>(length);
    }
    return result;
}

// Rank of a key as the one to hold for a modifier: plain modifier keys before anything else,
// locking keys never.
int modifierKeyRank(KeySym keysym) {
    static constexpr KeySym kPreferred[] = {
        XK_Shift_L, XK_Shift_R, XK_Control_L, XK_Control_R,  XK_ISO_Level3_Shift,
        XK_Alt_L,   XK_Alt_R,   XK_Meta_L,    XK_Meta_R,     XK_Super_L,
        XK_Super_R, XK_Hyper_L, XK_Hyper_R,   XK_Mode_switch};
    switch (keysym) {
        case XK_Caps_Lock:
        case XK_Shift_Lock:
        case XK_Num_Lock:
        case XK_Scroll_Lock:
        case XK_ISO_Level3_Lock:
        case XK_ISO_Level5_Lock:
            return -1;
        default:
            break;
    }
    const auto* found = std::find(std::begin(kPreferred), std::end(kPreferred), keysym);
    return found == std::end(kPreferred) ? static_cast<int>(std::size(kPreferred))
                                         : static_cast<int>(found - std::begin(kPreferred));
}

// One operation's view of the keyboard: a fresh connection, the layout as the server has it now
// and the locked modifiers (Caps Lock, Num Lock), which are worked around, never left changed.
class Session {
public:
    Session(const std::string& displayName, BorrowedKeys& borrowed, KeyCode& lastBorrowed)
        : x_(displayName), borrowed_(borrowed), lastBorrowed_(lastBorrowed) {
        if (!x_) {
            return;
        }
        int opcode = 0, event = 0, error = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(x_.display(), &event, &error, &major, &minor) ||
            !XkbQueryExtension(x_.display(), &opcode, &event, &error, &major, &minor)) {
            return;
        }
        XkbStateRec state{};
        if (!readMap() || XkbGetState(x_.display(), XkbUseCoreKbd, &state) != Success) {
            return;
        }
        group_ = state.group;
        lockedGroup_ = state.locked_group;
        locked_ = state.locked_mods;
        lockModifiers_ = LockMask;
        for (int code = keyboard_->min_key_code; code <= keyboard_->max_key_code; ++code) {
            if (hasKeysym(static_cast<KeyCode>(code), XK_Num_Lock)) {
                lockModifiers_ |= keyboard_->map->modmap[code];
            }
        }
        ready_ = true;
    }
    ~Session() {
        if (relockCaps_) {
            XkbLockModifiers(x_.display(), XkbUseCoreKbd, LockMask, LockMask);
            x_.sync();
        }
        if (keyboard_ != nullptr) {
            XkbFreeKeyboard(keyboard_, 0, True);
        }
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ready() const { return ready_; }
    // Typing produces the characters whatever the locks: Caps Lock is released meanwhile (it
    // would turn any letter it does not know to upper case) and locked again afterwards.
    // Pressing keys, the default, leaves the locks to act as on a real key.
    void startTyping() {
        typing_ = true;
        if ((locked_ & LockMask) != 0) {
            XkbLockModifiers(x_.display(), XkbUseCoreKbd, LockMask, 0);
            locked_ &= ~static_cast<unsigned>(LockMask);
            relockCaps_ = true;
        }
    }

    // Where the layout has the keysym, or else a spare keycode bound to it.
    std::optional<Stroke> strokeFor(KeySym keysym) {
        if (keysym == NoSymbol) {
            return std::nullopt;
        }
        if (auto found = locate(keysym)) {
            return found;
        }
        const auto key = borrowKey(keysym);
        if (!key) {
            return std::nullopt;
        }
        if (auto found = locate(keysym)) {
            return found;
        }
        return Stroke{*key, group_, 0};
    }

    // The key to hold for a Shift, Ctrl or Alt request.
    std::optional<KeyCode> heldKey(unsigned modifierBit) {
        const KeySym choices[3][2] = {
            {XK_Shift_L, XK_Shift_R}, {XK_Control_L, XK_Control_R}, {XK_Alt_L, XK_Meta_L}};
        const int row = modifierBit == ShiftModifier ? 0 : modifierBit == ControlModifier ? 1 : 2;
        for (const KeySym keysym : choices[row]) {
            if (auto stroke = locate(keysym); stroke && stroke->modifiers == 0) {
                return stroke->code;
            }
        }
        return std::nullopt;
    }

    std::optional<std::vector<KeyCode>> heldKeys(unsigned codeWithModifiers) {
        std::vector<KeyCode> keys;
        for (const unsigned bit : {ShiftModifier, ControlModifier, AltModifier}) {
            if ((codeWithModifiers & bit) != 0) {
                const auto key = heldKey(bit);
                if (!key) {
                    return std::nullopt;
                }
                keys.push_back(*key);
            }
        }
        return keys;
    }

    // Presses and releases the stroke with the held keys down around it.
    bool press(const Stroke& stroke, const std::vector<KeyCode>& held) {
        std::vector<KeyCode> down = held;
        for (unsigned bit = 1; bit <= Mod5Mask; bit <<= 1) {
            if ((stroke.modifiers & bit) == 0) {
                continue;
            }
            const KeyCode key = modifierKey(bit);
            if (key == 0) {
                return false;
            }
            down.push_back(key);
        }
        std::vector<KeyCode> unique;
        for (const KeyCode key : down) {
            if (key != stroke.code &&
                std::find(unique.begin(), unique.end(), key) == unique.end()) {
                unique.push_back(key);
            }
        }
        Display* display = x_.display();
        const bool switchGroup = stroke.group != group_;
        if (switchGroup) {
            XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(stroke.group));
        }
        for (const KeyCode key : unique) {
            XTestFakeKeyEvent(display, key, True, CurrentTime);
        }
        XTestFakeKeyEvent(display, stroke.code, True, CurrentTime);
        XTestFakeKeyEvent(display, stroke.code, False, CurrentTime);
        for (auto it = unique.rbegin(); it != unique.rend(); ++it) {
            XTestFakeKeyEvent(display, *it, False, CurrentTime);
        }
        if (switchGroup) {
            XkbLockGroup(display, XkbUseCoreKbd, static_cast<unsigned>(lockedGroup_));
        }
        return x_.sync();
    }

    bool setKeys(const std::vector<KeyCode>& keys, bool down) {
        for (const KeyCode key : keys) {
            XTestFakeKeyEvent(x_.display(), key, down ? True : False, CurrentTime);
        }
        return x_.sync();
    }

    bool clickButton(unsigned button, int times) {
        for (int i = 0; i < times; ++i) {
            if (i > 0) {
                std::this_thread::sleep_for(kDoubleClickGap);
            }
            XTestFakeButtonEvent(x_.display(), button, True, CurrentTime);
            XTestFakeButtonEvent(x_.display(), button, False, CurrentTime);
            if (!x_.sync()) {
                return false;
            }
        }
        return true;
    }

private:
    bool hasKeysym(KeyCode code, KeySym keysym) const {
        const int groups = XkbKeyNumGroups(keyboard_, code);
        for (int group = 0; group < groups; ++group) {
            const int width = XkbKeyGroupWidth(keyboard_, code, group);
            for (int level = 0; level < width; ++level) {
                if (XkbKeySymEntry(keyboard_, code, level, group) == keysym) {
                    return true;
                }
            }
        }
        return false;
    }

    // The modifiers to press so that the key's type selects the level; nothing when the level
    // cannot be reached without toggling a lock. When typing, the locked modifiers count; a key
    // press leaves their effect to them, as a real key does.
    std::optional<unsigned> modifiersForLevel(const XkbKeyTypeRec& type, int level) const {
        const unsigned relevant = type.mods.mask;
        const unsigned locked = typing_ ? locked_ : 0;
        const auto levelOf = [&type, relevant](unsigned modifiers) {
            modifiers &= relevant;
            for (int i = 0; i < type.map_count; ++i) {
                const XkbKTMapEntryRec& entry = type.map[i];
                if (entry.active && entry.mods.mask == modifiers) {
                    return static_cast<int>(entry.level);
                }
            }
            return 0;
        };
        std::optional<unsigned> best;
        const auto consider = [&](unsigned wanted) {
            const unsigned pressed = wanted & ~locked & ~lockModifiers_;
            if (levelOf(pressed | locked) == level &&
                (!best || std::popcount(pressed) < std::popcount(*best))) {
                best = pressed;
            }
        };
        consider(0);
        for (int i = 0; i < type.map_count; ++i) {
            if (type.map[i].active && type.map[i].level == level) {
                consider(type.map[i].mods.mask);
            }
        }
        return best;
    }

    std::optional<Stroke> locate(KeySym keysym) const {
        std::optional<Stroke> best;
        int bestScore = std::numeric_limits<int>::max();
        for (int code = keyboard_->min_key_code; code <= keyboard_->max_key_code; ++code) {
            const auto key = static_cast<KeyCode>(code);
            const int groups = XkbKeyNumGroups(keyboard_, key);
            for (int group = 0; group < groups; ++group) {
                const int width = XkbKeyGroupWidth(keyboard_, key, group);
                for (int level = 0; level < width; ++level) {
                    if (XkbKeySymEntry(keyboard_, key, level, group) != keysym) {
                        continue;
                    }
                    const auto modifiers =
                        modifiersForLevel(*XkbKeyKeyType(keyboard_, key, group), level);
                    // A keypad key reached through Shift would arrive as Shift plus that key;
                    // a spare keycode gives it plain.
                    const bool keypad = keysym >= XK_KP_Space && keysym <= XK_KP_Equal;
                    if (!modifiers || (keypad && *modifiers != 0)) {
                        continue;
                    }
                    const int score = (group == group_ ? 0 : 1000) + 10 * std::popcount(*modifiers);
                    if (score < bestScore) {
                        bestScore = score;
                        best = Stroke{key, group, *modifiers};
                    }
                }
            }
        }
        return best;
    }

    KeyCode modifierKey(unsigned bit) const {
        KeyCode best = 0;
        int bestRank = std::numeric_limits<int>::max();
        for (int code = keyboard_->min_key_code; code <= keyboard_->max_key_code; ++code) {
            const auto key = static_cast<KeyCode>(code);
            if ((keyboard_->map->modmap[code] & bit) == 0 || XkbKeyNumSyms(keyboard_, key) == 0) {
                continue;
            }
            const int rank = modifierKeyRank(XkbKeySymEntry(keyboard_, key, 0, 0));
            if (rank >= 0 && rank < bestRank) {
                bestRank = rank;
                best = key;
            }
        }
        return best;
    }

    // Binds the keysym to a keycode the layout leaves empty, a letter with its other case as
    // the second level (so Shift and Caps Lock act on it as on any letter), and reads the map
    // anew. Spare keycodes are taken in turn and stay bound, so a program that reads the new
    // binding late still finds it; none is bound twice within one operation.
    std::optional<KeyCode> borrowKey(KeySym keysym) {
        std::vector<KeyCode> spare;
        for (int code = keyboard_->min_key_code; code <= keyboard_->max_key_code; ++code) {
            const auto key = static_cast<KeyCode>(code);
            const int symbols = XkbKeyNumSyms(keyboard_, key);
            if (const auto ours = borrowed_.find(key); ours != borrowed_.end()) {
                if (symbols > 0 && XkbKeySymEntry(keyboard_, key, 0, 0) != ours->second) {
                    borrowed_.erase(ours);  // the layout was replaced meanwhile
                    continue;
                }
            } else if (symbols != 0) {
                continue;
            }
            if (usedNow_.count(key) == 0) {
                spare.push_back(key);
            }
        }
        if (spare.empty()) {
            return std::nullopt;
        }
        const auto next = std::upper_bound(spare.begin(), spare.end(), lastBorrowed_);
        const KeyCode key = next == spare.end() ? spare.front() : *next;
        KeySym lower = NoSymbol, upper = NoSymbol;
        XConvertCase(keysym, &lower, &upper);
        KeySym symbols[2] = {keysym, keysym};
        if (lower != upper) {
            symbols[0] = lower;
            symbols[1] = upper;
        }
        XChangeKeyboardMapping(x_.display(), key, 2, symbols, 1);
        if (!x_.sync() || !readMap()) {
            return std::nullopt;
        }
        borrowed_[key] = symbols[0];
        usedNow_.insert(key);
        lastBorrowed_ = key;
        return key;
    }

    bool readMap() {
        if (keyboard_ != nullptr) {
            XkbFreeKeyboard(keyboard_, 0, True);
        }
        keyboard_ = XkbGetMap(x_.display(), XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask,
                              XkbUseCoreKbd);
        return keyboard_ != nullptr;
    }

    Connection x_;
    BorrowedKeys& borrowed_;
    KeyCode& lastBorrowed_;
    std::set<KeyCode> usedNow_;
    XkbDescPtr keyboard_ = nullptr;
    int group_ = 0;        // in effect
    int lockedGroup_ = 0;  // as locked, to go back to
    unsigned locked_ = 0;
    unsigned lockModifiers_ = LockMask;
    bool typing_ = false;
    bool relockCaps_ = false;
    bool ready_ = false;
};

std::optional<std::pair<unsigned, int>> mouseButton(unsigned baseCode) {
    switch (baseCode) {
        case 1:
            return std::pair<unsigned, int>{Button1, 1};
        case 2:
            return std::pair<unsigned, int>{Button3, 1};
        case 3:
            return std::pair<unsigned, int>{Button2, 1};
        case 5:
            return std::pair<unsigned, int>{Button1, 2};
        case 6:
            return std::pair<unsigned, int>{Button3, 2};
        case 7:
            return std::pair<unsigned, int>{Button2, 2};
        default:
            return std::nullopt;
    }
}

}  // namespace

struct X11Keyboard::Impl {
    std::string displayName;
    bool available = false;
    BorrowedKeys borrowed;
    KeyCode lastBorrowed = 0;

    ~Impl() {
        if (borrowed.empty()) {
            return;
        }
        Connection x(displayName);
        if (!x) {
            return;
        }
        for (const auto& [key, keysym] : borrowed) {
            int perKey = 0;
            KeySym* current = XGetKeyboardMapping(x.display(), key, 1, &perKey);
            if (current != nullptr && perKey > 0 && current[0] == keysym) {
                KeySym none = NoSymbol;
                XChangeKeyboardMapping(x.display(), key, 1, &none, 1);
            }
            if (current != nullptr) {
                XFree(current);
            }
        }
        x.sync();
    }
};

X11Keyboard::X11Keyboard(std::string displayName) : impl_(std::make_unique<Impl>()) {
    impl_->displayName = std::move(displayName);
    Session probe(impl_->displayName, impl_->borrowed, impl_->lastBorrowed);
    impl_->available = probe.ready();
}

X11Keyboard::~X11Keyboard() = default;

bool X11Keyboard::available() const {
    return impl_->available;
}

bool X11Keyboard::typeText(const std::string& text) {
    if (!impl_->available) {
        return false;
    }
    Session session(impl_->displayName, impl_->borrowed, impl_->lastBorrowed);
    if (!session.ready()) {
        return false;
    }
    session.startTyping();
    bool allTyped = true;
    const std::u32string characters = decodeUtf8(text);
    for (std::size_t i = 0; i < characters.size(); ++i) {
        if (characters[i] == U'\n' && i > 0 && characters[i - 1] == U'\r') {
            continue;  // a Windows line end is one Enter
        }
        const KeySym keysym = keysymForCharacter(characters[i]);
        if (keysym == NoSymbol) {
            continue;
        }
        const auto stroke = session.strokeFor(keysym);
        if (!stroke || !session.press(*stroke, {})) {
            allTyped = false;
        }
    }
    return allTyped;
}

bool X11Keyboard::pressKey(unsigned codeWithModifiers) {
    if (!impl_->available) {
        return false;
    }
    const unsigned base = codeWithModifiers & kBaseCodeMask;
    if (mouseButton(base)) {
        return click(codeWithModifiers);
    }
    const KeySym keysym = keysymForVirtualKey(base);
    if (keysym == NoSymbol) {
        return false;
    }
    Session session(impl_->displayName, impl_->borrowed, impl_->lastBorrowed);
    if (!session.ready()) {
        return false;
    }
    const auto held = session.heldKeys(codeWithModifiers);
    const auto stroke = session.strokeFor(keysym);
    return held && stroke && session.press(*stroke, *held);
}

bool X11Keyboard::click(unsigned mouseCode) {
    if (!impl_->available) {
        return false;
    }
    const auto button = mouseButton(mouseCode & kBaseCodeMask);
    if (!button) {
        return false;
    }
    Session session(impl_->displayName, impl_->borrowed, impl_->lastBorrowed);
    if (!session.ready()) {
        return false;
    }
    const auto held = session.heldKeys(mouseCode);
    if (!held) {
        return false;
    }
    session.setKeys(*held, true);
    const bool clicked = session.clickButton(button->first, button->second);
    std::vector<KeyCode> release(held->rbegin(), held->rend());
    return session.setKeys(release, false) && clicked;
}

}  // namespace agendix::platform
