#include "shell/QuickStart.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <vector>

#include "engine/ScheduleRules.h"
#include "store/TaskScript.h"
#include "store/DataDictionary.h"
#include "store/Table.h"

namespace agendix::shell {
namespace {

constexpr int kRecordInsertError = 14;     // a record could not be added
constexpr int kRecordRetrievalError = 35;  // a record could not be read
constexpr std::int32_t kOneSecond = 100;

}  // namespace

QAction* QuickStart::popUpAtCursor(QMenu& menu) {
    return menu.exec(QCursor::pos());
}

QuickStart::QuickStart(store::FileAccess& access, engine::Recurrence& recurrence,
                       const platform::Clock& clock, MenuChooser choose)
    : access_(access), recurrence_(recurrence), clock_(clock), choose_(std::move(choose)) {}

std::int32_t QuickStart::quickStartTask(const store::Schedule& task, QWidget* menuParent) {
    QMenu menu(menuParent);
    std::vector<std::pair<QAction*, std::int32_t>> delays;
    for (const QuickStartDelay& delay : kQuickStartDelays) {
        delays.emplace_back(menu.addAction(QString::fromUtf8(delay.caption)), delay.hundredths);
    }
    menu.addSeparator();
    menu.addAction(QStringLiteral("Cancel"));

    const QAction* chosen = choose_(menu);
    for (const auto& [action, hundredths] : delays) {
        if (action == chosen) {
            return startCopy(task, hundredths);
        }
    }
    return 0;  // "Cancel", or the menu closed
}

std::int32_t QuickStart::startCopy(const store::Schedule& task, std::int32_t delay) {
    store::Schedule copy = task;
    copy.position = {};
    copy.Date = clock_.today();
    copy.Time = clock_.now() + delay + kOneSecond;
    engine::normalizeDateTime(copy.Date, copy.Time);
    copy.ScheduleType = std::string(engine::kOnce);
    copy.AdvanceWarnDate = 0;
    copy.AdvanceWarnTime = 0;
    copy.Disabled = 0;
    copy.Completed = 0;
    copy.Skipped = 0;
    // The skip flag belongs to the occurrence an exception moved, not to this start: kept, it
    // would make the scheduler pass the copy over without a word.
    copy.SkipNextTime = 0;

    auto schedule = access_.use(store::scheduleTable());
    if (!schedule.ok()) {
        return 0;
    }
    const store::StoreError error = recurrence_.addScheduleCopy(copy);
    if (!error.ok()) {
        access_.warnings().recordError(error);
        access_.warnings().show(kRecordInsertError);
        return 0;
    }
    copyScript(task.ID, copy.ID);
    return copy.ID;
}

void QuickStart::copyScript(std::int32_t fromId, std::int32_t toId) {
    auto use = access_.use(store::scriptingTable());
    if (!use.ok()) {
        return;
    }
    const store::ScriptCopy copied = store::copyTaskScript(use.table(), fromId, toId);
    if (!copied.read.ok()) {
        access_.warnings().recordError(copied.read);
        access_.warnings().show(kRecordRetrievalError, "Scripting");
    } else if (!copied.added.ok()) {
        access_.warnings().recordError(copied.added);
        access_.warnings().show(kRecordInsertError);
    }
}

}  // namespace agendix::shell
