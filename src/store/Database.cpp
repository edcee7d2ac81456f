#include "store/Database.h"

namespace agendix::store {

Database::Database(std::filesystem::path directory) : directory_(std::move(directory)) {
    for (const TableDef* def : {&scheduleTable(), &scriptingTable(), &categoriesTable(), &todoTable(),
                                &contactTable(), &contactCategoriesTable(), &linkTable(), &windowLookupTable(),
                                &clipboardTable(), &holidaysTable(), &configurationTable()}) {
        tables_.push_back(std::make_unique<StoredTable>(files_, *def, mainFile(), kOwnerPassword));
    }
}

StoredTable& Database::table(const TableDef& def) {
    for (auto& table : tables_) {
        if (&table->def() == &def) {
            return *table;
        }
    }
    // The tag files have no password and live beside the main file.
    const bool tagFile = &def == &tagFileTable() || &def == &tagFilePTable();
    tables_.push_back(std::make_unique<StoredTable>(files_, def, directory_ / def.declaredName,
                                                    tagFile ? std::string() : std::string(kOwnerPassword)));
    return *tables_.back();
}

}  // namespace agendix::store
