#pragma once

#include <string>

namespace agendix::platform {

// Modifier bits that travel with a key code.
enum KeyModifier : unsigned { ShiftModifier = 256, ControlModifier = 512, AltModifier = 1024 };

// Synthesized input into the focused window.
class Keyboard {
public:
    virtual ~Keyboard() = default;

    virtual bool available() const = 0;
    // Types the characters as they stand (UTF-8).
    virtual bool typeText(const std::string& text) = 0;
    // Presses and releases a virtual-key code, with the modifier bits above added to it.
    virtual bool pressKey(unsigned codeWithModifiers) = 0;
    // Mouse codes: 1 left, 2 right, 3 middle click; 5, 6, 7 the same as double clicks.
    virtual bool click(unsigned mouseCode) = 0;
};

}  // namespace agendix::platform
