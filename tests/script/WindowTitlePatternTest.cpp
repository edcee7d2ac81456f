#include <gtest/gtest.h>

#include "platform/fake/FakeDesktopWindows.h"
#include "script/WindowList.h"
#include "script/WindowTitlePattern.h"

namespace agendix::script {
namespace {

struct TitleCase {
    const char* name;
    std::string pattern;
    std::string title;
    bool matches;
};

void PrintTo(const TitleCase& c, std::ostream* out) {
    *out << c.name;
}

class TitlePattern : public ::testing::TestWithParam<TitleCase> {};

TEST_P(TitlePattern, NamesTheTitle) {
    const TitleCase& c = GetParam();
    EXPECT_EQ(WindowTitlePattern(c.pattern).matches(c.title), c.matches)
        << '"' << c.pattern << "\" against \"" << c.title << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Script, TitlePattern,
    ::testing::Values(
        TitleCase{"ExactIgnoresCase", "connect to", "Connect To", true},
        TitleCase{"ExactIgnoresTrailingBlanksOnBothSides", "Connect To   ", "Connect To  ", true},
        TitleCase{"ExactNeedsTheWholeTitle", "Connect", "Connect To", false},
        TitleCase{"ExactKeepsLeadingBlanks", " Connect To", "Connect To", false},
        TitleCase{"PrefixIgnoresCase", "untitled - *", "UNTITLED - NOTES", true},
        TitleCase{"PrefixKeepsItsBlanks", "Untitled - *", "Untitled -Notes", false},
        TitleCase{"PrefixIgnoresWhatFollowsTheStar", "Untitled*Sketch", "Untitled - Notes", true},
        TitleCase{"PrefixLongerThanTheTitle", "Untitled - Notes, page 2*", "Untitled - Notes",
                  false},
        TitleCase{"PrefixIsTheTitlesStart", "Notes*", "Untitled - Notes", false},
        TitleCase{"AnywhereIgnoresCase", "*notes", "Untitled - NOTES (2)", true},
        TitleCase{"AnywhereDropsTrailingBlanks", "*Notes   ", "Notes", true},
        TitleCase{"AnywhereNeedsTheText", "*Sketch", "Untitled - Notes", false},
        TitleCase{"AnywhereKeepsALaterStar", "*a*b", "xa*bx", true},
        TitleCase{"AnywhereLaterStarIsText", "*a*b", "xabx", false},
        TitleCase{"AStarAloneNamesEveryWindow", "*", "Anything", true},
        TitleCase{"ATildeIsNotPartOfThePattern", "~Untitled - *", "Untitled - Notes", true},
        TitleCase{"OnlyALeadingTildeIsDropped", "~~Notes", "~Notes", true},
        TitleCase{"ABlankPatternNamesNothing", "   ", "   x", false},
        TitleCase{"AnEmptyPatternNamesNothing", "", "", false},
        TitleCase{"LettersBeyondAsciiIgnoreCase", "ÜBERSICHT - *", "übersicht - Notizen", true},
        TitleCase{"AnywhereBeyondAscii", "*ÉTÉ", "Photos de l'été", true}),
    [](const ::testing::TestParamInfo<TitleCase>& param) { return std::string(param.param.name); });

TEST(WindowList, TheFirstMatchingWindowInTheDesktopsOrderWins) {
    platform::FakeDesktopWindows desktop;
    desktop.windows = {{3, ""}, {4, "Inbox - Mail"}, {5, "Untitled - Notes"}, {6, "untitled - x"}};
    WindowList list;
    list.refresh(desktop);
    EXPECT_EQ(list.find("Untitled - *"), 5u);
    EXPECT_EQ(list.find("*- X"), 6u);
    EXPECT_EQ(list.find("Nowhere"), 0u);
}

TEST(WindowList, HoldsTheTitledWindowsWithTitlesCutToTheirWidth) {
    platform::FakeDesktopWindows desktop;
    std::string longTitle;
    for (int i = 0; i < 300; ++i) {
        longTitle += "é";
    }
    desktop.windows = {{3, ""}, {4, "Inbox - Mail"}, {5, longTitle}};
    WindowList list;
    list.refresh(desktop);
    ASSERT_EQ(list.entries().size(), 2u);
    EXPECT_EQ(list.entries()[0].title, "Inbox - Mail");
    EXPECT_EQ(list.entries()[1].title, longTitle.substr(0, 2 * WindowList::kTitleWidth));

    desktop.windows = {{8, "Untitled - Notes"}};
    list.refresh(desktop);
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0].handle, 8u);
}

}  // namespace
}  // namespace agendix::script
