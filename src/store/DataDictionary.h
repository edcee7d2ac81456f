#pragma once

#include <vector>

#include "store/Records.h"
#include "store/TableDef.h"

namespace agendix::store {

// The main data file and its owner password.
inline constexpr const char* kMainDataFile = "Ag97.TPS";
inline constexpr const char* kOwnerPassword = "pvtr8@nze";

// The eleven tables of the main data file.
const TableDef& scheduleTable();
const TableDef& scriptingTable();
const TableDef& categoriesTable();
const TableDef& todoTable();
const TableDef& contactTable();
const TableDef& contactCategoriesTable();
const TableDef& linkTable();
const TableDef& windowLookupTable();
const TableDef& clipboardTable();
const TableDef& holidaysTable();
const TableDef& configurationTable();

// The tables of a sync file: the layouts of Schedule, Scripting and Todo under their own labels.
const TableDef& syncScheduleTable();
const TableDef& syncScriptingTable();
const TableDef& syncTodoTable();

// The two tag files of the search windows (no password).
inline constexpr const char* kTagFile = "TagFile_.TPS";
inline constexpr const char* kTagFileP = "TagFileP.TPS";
const TableDef& tagFileTable();
const TableDef& tagFilePTable();

// Every table in the order the program registers them at start-up.
const std::vector<const TableDef*>& registeredTables();

}  // namespace agendix::store
