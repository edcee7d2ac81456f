#pragma once

#include <cstdint>

namespace agendix::store {

// Where a record stands in its table, and what the reader saw of it. A record read, added or
// written carries it; writing and deleting go by it.
struct RecordPosition {
    std::int64_t row = 0;          // 0: not stored
    std::int64_t changeCount = 0;  // the stored change counter when the record was read
    bool watched = false;          // a write fails when another station changed the record since

    bool stored() const { return row != 0; }
};

}  // namespace agendix::store
