#include "astro/reports/tonight.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "astro/coords/angles.h"
#include "astro/core/constants.h"
#include "astro/events/search.h"
#include "astro/events/sun_rise_set.h"
#include "astro/precise/precise.h"
#include "astro/reports/ephemeris_table.h"
#include "astro/theories/moon.h"
#include "astro/theories/moonseries.h"
#include "astro/theories/planets.h"
#include "astro/theories/sun.h"
#include "astro/time/sidereal.h"

namespace noctaris {
namespace {

// Five-minute samples: no body crosses a level twice between two of them, and they draw a
// smooth curve.
constexpr int kSamplesPerDay = 288;
constexpr double kToleranceSeconds = 1;
// The places are computed every three hours and interpolated between (three points): the
// Moon's then stays within a few arcseconds of its theory.
constexpr double kNodeSpacing = 0.125;
constexpr double kSiderealDegPerDay = 360 * static_cast<double>(kSiderealPerSolar);
// The centre of a planet or a star at rising and setting: the standard refraction.
constexpr double kStarHorizon = -34.0 / 60.0;

double SinD(double x) { return std::sin(x * kDegree); }
double CosD(double x) { return std::cos(x * kDegree); }

// Right ascension and declination of J2000 turned to the mean equator of date.
std::pair<double, double> PrecessToDate(double ra, double dec, double jd) {
    const Vec3 v = ApplyMatrix(PrecessionMatrix(0, static_cast<double>(JulianCenturies(jd))),
                               {CosD(dec) * CosD(ra), CosD(dec) * SinD(ra), SinD(dec)});
    return {ArcTan2Deg(v.y, v.x), std::asin(std::clamp(v.z, -1.0, 1.0)) * kRadian};
}

// A body's place of date at nodes every kNodeSpacing days from `first`, read between them by
// three-point interpolation.
struct Track {
    double first = 0;
    std::vector<double> ra, dec;
    double horizon = kStarHorizon;  // the centre's altitude at rising and setting

    std::pair<double, double> At(double t) const {
        if (ra.size() == 1) return {ra[0], dec[0]};
        const double u = (t - first) / kNodeSpacing;
        const std::size_t i = static_cast<std::size_t>(
            std::clamp(std::lround(u), 1L, static_cast<long>(ra.size()) - 2));
        const long double n = u - static_cast<double>(i);
        return {static_cast<double>(Interpolate3(n, ra[i + 1], ra[i], ra[i - 1])),
                static_cast<double>(Interpolate3(n, dec[i + 1], dec[i], dec[i - 1]))};
    }
};

// Where the observer's meridian stands: the sidereal time at `start`, advancing uniformly.
struct Sky {
    double start = 0, theta0 = 0, latitude = 0, longitude = 0;

    struct Sight {
        double altitude = 0;
        double hourAngle = 0;  // -180..180
    };
    Sight Of(const Track& track, double t) const {
        const auto [ra, dec] = track.At(t);
        double H = std::remainder(theta0 + kSiderealDegPerDay * (t - start) + longitude - ra, 360.0);
        const double s = SinD(latitude) * SinD(dec) + CosD(latitude) * CosD(dec) * CosD(H);
        return {std::asin(std::clamp(s, -1.0, 1.0)) * kRadian, H};
    }
};

using SightSamples = std::vector<Sample<Sky::Sight>>;

SightSamples SampleTrack(const Sky& sky, const Track& track, const std::vector<double>& times) {
    SightSamples samples;
    samples.reserve(times.size());
    for (double t : times) samples.push_back({t, sky.Of(track, t)});
    return samples;
}

// The one search of the night: the first passage of the curve through `level`, upwards or
// downwards, or the upper culmination (the hour angle through 0).
enum class Passage { Up, Down, Culmination };
std::optional<double> Find(const Sky& sky, const Track& track, const SightSamples& samples,
                           Passage passage, double level) {
    const auto at = [&](double t) { return sky.Of(track, t); };
    const double end = samples.back().t + 1e-9;
    if (passage == Passage::Culmination)
        return FirstCrossing(
            samples,
            [](const Sky::Sight& a, const Sky::Sight& b) {
                return a.hourAngle < 0 && b.hourAngle >= 0 && b.hourAngle < 90;
            },
            [](const Sky::Sight& s) { return s.hourAngle >= 0; }, at, end, kToleranceSeconds);
    const auto above = [level](const Sky::Sight& s) { return s.altitude >= level; };
    const bool up = passage == Passage::Up;
    return FirstCrossing(
        samples,
        [&](const Sky::Sight& a, const Sky::Sight& b) { return above(a) != above(b) && above(b) == up; },
        above, at, end, kToleranceSeconds);
}

// The last passage upwards through `level` (the morning's, when the night has two).
std::optional<double> FindLastUp(const Sky& sky, const Track& track, const SightSamples& samples,
                                 double level) {
    for (std::size_t i = samples.size() - 1; i > 0; --i) {
        if (samples[i - 1].v.altitude < level && samples[i].v.altitude >= level)
            return BisectCrossing(samples[i - 1].t, samples[i].t, false,
                                  [&](double t) { return sky.Of(track, t).altitude >= level; },
                                  kToleranceSeconds);
    }
    return std::nullopt;
}

// Rising, culmination, setting and the curve of one body; `dark` says at each sample whether
// the sky is dark.
void FillTrack(NightTrack& out, const Sky& sky, const Track& track, const SightSamples& samples,
               const TonightReport& report, const std::vector<char>& dark) {
    out.rise = Find(sky, track, samples, Passage::Up, track.horizon);
    out.set = Find(sky, track, samples, Passage::Down, track.horizon);
    out.culmination = Find(sky, track, samples, Passage::Culmination, 0);
    if (out.culmination) out.culminationAltitude = sky.Of(track, *out.culmination).altitude;
    bool everAbove = false, everBelow = false, upInDark = false;
    std::optional<std::size_t> highest;
    out.altitude.reserve(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double h = samples[i].v.altitude;
        out.altitude.push_back(static_cast<float>(h));
        (h >= track.horizon ? everAbove : everBelow) = true;
        if (dark[i] && h >= track.horizon) {
            upInDark = true;
            if (!highest || h > samples[*highest].v.altitude) highest = i;
        }
    }
    if (!out.rise && !out.set) {
        out.alwaysAbove = !everBelow;
        out.alwaysBelow = !everAbove;
    }
    if (upInDark) {
        const std::size_t i = *highest;
        double t = samples[i].t;
        // Within the dark hours the highest point is the curve's turn; at their edge it is
        // where they begin or end.
        if (i > 0 && i + 1 < samples.size() && dark[i - 1] && dark[i + 1]) {
            const double step = samples[1].t - samples[0].t;
            t = ParabolicExtremum(t, step, 3, [&](double x) { return sky.Of(track, x).altitude; });
            if (std::fabs(t - samples[i].t) > step) t = samples[i].t;
        } else if (report.dark) {
            t = std::clamp(t, report.dark->from, report.dark->to);
            if (i > 0 && !dark[i - 1]) t = report.dark->from;
            else if (i + 1 < samples.size() && !dark[i + 1]) t = report.dark->to;
        }
        out.best = t;
        out.bestAltitude = sky.Of(track, t).altitude;
        out.visibility = Visibility::Visible;
    } else {
        out.visibility = !everAbove     ? Visibility::BelowHorizon
                         : report.dark ? Visibility::TooCloseToSun
                                       : Visibility::SkyNotDark;
    }
}

// The body's place of date (and for the classic theories the magnitude and constellation) at a
// node.
struct NodePlace {
    double ra = 0, dec = 0;
    double distanceKm = 0;        // the Moon's
    double diameterArcsec = 0;    // the Moon's, precise
};

NodePlace ClassicPlace(Body body, double jd) {
    const Instant t = Instant::FromUT(jd);
    switch (body) {
        case Body::Sun: {
            const BodyPosition p = SunPosition(t);
            return {static_cast<double>(p.RightAscension), static_cast<double>(p.Declination)};
        }
        case Body::Moon: {
            const MoonFullPlace m = MoonPositionFull(t);
            return {m.RightAscension, m.Declination, m.DistanceKm};
        }
        default: {
            const PlanetEphemerisResult p = PlanetPlace(body, jd);
            const auto [ra, dec] = PrecessToDate(p.ra, p.dec, jd);
            return {ra, dec};
        }
    }
}

}  // namespace

TonightReport ComputeTonight(const CivilDate& date, const TonightSite& site,
                             const ZoneDescription& zone, bool precise,
                             const std::vector<FixedObject>& objects) {
    TonightReport r;
    r.date = date;
    r.site = site;
    const CivilDate next = JDToDate(DateToJD(date.year, date.month, date.day) + 1);
    r.start = static_cast<double>(InstantFromLocal({date, {12, 0, 0}}, zone).ut());
    r.end = static_cast<double>(InstantFromLocal({next, {12, 0, 0}}, zone).ut());
    const double span = r.end - r.start;
    r.sampleCount = static_cast<int>(std::ceil(span * kSamplesPerDay)) + 1;
    std::vector<double> times(static_cast<std::size_t>(r.sampleCount));
    for (int i = 0; i < r.sampleCount; ++i) times[static_cast<std::size_t>(i)] = r.SampleTime(i);

    // Nodes from one spacing before the night to one after it.
    const double first = r.start - kNodeSpacing;
    const int nodes = static_cast<int>(std::ceil(span / kNodeSpacing)) + 3;
    Sky sky{r.start, 0, site.latitude, site.longitude};
    std::vector<PreciseFrame> frames;
    const Site preciseSite{site.latitude, site.longitude, site.height};
    if (precise) {
        frames.reserve(static_cast<std::size_t>(nodes));
        for (int k = 0; k < nodes; ++k) frames.push_back(MakePreciseFrame(Instant::FromUT(first + k * kNodeSpacing)));
        sky.theta0 = PreciseSiderealTimeDeg(frames[1]);  // node 1 is the start
    } else {
        sky.theta0 = static_cast<double>(ApparentSiderealTimeDeg(Instant::FromUT(r.start)));
    }
    const auto makeTrack = [&](Body body) {
        Track track;
        track.first = first;
        for (int k = 0; k < nodes; ++k) {
            NodePlace p;
            if (precise) {
                const ApparentPlace a = TopocentricPlace(body, frames[static_cast<std::size_t>(k)], preciseSite);
                p = {a.ra, a.dec, 0, a.diameter};
            } else {
                p = ClassicPlace(body, first + k * kNodeSpacing);
            }
            track.ra.push_back(p.ra);
            track.dec.push_back(p.dec);
            if (k == 1 && body == Body::Moon)
                // The upper limb through the refracted horizon; the classic place is geocentric,
                // so the parallax lifts the level as MoonEventsOfDay has it.
                track.horizon = precise ? -(34.0 / 60 + p.diameterArcsec / 7200)
                                        : 0.7275 * std::asin(6378.14 / p.distanceKm) * kRadian - 0.5667;
        }
        if (body == Body::Sun) track.horizon = kSunsetAltitude;
        return track;
    };

    // The Sun and the night.
    const Track sunTrack = makeTrack(Body::Sun);
    const SightSamples sunSamples = SampleTrack(sky, sunTrack, times);
    SunNight& sun = r.sun;
    sun.sunset = Find(sky, sunTrack, sunSamples, Passage::Down, kSunsetAltitude);
    sun.civilDusk = Find(sky, sunTrack, sunSamples, Passage::Down, kCivilAltitude);
    sun.nauticalDusk = Find(sky, sunTrack, sunSamples, Passage::Down, kNauticalAltitude);
    sun.astronomicalDusk = Find(sky, sunTrack, sunSamples, Passage::Down, kAstronomicalAltitude);
    sun.astronomicalDawn = FindLastUp(sky, sunTrack, sunSamples, kAstronomicalAltitude);
    sun.nauticalDawn = FindLastUp(sky, sunTrack, sunSamples, kNauticalAltitude);
    sun.civilDawn = FindLastUp(sky, sunTrack, sunSamples, kCivilAltitude);
    sun.sunrise = FindLastUp(sky, sunTrack, sunSamples, kSunsetAltitude);
    double lowest = 90, highest = -90;
    r.sunAltitude.reserve(sunSamples.size());
    for (const auto& s : sunSamples) {
        lowest = std::min(lowest, s.v.altitude);
        highest = std::max(highest, s.v.altitude);
        r.sunAltitude.push_back(static_cast<float>(s.v.altitude));
    }
    sun.lowestAltitude = lowest;
    if (lowest >= kSunsetAltitude) sun.kind = NightKind::PolarDay;
    else if (highest < kSunsetAltitude) sun.kind = NightKind::PolarNight;
    else if (lowest >= kAstronomicalAltitude) sun.kind = NightKind::NoAstronomicalNight;

    for (double level : {kAstronomicalAltitude, kNauticalAltitude, kCivilAltitude}) {
        if (lowest < level) {
            r.darkAltitude = level;
            break;
        }
    }
    std::vector<char> dark(times.size(), 0);
    if (r.darkAltitude) {
        const double level = *r.darkAltitude;
        for (std::size_t i = 0; i < times.size(); ++i) dark[i] = sunSamples[i].v.altitude < level;
        // The night's dark hours: from the first passage below the level to the next above it.
        const auto from = Find(sky, sunTrack, sunSamples, Passage::Down, level);
        auto to = FindLastUp(sky, sunTrack, sunSamples, level);
        r.dark = Interval{from.value_or(r.start), to.value_or(r.end)};
    }

    // The Moon.
    const Track moonTrack = makeTrack(Body::Moon);
    const SightSamples moonSamples = SampleTrack(sky, moonTrack, times);
    r.moon.name = BodyName(Body::Moon);
    r.moon.body = Body::Moon;
    FillTrack(r.moon, sky, moonTrack, moonSamples, r, dark);
    const double middle = (r.start + r.end) / 2;
    const Instant mid = Instant::FromUT(middle);
    if (precise) {
        r.moonIlluminated = GeocentricPlace(Body::Moon, MakePreciseFrame(mid)).phase;
    } else {
        r.moonIlluminated = MoonPositionFull(mid).IlluminatedFraction;
    }
    r.moonWaxing = MoonAge(mid) < 29.530589L / 2;
    // The dark hours without the Moon: the sky dark and the Moon below its horizon.
    if (r.dark) {
        const auto free = [&](double t) {
            return sky.Of(sunTrack, t).altitude < *r.darkAltitude &&
                   sky.Of(moonTrack, t).altitude < moonTrack.horizon;
        };
        std::optional<double> open;
        for (std::size_t i = 0; i < times.size(); ++i) {
            const bool f = dark[i] && moonSamples[i].v.altitude < moonTrack.horizon;
            if (f && !open) {
                open = i == 0 ? times[0] : BisectCrossing(times[i - 1], times[i], false, free, kToleranceSeconds);
            } else if (!f && open) {
                const double to = BisectCrossing(times[i - 1], times[i], true, free, kToleranceSeconds);
                r.darkWithoutMoon.push_back({*open, to});
                open.reset();
            }
        }
        if (open) r.darkWithoutMoon.push_back({*open, times.back()});
        for (const Interval& i : r.darkWithoutMoon) r.darkWithoutMoonHours += (i.to - i.from) * 24;
    }

    // The planets: magnitude and constellation at the night's middle.
    for (Body body : kObservedPlanets) {
        const Track track = makeTrack(body);
        NightTrack t;
        t.name = BodyName(body);
        t.body = body;
        FillTrack(t, sky, track, SampleTrack(sky, track, times), r, dark);
        const PlanetEphemerisResult p = PlanetPlace(body, middle);
        t.magnitude = p.record.Magnitude;
        const double longitude = precise ? GeocentricPlace(body, MakePreciseFrame(mid)).longitude
                                         : p.record.GeoLongitude;
        t.constellation = ZodiacConstellation(longitude / 15);
        r.planets.push_back(std::move(t));
    }

    for (const FixedObject& o : objects) {
        Track track;
        const auto [ra, dec] = PrecessToDate(o.ra, o.dec, middle);
        track.ra = {ra};
        track.dec = {dec};
        NightTrack t;
        t.name = o.name;
        t.shown = o.shown;
        t.magnitude = o.magnitude;
        FillTrack(t, sky, track, SampleTrack(sky, track, times), r, dark);
        r.objects.push_back(std::move(t));
    }
    return r;
}

std::vector<std::size_t> CulminatingInDark(const TonightReport& report, const TonightSite& site,
                                           const std::vector<FixedObject>& candidates,
                                           std::size_t limit, double minAltitude) {
    std::vector<std::size_t> found;
    if (!report.dark) return found;
    const double middle = (report.start + report.end) / 2;
    const double theta0 = static_cast<double>(ApparentSiderealTimeDeg(Instant::FromUT(report.start)));
    const Matrix3 precession = PrecessionMatrix(0, static_cast<double>(JulianCenturies(middle)));
    for (std::size_t k = 0; k < candidates.size(); ++k) {
        const FixedObject& o = candidates[k];
        const Vec3 v = ApplyMatrix(precession, {CosD(o.dec) * CosD(o.ra), CosD(o.dec) * SinD(o.ra), SinD(o.dec)});
        const double ra = ArcTan2Deg(v.y, v.x), dec = std::asin(std::clamp(v.z, -1.0, 1.0)) * kRadian;
        // The hour angle at the start, and the time until it is next 0.
        const double H = theta0 + site.longitude - ra;
        const double until = (360 - (H - 360 * std::floor(H / 360))) / kSiderealDegPerDay;
        const double t = report.start + (until >= 1 / static_cast<double>(kSiderealPerSolar) ? 0 : until);
        if (t < report.dark->from || t > report.dark->to) continue;
        if (90 - std::fabs(site.latitude - dec) < minAltitude) continue;
        found.push_back(k);
    }
    std::stable_sort(found.begin(), found.end(), [&](std::size_t a, std::size_t b) {
        return candidates[a].magnitude.value_or(99) < candidates[b].magnitude.value_or(99);
    });
    if (found.size() > limit) found.resize(limit);
    return found;
}

}  // namespace noctaris
