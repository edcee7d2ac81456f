#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace agendix::script {

// One piece of a keystroke text; each piece goes out after its own send interval.
struct KeystrokePiece {
    enum class Kind {
        Text,         // characters typed as they stand
        Name,         // the text between "[" and "]", pressed as a key name
        LoneBracket,  // a "[" with no "]" after it: dropped, sends nothing
    };
    Kind kind = Kind::Text;
    std::string text;  // Text: the characters; Name: the name as written; LoneBracket: empty

    bool operator==(const KeystrokePiece&) const = default;
};

// The group size used when the given one is below 1.
inline constexpr int kDefaultSendGroupSize = 7;

// Splits a keystroke text into the pieces it is sent in:
// - "[" up to the next "]" is a key name (possibly empty, "[]"; "[[]" names "[");
// - a "[" with no "]" after it is dropped, and what follows is plain text;
// - plain characters before a "[" go out in groups of at most `groupSize` characters (UTF-8
//   characters, never split), blanks included;
// - the plain text after the last "[" goes out as one piece, without its trailing blanks;
// - nothing is sent once the rest of the text is blank.
// Any bytes are accepted.
std::vector<KeystrokePiece> splitKeystrokes(std::string_view keystrokes, int groupSize);

}  // namespace agendix::script
