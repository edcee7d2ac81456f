#pragma once

#include <climits>
#include <functional>
#include <string>

#include "store/FileAccess.h"
#include "store/Records.h"

namespace agendix::store {

// How a list asks a form for work, and what the form answers.
enum class Request { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4 };
enum class Response { Completed = 1, Cancelled = 2 };

// What a form does after its OK button.
enum class SaveOutcome { Saved, KeepOpen, Close };

// The reusable steps of every update form, on one table's record values.
template <class R>
class FormRecord {
public:
    FormRecord(FileAccess& access, const TableDef& def) : access_(access), def_(def), table_(access.table(def)) {}

    // Reserves the record of an insert at once under the next free number, which `number` sets in
    // the record from the table's current records. The add is tried three times; then the user is
    // asked (Retry starts again, Cancel gives up: false).
    bool reserve(R& record, const std::function<void(Table<R>&, R&)>& number) {
        for (;;) {
            StoreError error;
            for (int attempt = 0; attempt < 3; ++attempt) {
                number(table_, record);
                error = table_.add(record);
                if (error.ok()) {
                    return true;
                }
            }
            access_.warnings().recordError(error);
            if (access_.warnings().show(25) != platform::Retry || access_.halted()) {
                return false;
            }
        }
    }

    // OK on an insert of a table without reserved records: add it. A duplicate key names the key's
    // field; any other failure is reported; both keep the form open.
    SaveOutcome saveInsert(R& record) {
        const StoreError error = table_.add(record);
        if (error.ok()) {
            return SaveOutcome::Saved;
        }
        if (error.is(ErrorKind::DuplicateKey)) {
            access_.warnings().show(24, duplicateKeyField(error));
        } else {
            access_.warnings().recordError(error);
            access_.warnings().show(14);
        }
        return SaveOutcome::KeepOpen;
    }

    // OK on a change: write it with the link checks. When the write fails the user chooses to try
    // again, to close the form or to keep it open; when another station changed the record, the
    // form shows that version and stays open.
    SaveOutcome saveChange(R& record, bool showChanges, const R& saved) {
        for (;;) {
            switch (access_.updateRecord(def_, record, showChanges, saved)) {
                case 0:
                    return SaveOutcome::Saved;
                case 2:
                    return SaveOutcome::KeepOpen;
                default:
                    break;
            }
            switch (access_.warnings().show(16)) {
                case platform::Yes:
                    continue;
                case platform::No:
                    return SaveOutcome::Close;
                default:
                    return SaveOutcome::KeepOpen;
            }
        }
    }

    // A delete request: confirmed by the user, then deleted with what depends on it; a failed
    // delete may be tried again.
    Response requestDelete(const R& record) {
        if (access_.warnings().show(32) != platform::Ok) {
            return Response::Cancelled;
        }
        while (access_.deleteRecord(def_, record) != 0) {
            if (access_.halted() || access_.warnings().show(18) != platform::Yes) {
                return Response::Cancelled;
            }
        }
        return Response::Completed;
    }

    // A cancelled insert takes its reserved record away again, with anything added under it.
    void cancelReserved(const R& record) {
        if (record.position.stored()) {
            access_.deleteRecord(def_, record);
        }
    }

    Table<R>& table() { return table_; }

    // "SCH:ID": the first field of the unique key the failed add or write would have duplicated.
    std::string duplicateKeyField(const StoreError& error) const {
        for (const auto& key : def_.keys) {
            if (key.unique && (error.text.find(def_.label + "_" + key.name) != std::string::npos ||
                               error.text.find(def_.label + "." + key.components.front()) != std::string::npos)) {
                return def_.qualified(key.components.front());
            }
        }
        return {};
    }

private:
    FileAccess& access_;
    const TableDef& def_;
    Table<R> table_;
};

// The next free task number: the highest on the key plus one, or 1 in an empty table.
inline void numberTask(Table<Schedule>& table, Schedule& task) {
    table.setKey("KeyID");
    Schedule last;
    task.ID = table.previous(last).ok() ? last.ID + 1 : 1;
}

// The next contact number, as for tasks.
inline void numberContact(Table<Contact>& table, Contact& contact) {
    table.setKey("KeyClientID");
    Contact last;
    contact.ClientID = table.previous(last).ok() ? last.ClientID + 1 : 1;
}

// A new script item belongs to its task and follows the task's last item.
inline void numberScriptItem(Table<Scripting>& table, Scripting& item) {
    Scripting after;
    after.ID = item.ID;
    after.Sequence = INT32_MAX;
    table.setPosition("KeyID", after);
    Scripting last;
    item.Sequence = table.previous(last).ok() && last.ID == item.ID ? last.Sequence + 1 : 1;
}

}  // namespace agendix::store
