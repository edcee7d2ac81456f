#pragma once

#include <string>

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "store/FileAccess.h"
#include "store/Settings.h"

namespace agendix::shell {

// Keeps each new clipboard text in the Clipboard table while "MonitorClipboard" is on: a step of
// the frame's tick that looks at the clipboard every third tick. A text that repeats a stored one
// (the same duplicate-detection key) is not stored again; the owner's oldest entries not kept
// go when there are more than "MaxClipboardEntries". Texts a password manager marks as secret
// are never stored.
class ClipboardSaver {
  public:
    ClipboardSaver(store::FileAccess& access, platform::Clipboard& clipboard,
                   const platform::Clock& clock, const store::SettingValues& settings)
        : access_(access), clipboard_(clipboard), clock_(clock), settings_(settings) {}

    // The tick's step: every third call looks at the clipboard.
    void check();
    // Looks at the clipboard now and stores its text when it is new.
    void look();

    // The last clipboard text seen and stored (or found already stored).
    const std::string& lastText() const { return lastText_; }

    static constexpr int kTicksBetweenChecks = 3;

  private:
    void store(const std::string& text);
    void prune(const std::string& currentText);

    store::FileAccess& access_;
    platform::Clipboard& clipboard_;
    const platform::Clock& clock_;
    const store::SettingValues& settings_;
    int ticks_ = 0;
    std::string lastText_;
};

}  // namespace agendix::shell
