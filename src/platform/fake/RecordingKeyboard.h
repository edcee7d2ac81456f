#pragma once

#include <string>
#include <vector>

#include "platform/Keyboard.h"

namespace agendix::platform {

// Records every piece of input in order: "text:abc", "key:13", "click:1".
class RecordingKeyboard final : public Keyboard {
public:
    std::vector<std::string> events;

    bool available() const override { return true; }
    bool typeText(const std::string& text) override {
        events.push_back("text:" + text);
        return true;
    }
    bool pressKey(unsigned codeWithModifiers) override {
        events.push_back("key:" + std::to_string(codeWithModifiers));
        return true;
    }
    bool click(unsigned mouseCode) override {
        events.push_back("click:" + std::to_string(mouseCode));
        return true;
    }
};

}  // namespace agendix::platform
