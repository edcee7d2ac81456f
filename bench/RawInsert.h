#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "store/Records.h"

namespace agendix::bench {

// How a raw connection is set up; zero leaves the engine's default.
struct RawSettings {
    std::string key;         // empty: no sqlite3_key call
    int cipherPageSize = 0;  // PRAGMA cipher_page_size
    int cacheSizeKiB = 0;    // PRAGMA cache_size = -KiB
};

// Writes the tasks into a new file at `path` straight through the sqlite3 C API, with the store's
// schedule table and keys but none of the store's code in between: one prepared INSERT, values
// bound from the records, one transaction. Returns the seconds from BEGIN to the end of COMMIT.
// Fails with a message on the first error.
double rawInsert(const std::filesystem::path& path, const RawSettings& settings,
                 const std::vector<store::Schedule>& tasks, std::string& error);

// Whether this build's SQLite encrypts (SQLCipher).
bool rawEngineEncrypts();

}  // namespace agendix::bench
