#include "script/WindowList.h"

#include "script/WindowTitlePattern.h"
#include "store/Settings.h"

namespace agendix::script {

void WindowList::refresh(platform::DesktopWindows& desktop) {
    entries_.clear();
    if (!desktop.available()) {
        return;
    }
    for (auto& window : desktop.topLevelWindows()) {
        if (!window.title.empty()) {
            entries_.push_back({store::cutToCharacters(window.title, kTitleWidth), window.handle});
        }
    }
}

platform::WindowHandle WindowList::find(std::string_view pattern) const {
    const WindowTitlePattern rule(pattern);
    for (const auto& entry : entries_) {
        if (rule.matches(entry.title)) {
            return entry.handle;
        }
    }
    return 0;
}

}  // namespace agendix::script
