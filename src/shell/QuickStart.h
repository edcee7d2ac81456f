#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "engine/Recurrence.h"
#include "platform/Clock.h"
#include "store/FileAccess.h"
#include "store/Records.h"

class QAction;
class QMenu;
class QWidget;

namespace agendix::shell {

// A delay the "Quick Start" menu offers, in hundredths of a second.
struct QuickStartDelay {
    const char* caption;
    std::int32_t hundredths;
};

inline constexpr std::array<QuickStartDelay, 6> kQuickStartDelays{{
    {"5 minutes", 30000},
    {"10 minutes", 60000},
    {"30 minutes", 180000},
    {"1 hour", 360000},
    {"2 hours", 720000},
    {"3 hours", 1080000},
}};

// "Quick Start" of the schedule lists: a one-time copy of a task, with its script, due after a
// delay chosen from a popup menu. The task itself is not changed.
class QuickStart {
  public:
    // Shows the menu and gives the item chosen; nullptr when the menu closed without a choice.
    using MenuChooser = std::function<QAction*(QMenu& menu)>;
    // The real popup, at the mouse position.
    static QAction* popUpAtCursor(QMenu& menu);

    QuickStart(store::FileAccess& access, engine::Recurrence& recurrence,
               const platform::Clock& clock, MenuChooser choose = &QuickStart::popUpAtCursor);

    // Offers the delays ("5 minutes" ... "3 hours", then "Cancel") and starts the copy after the
    // one chosen. The ID of the copy; 0 when the user cancelled or the copy could not be added.
    std::int32_t quickStartTask(const store::Schedule& task, QWidget* menuParent = nullptr);

    // The copy without the menu: due today at now + delay + one second, "Once", without advance
    // warning, enabled, neither completed nor skipped; everything else as the task has it. The
    // task's script items are copied to it. The ID of the copy, 0 when it could not be added (the
    // standard warning has been shown).
    std::int32_t startCopy(const store::Schedule& task, std::int32_t delay);

  private:
    void copyScript(std::int32_t fromId, std::int32_t toId);

    store::FileAccess& access_;
    engine::Recurrence& recurrence_;
    const platform::Clock& clock_;
    MenuChooser choose_;
};

}  // namespace agendix::shell
