#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/DesktopWindows.h"

namespace agendix::script {

// The desktop's top-level windows that have a title, in the order the desktop lists them. One
// list for the whole process: the script runner rebuilds it on every search, and the script
// editor's window-title choices show it.
class WindowList {
  public:
    static constexpr std::size_t kTitleWidth = 255;  // characters kept of a title

    struct Entry {
        std::string title;
        platform::WindowHandle handle = 0;
    };

    // Empties the list and fills it anew from the desktop. Without a window system it stays empty.
    void refresh(platform::DesktopWindows& desktop);

    // The first window of the list whose title the pattern names (see WindowTitlePattern); 0 when
    // none does.
    platform::WindowHandle find(std::string_view pattern) const;

    const std::vector<Entry>& entries() const { return entries_; }

  private:
    std::vector<Entry> entries_;
};

}  // namespace agendix::script
