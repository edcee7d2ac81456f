#include "store/Transaction.h"

namespace agendix::store {

StoreError Transaction::begin(std::span<StoredTable* const> tables) {
    if (file_ != nullptr) {
        return StoreError::of(ErrorKind::TransactionActive);
    }
    DataFile* file = nullptr;
    for (StoredTable* table : tables) {
        if (!table->isOpen()) {
            return StoreError::of(ErrorKind::NotOpen, table->name());
        }
        if (file != nullptr && table->file() != file) {
            // One transaction spans one data file; the program's linked tables all share one.
            return StoreError::of(ErrorKind::InvalidDataFile, table->name() + " is in another file");
        }
        file = table->file();
    }
    if (file == nullptr) {
        return StoreError::none();
    }
    StoreError error = file->begin();
    if (error.ok()) {
        file_ = file;
    }
    return error;
}

StoreError Transaction::commit() {
    if (file_ == nullptr) {
        return StoreError::none();
    }
    DataFile* file = file_;
    file_ = nullptr;
    return file->commit();
}

void Transaction::rollback() {
    if (file_ != nullptr) {
        file_->rollback();
        file_ = nullptr;
    }
}

}  // namespace agendix::store
