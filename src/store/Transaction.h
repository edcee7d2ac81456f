#pragma once

#include <initializer_list>
#include <span>

#include "store/StoredTable.h"

namespace agendix::store {

// A transaction over several tables of one data file, taken with the lock time-out of two
// seconds. Rolled back when it ends without a commit.
class Transaction {
public:
    Transaction() = default;
    ~Transaction() { rollback(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    StoreError begin(std::span<StoredTable* const> tables);
    StoreError begin(std::initializer_list<StoredTable*> tables) {
        return begin(std::span<StoredTable* const>(tables.begin(), tables.size()));
    }
    StoreError commit();
    void rollback();
    bool active() const { return file_ != nullptr; }

private:
    DataFile* file_ = nullptr;
};

}  // namespace agendix::store
