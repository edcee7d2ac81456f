#include "script/KeystrokeSplitter.h"

#include <cstddef>

namespace agendix::script {

namespace {

bool isBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::string_view withoutTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xc0) == 0x80;
}

// The length in bytes of the first `characters` UTF-8 characters of the text (all of it when it
// has fewer). A stray continuation byte at the start counts as a character of its own.
std::size_t byteLengthOf(std::string_view text, std::size_t characters) {
    std::size_t end = 0;
    for (std::size_t counted = 0; counted < characters && end < text.size(); ++counted) {
        ++end;
        while (end < text.size() && isContinuationByte(text[end])) {
            ++end;
        }
    }
    return end;
}

}  // namespace

std::vector<KeystrokePiece> splitKeystrokes(std::string_view keystrokes, int groupSize) {
    const std::size_t group =
        static_cast<std::size_t>(groupSize >= 1 ? groupSize : kDefaultSendGroupSize);
    std::vector<KeystrokePiece> pieces;
    std::string_view rest = keystrokes;
    while (!isBlank(rest)) {
        const std::size_t open = rest.find('[');
        if (open == std::string_view::npos) {
            pieces.push_back(
                {KeystrokePiece::Kind::Text, std::string(withoutTrailingBlanks(rest))});
            break;
        }
        if (open == 0) {
            rest.remove_prefix(1);
            const std::size_t close = rest.find(']');
            if (close == std::string_view::npos) {
                pieces.push_back({KeystrokePiece::Kind::LoneBracket, {}});
                continue;
            }
            pieces.push_back({KeystrokePiece::Kind::Name, std::string(rest.substr(0, close))});
            rest.remove_prefix(close + 1);
            continue;
        }
        const std::size_t length = byteLengthOf(rest.substr(0, open), group);
        pieces.push_back({KeystrokePiece::Kind::Text, std::string(rest.substr(0, length))});
        rest.remove_prefix(length);
    }
    return pieces;
}

}  // namespace agendix::script
