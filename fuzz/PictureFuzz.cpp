// Reading dates and times by every picture: no text crashes the reader, and whatever it reads
// shows and reads back as the same value. Formatting any date or time number is safe too.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "store/Picture.h"

using namespace agendix::store;

namespace {

constexpr const char* kPictures[] = {"d1",  "d2",  "d3",  "d4",  "d5",  "d6",  "d7",  "d8",
                                     "d9",  "d10", "d11", "d12", "d13", "d14", "d15", "d16",
                                     "d17", "d18", "n4b", "t3",  "T3",  "t7",  "@D6b"};
constexpr const char* kLocales[] = {"", "en_US", "de_DE", "ja_JP", "fr_FR"};
constexpr const char* kFourDigitYears[] = {"d2", "d3", "d4", "d6", "d8", "d10", "d12"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const char* picture = kPictures[data[0] % (sizeof kPictures / sizeof *kPictures)];
    const PictureOptions options{kLocales[data[1] % (sizeof kLocales / sizeof *kLocales)], 1946};
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    if (isTimePicture(picture)) {
        if (const auto time = parseTime(picture, text, options)) {
            if (*time < 1 || *time > kLastHundredth) {
                std::abort();
            }
            if (parseTime(picture, formatTime(picture, *time, options), options) != time) {
                std::abort();
            }
        }
    } else if (const auto date = parseDate(picture, text, options)) {
        if (dateYear(*date) < 1801 || dateYear(*date) > 9999) {
            std::abort();
        }
        if (parseDate(picture, formatDate(picture, *date, options), options) != date) {
            std::abort();
        }
    }

    // The first bytes of the text as a date or time number.
    std::int32_t number = 0;
    std::memcpy(&number, text.data(), std::min<std::size_t>(sizeof number, text.size()));
    const std::string shown = isTimePicture(picture) ? formatTime(picture, number, options)
                                                     : formatDate(picture, number, options);
    (void)shown;
    (void)formatDateBySetting(std::string(text.substr(0, 6)), number, options);
    const std::int32_t first = makeDate(1, 1, 1801);
    const std::int32_t last = makeDate(12, 31, 9999);
    if (number >= first && number <= last) {
        for (const char* fourDigits : kFourDigitYears) {
            if (parseDate(fourDigits, formatDate(fourDigits, number, options), options) != number) {
                std::abort();
            }
        }
    }
    return 0;
}
