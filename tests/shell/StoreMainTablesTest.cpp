#include <gtest/gtest.h>

#include <fstream>

#include "platform/fake/FakeClock.h"
#include "platform/fake/ScriptedUserInterface.h"
#include "shell/MainFrame.h"
#include "shell/StoreMainTables.h"
#include "store/DataDictionary.h"
#include "store/StandardDate.h"
#include "support/TempDir.h"

namespace agendix::shell {
namespace {

class FrameOnStoreTest : public ::testing::Test {
protected:
    testing::TempDir dir_;
    platform::FakeClock clock_{store::makeDate(12, 11, 2026), store::makeTime(9, 0)};
    platform::ScriptedUserInterface ui_;
    store::Database database_{dir_.path()};
    store::StandardWarnings warnings_{ui_};
    store::FileAccess access_{database_, warnings_};
    StoreMainTables tables_{access_};

    const std::vector<const store::TableDef*> frameTables_ = {
        &store::clipboardTable(), &store::configurationTable(), &store::scheduleTable(), &store::scriptingTable(),
        &store::windowLookupTable()};
};

TEST_F(FrameOnStoreTest, AFreshDirectoryGetsItsDataFileAndTheFrameHoldsItsFiveTables) {
    MainFrame frame(clock_, ui_, tables_);
    ASSERT_TRUE(frame.open());
    EXPECT_TRUE(std::filesystem::exists(dir_ / store::kMainDataFile));
    for (const store::TableDef* def : frameTables_) {
        EXPECT_EQ(access_.users(*def), 1) << def->label;
    }
    EXPECT_EQ(access_.users(store::todoTable()), 0);
    EXPECT_TRUE(ui_.shown().empty());

    frame.close();
    for (const store::TableDef* def : frameTables_) {
        EXPECT_EQ(access_.users(*def), 0) << def->label;
        EXPECT_FALSE(access_.table(*def).isOpen()) << def->label;
    }
}

TEST_F(FrameOnStoreTest, ADataFileThatCannotBeReadEndsTheProgramBeforeTheFrameAppears) {
    {
        std::ofstream junk(dir_ / store::kMainDataFile, std::ios::binary);
        junk << "definitely not a data file" << std::string(4096, '\x01');
    }
    MainFrame frame(clock_, ui_, tables_);
    EXPECT_FALSE(frame.open());
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(ui_.haltMessage(), "Disk Error");
    for (const store::TableDef* def : frameTables_) {
        EXPECT_EQ(access_.users(*def), 0) << def->label;
    }
}

}  // namespace
}  // namespace agendix::shell
