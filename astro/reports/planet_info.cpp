#include "astro/reports/planet_info.h"

#include <cmath>

#include "astro/core/constants.h"
#include "astro/core/translatable.h"  // the data lines are shown in the user's language
#include "astro/time/calendar_dates.h"

namespace noctaris {

const std::vector<std::string>& PlanetDataText() {
    static const std::vector<std::string> text = {
        "[Mercury",
        QT_TRANSLATE_NOOP("PlanetData", "Sun distance 57,909 Mill. km = 0,387 AU"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit time 87,969 d = 0,2408467 a"),
        QT_TRANSLATE_NOOP("PlanetData", "Rotation time 58,646225 d"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit velocity 47,87 km/s"),
        QT_TRANSLATE_NOOP("PlanetData", "Inclination of orbit 7°00'15\",5"),
        QT_TRANSLATE_NOOP("PlanetData", "Eccentricity of orbit 0,20563069"),
        QT_TRANSLATE_NOOP("PlanetData", "Radius 2439 km = 0,383 REarth"),
        QT_TRANSLATE_NOOP("PlanetData", "Mass 3,30·10^26 g = 0,055 der Earth"),
        QT_TRANSLATE_NOOP("PlanetData", "Density 5,43 g/cm³"),
        QT_TRANSLATE_NOOP("PlanetData", "Acceleration 0,378 g"),
        QT_TRANSLATE_NOOP("PlanetData", "Temperature 350 °C (day)"),
        "[Venus",
        QT_TRANSLATE_NOOP("PlanetData", "Sun distance 108,2 millions km = 0,723 AU"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit time 224,701 d"),
        QT_TRANSLATE_NOOP("PlanetData", "Rotation time 243,16 d"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit velocity 35,02 km/s"),
        QT_TRANSLATE_NOOP("PlanetData", "Inclination of orbit 3°23'39\",8"),
        QT_TRANSLATE_NOOP("PlanetData", "Eccentricity of orbit 0,007"),
        QT_TRANSLATE_NOOP("PlanetData", "Diameter 12104 km"),
        QT_TRANSLATE_NOOP("PlanetData", "Mass 4,87·10^24 kg = 0,815 Earth"),
        QT_TRANSLATE_NOOP("PlanetData", "Density 5,25 g/cm³"),
        QT_TRANSLATE_NOOP("PlanetData", "Acceleration 0,905 g"),
        QT_TRANSLATE_NOOP("PlanetData", "Temperature 480 °C (day)"),
        "[Mars",
        QT_TRANSLATE_NOOP("PlanetData", "Sun distance 227,94 millions km = 1,524 AU"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit time 686,98 d"),
        QT_TRANSLATE_NOOP("PlanetData", "Rotation time 24h 37 min 23s"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit velocity 24,13 km/s"),
        QT_TRANSLATE_NOOP("PlanetData", "Inclination of orbit 1°50'59\",4"),
        QT_TRANSLATE_NOOP("PlanetData", "Eccentricity of orbit 0,093"),
        QT_TRANSLATE_NOOP("PlanetData", "Radius 6794 km"),
        QT_TRANSLATE_NOOP("PlanetData", "Mass 6,421·10^26 g = 0,107 Earth"),
        QT_TRANSLATE_NOOP("PlanetData", "Density 3,94 g/cm³"),
        QT_TRANSLATE_NOOP("PlanetData", "Acceleration 0,379 g"),
        QT_TRANSLATE_NOOP("PlanetData", "Temperature -23 °C"),
        "[Jupiter",
        QT_TRANSLATE_NOOP("PlanetData", "Sun distance 778 millions km = 5,203 AU"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit time 11 years 321 days"),
        QT_TRANSLATE_NOOP("PlanetData", "Rotation time 9h 56min"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit volicity 13,06 km/s"),
        QT_TRANSLATE_NOOP("PlanetData", "Inclination of orbit 1°18'15\",8"),
        QT_TRANSLATE_NOOP("PlanetData", "Eccentricity of orbit 0,048"),
        QT_TRANSLATE_NOOP("PlanetData", "Diameter 143800 km"),
        QT_TRANSLATE_NOOP("PlanetData", "Mass 318 Earth"),
        QT_TRANSLATE_NOOP("PlanetData", "Density 1,33 g/cm³"),
        QT_TRANSLATE_NOOP("PlanetData", "Acceleration 2,529 g"),
        QT_TRANSLATE_NOOP("PlanetData", "Temperature -128 °C"),
        "[Saturn",
        QT_TRANSLATE_NOOP("PlanetData", "Sun distance 1427 millions km = 9,539 AE"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit time 29,46 years"),
        QT_TRANSLATE_NOOP("PlanetData", "Rotation time 10h 39min"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit velocity 9,66 km/s"),
        QT_TRANSLATE_NOOP("PlanetData", "Inclination of orbit 2°29'21\",6"),
        QT_TRANSLATE_NOOP("PlanetData", "Eccentricity of orbit 0,056"),
        QT_TRANSLATE_NOOP("PlanetData", "Diameter 120660 km"),
        QT_TRANSLATE_NOOP("PlanetData", "Mass 95,2 Earth"),
        QT_TRANSLATE_NOOP("PlanetData", "Density 0,71 g/cm³"),
        QT_TRANSLATE_NOOP("PlanetData", "Acceleration 1,066 g"),
        QT_TRANSLATE_NOOP("PlanetData", "Temperature -180 °C"),
        "[Uranus",
        QT_TRANSLATE_NOOP("PlanetData", "Sun distance 2871 millions km = 19,19 AE"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit time 84,01 years"),
        QT_TRANSLATE_NOOP("PlanetData", "Rotation time 17h 14min"),
        QT_TRANSLATE_NOOP("PlanetData", "Orbit velocity 6,81 km/s"),
        QT_TRANSLATE_NOOP("PlanetData", "Inclination of orbit 0,774°"),
        QT_TRANSLATE_NOOP("PlanetData", "Eccentricity of orbit 0,046"),
        QT_TRANSLATE_NOOP("PlanetData", "Diameter 51118 km"),
        QT_TRANSLATE_NOOP("PlanetData", "Mass 14,5 Earth"),
        QT_TRANSLATE_NOOP("PlanetData", "Density 1,29 g/cm³"),
        QT_TRANSLATE_NOOP("PlanetData", "Acceleration 0,903 g"),
        QT_TRANSLATE_NOOP("PlanetData", "Temperature -193 °C"),
        "[",
    };
    return text;
}

std::string PlanetDataSection(const std::vector<std::string>& text, std::string_view name) {
    const std::string header = "[" + std::string(name);
    std::size_t i = 0;
    while (i < text.size() && text[i] != header) ++i;
    std::string out;
    if (i == text.size()) return out;  // not a planet of the text
    for (++i; i < text.size() && !text[i].starts_with('['); ++i) {
        out += text[i];
        out += "\r\n";
    }
    return out;
}

long long LightTimeSeconds(double distanceAU) {
    const double seconds = distanceAU * kKmPerAU / 299792.458;
    // Beyond a thousand years of light time the value means nothing; keep the cast defined.
    if (!std::isfinite(seconds) || seconds < 0 || seconds > 3.2e10) return 0;
    return static_cast<long long>(std::nearbyint(seconds));
}

PlanetInfo ComputePlanetInfo(Body planet, double jd, double latitude, double longitude,
                             double zone) {
    const PlanetEphemerisResult e = PlanetEphemeris(planet, jd, latitude, longitude, zone);
    PlanetInfo info;
    info.Record = e.record;
    info.RiseAndSet = e.riseSet;
    return info;
}

PlanetInfo ComputePrecisePlanetInfo(Body planet, double jd, double latitude, double longitude,
                                    double zone) {
    if (!IsPlanet(planet) || planet == Body::Earth)
        return ComputePlanetInfo(planet, jd, latitude, longitude, zone);
    const double midnight = LocalMidnightJD(jd, zone);
    const PreciseDay day = MakePreciseDay(midnight);
    const PreciseFrame now = FrameInDay(day, jd);
    PlanetInfo info;
    info.Record = PrecisePlanetRecord(planet, GeocentricPlace(planet, now), now);
    const RiseTransitSetTimes events = FindRiseTransitSet(planet, day, Site{latitude, longitude, 0});
    info.RiseAndSet = ClockRiseSet(events, midnight);
    info.Frame = kFrameApparentOfDate;
    return info;
}

}  // namespace noctaris
