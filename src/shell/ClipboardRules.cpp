#include "shell/ClipboardRules.h"

#include <algorithm>

namespace agendix::shell {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII lower case: the same length as the text, so positions found in it hold in the text.
std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), lower);
    return result;
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The text up to `limit` characters (UTF-8), whole sequences only.
std::string_view cutCharacters(std::string_view text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U) {
            if (characters == limit) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

// From `start` up to the first blank or double quote, at most 255 characters.
std::string addressFrom(std::string_view text, std::size_t start) {
    std::size_t end = start;
    while (end < text.size() && !isBlank(text[end]) && text[end] != '"') {
        ++end;
    }
    return std::string(cutCharacters(text.substr(start, end - start), 255));
}

// The file name that ends at `end` (one past the extension): after the opening double quote when
// the name stands inside quotes, else after the nearest blank before it.
std::string fileNameEndingAt(std::string_view text, std::size_t extension, std::size_t end) {
    const auto quotes =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(extension), '"');
    std::size_t start = 0;
    if (quotes % 2 == 1) {
        start = text.rfind('"', extension) + 1;
    } else {
        for (std::size_t i = extension; i > 0; --i) {
            if (isBlank(text[i - 1]) || text[i - 1] == '"') {
                start = i;
                break;
            }
        }
    }
    return std::string(text.substr(start, end - start));
}

}  // namespace

std::string clipboardKey(std::string_view text) {
    text = trimRight(text);
    std::string key;
    for (const char c : text) {
        const char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        if (upper >= 'A' && upper <= 'Z') {
            key += upper;
            if (key.size() == kClipboardKeyWidth) {
                return key;
            }
        }
    }
    if (!key.empty()) {
        return key;
    }
    for (const char c : text) {
        if (!isBlank(c)) {
            key += c;
        }
    }
    return std::string(cutCharacters(key, kClipboardKeyWidth));
}

bool clipboardTextIsBlank(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isBlank);
}

std::string cutClipboardText(std::string_view text) {
    return std::string(cutCharacters(text, kClipboardTextLimit));
}

std::vector<std::size_t> entriesToPrune(const std::vector<PruneCandidate>& entries, int limit,
                                        std::string_view currentText) {
    std::vector<std::size_t> doomed;
    if (limit <= 0) {
        return doomed;
    }
    auto count = std::count_if(entries.begin(), entries.end(),
                               [](const PruneCandidate& entry) { return !entry.keep; });
    for (std::size_t i = 0; i < entries.size() && count > limit; ++i) {
        if (entries[i].keep) {
            break;
        }
        if (trimRight(entries[i].text) != trimRight(currentText)) {
            doomed.push_back(i);
            --count;
        }
    }
    return doomed;
}

bool clipboardTextNamesTarget(std::string_view text) {
    const std::string low = lowered(text);
    for (const char* mark : {"http:", "https:", "mailto:", ".exe", ".lnk"}) {
        if (low.find(mark) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> runTargets(std::string_view text) {
    const std::string low = lowered(text);
    std::vector<std::string> targets;
    const std::size_t http = std::min(low.find("http:"), low.find("https:"));
    if (http != std::string::npos) {
        targets.push_back(addressFrom(text, http));
    }
    if (const std::size_t mail = low.find("mailto:"); mail != std::string::npos) {
        targets.push_back(addressFrom(text, mail));
    }
    for (const char* extension : {".exe", ".lnk", ".url"}) {
        if (const std::size_t at = low.find(extension); at != std::string::npos) {
            targets.push_back(fileNameEndingAt(text, at, at + 4));
        }
    }
    if (targets.empty() && low.starts_with("www")) {
        targets.push_back("http://" + std::string(trimRight(text)));
    }
    return targets;
}

}  // namespace agendix::shell
