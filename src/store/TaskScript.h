#pragma once

#include <cstdint>
#include <vector>

#include "store/Records.h"
#include "store/StoreError.h"
#include "store/StoredTable.h"

namespace agendix::store {

// A task's script: the items of the scripting table under the task's number, in their order.
StoreError readTaskScript(StoredTable& scripting, std::int32_t taskId,
                          std::vector<Scripting>& items);

// What copying a task's script met: a failure reading the items, or the first item that could
// not be added (the items after it are still copied).
struct ScriptCopy {
    StoreError read;
    StoreError added;
};
// Copies the script of one task to another as one batch.
ScriptCopy copyTaskScript(StoredTable& scripting, std::int32_t fromId, std::int32_t toId);

// Removes every item of a task's script as one batch.
StoreError deleteTaskScript(StoredTable& scripting, std::int32_t taskId);

}  // namespace agendix::store
