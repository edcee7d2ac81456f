#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "engine/ProgramLauncher.h"
#include "platform/fake/FakeClipboard.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeShell.h"
#include "shell/BrowseClipboard.h"
#include "shell/ClipboardSaver.h"
#include "shell/DataFileFixture.h"
#include "store/Settings.h"

namespace agendix::shell {
namespace {

class BrowseClipboardTest : public testing::DataFileFixture {
  protected:
    BrowseClipboardTest() {
        settings_.values().monitorClipboard = true;
        settings_.values().maxClipboardEntries = 0;
    }

    // Stores the texts through the saver, a minute apart, oldest first.
    void store(const std::vector<std::string>& texts) {
        ClipboardSaver saver(access_, clipboard_, clock_, settings_.values());
        for (const std::string& text : texts) {
            clipboard_.setText(text);
            clock_.advance(6000);
            saver.look();
        }
    }
    std::vector<std::string> stored() {
        std::vector<std::string> texts;
        for (const auto& entry : all<store::Clipboard>(store::clipboardTable(), "KeyClipDate")) {
            texts.push_back(entry.ClipContents + (entry.ClipKeep != 0 ? " [kept]" : ""));
        }
        return texts;
    }
    std::vector<QString> lines(BrowseClipboard& browser) {
        std::vector<QString> result;
        PagedRows& rows = browser.list()->rows();
        for (int row = 0; row < rows.rowCount(); ++row) {
            result.push_back(rows.data(row, 1, Qt::DisplayRole).toString());
        }
        return result;
    }
    void select(BrowseClipboard& browser, const QString& text) {
        PagedRows& rows = browser.list()->rows();
        for (int row = 0; row < rows.rowCount(); ++row) {
            if (rows.data(row, 1, Qt::DisplayRole).toString() == text) {
                rows.setCurrent(row);
                browser.list()->showPage();
                return;
            }
        }
        FAIL() << text.toStdString() << " not listed";
    }
    ClipboardBrowserPorts ports() { return {access_, settings_, clipboard_, ui_, launcher_}; }
    // A browser whose page holds every entry, whatever the size of its hidden list.
    std::unique_ptr<BrowseClipboard> open() {
        auto browser = std::make_unique<BrowseClipboard>(ports());
        browser->list()->setFixedPageSize(20);
        browser->list()->reload();
        return browser;
    }

    store::Settings settings_{access_, store::IniLocations(dir_.path() / "config", dir_.path()),
                              ui_, [] { return std::string("ann"); }};
    platform::FakeClipboard clipboard_;
    platform::FakeShell shell_;
    platform::FakeProcesses processes_;
    engine::ProgramLauncher launcher_{shell_, processes_, ui_,
                                      [](std::string_view, std::string_view) {},
                                      [](std::int32_t, std::uint32_t) {}};
};

TEST_F(BrowseClipboardTest, ByDateListsEntriesNotKeptFirstAndByContentByKey) {
    store({"zebra crossing", "apple pie", "mango"});
    auto window = open();
    BrowseClipboard& browser = *window;
    EXPECT_EQ(lines(browser), (std::vector<QString>{"zebra crossing", "apple pie", "mango"}));
    select(browser, "zebra crossing");
    browser.toggleSave();
    EXPECT_EQ(lines(browser), (std::vector<QString>{"apple pie", "mango", "zebra crossing"}));
    PagedRows& rows = browser.list()->rows();
    EXPECT_FALSE(rows.data(0, 0, Qt::DecorationRole).isValid());
    EXPECT_TRUE(rows.data(2, 0, Qt::DecorationRole).isValid()) << "the keep icon";

    browser.list()->rows().setOrder(1);
    EXPECT_EQ(rows.orderTab(0), "By Date");
    EXPECT_EQ(rows.orderTab(1), "By Content");
    EXPECT_EQ(lines(browser), (std::vector<QString>{"apple pie", "mango", "zebra crossing"}));
}

TEST_F(BrowseClipboardTest, TextsNamingAnAddressOrProgramAreColoured) {
    store({"see http://example.com", "plain words"});
    auto window = open();
    BrowseClipboard& browser = *window;
    PagedRows& rows = browser.list()->rows();
    EXPECT_TRUE(rows.data(0, 1, Qt::ForegroundRole).isValid());
    EXPECT_FALSE(rows.data(1, 1, Qt::ForegroundRole).isValid());
}

TEST_F(BrowseClipboardTest, ToggleSaveMarksAndUnmarksTheEntry) {
    store({"keep me"});
    auto window = open();
    BrowseClipboard& browser = *window;
    browser.button("&Toggle Save")->click();
    EXPECT_EQ(stored(), std::vector<std::string>{"keep me [kept]"});
    browser.button("&Toggle Save")->click();
    EXPECT_EQ(stored(), std::vector<std::string>{"keep me"});
}

TEST_F(BrowseClipboardTest, DeletingAKeptEntryAsksFirst) {
    store({"throw away", "precious"});
    auto window = open();
    BrowseClipboard& browser = *window;
    browser.button("&Delete")->click();
    EXPECT_TRUE(ui_.shown().empty()) << "an entry not kept goes without a question";
    EXPECT_EQ(stored(), std::vector<std::string>{"precious"});

    browser.toggleSave();
    ui_.answer(platform::No);
    browser.button("&Delete")->click();
    ASSERT_EQ(ui_.shown().size(), 1U);
    EXPECT_EQ(
        ui_.shown()[0].text,
        "This clipboard record has a \"Save\" indicator.  Are you sure you want to delete it?");
    EXPECT_EQ(ui_.shown()[0].caption, "Delete Record");
    EXPECT_EQ(ui_.shown()[0].buttons, platform::Yes | platform::No);
    EXPECT_EQ(ui_.shown()[0].defaultButton, platform::No);
    EXPECT_EQ(stored(), std::vector<std::string>{"precious [kept]"});

    ui_.answer(platform::Yes);
    browser.button("&Delete")->click();
    EXPECT_TRUE(stored().empty());
    EXPECT_FALSE(browser.button("&Delete")->isEnabled());
}

TEST_F(BrowseClipboardTest, CopyPutsTheTextBackWithoutTrailingBlanks) {
    store({"line one\n", "other"});
    auto window = open();
    BrowseClipboard& browser = *window;
    select(browser, "line one ");
    clipboard_.setText("something new");
    browser.button("&Copy to Clipboard")->click();
    EXPECT_EQ(clipboard_.contents, "line one");
}

TEST_F(BrowseClipboardTest, RunOpensEachAddressAndProgramNamed) {
    store({"mail mailto:bob@example.com or see http://example.com, then run tool.exe",
           "www.example.org"});
    auto window = open();
    BrowseClipboard& browser = *window;
    browser.button("&Run")->click();
    std::vector<std::string> opened;
    for (const auto& request : shell_.requests) {
        opened.push_back(request.verb + " " + request.file);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"open http://example.com,",
                                                "open mailto:bob@example.com", "open tool.exe"}));
    shell_.requests.clear();
    select(browser, "www.example.org");
    browser.button("&Run")->click();
    ASSERT_EQ(shell_.requests.size(), 1U);
    EXPECT_EQ(shell_.requests[0].file, "http://www.example.org");
}

TEST_F(BrowseClipboardTest, ViewShowsTheEntryReadOnly) {
    store({"the whole text"});
    auto window = open();
    BrowseClipboard& browser = *window;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* form = browser.findChild<UpdateClipboard*>();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->windowTitle(), "Clipboard Record");
        auto* contents = form->findChild<QPlainTextEdit*>(QStringLiteral("contents"));
        ASSERT_NE(contents, nullptr);
        EXPECT_EQ(contents->toPlainText(), "the whole text");
        EXPECT_TRUE(contents->isReadOnly());
        seen = true;
        form->reject();
    });
    browser.button("&View")->click();
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace agendix::shell
