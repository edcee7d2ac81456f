#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "platform/fake/ScriptedUserInterface.h"
#include "shell/TextViewer.h"
#include "support/TempDir.h"

namespace agendix::shell {
namespace {

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

QStringList readAll(const std::filesystem::path& path, std::vector<int>* percents = nullptr) {
    TextFileReader reader(path);
    EXPECT_EQ(reader.open(), TextFileReader::Opened::Ok);
    while (!reader.step()) {
        if (percents != nullptr) {
            percents->push_back(reader.percent());
        }
    }
    return reader.lines();
}

class TextViewerTest : public ::testing::Test {
  protected:
    // Shows the viewer and waits until its load has ended.
    void showAndLoad(TextViewer& viewer) {
        QSignalSpy finished(&viewer, &TextViewer::loadFinished);
        viewer.show();
        ASSERT_TRUE(finished.wait(10000));
    }

    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : ui_.shown()) {
            texts.push_back(box.caption + ": " + box.text);
        }
        return texts;
    }

    testing::TempDir dir_;
    platform::ScriptedUserInterface ui_;
    store::IniFile positions_{dir_ / "POSITION.INI"};
    std::filesystem::path log_ = dir_ / "RO97Vovo.DAR";
};

TEST(TextFileReader, SplitsTheFileIntoLinesOfAtMost255Characters) {
    testing::TempDir dir;
    struct Case {
        const char* name;
        std::string text;
        QStringList lines;
    };
    const QString a255(255, QLatin1Char('a'));
    const std::vector<Case> cases = {
        {"LF and CR LF line ends", "one\r\ntwo\nthree", {"one", "two", "three"}},
        {"empty lines stay", "a\n\n\nb\n", {"a", "", "", "b"}},
        {"a longer line goes on in the next",
         std::string(600, 'x') + "\n",
         {QString(255, QLatin1Char('x')), QString(255, QLatin1Char('x')),
          QString(90, QLatin1Char('x'))}},
        {"a line of exactly 255 characters with CR LF is one line",
         std::string(255, 'a') + "\r\nb\r\n",
         {a255, "b"}},
        {"a carriage return inside a line stays", "a\rb\n", {"a\rb"}},
        {"UTF-8 text", "Grüße\n", {QString::fromUtf8("Grüße")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(dir / "f.txt", c.text);
        EXPECT_EQ(readAll(dir / "f.txt"), c.lines);
    }
}

TEST(TextFileReader, Reads20000BytesAStepAndCountsThePercentage) {
    testing::TempDir dir;
    // 50,000 bytes with a two-byte character across the first step's end.
    std::string text(19999, 'a');
    text += "\xc3\xa4";
    text += "\n";
    text += std::string(50000 - text.size() - 1, 'b') + "\n";
    ASSERT_EQ(text.size(), 50000u);
    writeFile(dir / "f.txt", text);

    std::vector<int> percents;
    const QStringList lines = readAll(dir / "f.txt", &percents);
    EXPECT_EQ(percents, (std::vector<int>{40, 80, 100}));
    ASSERT_EQ(lines.size(), 79 + 118);  // 19,999 a and ä in 255-character lines, then the b
    EXPECT_EQ(lines[78], QString(109, QLatin1Char('a')) + QString::fromUtf8("ä"));
}

TEST_F(TextViewerTest, ShowsTheFileInAProgressWindowAndThenInItsList) {
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        text += "line " + std::to_string(i) + std::string(40, '.') + "\r\n";
    }
    writeFile(log_, text);
    TextViewer viewer(logViewerSetup(log_), ui_, positions_);
    EXPECT_EQ(viewer.windowTitle(), "View Log");

    QSignalSpy finished(&viewer, &TextViewer::loadFinished);
    viewer.show();
    QTRY_VERIFY(viewer.progressWindow() != nullptr);
    EXPECT_EQ(viewer.progressWindow()->windowTitle(), "Progress...");
    EXPECT_TRUE(
        viewer.progressWindow()->findChild<QLabel*>("percent")->text().endsWith("% Completed"));
    ASSERT_TRUE(finished.wait(10000));

    EXPECT_EQ(viewer.progressWindow(), nullptr);
    EXPECT_EQ(viewer.lines().size(), 3000);
    EXPECT_EQ(viewer.lines()[2999], "line 2999" + QString(40, QLatin1Char('.')));
    EXPECT_EQ(viewer.listView()->model()->rowCount(), 3000);
    EXPECT_TRUE(viewer.listView()->isEnabled());
    EXPECT_TRUE(viewer.listView()->font().fixedPitch() ||
                QFontInfo(viewer.listView()->font()).fixedPitch());
    EXPECT_TRUE(ui_.shown().empty());

    // Focus and resizing do not load the same file again.
    viewer.resize(viewer.width() + 10, viewer.height());
    QApplication::processEvents();
    EXPECT_FALSE(viewer.isLoading());
}

TEST_F(TextViewerTest, AFileThatCannotBeOpenedIsReportedOnceAndLeavesTheListDisabled) {
    TextViewer viewer(logViewerSetup(log_), ui_, positions_);
    showAndLoad(viewer);
    const std::string name = log_.string();
    EXPECT_EQ(
        shownTexts(),
        (std::vector<std::string>{
            "View Log: Please note this errorcode:  2; No such file or directory",
            "File Load Error: " + name + " File Load Error.  Error: No such file or directory (2).",
        }));
    EXPECT_FALSE(viewer.listView()->isEnabled());
    EXPECT_FALSE(viewer.printButton()->isEnabled());

    viewer.resize(viewer.width() + 10, viewer.height());
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(ui_.shown().size(), 2u);
}

TEST_F(TextViewerTest, TheKeyListViewerShowsOnlyTheLoadWarning) {
    TextViewer viewer(keyListViewerSetup(dir_ / "KEYCODES.TXT"), ui_, positions_);
    EXPECT_EQ(viewer.windowTitle(), "List of Key Abbreviations");
    showAndLoad(viewer);
    ASSERT_EQ(ui_.shown().size(), 1u);
    EXPECT_EQ(ui_.shown()[0].caption, "File Load Error");
    EXPECT_FALSE(viewer.printButton()->isEnabled());
}

TEST_F(TextViewerTest, AnEmptyFileIsReported) {
    writeFile(log_, "");
    TextViewer viewer(logViewerSetup(log_), ui_, positions_);
    showAndLoad(viewer);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{
                                "File Load Error: " + log_.string() +
                                " File Load Error.  The file you've requested contains no text."}));
    EXPECT_FALSE(viewer.listView()->isEnabled());
}

TEST_F(TextViewerTest, CancelAsksAndStopsOnlyWhenConfirmed) {
    writeFile(log_, std::string(2000000, 'x'));  // 100 steps
    TextViewer viewer(logViewerSetup(log_), ui_, positions_);
    QSignalSpy finished(&viewer, &TextViewer::loadFinished);
    viewer.show();
    QTRY_VERIFY(viewer.progressWindow() != nullptr);
    auto* cancel = viewer.progressWindow()->findChild<QPushButton*>("cancel");

    ui_.answer(platform::Cancel);
    cancel->click();
    EXPECT_EQ(
        shownTexts(),
        (std::vector<std::string>{"Cancel Request: Are you certain you want to stop loading " +
                                  log_.string() + "?"}));
    EXPECT_TRUE(viewer.isLoading());
    EXPECT_EQ(finished.count(), 0);

    ui_.answer(platform::Ok);
    cancel->click();
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(viewer.isLoading());
    EXPECT_LT(viewer.lines().join("").size(), 2000000);  // what was read so far is shown
    EXPECT_EQ(viewer.progressWindow(), nullptr);
}

class TextViewerSearchTest : public TextViewerTest {
  protected:
    void SetUp() override {
        writeFile(log_,
                  "Started Agendix 98\n"            // 0
                  "running late, then run again\n"  // 1
                  "Run Program notepad.exe\n"       // 2
                  "Script Send Keystrokes\n"        // 3
                  "rerun\n");                       // 4
        showAndLoad(viewer_);
    }
    TextViewer viewer_{logViewerSetup(log_), ui_, positions_};
};

TEST_F(TextViewerSearchTest, FindsLinesAndAsksAtTheEnds) {
    struct Case {
        const char* name;
        int start;
        SearchRequest request;
        std::vector<platform::MessageButton> answers;
        bool found;
        int line;
        std::vector<std::string> captions;
    };
    const std::vector<Case> cases = {
        {"down, without regard to case", 0, {"RUN"}, {}, true, 1, {}},
        {"match case", 0, {"Run", false, true}, {}, true, 2, {}},
        {"up", 3, {"run", false, false, false}, {}, true, 2, {}},
        {"a whole word later in the line counts, even after the text inside a word",
         0,
         {"run", true},
         {},
         true,
         1,
         {}},
        {"whole word: the text inside a word is no match",
         2,
         {"run", true},
         {platform::Yes},
         true,
         1,
         {"End of File Error"}},
        {"punctuation ends a word", 0, {"notepad", true}, {}, true, 2, {}},
        {"No at the end stops the search",
         3,
         {"Agendix"},
         {platform::No},
         false,
         3,
         {"End of File Error"}},
        {"Yes goes on from the beginning",
         3,
         {"Agendix"},
         {platform::Yes},
         true,
         0,
         {"End of File Error"}},
        {"up past the first line asks about the beginning",
         0,
         {"Keystrokes", false, false, false},
         {platform::Yes},
         true,
         3,
         {"Beginning of File Error"}},
        {"the highlighted line is looked at last",
         2,
         {"Program"},
         {platform::Yes},
         true,
         2,
         {"End of File Error"}},
        {"a text found nowhere: one question, then the search ends",
         1,
         {"nothing"},
         {platform::Yes},
         false,
         1,
         {"End of File Error"}},
        {"no highlighted line: from the first line", -1, {"Started"}, {}, true, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        viewer_.setCurrentLine(c.start);
        for (const auto answer : c.answers) {
            ui_.answer(answer);
        }
        const std::size_t before = ui_.shown().size();
        EXPECT_EQ(viewer_.find(c.request), c.found);
        EXPECT_EQ(viewer_.currentLine(), c.line);
        std::vector<std::string> captions;
        for (std::size_t i = before; i < ui_.shown().size(); ++i) {
            captions.push_back(ui_.shown()[i].caption);
        }
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(ui_.unusedAnswers(), 0u);
    }
}

TEST_F(TextViewerSearchTest, FindNextRepeatsTheLastSearch) {
    EXPECT_FALSE(viewer_.findNextButton()->isEnabled());
    viewer_.setCurrentLine(0);
    EXPECT_TRUE(viewer_.find({"run"}));
    EXPECT_TRUE(viewer_.findNextButton()->isEnabled());
    EXPECT_EQ(viewer_.currentLine(), 1);
    viewer_.findNextButton()->click();
    EXPECT_EQ(viewer_.currentLine(), 2);
    viewer_.findNextButton()->click();
    EXPECT_EQ(viewer_.currentLine(), 4);
    ui_.answer(platform::Yes);
    viewer_.findNextButton()->click();
    EXPECT_EQ(viewer_.currentLine(), 1);
}

TEST_F(TextViewerSearchTest, TheFindWindowGivesTheSearch) {
    FindDialog dialog;
    auto* text = dialog.findChild<QLineEdit*>("findWhat");
    EXPECT_EQ(text->maxLength(), 20);
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("down")->isChecked());
    QTest::keyClicks(text, "notepad and more than twenty");
    dialog.findChild<QCheckBox*>("wholeWord")->setChecked(true);
    dialog.findChild<QRadioButton*>("up")->setChecked(true);
    const SearchRequest request = dialog.request();
    EXPECT_EQ(request.text, "notepad and more tha");
    EXPECT_TRUE(request.wholeWord);
    EXPECT_FALSE(request.matchCase);
    EXPECT_FALSE(request.down);
}

TEST_F(TextViewerSearchTest, PrintsEveryLineOnePrintedLineEach) {
    auto pages = [](const std::filesystem::path& pdf) {
        const std::string text = readFile(pdf);
        int count = 0;
        for (std::size_t at = text.find("/Type /Page"); at != std::string::npos;
             at = text.find("/Type /Page", at + 1)) {
            count += text.compare(at, 12, "/Type /Pages") == 0 ? 0 : 1;
        }
        return count;
    };
    {
        QPdfWriter pdf(QString::fromStdString((dir_ / "short.pdf").string()));
        viewer_.printTo(pdf);
    }
    EXPECT_EQ(pages(dir_ / "short.pdf"), 1);

    std::string many;
    for (int i = 0; i < 400; ++i) {
        many += "line " + std::to_string(i) + "\n";
    }
    writeFile(dir_ / "many.txt", many);
    TextViewer big(logViewerSetup(dir_ / "many.txt"), ui_, positions_);
    showAndLoad(big);
    const std::filesystem::path printed = dir_ / "printed.pdf";
    big.setPrinterSource([&] {
        auto printer = std::make_shared<QPrinter>();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(printed.string()));
        return printer;
    });
    big.printButton()->click();
    EXPECT_GT(pages(printed), 3);
}

TEST_F(TextViewerTest, TheViewerKeepsItsPlaceInItsSection) {
    writeFile(positions_.path(),
              "[ViewLog]\nMaximize=No\nXPosit=40\nYPosit=50\nWidth=500\nHeight=300\n");
    writeFile(log_, "a line\n");
    auto viewer = std::make_unique<TextViewer>(logViewerSetup(log_), ui_, positions_);
    showAndLoad(*viewer);
    EXPECT_EQ(viewer->geometry(), QRect(40, 50, 500, 300));

    viewer->setGeometry(60, 70, 520, 320);
    viewer->findChild<QPushButton*>("close")->click();
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(positions_.read("ViewLog", "XPosit"), "60");
    EXPECT_EQ(positions_.read("ViewLog", "Width"), "520");
}

}  // namespace
}  // namespace agendix::shell
