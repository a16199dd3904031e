#pragma once
// A place's local civil time: its zone (the standard offset from UT and the summer-time rule it
// keeps), the decision whether a civil day is kept in summer time, and the conversion between
// a local clock reading and an Instant. Every zone decision of the program is made here.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "astro/time/calendar_dates.h"
#include "astro/time/instant.h"

namespace noctaris {

// A change of a zone's clock.
struct ClockChange {
    Instant at;
    int offsetBeforeSeconds = 0, offsetAfterSeconds = 0;  // east of UT
    bool summerBefore = false, summerAfter = false;       // whether the clock kept summer time
};

// A zone's legal clock as a time-zone database records it. Implemented outside the core (the
// database belongs to the platform); must be safe to call from several threads.
class ZoneRules {
public:
    virtual ~ZoneRules() = default;
    // Seconds east of UT the clock keeps at t, and whether that is summer (daylight) time.
    virtual int OffsetSecondsAt(const Instant& t) const = 0;
    virtual bool IsSummerTimeAt(const Instant& t) const = 0;
    // The zone's abbreviation at t ("AEDT"); empty when the database has none but a number.
    virtual std::string AbbreviationAt(const Instant& t) const = 0;
    // The changes of the clock in [from, to), in order.
    virtual std::vector<ClockChange> ChangesBetween(const Instant& from, const Instant& to) const = 0;
};

// The summer-time rules the program knows. European: none before 1980; 1980–1995 from the last
// Sunday of March to the last Sunday of September; since 1996 to the last Sunday of October.
// Legal: the place's own clock from its ZoneRules (standard time when it has none).
enum class SummerTimeRule { None, European, Legal };

// How a place keeps its clock.
struct ZoneDescription {
    double standardOffsetHours = 0;  // hours east of UT
    SummerTimeRule summerTime = SummerTimeRule::None;
    std::shared_ptr<const ZoneRules> rules;  // used by SummerTimeRule::Legal
};

// The hours east of UT the clock keeps at an instant.
double OffsetHoursAt(const ZoneDescription& zone, const Instant& t);

// Hours counted from a local midnight read with `assumedOffsetHours` (as a day's report counts
// them, midnightUT being that midnight's UT Julian day), read on the clock kept at that time:
// on a day the clock changes, a time on the other side of the change moves by the change.
double HoursOnOwnClock(const ZoneDescription& zone, double midnightUT, double assumedOffsetHours, double hours);

// The zone's name at an instant for showing next to a time: the database's abbreviation, else
// "UTC+hh:mm".
std::string ZoneLabelAt(const ZoneDescription& zone, const Instant& t);

// The changes of the place's clock in a civil year: from its rules whenever it has them (also
// when standard time is shown), else the European rule's at local midnight of the change days.
std::vector<ClockChange> ClockChangesInYear(const ZoneDescription& zone, int year);

// How a local clock reading maps to instants: once, not at all (the clock skipped it) or twice
// (the clock read it twice).
enum class LocalReading { Unique, Skipped, Repeated };
struct ResolvedLocal {
    Instant instant;
    LocalReading reading = LocalReading::Unique;
    double offsetHours = 0;  // the offset the reading was taken with
};
// Skipped: the reading taken with the offset before the change (it falls after the change, as
// the database resolves it); Repeated: the earlier of the two instants.
ResolvedLocal ResolveLocal(const CivilDateTime& local, const ZoneDescription& zone);

// The hours east of UT a local clock reading is taken with, as ResolveLocal (the standard
// offset for a date the calendar does not have).
double ClockOffsetHoursAt(const ZoneDescription& zone, const CivilDateTime& local);

// A civil day on the place's clock: its midnight as a UT Julian day, the clock's offset then,
// and its length in hours to the next day's midnight (23 or 25 when the clock changes in it; 24
// when the next day's offset is not to be had).
struct LocalDay {
    double startUT = 0;
    double startOffsetHours = 0;
    double hours = 24;
};
LocalDay LocalDayOf(const ZoneDescription& zone, const CivilDate& date);

// The days on which a year's summer time begins and ends (European rule only).
struct SummerTimeChanges {
    CivilDate begin, end;
};
// None when the rule keeps no summer time in that year.
std::optional<SummerTimeChanges> SummerTimeChangesOf(const ZoneDescription& zone, int year);

// Whether a civil day is kept in summer time, decided for the whole day: the day of the spring
// change counts as summer time, the day of the autumn change as standard time (Legal: the
// clock at the day's local noon).
bool IsSummerTimeDay(const ZoneDescription& zone, const CivilDate& date);

// The hours east of UT the place's clock keeps on a civil day, summer time included (Legal: at
// the day's local noon; standard time for a date the calendar does not have).
double ClockOffsetHours(const ZoneDescription& zone, const CivilDate& date);

// The zone's name on a civil day (at its local noon), as ZoneLabelAt.
std::string ZoneLabelOfDay(const ZoneDescription& zone, const CivilDate& date);

// The instant a local clock reading names (an invalid date raises ConversionError), and the
// local clock reading of an instant, to the second (none outside Julian days 0 to 13689326).
// European rule: decided by the day, the clock changes at local midnight: in spring from 24:00
// straight to 01:00; in autumn the first hour of the change day is read twice, and
// InstantFromLocal names the later of the two instants. Legal: as ResolveLocal.
Instant InstantFromLocal(const CivilDateTime& local, const ZoneDescription& zone);
std::optional<CivilDateTime> LocalFromInstant(const Instant& t, const ZoneDescription& zone);

}  // namespace noctaris
