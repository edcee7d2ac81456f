#include "store/SqlSchema.h"

namespace agendix::store::sql {

std::string quoted(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

const char* columnType(const FieldDef& field) { return field.isText() ? "TEXT" : "INTEGER"; }

std::string createTableSql(const TableDef& def, const std::string& tableName) {
    std::string sql = "CREATE TABLE " + quoted(tableName) + " (" + quoted(kPositionColumn) +
                      " INTEGER PRIMARY KEY, " + quoted(kChangeColumn) + " INTEGER NOT NULL DEFAULT 0";
    for (const auto& field : def.fields) {
        sql += ", " + quoted(field.name) + " " + columnType(field) + " NOT NULL DEFAULT " +
               (field.isText() ? "''" : "0");
    }
    return sql + ")";
}

std::string indexName(const TableDef& def, const KeyDef& key) { return def.label + "_" + key.name; }

std::string keyColumn(const TableDef& def, const KeyDef& key, std::size_t component) {
    const std::string& name = key.components[component];
    const int index = def.fieldIndex(name);
    const bool text = index >= 0 && def.fields[static_cast<std::size_t>(index)].isText();
    return quoted(name) + (key.caseInsensitive && text ? " COLLATE NOCASE" : "");
}

std::string keyPredicate(const TableDef& def, const KeyDef& key) {
    std::string sql = "NOT (";
    for (std::size_t i = 0; i < key.components.size(); ++i) {
        const std::string& name = key.components[i];
        const int index = def.fieldIndex(name);
        const bool text = index >= 0 && def.fields[static_cast<std::size_t>(index)].isText();
        if (i > 0) {
            sql += " AND ";
        }
        sql += quoted(name) + (text ? "=''" : "=0");
    }
    return sql + ")";
}

std::string createIndexSql(const TableDef& def, const KeyDef& key) {
    std::string sql = std::string("CREATE ") + (key.unique ? "UNIQUE " : "") + "INDEX " +
                      quoted(indexName(def, key)) + " ON " + quoted(def.label) + " (";
    for (std::size_t i = 0; i < key.components.size(); ++i) {
        sql += (i > 0 ? ", " : "") + keyColumn(def, key, i);
    }
    return sql + ") WHERE " + keyPredicate(def, key);
}

std::string selectColumns(const TableDef& def) {
    std::string sql = quoted(kPositionColumn) + ", " + quoted(kChangeColumn);
    for (const auto& field : def.fields) {
        sql += ", " + quoted(field.name);
    }
    return sql;
}

}  // namespace agendix::store::sql
