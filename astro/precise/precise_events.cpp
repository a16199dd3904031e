// The day's frames and the rising, transit and setting of the precise places.
#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "astro/events/search.h"
#include "astro/precise/precise.h"

namespace noctaris {
namespace {

using Vec = std::array<double, 3>;

constexpr int kNodes = 5;         // places computed in full over the day, every 6 hours
constexpr int kSamples = 72;      // the day is searched in steps of 20 minutes
constexpr double kToleranceSeconds = 0.05;  // events to a twentieth of a second

double Lerp(double a, double b, double s) { return a + (b - a) * s; }

// Cubic Hermite interpolation of a position and velocity given at both ends of a span of h days.
void Hermite(const double (&a)[2][3], const double (&b)[2][3], double h, double s,
             double (&out)[2][3]) {
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s;
    const double h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    const double d00 = (6 * s2 - 6 * s) / h, d10 = 3 * s2 - 4 * s + 1;
    const double d01 = (-6 * s2 + 6 * s) / h, d11 = 3 * s2 - 2 * s;
    for (int i = 0; i < 3; ++i) {
        out[0][i] = h00 * a[0][i] + h10 * h * a[1][i] + h01 * b[0][i] + h11 * h * b[1][i];
        out[1][i] = d00 * a[0][i] + d10 * a[1][i] + d01 * b[0][i] + d11 * b[1][i];
    }
}

// A body's geocentric apparent path over the day: vectors (AU, true equator and equinox of
// date) every six hours, interpolated by the polynomial through them (for the Moon, the fastest
// body, within a few milliarcseconds).
struct Path {
    double start = 0;
    double length = 1;
    std::array<Vec, kNodes> nodes{};

    Vec At(double t) const {
        const double x = (t - start) / length * (kNodes - 1);
        Vec r{0, 0, 0};
        for (int k = 0; k < kNodes; ++k) {
            double w = 1;
            for (int j = 0; j < kNodes; ++j)
                if (j != k) w *= (x - j) / (k - j);
            for (int i = 0; i < 3; ++i) r[i] += w * nodes[k][i];
        }
        return r;
    }
};

Path PathOf(Body body, const PreciseDay& day) {
    Path p;
    p.start = day.start;
    p.length = day.length;
    for (int k = 0; k < kNodes; ++k) {
        const PreciseFrame f = FrameInDay(day, day.start + day.length * k / (kNodes - 1));
        const ApparentPlace a = GeocentricPlace(body, f);
        const double ra = a.ra * kDegree, dec = a.dec * kDegree;
        p.nodes[k] = {a.distance * std::cos(dec) * std::cos(ra),
                      a.distance * std::cos(dec) * std::sin(ra), a.distance * std::sin(dec)};
    }
    return p;
}

// The body as the site sees it at an instant of the day.
struct Sky {
    const PreciseDay& day;
    const Path& path;
    Site site;
    Vec siteXyz;          // geocentric, terrestrial axes, AU
    double radiusAU = 0;  // for the upper limb; 0 for the centre

    struct Look {
        double altitude;  // observed altitude of the limb or centre, degrees
        double west;      // cos(dec) sin(hour angle): crosses 0 upwards at upper transit
        double north;     // cos(dec) cos(hour angle): positive at upper transit
    };

    Look At(double t) const {
        const double s = (t - day.begin.ut()) / (day.end.ut() - day.begin.ut());
        const double eo = Lerp(day.begin.equationOfOrigins, day.end.equationOfOrigins, s);
        const double gast = eraEra00(t, 0) - eo;
        const double c = std::cos(gast), sn = std::sin(gast);
        const Vec obs = {siteXyz[0] * c - siteXyz[1] * sn, siteXyz[0] * sn + siteXyz[1] * c,
                         siteXyz[2]};
        const Vec g = path.At(t);
        Vec topo = {g[0] - obs[0], g[1] - obs[1], g[2] - obs[2]};
        const double d = std::sqrt(topo[0] * topo[0] + topo[1] * topo[1] + topo[2] * topo[2]);
        for (double& x : topo) x /= d;
        const double lst = gast + site.longitude * kDegree;
        const double cl = std::cos(lst), sl = std::sin(lst);
        const double phi = site.latitude * kDegree;
        const double up = std::cos(phi) * (topo[0] * cl + topo[1] * sl) + std::sin(phi) * topo[2];
        double h = std::asin(std::clamp(up, -1.0, 1.0)) * kRadian;
        if (radiusAU > 0) h += std::asin(std::min(1.0, radiusAU / d)) * kRadian;
        return {h + RefractionDeg(h, site.height), topo[0] * sl - topo[1] * cl,
                topo[0] * cl + topo[1] * sl};
    }
};

using AltitudeSample = Sample<double>;

// The day's samples of f, with an extra one at every extremum near zero that the steps might
// have stepped over (a body that only grazes the horizon).
template <class F>
std::vector<AltitudeSample> AddGrazes(F f, const std::vector<AltitudeSample>& s, double span) {
    std::vector<AltitudeSample> out;
    out.reserve(s.size() + 4);
    out.push_back(s[0]);
    const double h = span / kSamples;
    for (size_t i = 1; i + 1 < s.size(); ++i) {
        const double a = s[i - 1].v, b = s[i].v, c = s[i + 1].v;
        const bool sameSign = (a < 0) == (b < 0) && (b < 0) == (c < 0);
        const double curvature = a - 2 * b + c;
        if (sameSign && std::fabs(b) <= std::fabs(a) && std::fabs(b) <= std::fabs(c) &&
            curvature != 0) {
            const double x = h * (a - c) / (2 * curvature);  // the parabola's vertex
            if (x != 0 && std::fabs(x) < h) {
                const AltitudeSample v{s[i].t + x, f(s[i].t + x)};
                if ((v.v < 0) != (b < 0)) {
                    if (x < 0) out.push_back(v);
                    out.push_back(s[i]);
                    if (x > 0) out.push_back(v);
                    continue;
                }
            }
        }
        out.push_back(s[i]);
    }
    out.push_back(s.back());
    return out;
}

}  // namespace

PreciseDay MakePreciseDay(double jdStartUT, double lengthDays) {
    // A range of moments asks for the same day again and again: the last one is kept.
    thread_local PreciseDay last;
    thread_local bool made = false;
    if (made && last.start == jdStartUT && last.length == lengthDays) return last;
    PreciseDay d;
    d.start = jdStartUT;
    d.length = lengthDays;
    d.begin = MakePreciseFrame(Instant::FromUT(jdStartUT));
    d.end = MakePreciseFrame(Instant::FromUT(jdStartUT + lengthDays));
    last = d;
    made = true;
    return d;
}

PreciseFrame FrameInDay(const PreciseDay& day, double jdUT) {
    const PreciseFrame& a = day.begin;
    const PreciseFrame& b = day.end;
    PreciseFrame f;
    f.time = Instant::Interpolated(a.time, b.time, jdUT);
    const double h = b.tt() - a.tt();
    const double st = (f.tt() - a.tt()) / h;
    Hermite(a.earthBary, b.earthBary, h, st, f.earthBary);
    Hermite(a.earthHelio, b.earthHelio, h, st, f.earthHelio);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            f.npb[i][j] = Lerp(a.npb[i][j], b.npb[i][j], st);
            f.ecliptic[i][j] = Lerp(a.ecliptic[i][j], b.ecliptic[i][j], st);
        }
    f.trueObliquity = Lerp(a.trueObliquity, b.trueObliquity, st);
    f.equationOfOrigins = Lerp(a.equationOfOrigins, b.equationOfOrigins, st);
    return f;
}

namespace {

RiseTransitSetTimes SearchRiseTransitSet(Body body, const PreciseDay& day, const Site& site);

// The events of the last few bodies, days and places asked for: a range of moments (or a
// window redrawn) asks for each body's day again at every moment of it.
struct KnownEvents {
    Body body;
    double start, length, beginTT, endTT;
    Site site;
    RiseTransitSetTimes events;
    bool Of(Body b, const PreciseDay& d, const Site& s) const {
        return body == b && start == d.start && length == d.length && beginTT == d.begin.tt() &&
               endTT == d.end.tt() && site.latitude == s.latitude &&
               site.longitude == s.longitude && site.height == s.height;
    }
};

}  // namespace

RiseTransitSetTimes FindRiseTransitSet(Body body, const PreciseDay& day, const Site& site) {
    constexpr std::size_t kKept = 12;  // the Sun, the Moon and the planets of one day
    thread_local std::array<std::optional<KnownEvents>, kKept> known;
    thread_local std::size_t next = 0;
    for (const auto& k : known)
        if (k && k->Of(body, day, site)) return k->events;
    const RiseTransitSetTimes events = SearchRiseTransitSet(body, day, site);
    known[next] = KnownEvents{body, day.start, day.length, day.begin.tt(), day.end.tt(), site, events};
    next = (next + 1) % kKept;
    return events;
}

namespace {

RiseTransitSetTimes SearchRiseTransitSet(Body body, const PreciseDay& day, const Site& site) {
    const Path path = PathOf(body, day);
    Sky sky{day, path, site, {}, 0};
    double xyz[3];
    eraGd2gc(ERFA_WGS84, site.longitude * kDegree, site.latitude * kDegree, site.height, xyz);
    for (int i = 0; i < 3; ++i) sky.siteXyz[i] = xyz[i] / ERFA_DAU;
    if (body == Body::Sun || body == Body::Moon) sky.radiusAU = BodyRadiusKm(body) / kKmPerAU;

    const double end = day.start + day.length;
    const auto look = [&](double t) { return sky.At(t); };
    const auto looks = SampleDay(day.start, kSamples, look, day.length);
    std::vector<AltitudeSample> altitudes;
    altitudes.reserve(looks.size());
    for (const auto& s : looks) altitudes.push_back({s.t, s.v.altitude});

    RiseTransitSetTimes r;
    const auto altitude = [&](double t) { return sky.At(t).altitude; };
    const std::vector<AltitudeSample> alt = AddGrazes(altitude, altitudes, day.length);
    const auto above = [](double h) { return h >= 0; };
    r.rise = FirstCrossing(
        alt, [](double a, double b) { return a < 0 && b >= 0; }, above, altitude, end,
        kToleranceSeconds);
    r.set = FirstCrossing(
        alt, [](double a, double b) { return a >= 0 && b < 0; }, above, altitude, end,
        kToleranceSeconds);
    if (!r.rise && !r.set) (alt.front().v >= 0 ? r.alwaysAbove : r.alwaysBelow) = true;

    // Upper transit: the place crosses the meridian westwards north of the pole's opposite.
    r.transit = FirstCrossing(
        looks,
        [](const Sky::Look& a, const Sky::Look& b) {
            return a.west < 0 && b.west >= 0 && a.north + b.north > 0;
        },
        [](const Sky::Look& l) { return l.west >= 0; }, look, end, kToleranceSeconds);
    return r;
}

}  // namespace

RiseTransitSetTimes FindRiseTransitSet(Body body, double jdStartUT, const Site& site) {
    return FindRiseTransitSet(body, MakePreciseDay(jdStartUT), site);
}

}  // namespace noctaris
