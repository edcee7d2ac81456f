#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace agendix::platform {

// Splits a command line into program and arguments the way Windows programs read theirs:
// blanks separate, double quotes group (a doubled quote inside quotes is one quote), and
// backslashes are literal except before a quote, where each pair is one backslash.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

}  // namespace agendix::platform
