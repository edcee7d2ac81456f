#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace agendix::shell {

// The longest clipboard text kept, in characters; longer texts are cut.
inline constexpr std::size_t kClipboardTextLimit = 4096;
// The width of the duplicate-detection key.
inline constexpr std::size_t kClipboardKeyWidth = 40;

// The duplicate-detection key of a clipboard text: its letters A to Z in upper case, in order,
// up to 40 of them; every other character is passed over. A text without letters keys on its
// characters other than blanks (up to 40), so two different numbers are not taken for one text.
std::string clipboardKey(std::string_view text);

// True for a text with nothing but blanks, tabs and line ends in it (or nothing at all).
bool clipboardTextIsBlank(std::string_view text);

// The text cut to kClipboardTextLimit characters, never inside a UTF-8 sequence.
std::string cutClipboardText(std::string_view text);

// One stored entry of the owner as the pruning sees it, oldest not-kept entries first.
struct PruneCandidate {
    bool keep = false;
    std::string text;
};

// Which entries to delete so that the owner holds no more than `limit` entries not kept (kept
// entries are spared and take no room): the oldest entries not kept, in order, until their count
// is down to the limit; the entry holding `currentText` is passed over. `entries` are in the order
// of the date key (not kept first, each group oldest first); the reading stops at the first kept
// one. A limit of 0 or less means no limit. The answer lists indexes into `entries`.
std::vector<std::size_t> entriesToPrune(const std::vector<PruneCandidate>& entries, int limit,
                                        std::string_view currentText);

// Whether a text names an address or program: the list shows it in another colour.
bool clipboardTextNamesTarget(std::string_view text);

// What "&Run" opens for a clipboard text, in order: the address from the first "http:" (or
// "https:") and the one from the first "mailto:" up to a blank or double quote; the file names
// ending with the first ".exe", ".lnk" and ".url", each from after the blank before it, or from
// after the opening double quote when the name is quoted. When none is found and the text begins
// with "www", "http://" followed by the text.
std::vector<std::string> runTargets(std::string_view text);

}  // namespace agendix::shell
