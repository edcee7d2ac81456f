#include <gtest/gtest.h>

#include <set>

#include "store/DataDictionary.h"

namespace agendix::store {
namespace {

// The declared record sizes are the sum of the field widths: a typo in a width shows here.
TEST(DataDictionary, EveryTableAddsUpToItsDeclaredRecordSize) {
    std::vector<const TableDef*> all = registeredTables();
    all.push_back(&tagFileTable());
    all.push_back(&tagFilePTable());
    for (const TableDef* def : all) {
        SCOPED_TRACE(def->label);
        int bytes = 0;
        for (const auto& field : def->fields) {
            bytes += field.recordBytes();
        }
        EXPECT_EQ(bytes, def->recordBytes);
    }
}

TEST(DataDictionary, KeysNameExistingFieldsAndMemosComeLast) {
    for (const TableDef* def : registeredTables()) {
        SCOPED_TRACE(def->label);
        std::set<std::string> names;
        bool memoSeen = false;
        for (const auto& field : def->fields) {
            EXPECT_TRUE(names.insert(field.name).second) << "field twice: " << field.name;
            if (field.type == FieldType::Memo) {
                memoSeen = true;
            } else {
                EXPECT_FALSE(memoSeen) << field.name << " after a memo";
            }
        }
        ASSERT_FALSE(def->keys.empty());
        for (const auto& key : def->keys) {
            for (const auto& component : key.components) {
                EXPECT_GE(def->fieldIndex(component), 0) << key.name << " names " << component;
            }
        }
    }
}

TEST(DataDictionary, RegistrationOrderAndVersions) {
    std::vector<std::pair<std::string, int>> registered;
    for (const TableDef* def : registeredTables()) {
        registered.emplace_back(def->label, def->version);
    }
    const std::vector<std::pair<std::string, int>> expected = {
        {"Categories", 2}, {"Clipboard", 3},     {"Configuration", 1}, {"Contact", 2},       {"ContactCategories", 2},
        {"Holidays", 2},   {"Link", 2},          {"Schedule", 5},      {"Scripting", 4},     {"SyncSchedule", 1},
        {"SyncScripting", 1}, {"SyncTodo", 1},   {"Todo", 4},          {"WindowLookup", 2},
    };
    EXPECT_EQ(registered, expected);
}

TEST(DataDictionary, ScheduleLayout) {
    const TableDef& def = scheduleTable();
    EXPECT_EQ(def.fields.size(), 56u);  // 55 fields and the message memo
    EXPECT_EQ(def.fields.front().name, "User");
    EXPECT_EQ(def.fields[54].name, "OriginalID");
    EXPECT_EQ(def.fields.back().name, "Message");
    EXPECT_EQ(def.fields.back().width, 1000);
    const KeyDef& dateEnabled = def.key("KeyDateEnabled");
    EXPECT_EQ(dateEnabled.components, (std::vector<std::string>{"Disabled", "Date", "Time"}));
    EXPECT_FALSE(dateEnabled.unique);
    EXPECT_FALSE(dateEnabled.caseInsensitive);
    EXPECT_EQ(def.keys.size(), 13u);
    EXPECT_EQ(def.qualified("KeyDateEnabled"), "SCH:KeyDateEnabled");
}

}  // namespace
}  // namespace agendix::store
