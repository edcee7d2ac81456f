#include "shell/Commands.h"

#include <array>

namespace agendix::shell {

namespace {

using Kind = MenuRow::Kind;
using enum Command;

constexpr MenuRow menu(std::string_view parent, std::string_view name, std::string_view caption) {
    return {Kind::Menu, parent, name, caption, {}, {}};
}

constexpr MenuRow item(std::string_view parent, std::string_view name, std::string_view caption,
                       Command command, std::string_view tip = {}) {
    return {Kind::Command, parent, name, caption, tip, command};
}

constexpr MenuRow separator(std::string_view parent) {
    return {Kind::Separator, parent, {}, {}, {}, {}};
}

constexpr std::array kMenuRows{
    menu("", "file", "&File"),
    item("file", "file.setup", "&Setup", Setup, "Set preferences"),
    item("file", "file.printSetup", "Print Setup ...", PrintSetup, "Setup printer"),
    separator("file"),
    menu("file", "file.import", "&Import"),
    item("file.import", "file.import.schedule", "&Schedule", ImportSchedule),
    item("file.import", "file.import.contacts", "&Contacts", ImportContacts),
    item("file.import", "file.import.todo", "&To Do", ImportTodo),
    menu("file", "file.export", "&Export"),
    item("file.export", "file.export.schedule", "&Schedule", ExportSchedule),
    item("file.export", "file.export.contacts", "&Contacts", ExportContacts),
    item("file.export", "file.export.todo", "&To Do", ExportTodo),
    item("file", "file.synchronization", "S&ynchronization", Synchronization,
         "Send/Receive between Agendix databases"),
    item("file", "file.viewLog", "View &Log", ViewLog, "Browse the Usage Log"),
    separator("file"),
    item("file", "file.exit", "E&xit", Exit, "Exit this application"),

    menu("", "browse", "&Browse"),
    item("browse", "browse.viewSchedule", "&View Schedule", ViewSchedule, "Browse Schedule"),
    menu("browse", "browse.wizards", "&Wizards"),
    item("browse.wizards", "browse.wizards.addMessage", "Add &Message", AddMessageWizard),
    item("browse.wizards", "browse.wizards.addProgram", "Add &Program", AddProgramWizard),
    item("browse.wizards", "browse.wizards.genericAdd", "Generic &Add ", GenericAddWizard),
    separator("browse"),
    item("browse", "browse.toDoList", "&To Do List", ToDoList),
    item("browse", "browse.contacts", "&Contacts", Contacts),
    item("browse", "browse.clipboardSaver", "Clip&board Saver", ClipboardSaver),
    separator("browse"),
    item("browse", "browse.scheduleCategories", "Schedule Cate&gories", ScheduleCategories),
    item("browse", "browse.contactCategories", "Contact Categories", ContactCategories),

    menu("", "reports", "&Reports"),
    menu("reports", "reports.schedule", "&Schedule"),
    item("reports.schedule", "reports.schedule.brief", "&Brief Schedule", BriefScheduleReport),
    item("reports.schedule", "reports.schedule.byDate", "&All in Date Order", ScheduleByDateReport),
    item("reports.schedule", "reports.schedule.byCategory", "All in &Category Order",
         ScheduleByCategoryReport),
    item("reports.schedule", "reports.schedule.oneCategory", "&Specific Category",
         OneCategoryReport),
    item("reports", "reports.contacts", "&Contacts", ContactsReport, "List of Contacts"),
    item("reports", "reports.categories", "Cate&gories", CategoriesReport,
         "Print ordered by Category"),
    menu("reports", "reports.todo", "&To Do List"),
    item("reports.todo", "reports.todo.priority", "&Priority", TodoByPriorityReport),
    item("reports.todo", "reports.todo.category", "&Category", TodoByCategoryReport),

    menu("", "window", "&Window"),
    item("window", "window.tile", "T&ile", Tile),
    item("window", "window.cascade", "&Cascade", Cascade),
    item("window", "window.arrangeIcons", "&Arrange Icons", ArrangeIcons),

    menu("", "help", "&Help"),
    item("help", "help.contents", "&Contents", HelpContents),
    item("help", "help.search", "&Search for Help On...", HelpSearch),
    item("help", "help.onHelp", "&How to Use Help", HelpOnHelp),
    separator("help"),
    item("help", "help.about", "&About", About),
};

constexpr std::array kToolbarRows{
    ToolbarRow{"toolbar.programWizard", "Program Wizard", "Add a task to run a program",
               AddProgramWizard},
    ToolbarRow{"toolbar.messageWizard", "Message Wizard", "Add a task to display a message",
               AddMessageWizard},
    ToolbarRow{"toolbar.viewSchedule", "View Schedule",
               "View the schedule of tasks with options to add or modify", ViewSchedule},
    ToolbarRow{"toolbar.toDoList", "To Do List",
               "View the To Do List with options to add or modify", ToDoList},
};

constexpr std::array kNavigationRows{
    NavigationRow{"toolbar.firstPage", "First Page", "Go to the First Page", Navigation::FirstPage},
    NavigationRow{"toolbar.priorPage", "Prior Page", "Go to the Prior Page", Navigation::PriorPage},
    NavigationRow{"toolbar.priorRecord", "Prior Record", "Go to the Prior Record",
                  Navigation::PriorRecord},
    NavigationRow{"toolbar.nextRecord", "Next Record", "Go to the Next Record",
                  Navigation::NextRecord},
    NavigationRow{"toolbar.nextPage", "Next Page", "Go to the Next Page", Navigation::NextPage},
    NavigationRow{"toolbar.lastPage", "Last Page", "Go to the Last Page", Navigation::LastPage},
    NavigationRow{"toolbar.insert", "Insert", "Insert a new Record", Navigation::Insert},
};

}  // namespace

std::span<const NavigationRow> navigationRows() {
    return kNavigationRows;
}

std::span<const MenuRow> menuRows() {
    return kMenuRows;
}

std::span<const ToolbarRow> toolbarRows() {
    return kToolbarRows;
}

}  // namespace agendix::shell
