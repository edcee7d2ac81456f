#pragma once

#include <vector>

#include "shell/MainTables.h"
#include "store/FileAccess.h"

namespace agendix::shell {

// The frame's five tables, opened through the store's user counters.
class StoreMainTables final : public MainTables {
public:
    explicit StoreMainTables(store::FileAccess& access) : access_(access) {}
    ~StoreMainTables() override { release(); }

    bool open() override;
    void release() override;

private:
    store::FileAccess& access_;
    std::vector<const store::TableDef*> held_;
};

}  // namespace agendix::shell
