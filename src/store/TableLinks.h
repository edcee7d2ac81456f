#pragma once

#include <string>
#include <vector>

#include "store/TableDef.h"

namespace agendix::store {

// A parent table's field that records of a child table point to, and what a delete or a change
// of the parent does to them.
struct TableLink {
    enum class Rule { Cascade, Restrict };

    const TableDef* parent;
    const TableDef* child;
    std::string parentField;
    std::string childField;
    std::string childKey;  // its first component is childField
    Rule rule;             // the same on delete and on change
};

// Every link, in the order deletes and changes visit them: a task's contact links before its
// script items.
const std::vector<TableLink>& tableLinks();
// The links whose parent is `def`, in that order.
std::vector<const TableLink*> linksFrom(const TableDef& def);

}  // namespace agendix::store
