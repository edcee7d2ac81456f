#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/fake/FakeClipboard.h"
#include "platform/qt/QtClipboard.h"
#include "shell/ClipboardSaver.h"
#include "shell/DataFileFixture.h"

namespace agendix::shell {
namespace {

// A text whose duplicate-detection key differs for every number.
std::string distinctText(int number) {
    std::string letters;
    for (int n = number + 1; n > 0; n /= 26) {
        letters += static_cast<char>('a' + n % 26);
    }
    return "entry " + letters;
}

class ClipboardSaverTest : public testing::DataFileFixture {
  protected:
    ClipboardSaverTest() { settings_.monitorClipboard = true; }

    std::vector<store::Clipboard> entries() {
        return all<store::Clipboard>(store::clipboardTable(), "KeyClipDate");
    }
    std::vector<std::string> texts() {
        std::vector<std::string> result;
        for (const auto& entry : entries()) {
            result.push_back(entry.ClipContents);
        }
        return result;
    }
    // Puts the text on the clipboard and lets the saver look, a minute after the last text.
    void copy(const std::string& text) {
        clipboard_.setText(text);
        clock_.advance(6000);
        saver_.look();
    }
    void keep(const std::string& text) {
        auto use = access_.use(store::clipboardTable());
        store::Table<store::Clipboard> table(use.table());
        for (store::Clipboard entry : entries()) {
            if (entry.ClipContents == text) {
                entry.ClipKeep = 1;
                ASSERT_TRUE(table.put(entry).ok());
            }
        }
    }

    store::SettingValues settings_;
    platform::FakeClipboard clipboard_;
    ClipboardSaver saver_{access_, clipboard_, clock_, settings_};
};

TEST_F(ClipboardSaverTest, ANewTextIsStoredWithItsDateTimeKeyAndOwner) {
    settings_.ownerName = "ann";
    clipboard_.setText("Call the dentist at 4");
    saver_.look();
    const auto stored = entries();
    ASSERT_EQ(stored.size(), 1U);
    EXPECT_EQ(stored[0].ClipContents, "Call the dentist at 4");
    EXPECT_EQ(stored[0].ClipHashKey, "CALLTHEDENTISTAT");
    EXPECT_EQ(stored[0].User, "ann");
    EXPECT_EQ(stored[0].ClipDate, clock_.today());
    EXPECT_EQ(stored[0].ClipTime, clock_.now());
    EXPECT_EQ(stored[0].ClipKeep, 0);
}

TEST_F(ClipboardSaverTest, TheClipboardIsReadEveryThirdTick) {
    clipboard_.setText("first");
    for (int tick = 1; tick <= 3; ++tick) {
        saver_.check();
    }
    EXPECT_TRUE(entries().empty()) << "three ticks after the start";
    saver_.check();
    EXPECT_EQ(texts(), std::vector<std::string>{"first"});
    clipboard_.setText("second");
    saver_.check();
    saver_.check();
    EXPECT_EQ(entries().size(), 1U) << "two ticks after a check";
    saver_.check();
    EXPECT_EQ(entries().size(), 2U) << "the third tick after a check";

    settings_.monitorClipboard = false;
    clipboard_.setText("third");
    for (int tick = 1; tick <= 10; ++tick) {
        saver_.check();
    }
    EXPECT_EQ(entries().size(), 2U) << "while monitoring is off";
}

TEST_F(ClipboardSaverTest, ATextThatRepeatsAStoredOneIsNotStoredAgain) {
    copy("Meeting on Monday");
    copy("something else");
    for (const char* repeat : {"Meeting on Monday", "meeting ON monday!",
                               "Meeting, on Monday 10:00", "MEETING-ON-MONDAY"}) {
        copy(repeat);
    }
    EXPECT_EQ(texts(), (std::vector<std::string>{"Meeting on Monday", "something else"}));
    // Two different numbers are two texts; the same number twice is one.
    copy("555-1234");
    copy("555-9876");
    copy("555-1234");
    EXPECT_EQ(entries().size(), 4U);
}

TEST_F(ClipboardSaverTest, BlanksAreNotStoredAndTheNextTextIsComparedWithTheLastStored) {
    copy("Buy milk");
    // The stored entry goes (say, deleted in the list) while the text is still on the clipboard.
    auto stored = entries();
    ASSERT_EQ(stored.size(), 1U);
    {
        auto use = access_.use(store::clipboardTable());
        ASSERT_EQ(access_.deleteRecord(store::clipboardTable(), stored[0]), 0);
    }
    copy("   ");
    copy("");
    copy(" \r\n");
    EXPECT_TRUE(entries().empty());
    EXPECT_EQ(saver_.lastText(), "Buy milk");
    // Blanks did not count as a text: the same text again is no new text.
    copy("Buy milk");
    EXPECT_TRUE(entries().empty());
    copy("Buy bread");
    EXPECT_EQ(texts(), std::vector<std::string>{"Buy bread"});
}

TEST_F(ClipboardSaverTest, LongTextsAreCutToTheMemoWidth) {
    copy(std::string(5000, 'q'));
    ASSERT_EQ(entries().size(), 1U);
    EXPECT_EQ(entries()[0].ClipContents, std::string(4096, 'q'));
}

TEST_F(ClipboardSaverTest, WithFiftyAllowedAndTenKeptThe61stTextDeletesTheOldestNotKept) {
    settings_.maxClipboardEntries = 50;
    for (int i = 0; i < 60; ++i) {
        copy(distinctText(i));
        if (i % 6 == 0 && i < 60) {
            keep(distinctText(i));  // ten kept, the oldest among them
        }
    }
    ASSERT_EQ(entries().size(), 60U) << "ten kept and fifty not kept fit";
    copy(distinctText(60));
    const auto stored = texts();
    EXPECT_EQ(stored.size(), 60U);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), distinctText(1)), 0)
        << "the oldest not kept";
    EXPECT_EQ(std::count(stored.begin(), stored.end(), distinctText(0)), 1) << "older, but kept";
    EXPECT_EQ(std::count(stored.begin(), stored.end(), distinctText(2)), 1);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), distinctText(60)), 1);
}

TEST_F(ClipboardSaverTest, WhenOnlyKeptEntriesAreOlderNothingIsDeleted) {
    settings_.maxClipboardEntries = 2;
    for (int i = 0; i < 5; ++i) {
        copy(distinctText(i));
        keep(distinctText(i));
    }
    copy(distinctText(10));
    copy(distinctText(11));
    EXPECT_EQ(entries().size(), 7U);
    copy(distinctText(12));
    const auto stored = texts();
    EXPECT_EQ(stored.size(), 7U);
    EXPECT_EQ(std::count(stored.begin(), stored.end(), distinctText(10)), 0);
}

TEST_F(ClipboardSaverTest, PruningLeavesOtherOwnersEntriesAlone) {
    settings_.maxClipboardEntries = 1;
    settings_.ownerName = "bob";
    copy(distinctText(0));
    copy(distinctText(1));
    settings_.ownerName = "ann";
    copy(distinctText(2));
    copy(distinctText(3));
    std::vector<std::string> owners;
    for (const auto& entry : entries()) {
        owners.push_back(entry.User + " " + entry.ClipContents);
    }
    std::sort(owners.begin(), owners.end());
    EXPECT_EQ(owners,
              (std::vector<std::string>{"ann " + distinctText(3), "bob " + distinctText(1)}));
}

TEST_F(ClipboardSaverTest, ATextMarkedSecretIsNeverStored) {
    clipboard_.contents = "hunter2-correct-horse";
    clipboard_.secret = true;
    clock_.advance(100);
    saver_.look();
    EXPECT_TRUE(entries().empty());
    EXPECT_TRUE(saver_.lastText().empty());

    // The desktop's clipboard with the password manager's hint, through Qt.
    platform::QtClipboard desktop;
    ClipboardSaver saver(access_, desktop, clock_, settings_);
    auto* data = new QMimeData;
    data->setText(QStringLiteral("s3cret password"));
    data->setData(QString::fromLatin1(platform::QtClipboard::kSecretHintType), "secret");
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
    ASSERT_EQ(desktop.text(), "s3cret password");
    EXPECT_TRUE(desktop.textIsSecret());
    saver.look();
    EXPECT_TRUE(entries().empty());

    desktop.setText("an ordinary note");
    EXPECT_FALSE(desktop.textIsSecret());
    saver.look();
    EXPECT_EQ(texts(), std::vector<std::string>{"an ordinary note"});
}

}  // namespace
}  // namespace agendix::shell
