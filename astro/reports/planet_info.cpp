#include "astro/reports/planet_info.h"

#include <charconv>
#include <cmath>

#include "astro/core/constants.h"
#include "astro/core/translatable.h"  // the data lines are shown in the user's language
#include "astro/time/calendar_dates.h"

namespace noctaris {

const std::vector<PlanetDatum>& PlanetData() {
    static const std::vector<PlanetDatum> data = {
        {"[Mercury", {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mean distance %.3f million km = %.3f AU"), {57.909, 0.387}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital period %.3f d = %.7f a"), {87.969, 0.2408467}},
        {QT_TRANSLATE_NOOP("PlanetData", "Rotation period %.6f d"), {58.646225}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital velocity %.2f km/s"), {47.87}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital inclination 7°00'%.1f\""), {15.5}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital eccentricity %.8f"), {0.20563069}},
        {QT_TRANSLATE_NOOP("PlanetData", "Radius 2439 km = %.3f R⊕"), {0.383}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mass %.2f·10²⁶ g = %.3f M⊕"), {3.30, 0.055}},
        {QT_TRANSLATE_NOOP("PlanetData", "Density %.2f g/cm³"), {5.43}},
        {QT_TRANSLATE_NOOP("PlanetData", "Surface gravity %.3f g"), {0.378}},
        {QT_TRANSLATE_NOOP("PlanetData", "Temperature 350 °C (day side)"), {}},
        {"[Venus", {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mean distance %.1f million km = %.3f AU"), {108.2, 0.723}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital period %.3f d"), {224.701}},
        {QT_TRANSLATE_NOOP("PlanetData", "Rotation period %.2f d"), {243.16}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital velocity %.2f km/s"), {35.02}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital inclination 3°23'%.1f\""), {39.8}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital eccentricity %.3f"), {0.007}},
        {QT_TRANSLATE_NOOP("PlanetData", "Diameter 12104 km"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mass %.2f·10²⁴ kg = %.3f M⊕"), {4.87, 0.815}},
        {QT_TRANSLATE_NOOP("PlanetData", "Density %.2f g/cm³"), {5.25}},
        {QT_TRANSLATE_NOOP("PlanetData", "Surface gravity %.3f g"), {0.905}},
        {QT_TRANSLATE_NOOP("PlanetData", "Temperature 480 °C (day side)"), {}},
        {"[Mars", {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mean distance %.2f million km = %.3f AU"), {227.94, 1.524}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital period %.2f d"), {686.98}},
        {QT_TRANSLATE_NOOP("PlanetData", "Rotation period 24 h 37 min 23 s"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital velocity %.2f km/s"), {24.13}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital inclination 1°50'%.1f\""), {59.4}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital eccentricity %.3f"), {0.093}},
        {QT_TRANSLATE_NOOP("PlanetData", "Diameter 6794 km"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mass %.3f·10²⁶ g = %.3f M⊕"), {6.421, 0.107}},
        {QT_TRANSLATE_NOOP("PlanetData", "Density %.2f g/cm³"), {3.94}},
        {QT_TRANSLATE_NOOP("PlanetData", "Surface gravity %.3f g"), {0.379}},
        {QT_TRANSLATE_NOOP("PlanetData", "Temperature -23 °C"), {}},
        {"[Jupiter", {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mean distance 778 million km = %.3f AU"), {5.203}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital period 11 years 321 days"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Rotation period 9 h 56 min"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital velocity %.2f km/s"), {13.06}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital inclination 1°18'%.1f\""), {15.8}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital eccentricity %.3f"), {0.048}},
        {QT_TRANSLATE_NOOP("PlanetData", "Diameter 143800 km"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mass 318 M⊕"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Density %.2f g/cm³"), {1.33}},
        {QT_TRANSLATE_NOOP("PlanetData", "Surface gravity %.3f g"), {2.529}},
        {QT_TRANSLATE_NOOP("PlanetData", "Temperature -128 °C"), {}},
        {"[Saturn", {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mean distance 1427 million km = %.3f AU"), {9.539}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital period %.2f years"), {29.46}},
        {QT_TRANSLATE_NOOP("PlanetData", "Rotation period 10 h 39 min"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital velocity %.2f km/s"), {9.66}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital inclination 2°29'%.1f\""), {21.6}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital eccentricity %.3f"), {0.056}},
        {QT_TRANSLATE_NOOP("PlanetData", "Diameter 120660 km"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mass %.1f M⊕"), {95.2}},
        {QT_TRANSLATE_NOOP("PlanetData", "Density %.2f g/cm³"), {0.71}},
        {QT_TRANSLATE_NOOP("PlanetData", "Surface gravity %.3f g"), {1.066}},
        {QT_TRANSLATE_NOOP("PlanetData", "Temperature -180 °C"), {}},
        {"[Uranus", {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mean distance 2871 million km = %.2f AU"), {19.19}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital period %.2f years"), {84.01}},
        {QT_TRANSLATE_NOOP("PlanetData", "Rotation period 17 h 14 min"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital velocity %.2f km/s"), {6.81}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital inclination %.3f°"), {0.774}},
        {QT_TRANSLATE_NOOP("PlanetData", "Orbital eccentricity %.3f"), {0.046}},
        {QT_TRANSLATE_NOOP("PlanetData", "Diameter 51118 km"), {}},
        {QT_TRANSLATE_NOOP("PlanetData", "Mass %.1f M⊕"), {14.5}},
        {QT_TRANSLATE_NOOP("PlanetData", "Density %.2f g/cm³"), {1.29}},
        {QT_TRANSLATE_NOOP("PlanetData", "Surface gravity %.3f g"), {0.903}},
        {QT_TRANSLATE_NOOP("PlanetData", "Temperature -193 °C"), {}},
        {"[", {}},
    };
    return data;
}

std::string FillFigures(std::string_view pattern, const std::vector<double>& figures,
                        const std::function<std::string(double, int)>& number) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // "%.Nf" with one digit N.
        if (pattern[i] == '%' && i + 3 < pattern.size() && pattern[i + 1] == '.' &&
            pattern[i + 2] >= '0' && pattern[i + 2] <= '9' && pattern[i + 3] == 'f' && next < figures.size()) {
            out += number(figures[next++], pattern[i + 2] - '0');
            i += 3;
            continue;
        }
        out += pattern[i];
    }
    return out;
}

const std::vector<std::string>& PlanetDataText() {
    static const std::vector<std::string> text = [] {
        std::vector<std::string> lines;
        for (const PlanetDatum& d : PlanetData())
            lines.push_back(FillFigures(d.text, d.figures, [](double value, int decimals) {
                char buf[64];
                const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
                return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("-");
            }));
        return lines;
    }();
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
