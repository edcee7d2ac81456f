#pragma once

#include <string>
#include <vector>

#include "store/TableDef.h"

namespace agendix::store::sql {

// Every table carries two hidden columns beside its fields: the record's position and its change
// counter, raised by every write.
inline constexpr const char* kPositionColumn = "_pos";
inline constexpr const char* kChangeColumn = "_changes";
// Store versions of the tables in a file.
inline constexpr const char* kVersionTable = "_StoreVersion";

std::string quoted(const std::string& name);
std::string createTableSql(const TableDef& def, const std::string& tableName);
std::string createIndexSql(const TableDef& def, const KeyDef& key);
std::string indexName(const TableDef& def, const KeyDef& key);
// True for the records a key holds: not every component empty.
std::string keyPredicate(const TableDef& def, const KeyDef& key);
// "_pos", "_changes" and every field, quoted and comma-separated.
std::string selectColumns(const TableDef& def);
// A key component as it is compared: `"Category" COLLATE NOCASE` for a case-insensitive key.
std::string keyColumn(const TableDef& def, const KeyDef& key, std::size_t component);
// The SQL type a field is stored in.
const char* columnType(const FieldDef& field);

}  // namespace agendix::store::sql
