#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMdiArea>
#include <QTest>
#include <cstdlib>
#include <fstream>

#include "shell/Program.h"
#include "store/Table.h"
#include "support/TempDir.h"

namespace agendix::shell {
namespace {

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The whole program on a fresh data directory, as a first start would find it.
TEST(ProgramTest, AFirstStartWritesItsVersionLogsAndClosesInOrder) {
    testing::TempDir data;
    testing::TempDir config;
    std::filesystem::create_directories(config / "agendix");
    std::ofstream(config / "agendix" / "ra98.INI") << "[Settings]\r\nLogEvents=1\r\n";
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    {
        Program program(data.path());
        ASSERT_TRUE(program.open());
        QTRY_VERIFY_WITH_TIMEOUT(program.frame().started(), 5000);
        EXPECT_EQ(program.frame().windowTitle(), "Agendix 98 1.0");

        QAction* viewLog = program.frame().action(Command::ViewLog);
        ASSERT_TRUE(viewLog->isEnabled());
        viewLog->trigger();
        EXPECT_EQ(program.frame().mdiArea()->subWindowList().size(), 1);

        program.frame().close();
    }
    unsetenv("XDG_CONFIG_HOME");

    const std::string log = readFile(data / "RO97Vovo.DAR");
    EXPECT_NE(log.find("Started                       Agendix 98 1.0"), std::string::npos) << log;
    EXPECT_NE(log.find("Exit Agendix"), std::string::npos) << log;
    EXPECT_LT(log.find("Started"), log.find("Exit Agendix"));
    EXPECT_TRUE(std::filesystem::exists(data / "POSITION.INI"));

    // The version row and the row made from the INI fallback are in the table now.
    store::Database database(data.path());
    store::StoredTable& stored = database.table(store::configurationTable());
    ASSERT_TRUE(stored.open().ok());
    store::Table<store::Configuration> configuration(stored);
    store::Configuration version{"Version"};
    ASSERT_TRUE(configuration.get("KeyDataType", version).ok());
    EXPECT_EQ(version.DataValue, "1.0");
    store::Configuration logEvents{"LogEvents"};
    ASSERT_TRUE(configuration.get("KeyDataType", logEvents).ok());
    EXPECT_EQ(logEvents.DataValue, "1");
}

}  // namespace
}  // namespace agendix::shell
