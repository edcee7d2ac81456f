#include "store/DataDictionary.h"

namespace agendix::store {
namespace {

KeyDef key(std::string name, std::vector<std::string> components, bool unique, bool caseInsensitive,
           bool primary = false) {
    return KeyDef{std::move(name), std::move(components), unique, caseInsensitive, primary};
}

constexpr bool kUnique = true;
constexpr bool kDuplicates = false;
constexpr bool kNoCase = true;
constexpr bool kExact = false;

template <class R>
TableDef table(std::string label, std::string prefix, std::string declaredName, int version,
               int recordBytes, std::vector<KeyDef> keys) {
    return TableDef{std::move(label),  std::move(prefix),   std::move(declaredName), version,
                    recordBytes,       fieldDefs(R::fields()), std::move(keys)};
}

std::vector<KeyDef> scheduleKeys() {
    return {
        key("KeyID", {"ID"}, kUnique, kExact, true),
        key("KeyUser", {"User", "ID"}, kDuplicates, kNoCase),
        key("KeyDate", {"Date", "Time"}, kDuplicates, kExact),
        key("KeyUserDate", {"User", "Date", "Time"}, kDuplicates, kNoCase),
        key("KeyCategory", {"Category", "Description"}, kDuplicates, kNoCase),
        key("KeyCategoryDate", {"Category", "Date", "Time"}, kDuplicates, kNoCase),
        key("KeyTaskName", {"Description", "Category"}, kDuplicates, kNoCase),
        key("KeyTaskType", {"TaskType", "Description"}, kDuplicates, kNoCase),
        key("KeyTaskDate", {"TaskType", "Date", "Time"}, kDuplicates, kNoCase),
        key("KeyDateEnabled", {"Disabled", "Date", "Time"}, kDuplicates, kExact),
        key("KeyAdvanced", {"AdvanceWarned", "AdvanceWarnDate", "AdvanceWarnTime"}, kDuplicates, kExact),
        key("KeyUserAdvanced", {"User", "AdvanceWarnDate", "AdvanceWarnTime"}, kDuplicates, kNoCase),
        key("KeyOriginalID", {"OriginalID"}, kDuplicates, kExact),
    };
}

std::vector<KeyDef> scriptingKeys() {
    return {key("KeyID", {"ID", "Sequence"}, kUnique, kExact, true)};
}

std::vector<KeyDef> todoKeys() {
    return {
        key("KeyDone", {"Done", "Priority", "ToDo"}, kDuplicates, kExact),
        key("KeyPriority", {"Priority", "Done", "ToDo"}, kDuplicates, kExact),
        key("KeyToDo", {"ToDo"}, kDuplicates, kExact),
        key("KeyCategory", {"Category", "Priority", "ToDo"}, kDuplicates, kNoCase),
    };
}

}  // namespace

const std::vector<FieldBinding<Schedule>>& Schedule::fields() {
    using R = Schedule;
    static const std::vector<FieldBinding<R>> bindings = {
        textField("User", 40, &R::User),
        longField("ID", &R::ID),
        textField("TaskType", 20, &R::TaskType),
        textField("Category", 20, &R::Category),
        textField("Description", 40, &R::Description),
        textField("Command", 255, &R::Command),
        textField("Path", 255, &R::Path),
        textField("ScheduleType", 20, &R::ScheduleType),
        byteField("Sunday", &R::Sunday),
        byteField("Monday", &R::Monday),
        byteField("Tuesday", &R::Tuesday),
        byteField("Wednesday", &R::Wednesday),
        byteField("Thursday", &R::Thursday),
        byteField("Friday", &R::Friday),
        byteField("Saturday", &R::Saturday),
        longField("Every", &R::Every),
        byteField("Every1st", &R::Every1st),
        byteField("Every2nd", &R::Every2nd),
        byteField("Every3rd", &R::Every3rd),
        byteField("Every4th", &R::Every4th),
        byteField("EveryLast", &R::EveryLast),
        byteField("LastDayofMonth", &R::LastDayofMonth),
        textField("EveryType", 20, &R::EveryType),
        longField("Date", &R::Date),
        longField("Time", &R::Time),
        longField("LastRunDate", &R::LastRunDate),
        longField("LastRunTime", &R::LastRunTime),
        byteField("SkipNextTime", &R::SkipNextTime),
        byteField("Alarm", &R::Alarm),
        ctextField("AlarmFile", 255, &R::AlarmFile),
        longField("AdvanceWarnDate", &R::AdvanceWarnDate),
        longField("AdvanceWarnTime", &R::AdvanceWarnTime),
        byteField("AdvanceWarned", &R::AdvanceWarned),
        byteField("Warn", &R::Warn),
        byteField("SkipIfMissed", &R::SkipIfMissed),
        byteField("NoHistory", &R::NoHistory),
        byteField("UserSkip", &R::UserSkip),
        byteField("Disabled", &R::Disabled),
        byteField("Completed", &R::Completed),
        byteField("Skipped", &R::Skipped),
        byteField("UndefinedOption1", &R::UndefinedOption1),
        byteField("UndefinedOption2", &R::UndefinedOption2),
        textField("ShiftType", 20, &R::ShiftType),
        byteField("ExceptWeekends", &R::ExceptWeekends),
        byteField("ExceptWeekdays", &R::ExceptWeekdays),
        byteField("ExceptHolidays", &R::ExceptHolidays),
        byteField("ExceptTime", &R::ExceptTime),
        longField("ExceptTimeBegin", &R::ExceptTimeBegin),
        longField("ExceptTimeEnd", &R::ExceptTimeEnd),
        textField("ExceptOther", 20, &R::ExceptOther),
        longField("ExceptionLink", &R::ExceptionLink),
        textField("NetworkUser", 30, &R::NetworkUser),
        longField("LastChangeDate", &R::LastChangeDate),
        longField("LastChangeTime", &R::LastChangeTime),
        longField("OriginalID", &R::OriginalID),
        memoField("Message", 1000, &R::Message),
    };
    return bindings;
}

const std::vector<FieldBinding<Scripting>>& Scripting::fields() {
    using R = Scripting;
    static const std::vector<FieldBinding<R>> bindings = {
        longField("ID", &R::ID),
        longField("Sequence", &R::Sequence),
        textField("Action", 27, &R::Action),
        textField("Keystrokes", 255, &R::Keystrokes),
        longField("SecondsToWait", &R::SecondsToWait),
        textField("WaitForWindow", 255, &R::WaitForWindow),
        textField("FocusOnWindow", 255, &R::FocusOnWindow),
        textField("WindowExistance", 20, &R::WindowExistance),
        textField("WindowTitleToCheckFor", 255, &R::WindowTitleToCheckFor),
        textField("IfTimeElapsed", 20, &R::IfTimeElapsed),
        longField("TimeElapsed", &R::TimeElapsed),
        textField("DDEType", 20, &R::DDEType),
        textField("DDEApplicationName", 80, &R::DDEApplicationName),
        textField("DDEApplicationTopic", 80, &R::DDEApplicationTopic),
        textField("DDELinkItem", 80, &R::DDELinkItem),
        textField("DDECommand", 80, &R::DDECommand),
        textField("Command", 255, &R::Command),
        textField("Path", 255, &R::Path),
        longField("NextTaskID", &R::NextTaskID),
        textField("NetworkUser", 30, &R::NetworkUser),
        longField("LastChangeDate", &R::LastChangeDate),
        longField("LastChangeTime", &R::LastChangeTime),
        longField("OriginalID", &R::OriginalID),
    };
    return bindings;
}

const std::vector<FieldBinding<Categories>>& Categories::fields() {
    static const std::vector<FieldBinding<Categories>> bindings = {
        textField("Category", 20, &Categories::Category),
    };
    return bindings;
}

const std::vector<FieldBinding<Todo>>& Todo::fields() {
    using R = Todo;
    static const std::vector<FieldBinding<R>> bindings = {
        byteField("Done", &R::Done),
        byteField("Priority", &R::Priority),
        textField("Category", 20, &R::Category),
        textField("ToDo", 80, &R::ToDo),
        longField("CompletionDate", &R::CompletionDate),
        longField("CompletionTime", &R::CompletionTime),
        textField("NetworkUser", 30, &R::NetworkUser),
        longField("LastChangeDate", &R::LastChangeDate),
        longField("LastChangeTime", &R::LastChangeTime),
        longField("OriginalID", &R::OriginalID),
        memoField("Notes", 4096, &R::Notes),
        memoField("Resolution", 1000, &R::Resolution),
    };
    return bindings;
}

const std::vector<FieldBinding<Contact>>& Contact::fields() {
    using R = Contact;
    static const std::vector<FieldBinding<R>> bindings = {
        textField("User", 40, &R::User),
        longField("ClientID", &R::ClientID),
        textField("LastName", 30, &R::LastName),
        textField("FirstName", 20, &R::FirstName),
        textField("AddressLine1", 30, &R::AddressLine1),
        textField("AddressLine2", 30, &R::AddressLine2),
        textField("AddressLine3", 30, &R::AddressLine3),
        textField("PostalCode", 10, &R::PostalCode),
        textField("WorkDayPhone", 20, &R::WorkDayPhone),
        textField("HomeEveningPhone", 20, &R::HomeEveningPhone),
        textField("Fax", 20, &R::Fax),
        textField("OtherPhone", 20, &R::OtherPhone),
        textField("Email", 40, &R::Email),
        textField("WebSite", 60, &R::WebSite),
        textField("ContactCategory", 20, &R::ContactCategory),
        memoField("Notes", 1024, &R::Notes),
    };
    return bindings;
}

const std::vector<FieldBinding<ContactCategories>>& ContactCategories::fields() {
    static const std::vector<FieldBinding<ContactCategories>> bindings = {
        textField("ContactCategory", 20, &ContactCategories::ContactCategory),
    };
    return bindings;
}

const std::vector<FieldBinding<Link>>& Link::fields() {
    static const std::vector<FieldBinding<Link>> bindings = {
        longField("ID", &Link::ID),
        longField("ClientID", &Link::ClientID),
    };
    return bindings;
}

const std::vector<FieldBinding<WindowLookup>>& WindowLookup::fields() {
    using R = WindowLookup;
    static const std::vector<FieldBinding<R>> bindings = {
        textField("Title", 70, &R::Title),
        longField("Date", &R::Date),
        longField("Time", &R::Time),
    };
    return bindings;
}

const std::vector<FieldBinding<Clipboard>>& Clipboard::fields() {
    using R = Clipboard;
    static const std::vector<FieldBinding<R>> bindings = {
        textField("User", 40, &R::User),
        longField("ClipDate", &R::ClipDate),
        longField("ClipTime", &R::ClipTime),
        textField("ClipHashKey", 40, &R::ClipHashKey),
        byteField("ClipKeep", &R::ClipKeep),
        memoField("ClipContents", 4096, &R::ClipContents),
    };
    return bindings;
}

const std::vector<FieldBinding<Holidays>>& Holidays::fields() {
    using R = Holidays;
    static const std::vector<FieldBinding<R>> bindings = {
        longField("HolidayDate", &R::HolidayDate),
        textField("Holiday", 20, &R::Holiday),
        byteField("Annual", &R::Annual),
    };
    return bindings;
}

const std::vector<FieldBinding<Configuration>>& Configuration::fields() {
    using R = Configuration;
    static const std::vector<FieldBinding<R>> bindings = {
        textField("DataType", 40, &R::DataType),
        textField("DataValue", 80, &R::DataValue),
    };
    return bindings;
}

const std::vector<FieldBinding<TagFile>>& TagFile::fields() {
    using R = TagFile;
    static const std::vector<FieldBinding<R>> bindings = {
        longField("Usr", &R::Usr),
        shortField("Tbl", &R::Tbl),
        longField("Ptr", &R::Ptr),
        textField("Val", 10, &R::Val),
    };
    return bindings;
}

const std::vector<FieldBinding<TagFileP>>& TagFileP::fields() {
    using R = TagFileP;
    static const std::vector<FieldBinding<R>> bindings = {
        longField("Usr", &R::Usr),
        shortField("Tbl", &R::Tbl),
        textField("Pos", 256, &R::Pos),
        textField("Val", 10, &R::Val),
    };
    return bindings;
}

const TableDef& scheduleTable() {
    static const TableDef def = table<Schedule>("Schedule", "SCH", "ag97\\!s", 5, 1080, scheduleKeys());
    return def;
}

const TableDef& scriptingTable() {
    static const TableDef def =
        table<Scripting>("Scripting", "SCR", "AG97\\!Script", 4, 1999, scriptingKeys());
    return def;
}

const TableDef& categoriesTable() {
    static const TableDef def = table<Categories>(
        "Categories", "CAT", "AG97\\!Categories", 2, 20,
        {key("KeyCategory", {"Category"}, kUnique, kNoCase, true)});
    return def;
}

const TableDef& todoTable() {
    static const TableDef def = table<Todo>("Todo", "TDO", "AG97\\!ToDo", 4, 152, todoKeys());
    return def;
}

const TableDef& contactTable() {
    static const TableDef def = table<Contact>(
        "Contact", "C_", "Ag97.TPS\\!Contact", 2, 394,
        {
            key("KeyClientID", {"ClientID"}, kUnique, kExact, true),
            key("KeyUserClientID", {"User", "ClientID"}, kDuplicates, kNoCase),
            key("KeyLastName", {"LastName", "FirstName", "PostalCode"}, kDuplicates, kNoCase),
            key("KeyFirstName", {"FirstName", "LastName", "PostalCode"}, kDuplicates, kNoCase),
            key("KeyWorkPhone", {"WorkDayPhone"}, kDuplicates, kNoCase),
            key("KeyHomePhone", {"HomeEveningPhone"}, kDuplicates, kNoCase),
            key("KeyFaxNumber", {"Fax"}, kDuplicates, kNoCase),
            key("KeyEmail", {"Email"}, kDuplicates, kNoCase),
            key("KeyCategory", {"ContactCategory", "LastName", "FirstName"}, kDuplicates, kNoCase),
        });
    return def;
}

const TableDef& contactCategoriesTable() {
    static const TableDef def = table<ContactCategories>(
        "ContactCategories", "CC", "ag97\\!ConCat", 2, 20,
        {key("KeyContactCategories", {"ContactCategory"}, kUnique, kNoCase, true)});
    return def;
}

const TableDef& linkTable() {
    static const TableDef def = table<Link>("Link", "L", "AG97\\!Link", 2, 8,
                                            {
                                                key("KeySchedule", {"ID", "ClientID"}, kUnique, kExact, true),
                                                key("KeyClient", {"ClientID", "ID"}, kUnique, kExact),
                                            });
    return def;
}

const TableDef& windowLookupTable() {
    static const TableDef def = table<WindowLookup>(
        "WindowLookup", "WL", "AG97\\!WL", 2, 78,
        {
            key("KeyTitle", {"Title"}, kUnique, kExact),
            key("KeyDate", {"Date", "Time", "Title"}, kDuplicates, kNoCase),
        });
    return def;
}

const TableDef& clipboardTable() {
    static const TableDef def = table<Clipboard>(
        "Clipboard", "CLI", "AG97\\!Clipboard", 3, 89,
        {
            key("KeyClipDate", {"User", "ClipKeep", "ClipDate", "ClipTime"}, kDuplicates, kExact),
            key("KeyClipHash", {"User", "ClipHashKey"}, kUnique, kNoCase),
        });
    return def;
}

const TableDef& holidaysTable() {
    static const TableDef def = table<Holidays>("Holidays", "HOL", "AG97\\!Hol", 2, 25,
                                                {key("KeyHolidayDate", {"HolidayDate"}, kUnique, kExact)});
    return def;
}

const TableDef& configurationTable() {
    static const TableDef def =
        table<Configuration>("Configuration", "CF", "AG97\\!CF", 1, 120,
                             {key("KeyDataType", {"DataType"}, kUnique, kNoCase)});
    return def;
}

const TableDef& syncScheduleTable() {
    static const TableDef def =
        table<Schedule>("SyncSchedule", "SSCH", "SyncSch.syn", 1, 1080, scheduleKeys());
    return def;
}

const TableDef& syncScriptingTable() {
    static const TableDef def =
        table<Scripting>("SyncScripting", "SSCR", "SyncScr.syn", 1, 1999, scriptingKeys());
    return def;
}

const TableDef& syncTodoTable() {
    static const TableDef def = table<Todo>("SyncTodo", "STDO", "SyncTodo.syn", 1, 152, todoKeys());
    return def;
}

const TableDef& tagFileTable() {
    static const TableDef def =
        table<TagFile>("TagFile", "TF_", kTagFile, 1, 20,
                       {
                           key("PtrKey", {"Usr", "Tbl", "Ptr"}, kUnique, kExact, true),
                           key("ValKey", {"Usr", "Tbl", "Val"}, kDuplicates, kNoCase),
                       });
    return def;
}

const TableDef& tagFilePTable() {
    static const TableDef def =
        table<TagFileP>("TagFileP", "TP_", kTagFileP, 1, 272,
                        {
                            key("PosKey", {"Usr", "Tbl", "Pos"}, kUnique, kExact, true),
                            key("ValKey", {"Usr", "Tbl", "Val"}, kDuplicates, kNoCase),
                        });
    return def;
}

const std::vector<const TableDef*>& registeredTables() {
    static const std::vector<const TableDef*> tables = {
        &categoriesTable(),   &clipboardTable(),     &configurationTable(), &contactTable(),
        &contactCategoriesTable(), &holidaysTable(), &linkTable(),          &scheduleTable(),
        &scriptingTable(),    &syncScheduleTable(),  &syncScriptingTable(), &syncTodoTable(),
        &todoTable(),         &windowLookupTable(),
    };
    return tables;
}

}  // namespace agendix::store
