#pragma once
// A place's local civil time: its zone (the standard offset from UT and the summer-time rule it
// keeps), the decision whether a civil day is kept in summer time, and the conversion between
// a local clock reading and an Instant. Every zone decision of the program is made here.
#include <optional>

#include "astro/time/calendar_dates.h"
#include "astro/time/instant.h"

namespace noctaris {

// The summer-time rules the program knows. European: none before 1980; 1980–1995 from the last
// Sunday of March to the last Sunday of September; since 1996 to the last Sunday of October.
enum class SummerTimeRule { None, European };

// How a place keeps its clock.
struct ZoneDescription {
    double standardOffsetHours = 0;  // hours east of UT
    SummerTimeRule summerTime = SummerTimeRule::None;
};

// The days on which a year's summer time begins and ends.
struct SummerTimeChanges {
    CivilDate begin, end;
};
// None when the rule keeps no summer time in that year.
std::optional<SummerTimeChanges> SummerTimeChangesOf(const ZoneDescription& zone, int year);

// Whether a civil day is kept in summer time, decided for the whole day: the day of the spring
// change counts as summer time, the day of the autumn change as standard time.
bool IsSummerTimeDay(const ZoneDescription& zone, const CivilDate& date);

// The hours east of UT the place's clock keeps on a civil day, summer time included.
double ClockOffsetHours(const ZoneDescription& zone, const CivilDate& date);

// The instant a local clock reading names (an invalid date raises ConversionError), and the
// local clock reading of an instant, to the second (none outside Julian days 0 to 13689326).
// Decided by the day, the clock changes at local midnight: in spring from 24:00 straight to
// 01:00; in autumn the first hour of the change day is read twice, and InstantFromLocal names
// the later of the two instants.
Instant InstantFromLocal(const CivilDateTime& local, const ZoneDescription& zone);
std::optional<CivilDateTime> LocalFromInstant(const Instant& t, const ZoneDescription& zone);

}  // namespace noctaris
