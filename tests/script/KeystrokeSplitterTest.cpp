#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "script/KeystrokeSplitter.h"

namespace agendix::script {

void PrintTo(const KeystrokePiece& piece, std::ostream* out) {
    switch (piece.kind) {
        case KeystrokePiece::Kind::Text:
            *out << "text \"" << piece.text << '"';
            break;
        case KeystrokePiece::Kind::Name:
            *out << "name [" << piece.text << ']';
            break;
        case KeystrokePiece::Kind::LoneBracket:
            *out << "lone [";
            break;
    }
}

namespace {

KeystrokePiece text(std::string characters) {
    return {KeystrokePiece::Kind::Text, std::move(characters)};
}
KeystrokePiece name(std::string written) {
    return {KeystrokePiece::Kind::Name, std::move(written)};
}
const KeystrokePiece lone{KeystrokePiece::Kind::LoneBracket, {}};

TEST(KeystrokeSplitter, SplitsTextIntoPieces) {
    struct Case {
        const char* label;
        std::string keystrokes;
        int groupSize;
        std::vector<KeystrokePiece> pieces;
    };
    const std::vector<Case> cases = {
        {"text alone is one piece", "abc", 7, {text("abc")}},
        {"text after the last name goes at once, whatever its length",
         "[TAB]abcdefghijklmnop",
         7,
         {name("TAB"), text("abcdefghijklmnop")}},
        {"text before a name goes in groups",
         "abcdefghij[ENTER]",
         7,
         {text("abcdefg"), text("hij"), name("ENTER")}},
        {"a group of one", "abc[TAB]", 1, {text("a"), text("b"), text("c"), name("TAB")}},
        {"a group size below 1 counts as 7",
         "abcdefghij[ENTER]",
         0,
         {text("abcdefg"), text("hij"), name("ENTER")}},
        {"groups count characters, not bytes",
         "\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f\xe2\x82\xac[TAB]",
         2,
         {text("\xc3\xa4\xc3\xb6"), text("\xc3\xbc\xc3\x9f"), text("\xe2\x82\xac"), name("TAB")}},
        {"names as written",
         "[ctrlc][ ctrlc][Enter  ]",
         7,
         {name("ctrlc"), name(" ctrlc"), name("Enter  ")}},
        {"the empty name", "[]", 7, {name("")}},
        {"[[] names an opening bracket", "[[]", 7, {name("[")}},
        {"a lone bracket is dropped", "a[b", 7, {text("a"), lone, text("b")}},
        {"a lone bracket at the end", "ab[", 7, {text("ab"), lone}},
        {"a lone bracket before a name's text", "abc[TAB", 7, {text("abc"), lone, text("TAB")}},
        {"a closing bracket alone is text", "x]y[TAB]]", 7, {text("x]y"), name("TAB"), text("]")}},
        {"blanks before a name are typed", "ab [ENTER]", 7, {text("ab "), name("ENTER")}},
        {"leading blanks are typed", "  [TAB]", 7, {text("  "), name("TAB")}},
        {"trailing blanks at the very end are not", "abc   ", 7, {text("abc")}},
        {"nor after the last name", "[ENTER]   ", 7, {name("ENTER")}},
        {"inner blanks of the last text stay", "[ENTER]  x y  ", 7, {name("ENTER"), text("  x y")}},
        {"a blank text sends nothing", "     ", 7, {}},
        {"an empty text sends nothing", "", 7, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(splitKeystrokes(c.keystrokes, c.groupSize), c.pieces);
    }
}

}  // namespace
}  // namespace agendix::script
