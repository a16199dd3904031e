#include "astro/time/local_time.h"

#include <cmath>
#include <cstdio>

namespace noctaris {
namespace {

bool UsesRules(const ZoneDescription& zone) {
    return zone.summerTime == SummerTimeRule::Legal && zone.rules;
}

// Local noon of a civil day read on the standard clock: the instant that decides the day (none
// for a date the calendar does not have).
std::optional<Instant> NoonOf(const ZoneDescription& zone, const CivilDate& date) {
    const std::optional<double> jd =
        CalendarToJDZoned(date.year, date.month, date.day, 12, 0, 0, zone.standardOffsetHours);
    if (!jd) return std::nullopt;
    return Instant::FromUT(*jd);
}

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
    if (zone.summerTime == SummerTimeRule::Legal) {
        const std::optional<Instant> noon = NoonOf(zone, date);
        return UsesRules(zone) && noon && zone.rules->IsSummerTimeAt(*noon);
    }
    const std::optional<SummerTimeChanges> changes = SummerTimeChangesOf(zone, date.year);
    return changes && !Before(date, changes->begin) && Before(date, changes->end);
}

double ClockOffsetHours(const ZoneDescription& zone, const CivilDate& date) {
    if (zone.summerTime == SummerTimeRule::Legal) {
        const std::optional<Instant> noon = NoonOf(zone, date);
        return noon ? OffsetHoursAt(zone, *noon) : zone.standardOffsetHours;
    }
    return zone.standardOffsetHours + (IsSummerTimeDay(zone, date) ? 1 : 0);
}

Instant InstantFromLocal(const CivilDateTime& local, const ZoneDescription& zone) {
    if (zone.summerTime == SummerTimeRule::Legal) return ResolveLocal(local, zone).instant;
    const CivilDate& d = local.date;
    return Instant::FromCivil(d.year, d.month, d.day, local.time.hour, local.time.minute,
                              local.time.second, ClockOffsetHours(zone, d));
}

std::optional<CivilDateTime> LocalFromInstant(const Instant& t, const ZoneDescription& zone) {
    const double jd = static_cast<double>(t.ut());
    if (zone.summerTime == SummerTimeRule::Legal) return JDToCalendarZoned(jd, OffsetHoursAt(zone, t));
    const std::optional<CivilDateTime> standard = JDToCalendarZoned(jd, zone.standardOffsetHours);
    if (!standard || !IsSummerTimeDay(zone, standard->date)) return standard;
    return JDToCalendarZoned(jd, zone.standardOffsetHours + 1);
}

double OffsetHoursAt(const ZoneDescription& zone, const Instant& t) {
    switch (zone.summerTime) {
        case SummerTimeRule::None:
            break;
        case SummerTimeRule::European: {
            const std::optional<CivilDateTime> standard =
                JDToCalendarZoned(static_cast<double>(t.ut()), zone.standardOffsetHours);
            if (standard && IsSummerTimeDay(zone, standard->date)) return zone.standardOffsetHours + 1;
            break;
        }
        case SummerTimeRule::Legal:
            if (zone.rules) return zone.rules->OffsetSecondsAt(t) / 3600.0;
            break;
    }
    return zone.standardOffsetHours;
}

double HoursOnOwnClock(const ZoneDescription& zone, double midnightUT, double assumedOffsetHours, double hours) {
    if (!std::isfinite(midnightUT) || !std::isfinite(hours)) return hours;
    return hours + OffsetHoursAt(zone, Instant::FromUT(midnightUT + hours / 24)) - assumedOffsetHours;
}

std::string ZoneLabelAt(const ZoneDescription& zone, const Instant& t) {
    if (UsesRules(zone)) {
        std::string abbreviation = zone.rules->AbbreviationAt(t);
        // Some zones have only a number ("+08"), which reads better in the common form.
        if (!abbreviation.empty() && abbreviation[0] != '+' && abbreviation[0] != '-' &&
            abbreviation.rfind("UTC", 0) != 0 && abbreviation.rfind("GMT+", 0) != 0 &&
            abbreviation.rfind("GMT-", 0) != 0)
            return abbreviation;
    }
    const long minutes = std::lround(OffsetHoursAt(zone, t) * 60);
    char buf[32];
    std::snprintf(buf, sizeof buf, "UTC%c%02ld:%02ld", minutes < 0 ? '-' : '+', std::labs(minutes) / 60,
                  std::labs(minutes) % 60);
    return buf;
}

std::string ZoneLabelOfDay(const ZoneDescription& zone, const CivilDate& date) {
    const std::optional<Instant> noon = NoonOf(zone, date);
    return noon ? ZoneLabelAt(zone, *noon) : ZoneLabelAt({zone.standardOffsetHours, SummerTimeRule::None, nullptr}, Instant::FromUT(0));
}

std::vector<ClockChange> ClockChangesInYear(const ZoneDescription& zone, int year) {
    const double standard = zone.standardOffsetHours;
    if (zone.rules)
        return zone.rules->ChangesBetween(Instant::FromCivil(year, 1, 1, 0, 0, 0, standard),
                                          Instant::FromCivil(year + 1, 1, 1, 0, 0, 0, standard));
    std::vector<ClockChange> list;
    const std::optional<SummerTimeChanges> changes = SummerTimeChangesOf(zone, year);
    if (!changes) return list;
    const int seconds = static_cast<int>(std::lround(standard * 3600));
    const CivilDate& b = changes->begin;
    const CivilDate& e = changes->end;
    list.push_back({Instant::FromCivil(b.year, b.month, b.day, 0, 0, 0, standard), seconds, seconds + 3600,
                    false, true});
    list.push_back({Instant::FromCivil(e.year, e.month, e.day, 0, 0, 0, standard + 1), seconds + 3600, seconds,
                    true, false});
    return list;
}

ResolvedLocal ResolveLocal(const CivilDateTime& local, const ZoneDescription& zone) {
    const CivilDate& d = local.date;
    const auto at = [&](double offsetHours) {
        return Instant::FromCivil(d.year, d.month, d.day, local.time.hour, local.time.minute, local.time.second,
                                  offsetHours);
    };
    if (!UsesRules(zone)) return {InstantFromLocal(local, zone), LocalReading::Unique, ClockOffsetHours(zone, d)};
    // The offsets a day before and a day after the reading; the clock changes at most once
    // between them.
    const Instant guess = at(zone.standardOffsetHours);
    const double before = OffsetHoursAt(zone, Instant::FromUT(guess.ut() - 1));
    const double after = OffsetHoursAt(zone, Instant::FromUT(guess.ut() + 1));
    const auto fits = [&](double offset) { return OffsetHoursAt(zone, at(offset)) == offset; };
    const bool beforeFits = fits(before), afterFits = before != after && fits(after);
    if (beforeFits && afterFits) {
        const double first = before > after ? before : after;  // the larger offset is read first
        return {at(first), LocalReading::Repeated, first};
    }
    if (beforeFits) return {at(before), LocalReading::Unique, before};
    if (afterFits) return {at(after), LocalReading::Unique, after};
    if (before != after) return {at(before), LocalReading::Skipped, before};
    // More than one change within two days: follow the offset to a fixed point.
    double offset = before;
    for (int k = 0; k < 4 && !fits(offset); ++k) offset = OffsetHoursAt(zone, at(offset));
    return {at(offset), LocalReading::Unique, offset};
}

double ClockOffsetHoursAt(const ZoneDescription& zone, const CivilDateTime& local) {
    const CivilDate& d = local.date;
    if (!CalendarToJDZoned(d.year, d.month, d.day, 12, 0, 0, zone.standardOffsetHours)) return zone.standardOffsetHours;
    return ResolveLocal(local, zone).offsetHours;
}

LocalDay LocalDayOf(const ZoneDescription& zone, const CivilDate& date) {
    LocalDay day;
    day.startOffsetHours = ClockOffsetHoursAt(zone, {date, {0, 0, 0}});
    day.startUT = LocalMidnightJD(date.year, date.month, date.day, day.startOffsetHours);
    const CivilDate next = JDToDate(DateToJD(date.year, date.month, date.day) + 1);
    day.hours = 24 + day.startOffsetHours - ClockOffsetHoursAt(zone, {next, {0, 0, 0}});
    if (!(day.hours > 12 && day.hours < 36)) day.hours = 24;
    return day;
}

}  // namespace noctaris
