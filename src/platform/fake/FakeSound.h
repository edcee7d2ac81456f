#pragma once

#include <string>
#include <vector>

#include "platform/Sound.h"

namespace agendix::platform {

class FakeSound final : public Sound {
public:
    int beeps = 0;
    std::vector<std::string> played;
    bool canPlay = true;

    void beep() override { ++beeps; }
    bool play(const std::string& file) override {
        played.push_back(file);
        return canPlay;
    }
};

}  // namespace agendix::platform
