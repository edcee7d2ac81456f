#pragma once

#include <string>

namespace agendix::platform {

class Sound {
public:
    virtual ~Sound() = default;
    virtual void beep() = 0;
    // Plays a sound file without waiting; false when it cannot be played.
    virtual bool play(const std::string& file) = 0;
};

}  // namespace agendix::platform
