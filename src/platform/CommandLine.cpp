#include "platform/CommandLine.h"

namespace agendix::platform {

std::vector<std::string> splitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    std::size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '\\') {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                word.append(slashes / 2, '\\');
                if (slashes % 2 == 1) {
                    word += '"';
                    ++i;
                }
            } else {
                word.append(slashes, '\\');
            }
            inWord = true;
            continue;
        }
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                word += '"';
                i += 2;
                continue;
            }
            quoted = !quoted;
            inWord = true;
            ++i;
            continue;
        }
        if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
                inWord = false;
            }
            ++i;
            continue;
        }
        word += c;
        inWord = true;
        ++i;
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

}  // namespace agendix::platform
