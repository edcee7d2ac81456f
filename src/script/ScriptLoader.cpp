#include "script/ScriptLoader.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <vector>

#include "engine/ScheduleRules.h"
#include "script/ScriptActions.h"
#include "store/DataDictionary.h"
#include "store/Table.h"

namespace agendix::script {
namespace {

constexpr int kPage = 64;

bool isOrWait(const store::Scripting& item) {
    std::string join = trimRight(item.DDEApplicationName);
    std::transform(join.begin(), join.end(), join.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return join == "or";
}

// Tests and block ends are decisions, not actions: they take no time.
bool takesNoTime(const std::string& action) {
    return action == kIfWindow || action == kIfTimeElapsed || action == kEndIf;
}

}  // namespace

int ScriptLoader::sendInterval(const store::SettingValues& settings) {
    return std::max(settings.scriptingDelay, kMinimumInterval);
}

void ScriptLoader::loadScript(std::int32_t taskId, std::uint32_t launchResult) {
    if (taskId == 0) {
        return;
    }
    const int interval = sendInterval(settings_);

    std::int32_t startDate = clock_.today();
    std::int32_t startTime = clock_.now();
    addHundredths(startDate, startTime, 2 * interval);
    if (!queue_.empty()) {
        const ScriptEntry& last = queue_.last();
        if (engine::compareDateTime(startDate, startTime, last.dueDate, last.dueTime) < 0) {
            startDate = last.dueDate;
            startTime = last.dueTime;
            addHundredths(startDate, startTime, interval);
        }
    }

    auto use = access_.use(store::scriptingTable());
    if (!use.ok()) {
        return;  // the user has been shown why the table cannot be opened
    }
    store::Table<store::Scripting> scripting(use.table());
    store::Scripting first;
    first.ID = taskId;
    first.Sequence = std::numeric_limits<std::int32_t>::min();
    scripting.setPosition("KeyID", first);

    const auto launchCode = static_cast<std::uint16_t>(launchResult & 0xFFFFu);
    std::int32_t date = startDate;
    std::int32_t time = startTime;
    std::vector<ScriptEntry> entries;
    for (bool more = true; more;) {
        std::vector<store::Scripting> page;
        const store::StoreError error = scripting.nextPage(kPage, page);
        if (!error.ok() && !error.is(store::ErrorKind::NoMoreRecords)) {
            ui_.message({"Error executing script: " + error.text, "Script Error",
                         platform::MessageIcon::Exclamation, platform::Ok, platform::Ok});
            return;
        }
        more = error.ok() && static_cast<int>(page.size()) == kPage;
        for (auto& item : page) {
            if (item.ID != taskId) {
                more = false;
                break;
            }
            const std::string action = actionOf(item);
            if (action == kWait) {
                if (!isOrWait(item)) {
                    addHundredths(date, time, static_cast<std::int64_t>(item.SecondsToWait) * 100);
                }
            } else if (!takesNoTime(action)) {
                addHundredths(date, time, interval);
            }
            ScriptEntry entry;
            entry.dueDate = date;
            entry.dueTime = time;
            entry.launchCode = launchCode;
            if (action == kIfTimeElapsed) {
                entry.deadlineDate = startDate;
                entry.deadlineTime = startTime;
                addHundredths(entry.deadlineDate, entry.deadlineTime,
                              static_cast<std::int64_t>(item.TimeElapsed) * 100);
            }
            entry.item = std::move(item);
            entries.push_back(std::move(entry));
        }
    }

    ScriptEntry end;
    end.item.Action = std::string(kEndMarker);
    end.dueDate = date;
    end.dueTime = time;
    end.launchCode = launchCode;
    for (auto& entry : entries) {
        queue_.append(std::move(entry));
    }
    queue_.append(std::move(end));
}

}  // namespace agendix::script
