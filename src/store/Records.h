#pragma once

// The records of every table: one struct per table, members named after the fields (without the
// prefix), in declaration order, memos last. Text members hold the text without trailing blanks.

#include <cstdint>
#include <string>
#include <vector>

#include "store/RecordPosition.h"
#include "store/TableDef.h"

namespace agendix::store {

// Scheduled tasks (SCH).
struct Schedule {
    std::string User;
    std::int32_t ID = 0;
    std::string TaskType;
    std::string Category;
    std::string Description;
    std::string Command;
    std::string Path;
    std::string ScheduleType;
    std::uint8_t Sunday = 0, Monday = 0, Tuesday = 0, Wednesday = 0, Thursday = 0, Friday = 0,
                 Saturday = 0;
    std::int32_t Every = 0;
    std::uint8_t Every1st = 0, Every2nd = 0, Every3rd = 0, Every4th = 0, EveryLast = 0,
                 LastDayofMonth = 0;
    std::string EveryType;
    std::int32_t Date = 0;
    std::int32_t Time = 0;
    std::int32_t LastRunDate = 0;
    std::int32_t LastRunTime = 0;
    std::uint8_t SkipNextTime = 0;
    std::uint8_t Alarm = 0;
    std::string AlarmFile;
    std::int32_t AdvanceWarnDate = 0;
    std::int32_t AdvanceWarnTime = 0;
    std::uint8_t AdvanceWarned = 0;
    std::uint8_t Warn = 0;
    std::uint8_t SkipIfMissed = 0;
    std::uint8_t NoHistory = 0;
    std::uint8_t UserSkip = 0;
    std::uint8_t Disabled = 0;
    std::uint8_t Completed = 0;
    std::uint8_t Skipped = 0;
    std::uint8_t UndefinedOption1 = 0;
    std::uint8_t UndefinedOption2 = 0;
    std::string ShiftType;
    std::uint8_t ExceptWeekends = 0, ExceptWeekdays = 0, ExceptHolidays = 0, ExceptTime = 0;
    std::int32_t ExceptTimeBegin = 0;
    std::int32_t ExceptTimeEnd = 0;
    std::string ExceptOther;
    std::int32_t ExceptionLink = 0;
    std::string NetworkUser;
    std::int32_t LastChangeDate = 0;
    std::int32_t LastChangeTime = 0;
    std::int32_t OriginalID = 0;
    std::string Message;  // memo

    RecordPosition position;
    static const std::vector<FieldBinding<Schedule>>& fields();
};

// Script items of tasks (SCR).
struct Scripting {
    std::int32_t ID = 0;
    std::int32_t Sequence = 0;
    std::string Action;
    std::string Keystrokes;
    std::int32_t SecondsToWait = 0;
    std::string WaitForWindow;
    std::string FocusOnWindow;
    std::string WindowExistance;
    std::string WindowTitleToCheckFor;
    std::string IfTimeElapsed;
    std::int32_t TimeElapsed = 0;
    std::string DDEType;
    std::string DDEApplicationName;
    std::string DDEApplicationTopic;
    std::string DDELinkItem;
    std::string DDECommand;
    std::string Command;
    std::string Path;
    std::int32_t NextTaskID = 0;
    std::string NetworkUser;
    std::int32_t LastChangeDate = 0;
    std::int32_t LastChangeTime = 0;
    std::int32_t OriginalID = 0;

    RecordPosition position;
    static const std::vector<FieldBinding<Scripting>>& fields();
};

// Schedule categories (CAT).
struct Categories {
    std::string Category;

    RecordPosition position;
    static const std::vector<FieldBinding<Categories>>& fields();
};

// To-do items (TDO).
struct Todo {
    std::uint8_t Done = 0;
    std::uint8_t Priority = 0;
    std::string Category;
    std::string ToDo;
    std::int32_t CompletionDate = 0;
    std::int32_t CompletionTime = 0;
    std::string NetworkUser;
    std::int32_t LastChangeDate = 0;
    std::int32_t LastChangeTime = 0;
    std::int32_t OriginalID = 0;
    std::string Notes;       // memo
    std::string Resolution;  // memo

    RecordPosition position;
    static const std::vector<FieldBinding<Todo>>& fields();
};

// Contacts (C_).
struct Contact {
    std::string User;
    std::int32_t ClientID = 0;
    std::string LastName;
    std::string FirstName;
    std::string AddressLine1;
    std::string AddressLine2;
    std::string AddressLine3;
    std::string PostalCode;
    std::string WorkDayPhone;
    std::string HomeEveningPhone;
    std::string Fax;
    std::string OtherPhone;
    std::string Email;
    std::string WebSite;
    std::string ContactCategory;
    std::string Notes;  // memo

    RecordPosition position;
    static const std::vector<FieldBinding<Contact>>& fields();
};

// Contact categories (CC).
struct ContactCategories {
    std::string ContactCategory;

    RecordPosition position;
    static const std::vector<FieldBinding<ContactCategories>>& fields();
};

// Task-to-contact links (L).
struct Link {
    std::int32_t ID = 0;
    std::int32_t ClientID = 0;

    RecordPosition position;
    static const std::vector<FieldBinding<Link>>& fields();
};

// Remembered window titles (WL).
struct WindowLookup {
    std::string Title;
    std::int32_t Date = 0;
    std::int32_t Time = 0;

    RecordPosition position;
    static const std::vector<FieldBinding<WindowLookup>>& fields();
};

// Clipboard saver entries (CLI).
struct Clipboard {
    std::string User;
    std::int32_t ClipDate = 0;
    std::int32_t ClipTime = 0;
    std::string ClipHashKey;
    std::uint8_t ClipKeep = 0;
    std::string ClipContents;  // memo

    RecordPosition position;
    static const std::vector<FieldBinding<Clipboard>>& fields();
};

// Holidays (HOL).
struct Holidays {
    std::int32_t HolidayDate = 0;
    std::string Holiday;
    std::uint8_t Annual = 0;

    RecordPosition position;
    static const std::vector<FieldBinding<Holidays>>& fields();
};

// Named settings (CF).
struct Configuration {
    std::string DataType;
    std::string DataValue;

    RecordPosition position;
    static const std::vector<FieldBinding<Configuration>>& fields();
};

// Record tags of the search windows, by record number (TF_).
struct TagFile {
    std::int32_t Usr = 0;
    std::int16_t Tbl = 0;
    std::int32_t Ptr = 0;
    std::string Val;

    RecordPosition position;
    static const std::vector<FieldBinding<TagFile>>& fields();
};

// Record tags of the search windows, by position text (TP_).
struct TagFileP {
    std::int32_t Usr = 0;
    std::int16_t Tbl = 0;
    std::string Pos;
    std::string Val;

    RecordPosition position;
    static const std::vector<FieldBinding<TagFileP>>& fields();
};

}  // namespace agendix::store
