#pragma once

#include <string>
#include <string_view>

namespace agendix::shell {

// The product-name text, a field of 32 characters. Every window and log line that names the
// product uses it without its trailing blanks.
inline constexpr std::string_view kProductName = "Agendix 98";
inline constexpr std::size_t kProductNameWidth = 32;

// The build's version text, a field of 5 characters; shown in the frame's title and saved as the
// "Version" setting.
std::string_view versionText();
inline constexpr std::size_t kVersionTextWidth = 5;

// The frame's title: the product name, a blank and the version, each cut to its field width and
// without trailing blanks.
std::string frameTitle(std::string_view productName, std::string_view version);

}  // namespace agendix::shell
