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
    QT_TRANSLATE_NOOP("CalendarEvent", "Beginning of spring"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Beginning of summer"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Beginning of autumn"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Beggining of winter"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in lower conjunction to sun"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in upper conjunction to sun"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in opposition to the sun"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in conjunction to sun"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in greatest easterly elongation :"),
    QT_TRANSLATE_NOOP("CalendarEvent", " in greatest westerly elongation :"),
    QT_TRANSLATE_NOOP("CalendarEvent", "New moon"),
    QT_TRANSLATE_NOOP("CalendarEvent", "First quarter"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Full moon"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Last quarter"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Total solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Ring-shaped solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Ring-shaped-total solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Non-central total solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Non-central ring-shaped solar eclipse"),
    QT_TRANSLATE_NOOP("CalendarEvent", "Partial solar eclipse, maximale size = "),
    QT_TRANSLATE_NOOP("CalendarEvent", "Total lunar eclipse, size = "),
    QT_TRANSLATE_NOOP("CalendarEvent", "Partial lunar eclipse, size = "),
    QT_TRANSLATE_NOOP("CalendarEvent", "Penumbral eclipse of the moon, size = "),
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

// Equinoxes and solstices: mean instants as polynomials in millennia, then the periodic terms.
constexpr double kSeasonBefore1000[4][5] = {
    {1721139.29189, 365242.13740, 0.06134, 0.00111, -0.00071},
    {1721233.25401, 365241.72562, -0.05323, 0.00907, 0.00025},
    {1721325.70455, 365242.49558, -0.11677, -0.00297, 0.00074},
    {1721414.39987, 365242.88257, -0.00769, -0.00933, -0.00006},
};
constexpr double kSeasonFrom1000[4][5] = {
    {2451623.80984, 365242.37404, 0.05169, -0.00411, -0.00057},
    {2451716.56767, 365241.62603, 0.00325, 0.00888, -0.00030},
    {2451810.21715, 365242.01767, -0.11575, 0.00337, 0.00078},
    {2451900.05952, 365242.74049, -0.06223, -0.00823, 0.00032},
};
struct SeasonTerm {
    double A, B, C;  // amplitude, phase (degrees), rate (degrees per century)
};
constexpr SeasonTerm kSeasonTerms[24] = {
    {485, 324.96, 1934.136}, {203, 337.23, 32964.467}, {199, 342.08, 20.186},
    {182, 27.85, 445267.112}, {156, 73.14, 45036.886}, {136, 171.52, 22518.443},
    {77, 222.54, 65928.934}, {74, 296.72, 3034.906},   {70, 243.58, 9037.513},
    {58, 119.81, 33718.147}, {52, 297.17, 150.678},    {50, 21.02, 2281.226},
    {45, 247.54, 29929.562}, {44, 325.15, 31555.956},  {29, 60.93, 4443.417},
    {18, 155.12, 67555.328}, {17, 288.79, 4562.452},   {16, 198.04, 62894.029},
    {14, 199.76, 31436.921}, {12, 95.39, 14577.848},   {12, 287.11, 31931.756},
    {12, 320.81, 34777.259}, {9, 227.73, 1222.114},    {8, 15.45, 16859.074},
};

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

double SeasonTime(int year, int season) {
    const bool early = year < 1000;
    const double Y = early ? year / 1000.0 : (year - 2000) / 1000.0;
    const double* c = early ? kSeasonBefore1000[season] : kSeasonFrom1000[season];
    const double jde0 = c[0] + Y * (c[1] + Y * (c[2] + Y * (c[3] + Y * c[4])));
    const double T = CenturiesSinceJ2000(jde0);
    const double W = ReducedRadians(35999.373 * T - 2.47);
    const double dLambda = 1 + 0.0334 * std::cos(W) + 0.0007 * std::cos(2 * W);
    double S = 0;
    for (const SeasonTerm& t : kSeasonTerms) S += t.A * std::cos(ReducedRadians(t.B + t.C * T));
    double jde = jde0 + 0.00001 * S / dLambda;
    // That series is good to about a minute. The instant the Sun's apparent longitude from the
    // full Earth series reaches 90° x season is good to a few seconds; from a minute away two
    // steps at the Sun's mean rate get there, a third removes what the varying rate leaves.
    for (int i = 0; i < 3; ++i) {
        const long double lambda = SunPosition(JDToDateTime(jde)).Lambda;
        const double behind =
            static_cast<double>(Reduce360(90.0L * season - lambda + 180.0L)) - 180;
        jde += behind * (365.2422 / 360);
    }
    return jde;
}

double MoonPhaseJDE(int lunation, int phase) {
    const double k = lunation + phase / 4.0;
    const double T = k / 1236.85;
    const double T2 = T * T;
    double jde = 2451550.09765 + 29.530588853 * k +
                 T2 * (0.0001337 + T * (0.00000015 + T * 0.00000000073));
    const double M = ReducedRadians(2.5534 + 29.10535669 * k + T2 * (-0.0000218 - T * 0.00000011));
    const double Mp = ReducedRadians(201.5643 + 385.81693528 * k +
                                     T2 * (0.0107438 + T * (0.00001239 - T * 0.000000058)));
    const double F = ReducedRadians(160.7108 + 390.67050274 * k +
                                    T2 * (-0.0016341 + T * (-0.00000227 + T * 0.000000011)));
    const double omega =
        ReducedRadians(124.7746 - 1.5637558 * k + T2 * (0.0020691 + T * 0.00000215));
    const double E = 1 + T * (-0.002516 - T * 0.0000074);

    // The arguments are radians reduced to one turn.
    const auto sine = [](double x) { return std::sin(x); };
    const auto cosine = [](double x) { return std::cos(x); };
    // The calendar has always differed from the published lists in two small terms: it takes
    // sin(M' - M + 2F) with a factor E, and the quarters' -0.00028 E^2 sin(M' + 2M) without E^2.
    double corr;
    if (phase == 1 || phase == 3) {
        corr = SumMoonPhaseTerms<double>(kQuarterTerms, kQuarterTermCount, nullptr, M, Mp, F, omega,
                                         E, sine);
        corr += 0.00002 * (E - 1) * sine(Mp - M + 2 * F) - 0.00028 * (1 - E * E) * sine(Mp + 2 * M);
        const double W = QuarterPhaseW<double>(M, Mp, F, E, cosine);
        corr += phase == 1 ? W : -W;
    } else {
        corr = SumMoonPhaseTerms<double>(kNewMoonTerms, kNewMoonTermCount,
                                         phase == 2 ? kFullMoonCoefficients : nullptr, M, Mp, F,
                                         omega, E, sine);
        corr += 0.00003 * (E - 1) * sine(Mp - M + 2 * F);
    }
    corr += SumPlanetaryPhaseTerms<double>(
        k, T, [](double degrees) { return std::sin(ReducedRadians(degrees)); });
    return jde + corr;
}

void AddSummerTime(EventList& list) {
    const std::optional<SummerTimeChanges> changes =
        SummerTimeChangesOf({0, SummerTimeRule::European}, list.Year);
    if (!changes) return;
    const auto midnightUT = [](const CivilDate& d) {
        return LocalMidnightJD(d.year, d.month, d.day, 0);
    };
    Add(list, midnightUT(changes->begin),
        QT_TRANSLATE_NOOP("CalendarEvent", "Begin of summer time"), false);
    Add(list, midnightUT(changes->end), QT_TRANSLATE_NOOP("CalendarEvent", "End of summer time"),
        false);
}

void AddPerihelionAphelion(EventList& list) {
    const TDateTime t0 = EncodeDate(list.Year, 1, 1);
    Add(list, static_cast<double>(DateTimeToJD(NextPerihelion(t0))),
        QT_TRANSLATE_NOOP("CalendarEvent", "Earth in perihelion"));
    Add(list, static_cast<double>(DateTimeToJD(NextAphelion(t0))),
        QT_TRANSLATE_NOOP("CalendarEvent", "Earth in aphelion"));
}

void AddPerigeesApogees(EventList& list) {
    const int year = list.Year;
    const TDateTime t0 = EncodeDate(year, 1, 1);
    auto collect = [&](double (*next)(TDateTime), const char* text) {
        double h = next(t0);
        for (;;) {
            if (DecodeDate(h).year == year) Add(list, static_cast<double>(DateTimeToJD(h)), text);
            // Two weeks on lies between this passage and the next one.
            const CivilDate later = DecodeDate(h + 14);
            if (later.year > year) break;
            h = next(EncodeDate(later.year, later.month, later.day));
        }
    };
    collect(NextPerigee, QT_TRANSLATE_NOOP("CalendarEvent", "Moon in perigee"));
    collect(NextApogee, QT_TRANSLATE_NOOP("CalendarEvent", "Moon in apogee"));
}

void AddSeasons(EventList& list) {
    for (int s = 0; s < 4; ++s) Add(list, SeasonTime(list.Year, s), kEventTexts[s + 1]);
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
    // Planets numbered with the Earth as 3; the phenomena count Mars ... Neptune from 3 on.
    for (int planet = 1; planet <= 8; ++planet) {
        if (planet == 3) continue;
        const int p = planet < 3 ? planet : planet - 1;
        for (int event = 0; event < 2; ++event) {
            const int text = (planet < 3 ? 5 : 7) + event;
            double j;
            // Two cycles back: the start index is cut toward zero, and a phenomenon lies up to
            // weeks from its mean time.
            int k = FirstPhenomenonIndex(list.Year, p, event) - 2;
            do {
                j = PlanetPhenomenonTime(p, event, k);
                ++k;
                if (InListYear(list, j))
                    Add(list, j, kPlanetNames[planet - 1], kEventTexts[text], {});
            } while (j <= list.End + list.DeltaTDays + 1);
        }
    }
}

void AddGreatestElongations(EventList& list, const EventNumberFormat& number) {
    for (int planet = 1; planet <= 2; ++planet)
        for (int side = 0; side < 2; ++side) {
            double j, elongation = 0;
            int k = FirstPhenomenonIndex(list.Year, planet, 0) - 2;
            do {
                j = GreatestElongationTime(planet, side, k, elongation);
                ++k;
                if (InListYear(list, j))
                    Add(list, j, kPlanetNames[planet - 1], kEventTexts[9 + side],
                        Or(number)(elongation, 1) + "\u00B0");
            } while (j <= list.End + list.DeltaTDays + 1);
        }
}

// From the lunation before the year on: a phase lies within a day of its mean instant, so none
// of the year is missed in any century.
void AddMoonPhases(EventList& list) {
    for (long long lunation = MeanLunationBefore(list.Start) - 1;; ++lunation) {
        for (int phase = 0; phase < 4; ++phase) {
            const double j = MoonPhaseJDE(static_cast<int>(lunation), phase);
            if (j > list.End + list.DeltaTDays + 2) return;
            if (InListYear(list, j)) Add(list, j, kEventTexts[11 + phase]);
        }
    }
}

void SortEvents(EventList& list) {
    std::stable_sort(list.Entries.begin(), list.Entries.end(),
                     [](const CalendarEvent& a, const CalendarEvent& b) { return a.JD < b.JD; });
}

EventList BuildEventList(int year, double zone, const EventNumberFormat& number) {
    // The collectors go through the platform's dates (years 1..9999) up to two weeks into the
    // next year; a year they cannot hold fails here, before anything is computed for it.
    if (year < 1 || year > 9998) throw ConversionError("Invalid argument to date encode");
    EventList list;
    list.Year = year;
    list.Start = JDOfYearStart(year) + 1 - zone / 24;
    list.End = JDOfYearStart(year + 1) + 1 - zone / 24;
    list.DeltaTDays = DeltaTSeconds((list.Start + list.End) / 2) / 86400;
    list.Entries.reserve(128);
    AddSummerTime(list);
    AddPerihelionAphelion(list);
    AddPerigeesApogees(list);
    AddSeasons(list);
    AddSolarEclipses(list, number);
    AddLunarEclipses(list, number);
    AddPlanetPhenomena(list);
    AddGreatestElongations(list, number);
    AddMoonPhases(list);
    SortEvents(list);
    return list;
}

}  // namespace noctaris
