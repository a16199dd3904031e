#include "astro/precise/precise_reports.h"

#include <cmath>
#include <limits>

#include "astro/core/constants.h"
#include "astro/time/calendar_dates.h"

namespace noctaris {
namespace {

const char* PlanetName(Body planet) {
    switch (planet) {
    case Body::Mercury: return "Mercury";
    case Body::Venus: return "Venus";
    case Body::Mars: return "Mars";
    case Body::Jupiter: return "Jupiter";
    case Body::Saturn: return "Saturn";
    case Body::Uranus: return "Uranus";
    case Body::Neptune: return "Neptune";
    default: return "";
    }
}

}  // namespace

double PreciseLocalSiderealHours(const PreciseFrame& frame, double longitude) {
    const double hours = std::fmod(PreciseSiderealTimeDeg(frame) + longitude, 360.0) / 15;
    return hours < 0 ? hours + 24 : hours;
}

double EventClockHours(const std::optional<double>& event, const RiseTransitSetTimes& day,
                       double jdMidnight) {
    if (event) return (*event - jdMidnight) * 24;
    if (day.alwaysBelow) return kNeverRises;
    if (day.alwaysAbove) return kNeverSets;
    return std::numeric_limits<double>::quiet_NaN();
}

PlanetEphemerisRecord PrecisePlanetRecord(Body planet, const ApparentPlace& geocentric,
                                          const PreciseFrame& frame) {
    PlanetEphemerisRecord rec;
    const HeliocentricPlace helio = PlanetHeliocentric(planet, frame);
    rec.HelioLongitude = helio.longitude;
    rec.HelioLatitude = helio.latitude;
    rec.RadiusVector = helio.radius;
    rec.Distance = geocentric.distance;
    rec.GeoLongitude = geocentric.longitude;
    rec.GeoLatitude = geocentric.latitude;
    const double hours = geocentric.ra / 15;
    rec.RAHours = std::trunc(hours);
    rec.RAMinutes = (hours - rec.RAHours) * 60;
    rec.DecDegrees = std::trunc(geocentric.dec);
    rec.DecMinutes = (geocentric.dec - rec.DecDegrees) * 60;
    rec.Diameter = geocentric.diameter;
    double mag = 0;
    PlanetMagnitude(PlanetName(planet), helio.radius, geocentric.distance,
                    EarthHeliocentric(frame).radius, CenturiesSinceJ2000(frame.tt()),
                    geocentric.dec, geocentric.ra, mag);
    if (mag < 0) mag -= 0.05;  // as PlanetEphemeris rounds a negative magnitude for display
    rec.Magnitude = mag;
    return rec;
}

PreciseBodyReport ComputePreciseBodyReport(Body body, double jdUT, double jdMidnight,
                                           double latitude, double longitude) {
    const Site site{latitude, longitude, 0};
    const PreciseDay day = MakePreciseDay(jdMidnight);
    const bool inDay = jdUT >= jdMidnight && jdUT <= jdMidnight + 1;
    const PreciseFrame now =
        inDay ? FrameInDay(day, jdUT) : MakePreciseFrame(Instant::FromUT(jdUT));
    PreciseBodyReport r;
    r.geocentric = GeocentricPlace(body, now);
    r.topocentric = TopocentricPlace(body, now, site);
    r.horizontal = ObservedPlace(r.topocentric, now, site);
    const RiseTransitSetTimes events = FindRiseTransitSet(body, day, site);
    r.rise = EventClockHours(events.rise, events, jdMidnight);
    // A body that never rises still culminates, below the horizon: no code stands for it.
    r.transit = events.transit ? (*events.transit - jdMidnight) * 24
                               : std::numeric_limits<double>::quiet_NaN();
    r.set = EventClockHours(events.set, events, jdMidnight);
    r.localSiderealHours = PreciseLocalSiderealHours(now, longitude);
    return r;
}

void CatalogueToDate(const PreciseFrame& frame, double& ra, double& dec) {
    const double cd = std::cos(dec);
    const double v[3] = {cd * std::cos(ra), cd * std::sin(ra), std::sin(dec)};
    double w[3];
    for (int i = 0; i < 3; ++i)
        w[i] = frame.npb[i][0] * v[0] + frame.npb[i][1] * v[1] + frame.npb[i][2] * v[2];
    ra = std::atan2(w[1], w[0]);
    if (ra < 0) ra += static_cast<double>(kTwoPi);
    dec = std::atan2(w[2], std::hypot(w[0], w[1]));
}

}  // namespace noctaris
