#pragma once

// Date and time pictures: standard dates and times as text and back.
//
// A picture is a letter and a number, optionally after "@" and before a "b" (blank when zero,
// which every picture is anyway); letters may be upper or lower case: "d6", "@D6", "@d6b".
//
//   d1  10/31/59           d7  31 OCT 59          d13 10/59
//   d2  10/31/1959         d8  31 OCT 1959        d14 10/1959
//   d3  OCT 31,1959        d9  59/10/31           d15 59/10
//   d4  October 31, 1959   d10 1959/10/31         d16 1959/10
//   d5  31/10/59           d11 591031             d17 the locale's short date format
//   d6  31/10/1959         d12 19591031           d18 the locale's long date format
//   n4b 1959 (the year alone, "Year Only")
//   t3  5:30PM             t7  the locale's short time format
//
// Days and months are two digits, except the day of d3 and d4 ("JAN 5,2026"). Month names are
// English. A date of 0 or a time of 0 shows as an empty text; so does a date outside the years
// 1 to 9999. A picture that is not a date picture formats dates as d3; one that is not a time
// picture formats times as t3.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/StandardDate.h"

namespace agendix::store {

struct PictureOptions {
    // The locale of d17, d18 and t7, such as "en_US" or "de_DE"; empty: the user's locale.
    std::string locale;
    // A two-digit year is read as the year with those last two digits in the 100 years from this
    // one; 0: from the year 80 years before the current year.
    int centuryStart = 0;
};

std::string formatDate(std::string_view picture, std::int32_t date, const PictureOptions& options);
std::string formatTime(std::string_view picture, std::int32_t time, const PictureOptions& options);

// Reading a text back by its picture; nothing when the text is not a valid date or time in that
// picture. Blanks around the text are ignored, month names may have any letter case and be
// abbreviated or written out, "/" may also be "-" or ".", one-digit days and months are accepted
// where the picture has separators, and a four-digit year may be given with two digits. Dates
// before 1801 are not read. The month-and-year pictures d13-d16 give the first of the month;
// "n4b" names no day and reads nothing. Times are read to the minute: t3 takes "10:30AM",
// "10:30 pm" or a 24-hour "17:30".
std::optional<std::int32_t> parseDate(std::string_view picture, std::string_view text,
                                      const PictureOptions& options = {});
std::optional<std::int32_t> parseTime(std::string_view picture, std::string_view text,
                                      const PictureOptions& options = {});

bool isDatePicture(std::string_view picture);
bool isTimePicture(std::string_view picture);

// The date as the "DateFormat" setting wants it: characters 2-3 of the stored code give the
// number n of the picture "d" n when it is 1 to 18, any other code shows as "d3"; the code "n4b"
// ("Year Only") shows the year.
std::string formatDateBySetting(std::string_view dateFormat, std::int32_t date,
                                const PictureOptions& options = {});

// The date formats offered for the "DateFormat" setting, in the order they are offered.
struct DateFormatChoice {
    std::string_view shown;
    std::string_view code;
};
inline constexpr DateFormatChoice kDateFormatChoices[] = {
    {"October 31, 1959", "d4"}, {"OCT 31,1959", "d3"},
    {"10/31/59", "d1"},         {"10/31/1959", "d2"},
    {"31 OCT 59", "d7"},        {"31 OCT 1959", "d8"},
    {"31/10/59", "d5"},         {"31/10/1959", "d6"},
    {"59/10", "d15"},           {"1959/10", "d16"},
    {"10/59", "d13"},           {"10/1959", "d14"},
    {"Windows Default", "d17"}, {"Windows Default 2", "d18"},
    {"Year Only", "n4b"},
};

}  // namespace agendix::store
