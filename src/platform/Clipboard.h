#pragma once

#include <string>

namespace agendix::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // The clipboard's text; empty when it holds none.
    virtual std::string text() = 0;
    // True when the owner marked the text as secret (a password manager); such texts are not kept.
    virtual bool textIsSecret() = 0;
    virtual void setText(const std::string& text) = 0;
};

}  // namespace agendix::platform
