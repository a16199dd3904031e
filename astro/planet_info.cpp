#include "astro/planet_info.h"

#include <cmath>

namespace noctaris {

const std::vector<std::string>& PlanetDataText() {
    static const std::vector<std::string> text = {
        "[Mercury",
        "Sun distance 57,909 Mill. km = 0,387 AU",
        "Orbit time 87,969 d = 0,2408467 a",
        "Rotation time 58,646225 d",
        "Orbit velocity 47,87 km/s",
        "Inclination of orbit 7°00'15\",5",
        "Eccentricity of orbit 0,20563069",
        "Radius 2439 km = 0,383 REarth",
        "Mass 3,30·10^26 g = 0,055 der Earth",
        "Density 5,43 g/cm³",
        "Acceleration 0,378 g",
        "Temperature 350 °C (day)",
        "[Venus",
        "Sun distance 108,2 millions km = 0,723 AU",
        "Orbit time 224,701 d",
        "Rotation time 243,16 d",
        "Orbit velocity 35,02 km/s",
        "Inclination of orbit 3°23'39\",8",
        "Eccentricity of orbit 0,007",
        "Diameter 12104 km",
        "Mass 4,87·10^24 kg = 0,815 Earth",
        "Density 5,25 g/cm³",
        "Acceleration 0,905 g",
        "Temperature 480 °C (day)",
        "[Mars",
        "Sun distance 227,94 millions km = 1,524 AU",
        "Orbit time 686,98 d",
        "Rotation time 24h 37 min 23s",
        "Orbit velocity 24,13 km/s",
        "Inclination of orbit 1°50'59\",4",
        "Eccentricity of orbit 0,093",
        "Radius 6794 km",
        "Mass 6,421·10^26 g = 0,107 Earth",
        "Density 3,94 g/cm³",
        "Acceleration 0,379 g",
        "Temperature -23 °C",
        "[Jupiter",
        "Sun distance 778 millions km = 5,203 AU",
        "Orbit time 11 years 321 days",
        "Rotation time 9h 56min",
        "Orbit volicity 13,06 km/s",
        "Inclination of orbit 1°18'15\",8",
        "Eccentricity of orbit 0,048",
        "Diameter 143800 km",
        "Mass 318 Earth",
        "Density 1,33 g/cm³",
        "Acceleration 2,529 g",
        "Temperature -128 °C",
        "[Saturn",
        "Sun distance 1427 millions km = 9,539 AE",
        "Orbit time 29,46 years",
        "Rotation time 10h 39min",
        "Orbit velocity 9,66 km/s",
        "Inclination of orbit 2°29'21\",6",
        "Eccentricity of orbit 0,056",
        "Diameter 120660 km",
        "Mass 95,2 Earth",
        "Density 0,71 g/cm³",
        "Acceleration 1,066 g",
        "Temperature -180 °C",
        "[Uranus",
        "Sun distance 2871 millions km = 19,19 AE",
        "Orbit time 84,01 years",
        "Rotation time 17h 14min",
        "Orbit velocity 6,81 km/s",
        "Inclination of orbit 0,774°",
        "Eccentricity of orbit 0,046",
        "Diameter 51118 km",
        "Mass 14,5 Earth",
        "Density 1,29 g/cm³",
        "Acceleration 0,903 g",
        "Temperature -193 °C",
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
    const double seconds = distanceAU * 149597870.0 / 299792.458;
    // Beyond a thousand years of light time the value means nothing; keep the cast defined.
    if (!std::isfinite(seconds) || seconds < 0 || seconds > 3.2e10) return 0;
    return static_cast<long long>(std::nearbyint(seconds));
}

PlanetInfo ComputePlanetInfo(std::string_view name, double jd, double latitude, double longitude,
                             double zone) {
    PlanetInfo info;
    double ra = 0, dec = 0;
    PlanetEphemeris(name, jd, latitude, longitude, zone, info.Rise, info.Set, ra, dec, info.Record);
    return info;
}

PlanetInfo ComputePrecisePlanetInfo(std::string_view name, double jd, double latitude,
                                    double longitude, double zone) {
    const std::optional<Body> body = BodyFromName(name);
    if (!body || *body == Body::Sun || *body == Body::Moon)
        return ComputePlanetInfo(name, jd, latitude, longitude, zone);
    const double midnight = LocalMidnightJD(jd, zone);
    const PreciseDay day = MakePreciseDay(midnight);
    const PreciseFrame now = FrameInDay(day, jd);
    PlanetInfo info;
    info.Record = PrecisePlanetRecord(*body, GeocentricPlace(*body, now), now);
    const RiseTransitSetTimes events = FindRiseTransitSet(*body, day, Site{latitude, longitude, 0});
    info.Rise = EventClockHours(events.rise, events, midnight);
    info.Set = EventClockHours(events.set, events, midnight);
    info.Frame = kFrameApparentOfDate;
    return info;
}

}  // namespace noctaris
