#include "astro/events/calendar_events.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "astro/coords/angles.h"
#include "astro/time/calendar_dates.h"
#include "astro/core/errors.h"
#include "astro/theories/lunar_terms.h"
#include "astro/theories/moon.h"
#include "astro/events/apsides.h"
#include "astro/events/moon_phases.h"
#include "astro/events/seasons.h"
#include "astro/events/phenomena.h"
#include "astro/theories/planets.h"
#include "astro/theories/sun.h"
#include "astro/time/timebase.h"
#include "astro/core/translatable.h"
#include "astro/time/instant.h"
#include "astro/time/local_time.h"

namespace noctaris {

const char* const kEventTexts[24] = {
    "",
    QT_TRANSLATE_NOOP("CalendarEvent", "Spring equinox"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Summer solstice"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Autumn equinox"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Winter solstice"),
    QT_TRANSLATE_NOOP("CalendarEvent", " at inferior conjunction"),
    QT_TRANSLATE_NOOP("CalendarEvent", " at superior conjunction"),
    QT_TRANSLATE_NOOP("CalendarEvent", " at opposition"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in conjunction with the Sun"),
    QT_TRANSLATE_NOOP("CalendarEvent", " at greatest elongation east: "),
    QT_TRANSLATE_NOOP("CalendarEvent", " at greatest elongation west: "),
    QT_TRANSLATE_NOOP("CalendarEvent", "New moon"),
    QT_TRANSLATE_NOOP("CalendarEvent", "First quarter"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Full moon"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Last quarter"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Total solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Annular solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Hybrid solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Non-central total solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Non-central annular solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Partial solar eclipse, magnitude "),
    QT_TRANSLATE_NOOP("CalendarEvent", "Total lunar eclipse, magnitude "),
    QT_TRANSLATE_NOOP("CalendarEvent", "Partial lunar eclipse, magnitude "),
    QT_TRANSLATE_NOOP("CalendarEvent", "Penumbral lunar eclipse, magnitude "),
};

namespace {

// An event of a phrase alone, or of a body's name, a phrase and a number with its unit.
void Add(EventList& list, double jd, const char* phrase, bool showTime = true) {
    list.Entries.push_back({jd, phrase, showTime, "", phrase, {}});
}
void Add(EventList& list, double jd, const char* subject, const char* phrase, std::string value) {
    list.Entries.push_back(
        {jd, std::string(subject) + phrase + value, true, subject, phrase, std::move(value)});
}

const EventNumberFormat& Or(const EventNumberFormat& number) {
    static const EventNumberFormat fallback = DefaultEventNumber;
    return number ? number : fallback;
}


}  // namespace

bool InListYear(const EventList& list, double jde) {
    const double ut = jde - list.DeltaTDays;
    return std::nearbyint((ut - list.Start) * 86400) >= 0 &&
           std::nearbyint((ut - list.End) * 86400) < 0;
}

std::string DefaultEventNumber(double value, int decimals) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("-");
}

void AddSummerTime(EventList& list, const ZoneDescription& zone) {
    const ZoneDescription european{zone.standardOffsetHours, SummerTimeRule::European, nullptr};
    for (const ClockChange& c : ClockChangesInYear(zone.rules ? zone : european, list.Year)) {
        if (c.summerBefore == c.summerAfter) continue;  // a new standard time, not summer time
        // The entry is the day of the change (on the clock before it), at 00:00 UT.
        const std::optional<CivilDateTime> day =
            JDToCalendarZoned(static_cast<double>(c.at.ut()), c.offsetBeforeSeconds / 3600.0);
        if (!day) continue;
        Add(list, LocalMidnightJD(day->date.year, day->date.month, day->date.day, 0),
            c.summerAfter ? QT_TRANSLATE_NOOP("CalendarEvent", "Start of summer time")
                          : QT_TRANSLATE_NOOP("CalendarEvent", "End of summer time"),
            false);
    }
}

// The year's passages, from 1 January 00:00 of dynamical time.
Instant YearStartTT(int year) { return Instant::FromTT(DateTimeToJD(EncodeDate(year, 1, 1))); }

void AddPerihelionAphelion(EventList& list) {
    const Instant t0 = YearStartTT(list.Year);
    Add(list, static_cast<double>(NextEarthApsis(EarthApsis::Perihelion, t0).tt()),
        QT_TRANSLATE_NOOP("CalendarEvent", "Earth at perihelion"));
    Add(list, static_cast<double>(NextEarthApsis(EarthApsis::Aphelion, t0).tt()),
        QT_TRANSLATE_NOOP("CalendarEvent", "Earth at aphelion"));
}

void AddPerigeesApogees(EventList& list) {
    const int year = list.Year;
    auto collect = [&](LunarApsis kind, const char* text) {
        double h = static_cast<double>(NextLunarApsis(kind, YearStartTT(year)).tt());
        for (;;) {
            if (DecodeDate(JDToDateTime(h)).year == year) Add(list, h, text);
            // Two weeks on lies between this passage and the next one.
            const CivilDate later = DecodeDate(JDToDateTime(h) + 14);
            if (later.year > year) break;
            h = static_cast<double>(
                NextLunarApsis(kind, Instant::FromTT(DateTimeToJD(
                                         EncodeDate(later.year, later.month, later.day))))
                    .tt());
        }
    };
    collect(LunarApsis::Perigee, QT_TRANSLATE_NOOP("CalendarEvent", "Moon at perigee"));
    collect(LunarApsis::Apogee, QT_TRANSLATE_NOOP("CalendarEvent", "Moon at apogee"));
}

void AddSeasons(EventList& list, Hemisphere hemisphere) {
    for (int s = 0; s < 4; ++s) {
        const Season season = static_cast<Season>(s);
        Add(list, SeasonJDE(list.Year, season), kEventTexts[static_cast<int>(SeasonIn(hemisphere, season)) + 1]);
    }
}

// Eclipses happen only at syzygies: every new and full moon from the lunation before the year
// to the one after it is tried, so none near the turn of the year is skipped.
void AddSolarEclipses(EventList& list, const EventNumberFormat& number) {
    const long long last = MeanLunationBefore(list.End) + 1;
    for (long long k = MeanLunationBefore(list.Start) - 1; k <= last; ++k) {
        const std::optional<SolarEclipse> e = SolarEclipseAt(static_cast<double>(k));
        if (!e || !InListYear(list, e->JDE)) continue;
        Add(list, e->JDE, "", kEventTexts[14 + e->Type],
            e->Type == 6 ? Or(number)(e->Magnitude, 3) : std::string());
    }
}

void AddLunarEclipses(EventList& list, const EventNumberFormat& number) {
    const long long last = MeanLunationBefore(list.End) + 1;
    for (long long k = MeanLunationBefore(list.Start) - 1; k <= last; ++k) {
        const std::optional<LunarEclipse> e = LunarEclipseAt(static_cast<double>(k) + 0.5);
        if (!e || !InListYear(list, e->JDE)) continue;
        const int text = e->Type == 1 ? 21 : e->Type == 6 ? 22 : 23;
        Add(list, e->JDE, "", kEventTexts[text], Or(number)(e->Magnitude, 2));
    }
}

void AddPlanetPhenomena(EventList& list) {
    for (const Body p : kObservedPlanets) {
        for (int event = 0; event < 2; ++event) {
            const int text = (p == Body::Mercury || p == Body::Venus ? 5 : 7) + event;
            double j;
            // Two cycles back: the start index is cut toward zero, and a phenomenon lies up to
            // weeks from its mean time.
            int k = FirstPhenomenonIndex(list.Year, p, event) - 2;
            do {
                j = PlanetPhenomenonTime(p, event, k);
                ++k;
                if (InListYear(list, j))
                    Add(list, j, BodyName(p), kEventTexts[text], {});
            } while (j <= list.End + list.DeltaTDays + 1);
        }
    }
}

void AddGreatestElongations(EventList& list, const EventNumberFormat& number) {
    for (const Body planet : {Body::Mercury, Body::Venus})
        for (int side = 0; side < 2; ++side) {
            double j;
            int k = FirstPhenomenonIndex(list.Year, planet, 0) - 2;
            do {
                const GreatestElongation g = GreatestElongationTime(planet, side, k);
                j = g.JDE;
                ++k;
                if (InListYear(list, j))
                    Add(list, j, BodyName(planet), kEventTexts[9 + side],
                        Or(number)(g.Elongation, 1) + "\u00B0");
            } while (j <= list.End + list.DeltaTDays + 1);
        }
}

// From the lunation before the year on: a phase lies within a day of its mean instant, so none
// of the year is missed in any century.
void AddMoonPhases(EventList& list) {
    for (long long lunation = MeanLunationBefore(list.Start) - 1;; ++lunation) {
        for (int phase = 0; phase < 4; ++phase) {
            const double j = MoonPhaseJDE(lunation, static_cast<MoonPhase>(phase));
            if (j > list.End + list.DeltaTDays + 2) return;
            if (InListYear(list, j)) Add(list, j, kEventTexts[11 + phase]);
        }
    }
}

void SortEvents(EventList& list) {
    std::stable_sort(list.Entries.begin(), list.Entries.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.JD < b.JD; });
}

EventList BuildEventList(int year, double zone, const EventNumberFormat& number,
                         Hemisphere hemisphere) {
    return BuildEventList(year, ZoneDescription{zone, SummerTimeRule::None, nullptr}, number, hemisphere);
}

EventList BuildEventList(int year, const ZoneDescription& zone, const EventNumberFormat& number,
                         Hemisphere hemisphere) {
    // The collectors go through the platform's dates (years 1..9999) up to two weeks into the
    // next year; a year they cannot hold fails here, before anything is computed for it.
    if (year < 1 || year > 9998) throw ConversionError("Invalid argument to date encode");
    EventList list;
    list.Year = year;
    list.Start = JDOfYearStart(year) + 1 - ClockOffsetHours(zone, {year, 1, 1}) / 24;
    list.End = JDOfYearStart(year + 1) + 1 - ClockOffsetHours(zone, {year + 1, 1, 1}) / 24;
    list.DeltaTDays = DeltaTSeconds((list.Start + list.End) / 2) / 86400;
    list.Entries.reserve(128);
    AddSummerTime(list, zone);
    AddPerihelionAphelion(list);
    AddPerigeesApogees(list);
    AddSeasons(list, hemisphere);
    AddSolarEclipses(list, number);
    AddLunarEclipses(list, number);
    AddPlanetPhenomena(list);
    AddGreatestElongations(list, number);
    AddMoonPhases(list);
    SortEvents(list);
    return list;
}

}  // namespace noctaris
