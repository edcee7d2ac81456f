#include "store/TaskScript.h"

#include "store/Table.h"

namespace agendix::store {

namespace {

constexpr int kBatch = 200;

}  // namespace

StoreError readTaskScript(StoredTable& scripting, std::int32_t taskId,
                          std::vector<Scripting>& items) {
    Table<Scripting> table(scripting);
    Scripting first;
    first.ID = taskId;
    table.setPosition("KeyID", first);
    Scripting item;
    StoreError error;
    while ((error = table.next(item)).ok() && item.ID == taskId) {
        items.push_back(item);
    }
    return error.is(ErrorKind::NoMoreRecords) ? StoreError::none() : error;
}

ScriptCopy copyTaskScript(StoredTable& scripting, std::int32_t fromId, std::int32_t toId) {
    ScriptCopy outcome;
    std::vector<Scripting> items;
    outcome.read = readTaskScript(scripting, fromId, items);
    if (!outcome.read.ok()) {
        return outcome;
    }
    Table<Scripting> table(scripting);
    scripting.stream();
    for (Scripting& copy : items) {
        copy.ID = toId;
        copy.position = {};
        if (const StoreError added = table.add(copy); !added.ok() && outcome.added.ok()) {
            outcome.added = added;
        }
    }
    if (const StoreError flushed = scripting.flush(); outcome.added.ok()) {
        outcome.added = flushed;
    }
    return outcome;
}

StoreError deleteTaskScript(StoredTable& scripting, std::int32_t taskId) {
    Table<Scripting> table(scripting);
    Scripting first;
    first.ID = taskId;
    scripting.stream();
    StoreError failure;
    for (;;) {
        std::vector<Scripting> page;
        table.setPosition("KeyID", first);
        if (StoreError read = table.nextPage(kBatch, page); !read.ok() || page.empty()) {
            if (failure.ok() && !read.is(ErrorKind::NoMoreRecords)) {
                failure = read;
            }
            break;
        }
        bool removed = false;
        for (const Scripting& item : page) {
            if (item.ID != taskId) {
                break;
            }
            if (const StoreError gone = table.remove(item); gone.ok()) {
                removed = true;
            } else if (failure.ok()) {
                failure = gone;
            }
        }
        if (!removed) {
            break;
        }
    }
    if (const StoreError flushed = scripting.flush(); failure.ok()) {
        failure = flushed;
    }
    return failure;
}

}  // namespace agendix::store
