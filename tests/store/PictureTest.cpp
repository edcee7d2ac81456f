#include <gtest/gtest.h>

#include <ctime>
#include <optional>

#include "store/Picture.h"

namespace agendix::store {
namespace {

const std::int32_t kOct31_1959 = makeDate(10, 31, 1959);
const std::int32_t kJan5_2026 = makeDate(1, 5, 2026);

PictureOptions inLocale(const char* locale, int centuryStart = 1946) {
    return PictureOptions{locale, centuryStart};
}

TEST(DatePicture, EveryPictureForATwoDigitAndAOneDigitDayAndMonth) {
    struct Case {
        const char* picture;
        const char* locale;
        const char* oct31_1959;
        const char* jan5_2026;
    };
    const Case cases[] = {
        {"d1", "", "10/31/59", "01/05/26"},
        {"d2", "", "10/31/1959", "01/05/2026"},
        {"d3", "", "OCT 31,1959", "JAN 5,2026"},
        {"d4", "", "October 31, 1959", "January 5, 2026"},
        {"d5", "", "31/10/59", "05/01/26"},
        {"d6", "", "31/10/1959", "05/01/2026"},
        {"d7", "", "31 OCT 59", "05 JAN 26"},
        {"d8", "", "31 OCT 1959", "05 JAN 2026"},
        {"d9", "", "59/10/31", "26/01/05"},
        {"d10", "", "1959/10/31", "2026/01/05"},
        {"d11", "", "591031", "260105"},
        {"d12", "", "19591031", "20260105"},
        {"d13", "", "10/59", "01/26"},
        {"d14", "", "10/1959", "01/2026"},
        {"d15", "", "59/10", "26/01"},
        {"d16", "", "1959/10", "2026/01"},
        {"n4b", "", "1959", "2026"},
        {"d17", "en_US", "10/31/59", "1/5/26"},
        {"d18", "en_US", "Saturday, October 31, 1959", "Monday, January 5, 2026"},
        {"d17", "de_DE", "31.10.59", "05.01.26"},
        {"d18", "de_DE", "Samstag, 31. Oktober 1959", "Montag, 5. Januar 2026"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + c.locale);
        const PictureOptions options = inLocale(c.locale);
        EXPECT_EQ(formatDate(c.picture, kOct31_1959, options), c.oct31_1959);
        EXPECT_EQ(formatDate(c.picture, kJan5_2026, options), c.jan5_2026);
        EXPECT_EQ(formatDate(c.picture, kNoDate, options), "");
    }
}

TEST(DatePicture, PictureSpellingsAreTheSamePicture) {
    for (const char* spelling : {"d6", "D6", "@d6", "@D6", "@d6b", "d6B", " d6 "}) {
        SCOPED_TRACE(spelling);
        EXPECT_TRUE(isDatePicture(spelling));
        EXPECT_EQ(formatDate(spelling, kOct31_1959), "31/10/1959");
        EXPECT_EQ(parseDate(spelling, "31/10/1959"), kOct31_1959);
    }
    // The two functions the frame has always used.
    EXPECT_EQ(formatDate("D3", kOct31_1959), "OCT 31,1959");
    EXPECT_EQ(formatTime("T3", makeTime(17, 30)), "5:30PM");
}

TEST(DatePicture, WhatIsNotADatePictureShowsAsD3AndReadsNothing) {
    for (const char* picture : {"", "d0", "d19", "d6x", "x6", "t3", "n5", "@", "d123"}) {
        SCOPED_TRACE(picture);
        EXPECT_FALSE(isDatePicture(picture));
        EXPECT_EQ(formatDate(picture, kOct31_1959), "OCT 31,1959");
        EXPECT_EQ(parseDate(picture, "OCT 31,1959"), std::nullopt);
    }
}

TEST(DatePicture, TheSetupChoicesShowWhatTheyPromise) {
    for (const auto& choice : kDateFormatChoices) {
        SCOPED_TRACE(std::string(choice.code));
        if (choice.code == "d17" || choice.code == "d18") {
            EXPECT_FALSE(formatDate(choice.code, kOct31_1959).empty());
        } else if (choice.code == "n4b") {
            EXPECT_EQ(formatDate(choice.code, kOct31_1959), "1959");
        } else {
            EXPECT_EQ(formatDate(choice.code, kOct31_1959), choice.shown);
        }
    }
}

TEST(DatePicture, EveryReadablePictureReadsBackWhatItShows) {
    struct Case {
        const char* picture;
        const char* locale;
        bool firstOfMonthOnly;
    };
    const Case cases[] = {
        {"d1", "", false},       {"d2", "", false},       {"d3", "", false},
        {"d4", "", false},       {"d5", "", false},       {"d6", "", false},
        {"d7", "", false},       {"d8", "", false},       {"d9", "", false},
        {"d10", "", false},      {"d11", "", false},      {"d12", "", false},
        {"d13", "", true},       {"d14", "", true},       {"d15", "", true},
        {"d16", "", true},       {"d17", "en_US", false}, {"d18", "en_US", false},
        {"d17", "de_DE", false}, {"d18", "de_DE", false}, {"d17", "en_GB", false},
        {"d18", "fr_FR", false}, {"d17", "ja_JP", false},
    };
    // Two-digit years read back within the window 1946-2045.
    const std::int32_t first = makeDate(1, 1, 1946);
    const std::int32_t last = makeDate(12, 31, 2045);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + c.locale);
        const PictureOptions options = inLocale(c.locale);
        int checked = 0;
        for (std::int32_t date = first; date <= last; ++date) {
            if (c.firstOfMonthOnly && dateDay(date) != 1) {
                continue;
            }
            const std::string text = formatDate(c.picture, date, options);
            ASSERT_EQ(parseDate(c.picture, text, options), date) << text;
            ++checked;
        }
        EXPECT_GT(checked, 0);
    }
    // Four-digit years read back far beyond the window.
    for (const char* picture : {"d2", "d3", "d4", "d6", "d8", "d10", "d12"}) {
        for (const std::int32_t date :
             {makeDate(1, 1, 1801), makeDate(2, 29, 2400), makeDate(12, 31, 9999)}) {
            EXPECT_EQ(parseDate(picture, formatDate(picture, date)), date) << picture;
        }
    }
}

TEST(DatePicture, ReadingAcceptsWhatPeopleType) {
    struct Case {
        const char* name;
        const char* picture;
        const char* text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"an imported day/month/year", "@d6", "31/10/1959", kOct31_1959},
        {"one-digit day and month", "d6", "5/1/2026", kJan5_2026},
        {"blanks around the text", "d6", "  31/10/1959 ", kOct31_1959},
        {"dashes or dots for slashes", "d2", "10-31-1959", kOct31_1959},
        {"dots", "d6", "31.10.1959", kOct31_1959},
        {"a two-digit year in a four-digit picture", "d2", "10/31/59", kOct31_1959},
        {"lower-case month abbreviation", "d3", "oct 31,1959", kOct31_1959},
        {"a written-out month in d3", "d3", "October 31,1959", kOct31_1959},
        {"a blank after the comma of d3", "d3", "OCT 31, 1959", kOct31_1959},
        {"an abbreviation in d4", "d4", "Oct 31, 1959", kOct31_1959},
        {"no blank after the comma of d4", "d4", "October 31,1959", kOct31_1959},
        {"several blanks in d8", "d8", "31  oct  1959", kOct31_1959},
        {"month and year give the first of the month", "d14", "10/1959", makeDate(10, 1, 1959)},
        {"leap day", "d6", "29/02/2000", makeDate(2, 29, 2000)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseDate(c.picture, c.text, inLocale("")), c.expected);
    }
}

TEST(DatePicture, ReadingRefusesWhatIsNoDate) {
    struct Case {
        const char* name;
        const char* picture;
        const char* text;
    };
    const Case cases[] = {
        {"empty", "d6", ""},
        {"letters", "d6", "abc"},
        {"31 February", "d6", "31/02/1959"},
        {"29 February of a common year", "d6", "29/02/1900"},
        {"month 13", "d2", "13/01/1959"},
        {"day 0", "d2", "10/00/1959"},
        {"text after the date", "d6", "31/10/1959x"},
        {"a five-digit year", "d6", "31/10/19591"},
        {"a three-digit year", "d6", "31/10/195"},
        {"a one-digit year", "d5", "31/10/9"},
        {"a three-digit day", "d6", "031/10/1959"},
        {"a missing separator", "d6", "3110/1959"},
        {"a packed picture with a short part", "d12", "1959131"},
        {"an unknown month", "d3", "OCX 31,1959"},
        {"before 1801", "d6", "31/12/1800"},
        {"the day order of another picture", "d6", "10/31/1959"},
        {"the year only names no day", "n4b", "1959"},
        {"a minus sign", "d6", "-1/10/1959"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseDate(c.picture, c.text, inLocale("")), std::nullopt);
    }
}

TEST(DatePicture, TwoDigitYearsFallInAHundredYearWindow) {
    struct Case {
        const char* name;
        int centuryStart;
        const char* text;
        int year;
    };
    const Case cases[] = {
        {"the window's first year", 1946, "01/01/46", 1946},
        {"the window's last year", 1946, "12/31/45", 2045},
        {"a window across 2000", 1990, "06/15/89", 2089},
        {"a window inside one century", 1900, "06/15/89", 1989},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto date = parseDate("d1", c.text, PictureOptions{"", c.centuryStart});
        ASSERT_TRUE(date.has_value());
        EXPECT_EQ(dateYear(*date), c.year);
    }
    // Without a window given, the window starts 80 years before this year: next year's dates and
    // those of 79 years ago both read back.
    for (const int yearsFromNow : {-79, 0, 19}) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        const std::int32_t date = makeDate(6, 15, local.tm_year + 1900 + yearsFromNow);
        EXPECT_EQ(parseDate("d1", formatDate("d1", date)), date) << yearsFromNow;
    }
}

TEST(DatePicture, TheDateFormatSettingPicksThePicture) {
    struct Case {
        const char* name;
        const char* setting;
        const char* expected;
    };
    const Case cases[] = {
        {"a Setup choice", "d4", "October 31, 1959"},
        {"upper case", "D6", "31/10/1959"},
        {"two digits", "d16", "1959/10"},
        {"blanks after the code, as stored", "d2    ", "10/31/1959"},
        {"Year Only", "n4b", "1959"},
        {"a number beyond 18 shows as d3", "d19", "OCT 31,1959"},
        {"no number shows as d3", "dx", "OCT 31,1959"},
        {"a blank setting shows as d3", "", "OCT 31,1959"},
        {"only characters 2-3 count", "x5", "31/10/59"},
        {"d0 shows as d3", "d0", "OCT 31,1959"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(formatDateBySetting(c.setting, kOct31_1959), c.expected);
    }
    EXPECT_EQ(formatDateBySetting("d4", kNoDate), "");
    EXPECT_EQ(formatDateBySetting("n4b", kNoDate), "");
}

TEST(TimePicture, HoursAndMinutes) {
    struct Case {
        const char* picture;
        const char* locale;
        std::int32_t time;
        const char* expected;
    };
    const Case cases[] = {
        {"t3", "", makeTime(0, 5), "12:05AM"},
        {"t3", "", makeTime(9, 0), "9:00AM"},
        {"t3", "", makeTime(12, 0), "12:00PM"},
        {"T3", "", makeTime(17, 30, 59, 99), "5:30PM"},
        {"t3", "", kLastHundredth, "11:59PM"},
        {"t3", "", makeTime(24, 10), "12:10AM"},  // past midnight: the next day's time
        {"t3", "", kNoTime, ""},
        {"t7", "de_DE", makeTime(17, 30), "17:30"},
        {"t7", "de_DE", makeTime(0, 5), "00:05"},
        {"@T7", "de_DE", makeTime(9, 0), "09:00"},
        {"x9", "", makeTime(17, 30), "5:30PM"},  // not a time picture: t3
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + std::to_string(c.time));
        EXPECT_EQ(formatTime(c.picture, c.time, inLocale(c.locale)), c.expected);
    }
}

TEST(TimePicture, ReadingTimes) {
    struct Case {
        const char* name;
        const char* picture;
        const char* text;
        std::optional<std::int32_t> expected;
    };
    const Case cases[] = {
        {"an imported time", "@t3", "10:30AM", makeTime(10, 30)},
        {"lower case with a blank", "t3", "10:30 pm", makeTime(22, 30)},
        {"midnight", "t3", "12:00AM", makeTime(0, 0)},
        {"noon", "t3", "12:00PM", makeTime(12, 0)},
        {"A and P alone", "t3", "5:30p", makeTime(17, 30)},
        {"a 24-hour time", "t3", "17:30", makeTime(17, 30)},
        {"blanks around", "t3", " 9:05AM ", makeTime(9, 5)},
        {"hour 13 with PM", "t3", "13:00PM", std::nullopt},
        {"hour 0 with AM", "t3", "0:30AM", std::nullopt},
        {"minute 60", "t3", "10:60AM", std::nullopt},
        {"a one-digit minute", "t3", "10:5AM", std::nullopt},
        {"hour 24", "t3", "24:00", std::nullopt},
        {"no minutes", "t3", "10", std::nullopt},
        {"something after", "t3", "10:30AMX", std::nullopt},
        {"empty", "t3", "", std::nullopt},
        {"a date picture reads no time", "d3", "10:30AM", std::nullopt},
        {"the locale's short time", "t7", "17:30", makeTime(17, 30)},
        {"not a time in the locale's format", "t7", "half past five", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parseTime(c.picture, c.text, inLocale("de_DE")), c.expected);
    }
}

TEST(TimePicture, EveryMinuteOfTheDayReadsBack) {
    for (const auto& [picture, locale] : {std::pair{"t3", ""}, std::pair{"t7", "en_US"},
                                          std::pair{"t7", "de_DE"}, std::pair{"t7", "ja_JP"}}) {
        SCOPED_TRACE(std::string(picture) + " " + locale);
        for (int minute = 0; minute < 24 * 60; ++minute) {
            const std::int32_t time = makeTime(minute / 60, minute % 60, 30);
            const std::string text = formatTime(picture, time, inLocale(locale));
            ASSERT_EQ(parseTime(picture, text, inLocale(locale)),
                      makeTime(minute / 60, minute % 60))
                << text;
        }
    }
}

}  // namespace
}  // namespace agendix::store
