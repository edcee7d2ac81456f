#include "store/TableLinks.h"

#include "store/DataDictionary.h"

namespace agendix::store {

const std::vector<TableLink>& tableLinks() {
    using Rule = TableLink::Rule;
    static const std::vector<TableLink> links = {
        {&scheduleTable(), &linkTable(), "ID", "ID", "KeySchedule", Rule::Cascade},
        {&scheduleTable(), &scriptingTable(), "ID", "ID", "KeyID", Rule::Cascade},
        {&contactTable(), &linkTable(), "ClientID", "ClientID", "KeyClient", Rule::Cascade},
        {&categoriesTable(), &scheduleTable(), "Category", "Category", "KeyCategory", Rule::Restrict},
        {&contactCategoriesTable(), &contactTable(), "ContactCategory", "ContactCategory", "KeyCategory",
         Rule::Restrict},
    };
    return links;
}

std::vector<const TableLink*> linksFrom(const TableDef& def) {
    std::vector<const TableLink*> found;
    for (const auto& link : tableLinks()) {
        if (link.parent == &def) {
            found.push_back(&link);
        }
    }
    return found;
}

}  // namespace agendix::store
