#pragma once

#include <map>

#include "store/Database.h"
#include "store/StandardWarnings.h"
#include "store/Table.h"

namespace agendix::store {

struct OpenOptions {
    bool createIfMissing = true;
    bool quietIfMissing = false;
};

// How every window reaches its tables: opened on first use (created, repaired or upgraded when
// needed) and closed after the last user; deletes and changes that keep the links between
// tables intact; every failure shown as its standard warning.
class FileAccess {
public:
    FileAccess(Database& database, StandardWarnings& warnings) : database_(database), warnings_(warnings) {}

    // Adds a user to the table, opening it for the first one. False when the table is not open:
    // missing while quiet-if-missing, or the program has halted.
    bool openTable(const TableDef& def, OpenOptions options = {});
    // Takes a user away; the last one closes the table.
    void releaseTable(const TableDef& def);
    int users(const TableDef& def) const;

    StoredTable& table(const TableDef& def) { return database_.table(def); }
    StandardWarnings& warnings() { return warnings_; }
    bool halted() const { return warnings_.ui().halted(); }

    // A user of a table for as long as it lives.
    class Use {
    public:
        Use(FileAccess& access, const TableDef& def, OpenOptions options)
            : access_(&access), def_(&def), open_(access.openTable(def, options)) {}
        ~Use() { release(); }
        Use(Use&& other) noexcept : access_(other.access_), def_(other.def_), open_(other.open_) { other.open_ = false; }
        Use(const Use&) = delete;
        Use& operator=(const Use&) = delete;
        Use& operator=(Use&&) = delete;

        bool ok() const { return open_; }
        StoredTable& table() const { return access_->table(*def_); }
        void release() {
            if (open_) {
                access_->releaseTable(*def_);
                open_ = false;
            }
        }

    private:
        FileAccess* access_;
        const TableDef* def_;
        bool open_;
    };
    Use use(const TableDef& def, OpenOptions options = {}) { return Use(*this, def, options); }

    // Deletes the record at `position` with every record that depends on it, or nothing.
    // 0 = deleted; 1 = not deleted (a warning has been shown).
    int deleteRecord(const TableDef& def, const RecordPosition& position);

    // Writes the record and carries a changed linking field into the tables that point to it.
    // `saved` is the record as it was read. 0 = written; 1 = not written (a warning has been shown;
    // a restricted linking field is back at its saved value in `row`); 2 = another station changed
    // the record: `row` and `position` now hold that station's version, watched.
    int updateRecord(const TableDef& def, Row& row, RecordPosition& position, bool showChanges, const Row& saved);

    template <class R>
    int deleteRecord(const TableDef& def, const R& record) {
        return deleteRecord(def, record.position);
    }
    template <class R>
    int updateRecord(const TableDef& def, R& record, bool showChanges, const R& saved) {
        Row row = toRow(R::fields(), record);
        const int result = updateRecord(def, row, record.position, showChanges, toRow(R::fields(), saved));
        if (result != 0) {
            const RecordPosition position = record.position;
            fromRow(R::fields(), row, record);
            record.position = position;
        }
        return result;
    }

private:
    bool openFirstUser(const TableDef& def, OpenOptions options);
    bool createTable(StoredTable& table);
    int fail(int warning, const StoreError& error, const std::string& text1, const std::string& text2 = {});

    Database& database_;
    StandardWarnings& warnings_;
    std::map<const TableDef*, int> users_;
};

}  // namespace agendix::store
