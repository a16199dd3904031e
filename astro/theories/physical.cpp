#include "astro/theories/physical.h"

#include <cmath>
#include <string>

#include "astro/core/constants.h"
#include "astro/core/errors.h"
#include "astro/coords/angles.h"
#include "astro/theories/planets.h"

namespace noctaris {
namespace {

constexpr double kLightAUPerDay = 173.14;

// The cosine of a triangle's angle computed from its sides may come out a few units in the
// last place beyond ±1; that is rounding, not a domain error. Anything further out (or NaN)
// is passed on so that the arc functions report it.
double ClampCosine(double c) {
    if (c > 1.0 && c < 1.0 + 1e-9) return 1.0;
    if (c < -1.0 && c > -1.0 - 1e-9) return -1.0;
    return c;
}

Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Norm(Vec3 v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Heliocentric position of a planet at T, J2000 equatorial (ecliptic rotated with the
// obliquity of J2000).
Vec3 EquatorialJ2000(Body planet, double T) {
    return EclipticToEquatorial(0, PlanetHeliocentricJ2000(planet, T));
}

double Reduce(double w) { return w - 360.0 * std::trunc(w / 360.0); }

}  // namespace

PlanetFigure PlanetRadius(Body planet) {
    switch (planet) {
        case Body::Mercury: return {2439, 0};
        case Body::Venus: return {6051, 0};
        case Body::Mars: return {3393.4, 0.0051865};
        case Body::Jupiter: return {71398, 0.0648088};
        case Body::Saturn: return {60000, 0.1076209};
        case Body::Uranus: return {25400, 0.03};
        case Body::Neptune: return {24300, 0.0259};
        case Body::Earth: return {6378.14, 0.00335281};
        default: throw DomainError(std::string("no figure for ") + BodyName(planet));
    }
}

RotationElements PlanetRotation(Body planet, double T, int system) {
    const double d = 36525.0 * T;
    RotationElements r;
    switch (planet) {
        case Body::Mercury:
            r.PoleRA = 281.02 - 0.033 * T;
            r.PoleDec = 61.45 - 0.005 * T;
            r.W = 329.71 + 6.1385025 * d;
            break;
        case Body::Venus:
            r.PoleRA = 272.78;
            r.PoleDec = 67.21;
            r.W = 159.91 - 1.4814205 * d;
            r.Retrograde = true;
            break;
        case Body::Mars:
            r.PoleRA = 317.681 - 0.108 * T;
            r.PoleDec = 52.886 - 0.061 * T;
            r.W = 176.655 + 350.891983 * d;
            break;
        case Body::Jupiter:
            r.PoleRA = 268.05 - 0.009 * T;
            r.PoleDec = 64.49 + 0.003 * T;
            r.W = system == 1 ? 43.3 + 870.27 * d : system == 2 ? 284.95 + 870.536 * d : 67.1 + 877.9 * d;
            break;
        case Body::Saturn:
            r.PoleRA = 40.66 - 0.036 * T;
            r.PoleDec = 83.52 - 0.004 * T;
            r.W = system == 2 ? 38.9 + 810.7939024 * d : 227.2037 + 844.3 * d;
            break;
        case Body::Uranus:
            r.PoleRA = 257.43;
            r.PoleDec = -15.1;
            r.W = 261.62 - 554.913 * d;
            r.Retrograde = true;
            break;
        case Body::Neptune:
            r.PoleRA = 295.33;
            r.PoleDec = 40.65;
            r.W = 107.21 + 468.75 * d;
            break;
        case Body::Earth:
            r.PoleRA = 0 - 0.641 * T;
            r.PoleDec = 90 - 0.557 * T;
            r.W = 100.21 + 360.9856123 * d;
            break;
        default:
            throw DomainError(std::string("no rotation for ") + BodyName(planet));
    }
    r.W = Reduce(r.W);
    return r;
}

PlanetocentricAngles PlanetocentricOf(const RotationElements& rot, double flattening, Vec3 w) {
    const double wx = w.x, wy = w.y, wz = w.z;
    const Matrix3 q = OrbitOrientationMatrix(rot.PoleRA + 90.0, 90.0 - rot.PoleDec, rot.W);
    const double a = -(wx * q(1, 1) + wy * q(2, 1) + wz * q(3, 1));
    const double b = -(wx * q(1, 2) + wy * q(2, 2) + wz * q(3, 2));
    const double c = -(wx * q(1, 3) + wy * q(2, 3) + wz * q(3, 3));
    const double rho = std::sqrt(a * a + b * b);
    PlanetocentricAngles out;
    out.Declination = ArcTanDeg(c / rho);
    const double f1 = 1.0 - flattening;
    out.GraphicLatitude = ArcTanDeg(c / rho / (f1 * f1));
    double lon = ArcTan2Deg(b, a);
    if (!rot.Retrograde) lon = -lon;
    if (lon < 0) lon += 360.0;
    out.CentralMeridian = lon;
    return out;
}

std::optional<PlanetPhysical> PlanetPhysicalEphemeris(Body p, int year, int month, int day,
                                                      double hour) {
    if (!IsPlanet(p) || p == Body::Earth) return std::nullopt;
    const double T = (ModifiedJulianDate(year, month, day, hour) - 51544.5) / 36525.0;
    const Matrix3 precession = PrecessionMatrix(0, T);

    const Vec3 earth = EquatorialJ2000(Body::Earth, T);
    const Vec3 planet = EquatorialJ2000(p, T);
    const double delta0 = Norm(planet - earth);
    const double tLight = T - delta0 / kLightAUPerDay / 36525.0;
    Vec3 pl = EquatorialJ2000(p, tLight);  // P': the planet when the light left it
    Vec3 v = pl - earth;                    // V: from the Earth to the planet

    const PlanetFigure figure = PlanetRadius(p);
    PlanetPhysical r;
    r.Diameter = ArcSinDeg(figure.EquatorialRadiusKm / (delta0 * kKmPerAU)) * 7200.0;

    // Rotation: the central meridian seen from the Earth and from the Sun (system 0); Saturn's
    // magnitude needs their difference and the Sun's planetocentric declination.
    const RotationElements rot0 = PlanetRotation(p, tLight, 0);
    const PlanetocentricAngles fromEarth = PlanetocentricOf(rot0, figure.Flattening, v);
    const PlanetocentricAngles fromSun = PlanetocentricOf(rot0, figure.Flattening, pl);
    r.DeltaU = fromSun.CentralMeridian - fromEarth.CentralMeridian;
    r.SunDeclination = fromSun.Declination;

    // Phase geometry of the Sun-planet-Earth triangle.
    const double rp = Norm(pl), dist = Norm(v), re = Norm(earth);
    r.Elongation = ArcCosDeg(ClampCosine((dist * dist + re * re - rp * rp) / (2 * dist * re)));
    const double c = ClampCosine((dist * dist + rp * rp - re * re) / (2 * dist * rp));
    r.PhaseAngle = ArcCosDeg(c);
    r.IlluminatedFraction = (c + 1) / 2;

    // Position angle of the bright limb, on the equator of date.
    pl = ApplyMatrix(precession, pl);
    v = ApplyMatrix(precession, v);
    r.Magnitude = *PlanetMagnitude(p, rp, dist, re, T, ArcSinDeg(ClampCosine(v.z / dist)),
                                   ArcTan2Deg(v.y, v.x));
    const Vec3 s{-pl.x, -pl.y, -pl.z};
    const double n = (s.z * (v.x * v.x + v.y * v.y) - v.z * (v.x * s.x + v.y * s.y)) / Norm(v);
    const double dd = v.x * s.y - v.y * s.x;
    double chi = ArcTan2Deg(dd, n);
    if (chi < 0) chi += 360.0;
    r.PositionAngle = chi;

    return r;
}

}  // namespace noctaris
