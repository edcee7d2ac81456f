#include "store/FileAccess.h"

#include <climits>

#include "store/TableLinks.h"
#include "store/Transaction.h"

namespace agendix::store {
namespace {

constexpr const char* kUpgradeNeeded =
    "The databases must be upgraded before using this version.  Consult your documentation for instructions on "
    "this.";

// The children of a table, opened for the length of one delete or update.
class ChildTables {
public:
    ChildTables(FileAccess& access, const TableDef& parent) : access_(access) {
        for (const TableLink* link : linksFrom(parent)) {
            links_.push_back(link);
            if (!access.openTable(*link->child)) {
                failed_ = true;
                break;
            }
            opened_.push_back(link->child);
        }
    }
    ~ChildTables() {
        for (const TableDef* def : opened_) {
            access_.releaseTable(*def);
        }
    }
    ChildTables(const ChildTables&) = delete;
    ChildTables& operator=(const ChildTables&) = delete;

    bool failed() const { return failed_; }
    const std::vector<const TableLink*>& links() const { return links_; }

    // The transaction over the parent and these children, with the lock time-out.
    StoreError begin(Transaction& transaction, const TableDef& parent) {
        std::vector<StoredTable*> tables{&access_.table(parent)};
        for (const TableLink* link : links_) {
            tables.push_back(&access_.table(*link->child));
        }
        return transaction.begin(tables);
    }

private:
    FileAccess& access_;
    std::vector<const TableLink*> links_;
    std::vector<const TableDef*> opened_;
    bool failed_ = false;
};

std::size_t fieldIndex(const TableDef& def, const std::string& name) {
    return static_cast<std::size_t>(def.fieldIndex(name));
}

}  // namespace

int FileAccess::users(const TableDef& def) const {
    auto found = users_.find(&def);
    return found == users_.end() ? 0 : found->second;
}

bool FileAccess::openTable(const TableDef& def, OpenOptions options) {
    if (halted()) {
        return false;
    }
    int& count = users_[&def];
    if (count == 0 && !openFirstUser(def, options)) {
        return false;
    }
    ++count;
    return true;
}

void FileAccess::releaseTable(const TableDef& def) {
    auto found = users_.find(&def);
    if (found == users_.end() || found->second == 0) {
        return;
    }
    if (--found->second == 0) {
        table(def).close();
    }
}

int FileAccess::fail(int warning, const StoreError& error, const std::string& text1, const std::string& text2) {
    warnings_.recordError(error);
    return warnings_.show(warning, text1, text2);
}

bool FileAccess::createTable(StoredTable& stored) {
    if (StoreError error = stored.create(); !error.ok()) {
        fail(4, error, stored.name());
        return false;
    }
    if (StoreError error = stored.open(); !error.ok()) {
        fail(5, error, stored.name());
        return false;
    }
    return true;
}

bool FileAccess::openFirstUser(const TableDef& def, OpenOptions options) {
    StoredTable& stored = table(def);
    StoreError error = stored.open();
    if (error.is(ErrorKind::FileLocked)) {
        // Another station holds the file: try once more after its lock time-out.
        error = stored.open();
    }
    warnings_.setCurrentError(error);
    if (error.ok() || error.is(ErrorKind::AlreadyOpen)) {
        return true;
    }
    if (error.is(ErrorKind::FileNotFound)) {
        if (options.quietIfMissing) {
            return false;  // a table the caller can do without
        }
        if (options.createIfMissing) {
            return createTable(stored);
        }
        fail(4, error, stored.name());
        return false;
    }
    if (error.is(ErrorKind::KeysNeedRebuilding)) {
        if (fail(2, error, stored.name()) != platform::Yes || halted()) {
            return false;
        }
        if (StoreError rebuilt = stored.rebuildKeys(); !rebuilt.ok()) {
            fail(3, rebuilt, stored.name());
            return false;
        }
        error = stored.open();
        if (error.ok()) {
            return true;
        }
    }
    if (error.is(ErrorKind::LayoutMismatch)) {
        if (StoreError upgraded = stored.upgrade(); upgraded.ok()) {
            error = stored.open();
            if (error.ok()) {
                return true;
            }
        }
        warnings_.ui().halt(kUpgradeNeeded);
        return false;
    }
    if (error.is(ErrorKind::InvalidDataFile) || error.is(ErrorKind::InvalidKeyFile) ||
        error.is(ErrorKind::FileSystemError)) {
        if (stored.upgrade().ok()) {
            const StoreError reopened = stored.open();
            if (reopened.ok()) {
                return true;
            }
            error = reopened;
        }
    }
    fail(30, error, stored.name());
    warnings_.ui().halt("Disk Error");
    return false;
}

int FileAccess::deleteRecord(const TableDef& def, const RecordPosition& position) {
    StoredTable& parent = table(def);
    ChildTables children(*this, def);
    if (children.failed()) {
        return 1;
    }
    Transaction transaction;
    if (StoreError error = children.begin(transaction, def); !error.ok()) {
        fail(34, error, "Delete", def.label);
        return 1;
    }
    StoredRecord current;
    if (StoreError error = parent.readAt(position.row, current); !error.ok()) {
        transaction.rollback();
        fail(35, error, def.label);
        return 1;
    }
    for (const TableLink* link : children.links()) {
        StoredTable& child = table(*link->child);
        const KeyDef& key = link->child->key(link->childKey);
        const FieldValue value = current.row[fieldIndex(def, link->parentField)];
        if (link->rule == TableLink::Rule::Restrict) {
            std::vector<StoredRecord> users;
            if (StoreError error = child.readPrefix(key, {value}, 1, users); !error.ok()) {
                transaction.rollback();
                fail(35, error, link->child->label);
                return 1;
            }
            if (!users.empty()) {
                transaction.rollback();
                fail(13, StoreError::none(), link->child->label);
                return 1;
            }
            continue;
        }
        for (;;) {
            std::vector<StoredRecord> batch;
            if (StoreError error = child.readPrefix(key, {value}, 200, batch); !error.ok()) {
                transaction.rollback();
                fail(35, error, link->child->label);
                return 1;
            }
            if (batch.empty()) {
                break;
            }
            for (const auto& record : batch) {
                if (StoreError error = child.remove(record.position); !error.ok()) {
                    transaction.rollback();
                    fail(17, error, link->child->label);
                    return 1;
                }
            }
        }
    }
    if (StoreError error = parent.remove(position); !error.ok()) {
        // Its children are gone inside this transaction: undo them too.
        transaction.rollback();
        fail(17, error, def.label);
        return 1;
    }
    if (StoreError error = transaction.commit(); !error.ok()) {
        fail(17, error, def.label);
        return 1;
    }
    return 0;
}

int FileAccess::updateRecord(const TableDef& def, Row& row, RecordPosition& position, bool showChanges,
                             const Row& saved) {
    StoredTable& parent = table(def);
    ChildTables children(*this, def);
    if (children.failed()) {
        return 1;
    }
    Transaction transaction;
    if (StoreError error = children.begin(transaction, def); !error.ok()) {
        fail(34, error, "Update", def.label);
        return 1;
    }
    if (StoreError error = parent.update(row, position); !error.ok()) {
        warnings_.recordError(error);
        transaction.rollback();
        if (error.is(ErrorKind::ChangedByAnotherStation)) {
            if (showChanges) {
                warnings_.show(38);
            } else {
                warnings_.show(15, "Record Changed by Another Station");
            }
            StoredRecord theirs;
            if (parent.readAt(position.row, theirs).ok()) {
                row = theirs.row;
                position = theirs.position;
                position.watched = true;
            }
            return 2;
        }
        warnings_.show(15, def.label);
        return 1;
    }
    for (const TableLink* link : children.links()) {
        const std::size_t field = fieldIndex(def, link->parentField);
        if (field >= saved.size() || row[field] == saved[field]) {
            continue;
        }
        StoredTable& child = table(*link->child);
        const KeyDef& key = link->child->key(link->childKey);
        std::vector<StoredRecord> affected;
        const int limit = link->rule == TableLink::Rule::Restrict ? 1 : INT_MAX;
        if (StoreError error = child.readPrefix(key, {saved[field]}, limit, affected); !error.ok()) {
            transaction.rollback();
            fail(35, error, link->child->label);
            return 1;
        }
        if (link->rule == TableLink::Rule::Restrict) {
            if (!affected.empty()) {
                transaction.rollback();
                row[field] = saved[field];
                fail(12, StoreError::none(), link->child->label);
                return 1;
            }
            continue;
        }
        const std::size_t childField = fieldIndex(*link->child, link->childField);
        for (auto& record : affected) {
            record.row[childField] = row[field];
            if (StoreError error = child.update(record.row, record.position); !error.ok()) {
                transaction.rollback();
                fail(15, error, link->child->label);
                return 1;
            }
        }
    }
    if (StoreError error = transaction.commit(); !error.ok()) {
        fail(15, error, def.label);
        return 1;
    }
    return 0;
}

}  // namespace agendix::store
