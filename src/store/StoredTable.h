#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/DataFile.h"
#include "store/RecordPosition.h"
#include "store/StoreError.h"
#include "store/TableDef.h"

namespace agendix::store {

// Where reading along a key starts from: the start of the key (next() reads the first record,
// previous() the last), or given key values and a record position.
struct KeyBoundary {
    bool atStart = true;
    Row values;             // the key's component values
    std::int64_t row = 0;   // position of the record the cursor stands on
    bool inclusive = false; // the given values themselves may be read (set by a key position)
};

enum class Direction { Forward, Backward };

struct StoredRecord {
    Row row;
    RecordPosition position;
};

// One declared table inside its data file: opening, creating, checking, upgrading and the
// operations on its rows. Records in their struct form are handled by Table<R>.
class StoredTable {
public:
    StoredTable(DataFiles& files, const TableDef& def, std::filesystem::path file, std::string password);

    const TableDef& def() const { return def_; }
    const std::filesystem::path& filePath() const { return filePath_; }
    // The name the user knows the table by in messages: its declared name.
    const std::string& name() const { return def_.declaredName; }

    // Opens the table in its file (read-write, shared with other stations). Fails with
    // FileNotFound when the file or the table is missing, AlreadyOpen, LayoutMismatch when the
    // file holds an older (or newer) layout, KeysNeedRebuilding, InvalidDataFile or FileSystemError.
    StoreError open();
    // Creates the file when missing and the table in it, empty. The table is not opened.
    StoreError create();
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Brings the stored layout to the declared one, keeping every record; then the table can open.
    StoreError upgrade();
    // Builds every key anew from the records.
    StoreError rebuildKeys();
    StoreError empty();
    StoreError count(std::int64_t& records);

    // Batch mode: many writes in one transaction until flush().
    StoreError stream();
    StoreError flush();
    // Exclusive access to the file until unlock().
    StoreError lock();
    StoreError unlock();

    DataFile* file() const { return file_.get(); }

    // Row operations.
    StoreError insert(const Row& row, RecordPosition& position);
    StoreError update(const Row& row, RecordPosition& position);
    StoreError remove(const RecordPosition& position);
    StoreError readAt(std::int64_t row, StoredRecord& out);
    // Up to `limit` records along the key from the boundary, in the direction.
    StoreError read(const KeyDef& key, const KeyBoundary& from, Direction direction, int limit,
                    std::vector<StoredRecord>& out);
    // Up to `limit` records, in key order, whose first key components equal `prefix`.
    StoreError readPrefix(const KeyDef& key, const Row& prefix, int limit, std::vector<StoredRecord>& out);
    // The first record whose key components equal the values (in key order).
    StoreError findEqual(const KeyDef& key, const Row& keyValues, StoredRecord& out);
    // The key's component values of a full row.
    Row keyValues(const KeyDef& key, const Row& row) const;

private:
    StoreError acquireFile(bool create);
    StoreError checkLayout();
    StoreError checkKeys();
    StoreError createKeys();
    StoreError dropKeys();
    StoreError fetch(const std::string& sql, const Row& binds, int limit, std::vector<StoredRecord>& out);
    const std::string& levelSql(const KeyDef& key, std::size_t equalComponents, Direction direction);
    std::vector<std::size_t> keyFieldIndexes(const KeyDef& key) const;

    DataFiles& files_;
    const TableDef& def_;
    std::filesystem::path filePath_;
    std::string password_;
    std::shared_ptr<DataFile> file_;
    bool streaming_ = false;
    bool locked_ = false;
    std::string selectFrom_;
    std::map<std::string, std::string> sqlCache_;
};

}  // namespace agendix::store
