#include "astro/time/local_time.h"

namespace noctaris {
namespace {

// The day of the last Sunday of a month of `length` days.
int LastSunday(int year, int month, int length) {
    const int weekday = WeekdayOfJD(LocalMidnightJD(year, month, length, 0));  // 7 is Sunday
    return length - weekday % 7;
}

bool Before(const CivilDate& a, const CivilDate& b) {
    if (a.year != b.year) return a.year < b.year;
    if (a.month != b.month) return a.month < b.month;
    return a.day < b.day;
}

}  // namespace

std::optional<SummerTimeChanges> SummerTimeChangesOf(const ZoneDescription& zone, int year) {
    if (zone.summerTime != SummerTimeRule::European || year < 1980) return std::nullopt;
    const int endMonth = year <= 1995 ? 9 : 10;
    return SummerTimeChanges{{year, 3, LastSunday(year, 3, 31)},
                             {year, endMonth, LastSunday(year, endMonth, endMonth == 9 ? 30 : 31)}};
}

bool IsSummerTimeDay(const ZoneDescription& zone, const CivilDate& date) {
    const std::optional<SummerTimeChanges> changes = SummerTimeChangesOf(zone, date.year);
    return changes && !Before(date, changes->begin) && Before(date, changes->end);
}

double ClockOffsetHours(const ZoneDescription& zone, const CivilDate& date) {
    return zone.standardOffsetHours + (IsSummerTimeDay(zone, date) ? 1 : 0);
}

Instant InstantFromLocal(const CivilDateTime& local, const ZoneDescription& zone) {
    const CivilDate& d = local.date;
    return Instant::FromCivil(d.year, d.month, d.day, local.time.hour, local.time.minute,
                              local.time.second, ClockOffsetHours(zone, d));
}

std::optional<CivilDateTime> LocalFromInstant(const Instant& t, const ZoneDescription& zone) {
    const double jd = static_cast<double>(t.ut());
    const std::optional<CivilDateTime> standard = JDToCalendarZoned(jd, zone.standardOffsetHours);
    if (!standard || !IsSummerTimeDay(zone, standard->date)) return standard;
    return JDToCalendarZoned(jd, zone.standardOffsetHours + 1);
}

}  // namespace noctaris
