#pragma once

#include <cstdint>

#include "engine/ScheduleRules.h"
#include "platform/Clock.h"
#include "platform/UserInterface.h"
#include "store/Records.h"
#include "store/StoreError.h"
#include "store/StoredTable.h"

namespace agendix::engine {

inline constexpr const char* kInvalidUnitsText =
    "Custom repetition is not set up properly.  Select units.";
inline constexpr const char* kInvalidUnitsCaption = "Invalid Units";

// The time-range step gives up after this many advances; a shift gives up this many days away.
inline constexpr int kTimeRangeAdvances = 100;
inline constexpr std::int64_t kShiftLimitDays = 10000;

struct ExceptionsOutcome {
    // True: the task is written to Schedule (with its exception copy, when one was made). False:
    // nothing of the task was written; the caller writes it when it wants it kept.
    bool written = false;
    // The first table error met. A failed holiday lookup or roll-forward counts as no holiday and
    // the operation goes on; a failed write of the task or its copy ends it with nothing of the
    // two written. The caller shows the standard warning for it.
    store::StoreError error;
};

// The recurrence operations that reach the user and the tables: advancing a task with the
// "Invalid Units" warning, applying a task's exceptions (time range, weekends, weekdays,
// holidays) with the one-time exception copy, adding a copy of a task under a fresh ID, and the
// roll-forward of annual holidays.
//
// Every operation works on the task value it is given; the tables are the open Schedule and
// Holidays tables handed in. Table failures are returned as store::StoreError, never shown here.
class Recurrence {
  public:
    Recurrence(store::StoredTable& schedule, store::StoredTable& holidays,
               platform::UserInterface& ui, const platform::Clock& clock);

    // engine::advanceSchedule, telling the user "Invalid Units" when a custom repetition has no
    // known unit. Writes nothing.
    AdvanceResult advanceSchedule(store::Schedule& task, std::int32_t afterDate,
                                  std::int32_t afterTime);

    // Applies the task's exceptions to its next occurrence.
    //
    // A "Once" task has its exception fields cleared and nothing else happens. Otherwise, with
    // "except time" on, an occurrence inside the time range is moved on one occurrence at a time
    // (at most kTimeRangeAdvances times; when it is still inside, it goes to its next occurrence
    // just outside the range). Then, when the date falls on an excepted weekend day, weekday or
    // holiday ("except weekends" wins over "except weekdays", which is cleared), the recurring task
    // keeps the excepted date with SCH:SkipNextTime 1, and for the shift types "Next Day" and
    // "Previous Day" a one-time copy of it ("Once", its own ID, SCH:SkipNextTime as the task had
    // it) is added on the nearest day that is not excepted, the task pointing to it through
    // SCH:ExceptionLink. The task and its copy are written together or not at all.
    //
    // keepPreviousCopy false (the task form): the copy a previous save made is replaced, so a task
    // has at most one form-made copy pending. Only a copy still pending is deleted: a "Once" task,
    // not completed, with the task's own SCH:OriginalID (so the form stamps SCH:OriginalID before
    // it applies the exceptions). True (the scheduler, the wizards): earlier copies stay.
    //
    // Applying holiday exceptions first rolls annual holidays dated before today forward.
    ExceptionsOutcome applyExceptions(store::Schedule& task, bool keepPreviousCopy);

    // Adds the record (with its message) under the next free ID: the highest ID + 1, or 1 in an
    // empty table, raised past IDs another station takes meanwhile. On success the record holds its
    // ID and stored position.
    store::StoreError addScheduleCopy(store::Schedule& record);

    // Moves each annual holiday dated before today to its first anniversary on or after today
    // (see annualRollForward). A holiday whose new date another holiday already holds stays.
    store::StoreError rollAnnualHolidays();

    // Whether a holiday is dated on the day. A failed lookup counts as no holiday; its error is
    // given in `error`.
    bool isHoliday(std::int32_t date, store::StoreError& error);

  private:
    struct Warnings {
        bool invalidUnitsShown = false;
    };

    AdvanceResult advance(store::Schedule& task, Warnings& warnings);
    bool timeRangeStep(store::Schedule& task, Warnings& warnings);
    bool dateExcepted(store::Schedule& task, store::StoreError& error);
    std::int32_t shiftedDate(const store::Schedule& task, int direction, store::StoreError& error);
    ExceptionsOutcome writeWithCopy(store::Schedule& task, int direction, std::uint8_t skipBefore,
                                    bool keepPreviousCopy, store::StoreError firstError);
    store::StoreError removePreviousCopy(const store::Schedule& task, std::int32_t copyId);
    void warnInvalidUnits(Warnings& warnings);

    store::StoredTable& schedule_;
    store::StoredTable& holidays_;
    platform::UserInterface& ui_;
    const platform::Clock& clock_;
};

}  // namespace agendix::engine
