#include "astro/reports/ephemeris_table.h"

#include "astro/core/constants.h"
#include "astro/reports/planet_info.h"

#include <cmath>
#include <cstdio>
#include <iterator>

#include "astro/coords/angles.h"
#include "astro/time/sidereal.h"

namespace noctaris {
namespace {

using LD = long double;

// Whole number as text; the value is integral and finite.
std::string WholeText(LD value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.0Lf", value);
    return buf;
}

// "%.0f" as the display formats round: to nearest, exact halves away from zero.
LD RoundForDisplay(LD x) {
    const LD whole = std::trunc(x);
    const LD rest = x - whole;  // exact
    if (rest >= 0.5L) return whole + 1;
    if (rest <= -0.5L) return whole - 1;
    return whole;
}

}  // namespace

std::string RiseSetText(const std::optional<double>& t, const RiseSet& day) {
    if (!t) return day.alwaysBelow ? "not visible" : day.alwaysAbove ? "visible" : "-";
    if (!std::isfinite(*t) || std::fabs(*t) > 1e15) return "-";  // never show a made-up time
    // Rounded to the minute first, then split: never "60m".
    const LD minutes = RoundForDisplay(static_cast<LD>(*t) * 60);
    const LD hours = std::floor(minutes / 60);
    return WholeText(hours) + "h" + WholeText(minutes - hours * 60) + "m";
}

std::string FormatDegMin(double angle) {
    if (!std::isfinite(angle)) return "-";
    const bool neg = angle < 0;
    const LD minutes = std::nearbyint(std::fabs(static_cast<LD>(angle)) * 60);
    const LD d = std::floor(minutes / 60);
    return (neg ? "-" : "") + WholeText(d) + "°" + WholeText(minutes - d * 60) + "'";
}

SignedSixtieths SplitSixtieths(double value) {
    SignedSixtieths r;
    if (!std::isfinite(value) || std::fabs(value) > 1e12) return r;
    r.negative = value < 0;
    const LD tenths = std::nearbyint(std::fabs(static_cast<LD>(value)) * 600);
    r.whole = static_cast<double>(std::floor(tenths / 600));
    r.sixtieths = static_cast<double>(tenths - static_cast<LD>(r.whole) * 600) / 10;
    return r;
}

std::string ZodiacConstellation(double x) {
    // Lower bounds in hours of ecliptic longitude (single precision, as the table was made).
    struct Bound {
        float lower;
        const char* name;
    };
    static constexpr Bound kBounds[] = {
        {1.7833333f, "Aries"},     {3.35f, "Taurus"},       {5.9666667f, "Gemini"},
        {7.9333333f, "Cancer"},    {9.3333333f, "Leo"},     {11.6f, "Virgo"},
        {14.3f, "Libra"},          {15.966667f, "Scorpio"}, {16.366667f, "Ophiuchus"},
        {17.716667f, "Sagittarius"}, {20.05f, "Capricorn"}, {21.95f, "Aquarius"},
        {23.416667f, "Pisces"},
    };
    // Longitudes of 0..360 degrees stay below the table's upper end of 24.1; anything above
    // it lies past 0 h again and is Pisces as well.
    for (int k = static_cast<int>(std::size(kBounds)) - 1; k >= 0; --k)
        if (static_cast<double>(kBounds[k].lower) <= x) return kBounds[k].name;
    return "Pisces";
}

EphemerisColumnValues ComputeEphemerisColumn(Body planet, double jdInstant,
                                             double latitude, double longitude, double zone) {
    EphemerisColumnValues v;
    const PlanetEphemerisResult e = PlanetEphemeris(planet, jdInstant, latitude, longitude, zone);
    v.rec = e.record;
    v.ra = e.ra;
    v.dec = e.dec;
    v.riseSet = e.riseSet;
    if (planet == Body::Earth) return v;

    v.lightSeconds = LightTimeSeconds(v.rec.Distance);
    v.lst = LocalMeanSiderealHours(Instant::FromUT(jdInstant), longitude);
    const double ra = (v.rec.RAHours + v.rec.RAMinutes / 60) / 12 * static_cast<double>(kPi);
    const double dec = (v.rec.DecDegrees + v.rec.DecMinutes / 60) * kDegree;
    const HorizontalCoords h = EquatorialToHorizontal(ra, dec, v.lst, latitude);
    v.altitude = h.altitude;
    v.azimuth = h.azimuth;
    // Exactly in the zenith the azimuth is undefined (0/0); call it south.
    if (!std::isfinite(v.azimuth)) v.azimuth = 0;
    return v;
}

EphemerisTableValues ComputeEphemerisTable(double jdInstant, double jdMidnight,
                                           double latitude, double longitude, double zone,
                                           bool precise) {
    EphemerisTableValues t;
    if (!precise) {
        t.earth = ComputeEphemerisColumn(Body::Earth, jdInstant, latitude, longitude, zone);
        for (int i = 0; i < 7; ++i)
            t.planets[i] =
                ComputeEphemerisColumn(kObservedPlanets[i], jdInstant, latitude, longitude, zone);
        return t;
    }
    // One day of frames serves all seven planets: the instant and their rising and setting.
    const Site site{latitude, longitude, 0};
    const PreciseDay day = MakePreciseDay(jdMidnight);
    const bool inDay = jdInstant >= jdMidnight && jdInstant <= jdMidnight + 1;
    const PreciseFrame now =
        inDay ? FrameInDay(day, jdInstant) : MakePreciseFrame(Instant::FromUT(jdInstant));
    const HeliocentricPlace earth = EarthHeliocentric(now);
    t.earth.rec.HelioLongitude = earth.longitude;
    t.earth.rec.HelioLatitude = earth.latitude;
    t.earth.rec.RadiusVector = earth.radius;
    t.earth.frame = kFrameApparentOfDate;
    const double lst = PreciseLocalSiderealHours(now, longitude);
    for (int i = 0; i < 7; ++i) {
        const Body body = kObservedPlanets[i];
        const ApparentPlace geo = GeocentricPlace(body, now);
        EphemerisColumnValues& v = t.planets[i];
        v.rec = PrecisePlanetRecord(body, geo, now);
        const RiseTransitSetTimes events = FindRiseTransitSet(body, day, site);
        v.riseSet = ClockRiseSet(events, jdMidnight);
        v.ra = geo.ra;
        v.dec = geo.dec;
        v.lightSeconds = static_cast<long long>(std::nearbyint(geo.lightTime * 86400));
        v.lst = lst;
        const HorizontalPlace h = ObservedPlace(TopocentricPlace(body, now, site), now, site);
        v.altitude = h.altitude;
        v.azimuth = std::fmod(h.azimuth + 180, 360.0);
        v.frame = kFrameApparentOfDate;
    }
    return t;
}

}  // namespace noctaris
