#include "store/IniFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace agendix::store {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

// Names are listed once, in the letter case they first appear in.
void addOnce(std::vector<std::string>& names, std::string_view name) {
    for (const std::string& known : names) {
        if (sameName(known, name)) {
            return;
        }
    }
    names.emplace_back(name);
}

bool hasAny(std::string_view text, std::string_view characters) {
    return text.find_first_of(characters) != std::string_view::npos;
}

constexpr std::string_view kLineBreaks{"\r\n\0", 3};

bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            // A last line without a line feed; a carriage return there is the start of a line end.
            std::string_view body = text.substr(start);
            const bool cut = body.back() == '\r';
            if (cut) {
                body.remove_suffix(1);
            }
            document.lines_.push_back(Line{std::string(body), cut ? "\r" : ""});
            break;
        }
        std::string_view body = text.substr(start, end - start);
        std::string ending = "\n";
        if (!body.empty() && body.back() == '\r') {
            body.remove_suffix(1);
            ending = "\r\n";
        }
        document.lines_.push_back(Line{std::string(body), std::move(ending)});
        start = end + 1;
    }
    return document;
}

IniDocument::Parsed IniDocument::classify(std::string_view line) {
    const std::string_view content = trim(line);
    Parsed parsed;
    if (content.empty() || content.front() == ';' || content.front() == '#') {
        return parsed;
    }
    if (content.front() == '[') {
        const std::size_t close = content.find(']');
        parsed.kind = Kind::Section;
        parsed.name = trim(content.substr(
            1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        return parsed;
    }
    const std::size_t equals = content.find('=');
    if (equals == std::string_view::npos) {
        return parsed;
    }
    parsed.name = trim(content.substr(0, equals));
    if (parsed.name.empty()) {
        return parsed;
    }
    parsed.kind = Kind::Entry;
    parsed.value = trim(content.substr(equals + 1));
    return parsed;
}

std::size_t IniDocument::findSection(std::string_view section) const {
    const std::string_view wanted = trim(section);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Parsed parsed = classify(lines_[i].text);
        if (parsed.kind == Kind::Section && sameName(parsed.name, wanted)) {
            return i;
        }
    }
    return std::string::npos;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == std::string::npos) {
        return std::nullopt;
    }
    const std::string_view wanted = trim(key);
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        const Parsed parsed = classify(lines_[i].text);
        if (parsed.kind == Kind::Section) {
            break;
        }
        if (parsed.kind == Kind::Entry && sameName(parsed.name, wanted)) {
            return std::string(parsed.value);
        }
    }
    return std::nullopt;
}

std::vector<std::string> IniDocument::sections() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        const Parsed parsed = classify(line.text);
        if (parsed.kind != Kind::Section) {
            continue;
        }
        addOnce(names, parsed.name);
    }
    return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
    std::vector<std::string> names;
    const std::size_t header = findSection(section);
    if (header == std::string::npos) {
        return names;
    }
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        const Parsed parsed = classify(lines_[i].text);
        if (parsed.kind == Kind::Section) {
            break;
        }
        if (parsed.kind != Kind::Entry) {
            continue;
        }
        addOnce(names, parsed.name);
    }
    return names;
}

std::string IniDocument::newLineEnding() const {
    for (const Line& line : lines_) {
        if (line.ending == "\n" || line.ending == "\r\n") {
            return line.ending;
        }
    }
    return "\n";
}

void IniDocument::endLine(Line& line, const std::string& ending) {
    if (line.ending != "\n" && line.ending != "\r\n") {
        line.ending = line.ending == "\r" ? "\r\n" : ending;
    }
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view name = trim(section);
    const std::string_view entry = trim(key);
    const std::string_view text = trim(value);
    if (name.empty() || hasAny(name, kLineBreaks) || name.find(']') != std::string_view::npos) {
        return false;
    }
    if (entry.empty() || hasAny(entry, kLineBreaks) || entry.find('=') != std::string_view::npos ||
        entry.front() == '[' || entry.front() == ';' || entry.front() == '#') {
        return false;
    }
    if (hasAny(text, kLineBreaks)) {
        return false;
    }

    const std::string ending = newLineEnding();
    const std::string newEntry = std::string(entry) + "=" + std::string(text);
    const std::size_t header = findSection(name);
    if (header == std::string::npos) {
        if (!lines_.empty()) {
            endLine(lines_.back(), ending);
        }
        lines_.push_back(Line{"[" + std::string(name) + "]", ending});
        lines_.push_back(Line{newEntry, ending});
        return true;
    }

    std::size_t insertAfter = header;
    for (std::size_t i = header + 1; i < lines_.size(); ++i) {
        const Parsed parsed = classify(lines_[i].text);
        if (parsed.kind == Kind::Section) {
            break;
        }
        if (parsed.kind != Kind::Entry) {
            continue;
        }
        if (sameName(parsed.name, entry)) {
            std::string& line = lines_[i].text;
            line.erase(line.find('=') + 1);
            line += text;
            return true;
        }
        insertAfter = i;
    }
    endLine(lines_[insertAfter], ending);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAfter + 1),
                  Line{newEntry, ending});
    return true;
}

std::string IniDocument::text() const {
    std::string all;
    for (const Line& line : lines_) {
        all += line.text;
        all += line.ending;
    }
    return all;
}

IniDocument IniFile::load() const {
    const int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;  // the end, or a file that cannot be read (a directory): what was read counts
        }
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return IniDocument::parse(text);
}

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
    return load().value(section, key);
}

std::string IniFile::read(std::string_view section, std::string_view key,
                          std::string_view defaultValue) const {
    std::optional<std::string> found = find(section, key);
    return found ? std::move(*found) : std::string(defaultValue);
}

bool IniFile::write(std::string_view section, std::string_view key, std::string_view value) const {
    IniDocument document = load();
    return document.set(section, key, value) && save(document);
}

bool IniFile::write(std::string_view section,
                    const std::vector<std::pair<std::string, std::string>>& entries) const {
    IniDocument document = load();
    for (const auto& [key, value] : entries) {
        if (!document.set(section, key, value)) {
            return false;
        }
    }
    return save(document);
}

bool IniFile::save(const IniDocument& document) const {
    std::error_code ignored;
    const std::filesystem::path directory = path_.has_parent_path() ? path_.parent_path() : ".";
    std::filesystem::create_directories(directory, ignored);

    // Written beside the file and renamed over it: readers see the old or the new file, never a
    // part of one.
    std::string temporary = (directory / ("." + path_.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    struct stat existing {};
    const mode_t mode = ::stat(path_.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : 0644;
    bool written = ::fchmod(fd, mode) == 0 && writeAll(fd, document.text()) && ::fsync(fd) == 0;
    written = (::close(fd) == 0) && written;
    if (written && ::rename(temporary.c_str(), path_.c_str()) == 0) {
        return true;
    }
    ::unlink(temporary.c_str());
    return false;
}

std::filesystem::path IniLocations::userConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg != nullptr && *xdg != '\0' && std::filesystem::path(xdg).is_absolute()) {
        return std::filesystem::path(xdg) / "agendix";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || *home == '\0') {
        const passwd* entry = ::getpwuid(::getuid());
        home = entry != nullptr ? entry->pw_dir : nullptr;
    }
    return std::filesystem::path(home != nullptr ? home : ".") / ".config" / "agendix";
}

IniLocations IniLocations::standard() {
    std::error_code error;
    std::filesystem::path current = std::filesystem::current_path(error);
    if (error) {
        current = ".";
    }
    return IniLocations(userConfigDirectory(), current);
}

std::filesystem::path IniLocations::resolve(std::string_view name) const {
    if (name.empty()) {
        return configDirectory_ / kDefaultIniName;
    }
    if (name.find_first_of("\\/") == std::string_view::npos) {
        return configDirectory_ / std::string(name);
    }
    std::string portable(name);
    for (char& c : portable) {
        if (c == '\\') {
            c = '/';
        }
    }
    const std::filesystem::path path(portable);
    return path.is_absolute() ? path.lexically_normal()
                              : (startDirectory_ / path).lexically_normal();
}

}  // namespace agendix::store
