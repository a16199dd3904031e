#include "astro/theories/planets.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "astro/core/constants.h"
#include "astro/core/errors.h"
#include "astro/coords/angles.h"
#include "astro/time/calendar_dates.h"
#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {
using LD = long double;

void RequirePlanet(Body body) {
    if (!IsPlanet(body)) throw DomainError(std::string("no planetary theory for ") + BodyName(body));
}

// Transcendental functions are evaluated in double (the extended ones cost several times as
// much and the chart calls this module on every redraw); sums and products stay extended.
LD SinR(LD rad) { return std::sin(static_cast<double>(rad)); }
LD CosR(LD rad) { return std::cos(static_cast<double>(rad)); }
LD AtanR(LD x) { return std::atan(static_cast<double>(x)); }
LD AsinR(LD x) { return std::asin(static_cast<double>(x)); }
LD AcosR(LD x) { return std::acos(static_cast<double>(x)); }
LD SinL(LD deg) { return SinR(deg * kDegToRad); }
LD CosL(LD deg) { return CosR(deg * kDegToRad); }

// arctan(y/x) in degrees, the quotient taken as written; x = 0 gives the limit +-90.
LD ArcTanQuotient(LD y, LD x) {
    if (x == 0) return y > 0 ? 90.0L : (y < 0 ? -90.0L : 0.0L);
    return AtanR(y / x) * kRadToDeg;
}

// arcsin in degrees of a sine that is mathematically within [-1, 1]; only rounding can carry
// it past, so it is clamped.
LD ArcSinOfSine(LD s) { return AsinR(std::clamp(s, -1.0L, 1.0L)) * kRadToDeg; }

// Osculating elements of the rectangular theory.
struct OsculatingElements {
    double a, e, i, node, peri, m0, n;
};
constexpr std::array<OsculatingElements, 8> kOsculating = {{
    {0.387099, 0.205634, 7.0048, 48.331, 77.4552, 174.7947, 149472.6738},
    {0.723332, 0.006773, 3.3946, 76.68, 131.5718, 50.4071, 58517.8149},
    {1.0, 0.016709, 0, 174.876, 102.94, 357.5256, 35999.372},
    {1.523692, 0.093405, 1.8496, 49.557, 336.059, 19.3879, 19140.3023},
    {5.202437, 0.048402, 1.3047, 100.4683, 15.7192, 250.3274, 3035.2275},
    {9.551712, 0.05234, 2.4855, 113.6439, 90.9682, 267.2465, 1219.6465},
    {19.293108, 0.044846, 0.7733, 74.0903, 176.6152, 118.432, 424.815},
    {30.257162, 0.007985, 1.77, 131.775, 3.0962, 292.4716, 216.3047},
}};
// The row of a planet in kOsculating, in the order of kPlanets.
std::size_t OsculatingRow(Body planet) {
    RequirePlanet(planet);
    return static_cast<std::size_t>(planet) - static_cast<std::size_t>(Body::Mercury);
}
// The outer rows count their mean anomaly from MJD 50000 (1544.5 days after J2000).
constexpr LD kOuterEpochShift = 0.042286105L;

// Fourier correction: c0 + sum over k of cos[k] cos kX + sin[k] sin kX.
struct FourierSeries {
    double c0;
    std::array<double, 12> cosk;  // index = multiple of X; index 0 unused
    std::array<double, 12> sink;
};
struct OuterSeries {
    Body planet;
    FourierSeries dL;  // arcminutes
    FourierSeries dR;  // 0.001 AU
};
// clang-format off
const std::array<OuterSeries, 4> kOuterCorrections = {{
    {Body::Jupiter,
     {3, {0, -0.3, -1.5, 0, -1.8, 3.0, -1.3, -0.4, 0.2, 0, 0, 0},
         {0, 5.3, 1.2, -1.0, 0, -1.9, 0.4, 0, 0, -0.2, 0.2, 0}},
     {0.2, {0, -0.6, -0.5, 0.6, -1.1, 1.6, -0.4, 0.2, 0, 0.2, 0, 0},
           {0, 0, -0.3, 0.2, -1.0, 2.6, -1.1, -0.3, 0.2, 0, 0, 0}}},
    {Body::Saturn,
     {-8.4, {0, -2.5, -1.2, 0.4, 0, -0.3, 0.4, 0.2, 0, 0, 0, 0},
            {0, -14, 6.2, 0.8, -0.2, 0, -0.2, 0, 0, 0, 0, 0}},
     {-14, {0, 10.6, -14.1, 4.0, 0.5, 0, 0.4, 0, 0, 0, 0, 0},
           {0, -2.7, -4.0, 3.7, 0.2, -0.7, 0.8, 0, -0.4, 0, 0, -0.2}}},
    {Body::Uranus,
     {-46.5, {0, -3.1, -0.8, -0.3, 0.4, 0.3, 0.3, 0.3, 0.3, 0.2, 0, 0},
             {0, 6.7, 1.9, 0.9, -0.6, -0.2, -0.2, -0.2, -0.2, 0, 0, 0}},
     {-13.9, {0, -11.4, 3.0, 3.0, -2.7, 0, 0, -0.4, -0.5, -0.3, -0.2, 0},
             {0, -11.2, -3.0, 0.2, -1.4, 0.9, 0.8, 0.5, 0.3, 0, 0, 0}}},
    {Body::Neptune,
     {32.4, {0, 0.5, 0.3, 0.2, 0.4, 0.2, 0.2, 0, 0, 0, 0, 0},
            {0, -2.4, -0.6, -0.2, -0.4, 0, -0.2, 0, -0.2, 0, 0, 0}},
     {-55.9, {0, 1.4, 2.9, 1.0, -3.3, 0.8, 0.3, 0.2, 0, 0, 0, 0},
             {0, -0.2, 0.4, 0.3, -2.2, 0.8, 0.4, 0.2, 0, 0, 0, 0}}},
}};
// clang-format on

// cos kX and sin kX for k = 0..11, by the angle-addition recurrence.
struct Harmonics {
    std::array<LD, 12> c, s;
    explicit Harmonics(LD x) {
        const LD c1 = CosR(x), s1 = SinR(x);
        c[0] = 1;
        s[0] = 0;
        for (int k = 1; k < 12; ++k) {
            c[k] = c[k - 1] * c1 - s[k - 1] * s1;
            s[k] = s[k - 1] * c1 + c[k - 1] * s1;
        }
    }
};

LD EvaluateSeries(const FourierSeries& s, const Harmonics& h) {
    LD sum = s.c0;
    for (int k = 1; k < 12; ++k) sum += s.cosk[k] * h.c[k] + s.sink[k] * h.s[k];
    return sum;
}

// Heliocentric quantities of one body from the mean elements of date.
struct OrbitState {
    LD r = 0;     // radius vector, AU
    LD u = 0;     // argument of latitude, degrees
    LD incl = 0;  // inclination, degrees
    LD node = 0;  // longitude of the ascending node, degrees
    LD d1 = 0;    // diameter at 1 AU, arcseconds
};

OrbitState OrbitOfDate(Body planet, double T) {
    const MeanElements el = *PlanetElementsOfDate(planet, T);
    const double a = el.a, e = el.e, d1 = el.d1, i = el.i, node = el.node, peri = el.peri,
                 M = el.M;
    const LD E = SolveKeplerIterative(e, static_cast<double>(M * kPi / 180.0L));
    const LD le = e;
    OrbitState s;
    s.r = a * (1.0L - le * CosR(E));
    const LD v = 2.0L * ArcTanQuotient(std::sqrt(std::fabs((1.0L + le) / (1.0L - le))) * SinR(E / 2),
                                       CosR(E / 2));
    s.u = v + peri - node;
    s.incl = i;
    s.node = node;
    s.d1 = d1;
    return s;
}

// Step 4 of the spherical theory: heliocentric longitude before the J2000 reduction.
LD HelioLongitudeOfDate(const OrbitState& s) {
    const LD cu = CosL(s.u);
    LD l = ArcTanQuotient(SinL(s.u) * CosL(s.incl), cu) + s.node;
    if (cu < 0) l += 180.0L;
    if (l < 0) l += 360.0L;
    return l;
}

// Coarse precession of a longitude of date back to the J2000 equinox, degrees.
LD ReductionToJ2000(double jd) { return (2451545.0L - jd) * 0.01396L / 365.25L; }

}  // namespace

double EccentricAnomaly(double M, double e) {
    LD m = static_cast<LD>(M) / 360.0L;
    m = kTwoPi * (m - std::trunc(m));
    if (m < 0) m += kTwoPi;
    LD E = e < 0.8 ? m : kPi;
    LD f = E - e * SinR(E) - m;
    for (int k = 0; k < 15 && std::fabs(f) > 1e-11L; ++k) {
        E = E - f / (1.0L - e * CosR(E));
        f = E - e * SinR(E) - m;
    }
    return static_cast<double>(E * kRadToDeg);
}

OrbitPlanePoint EllipticOrbitPosition(double M, double a, double e) {
    OrbitPlanePoint p;
    const double E = EccentricAnomaly(M, e);
    const LD c = CosDeg(E), s = SinDeg(E);
    const LD la = a, le = e;
    p.x = static_cast<double>(la * (c - le));
    const LD f = std::sqrt((1.0L - le) * (1.0L + le));
    p.y = static_cast<double>(la * f * s);
    const LD k = 0.01720209895L / std::sqrt(la);
    const LD rho = 1.0L - le * c;
    p.vx = static_cast<double>(-k * s / rho);
    p.vy = static_cast<double>(k * f * c / rho);
    return p;
}

Vec3 PlanetHeliocentricJ2000(Body planet, double T) {
    const std::size_t row = OsculatingRow(planet);
    const OsculatingElements& el = kOsculating[row];
    const Matrix3 pqr = OrbitOrientationMatrix(el.node, el.i, el.peri - el.node);
    const LD tm = row <= OsculatingRow(Body::Mars) ? static_cast<LD>(T) : T + kOuterEpochShift;
    const double M = static_cast<double>(el.m0 + el.n * tm);
    const OrbitPlanePoint p = EllipticOrbitPosition(M, el.a, el.e);
    return OrbitToEcliptic(p.x, p.y, pqr);
}

std::optional<MeanElements> PlanetElementsOfDate(Body planet, double Td) {
    const LD T = Td;
    LD m;
    MeanElements el;
    double &a = el.a, &e = el.e, &d1 = el.d1, &i = el.i, &node = el.node, &peri = el.peri;
    // For the four inner bodies the mean motion is two products, added one after the other.
    if (planet == Body::Earth) {
        a = 1.000001018;
        e = static_cast<double>(0.01670862L - 0.000042037L * T);
        i = 0;
        node = 0;
        peri = static_cast<double>(102.937348L + 1.7195269L * T);
        m = 357.5291L + 35640.0L * T + 359.0503L * T;
        d1 = 0;
    } else if (planet == Body::Mercury) {
        a = 0.38709831;
        e = static_cast<double>(0.205632L + 0.000020406L * T);
        i = static_cast<double>(7.004986L + 0.0018215L * T);
        node = static_cast<double>(48.330893L + 1.186189L * T);
        peri = static_cast<double>(77.456119L + 1.5564775L * T);
        m = 174.7948L + 149400.0L * T + 72.5157L * T;
        d1 = 6.72;
    } else if (planet == Body::Venus) {
        a = 0.72332982;
        e = static_cast<double>(0.00677188L - 0.000047766L * T);
        i = static_cast<double>(3.394662L + 0.0010037L * T);
        node = static_cast<double>(76.67992L + 0.901119L * T);
        peri = static_cast<double>(131.563707L + 1.4022188L * T);
        m = 50.4161L + 58320.0L * T + 197.8108L * T;
        d1 = 16.68;
    } else if (planet == Body::Mars) {
        a = 1.523679342;
        e = static_cast<double>(0.09340062L + 0.000090483L * T);
        i = static_cast<double>(1.849726L - 0.000601L * T);
        node = static_cast<double>(49.558093L + 0.7720923L * T);
        peri = static_cast<double>(336.060234L + 1.8410331L * T);
        m = 19.373L + 19080.0L * T + 59.8554L * T;
        d1 = 9.36;
    } else if (planet == Body::Jupiter) {
        a = 5.202603;
        e = static_cast<double>(0.048495L + 0.000163L * T);
        i = static_cast<double>(1.3033L - 0.0055L * T);
        node = static_cast<double>(100.464L + 1.021L * T);
        peri = static_cast<double>(14.3313L + 1.6126L * T);
        m = 20.0202L + 3034.69015L * T;
        d1 = 196.88;
    } else if (planet == Body::Saturn) {
        a = 9.55491;
        e = static_cast<double>(0.055509L - 0.000347L * T);
        i = static_cast<double>(2.4889L - 0.0037L * T);
        node = static_cast<double>(113.666L + 0.877L * T);
        peri = static_cast<double>(93.0568L + 1.9638L * T);
        m = 317.0207L + 1221.54725L * T;
        d1 = 165.46;
    } else if (planet == Body::Uranus) {
        a = 19.218446;
        e = static_cast<double>(0.046296L - 0.000027L * T);
        i = static_cast<double>(0.7732L + 0.0008L * T);
        node = static_cast<double>(74.006L + 0.521L * T);
        peri = static_cast<double>(173.0052L + 1.4864L * T);
        m = 141.0499L + 428.37768L * T;
        d1 = 70.04;
    } else if (planet == Body::Neptune) {
        a = 30.110387;
        e = static_cast<double>(0.008988L + 0.000006L * T);
        i = static_cast<double>(1.77L - 0.0093L * T);
        node = static_cast<double>(131.784L + 1.102L * T);
        peri = static_cast<double>(48.1237L + 1.4263L * T);
        m = 256.225L + 218.45704L * T;
        d1 = 67.0;
    } else {
        return std::nullopt;
    }
    el.M = static_cast<double>(Reduce360(m));
    return el;
}

double SolveKeplerIterative(double e, double M) {
    LD E = 0;
    for (int k = 0; k < 39; ++k) {
        const LD next = M + e * SinR(E);
        const bool settled = std::fabs(next - E) < 1e-7L;
        E = next;
        if (settled) break;
    }
    return static_cast<double>(E);
}

OuterCorrection OuterPlanetCorrections(Body planet, double jd) {
    OuterCorrection out;
    for (const OuterSeries& c : kOuterCorrections) {
        if (c.planet != planet) continue;
        const Harmonics h((static_cast<LD>(jd) - 2438000.5L) * kPi / 9600.0L);
        out.dL = static_cast<double>(EvaluateSeries(c.dL, h));
        out.dR = static_cast<double>(EvaluateSeries(c.dR, h));
    }
    return out;
}

std::optional<double> PlanetMagnitude(Body planet, double r, double delta, double R, double T,
                                      double dec, double ra) {
    if (!IsPlanet(planet) || planet == Body::Earth) return std::nullopt;
    const LD rd = static_cast<LD>(r) * delta;
    const LD m5 = rd > 0 ? 5.0L * std::log10(rd) : 0.0L;
    LD i = 0;
    if (rd != 0) {
        LD c = (static_cast<LD>(delta) * delta + static_cast<LD>(r) * r - static_cast<LD>(R) * R) /
               (2.0L * delta * r);
        // Three consistent distances give |c| <= 1 up to rounding; only that overshoot is
        // clamped, distances that form no triangle stay a domain error of ArcCosDeg.
        if (std::fabs(c) > 1.0L && std::fabs(c) <= 1.0L + 1e-9L) c = std::clamp(c, -1.0L, 1.0L);
        i = ArcCosDeg(static_cast<double>(c));
    }
    // Planetocentric latitude of the Earth: sin of the angle between the line of sight and the
    // planet's equator (Saturn's ring tilt; Uranus' aspect), pole of date in degrees.
    const auto sinEarthLatitude = [&](LD poleRA, LD poleDec) {
        return -SinL(poleDec) * SinL(dec) - CosL(poleDec) * CosL(dec) * CosL(poleRA - ra);
    };
    const LD T0 = T;
    LD m = m5;
    if (planet == Body::Mercury) {
        m += -0.613L + i * (6.3280e-2L + i * (-1.6336e-3L + i * (3.3644e-5L +
             i * (-3.4265e-7L + i * (1.6893e-9L + i * -3.0334e-12L)))));
    } else if (planet == Body::Venus) {
        if (i < 163.7L)
            m += -4.384L + i * (-1.044e-3L + i * (3.687e-4L + i * (-2.814e-6L + i * 8.938e-9L)));
        else
            m += 236.05828L + i * (-2.81914L + i * 8.39034e-3L);
    } else if (planet == Body::Mars) {
        if (i <= 50)
            m += -1.601L + i * (2.267e-2L - 1.302e-4L * i);
        else
            m += -0.367L + i * (-2.573e-2L + 3.445e-4L * i);
    } else if (planet == Body::Jupiter) {
        if (i <= 12) {
            m += -9.395L + i * (-3.7e-4L + 6.16e-4L * i);
        } else {
            const LD x = i / 180;
            m += -9.428L - 2.5L * std::log10(1 - x * (1.507L + x * (0.363L + x * (0.062L +
                                              x * (-2.809L + x * 1.876L)))));
        }
    } else if (planet == Body::Saturn) {  // globe and rings, as far as the Earth sees them
        const LD sb = std::fabs(sinEarthLatitude(40.66L + 4.319L * T0, 83.52L + 0.425L * T0));
        m += -8.914L - 1.825L * sb + 0.026L * i - 0.378L * sb * std::exp(-2.25L * i);
    } else if (planet == Body::Uranus) {
        const LD lat = std::fabs(ArcSinOfSine(sinEarthLatitude(257.43L, -15.10L)));
        m += -7.110L - 8.4e-4L * lat + i * (6.587e-3L + 1.045e-4L * i);
    } else {  // Neptune, which brightened by a tenth of a magnitude from 1980 to 2000
        const LD year = 2000 + 100 * T0;
        m += year >= 2000 ? -7.00L : year <= 1980 ? -6.89L : -6.89L - 0.0055L * (year - 1980);
        if (i > 1.9L) m += i * (7.944e-3L + 9.617e-5L * i);
    }
    return static_cast<double>(m);
}

RiseSet PlanetRiseSet(double ra, double dec, double jd, double latitude, double longitude,
                      double zone, double horizonDeg) {
    RiseSet out;
    const LD sinPhi = SinL(latitude), cosPhi = CosL(latitude);
    const LD c = (SinL(horizonDeg) - sinPhi * SinL(dec)) / (cosPhi * CosL(dec));
    if (!(std::fabs(c) <= 1.0L)) {
        // Never crossing: above all day when even the lower culmination clears the horizon.
        const LD lower = std::fabs(static_cast<LD>(latitude) + dec) - 90.0L;
        if (lower >= horizonDeg)
            out.alwaysAbove = true;
        else
            out.alwaysBelow = true;
        return out;
    }
    const LD h = AcosR(c) * 12.0L / kPi;  // semi-diurnal arc, sidereal hours
    // Hours of the place's civil day: the sidereal hours past its local midnight, turned into
    // clock hours, so that both events are those of the day of jd at the place.
    const LD origin = MeanSiderealTimeDeg(Instant::FromUT(LocalMidnightJD(jd, zone))) / 15.0L;
    auto clock = [&](LD s) {
        s += (static_cast<LD>(ra) - longitude) / 15.0L - origin;
        s = std::fmod(s, 24.0L);
        if (s < 0) s += 24;
        return static_cast<double>(s / kSiderealPerSolar);
    };
    out.rise = clock(-h);
    out.set = clock(h);
    return out;
}

PlanetEphemerisResult PlanetPlace(Body body, double jd) {
    RequirePlanet(body);
    PlanetEphemerisResult result;
    PlanetEphemerisRecord& rec = result.record;
    const double T = static_cast<double>(JulianCenturies(jd));

    const OrbitState planet = OrbitOfDate(body, T);
    const OrbitState earth = OrbitOfDate(Body::Earth, T);
    LD sunLongitude = earth.u + 180.0L;
    const LD R = earth.r;

    LD l = HelioLongitudeOfDate(planet);
    const LD b = ArcSinOfSine(SinL(planet.u) * SinL(planet.incl)) + 0.0L;  // no -0 for Earth
    rec.HelioLatitude = static_cast<double>(b);

    const LD c = ReductionToJ2000(jd);
    l += c;
    sunLongitude += c;

    LD r = planet.r;
    const OuterCorrection outer = OuterPlanetCorrections(body, jd);
    l += outer.dL / 60.0L;
    r += outer.dR / 1000.0L;

    if (l < 0) l += 360.0L;
    if (l > 360) l -= 360.0L;
    rec.HelioLongitude = static_cast<double>(l);
    rec.RadiusVector = static_cast<double>(r);
    if (body == Body::Earth) return result;

    // Geocentric ecliptic rectangular coordinates.
    const LD x = r * CosL(b) * CosL(l) + R * CosL(sunLongitude);
    const LD y = r * CosL(b) * SinL(l) + R * SinL(sunLongitude);
    const LD z = r * SinL(b);
    const LD delta = std::sqrt(x * x + y * y + z * z);
    LD lambda = ArcTanQuotient(y, x);
    if (x < 0) lambda += 180.0L;
    if (lambda < 0) lambda += 360.0L;
    const LD beta = ArcSinOfSine(z / delta);
    rec.Distance = static_cast<double>(delta);
    rec.GeoLongitude = static_cast<double>(lambda);
    rec.GeoLatitude = static_cast<double>(beta);

    // Equatorial.
    const LD eps = 23.4393L - 0.013L * T;
    const LD ye = y * CosL(eps) - z * SinL(eps);
    const LD ze = y * SinL(eps) + z * CosL(eps);
    LD alpha = ArcTanQuotient(ye, x);
    if (x < 0) alpha += 180.0L;
    if (alpha < 0) alpha += 360.0L;
    const LD delta0 = ArcSinOfSine(ze / delta);
    result.ra = static_cast<double>(alpha);
    result.dec = static_cast<double>(delta0);

    const LD hours = alpha / 15.0L;
    rec.RAHours = static_cast<double>(std::trunc(hours));
    rec.RAMinutes = static_cast<double>((hours - std::trunc(hours)) * 60.0L);
    rec.DecDegrees = static_cast<double>(std::trunc(delta0));
    rec.DecMinutes = static_cast<double>((delta0 - std::trunc(delta0)) * 60.0L);

    rec.Diameter = static_cast<double>(planet.d1 / delta);

    rec.Magnitude = *PlanetMagnitude(body, static_cast<double>(r), static_cast<double>(delta),
                                     static_cast<double>(R), T, static_cast<double>(delta0),
                                     static_cast<double>(alpha));
    return result;
}

namespace {

// Right ascension and declination of the equator and equinox of date, degrees: the sidereal
// time that the rising is reckoned in is of date, the theory's place of J2000.
std::pair<double, double> PlaceOfDate(const PlanetEphemerisResult& p, double jd) {
    const double ra = p.ra * kDegree, dec = p.dec * kDegree;
    const Vec3 v = ApplyMatrix(PrecessionMatrix(0, static_cast<double>(JulianCenturies(jd))),
                               {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)});
    double a = ArcTan2Deg(v.y, v.x);
    if (a < 0) a += 360;
    return {a, ArcSinDeg(std::clamp(v.z, -1.0, 1.0))};
}

}  // namespace

PlanetEphemerisResult PlanetEphemeris(Body body, double jd, double latitude, double longitude,
                                      double zone) {
    RequirePlanet(body);
    PlanetEphemerisResult result = PlanetPlace(body, jd);
    if (body == Body::Earth) return result;
    const auto riseSetAt = [&](double t) {
        const auto [ra, dec] = PlaceOfDate(t == jd ? result : PlanetPlace(body, t), t);
        return PlanetRiseSet(ra, dec, jd, latitude, longitude, zone, kPlanetHorizonDeg);
    };
    result.riseSet = riseSetAt(jd);
    // The planet moves during the day (Mercury up to 2 degrees): each event is computed again
    // with the place at its own instant.
    const double midnight = LocalMidnightJD(jd, zone);
    for (std::optional<double> RiseSet::*event : {&RiseSet::rise, &RiseSet::set}) {
        for (int k = 0; k < 2 && result.riseSet.*event; ++k) {
            const std::optional<double> better = riseSetAt(midnight + *(result.riseSet.*event) / 24).*event;
            if (!better) break;  // grazing the horizon: keep the first estimate
            result.riseSet.*event = better;
        }
    }
    return result;
}

double PlanetHeliocentricLongitude(Body planet, double jd) {
    RequirePlanet(planet);
    const double T = static_cast<double>(JulianCenturies(jd));
    LD l = HelioLongitudeOfDate(OrbitOfDate(planet, T)) + ReductionToJ2000(jd);
    return static_cast<double>(l + OuterPlanetCorrections(planet, jd).dL / 60.0L);
}

}  // namespace noctaris
