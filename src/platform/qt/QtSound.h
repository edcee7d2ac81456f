#pragma once

#include <memory>
#include <vector>

#include "platform/Sound.h"

class QSoundEffect;

namespace agendix::platform {

// Alarm sounds: the desktop's beep, or a WAV file played without waiting.
class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void beep() override;
    bool play(const std::string& file) override;

private:
    std::vector<std::unique_ptr<QSoundEffect>> playing_;
};

}  // namespace agendix::platform
