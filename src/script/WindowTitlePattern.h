#pragma once

#include <QString>
#include <string_view>

namespace agendix::script {

// Which window titles a script's window pattern names. Letter case is ignored throughout.
//
//   "Connect To"      the title itself (trailing blanks ignored on both sides)
//   "Untitled - *"    titles that begin with the text before the "*" (its blanks included);
//                     whatever follows the "*" is ignored
//   "*Notepad"        titles that hold the text after the "*" (trailing blanks removed) anywhere;
//                     "*" alone names every window
//   "~..."            any of the above; the "~" only tells a "Wait" to last until no such window
//                     exists, and is not part of the pattern
//
// A pattern with a "*" also names the title that equals it as a whole. A blank pattern names no
// window. Any text is a valid pattern.
class WindowTitlePattern {
  public:
    explicit WindowTitlePattern(std::string_view pattern);

    bool matches(std::string_view title) const;
    // The pattern began with "~".
    bool waitsForAbsence() const { return absence_; }

  private:
    enum class Kind { Exact, Prefix, Anywhere };
    Kind kind_ = Kind::Exact;
    bool absence_ = false;
    QString whole_;  // the pattern without "~" and trailing blanks
    QString part_;   // the prefix, or the text searched for
};

}  // namespace agendix::script
