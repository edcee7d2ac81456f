#include "shell/ClipboardSaver.h"

#include <vector>

#include "shell/ClipboardRules.h"
#include "store/DataDictionary.h"
#include "store/Table.h"

namespace agendix::shell {

void ClipboardSaver::check() {
    if (!settings_.monitorClipboard) {
        return;
    }
    if (++ticks_ <= kTicksBetweenChecks) {
        return;
    }
    look();
    ticks_ = 1;
}

void ClipboardSaver::look() {
    if (clipboard_.textIsSecret()) {
        return;  // a password: not stored, not remembered
    }
    const std::string text = cutClipboardText(clipboard_.text());
    if (text == lastText_ || clipboardTextIsBlank(text)) {
        return;  // blanks leave the last text as it is: the next text is compared with that
    }
    store(text);
    // A failed add is not reported; the text counts as seen all the same.
    lastText_ = text;
}

void ClipboardSaver::store(const std::string& text) {
    auto use = access_.use(store::clipboardTable());
    if (!use.ok()) {
        return;
    }
    store::Table<store::Clipboard> table(use.table());
    store::Clipboard entry;
    entry.User = settings_.ownerName;
    entry.ClipDate = clock_.today();
    entry.ClipTime = clock_.now();
    entry.ClipHashKey = clipboardKey(text);
    entry.ClipKeep = 0;
    entry.ClipContents = text;
    if (!table.add(entry).ok()) {
        return;  // most often a repeat of a stored text (the same owner and key)
    }
    prune(text);
}

// The owner's entries along the date key: those not kept first, each group oldest first. Only
// the owner's entries are counted and deleted; other stations' owners keep theirs.
void ClipboardSaver::prune(const std::string& currentText) {
    if (settings_.maxClipboardEntries <= 0) {
        return;
    }
    auto use = access_.use(store::clipboardTable());
    store::Table<store::Clipboard> table(use.table());
    store::Clipboard start;
    start.User = settings_.ownerName;
    table.setPosition("KeyClipDate", start);
    std::vector<store::Clipboard> entries;
    std::vector<PruneCandidate> candidates;
    store::Clipboard entry;
    // Kept entries come after all the others along the key and are never deleted: the reading
    // ends at the first one.
    while (table.next(entry).ok() && entry.User == settings_.ownerName && entry.ClipKeep == 0) {
        candidates.push_back({entry.ClipKeep != 0, entry.ClipContents});
        entries.push_back(entry);
    }
    for (const std::size_t index :
         entriesToPrune(candidates, settings_.maxClipboardEntries, currentText)) {
        table.remove(entries[index]);  // a failed delete is not reported
    }
}

}  // namespace agendix::shell
