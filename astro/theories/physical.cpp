#include "astro/theories/physical.h"

#include <cmath>

#include "astro/core/constants.h"
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

struct Vec {
    double x, y, z;
};
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double Norm(Vec v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// Heliocentric position of planet p at T, J2000 equatorial (ecliptic rotated with the
// obliquity of J2000).
Vec EquatorialJ2000(int p, double T) {
    Vec v{};
    PlanetHeliocentricJ2000(p, T, v.x, v.y, v.z);
    EclipticToEquatorial(0, v.x, v.y, v.z);
    return v;
}

double Reduce(double w) { return w - 360.0 * std::trunc(w / 360.0); }

}  // namespace

PlanetFigure PlanetRadius(int p) {
    static const PlanetFigure kTable[9] = {
        {2439, 0},          {6051, 0},          {6378.14, 0.00335281},
        {3393.4, 0.0051865}, {71398, 0.0648088}, {60000, 0.1076209},
        {25400, 0.03},      {24300, 0.0259},    {1500, 0}};
    return kTable[p >= 0 && p <= 8 ? p : 2];
}

RotationElements PlanetRotation(int p, double T, int system) {
    const double d = 36525.0 * T;
    RotationElements r;
    switch (p) {
        case 0:
            r.PoleRA = 281.02 - 0.033 * T;
            r.PoleDec = 61.45 - 0.005 * T;
            r.W = 329.71 + 6.1385025 * d;
            break;
        case 1:
            r.PoleRA = 272.78;
            r.PoleDec = 67.21;
            r.W = 159.91 - 1.4814205 * d;
            r.Retrograde = true;
            break;
        case 3:
            r.PoleRA = 317.681 - 0.108 * T;
            r.PoleDec = 52.886 - 0.061 * T;
            r.W = 176.655 + 350.891983 * d;
            break;
        case 4:
            r.PoleRA = 268.05 - 0.009 * T;
            r.PoleDec = 64.49 + 0.003 * T;
            r.W = system == 1 ? 43.3 + 870.27 * d : system == 2 ? 284.95 + 870.536 * d : 67.1 + 877.9 * d;
            break;
        case 5:
            r.PoleRA = 40.66 - 0.036 * T;
            r.PoleDec = 83.52 - 0.004 * T;
            r.W = system == 2 ? 38.9 + 810.7939024 * d : 227.2037 + 844.3 * d;
            break;
        case 6:
            r.PoleRA = 257.43;
            r.PoleDec = -15.1;
            r.W = 261.62 - 554.913 * d;
            r.Retrograde = true;
            break;
        case 7:
            r.PoleRA = 295.33;
            r.PoleDec = 40.65;
            r.W = 107.21 + 468.75 * d;
            break;
        case 8:
            r.PoleRA = 311.63;
            r.PoleDec = 4.18;
            r.W = 252.66 - 56.364 * d;
            r.Retrograde = true;
            break;
        default:  // the Earth
            r.PoleRA = 0 - 0.641 * T;
            r.PoleDec = 90 - 0.557 * T;
            r.W = 100.21 + 360.9856123 * d;
            break;
    }
    r.W = Reduce(r.W);
    return r;
}

PlanetocentricAngles PlanetocentricOf(const RotationElements& rot, double flattening, double wx,
                                      double wy, double wz) {
    Matrix3 q;
    OrbitOrientationMatrix(rot.PoleRA + 90.0, 90.0 - rot.PoleDec, rot.W, q);
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

bool PlanetPhysicalEphemeris(int p, int day, int month, int year, double hour, PlanetPhysical& out) {
    if (p < 0 || p > 8 || p == 2) return false;
    const double T = (ModifiedJulianDate(year, month, day, hour) - 51544.5) / 36525.0;
    Matrix3 precession;
    PrecessionMatrix(0, T, precession);

    const Vec earth = EquatorialJ2000(2, T);
    const Vec planet = EquatorialJ2000(p, T);
    const double delta0 = Norm(planet - earth);
    const double tLight = T - delta0 / kLightAUPerDay / 36525.0;
    Vec pl = EquatorialJ2000(p, tLight);  // P': the planet when the light left it
    Vec v = pl - earth;                    // V: from the Earth to the planet

    const PlanetFigure figure = PlanetRadius(p);
    PlanetPhysical r;
    r.Diameter = ArcSinDeg(figure.EquatorialRadiusKm / (delta0 * kKmPerAU)) * 7200.0;

    // Rotation: the central meridian seen from the Earth and from the Sun (system 0); Saturn's
    // magnitude needs their difference and the Sun's planetocentric declination.
    const RotationElements rot0 = PlanetRotation(p, tLight, 0);
    const PlanetocentricAngles fromEarth = PlanetocentricOf(rot0, figure.Flattening, v.x, v.y, v.z);
    const PlanetocentricAngles fromSun = PlanetocentricOf(rot0, figure.Flattening, pl.x, pl.y, pl.z);
    r.DeltaU = fromSun.CentralMeridian - fromEarth.CentralMeridian;
    r.SunDeclination = fromSun.Declination;

    // Phase geometry of the Sun-planet-Earth triangle.
    const double rp = Norm(pl), dist = Norm(v), re = Norm(earth);
    r.Elongation = ArcCosDeg(ClampCosine((dist * dist + re * re - rp * rp) / (2 * dist * re)));
    const double c = ClampCosine((dist * dist + rp * rp - re * re) / (2 * dist * rp));
    r.PhaseAngle = ArcCosDeg(c);
    r.IlluminatedFraction = (c + 1) / 2;

    const double g = r.PhaseAngle / 100.0;
    double base;
    switch (p) {
        case 0: base = -0.42 + 3.80 * g - 2.73 * g * g + 2.00 * g * g * g; break;
        case 1: base = -4.40 + 0.09 * g + 2.39 * g * g - 0.65 * g * g * g; break;
        case 3: base = -1.52 + 1.60 * g; break;
        case 4: base = -9.40 + 0.50 * g; break;
        case 5: {
            const double s = std::fabs(SinDeg(r.SunDeclination));
            const double du = std::fabs(r.DeltaU) / 100.0;
            const double u = du <= 1.8 ? du : std::fabs(du - 3.6);
            base = -8.88 - 2.60 * s + 1.25 * s * s + 4.40 * u;
            break;
        }
        case 6: base = -7.19; break;
        case 7: base = -6.87; break;
        case 8: base = -1.00; break;
        default: base = -3.86; break;
    }
    r.Magnitude = base + 5.0 * std::log(rp * dist) / 2.302585093;

    // Position angle of the bright limb, on the equator of date.
    ApplyMatrix(precession, pl.x, pl.y, pl.z);
    ApplyMatrix(precession, v.x, v.y, v.z);
    const Vec s{-pl.x, -pl.y, -pl.z};
    const double n = (s.z * (v.x * v.x + v.y * v.y) - v.z * (v.x * s.x + v.y * s.y)) / Norm(v);
    const double dd = v.x * s.y - v.y * s.x;
    double chi = ArcTan2Deg(dd, n);
    if (chi < 0) chi += 360.0;
    r.PositionAngle = chi;

    out = r;
    return true;
}

void PlanetPhysicalEphemeris(int p, int day, int month, int year, double hour, double& chi,
                             double& phaseAngle, double& magnitude, double& diameter) {
    PlanetPhysical r;
    if (!PlanetPhysicalEphemeris(p, day, month, year, hour, r)) return;
    chi = r.PositionAngle;
    phaseAngle = r.PhaseAngle;
    magnitude = r.Magnitude;
    diameter = r.Diameter;
}

}  // namespace noctaris
