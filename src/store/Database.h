#pragma once

#include <filesystem>
#include <memory>
#include <vector>

#include "store/DataDictionary.h"
#include "store/DataFile.h"
#include "store/StoredTable.h"

namespace agendix::store {

// The tables of the main data file, each known once per process, and the data files open.
// Tables are found by their declaration; nothing is opened until asked.
class Database {
public:
    // `directory` is where the main data file lives: the program's current directory.
    explicit Database(std::filesystem::path directory);

    StoredTable& table(const TableDef& def);
    DataFiles& files() { return files_; }
    const std::filesystem::path& directory() const { return directory_; }
    std::filesystem::path mainFile() const { return directory_ / kMainDataFile; }

private:
    std::filesystem::path directory_;
    DataFiles files_;
    std::vector<std::unique_ptr<StoredTable>> tables_;
};

}  // namespace agendix::store
