#pragma once

#include <cstdint>

namespace agendix::platform {

// The X keysym name of the key that a Windows virtual-key code stands for ("Return", "a", "KP_0",
// "F13"); punctuation keys as on a US keyboard ("semicolon" for 186). nullptr for a code that
// stands for no key here, the mouse-button codes included.
const char* keysymNameForVirtualKey(unsigned virtualKey);

// The keysym of that name, 0 for none. Needs no display.
std::uint32_t keysymForVirtualKey(unsigned virtualKey);

}  // namespace agendix::platform
