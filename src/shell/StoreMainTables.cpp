#include "shell/StoreMainTables.h"

#include "store/DataDictionary.h"

namespace agendix::shell {

bool StoreMainTables::open() {
    for (const store::TableDef* def : {&store::clipboardTable(), &store::configurationTable(), &store::scheduleTable(),
                                       &store::scriptingTable(), &store::windowLookupTable()}) {
        if (!access_.openTable(*def)) {
            release();
            return false;
        }
        held_.push_back(def);
    }
    return true;
}

void StoreMainTables::release() {
    for (const store::TableDef* def : held_) {
        access_.releaseTable(*def);
    }
    held_.clear();
}

}  // namespace agendix::shell
