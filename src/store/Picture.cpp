#include "store/Picture.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>
#include <chrono>
#include <cstdio>

namespace agendix::store {
namespace {

constexpr std::int32_t kDayLength = 8640000;  // hundredths of a second
constexpr int kFirstReadableYear = 1801;
constexpr int kLastYear = 9999;

constexpr const char* kMonthAbbreviations[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr const char* kMonthNames[] = {"January",   "February", "March",    "April",
                                       "May",       "June",     "July",     "August",
                                       "September", "October",  "November", "December"};

// How each dN picture lays its date out: M month, D day (two digits each), d day without a
// leading zero, y two-digit year, Y four-digit year, A month abbreviation, N month name; any other
// character stands for itself. d17 and d18 come from the locale.
constexpr const char* kDateLayouts[] = {
    nullptr, "M/D/y", "M/D/Y", "A d,Y", "N d, Y", "D/M/y", "D/M/Y", "D A y", "D A Y",
    "y/M/D", "Y/M/D", "yMD",   "YMD",   "M/y",    "M/Y",   "y/M",   "Y/M",
};

struct PictureCode {
    char kind = 0;  // 'd', 't' or 'n'
    int number = 0;
};

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::optional<PictureCode> readPicture(std::string_view picture) {
    picture = trimBlanks(picture);
    if (!picture.empty() && picture.front() == '@') {
        picture.remove_prefix(1);
    }
    if (picture.empty()) {
        return std::nullopt;
    }
    PictureCode code{lowerAscii(picture.front()), 0};
    std::size_t i = 1;
    for (; i < picture.size() && i < 3 && isDigit(picture[i]); ++i) {
        code.number = code.number * 10 + (picture[i] - '0');
    }
    if (i == 1) {
        return std::nullopt;
    }
    const std::string_view rest = picture.substr(i);
    if (!rest.empty() && !(rest.size() == 1 && lowerAscii(rest.front()) == 'b')) {
        return std::nullopt;
    }
    const bool known = (code.kind == 'd' && code.number >= 1 && code.number <= 18) ||
                       (code.kind == 't' && (code.number == 3 || code.number == 7)) ||
                       (code.kind == 'n' && code.number == 4);
    return known ? std::optional<PictureCode>(code) : std::nullopt;
}

QLocale localeOf(const PictureOptions& options) {
    return options.locale.empty() ? QLocale::system()
                                  : QLocale(QString::fromStdString(options.locale));
}

std::int64_t julianOfDayZero() {
    static const std::int64_t julian = QDate(1800, 12, 28).toJulianDay();
    return julian;
}

QDate toQDate(std::int32_t date) {
    return QDate::fromJulianDay(julianOfDayZero() + date);
}

bool formattable(std::int32_t date) {
    static const std::int32_t first = makeDate(1, 1, 1);
    static const std::int32_t last = makeDate(12, 31, kLastYear);
    return date != kNoDate && date >= first && date <= last;
}

int currentYear() {
    using namespace std::chrono;
    const year_month_day today{floor<days>(system_clock::now())};
    return static_cast<int>(today.year());
}

int fullYear(int twoDigits, const PictureOptions& options) {
    const int start = options.centuryStart != 0 ? options.centuryStart : currentYear() - 80;
    const int offset = ((twoDigits - start) % 100 + 100) % 100;
    return start + offset;
}

std::optional<std::int32_t> validDate(int year, int month, int day) {
    if (year < kFirstReadableYear || year > kLastYear || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(month, year)) {
        return std::nullopt;
    }
    return makeDate(month, day, year);
}

std::string formatLayout(const char* layout, const CalendarDate& c) {
    std::string text;
    char number[16];
    for (const char* p = layout; *p != '\0'; ++p) {
        switch (*p) {
            case 'M':
                std::snprintf(number, sizeof number, "%02d", c.month);
                text += number;
                break;
            case 'D':
                std::snprintf(number, sizeof number, "%02d", c.day);
                text += number;
                break;
            case 'd':
                text += std::to_string(c.day);
                break;
            case 'y':
                std::snprintf(number, sizeof number, "%02d", c.year % 100);
                text += number;
                break;
            case 'Y':
                std::snprintf(number, sizeof number, "%04d", c.year);
                text += number;
                break;
            case 'A':
                text += kMonthAbbreviations[c.month - 1];
                break;
            case 'N':
                text += kMonthNames[c.month - 1];
                break;
            default:
                text += *p;
        }
    }
    return text;
}

// Reads a run of `minimum` to `maximum` digits; -1 when there is none. Unless `packed` (the
// next field follows without a separator), more digits after the run make it no number.
int readNumber(std::string_view& text, std::size_t minimum, std::size_t maximum,
               bool packed = false) {
    std::size_t n = 0;
    int value = 0;
    while (n < text.size() && n < maximum && isDigit(text[n])) {
        value = value * 10 + (text[n] - '0');
        ++n;
    }
    if (n < minimum || (!packed && n < text.size() && isDigit(text[n]))) {
        return -1;
    }
    text.remove_prefix(n);
    return value;
}

int readMonthName(std::string_view& text) {
    std::size_t n = 0;
    while (n < text.size() && isLetter(text[n])) {
        ++n;
    }
    const std::string_view word = text.substr(0, n);
    auto same = [&](std::string_view name) {
        if (name.size() != word.size()) {
            return false;
        }
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (lowerAscii(name[i]) != lowerAscii(word[i])) {
                return false;
            }
        }
        return true;
    };
    for (int m = 0; m < 12; ++m) {
        if (same(kMonthAbbreviations[m]) || same(kMonthNames[m])) {
            text.remove_prefix(n);
            return m + 1;
        }
    }
    return -1;
}

std::optional<std::int32_t> parseLayout(const char* layout, std::string_view text,
                                        const PictureOptions& options) {
    const bool packed = std::string_view(layout).find_first_of("/ ,") == std::string_view::npos;
    int year = -1;
    int month = -1;
    int day = 1;
    for (const char* p = layout; *p != '\0'; ++p) {
        switch (*p) {
            case 'M':
                month = readNumber(text, packed ? 2 : 1, 2, packed);
                if (month < 0) {
                    return std::nullopt;
                }
                break;
            case 'D':
            case 'd':
                day = readNumber(text, packed ? 2 : 1, 2, packed);
                if (day < 0) {
                    return std::nullopt;
                }
                break;
            case 'y': {
                const int twoDigits = readNumber(text, 2, 2, packed);
                if (twoDigits < 0) {
                    return std::nullopt;
                }
                year = fullYear(twoDigits, options);
                break;
            }
            case 'Y': {
                const std::size_t before = text.size();
                year = readNumber(text, packed ? 4 : 2, 4, packed);
                const std::size_t digits = before - text.size();
                if (year < 0 || digits == 3) {
                    return std::nullopt;
                }
                if (digits == 2) {
                    year = fullYear(year, options);
                }
                break;
            }
            case 'A':
            case 'N':
                month = readMonthName(text);
                if (month < 0) {
                    return std::nullopt;
                }
                break;
            case '/':
                if (text.empty() ||
                    (text.front() != '/' && text.front() != '-' && text.front() != '.')) {
                    return std::nullopt;
                }
                text.remove_prefix(1);
                break;
            case ' ':
                if (text.empty() || text.front() != ' ') {
                    return std::nullopt;
                }
                text = trimBlanks(text);
                break;
            case ',':
                if (text.empty() || text.front() != ',') {
                    return std::nullopt;
                }
                text.remove_prefix(1);
                while (!text.empty() && text.front() == ' ') {
                    text.remove_prefix(1);
                }
                // the blank after the comma of d4 is already read
                if (p[1] == ' ') {
                    ++p;
                }
                break;
            default:
                return std::nullopt;
        }
    }
    if (!text.empty()) {
        return std::nullopt;
    }
    return validDate(year, month, day);
}

QString systemDateFormat(const QLocale& locale, int number) {
    return locale.dateFormat(number == 17 ? QLocale::ShortFormat : QLocale::LongFormat);
}

// A locale's month names (long, short and narrow; in dates and standing alone: 24 per form, two
// per month) and day names. Kept for the last locale asked, per thread.
struct LocaleNames {
    QString locale;
    QStringList months;
    QStringList days;
};

const LocaleNames& namesOf(const QLocale& locale) {
    thread_local LocaleNames cached;
    const QString name = locale.name();
    if (cached.months.isEmpty() || cached.locale != name) {
        cached = LocaleNames{name, {}, {}};
        for (const auto type : {QLocale::LongFormat, QLocale::ShortFormat, QLocale::NarrowFormat}) {
            for (int m = 1; m <= 12; ++m) {
                cached.months << locale.monthName(m, type) << locale.standaloneMonthName(m, type);
            }
        }
        for (const auto type : {QLocale::LongFormat, QLocale::ShortFormat}) {
            for (int d = 1; d <= 7; ++d) {
                cached.days << locale.dayName(d, type) << locale.standaloneDayName(d, type);
            }
        }
    }
    return cached;
}

// The longest of the names that the text starts with (any letter case): its index, -1 for none.
int readName(QStringView& text, const QStringList& names) {
    int found = -1;
    qsizetype length = 0;
    for (int i = 0; i < names.size(); ++i) {
        const QString& name = names[i];
        if (!name.isEmpty() && name.size() > length && text.startsWith(name, Qt::CaseInsensitive)) {
            found = i;
            length = name.size();
        }
    }
    text = text.mid(length);
    return found;
}

int readDigits(QStringView& text, qsizetype maximum) {
    qsizetype n = 0;
    int value = 0;
    while (n < text.size() && n < maximum && text[n] >= QLatin1Char('0') &&
           text[n] <= QLatin1Char('9')) {
        value = value * 10 + (text[n].unicode() - '0');
        ++n;
    }
    text = text.mid(n);
    return n == 0 ? -1 : value;
}

// Reads a date laid out by a locale's date format ("M/d/yy", "dddd, d. MMMM yyyy", ...): d and dd
// day, ddd and dddd day name (checked against nothing), M and MM month, MMM and MMMM month name,
// yy two-digit and yyyy four-digit year, '...' quoted text; blanks match any run of blanks.
std::optional<std::int32_t> parseLocaleDate(const QLocale& locale, const QString& format,
                                            QStringView text, const PictureOptions& options) {
    const LocaleNames& names = namesOf(locale);
    const QStringList& monthNames = names.months;
    const QStringList& dayNames = names.days;
    int year = -1;
    int month = -1;
    int day = -1;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format[i];
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c) {
            ++run;
        }
        if (c == QLatin1Char('\'')) {
            // quoted text; two quotes stand for one
            qsizetype j = i + 1;
            QString literal;
            while (j < format.size()) {
                if (format[j] == QLatin1Char('\'')) {
                    if (j + 1 < format.size() && format[j + 1] == QLatin1Char('\'')) {
                        literal += QLatin1Char('\'');
                        j += 2;
                        continue;
                    }
                    break;
                }
                literal += format[j++];
            }
            if (run == 2) {
                literal = QStringLiteral("'");
                j = i + 1;
            }
            if (!text.startsWith(literal)) {
                return std::nullopt;
            }
            text = text.mid(literal.size());
            i = j + 1;
            continue;
        }
        if (c == QLatin1Char('d')) {
            if (run >= 3) {
                if (readName(text, dayNames) < 0) {
                    return std::nullopt;
                }
            } else if ((day = readDigits(text, 2)) < 0) {
                return std::nullopt;
            }
        } else if (c == QLatin1Char('M')) {
            if (run >= 3) {
                const int index = readName(text, monthNames);
                if (index < 0) {
                    return std::nullopt;
                }
                month = index % 24 / 2 + 1;
            } else if ((month = readDigits(text, 2)) < 0) {
                return std::nullopt;
            }
        } else if (c == QLatin1Char('y')) {
            const qsizetype before = text.size();
            year = readDigits(text, run == 2 ? 2 : 4);
            const qsizetype digits = before - text.size();
            if (year < 0 || (digits != 2 && digits != 4) || (run == 2 && digits != 2)) {
                return std::nullopt;
            }
            if (digits == 2) {
                year = fullYear(year, options);
            }
        } else if (c.isSpace()) {
            if (text.isEmpty() || !text[0].isSpace()) {
                return std::nullopt;
            }
            while (!text.isEmpty() && text[0].isSpace()) {
                text = text.mid(1);
            }
        } else {
            for (qsizetype k = 0; k < run; ++k) {
                if (text.isEmpty() || text[0] != c) {
                    return std::nullopt;
                }
                text = text.mid(1);
            }
        }
        i += run;
    }
    if (!text.isEmpty()) {
        return std::nullopt;
    }
    return validDate(year, month, day);
}

std::optional<std::int32_t> parseSystemDate(int number, std::string_view text,
                                            const PictureOptions& options) {
    const QLocale locale = localeOf(options);
    const QString parsed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return parseLocaleDate(locale, systemDateFormat(locale, number), parsed, options);
}

std::int32_t timeOfDay(std::int32_t time) {
    const std::int64_t since = (static_cast<std::int64_t>(time) - 1) % kDayLength;
    return static_cast<std::int32_t>(since < 0 ? since + kDayLength : since);
}

std::string formatTwelveHour(std::int32_t time) {
    const std::int32_t since = timeOfDay(time);
    const int hours = static_cast<int>(since / kHour);
    const int minutes = static_cast<int>(since % kHour / kMinute);
    const int twelve = hours % 12 == 0 ? 12 : hours % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d%s", twelve, minutes, hours < 12 ? "AM" : "PM");
    return text;
}

std::optional<std::int32_t> parseTwelveHour(std::string_view text) {
    text = trimBlanks(text);
    int hours = readNumber(text, 1, 2);
    if (hours < 0 || text.empty() || text.front() != ':') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    const int minutes = readNumber(text, 2, 2);
    if (minutes < 0 || minutes > 59) {
        return std::nullopt;
    }
    text = trimBlanks(text);
    if (text.empty()) {
        return hours <= 23 ? std::optional<std::int32_t>(makeTime(hours, minutes)) : std::nullopt;
    }
    const char half = lowerAscii(text.front());
    text.remove_prefix(1);
    if (!text.empty() && lowerAscii(text.front()) == 'm') {
        text.remove_prefix(1);
    }
    if ((half != 'a' && half != 'p') || !text.empty() || hours < 1 || hours > 12) {
        return std::nullopt;
    }
    hours = hours % 12 + (half == 'p' ? 12 : 0);
    return makeTime(hours, minutes);
}

}  // namespace

bool isDatePicture(std::string_view picture) {
    const auto code = readPicture(picture);
    return code && code->kind != 't';
}

bool isTimePicture(std::string_view picture) {
    const auto code = readPicture(picture);
    return code && code->kind == 't';
}

std::string formatDate(std::string_view picture, std::int32_t date, const PictureOptions& options) {
    if (!formattable(date)) {
        return {};
    }
    auto code = readPicture(picture);
    if (!code || code->kind == 't') {
        code = PictureCode{'d', 3};
    }
    const CalendarDate c = calendarDate(date);
    if (code->kind == 'n') {
        char text[16];
        std::snprintf(text, sizeof text, "%4d", c.year);
        return text;
    }
    if (code->number >= 17) {
        const QLocale locale = localeOf(options);
        return locale.toString(toQDate(date), systemDateFormat(locale, code->number)).toStdString();
    }
    return formatLayout(kDateLayouts[code->number], c);
}

std::string formatDate(std::string_view picture, std::int32_t date) {
    return formatDate(picture, date, {});
}

std::optional<std::int32_t> parseDate(std::string_view picture, std::string_view text,
                                      const PictureOptions& options) {
    const auto code = readPicture(picture);
    if (!code || code->kind != 'd') {
        return std::nullopt;
    }
    if (code->number >= 17) {
        return parseSystemDate(code->number, trimBlanks(text), options);
    }
    return parseLayout(kDateLayouts[code->number], trimBlanks(text), options);
}

std::string formatTime(std::string_view picture, std::int32_t time, const PictureOptions& options) {
    if (time == kNoTime) {
        return {};
    }
    const auto code = readPicture(picture);
    if (code && code->kind == 't' && code->number == 7) {
        const QLocale locale = localeOf(options);
        const QTime t = QTime::fromMSecsSinceStartOfDay(timeOfDay(time) * 10);
        return locale.toString(t, locale.timeFormat(QLocale::ShortFormat)).toStdString();
    }
    return formatTwelveHour(time);
}

std::string formatTime(std::string_view picture, std::int32_t time) {
    return formatTime(picture, time, {});
}

std::optional<std::int32_t> parseTime(std::string_view picture, std::string_view text,
                                      const PictureOptions& options) {
    const auto code = readPicture(picture);
    if (!code || code->kind != 't') {
        return std::nullopt;
    }
    if (code->number == 3) {
        return parseTwelveHour(text);
    }
    const QLocale locale = localeOf(options);
    text = trimBlanks(text);
    const QTime parsed =
        locale.toTime(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                      locale.timeFormat(QLocale::ShortFormat));
    if (!parsed.isValid()) {
        return std::nullopt;
    }
    return makeTime(parsed.hour(), parsed.minute());
}

std::string formatDateBySetting(std::string_view dateFormat, std::int32_t date,
                                const PictureOptions& options) {
    const std::string_view code = trimBlanks(dateFormat);
    if (readPicture(code) && readPicture(code)->kind == 'n') {
        return formatDate("n4b", date, options);
    }
    int number = 0;
    for (std::size_t i = 1; i < code.size() && i < 3 && isDigit(code[i]); ++i) {
        number = number * 10 + (code[i] - '0');
    }
    if (number < 1 || number > 18) {
        number = 3;
    }
    return formatDate("d" + std::to_string(number), date, options);
}

}  // namespace agendix::store
