#include "astro/precise/precise_reports.h"

#include <cmath>

#include "astro/core/constants.h"
#include "astro/time/calendar_dates.h"

namespace noctaris {

double PreciseLocalSiderealHours(const PreciseFrame& frame, double longitude) {
    const double hours = std::fmod(PreciseSiderealTimeDeg(frame) + longitude, 360.0) / 15;
    return hours < 0 ? hours + 24 : hours;
}

RiseSet ClockRiseSet(const RiseTransitSetTimes& day, double jdMidnight) {
    const auto clock = [&](const std::optional<double>& jd) -> std::optional<double> {
        if (jd) return (*jd - jdMidnight) * 24;
        return std::nullopt;
    };
    return {clock(day.rise), clock(day.set), day.alwaysAbove, day.alwaysBelow};
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
    rec.Magnitude = PlanetMagnitude(planet, helio.radius, geocentric.distance,
                                    EarthHeliocentric(frame).radius,
                                    CenturiesSinceJ2000(frame.tt()), geocentric.dec, geocentric.ra)
                        .value_or(0);
    return rec;
}

PreciseBodyReport ComputePreciseBodyReport(Body body, double jdUT, double jdMidnight,
                                           double latitude, double longitude, double dayLength) {
    const Site site{latitude, longitude, 0};
    const PreciseDay day = MakePreciseDay(jdMidnight, dayLength);
    const bool inDay = jdUT >= jdMidnight && jdUT <= jdMidnight + dayLength;
    const PreciseFrame now =
        inDay ? FrameInDay(day, jdUT) : MakePreciseFrame(Instant::FromUT(jdUT));
    PreciseBodyReport r;
    r.geocentric = GeocentricPlace(body, now);
    r.topocentric = TopocentricPlace(body, now, site);
    r.horizontal = ObservedPlace(r.topocentric, now, site);
    const RiseTransitSetTimes events = FindRiseTransitSet(body, day, site);
    r.riseSet = ClockRiseSet(events, jdMidnight);
    // A body that never rises still culminates, below the horizon.
    if (events.transit) r.transit = (*events.transit - jdMidnight) * 24;
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
