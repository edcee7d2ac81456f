#pragma once

#include <string>

#include "platform/Clipboard.h"

namespace agendix::platform {

class FakeClipboard final : public Clipboard {
public:
    std::string contents;
    bool secret = false;

    std::string text() override { return contents; }
    bool textIsSecret() override { return secret; }
    void setText(const std::string& text) override {
        contents = text;
        secret = false;
    }
};

}  // namespace agendix::platform
