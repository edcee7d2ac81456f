#pragma once

#include <string_view>
#include <vector>

#include "store/StoredTable.h"

namespace agendix::store {

// A caller's own view of a table: its key order, its place along that key and the records it
// reads as values. Several Table objects may look at one StoredTable at once.
template <class R>
class Table {
public:
    explicit Table(StoredTable& stored) : stored_(&stored), key_(&stored.def().keys.front()) {}

    StoredTable& stored() const { return *stored_; }
    const TableDef& def() const { return stored_->def(); }

    // Reads along the key from its start: next() gives the first record, previous() the last.
    void setKey(std::string_view keyName) {
        key_ = &def().key(keyName);
        boundary_ = KeyBoundary{};
    }
    // Reads along the key from the values of `values`: next() gives the first record at or after
    // them, previous() the last record at or before them.
    void setPosition(std::string_view keyName, const R& values) {
        key_ = &def().key(keyName);
        boundary_ = KeyBoundary{false, stored_->keyValues(*key_, toRow(R::fields(), values)), 0, true};
    }

    StoreError next(R& record) { return step(Direction::Forward, record); }
    StoreError previous(R& record) { return step(Direction::Backward, record); }

    // Up to `count` records onward from the current place; the place moves past the last one.
    StoreError nextPage(int count, std::vector<R>& records, Direction direction = Direction::Forward) {
        std::vector<StoredRecord> found;
        StoreError error = stored_->read(*key_, boundary_, direction, count, found);
        for (auto& stored : found) {
            records.push_back(fromStored(stored));
        }
        if (!found.empty()) {
            standOn(found.back());
        }
        return error;
    }

    // The record whose key components equal those of `record` (its other fields are ignored).
    StoreError get(std::string_view keyName, R& record) {
        const KeyDef& key = def().key(keyName);
        StoredRecord found;
        StoreError error = stored_->findEqual(key, stored_->keyValues(key, toRow(R::fields(), record)), found);
        if (error.ok()) {
            record = fromStored(found);
        }
        return error;
    }

    // Reads the record at a position again, as it is stored now.
    StoreError reget(const RecordPosition& position, R& record) {
        StoredRecord found;
        StoreError error = stored_->readAt(position.row, found);
        if (error.ok()) {
            record = fromStored(found);
        }
        return error;
    }

    StoreError add(R& record) {
        return stored_->insert(toRow(R::fields(), record), record.position);
    }
    // Writes the record at its position. A watched record that another station wrote since it
    // was read is not written: ChangedByAnotherStation.
    StoreError put(R& record) { return stored_->update(toRow(R::fields(), record), record.position); }
    StoreError remove(const R& record) { return stored_->remove(record.position); }

    // The next record read is watched for changes by other stations.
    void watch() { watch_ = true; }

    struct SavedPosition {
        const KeyDef* key;
        KeyBoundary boundary;
    };
    SavedPosition savePosition() const { return {key_, boundary_}; }
    void restorePosition(const SavedPosition& saved) {
        key_ = saved.key;
        boundary_ = saved.boundary;
    }

private:
    StoreError step(Direction direction, R& record) {
        std::vector<StoredRecord> found;
        StoreError error = stored_->read(*key_, boundary_, direction, 1, found);
        if (!error.ok()) {
            return error;
        }
        if (found.empty()) {
            return StoreError::of(ErrorKind::NoMoreRecords, stored_->name());
        }
        standOn(found.front());
        record = fromStored(found.front());
        return StoreError::none();
    }

    void standOn(const StoredRecord& stored) {
        boundary_ = KeyBoundary{false, stored_->keyValues(*key_, stored.row), stored.position.row, false};
    }

    R fromStored(const StoredRecord& stored) {
        R record;
        fromRow(R::fields(), stored.row, record);
        record.position = stored.position;
        record.position.watched = watch_;
        watch_ = false;
        return record;
    }

    StoredTable* stored_;
    const KeyDef* key_;
    KeyBoundary boundary_;
    bool watch_ = false;
};

}  // namespace agendix::store
