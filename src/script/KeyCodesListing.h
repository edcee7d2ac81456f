#pragma once

#include <string>

#include "script/KeyNameTable.h"

namespace agendix::script {

// The file name of the key-name list that ships beside the program.
inline constexpr const char* kKeyCodesFileName = "KEYCODES.TXT";

// The text of the key-name list for people: a short explanation of the notation, then every name
// of the table, one a line, with what it presses ("CTRLALTDELETE      Ctrl+Alt+Delete"), the
// groups under headings. Lines end with "\n".
std::string keyCodesListing(const KeyNameTable& table = KeyNameTable::standard());

}  // namespace agendix::script
