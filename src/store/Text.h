#pragma once

#include <string>
#include <string_view>

namespace agendix::store {

// A text without its trailing blanks, as fixed-width fields compare and show it.
inline std::string trimRight(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

}  // namespace agendix::store
