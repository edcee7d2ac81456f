#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace agendix::store {

// The text of an INI file as profile-file readers expect it: "[Section]" lines open a section,
// "key=value" lines inside it are its entries. Section and key names compare without regard to
// ASCII letter case; values are kept as written, only blanks and tabs around them are dropped;
// nothing is escaped or unquoted. The first section of a name and its first entry of a name win.
// Comment lines (";" or "#"), entries before the first section and lines that are none of these
// are kept as they are when the text is written back. Any bytes are accepted.
class IniDocument {
  public:
    IniDocument() = default;
    static IniDocument parse(std::string_view text);

    // The value of the entry; nothing when the section or the entry is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets the entry's value, adding the entry (after the last entry of its section) or the
    // section (at the end) when missing; every other line stays as it was. False, and nothing
    // changed, when the text cannot be written as one entry line: a value with a line break or a
    // NUL, a key that is empty or holds "=", a line break or a NUL, or starts with "[", ";" or "#",
    // a section name that is empty or holds "]", a line break or a NUL. Blanks around a value or a
    // name are not kept.
    bool set(std::string_view section, std::string_view key, std::string_view value);

    // The names of the sections and of a section's entries, in file order, each name once.
    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

    // The whole text; lines not touched by set() come back byte for byte.
    std::string text() const;

  private:
    struct Line {
        std::string text;
        std::string ending;  // "\n", "\r\n"; for a last line without a line feed "\r" or ""
    };
    enum class Kind { Section, Entry, Other };
    struct Parsed {
        Kind kind = Kind::Other;
        std::string_view name;   // section name or entry key
        std::string_view value;  // entry value
    };
    static Parsed classify(std::string_view line);
    // The line index of the first section of that name, or npos.
    std::size_t findSection(std::string_view section) const;
    std::string newLineEnding() const;
    // Gives a line that has no full line end one, before a line is added after it.
    static void endLine(Line& line, const std::string& ending);

    std::vector<Line> lines_;
};

// One INI file on disk. Every read looks at the file as it is now, since other windows and the
// user may change it; a file that does not exist or cannot be read reads as empty.
class IniFile {
  public:
    explicit IniFile(std::filesystem::path path) : path_(std::move(path)) {}

    const std::filesystem::path& path() const { return path_; }

    std::optional<std::string> find(std::string_view section, std::string_view key) const;
    // The entry's value; `defaultValue` when it is missing.
    std::string read(std::string_view section, std::string_view key,
                     std::string_view defaultValue = {}) const;

    // Writes one entry, or several in one pass, creating the file and its directory when missing.
    // The file is replaced as a whole, so a crash never leaves it half written. False when the
    // file cannot be written or an entry cannot be represented (see IniDocument::set); then the
    // file is unchanged.
    bool write(std::string_view section, std::string_view key, std::string_view value) const;
    bool write(std::string_view section,
               const std::vector<std::pair<std::string, std::string>>& entries) const;

    IniDocument load() const;
    bool save(const IniDocument& document) const;

  private:
    std::filesystem::path path_;
};

// The INI files of the program. "ra98.INI" and the system's default INI file ("win.ini") live in
// the user's configuration directory; a name with a directory part such as ".\POSITION.INI" is
// taken from the program's start-up directory.
inline constexpr const char* kSettingsIniName = "ra98.INI";
inline constexpr const char* kDefaultIniName = "win.ini";
inline constexpr const char* kPositionIniName = ".\\POSITION.INI";

class IniLocations {
  public:
    IniLocations(std::filesystem::path configDirectory, std::filesystem::path startDirectory)
        : configDirectory_(std::move(configDirectory)),
          startDirectory_(std::move(startDirectory)) {}

    // $XDG_CONFIG_HOME/agendix (when that is an absolute path), else ~/.config/agendix; and the
    // current directory.
    static IniLocations standard();
    static std::filesystem::path userConfigDirectory();

    const std::filesystem::path& configDirectory() const { return configDirectory_; }
    const std::filesystem::path& startDirectory() const { return startDirectory_; }

    // Where an INI file name leads: the empty name is the default INI file; a bare name is in the
    // configuration directory; a name with "\" or "/" in it is relative to the start-up directory
    // (or absolute).
    std::filesystem::path resolve(std::string_view name) const;

    IniFile settingsFile() const { return IniFile(resolve(kSettingsIniName)); }
    IniFile defaultFile() const { return IniFile(resolve({})); }
    IniFile positionFile() const { return IniFile(resolve(kPositionIniName)); }

  private:
    std::filesystem::path configDirectory_;
    std::filesystem::path startDirectory_;
};

}  // namespace agendix::store
