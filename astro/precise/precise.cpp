#include "astro/precise/precise.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/core/errors.h"
#include "astro/time/calendar_dates.h"
#include "astro/time/instant.h"

namespace noctaris {
namespace {

using Vec = std::array<double, 3>;

constexpr double kGaussK2 = 2.959122082855911e-4;  // heliocentric gravitational constant, AU³/day²

Vec Add(const Vec& a, const Vec& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec Sub(const Vec& a, const Vec& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
Vec Scale(const Vec& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }
double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
double Norm(const Vec& a) { return std::sqrt(Dot(a, a)); }
Vec Row(const double (&v)[3]) { return {v[0], v[1], v[2]}; }

Vec Mul(const double (&m)[3][3], const Vec& v) {
    Vec r;
    for (int i = 0; i < 3; ++i) r[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return r;
}
Vec MulTransposed(const double (&m)[3][3], const Vec& v) {
    Vec r;
    for (int i = 0; i < 3; ++i) r[i] = m[0][i] * v[0] + m[1][i] * v[1] + m[2][i] * v[2];
    return r;
}

// The frame bias: eraPlan94 works in the mean equator and equinox of J2000, the rest in the
// GCRS, 23 mas apart.
struct FrameBias {
    double m[3][3];
    FrameBias() {
        double rb[3][3], rp[3][3], rbp[3][3];
        eraBp06(ERFA_DJ00, 0, rb, rp, rbp);
        std::copy(&rb[0][0], &rb[0][0] + 9, &m[0][0]);
    }
};
const FrameBias& Bias() {
    static const FrameBias bias;
    return bias;
}

int Plan94Index(Body body) {
    switch (body) {
    case Body::Mercury: return 1;
    case Body::Venus: return 2;
    case Body::Mars: return 4;
    case Body::Jupiter: return 5;
    case Body::Saturn: return 6;
    case Body::Uranus: return 7;
    case Body::Neptune: return 8;
    default: return 0;
    }
}

// Position and velocity of the body at the frame's instant, barycentric, plus the Sun's.
struct BodyState {
    Vec pos, vel;        // barycentric, AU and AU/day
    Vec sunPos, sunVel;  // the Sun, barycentric
    bool heliocentricPull = false;  // a planet: light time follows a Kepler arc round the Sun
};

BodyState StateOf(Body body, const PreciseFrame& f) {
    // The observer stands on the Earth: it has no place in its own sky.
    if (body == Body::Earth) throw DomainError("the Earth has no apparent place");
    BodyState s;
    const Vec eb = Row(f.earthBary[0]), ev = Row(f.earthBary[1]);
    s.sunPos = Sub(eb, Row(f.earthHelio[0]));
    s.sunVel = Sub(ev, Row(f.earthHelio[1]));
    if (body == Body::Sun) {
        s.pos = s.sunPos;
        s.vel = s.sunVel;
    } else if (body == Body::Moon) {
        double pv[2][3];
        eraMoon98(f.tt(), 0, pv);  // geocentric, GCRS
        s.pos = Add(eb, Row(pv[0]));
        s.vel = Add(ev, Row(pv[1]));
    } else {
        double pv[2][3];
        eraPlan94(f.tt(), 0, Plan94Index(body), pv);
        s.pos = Add(s.sunPos, MulTransposed(Bias().m, Row(pv[0])));
        s.vel = Add(s.sunVel, MulTransposed(Bias().m, Row(pv[1])));
        s.heliocentricPull = true;
    }
    return s;
}

// Barycentric position of the body tau days before the frame's instant. Light time never
// exceeds a few hours, over which the second-order Taylor step with the Sun's attraction is
// exact to well under a milliarcsecond; the Moon's 1.3 s need only the first order.
Vec PositionBefore(const BodyState& s, double tau) {
    const Vec sun = Sub(s.sunPos, Scale(s.sunVel, tau));
    Vec helio = Sub(Sub(s.pos, s.sunPos), Scale(Sub(s.vel, s.sunVel), tau));
    if (s.heliocentricPull) {
        const Vec h = Sub(s.pos, s.sunPos);
        const double r = Norm(h);
        helio = Sub(helio, Scale(h, 0.5 * tau * tau * kGaussK2 / (r * r * r)));
    }
    return Add(sun, helio);
}

// The observer's barycentric position and velocity (AU, AU/day).
struct Observer {
    Vec pos, vel;
};

// The site's geocentric position and velocity in the true equator and equinox of date, AU and
// AU/day.
void SiteOfDate(const PreciseFrame& f, const Site& site, Vec& pos, Vec& vel) {
    double xyz[3];
    eraGd2gc(ERFA_WGS84, site.longitude * kDegree, site.latitude * kDegree, site.height, xyz);
    const double g = PreciseSiderealTimeDeg(f) * kDegree;
    const double c = std::cos(g), s = std::sin(g);
    pos = Scale({xyz[0] * c - xyz[1] * s, xyz[0] * s + xyz[1] * c, xyz[2]}, 1 / ERFA_DAU);
    const double omega = ERFA_D2PI * 1.00273781191135448;  // radians per UT1 day
    vel = {-omega * pos[1], omega * pos[0], 0};
}

Observer ObserverOf(const PreciseFrame& f, const Site* site) {
    Observer o{Row(f.earthBary[0]), Row(f.earthBary[1])};
    if (site) {
        Vec p, v;
        SiteOfDate(f, *site, p, v);
        o.pos = Add(o.pos, MulTransposed(f.npb, p));
        o.vel = Add(o.vel, MulTransposed(f.npb, v));
    }
    return o;
}

double AngleBetweenDeg(const Vec& a, const Vec& b) {
    const double c = Dot(a, b) / (Norm(a) * Norm(b));
    return std::acos(std::clamp(c, -1.0, 1.0)) * kRadian;
}

ApparentPlace Apparent(Body body, const PreciseFrame& f, const Observer& o) {
    const BodyState s = StateOf(body, f);
    // Light time: the body where the light left it.
    double tau = 0;
    Vec emitted = s.pos, p = Sub(s.pos, o.pos);
    for (int i = 0; i < 3; ++i) {
        tau = Norm(p) / ERFA_DC;
        emitted = PositionBefore(s, tau);
        p = Sub(emitted, o.pos);
    }
    Vec u = Scale(p, 1 / Norm(p));

    const Vec sunToObserver = Sub(o.pos, s.sunPos);
    const double em = Norm(sunToObserver);
    Vec e = Scale(sunToObserver, 1 / em);
    const Vec sunThen = Sub(s.sunPos, Scale(s.sunVel, tau));
    const Vec helio = Sub(emitted, sunThen);
    if (body != Body::Sun) {
        // Light bending by the Sun; the limiter keeps a body behind the Sun finite.
        Vec q = Scale(helio, 1 / Norm(helio));
        double deflected[3];
        eraLd(1.0, u.data(), q.data(), e.data(), em, 1e-6, deflected);
        u = Row(deflected);
    }
    // Aberration by the observer's barycentric velocity.
    Vec v = Scale(o.vel, 1 / ERFA_DC);
    const double bm1 = std::sqrt(1 - Dot(v, v));
    double aberrated[3];
    eraAb(u.data(), v.data(), em, bm1, aberrated);

    Vec w = Mul(f.npb, Row(aberrated));
    ApparentPlace a;
    double theta, phi;
    eraC2s(w.data(), &theta, &phi);
    a.ra = eraAnp(theta) * kRadian;
    a.dec = phi * kRadian;
    const double ce = std::cos(f.trueObliquity), se = std::sin(f.trueObliquity);
    Vec ecl = {w[0], w[1] * ce + w[2] * se, -w[1] * se + w[2] * ce};
    eraC2s(ecl.data(), &theta, &phi);
    a.longitude = eraAnp(theta) * kRadian;
    a.latitude = phi * kRadian;
    a.distance = Norm(Sub(s.pos, o.pos));
    a.lightTime = tau;
    const double radiusAU = BodyRadiusKm(body) / kKmPerAU;
    a.diameter = 2 * std::asin(std::min(1.0, radiusAU / a.distance)) * kRadian * 3600;
    if (body != Body::Sun) {
        a.phaseAngle = AngleBetweenDeg(Scale(helio, -1), Scale(p, -1));
        a.phase = (1 + std::cos(a.phaseAngle * kDegree)) / 2;
        a.elongation = AngleBetweenDeg(p, Sub(s.sunPos, o.pos));
    }
    return a;
}

HeliocentricPlace Heliocentric(const PreciseFrame& f, const Vec& helioGcrs) {
    Vec h = Mul(f.ecliptic, helioGcrs);
    double theta, phi;
    eraC2s(h.data(), &theta, &phi);
    return {eraAnp(theta) * kRadian, phi * kRadian, Norm(h)};
}

// Sæmundsson's refraction for a true altitude, arcminutes at 1010 hPa and 10 °C.
double SaemundssonArcmin(double h) {
    h = std::max(h, -1.0);
    return 1.02 / std::tan((h + 10.3 / (h + 5.11)) * kDegree);
}

// Sea-level pressure scaled to the height (the relation eraAtco13 recommends), hPa.
double PressureHPa(double heightMetres) {
    constexpr double kSeaLevelHPa = 1013.25, kTempC = 10;
    return kSeaLevelHPa * std::exp(-heightMetres / (29.3 * (273.15 + kTempC)));
}

}  // namespace

double BodyRadiusKm(Body body) {
    switch (body) {
    case Body::Sun: return 695700;
    case Body::Moon: return 1737.4;
    case Body::Mercury: return 2440.53;
    case Body::Earth: return 6378.137;
    case Body::Venus: return 6051.8;
    case Body::Mars: return 3396.19;
    case Body::Jupiter: return 71492;
    case Body::Saturn: return 60268;
    case Body::Uranus: return 25559;
    case Body::Neptune: return 24764;
    }
    return 0;
}

PreciseFrame MakePreciseFrame(const Instant& time) {
    PreciseFrame f;
    f.time = time;
    const double tt = f.tt();
    eraEpv00(tt, 0, f.earthHelio, f.earthBary);
    double dpsi, deps, epsa, rb[3][3], rp[3][3], rbp[3][3], rn[3][3];
    eraPn06a(tt, 0, &dpsi, &deps, &epsa, rb, rp, rbp, rn, f.npb);
    f.trueObliquity = epsa + deps;
    eraEcm06(tt, 0, f.ecliptic);
    double x, y;
    eraBpn2xy(f.npb, &x, &y);
    f.equationOfOrigins = eraEors(f.npb, eraS06(tt, 0, x, y));
    return f;
}

double PreciseSiderealTimeDeg(const PreciseFrame& frame) {
    return eraAnp(eraEra00(frame.ut(), 0) - frame.equationOfOrigins) * kRadian;
}

ApparentPlace GeocentricPlace(Body body, const PreciseFrame& frame) {
    return Apparent(body, frame, ObserverOf(frame, nullptr));
}

ApparentPlace TopocentricPlace(Body body, const PreciseFrame& frame, const Site& site) {
    return Apparent(body, frame, ObserverOf(frame, &site));
}

HorizontalPlace ObservedPlace(const ApparentPlace& topocentric, const PreciseFrame& frame,
                              const Site& site) {
    HorizontalPlace h;
    const double ha =
        eraAnpm((PreciseSiderealTimeDeg(frame) + site.longitude - topocentric.ra) * kDegree);
    double az, el;
    eraHd2ae(ha, topocentric.dec * kDegree, site.latitude * kDegree, &az, &el);
    h.azimuth = az * kRadian;
    h.trueAltitude = el * kRadian;
    h.altitude = h.trueAltitude + RefractionDeg(h.trueAltitude, site.height);
    h.hourAngle = ha * kRadian;
    return h;
}

double RefractionDeg(double trueAltitude, double heightMetres) {
    if (!(trueAltitude < 90)) return 0;  // the zenith, or no altitude at all
    const double pressure = PressureHPa(heightMetres);
    // Sæmundsson's formula is for 1010 hPa and 10 °C, our temperature.
    const double low = SaemundssonArcmin(trueAltitude) / 60 * (pressure / 1010);
    if (trueAltitude <= 10) return low;
    double a, b;
    eraRefco(pressure, 10, 0.5, 0.55, &a, &b);
    // A tan z + B tan³ z is in the observed zenith distance: one Newton step from the true one,
    // as eraAtioq takes it.
    const double sinh = std::sin(trueAltitude * kDegree), cosh = std::cos(trueAltitude * kDegree);
    const double tz = cosh / sinh, w = b * tz * tz;
    const double high = (a + w) * tz / (1 + (a + 3 * w) / (sinh * sinh)) * kRadian;
    if (trueAltitude >= 20) return high;
    const double t = (trueAltitude - 10) / 10;
    return low + (high - low) * t;
}

HeliocentricPlace EarthHeliocentric(const PreciseFrame& frame) {
    return Heliocentric(frame, Row(frame.earthHelio[0]));
}

HeliocentricPlace PlanetHeliocentric(Body planet, const PreciseFrame& frame) {
    const int np = Plan94Index(planet);
    if (np == 0) return EarthHeliocentric(frame);
    double pv[2][3];
    eraPlan94(frame.tt(), 0, np, pv);
    return Heliocentric(frame, MulTransposed(Bias().m, Row(pv[0])));
}

}  // namespace noctaris
