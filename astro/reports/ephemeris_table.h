#pragma once
// The computations behind the planetary ephemeris table: the values of one planet's column (ephemeris, light time, horizontal place) and the small texts
// the table shows for rising and setting, degrees and minutes and the zodiacal constellation.
//
// Texts are UTF-8 and hold only whole numbers, so they do not depend on the user's locale;
// the decimal columns are formatted by the window.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "astro/theories/planets.h"
#include "astro/precise/precise_reports.h"

namespace noctaris {

// Text of a rising or setting (one of day's): local clock hours as "5h45m", rounded to the
// minute and then split (5.999 reads "6h0m"; a large zone may carry a time past 24 h). Without
// a time: "not visible" for a body that stays below the horizon, "visible" for one that stays
// above, "-" for none on this day.
std::string RiseSetText(const std::optional<double>& hours, const RiseSet& day);

// Degrees and minutes, e.g. "-5°7'", without leading zeros: rounded to the nearest minute, then
// split (12.999999 reads "13°0'"), the sign once in front. A value that is not finite reads "-".
std::string FormatDegMin(double angle);

// A value split into whole units and sixtieths to a tenth (hours and minutes, degrees and
// arcminutes): rounded to the tenth of a sixtieth first, so the sixtieths stay below 60.0, and
// signed once, in front (-5.12 is 5 and 7.2, negative). Not finite: zero.
struct SignedSixtieths {
    bool negative = false;
    double whole = 0;
    double sixtieths = 0;
};
SignedSixtieths SplitSixtieths(double value);

// The zodiacal constellation for x = geocentric ecliptic longitude / 15 (0..24), by fixed
// boundaries in hours of longitude (at most 12 characters).
std::string ZodiacConstellation(double x);

// Everything one planet column of the table is built from.
struct EphemerisColumnValues {
    PlanetEphemerisRecord rec;
    RiseSet riseSet;           // local clock hours
    double ra = 0, dec = 0;    // degrees, as PlanetEphemeris gives them
    long long lightSeconds = 0;
    double lst = 0;            // local sidereal time, hours
    double altitude = 0;       // geometric, degrees (precise: observed, with refraction)
    double azimuth = 0;        // degrees from the south through the west, 0..360
    std::string_view frame = kFrameJ2000;  // the frame of the places, for the column header
};

// One planet's column at the instant jdInstant (Julian day, UT), for an observer at
// latitude/longitude (degrees, north and east positive) and zone (hours east of UT). For the
// Earth only the heliocentric fields of rec are meaningful.
EphemerisColumnValues ComputeEphemerisColumn(Body planet, double jdInstant,
                                             double latitude, double longitude, double zone);

// The whole table at once: the Earth's column (only its heliocentric fields count) and the
// seven planets' in kObservedPlanets order. With precise off the columns are exactly
// ComputeEphemerisColumn's. With it on they hold the precise places of date (astro/precise.h):
// heliocentric on the mean ecliptic of date, geocentric apparent place, true distance, light
// time, apparent sidereal time, the observed (refracted) topocentric altitude and azimuth, and
// rising and setting on the civil day from jdMidnight; frame reads "apparent of date".
struct EphemerisTableValues {
    EphemerisColumnValues earth;
    std::array<EphemerisColumnValues, 7> planets;
};
EphemerisTableValues ComputeEphemerisTable(double jdInstant, double jdMidnight,
                                           double latitude, double longitude, double zone,
                                           bool precise);

}  // namespace noctaris
