#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/ClipboardRules.h"

namespace agendix::shell {
namespace {

struct KeyCase {
    const char* name;
    std::string text;
    std::string key;
};

TEST(ClipboardRulesTest, DuplicateKeyKeepsLettersOnly) {
    const std::vector<KeyCase> cases = {
        {"letters in upper case", "Hello, World!", "HELLOWORLD"},
        {"punctuation passed over", "hello world", "HELLOWORLD"},
        {"digits passed over", "Room 101 at 9:30", "ROOMAT"},
        {"case does not matter", "rOoM aT", "ROOMAT"},
        {"trailing blanks do not matter", "Room at   ", "ROOMAT"},
        {"letters beyond A to Z passed over", "Caf\xC3\xA9 cr\xC3\xA8me", "CAFCRME"},
        {"forty letters at most", std::string(30, 'a') + " 123 " + std::string(30, 'b'),
         std::string(30, 'A') + std::string(10, 'B')},
        {"exactly forty letters", std::string(40, 'z'), std::string(40, 'Z')},
        // Without letters the key is the text without blanks, so two numbers are two texts.
        {"a number", "555-1234", "555-1234"},
        {"another number", "555 9876", "5559876"},
        {"a long number cut to forty", std::string(50, '7'), std::string(40, '7')},
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(clipboardKey(c.text), c.key) << c.name;
    }
}

TEST(ClipboardRulesTest, BlankTextsAreThoseWithNothingButWhiteSpace) {
    EXPECT_TRUE(clipboardTextIsBlank(""));
    EXPECT_TRUE(clipboardTextIsBlank("    "));
    EXPECT_TRUE(clipboardTextIsBlank(" \t\r\n "));
    // A text starting with a tab or line end still counts: it is not below a blank by its content.
    EXPECT_FALSE(clipboardTextIsBlank("\tindented"));
    EXPECT_FALSE(clipboardTextIsBlank("\n1"));
}

TEST(ClipboardRulesTest, LongTextsAreCutWithoutSplittingCharacters) {
    EXPECT_EQ(cutClipboardText(std::string(5000, 'x')).size(), kClipboardTextLimit);
    std::string wide;
    for (int i = 0; i < 5000; ++i) {
        wide += "\xC3\xA9";
    }
    EXPECT_EQ(cutClipboardText(wide).size(), kClipboardTextLimit * 2);
}

struct PruneCase {
    const char* name;
    std::vector<PruneCandidate> entries;  // not kept first, oldest first
    int limit;
    std::string current;
    std::vector<std::size_t> deleted;
};

std::vector<PruneCandidate> entries(int notKept, int kept) {
    std::vector<PruneCandidate> result;
    for (int i = 0; i < notKept; ++i) {
        result.push_back({false, "text " + std::to_string(i)});
    }
    for (int i = 0; i < kept; ++i) {
        result.push_back({true, "kept " + std::to_string(i)});
    }
    return result;
}

TEST(ClipboardRulesTest, PruningDeletesTheOldestEntriesNotKept) {
    const std::vector<PruneCase> cases = {
        {"within the limit", entries(50, 10), 50, "text 49", {}},
        {"one over: the oldest goes", entries(51, 10), 50, "text 50", {0}},
        {"three over", entries(53, 0), 50, "text 52", {0, 1, 2}},
        {"the current text is spared", entries(51, 0), 50, "text 0", {1}},
        {"trailing blanks do not make it another text", entries(51, 0), 50, "text 0   ", {1}},
        {"only kept entries besides the new one", entries(1, 60), 50, "text 0", {}},
        {"the only entry over the limit is the current one", entries(2, 0), 1, "text 0", {1}},
        {"no limit", entries(500, 3), 0, "text 499", {}},
        {"a negative limit is no limit", entries(5, 0), -1, "text 4", {}},
    };
    for (const PruneCase& c : cases) {
        EXPECT_EQ(entriesToPrune(c.entries, c.limit, c.current), c.deleted) << c.name;
    }
}

struct RunCase {
    const char* name;
    std::string text;
    std::vector<std::string> targets;
};

TEST(ClipboardRulesTest, RunFindsAddressesAndProgramsNamedInTheText) {
    const std::vector<RunCase> cases = {
        {"an address up to a blank",
         "see http://example.com/a?b=1 today",
         {"http://example.com/a?b=1"}},
        {"an address up to a quote", "<a href=\"http://example.com/x\">", {"http://example.com/x"}},
        {"an address up to a line end", "http://example.com/x\nnext", {"http://example.com/x"}},
        {"an address in capitals keeps its letters", "HTTP://Example.COM", {"HTTP://Example.COM"}},
        {"a secure address", "go to https://example.org/p now", {"https://example.org/p"}},
        {"only the first address", "http://a.example http://b.example", {"http://a.example"}},
        {"an address cut to 255 characters",
         "http://" + std::string(300, 'x'),
         {"http://" + std::string(248, 'x')}},
        {"a mail address", "write to mailto:ann@example.com\"", {"mailto:ann@example.com"}},
        {"a program after a blank", "run notepad.exe now", {"notepad.exe"}},
        {"a program at the start", "C:\\Tools\\calc.EXE -x", {"C:\\Tools\\calc.EXE"}},
        {"a quoted program with blanks",
         "start \"C:\\Program Files\\App\\app.exe\" -q",
         {"C:\\Program Files\\App\\app.exe"}},
        {"a quoted program with its arguments inside",
         "\"C:\\My Apps\\tool.exe -v\"",
         {"C:\\My Apps\\tool.exe"}},
        {"a quote closed before an unquoted program", "\"a b\" x.exe", {"x.exe"}},
        {"a shortcut", "open Desktop\\Mail.lnk please", {"Desktop\\Mail.lnk"}},
        {"an Internet shortcut quoted", "\"Favorites\\My Bank.url\"", {"Favorites\\My Bank.url"}},
        {"several in one text",
         "mailto:bob@example.com; http://example.com x.exe y.lnk z.url",
         {"http://example.com", "mailto:bob@example.com;", "x.exe", "y.lnk", "z.url"}},
        {"a text starting with www", "www.example.com/page  ", {"http://www.example.com/page"}},
        {"www in capitals", "WWW.EXAMPLE.COM", {"http://WWW.EXAMPLE.COM"}},
        {"www not at the start opens nothing", "see www.example.com", {}},
        {"www with an address opens the address only",
         "www.a.example http://b.example",
         {"http://b.example"}},
        {"nothing named", "just some text", {}},
    };
    for (const RunCase& c : cases) {
        EXPECT_EQ(runTargets(c.text), c.targets) << c.name;
    }
}

TEST(ClipboardRulesTest, LinesNamingAnAddressOrProgramStandOut) {
    for (const char* text : {"HTTP://x", "https://x", "MailTo:x", "a.EXE", "b.lnk"}) {
        EXPECT_TRUE(clipboardTextNamesTarget(text)) << text;
    }
    for (const char* text : {"www.example.com", "notes.txt", "exe lnk http"}) {
        EXPECT_FALSE(clipboardTextNamesTarget(text)) << text;
    }
}

}  // namespace
}  // namespace agendix::shell
