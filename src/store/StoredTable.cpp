#include "store/StoredTable.h"

#include <sqlite3.h>

#include <limits>
#include <set>

#include "store/SqlSchema.h"

namespace agendix::store {
namespace {

using sql::quoted;

void bindValue(sqlite3_stmt* stmt, int index, const FieldValue& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        sqlite3_bind_int64(stmt, index, *number);
    } else {
        const auto& text = std::get<std::string>(value);
        sqlite3_bind_text(stmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    }
}

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// Runs a statement to its end and resets it.
int stepToEnd(sqlite3_stmt* stmt) {
    int rc = sqlite3_step(stmt);
    while (rc == SQLITE_ROW) {
        rc = sqlite3_step(stmt);
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return rc;
}

}  // namespace

StoredTable::StoredTable(DataFiles& files, const TableDef& def, std::filesystem::path file, std::string password)
    : files_(files), def_(def), filePath_(std::move(file)), password_(std::move(password)) {
    selectFrom_ = "SELECT " + sql::selectColumns(def_) + " FROM " + quoted(def_.label);
}

StoreError StoredTable::acquireFile(bool create) {
    if (file_ != nullptr) {
        return StoreError::none();
    }
    return files_.acquire(filePath_, password_, create, file_);
}

StoreError StoredTable::open() {
    if (isOpen()) {
        return StoreError::of(ErrorKind::AlreadyOpen, name());
    }
    StoreError error = acquireFile(false);
    if (error.ok()) {
        const bool exists = file_->tableExists(def_.label, error);
        if (error.ok() && !exists) {
            error = StoreError::of(ErrorKind::FileNotFound, name());
        }
    }
    if (error.ok()) {
        const int version = file_->storedVersion(def_.label, error);
        if (error.ok() && version == 0) {
            error = StoreError::of(ErrorKind::InvalidDataFile, name() + ": no store version");
        } else if (error.ok() && version != def_.version) {
            error = StoreError::of(ErrorKind::LayoutMismatch, name() + ": version " + std::to_string(version) +
                                                                  " in the file, " +
                                                                  std::to_string(def_.version) + " expected");
        }
    }
    if (error.ok()) {
        error = checkLayout();
    }
    if (error.ok()) {
        error = checkKeys();
    }
    if (!error.ok()) {
        file_.reset();
    }
    return error;
}

void StoredTable::close() {
    if (file_ != nullptr) {
        if (streaming_ || locked_) {
            file_->commit();
        }
        streaming_ = false;
        locked_ = false;
        file_.reset();
    }
}

StoreError StoredTable::checkLayout() {
    StoreError error;
    // Columns of PRAGMA table_info: cid, name, type, notnull, default, pk.
    sqlite3_stmt* stmt = file_->statement("PRAGMA table_info(" + quoted(def_.label) + ")", error);
    if (stmt == nullptr) {
        return error;
    }
    std::vector<std::pair<std::string, std::string>> columns;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const auto* columnName = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
        const auto* columnType = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 2));
        columns.emplace_back(columnName != nullptr ? columnName : "", columnType != nullptr ? columnType : "");
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        return file_->failure(rc, name());
    }
    std::vector<std::pair<std::string, std::string>> expected = {{sql::kPositionColumn, "INTEGER"},
                                                                 {sql::kChangeColumn, "INTEGER"}};
    for (const auto& field : def_.fields) {
        expected.emplace_back(field.name, sql::columnType(field));
    }
    if (columns != expected) {
        return StoreError::of(ErrorKind::InvalidDataFile, name() + ": the stored fields do not match");
    }
    return StoreError::none();
}

StoreError StoredTable::checkKeys() {
    StoreError error;
    sqlite3_stmt* stmt = file_->statement(
        "SELECT name, sql FROM sqlite_master WHERE type='index' AND tbl_name=?1 AND sql IS NOT NULL", error);
    if (stmt == nullptr) {
        return error;
    }
    sqlite3_bind_text(stmt, 1, def_.label.c_str(), -1, SQLITE_TRANSIENT);
    std::map<std::string, std::string> stored;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        stored[reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))] =
            reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1));
    }
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE) {
        return file_->failure(rc, name());
    }
    std::size_t matching = 0;
    for (const auto& key : def_.keys) {
        auto found = stored.find(sql::indexName(def_, key));
        if (found == stored.end() || found->second != sql::createIndexSql(def_, key)) {
            return StoreError::of(ErrorKind::KeysNeedRebuilding, name() + ": " + def_.qualified(key.name));
        }
        ++matching;
    }
    if (matching != stored.size()) {
        return StoreError::of(ErrorKind::KeysNeedRebuilding, name() + ": keys not declared");
    }
    return StoreError::none();
}

StoreError StoredTable::createKeys() {
    for (const auto& key : def_.keys) {
        if (StoreError error = file_->execute(sql::createIndexSql(def_, key)); !error.ok()) {
            if (error.is(ErrorKind::DuplicateKey)) {
                error.text += " in " + def_.qualified(key.name);
            }
            return error;
        }
    }
    return StoreError::none();
}

StoreError StoredTable::dropKeys() {
    StoreError error;
    std::vector<std::string> names;
    sqlite3_stmt* stmt = file_->statement(
        "SELECT name FROM sqlite_master WHERE type='index' AND tbl_name=?1 AND sql IS NOT NULL", error);
    if (stmt == nullptr) {
        return error;
    }
    sqlite3_bind_text(stmt, 1, def_.label.c_str(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        names.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    }
    sqlite3_reset(stmt);
    for (const auto& index : names) {
        if (error = file_->execute("DROP INDEX " + quoted(index)); !error.ok()) {
            return error;
        }
    }
    return StoreError::none();
}

namespace {

// Runs `work` inside a transaction of its own unless the file is already in one.
template <class Work>
StoreError inTransaction(DataFile& file, Work work) {
    const bool own = !file.inTransaction();
    if (own) {
        if (StoreError error = file.begin(); !error.ok()) {
            return error;
        }
    }
    StoreError error = work();
    if (own) {
        if (error.ok()) {
            error = file.commit();
        } else {
            file.rollback();
        }
    }
    return error;
}

}  // namespace

StoreError StoredTable::create() {
    const bool wasOpen = isOpen();
    if (StoreError error = acquireFile(true); !error.ok()) {
        return error;
    }
    StoreError error = inTransaction(*file_, [&] {
        StoreError e;
        if (file_->tableExists(def_.label, e) || !e.ok()) {
            return e;  // never replace a table that holds records
        }
        if (e = file_->execute(sql::createTableSql(def_, def_.label)); !e.ok()) {
            return e;
        }
        if (e = createKeys(); !e.ok()) {
            return e;
        }
        return file_->setStoredVersion(def_.label, def_.version);
    });
    if (!wasOpen) {
        file_.reset();
    }
    return error;
}

StoreError StoredTable::upgrade() {
    const bool wasOpen = isOpen();
    if (StoreError error = acquireFile(false); !error.ok()) {
        return error;
    }
    StoreError error = inTransaction(*file_, [&]() -> StoreError {
        StoreError e;
        if (!file_->tableExists(def_.label, e)) {
            if (!e.ok()) {
                return e;
            }
            if (e = file_->execute(sql::createTableSql(def_, def_.label)); !e.ok()) {
                return e;
            }
            if (e = createKeys(); !e.ok()) {
                return e;
            }
            return file_->setStoredVersion(def_.label, def_.version);
        }
        const int stored = file_->storedVersion(def_.label, e);
        if (!e.ok()) {
            return e;
        }
        if (stored > def_.version) {
            return StoreError::of(ErrorKind::LayoutMismatch,
                                  name() + " was written by a newer version (" + std::to_string(stored) + ")");
        }
        // The records move into a table of the declared layout; fields both layouts know keep their
        // values, new fields start empty.
        std::set<std::string> old;
        sqlite3_stmt* stmt = file_->statement("PRAGMA table_info(" + quoted(def_.label) + ")", e);
        if (stmt == nullptr) {
            return e;
        }
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            old.insert(lower(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))));
        }
        sqlite3_reset(stmt);
        const std::string fresh = "_upgrade_" + def_.label;
        if (e = file_->execute("DROP TABLE IF EXISTS " + quoted(fresh)); !e.ok()) {
            return e;
        }
        if (e = dropKeys(); !e.ok()) {
            return e;
        }
        if (e = file_->execute(sql::createTableSql(def_, fresh)); !e.ok()) {
            return e;
        }
        std::string into = quoted(sql::kPositionColumn);
        std::string from = old.count(sql::kPositionColumn) != 0 ? quoted(sql::kPositionColumn) : "rowid";
        if (old.count(sql::kChangeColumn) != 0) {
            into += ", " + quoted(sql::kChangeColumn);
            from += ", " + quoted(sql::kChangeColumn);
        }
        for (const auto& field : def_.fields) {
            if (old.count(lower(field.name)) == 0) {
                continue;
            }
            into += ", " + quoted(field.name);
            const std::string type = sql::columnType(field);
            from += ", coalesce(CAST(" + quoted(field.name) + " AS " + type + "), " +
                    (field.isText() ? "''" : "0") + ")";
        }
        if (e = file_->execute("INSERT INTO " + quoted(fresh) + " (" + into + ") SELECT " + from + " FROM " +
                               quoted(def_.label));
            !e.ok()) {
            return e;
        }
        if (e = file_->execute("DROP TABLE " + quoted(def_.label)); !e.ok()) {
            return e;
        }
        if (e = file_->execute("ALTER TABLE " + quoted(fresh) + " RENAME TO " + quoted(def_.label)); !e.ok()) {
            return e;
        }
        if (e = createKeys(); !e.ok()) {
            return e;
        }
        return file_->setStoredVersion(def_.label, def_.version);
    });
    if (!wasOpen) {
        file_.reset();
    }
    return error;
}

StoreError StoredTable::rebuildKeys() {
    const bool wasOpen = isOpen();
    if (StoreError error = acquireFile(false); !error.ok()) {
        return error;
    }
    StoreError error = inTransaction(*file_, [&] {
        StoreError e = dropKeys();
        return e.ok() ? createKeys() : e;
    });
    if (!wasOpen) {
        file_.reset();
    }
    return error;
}

StoreError StoredTable::empty() {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    return file_->execute("DELETE FROM " + quoted(def_.label));
}

StoreError StoredTable::count(std::int64_t& records) {
    records = 0;
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    StoreError error;
    sqlite3_stmt* stmt = file_->statement("SELECT count(*) FROM " + quoted(def_.label), error);
    if (stmt == nullptr) {
        return error;
    }
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_ROW) {
        records = sqlite3_column_int64(stmt, 0);
    }
    sqlite3_reset(stmt);
    return rc == SQLITE_ROW ? StoreError::none() : file_->failure(rc, name());
}

StoreError StoredTable::stream() {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    if (streaming_ || file_->inTransaction()) {
        return StoreError::none();
    }
    StoreError error = file_->begin();
    streaming_ = error.ok();
    return error;
}

StoreError StoredTable::flush() {
    if (!streaming_ || file_ == nullptr) {
        return StoreError::none();
    }
    streaming_ = false;
    return file_->commit();
}

StoreError StoredTable::lock() {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    StoreError error = file_->begin(true);
    locked_ = error.ok();
    return error;
}

StoreError StoredTable::unlock() {
    if (!locked_ || file_ == nullptr) {
        return StoreError::none();
    }
    locked_ = false;
    return file_->commit();
}

StoreError StoredTable::insert(const Row& row, RecordPosition& position) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    auto& text = sqlCache_["insert"];
    if (text.empty()) {
        std::string columns, values;
        for (std::size_t i = 0; i < def_.fields.size(); ++i) {
            columns += (i > 0 ? ", " : "") + quoted(def_.fields[i].name);
            values += (i > 0 ? ", ?" : "?") + std::to_string(i + 1);
        }
        text = "INSERT INTO " + quoted(def_.label) + " (" + columns + ") VALUES (" + values + ")";
    }
    StoreError error;
    sqlite3_stmt* stmt = file_->statement(text, error);
    if (stmt == nullptr) {
        return error;
    }
    for (std::size_t i = 0; i < row.size(); ++i) {
        bindValue(stmt, static_cast<int>(i + 1), row[i]);
    }
    const int rc = stepToEnd(stmt);
    if (rc != SQLITE_DONE) {
        return file_->failure(rc, name() + ": " + sqlite3_errmsg(file_->handle()));
    }
    position = RecordPosition{sqlite3_last_insert_rowid(file_->handle()), 0, false};
    return StoreError::none();
}

StoreError StoredTable::update(const Row& row, RecordPosition& position) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    if (!position.stored()) {
        return StoreError::of(ErrorKind::RecordNotFound, name());
    }
    auto& text = sqlCache_[position.watched ? "update-watched" : "update"];
    if (text.empty()) {
        std::string sets;
        for (std::size_t i = 0; i < def_.fields.size(); ++i) {
            sets += quoted(def_.fields[i].name) + "=?" + std::to_string(i + 1) + ", ";
        }
        const std::string n = std::to_string(def_.fields.size());
        text = "UPDATE " + quoted(def_.label) + " SET " + sets + quoted(sql::kChangeColumn) + "=" +
               quoted(sql::kChangeColumn) + "+1 WHERE " + quoted(sql::kPositionColumn) + "=?" +
               std::to_string(def_.fields.size() + 1);
        if (position.watched) {
            text += " AND " + quoted(sql::kChangeColumn) + "=?" + std::to_string(def_.fields.size() + 2);
        }
    }
    StoreError error;
    sqlite3_stmt* stmt = file_->statement(text, error);
    if (stmt == nullptr) {
        return error;
    }
    for (std::size_t i = 0; i < row.size(); ++i) {
        bindValue(stmt, static_cast<int>(i + 1), row[i]);
    }
    sqlite3_bind_int64(stmt, static_cast<int>(row.size() + 1), position.row);
    if (position.watched) {
        sqlite3_bind_int64(stmt, static_cast<int>(row.size() + 2), position.changeCount);
    }
    const int rc = stepToEnd(stmt);
    if (rc != SQLITE_DONE) {
        return file_->failure(rc, name() + ": " + sqlite3_errmsg(file_->handle()));
    }
    const bool written = sqlite3_changes(file_->handle()) > 0;
    StoredRecord current;
    StoreError read = readAt(position.row, current);
    if (!written) {
        if (read.ok() && position.watched) {
            return StoreError::of(ErrorKind::ChangedByAnotherStation, name());
        }
        return StoreError::of(ErrorKind::RecordNotFound, name());
    }
    if (read.ok()) {
        position.changeCount = current.position.changeCount;
    }
    return StoreError::none();
}

StoreError StoredTable::remove(const RecordPosition& position) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    StoreError error;
    sqlite3_stmt* stmt = file_->statement(
        "DELETE FROM " + quoted(def_.label) + " WHERE " + quoted(sql::kPositionColumn) + "=?1", error);
    if (stmt == nullptr) {
        return error;
    }
    sqlite3_bind_int64(stmt, 1, position.row);
    const int rc = stepToEnd(stmt);
    if (rc != SQLITE_DONE) {
        return file_->failure(rc, name());
    }
    if (sqlite3_changes(file_->handle()) == 0) {
        return StoreError::of(ErrorKind::RecordNotFound, name());
    }
    return StoreError::none();
}

StoreError StoredTable::fetch(const std::string& text, const Row& binds, int limit,
                              std::vector<StoredRecord>& out) {
    StoreError error;
    sqlite3_stmt* stmt = file_->statement(text, error);
    if (stmt == nullptr) {
        return error;
    }
    int index = 1;
    for (const auto& value : binds) {
        bindValue(stmt, index++, value);
    }
    sqlite3_bind_int(stmt, index, limit);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        StoredRecord record;
        record.position.row = sqlite3_column_int64(stmt, 0);
        record.position.changeCount = sqlite3_column_int64(stmt, 1);
        record.row.reserve(def_.fields.size());
        for (std::size_t i = 0; i < def_.fields.size(); ++i) {
            const int column = static_cast<int>(i + 2);
            if (def_.fields[i].isText()) {
                const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
                record.row.emplace_back(std::string(value != nullptr ? value : "",
                                                    static_cast<std::size_t>(sqlite3_column_bytes(stmt, column))));
            } else {
                record.row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(stmt, column)));
            }
        }
        out.push_back(std::move(record));
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return rc == SQLITE_DONE ? StoreError::none() : file_->failure(rc, name());
}

StoreError StoredTable::readAt(std::int64_t row, StoredRecord& out) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    std::vector<StoredRecord> found;
    StoreError error =
        fetch(selectFrom_ + " WHERE " + quoted(sql::kPositionColumn) + "=?1 LIMIT ?2", Row{row}, 1, found);
    if (!error.ok()) {
        return error;
    }
    if (found.empty()) {
        return StoreError::of(ErrorKind::RecordNotFound, name());
    }
    out = std::move(found.front());
    return StoreError::none();
}

std::vector<std::size_t> StoredTable::keyFieldIndexes(const KeyDef& key) const {
    std::vector<std::size_t> indexes;
    for (const auto& component : key.components) {
        indexes.push_back(static_cast<std::size_t>(def_.fieldIndex(component)));
    }
    return indexes;
}

Row StoredTable::keyValues(const KeyDef& key, const Row& row) const {
    Row values;
    for (std::size_t index : keyFieldIndexes(key)) {
        values.push_back(row[index]);
    }
    return values;
}

// Reading along a key from a boundary is split by how many leading components equal the
// boundary's: with all k equal, the records after the boundary's position; with the first e
// equal, those whose next component is greater. Each part is one index range, so every read
// costs what it returns whatever the table's size or its duplicates.
const std::string& StoredTable::levelSql(const KeyDef& key, std::size_t equalComponents, Direction direction) {
    const bool forward = direction == Direction::Forward;
    const std::string cacheKey = key.name + (forward ? "+" : "-") + std::to_string(equalComponents);
    auto& text = sqlCache_[cacheKey];
    if (!text.empty()) {
        return text;
    }
    const std::size_t k = key.components.size();
    std::string order;
    for (std::size_t i = 0; i < k; ++i) {
        order += sql::keyColumn(def_, key, i) + (forward ? "" : " DESC") + ", ";
    }
    order += quoted(sql::kPositionColumn) + (forward ? "" : " DESC");
    text = selectFrom_ + " WHERE " + sql::keyPredicate(def_, key);
    if (equalComponents != std::string::npos) {
        int bind = 1;
        for (std::size_t i = 0; i < equalComponents && i < k; ++i) {
            text += " AND " + sql::keyColumn(def_, key, i) + " = ?" + std::to_string(bind++);
        }
        const char* comparison = forward ? " > ?" : " < ?";
        if (equalComponents == k) {
            text += " AND " + quoted(sql::kPositionColumn) + comparison + std::to_string(bind++);
        } else {
            text += " AND " + sql::keyColumn(def_, key, equalComponents) + comparison + std::to_string(bind++);
        }
        text += " ORDER BY " + order + " LIMIT ?" + std::to_string(bind);
    } else {
        text += " ORDER BY " + order + " LIMIT ?1";
    }
    return text;
}

StoreError StoredTable::read(const KeyDef& key, const KeyBoundary& from, Direction direction, int limit,
                             std::vector<StoredRecord>& out) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    const std::size_t firstSize = out.size();
    const std::size_t wanted = firstSize + static_cast<std::size_t>(limit);
    if (from.atStart) {
        return fetch(levelSql(key, std::string::npos, direction), Row{}, limit, out);
    }
    const std::size_t k = key.components.size();
    for (std::size_t equal = k + 1; equal-- > 0 && out.size() < wanted;) {
        Row binds(from.values.begin(), from.values.begin() + static_cast<std::ptrdiff_t>(equal));
        if (equal == k) {
            std::int64_t row = from.row;
            if (from.inclusive) {
                row = direction == Direction::Forward ? std::numeric_limits<std::int64_t>::min()
                                                      : std::numeric_limits<std::int64_t>::max();
            }
            binds.emplace_back(row);
        } else {
            binds.push_back(from.values[equal]);
        }
        if (StoreError error =
                fetch(levelSql(key, equal, direction), binds, static_cast<int>(wanted - out.size()), out);
            !error.ok()) {
            return error;
        }
    }
    return StoreError::none();
}

StoreError StoredTable::readPrefix(const KeyDef& key, const Row& prefix, int limit,
                                   std::vector<StoredRecord>& out) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    auto& text = sqlCache_["prefix:" + key.name + ":" + std::to_string(prefix.size())];
    if (text.empty()) {
        text = selectFrom_ + " WHERE " + sql::keyPredicate(def_, key);
        std::string order;
        for (std::size_t i = 0; i < key.components.size(); ++i) {
            if (i < prefix.size()) {
                text += " AND " + sql::keyColumn(def_, key, i) + " = ?" + std::to_string(i + 1);
            }
            order += sql::keyColumn(def_, key, i) + ", ";
        }
        text += " ORDER BY " + order + quoted(sql::kPositionColumn) + " LIMIT ?" + std::to_string(prefix.size() + 1);
    }
    return fetch(text, prefix, limit, out);
}

StoreError StoredTable::findEqual(const KeyDef& key, const Row& values, StoredRecord& out) {
    if (!isOpen()) {
        return StoreError::of(ErrorKind::NotOpen, name());
    }
    auto& text = sqlCache_["equal:" + key.name];
    if (text.empty()) {
        text = selectFrom_ + " WHERE " + sql::keyPredicate(def_, key);
        for (std::size_t i = 0; i < key.components.size(); ++i) {
            text += " AND " + sql::keyColumn(def_, key, i) + " = ?" + std::to_string(i + 1);
        }
        // A unique key holds one record at most: sorting it would only cost a temporary b-tree.
        if (!key.unique) {
            text += " ORDER BY " + quoted(sql::kPositionColumn);
        }
        text += " LIMIT ?" + std::to_string(key.components.size() + 1);
    }
    std::vector<StoredRecord> found;
    if (StoreError error = fetch(text, values, 1, found); !error.ok()) {
        return error;
    }
    if (found.empty()) {
        return StoreError::of(ErrorKind::RecordNotFound, name());
    }
    out = std::move(found.front());
    return StoreError::none();
}

}  // namespace agendix::store
