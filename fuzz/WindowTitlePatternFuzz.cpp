// Window-title patterns on any bytes: nothing crashes, and the rules hold for the title itself.
// Input: one byte choosing a cut, then the pattern, a NUL byte and the title (no NUL: the rest is
// both).
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "script/WindowTitlePattern.h"

using agendix::script::WindowTitlePattern;

namespace {

bool blank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A cut of the title's characters that leaves surrogate pairs whole.
qsizetype safeCut(const QString& text, qsizetype at) {
    if (at > 0 && at < text.size() && text[at].isLowSurrogate()) {
        --at;
    }
    return at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const unsigned choice = data[0];
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto nul = input.find('\0');
    const std::string_view pattern = nul == std::string_view::npos ? input : input.substr(0, nul);
    const std::string_view title = nul == std::string_view::npos ? input : input.substr(nul + 1);

    // Any pair gets an answer; one "~" in front changes nothing but the wait's direction.
    const WindowTitlePattern given(pattern);
    const bool plain = given.matches(title);
    require(given.waitsForAbsence() == (!pattern.empty() && pattern.front() == '~'));
    if (!given.waitsForAbsence()) {
        const WindowTitlePattern absence("~" + std::string(pattern));
        require(absence.waitsForAbsence() && absence.matches(title) == plain);
    }

    if (blank(title) || title.front() == '~') {
        return 0;
    }
    // A title names itself.
    require(WindowTitlePattern(title).matches(title));

    const QString text = QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    const qsizetype star = text.indexOf(QLatin1Char('*'));
    const qsizetype limit = star < 0 ? text.size() : star;
    // A beginning of the title, followed by "*", names it.
    const qsizetype cut =
        safeCut(text, 1 + static_cast<qsizetype>(choice) % std::max<qsizetype>(limit, 1));
    if (cut > 0 && cut <= limit) {
        const std::string prefix = text.left(cut).toStdString();
        require(WindowTitlePattern(prefix + "*").matches(title));
    }
    // "*" followed by any part of the title names it.
    const qsizetype from =
        safeCut(text, static_cast<qsizetype>(choice) % std::max<qsizetype>(text.size(), 1));
    const qsizetype to =
        safeCut(text, from + (static_cast<qsizetype>(choice) / 16) % (text.size() - from + 1));
    if (to >= from) {
        const std::string part = text.mid(from, to - from).toStdString();
        require(WindowTitlePattern("*" + part).matches(title));
    }
    return 0;
}
