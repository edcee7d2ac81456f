#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QRect>
#include <QRegularExpression>
#include <QSignalSpy>
#include <fstream>
#include <set>

#include "platform/fake/ScriptedUserInterface.h"
#include "script/KeyCodesListing.h"
#include "script_ui/ViewScriptKeys.h"
#include "support/TempDir.h"

namespace agendix::script_ui {
namespace {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The list the build writes beside the agendix executable (build/src/shell), seen from this test
// program (build/tests).
fs::path builtKeyCodesFile() {
    return fs::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "src" / "shell" /
           script::kKeyCodesFileName;
}

std::set<std::string> listedNames(const QStringList& lines) {
    static const QRegularExpression entry(QStringLiteral("^([A-Z0-9]+) {2,}\\S"));
    std::set<std::string> names;
    for (const QString& line : lines) {
        const auto match = entry.match(line);
        if (match.hasMatch()) {
            names.insert(match.captured(1).toStdString());
        }
    }
    return names;
}

TEST(KeyCodesFile, IsTakenFromTheDataDirectoryFirstThenBesideTheProgram) {
    struct Case {
        const char* label;
        bool inData;
        bool besideProgram;
        bool programKnown;
        const char* expected;  // "data" or "program"
    };
    const std::vector<Case> cases = {
        {"in both", true, true, true, "data"},
        {"in the data directory", true, false, true, "data"},
        {"beside the program", false, true, true, "program"},
        {"in neither: the data directory's, reported missing", false, false, true, "data"},
        {"program directory unknown", false, false, false, "data"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        testing::TempDir data;
        testing::TempDir program;
        if (c.inData) {
            writeFile(data / "KEYCODES.TXT", "x\n");
        }
        if (c.besideProgram) {
            writeFile(program / "KEYCODES.TXT", "x\n");
        }
        const fs::path programDirectory = c.programKnown ? program.path() : fs::path();
        const fs::path expected =
            std::string(c.expected) == "data" ? data / "KEYCODES.TXT" : program / "KEYCODES.TXT";
        EXPECT_EQ(keyCodesFile(data.path(), programDirectory), expected);
    }
}

TEST(KeyCodesFile, IsBuiltFromTheKeyNameTable) {
    std::ifstream in(builtKeyCodesFile(), std::ios::binary);
    ASSERT_TRUE(in) << builtKeyCodesFile();
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(text, script::keyCodesListing());
}

class ViewScriptKeysTest : public ::testing::Test {
  protected:
    void waitForLoad(shell::TextViewer& viewer) {
        QSignalSpy finished(&viewer, &shell::TextViewer::loadFinished);
        ASSERT_TRUE(finished.wait(10000));
    }

    testing::TempDir data_;
    platform::ScriptedUserInterface ui_;
    store::IniFile positions_{data_ / "POSITION.INI"};
};

TEST_F(ViewScriptKeysTest, ShowsTheKeyListBesideTheProgramAndKeepsItsPlace) {
    writeFile(positions_.path(),
              "[ViewLog]\nMaximize=No\nXPosit=1\nYPosit=2\nWidth=300\nHeight=200\n"
              "[ViewScriptKeys]\nMaximize=No\nXPosit=40\nYPosit=50\nWidth=500\nHeight=300\n");
    const fs::path programDirectory = builtKeyCodesFile().parent_path();
    ViewScriptKeys keys(ui_, positions_, data_.path(), programDirectory);

    shell::TextViewer& viewer = keys.open();
    waitForLoad(viewer);
    EXPECT_EQ(viewer.windowTitle(), "List of Key Abbreviations");
    EXPECT_EQ(viewer.geometry(), QRect(40, 50, 500, 300));
    EXPECT_TRUE(ui_.shown().empty());
    const std::set<std::string> names = listedNames(viewer.lines());
    EXPECT_EQ(names.size(), 623u);
    EXPECT_EQ(names.count("CTRLALTDELETE"), 1u);

    // Opening it again brings the same window forward.
    EXPECT_EQ(&keys.open(), &viewer);

    viewer.setGeometry(60, 70, 520, 320);
    viewer.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(keys.window(), nullptr);
    EXPECT_EQ(positions_.read("ViewScriptKeys", "XPosit"), "60");
    EXPECT_EQ(positions_.read("ViewScriptKeys", "Width"), "520");
    EXPECT_EQ(positions_.read("ViewLog", "XPosit"), "1");
}

TEST_F(ViewScriptKeysTest, PrefersTheListInTheDataDirectory) {
    writeFile(data_ / "KEYCODES.TXT", "MYKEY     My own key\n");
    ViewScriptKeys keys(ui_, positions_, data_.path(), builtKeyCodesFile().parent_path());
    shell::TextViewer& viewer = keys.open();
    waitForLoad(viewer);
    EXPECT_EQ(viewer.lines(), QStringList{QStringLiteral("MYKEY     My own key")});
}

TEST_F(ViewScriptKeysTest, AMissingListIsReportedUnderItsDataDirectoryName) {
    testing::TempDir program;
    ViewScriptKeys keys(ui_, positions_, data_.path(), program.path());
    shell::TextViewer& viewer = keys.open();
    waitForLoad(viewer);
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].caption, "File Load Error");
    EXPECT_EQ(
        ui_.shown()[0].text.rfind((data_ / "KEYCODES.TXT").string() + " File Load Error.  ", 0),
        0u);
    EXPECT_TRUE(viewer.lines().empty());
}

}  // namespace
}  // namespace agendix::script_ui
