#pragma once

#include <string>

namespace agendix::script {

// Types a keystroke text (plain characters mixed with bracketed key names) into the window that
// has the keyboard focus, paced by the send interval; returns when all of it has been sent.
class KeySender {
public:
    virtual ~KeySender() = default;
    virtual void sendKeys(const std::string& keystrokes) = 0;
};

}  // namespace agendix::script
