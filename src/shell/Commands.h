#pragma once

#include <span>
#include <string_view>

namespace agendix::shell {

// Every command of the frame's menus, by a stable identity. Later windows enable and connect
// their command through MainFrame::action().
enum class Command {
    // File
    Setup,
    PrintSetup,
    ImportSchedule,
    ImportContacts,
    ImportTodo,
    ExportSchedule,
    ExportContacts,
    ExportTodo,
    Synchronization,
    ViewLog,
    Exit,
    // Browse
    ViewSchedule,
    AddMessageWizard,
    AddProgramWizard,
    GenericAddWizard,
    ToDoList,
    Contacts,
    ClipboardSaver,
    ScheduleCategories,
    ContactCategories,
    // Reports
    BriefScheduleReport,
    ScheduleByDateReport,
    ScheduleByCategoryReport,
    OneCategoryReport,
    ContactsReport,
    CategoriesReport,
    TodoByPriorityReport,
    TodoByCategoryReport,
    // Window
    Tile,
    Cascade,
    ArrangeIcons,
    // Help
    HelpContents,
    HelpSearch,
    HelpOnHelp,
    About,
};

// One row of the frame's menu tree, in display order. A menu row names a QMenu that later rows
// refer to as their parent; the menu bar is the parent "".
struct MenuRow {
    enum class Kind { Menu, Command, Separator };
    Kind kind = Kind::Command;
    std::string_view parent;   // object name of the holding menu; "" is the menu bar
    std::string_view name;     // object name of the QMenu or QAction
    std::string_view caption;  // with its "&" mnemonic
    std::string_view tip;      // status tip and tooltip; "" when the command has none
    Command command = Command::Exit;
};

std::span<const MenuRow> menuRows();

// A toolbar button stands for a menu command: it shows its own caption and tip, and triggers the
// command's menu action.
struct ToolbarRow {
    std::string_view name;
    std::string_view caption;
    std::string_view tip;
    Command command;
};

std::span<const ToolbarRow> toolbarRows();

// The toolbar's navigation buttons move the highlight of the active list window, or ask it for
// a new record.
enum class Navigation { FirstPage, PriorPage, PriorRecord, NextRecord, NextPage, LastPage, Insert };

struct NavigationRow {
    std::string_view name;
    std::string_view caption;
    std::string_view tip;
    Navigation navigation;
};

std::span<const NavigationRow> navigationRows();

}  // namespace agendix::shell
