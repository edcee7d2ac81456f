#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/Recurrence.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "store/DataDictionary.h"
#include "store/Database.h"
#include "store/FileAccess.h"
#include "store/StandardDate.h"
#include "store/StandardWarnings.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace agendix::shell::testing {

// A real data file in a fresh directory with the tables the frame keeps open, a fake clock
// (Monday 2 March 2026, 10:00) and a scripted user.
class DataFileFixture : public ::testing::Test {
  protected:
    DataFileFixture() {
        for (const store::TableDef* def :
             {&store::scheduleTable(), &store::scriptingTable(), &store::holidaysTable()}) {
            EXPECT_TRUE(access_.openTable(*def));
        }
    }
    ~DataFileFixture() override {
        for (const store::TableDef* def :
             {&store::scheduleTable(), &store::scriptingTable(), &store::holidaysTable()}) {
            access_.releaseTable(*def);
        }
    }

    template <class R>
    std::vector<R> all(const store::TableDef& def, const char* key) {
        auto use = access_.use(def);
        EXPECT_TRUE(use.ok());
        store::Table<R> table(use.table());
        table.setKey(key);
        std::vector<R> records;
        R record;
        while (table.next(record).ok()) {
            records.push_back(record);
        }
        return records;
    }
    std::vector<store::Schedule> allTasks() {
        return all<store::Schedule>(store::scheduleTable(), "KeyID");
    }
    std::vector<store::Todo> allToDos() { return all<store::Todo>(store::todoTable(), "KeyToDo"); }
    std::vector<store::Scripting> scriptOf(std::int32_t taskId) {
        std::vector<store::Scripting> items;
        for (const auto& item : all<store::Scripting>(store::scriptingTable(), "KeyID")) {
            if (item.ID == taskId) {
                items.push_back(item);
            }
        }
        return items;
    }

    agendix::testing::TempDir dir_;
    platform::FakeClock clock_{store::makeDate(3, 2, 2026), store::makeTime(10, 0)};
    platform::ScriptedUserInterface ui_;
    store::Database database_{dir_.path()};
    store::StandardWarnings warnings_{ui_};
    store::FileAccess access_{database_, warnings_};
    engine::Recurrence recurrence_{database_.table(store::scheduleTable()),
                                   database_.table(store::holidaysTable()), ui_, clock_};
};

}  // namespace agendix::shell::testing
