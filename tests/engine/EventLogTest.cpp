#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include "engine/EventLog.h"
#include "platform/fake/FakeClock.h"
#include "store/StandardDate.h"
#include "support/TempDir.h"

namespace agendix::engine {
namespace {

using store::makeDate;
using store::makeTime;

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> linesOf(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    const std::string text = contents(path);
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width - text.size(), ' ');
}

class EventLogTest : public ::testing::Test {
  protected:
    EventLogTest() {
        settings_.logEvents = true;
        settings_.dateFormat = "d6";
    }

    testing::TempDir dir_;
    std::filesystem::path file_ = dir_ / EventLog::kFileName;
    store::SettingValues settings_;
    platform::FakeClock clock_{makeDate(10, 31, 1959), makeTime(17, 30)};
    EventLog log_{file_, settings_, clock_, store::PictureOptions{"de_DE"}};
};

TEST_F(EventLogTest, EachLineHasFourFixedColumnsAndEndsWithCrLf) {
    struct Case {
        const char* name;
        std::string data;
        std::string label;
        std::string dataColumn;
        std::string labelColumn;
    };
    const std::string thirtyOne = "Missed task skipped and more!!";  // 30
    const std::string umlauts = std::string(29, 'a') + "\xc3\xa4\xc3\xb6";
    const std::vector<Case> cases = {
        {"short texts are blank-padded", "notepad.exe", "Run Program", padded("notepad.exe", 50),
         padded("Run Program", 30)},
        {"blank data for the exit", "", "Exit Agendix", std::string(50, ' '),
         padded("Exit Agendix", 30)},
        {"a label of 31 characters is cut to 30", "x", thirtyOne + "X", padded("x", 50), thirtyOne},
        {"data of 60 characters is cut to 50", std::string(60, 'd'), "Script", std::string(50, 'd'),
         padded("Script", 30)},
        {"control characters become blanks, so no text starts a line of its own",
         "title\r\n01/01/2000Fake line\tx", "Message", padded("title  01/01/2000Fake line x", 50),
         padded("Message", 30)},
        {"the cut counts characters, not bytes", "d", umlauts, padded("d", 50),
         std::string(29, 'a') + "\xc3\xa4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(file_);
        EventLog log(file_, settings_, clock_, store::PictureOptions{"de_DE"});
        log.writeLog(c.data, c.label);
        EXPECT_EQ(contents(file_),
                  "31/10/1959" + padded("17:30", 10) + c.labelColumn + c.dataColumn + "\r\n");
    }
}

TEST_F(EventLogTest, TheDateColumnFollowsTheDateFormatAndNeverCutsTheYear) {
    struct Case {
        const char* name;
        const char* dateFormat;
        std::int32_t today;
        const char* column;
    };
    const Case cases[] = {
        {"a format of ten characters", "d6", makeDate(10, 31, 1959), "31/10/1959"},
        {"a shorter format is padded", "d1", makeDate(10, 31, 1959), "10/31/59  "},
        {"Year Only", "n4b", makeDate(10, 31, 1959), "1959      "},
        {"d3 with a one-digit day fits", "d3", makeDate(1, 5, 2026), "JAN 5,2026"},
        {"d3 with a two-digit day is too long: mm/dd/yyyy", "d3", makeDate(10, 31, 1959),
         "10/31/1959"},
        {"the long month name of d4: mm/dd/yyyy", "d4", makeDate(10, 31, 1959), "10/31/1959"},
        {"the locale's long format: mm/dd/yyyy", "d18", makeDate(10, 31, 1959), "10/31/1959"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings_.dateFormat = c.dateFormat;
        clock_.set(c.today, makeTime(9, 5));
        EXPECT_EQ(log_.line("data", "label").substr(0, 20),
                  std::string(c.column) + padded("09:05", 10));
    }
}

TEST_F(EventLogTest, NothingIsWrittenWhileLoggingIsOff) {
    settings_.logEvents = false;
    log_.writeLog("Agendix 98 1.0", "Started");
    EXPECT_FALSE(std::filesystem::exists(file_));

    settings_.logEvents = true;  // Setup turned it on: the next line is written
    log_.writeLog("", "Exit Agendix");
    EXPECT_EQ(linesOf(file_).size(), 1u);
}

TEST_F(EventLogTest, LinesAreAppendedAfterWhatIsThere) {
    std::ofstream(file_, std::ios::binary) << "an earlier run\r\n";
    for (int i = 1; i <= 102; ++i) {
        log_.writeLog("line " + std::to_string(i), "Script");
    }
    const std::vector<std::string> lines = linesOf(file_);
    ASSERT_EQ(lines.size(), 103u);
    EXPECT_EQ(lines[0], "an earlier run");
    for (int i = 1; i <= 102; ++i) {
        EXPECT_EQ(lines[static_cast<std::size_t>(i)].substr(50),
                  padded("line " + std::to_string(i), 50));
    }
}

TEST_F(EventLogTest, TheFileIsClosedAfterThe101stLineAndOpenedAgainByThe102nd) {
    for (int i = 1; i <= 100; ++i) {
        log_.writeLog(std::to_string(i), "Script");
    }
    // Moved away while open: the open file keeps taking lines until it is closed.
    const std::filesystem::path moved = dir_ / "moved.DAR";
    std::filesystem::rename(file_, moved);
    log_.writeLog("101", "Script");
    EXPECT_FALSE(std::filesystem::exists(file_));
    log_.writeLog("102", "Script");

    EXPECT_EQ(linesOf(moved).size(), 101u);
    const std::vector<std::string> reopened = linesOf(file_);
    ASSERT_EQ(reopened.size(), 1u);
    EXPECT_EQ(reopened[0].substr(50), padded("102", 50));
}

TEST_F(EventLogTest, ALineThatCannotBeWrittenIsLostAndTheProgramGoesOn) {
    const std::filesystem::path folder = dir_ / "logs";
    EventLog log(folder / EventLog::kFileName, settings_, clock_, store::PictureOptions{"de_DE"});
    log.writeLog("lost", "Started");  // the folder does not exist
    EXPECT_FALSE(std::filesystem::exists(folder));

    std::filesystem::create_directory(folder);
    log.writeLog("kept", "Script");
    const std::vector<std::string> lines = linesOf(folder / EventLog::kFileName);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(50), padded("kept", 50));
}

TEST_F(EventLogTest, LinesWrittenFromSeveralThreadsAtOnceStayWhole) {
    constexpr int kThreads = 4;
    constexpr int kLines = 300;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kLines; ++i) {
                log_.writeLog(std::to_string(t) + " " + std::to_string(i), "Message");
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    const std::vector<std::string> lines = linesOf(file_);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
    std::vector<int> next(kThreads, 0);
    for (const std::string& line : lines) {
        ASSERT_EQ(line.size(), 100u);
        ASSERT_EQ(line.substr(20, 30), padded("Message", 30));
        const int thread = std::stoi(line.substr(50));
        const int number = std::stoi(line.substr(52));
        EXPECT_EQ(number,
                  next[static_cast<std::size_t>(thread)]++);  // each thread's lines in its order
    }
}

}  // namespace
}  // namespace agendix::engine
