#include "engine/EventLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace agendix::engine {
namespace {

bool isContinuationByte(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

std::size_t characterCount(std::string_view text) {
    std::size_t characters = 0;
    for (const char c : text) {
        characters += isContinuationByte(static_cast<unsigned char>(c)) ? 0 : 1;
    }
    return characters;
}

}  // namespace

std::string logColumn(std::string_view text, std::size_t width) {
    std::string column;
    column.reserve(width + 8);
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!isContinuationByte(c)) {
            if (characters == width) {
                break;
            }
            ++characters;
        }
        column += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
    }
    column.append(width - characters, ' ');
    return column;
}

EventLog::EventLog(std::filesystem::path file, const store::SettingValues& settings,
                   const platform::Clock& clock, store::PictureOptions pictures)
    : file_(std::move(file)), settings_(settings), clock_(clock), pictures_(std::move(pictures)) {}

EventLog::~EventLog() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string EventLog::line(std::string_view data, std::string_view label) const {
    const std::int32_t today = clock_.today();
    std::string date = store::formatDateBySetting(settings_.dateFormat, today, pictures_);
    if (characterCount(date) > kDateWidth) {
        date = store::formatDate("d2", today, pictures_);
    }
    const std::string time = store::formatTime("t7", clock_.now(), pictures_);
    return logColumn(date, kDateWidth) + logColumn(time, kTimeWidth) +
           logColumn(label, kLabelWidth) + logColumn(data, kDataWidth);
}

void EventLog::writeLog(std::string_view data, std::string_view label) {
    if (!settings_.logEvents) {
        return;
    }
    const std::string text = line(data, label) + "\r\n";

    const std::lock_guard<std::mutex> lock(mutex_);
    if (fd_ < 0) {
        fd_ = ::open(file_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
        written_ = 0;
        if (fd_ < 0) {
            return;  // the line is lost; the next one tries again
        }
    }
    ++written_;
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (written_ >= kLinesPerOpen) {
        ::close(fd_);
        fd_ = -1;
        written_ = 0;
    }
}

}  // namespace agendix::engine
