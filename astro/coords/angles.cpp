#include "astro/coords/angles.h"

#include <algorithm>
#include <cmath>

#include "astro/core/errors.h"

namespace noctaris {
namespace {
using LD = long double;

// arctan(x / sqrt((1 - x)(1 + x))) in degrees, with the two exact shortcuts.
LD ArcSinCore(LD x) {
    if (std::isnan(x) || std::fabs(x) > 1.0L) throw DomainError("Invalid floating point operation");
    if (std::fabs(x) == 1.0L) return 90.0L * x;
    if (std::fabs(x) <= 1e-7L) return x / kDegToRad;
    return std::atan(x / std::sqrt((1.0L - x) * (1.0L + x))) / kDegToRad;
}
}  // namespace

long double Reduce360(long double x) {
    if (!std::isfinite(x)) return 0;
    const long double q = x / 360.0L;
    long double r;
    if (std::fabs(q) < 9.2e18L) {
        // k is a 64-bit integer held exactly in the extended mantissa; rint rounds in the
        // default mode, to nearest with ties to even (nearbyint would do the same but saves and
        // restores the floating-point environment on every call).
        const long double k = std::rint(q);
        r = x - 360.0L * k;
    } else {
        // Beyond a 64-bit multiple every digit of the angle is gone anyway.
        r = std::fmod(x, 360.0L);
    }
    while (r < 0) r += 360.0L;
    // A tiny negative remainder plus 360 can round up to 360 itself.
    if (r >= 360.0L) r = 0;
    return r;
}

double ReducedRadians(double degrees) {
    constexpr double kTurn = static_cast<double>(kTwoPi);
    double r = std::fmod(degrees * kDegree, kTurn);
    if (r < 0) r += kTurn;
    return r;
}

double SinDeg(double a) { return static_cast<double>(std::sin(static_cast<LD>(a) * kDegToRad)); }
double CosDeg(double a) { return static_cast<double>(std::cos(static_cast<LD>(a) * kDegToRad)); }
double ArcTanDeg(double x) { return static_cast<double>(std::atan(static_cast<LD>(x)) / kDegToRad); }
double ArcSinDeg(double x) { return static_cast<double>(ArcSinCore(x)); }
double ArcCosDeg(double x) { return static_cast<double>(90.0L - ArcSinCore(x)); }

double ArcTan2Deg(double y, double x) {
    if (x == 0.0 && y == 0.0) return 0.0;
    const LD ax = std::fabs(static_cast<LD>(x)), ay = std::fabs(static_cast<LD>(y));
    LD phi = ax > ay ? std::atan(ay / ax) / kDegToRad : 90.0L - std::atan(ax / ay) / kDegToRad;
    if (x < 0) phi = 180.0L - phi;
    if (y < 0) phi = -phi;
    return static_cast<double>(phi);
}

Matrix3 PrecessionMatrix(double t1d, double t2d) {
    Matrix3 a;
    const LD t1 = t1d, t2 = t2d;
    const LD dt = t2 - t1;
    const LD zeta = ((2306.2181L + (1.39656L - 0.000139L * t1) * t1) +
                     ((0.30188L - 0.000345L * t1) + 0.017998L * dt) * dt) * dt / 3600.0L;
    const LD z = zeta + ((0.7928L + 0.000411L * t1) + 0.000205L * dt) * dt * dt / 3600.0L;
    const LD theta = ((2004.3109L - (0.8533L + 0.000217L * t1) * t1) -
                      ((0.42665L + 0.000217L * t1) + 0.041833L * dt) * dt) * dt / 3600.0L;
    const LD c1 = CosDeg(static_cast<double>(z)), s1 = SinDeg(static_cast<double>(z));
    const LD c2 = CosDeg(static_cast<double>(theta)), s2 = SinDeg(static_cast<double>(theta));
    const LD c3 = CosDeg(static_cast<double>(zeta)), s3 = SinDeg(static_cast<double>(zeta));
    a(1, 1) = static_cast<double>(-s1 * s3 + c1 * c2 * c3);
    a(1, 2) = static_cast<double>(-s1 * c3 - c1 * c2 * s3);
    a(1, 3) = static_cast<double>(-c1 * s2);
    a(2, 1) = static_cast<double>(c1 * s3 + s1 * c2 * c3);
    a(2, 2) = static_cast<double>(c1 * c3 - s1 * c2 * s3);
    a(2, 3) = static_cast<double>(-s1 * s2);
    a(3, 1) = static_cast<double>(s2 * c3);
    a(3, 2) = static_cast<double>(-s2 * s3);
    a(3, 3) = static_cast<double>(c2);
    return a;
}

Vec3 ApplyMatrix(const Matrix3& a, const Vec3& v) {
    const LD ox = v.x, oy = v.y, oz = v.z;
    return {static_cast<double>(a(1, 1) * ox + a(1, 2) * oy + a(1, 3) * oz),
            static_cast<double>(a(2, 1) * ox + a(2, 2) * oy + a(2, 3) * oz),
            static_cast<double>(a(3, 1) * ox + a(3, 2) * oy + a(3, 3) * oz)};
}

Vec3 EclipticToEquatorial(double td, const Vec3& v) {
    const LD t = td;
    const LD eps = 23.43929111L - (46.815L + (0.00059L - 0.001813L * t) * t) * t / 3600.0L;
    const LD c = CosDeg(static_cast<double>(eps)), s = SinDeg(static_cast<double>(eps));
    const LD oy = v.y, oz = v.z;
    return {v.x, static_cast<double>(c * oy - s * oz), static_cast<double>(s * oy + c * oz)};
}

Matrix3 OrbitOrientationMatrix(double node, double incl, double argPeri) {
    Matrix3 pqr;
    const LD c1 = CosDeg(argPeri), s1 = SinDeg(argPeri);
    const LD c2 = CosDeg(incl), s2 = SinDeg(incl);
    const LD c3 = CosDeg(node), s3 = SinDeg(node);
    pqr(1, 1) = static_cast<double>(c1 * c3 - s1 * c2 * s3);
    pqr(1, 2) = static_cast<double>(-s1 * c3 - c1 * c2 * s3);
    pqr(1, 3) = static_cast<double>(s2 * s3);
    pqr(2, 1) = static_cast<double>(c1 * s3 + s1 * c2 * c3);
    pqr(2, 2) = static_cast<double>(-s1 * s3 + c1 * c2 * c3);
    pqr(2, 3) = static_cast<double>(-s2 * c3);
    pqr(3, 1) = static_cast<double>(s1 * s2);
    pqr(3, 2) = static_cast<double>(c1 * s2);
    pqr(3, 3) = static_cast<double>(c2);
    return pqr;
}

Vec3 OrbitToEcliptic(double xx, double yy, const Matrix3& pqr) {
    const LD a = xx, b = yy;
    return {static_cast<double>(pqr(1, 1) * a + pqr(1, 2) * b),
            static_cast<double>(pqr(2, 1) * a + pqr(2, 2) * b),
            static_cast<double>(pqr(3, 1) * a + pqr(3, 2) * b)};
}

double ModifiedJulianDate(int year, int month, int day, double hour) {
    const LD a = 10000.0L * year + 100.0L * month + day;
    LD y = year, m = month;
    if (month <= 2) {
        m += 12;
        y -= 1;
    }
    LD b;
    if (a <= 15821004.1L)
        b = std::trunc((y + 4716.0L) / 4.0L) - 1181.0L;
    else
        b = std::trunc(y / 400.0L) - std::trunc(y / 100.0L) + std::trunc(y / 4.0L);
    return static_cast<double>((365.0L * y - 679004.0L) + b + std::trunc(30.6001L * (m + 1.0L)) + day +
                               static_cast<LD>(hour) / 24.0L);
}

double PositionAngleTowardsDeg(double ra, double dec, double raTo, double decTo) {
    const double dRa = raTo - ra;
    const double y = CosDeg(decTo) * SinDeg(dRa);
    const double x = SinDeg(decTo) * CosDeg(dec) - CosDeg(decTo) * SinDeg(dec) * CosDeg(dRa);
    return static_cast<double>(Reduce360(ArcTan2Deg(y, x)));
}

HorizontalCoords EquatorialToHorizontal(double ra, double dec, double lst, double latitude) {
    HorizontalCoords out;
    LD h = static_cast<LD>(lst) / 12.0L * kPi - static_cast<LD>(ra);
    if (h < 0) h += 2.0L * kPi;
    const LD phi = static_cast<LD>(latitude) * kDegToRad;
    const LD d = dec;
    const LD sinh = std::sin(phi) * std::sin(d) + std::cos(phi) * std::cos(d) * std::cos(h);
    // Rounding can push these a hair past +-1; the true values never are.
    const LD alt = std::asin(std::clamp(sinh, -1.0L, 1.0L));
    out.altitude = static_cast<double>(alt * kRadToDeg);
    const LD cosh = std::cos(alt);
    const LD sA = std::sin(h) * std::cos(d) / cosh;
    const LD cA = (-std::cos(phi) * std::sin(d) + std::sin(phi) * std::cos(d) * std::cos(h)) / cosh;
    const LD asA = std::asin(std::clamp(sA, -1.0L, 1.0L)) * kRadToDeg;
    LD az = cA > 0 ? asA : 180.0L - asA;
    if (az < 0) az += 360.0L;
    out.azimuth = static_cast<double>(az);
    return out;
}

}  // namespace noctaris
