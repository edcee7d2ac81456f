#include "engine/Recurrence.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "engine/Calendar.h"
#include "store/Table.h"
#include "store/Transaction.h"

namespace agendix::engine {
namespace {

using store::ErrorKind;
using store::StoreError;

constexpr int kHolidayPage = 32;
// How many IDs an add may find taken by other stations before it gives up.
constexpr int kIdAttempts = 1000;

void keepFirst(StoreError& first, const StoreError& error) {
    if (first.ok() && !error.ok()) {
        first = error;
    }
}

// The time a task goes to when a hundred advances have not taken it out of its excepted range:
// the first time after the range, or, for a range running to the end of the day, the last time
// before it. A range across midnight leaves out its end, which is therefore the time. A range
// holding the whole day leaves no time free: the end, as for a range across midnight.
std::int32_t timeOutsideRange(std::int32_t begin, std::int32_t end) {
    if (begin > end) {
        return end;
    }
    if (end < calendar::kDayUnits) {
        return end + 1;
    }
    if (begin > 1) {
        return begin - 1;
    }
    return end;
}

}  // namespace

Recurrence::Recurrence(store::StoredTable& schedule, store::StoredTable& holidays,
                       platform::UserInterface& ui, const platform::Clock& clock)
    : schedule_(schedule), holidays_(holidays), ui_(ui), clock_(clock) {}

void Recurrence::warnInvalidUnits(Warnings& warnings) {
    if (warnings.invalidUnitsShown) {
        return;
    }
    warnings.invalidUnitsShown = true;
    platform::MessageRequest request;
    request.text = kInvalidUnitsText;
    request.caption = kInvalidUnitsCaption;
    request.icon = platform::MessageIcon::Exclamation;
    request.buttons = platform::Ok;
    request.defaultButton = platform::Ok;
    ui_.message(request);
}

AdvanceResult Recurrence::advanceSchedule(store::Schedule& task, std::int32_t afterDate,
                                          std::int32_t afterTime) {
    const AdvanceResult result = engine::advanceSchedule(task, afterDate, afterTime);
    if (result == AdvanceResult::InvalidUnits) {
        Warnings warnings;
        warnInvalidUnits(warnings);
    }
    return result;
}

AdvanceResult Recurrence::advance(store::Schedule& task, Warnings& warnings) {
    const AdvanceResult result = advanceOneOccurrence(task);
    if (result == AdvanceResult::InvalidUnits) {
        // Once per application of the exceptions: the time-range step may advance many times.
        warnInvalidUnits(warnings);
    }
    return result;
}

// Moves an occurrence that lies inside the excepted time range on, one occurrence at a time.
// Returns whether the task moved.
bool Recurrence::timeRangeStep(store::Schedule& task, Warnings& warnings) {
    if (task.ExceptTimeEnd == 0) {
        task.ExceptTimeEnd =
            static_cast<std::int32_t>(calendar::kDayUnits);  // to the end of the day
    }
    const std::int32_t begin = task.ExceptTimeBegin;
    const std::int32_t end = task.ExceptTimeEnd;
    const std::int32_t startDate = task.Date;
    const std::int32_t startTime = task.Time;
    int advances = 0;
    while (advances < kTimeRangeAdvances && timeRangeContains(begin, end, task.Time)) {
        ++advances;
        advance(task, warnings);
    }
    if (advances == kTimeRangeAdvances && timeRangeContains(begin, end, task.Time)) {
        // A day-based task keeps its time from one occurrence to the next: it goes to its next
        // occurrence at a time outside the range. The time is outside so that applying the
        // exceptions again leaves the task where it is.
        task.Date = startDate;
        task.Time = startTime;
        advance(task, warnings);
        task.Time = timeOutsideRange(begin, end);
    }
    return advances > 0;
}

bool Recurrence::isHoliday(std::int32_t date, StoreError& error) {
    store::Table<store::Holidays> holidays(holidays_);
    store::Holidays holiday;
    holiday.HolidayDate = date;
    const StoreError lookup = holidays.get("KeyHolidayDate", holiday);
    if (lookup.ok()) {
        return true;
    }
    if (!lookup.is(ErrorKind::RecordNotFound)) {
        keepFirst(error, lookup);
    }
    return false;
}

StoreError Recurrence::rollAnnualHolidays() {
    store::Table<store::Holidays> holidays(holidays_);
    holidays.setKey("KeyHolidayDate");
    const std::int32_t today = clock_.today();
    StoreError first;
    std::int64_t records = 0;
    if (StoreError counted = holidays_.count(records); !counted.ok()) {
        return counted;
    }
    // Each page moves the place along the key; a holiday rolled forward lands on or after today,
    // where the walk stops, so no page is read twice.
    for (std::int64_t pages = 0; pages <= records / kHolidayPage; ++pages) {
        std::vector<store::Holidays> page;
        const StoreError read = holidays.nextPage(kHolidayPage, page);
        if (!read.ok() && !read.is(ErrorKind::NoMoreRecords)) {
            keepFirst(first, read);
            return first;
        }
        for (store::Holidays& holiday : page) {
            if (holiday.HolidayDate >= today) {
                return first;
            }
            if (holiday.Annual == 0) {
                continue;
            }
            holiday.HolidayDate = annualRollForward(holiday.HolidayDate, today);
            const StoreError written = holidays.put(holiday);
            if (!written.is(ErrorKind::DuplicateKey)) {
                keepFirst(first, written);
            }
        }
        if (page.size() < static_cast<std::size_t>(kHolidayPage)) {
            return first;
        }
    }
    return first;
}

bool Recurrence::dateExcepted(store::Schedule& task, StoreError& error) {
    if (task.ExceptWeekends != 0) {
        task.ExceptWeekdays = 0;  // "except weekends" wins
    }
    const bool weekend = calendar::isWeekend(task.Date);
    bool excepted = (task.ExceptWeekends != 0 && weekend) || (task.ExceptWeekdays != 0 && !weekend);
    if (task.ExceptHolidays != 0) {
        keepFirst(error, rollAnnualHolidays());
        excepted = isHoliday(task.Date, error) || excepted;
    }
    return excepted;
}

// The nearest date in the direction that is not excepted: passes of the weekend, weekday and
// holiday tests, each moving the date a day, until a pass moves nothing or the date is more than
// kShiftLimitDays away (where it stays).
std::int32_t Recurrence::shiftedDate(const store::Schedule& task, int direction,
                                     StoreError& error) {
    const std::int64_t start = task.Date;
    std::int64_t date = start;
    auto step = [&]() {
        if (!calendar::isStandardDate(date + direction)) {
            return false;
        }
        date += direction;
        return true;
    };
    for (;;) {
        bool moved = false;
        if (task.ExceptWeekends != 0 && calendar::isWeekend(date)) {
            moved = step() || moved;
        }
        if (task.ExceptWeekdays != 0 && !calendar::isWeekend(date)) {
            moved = step() || moved;
        }
        if (task.ExceptHolidays != 0 && isHoliday(static_cast<std::int32_t>(date), error)) {
            moved = step() || moved;
        }
        if (!moved || date - start > kShiftLimitDays || start - date > kShiftLimitDays) {
            return static_cast<std::int32_t>(date);
        }
    }
}

StoreError Recurrence::removePreviousCopy(const store::Schedule& task, std::int32_t copyId) {
    store::Table<store::Schedule> schedule(schedule_);
    store::Schedule previous;
    previous.ID = copyId;
    const StoreError found = schedule.get("KeyID", previous);
    if (found.is(ErrorKind::RecordNotFound)) {
        return StoreError::none();  // already gone: run and deleted, or deleted by the user
    }
    if (!found.ok()) {
        return found;
    }
    // The ID may since belong to another task, or the copy may have run and become a history
    // record: only a pending copy of this task is replaced.
    const bool pendingCopy = previous.ID != task.ID &&
                             scheduleKind(previous.ScheduleType) == ScheduleKind::Once &&
                             previous.Completed == 0 && previous.OriginalID == task.OriginalID;
    if (!pendingCopy) {
        return StoreError::none();
    }
    return schedule.remove(previous);
}

ExceptionsOutcome Recurrence::writeWithCopy(store::Schedule& task, int direction,
                                            std::uint8_t skipBefore, bool keepPreviousCopy,
                                            StoreError firstError) {
    ExceptionsOutcome outcome;
    outcome.error = std::move(firstError);

    store::Schedule copy = task;
    copy.Date = shiftedDate(task, direction, outcome.error);
    copy.ScheduleType = std::string(kOnce);
    copy.ExceptionLink = 0;
    copy.SkipNextTime = skipBefore;
    copy.position = {};

    const std::int32_t previousCopy = task.ExceptionLink;
    auto fail = [&](const StoreError& error) {
        // Nothing was written: the task is back as the caller would write it itself, without the
        // skip that only its copy would have made good.
        task.SkipNextTime = skipBefore;
        task.ExceptionLink = previousCopy;
        outcome.written = false;
        outcome.error = error;
        return outcome;
    };

    // The copy, the task's link to it and the removal of the copy it replaces go together. Inside
    // a transaction of the caller's they are part of it.
    store::Transaction transaction;
    if (!(schedule_.isOpen() && schedule_.file()->inTransaction())) {
        if (StoreError error = transaction.begin({&schedule_}); !error.ok()) {
            return fail(error);
        }
    }
    if (!keepPreviousCopy && previousCopy != 0) {
        if (StoreError error = removePreviousCopy(task, previousCopy); !error.ok()) {
            return fail(error);
        }
    }
    if (StoreError error = addScheduleCopy(copy); !error.ok()) {
        return fail(error);
    }
    task.ExceptionLink = copy.ID;
    store::Table<store::Schedule> schedule(schedule_);
    if (StoreError error = schedule.put(task); !error.ok()) {
        return fail(error);
    }
    if (StoreError error = transaction.commit(); !error.ok()) {
        return fail(error);
    }
    outcome.written = true;
    return outcome;
}

ExceptionsOutcome Recurrence::applyExceptions(store::Schedule& task, bool keepPreviousCopy) {
    if (scheduleKind(task.ScheduleType) == ScheduleKind::Once) {
        task.ExceptTime = 0;
        task.ExceptWeekends = 0;
        task.ExceptWeekdays = 0;
        task.ExceptHolidays = 0;
        task.ExceptTimeBegin = 0;
        task.ExceptTimeEnd = 0;
        task.ExceptOther.clear();
        return {};
    }
    const bool dateSwitches =
        task.ExceptWeekends != 0 || task.ExceptWeekdays != 0 || task.ExceptHolidays != 0;
    if (task.ExceptTime == 0 && !dateSwitches) {
        return {};
    }

    Warnings warnings;
    StoreError firstError;
    const bool moved = task.ExceptTime != 0 && timeRangeStep(task, warnings);
    const bool excepted = dateSwitches && dateExcepted(task, firstError);
    if (excepted) {
        const std::uint8_t skipBefore = task.SkipNextTime;
        task.SkipNextTime = 1;
        const char shift = task.ShiftType.empty() ? ' ' : task.ShiftType.front();
        if (shift == 'N' || shift == 'P') {
            return writeWithCopy(task, shift == 'N' ? 1 : -1, skipBefore, keepPreviousCopy,
                                 std::move(firstError));
        }
        // "Skip (to Next Valid Day)" or no shift type: the scheduler passes over the occurrence.
    }

    ExceptionsOutcome outcome;
    outcome.error = std::move(firstError);
    if (excepted || moved) {
        store::Table<store::Schedule> schedule(schedule_);
        const StoreError written = schedule.put(task);
        outcome.written = written.ok();
        if (!written.ok()) {
            outcome.error = written;
        }
    }
    return outcome;
}

StoreError Recurrence::addScheduleCopy(store::Schedule& record) {
    store::Table<store::Schedule> schedule(schedule_);
    schedule.setKey("KeyID");
    store::Schedule highest;
    std::int64_t id = 1;
    const StoreError read = schedule.previous(highest);
    if (read.ok()) {
        id = std::max<std::int64_t>(static_cast<std::int64_t>(highest.ID) + 1, 1);
    } else if (!read.is(ErrorKind::NoMoreRecords)) {
        return read;
    }
    for (int attempt = 0; attempt < kIdAttempts; ++attempt, ++id) {
        if (id > std::numeric_limits<std::int32_t>::max()) {
            return StoreError::of(ErrorKind::DuplicateKey,
                                  schedule_.name() + ": no free task number");
        }
        record.ID = static_cast<std::int32_t>(id);
        record.position = {};
        const StoreError added = schedule.add(record);
        if (!added.is(ErrorKind::DuplicateKey)) {
            return added;  // added, or a failure other than a taken ID
        }
    }
    return StoreError::of(ErrorKind::DuplicateKey, schedule_.name() + ": no free task number");
}

}  // namespace agendix::engine
