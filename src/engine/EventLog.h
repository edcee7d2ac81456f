#pragma once

#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "store/Picture.h"
#include "store/Settings.h"

namespace agendix::engine {

// The event log: one line of four fixed-width columns per event, appended to a text file while
// the "LogEvents" setting is on.
//
//   columns  1-10   today's date in the "DateFormat" format
//           11-20   the time in the locale's short time format (t7)
//           21-50   the event's label
//           51-100  the event's data
//
// Each column is blank-padded and cut to its width in characters; control characters become
// blanks, so a text can never start a line of its own. Lines end with CR LF. When the chosen date
// format gives more than 10 characters, the date is written as mm/dd/yyyy (d2), so the year is
// never cut.
//
// The file is opened at the first line, closed after every 101st and opened again by the next.
// Each line goes to the file with one append, so readers see whole lines, and lines written from
// several threads at once never mix. A line that cannot be written is lost without a message.
class EventLog {
  public:
    static constexpr const char* kFileName = "RO97Vovo.DAR";
    static constexpr int kDateWidth = 10;
    static constexpr int kTimeWidth = 10;
    static constexpr int kLabelWidth = 30;
    static constexpr int kDataWidth = 50;
    static constexpr int kLinesPerOpen = 101;

    // `settings` is read at every line, so changes made in Setup apply at once.
    EventLog(std::filesystem::path file, const store::SettingValues& settings,
             const platform::Clock& clock, store::PictureOptions pictures = {});
    ~EventLog();
    EventLog(const EventLog&) = delete;
    EventLog& operator=(const EventLog&) = delete;

    // WriteLog: the event's data first, its label second.
    void writeLog(std::string_view data, std::string_view label);

    // The line writeLog() would append now, without its line end.
    std::string line(std::string_view data, std::string_view label) const;

    const std::filesystem::path& file() const { return file_; }

  private:
    std::filesystem::path file_;
    const store::SettingValues& settings_;
    const platform::Clock& clock_;
    store::PictureOptions pictures_;

    std::mutex mutex_;
    int fd_ = -1;
    int written_ = 0;  // lines written since the file was opened
};

// The text blank-padded or cut to exactly `width` characters (UTF-8), control characters as blanks.
std::string logColumn(std::string_view text, std::size_t width);

}  // namespace agendix::engine
