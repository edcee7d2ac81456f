// Splitting keystroke texts: no text crashes the splitter or the key-name lookup, and the pieces
// put back together give the text without its trailing blanks. Groups of plain characters keep to
// the group size and never split a UTF-8 character.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fake/RecordingKeyboard.h"
#include "script/KeyNameTable.h"
#include "script/KeystrokeSplitter.h"

using namespace agendix::script;

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xc0) == 0x80;
}

// Well-formed UTF-8 as far as sequence lengths go.
bool isUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
        } else if (lead >= 0xe0 && lead < 0xf0) {
            length = 3;
        } else if (lead >= 0xc2 && lead < 0xe0) {
            length = 2;
        } else if (lead >= 0x80) {
            return false;
        }
        if (i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if (!isContinuation(static_cast<unsigned char>(text[i + k]))) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || !isContinuation(static_cast<unsigned char>(text[i]))) {
            ++count;
        }
    }
    return count;
}

std::string_view withoutTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return text.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const int groupSize = static_cast<int>(data[0]) - 2;  // -2 ... 253
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::vector<KeystrokePiece> pieces = splitKeystrokes(text, groupSize);
    const std::size_t group = static_cast<std::size_t>(groupSize >= 1 ? groupSize : 7);
    const bool utf8 = isUtf8(text);

    std::string joined;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const KeystrokePiece& piece = pieces[i];
        const bool last = i + 1 == pieces.size();
        switch (piece.kind) {
            case KeystrokePiece::Kind::Text:
                if (piece.text.empty() || piece.text.find('[') != std::string::npos) {
                    std::abort();
                }
                // Only the text after the last bracket may be longer than a group.
                if (!last && characterCount(piece.text) > group) {
                    std::abort();
                }
                if (last && piece.text.back() == ' ') {
                    std::abort();
                }
                if (utf8 && !isUtf8(piece.text)) {
                    std::abort();
                }
                joined += piece.text;
                break;
            case KeystrokePiece::Kind::Name: {
                if (piece.text.find(']') != std::string::npos) {
                    std::abort();
                }
                joined += "[" + piece.text + "]";
                agendix::platform::RecordingKeyboard keyboard;
                pressNamedKey(keyboard, piece.text);
                if (keyboard.events.size() > 1) {
                    std::abort();
                }
                break;
            }
            case KeystrokePiece::Kind::LoneBracket:
                if (!piece.text.empty()) {
                    std::abort();
                }
                joined += "[";
                break;
        }
    }
    if (joined != withoutTrailingBlanks(text)) {
        std::abort();
    }
    return 0;
}
