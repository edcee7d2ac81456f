#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/fake/RecordingKeyboard.h"
#include "script/KeyNameTable.h"

namespace agendix::script {
namespace {

const KeyNameTable& table() {
    return KeyNameTable::standard();
}

TEST(KeyNameTable, Has623DistinctNamesInFiveGroups) {
    std::set<std::string> distinct;
    std::map<KeyNameGroup, int> perGroup;
    for (const KeyName& entry : table().names()) {
        distinct.insert(entry.name);
        ++perGroup[entry.group];
    }
    EXPECT_EQ(table().names().size(), 623u);
    EXPECT_EQ(distinct.size(), 623u);
    EXPECT_EQ(perGroup[KeyNameGroup::Plain], 87);
    EXPECT_EQ(perGroup[KeyNameGroup::Key], 20);
    EXPECT_EQ(perGroup[KeyNameGroup::Shift], 86);
    EXPECT_EQ(perGroup[KeyNameGroup::Ctrl], 3 * 86);
    EXPECT_EQ(perGroup[KeyNameGroup::Alt], 2 * 86);
}

// Every name sits in the group its first three characters choose, so each one can be found.
TEST(KeyNameTable, EveryNameIsFoundWithItsCode) {
    for (const KeyName& entry : table().names()) {
        SCOPED_TRACE(entry.name);
        EXPECT_EQ(keyNameGroup(entry.name), entry.group);
        EXPECT_EQ(table().find(entry.name), entry.code);
    }
}

TEST(KeyNameTable, FindsNamesWithTheirCodes) {
    struct Case {
        const char* name;
        unsigned code;
    };
    const std::vector<Case> cases = {
        // the documented examples
        {"ALTB", 1090},
        {"ALTF4", 1139},
        {"ALTTAB", 1033},
        {"CTRLC", 579},
        {"CTRLALTDELETE", 1582},
        {"CTRLSHIFTESC", 795},
        {"SHIFTTAB", 265},
        {"CTRLALTF1", 1648},
        // one of each kind of name
        {"AKEY", 65},
        {"ZKEY", 90},
        {"F12KEY", 123},
        {"F12", 123},
        {"F1", 112},
        {"ENTER", 13},
        {"ENTERKEY", 13},
        {"BSKEY", 8},
        {"CAPSLOCKKEY", 20},
        {"PAUSEKEY", 19},
        {"PRINTKEY", 44},
        {"INSERTKEY", 45},
        {"DELETEKEY", 46},
        {"PGUPKEY", 33},
        {"PGDNKEY", 34},
        {"ASTKEY", 106},
        {"PLUSKEY", 107},
        {"MINUSKEY", 109},
        {"DECIMALKEY", 110},
        {"SLASHKEY", 111},
        {"UP", 38},
        {"UPKEY", 38},
        {"DOWN", 40},
        {"MOUSELEFT", 1},
        {"MOUSERIGHT", 2},
        {"MOUSECENTER", 3},
        {"MOUSELEFT2", 5},
        {"MOUSERIGHT2", 6},
        {"MOUSECENTER2", 7},
        {"KEY0", 48},
        {"KEY5", 53},
        {"KEYPAD0", 96},
        {"KEYPAD9", 105},
        {"SHIFTPAD0", 352},
        {"SHIFT9", 313},
        {"CTRLSHIFTMOUSECENTER2", 775},
        {"CTRLMOUSELEFT", 513},
        {"CTRLALTPAUSE", 1555},
        {"ALTSHIFTPGDN", 1314},
        {"ALTSPACE", 1056},
        {"SHIFTBS", 264},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(table().find(c.name), c.code);
    }
}

TEST(KeyNameTable, LooksUpWithoutRegardToCaseAndTrailingBlanks) {
    struct Case {
        const char* name;
        std::optional<unsigned> code;
    };
    const std::vector<Case> cases = {
        {"ctrlc", 579},           {"CtrlAltDelete", 1582},
        {"ctrlc   ", 579},        {" ctrlc", std::nullopt},   // leading blanks count
        {"ctrl c", std::nullopt}, {"ctrlc\t", std::nullopt},  // only blanks are removed
        {"keypad5", 101},         {"\xc3\xa4KEY", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(table().find(c.name), c.code);
    }
}

TEST(KeyNameTable, NamesOutsideTheRulesAreNotFound) {
    const std::vector<const char*> names = {
        // Caps Lock takes no modifier
        "SHIFTCAPSLOCK", "CTRLCAPSLOCK", "ALTSHIFTCAPSLOCK",
        // modifier prefixes only in their listed orders, at most two
        "SHIFTCTRLA", "ALTCTRLA", "SHIFTALTA", "CTRLALTSHIFTA", "CTRLSHIFTALTA",
        // modifier base names go without "KEY"
        "CTRLAKEY", "SHIFTENTERKEY",
        // the "KEY" group holds digits only; digits have no "KEY" suffix, mouse buttons neither
        "KEYA", "KEYF1", "KEYENTER", "0KEY", "PAD0KEY", "MOUSELEFTKEY",
        // bare base names other than the short forms and mouse buttons
        "A", "5", "PAD5", "HOME", "END", "PGUP", "PGDN", "BS", "CAPSLOCK", "PAUSE", "PRINT",
        "INSERT", "DELETE", "AST", "PLUS", "F13", "F0",
        // prefixes alone
        "", "KEY", "SHIFT", "CTRL", "CTRLALT", "ALT"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(table().find(name), std::nullopt);
    }
}

TEST(KeyNameTable, FindsANameOnlyInTheGroupItsFirstThreeCharactersChoose) {
    const KeyNameTable misfiled({{"CTRLX", 600, KeyNameGroup::Plain},
                                 {"KEYX", 601, KeyNameGroup::Alt},
                                 {"XYZ", 602, KeyNameGroup::Key},
                                 {"ALTX", 603, KeyNameGroup::Alt},
                                 {"XY", 604, KeyNameGroup::Plain}});
    struct Case {
        const char* name;
        std::optional<unsigned> code;
    };
    const std::vector<Case> cases = {
        {"CTRLX", std::nullopt},
        {"KEYX", std::nullopt},
        {"XYZ", std::nullopt},
        {"altx", 603},
        {"xy", 604},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(misfiled.find(c.name), c.code);
    }
}

TEST(KeyNameTable, DescribesKeyCodesForPeople) {
    struct Case {
        unsigned code;
        const char* text;
    };
    const std::vector<Case> cases = {
        {65, "A"},
        {53, "5"},
        {101, "Keypad 5"},
        {123, "F12"},
        {1582, "Ctrl+Alt+Delete"},
        {795, "Ctrl+Shift+Esc"},
        {1345, "Alt+Shift+A"},
        {265, "Shift+Tab"},
        {513, "Ctrl+Left mouse click"},
        {6, "Right mouse double click"},
        {19, "Pause"},
        {20, "Caps Lock"},
        {106, "Keypad *"},
        {44, "Print Screen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(describeKeyCode(c.code), c.text);
    }
}

TEST(PressNamedKey, PressesClicksTypesOrDoesNothing) {
    struct Case {
        const char* name;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"CTRLC", {"key:579"}},
        {"ctrlc", {"key:579"}},
        {"Enter ", {"key:13"}},
        {"KEY5", {"key:53"}},
        {"CapsLockKey", {"key:20"}},
        {"MOUSELEFT", {"click:1"}},
        {"ctrlmouseleft2", {"click:517"}},
        {"ALTSHIFTMOUSERIGHT", {"click:1282"}},
        // not a name: typed as written between the brackets
        {"5", {"text:5"}},
        {" ctrlc", {"text: ctrlc"}},
        {"SHIFTCAPSLOCK", {"text:SHIFTCAPSLOCK"}},
        {"Hello World", {"text:Hello World"}},
        {"ab  ", {"text:ab  "}},
        {"   ", {"text:   "}},
        {"[", {"text:["}},
        // PAUSE and the empty name send nothing
        {"PAUSE", {}},
        {"pause  ", {}},
        {" PAUSE", {"text: PAUSE"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::RecordingKeyboard keyboard;
        pressNamedKey(keyboard, c.name);
        EXPECT_EQ(keyboard.events, c.events);
    }
}

}  // namespace
}  // namespace agendix::script
