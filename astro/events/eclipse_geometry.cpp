#include "astro/events/eclipse_geometry.h"

#include <array>
#include <cmath>

#include "astro/core/constants.h"
#include "astro/theories/moon.h"
#include "astro/theories/sun.h"

namespace noctaris {
namespace {

constexpr double kEarthEquatorKm = kEarthRadiusKm;
constexpr double kEarthAxisRatio = 0.99664719;  // polar over equatorial radius (WGS 84)
constexpr double kSunRadiusKm = 696000;

using Vec = std::array<double, 3>;

double Dot(const Vec& a, const Vec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// Geocentric equatorial place in equatorial Earth radii, the axis coordinate stretched by the
// flattening so that the Earth becomes a sphere of unit radius.
Vec Place(const BodyPosition& p) {
    const double ra = static_cast<double>(p.RightAscension) * kDegree;
    const double dec = static_cast<double>(p.Declination) * kDegree;
    const double r = static_cast<double>(p.Distance) / kEarthEquatorKm;
    return {r * std::cos(dec) * std::cos(ra), r * std::cos(dec) * std::sin(ra),
            r * std::sin(dec) / kEarthAxisRatio};
}

// The least value of f within [a, b] by golden-section search, to about a second.
template <class F>
double Minimum(double a, double b, F&& f) {
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x1 = b - g * (b - a), x2 = a + g * (b - a);
    double f1 = f(x1), f2 = f(x2);
    while (b - a > 1.0 / 86400) {
        if (f1 < f2) {
            b = x2;
            x2 = x1;
            f2 = f1;
            x1 = b - g * (b - a);
            f1 = f(x1);
        } else {
            a = x1;
            x1 = x2;
            f1 = f2;
            x2 = a + g * (b - a);
            f2 = f(x2);
        }
    }
    return (a + b) / 2;
}

struct Axis {
    double gamma, along;  // distance of the Earth's centre from the axis; Moon to the plane
    double sunMoon;       // Sun to Moon
};

Axis AxisAt(double tt) {
    const Instant t = Instant::FromTT(tt);
    const Vec m = Place(MoonPosition(t)), s = Place(SunPosition(t));
    const Vec d{m[0] - s[0], m[1] - s[1], m[2] - s[2]};
    const double sunMoon = std::sqrt(Dot(d, d));
    const Vec a{d[0] / sunMoon, d[1] / sunMoon, d[2] / sunMoon};
    const double z = Dot(m, a);  // the Moon's coordinate along the axis (negative: before the plane)
    const Vec perp{m[0] - z * a[0], m[1] - z * a[1], m[2] - z * a[2]};
    return {std::sqrt(Dot(perp, perp)), -z, sunMoon};
}

struct Opposition {
    double distance, umbra, penumbra, moonRadius;
};

Opposition OppositionAt(double tt) {
    const Instant t = Instant::FromTT(tt);
    const BodyPosition moon = MoonPosition(t), sun = SunPosition(t);
    const double moonKm = static_cast<double>(moon.Distance), sunKm = static_cast<double>(sun.Distance);
    // The shadow's centre: opposite the Sun.
    const double ra = static_cast<double>(sun.RightAscension) * kDegree + kPi;
    const double dec = -static_cast<double>(sun.Declination) * kDegree;
    const double mra = static_cast<double>(moon.RightAscension) * kDegree;
    const double mdec = static_cast<double>(moon.Declination) * kDegree;
    const double c = std::sin(dec) * std::sin(mdec) + std::cos(dec) * std::cos(mdec) * std::cos(mra - ra);
    const double moonParallax = std::asin(kEarthEquatorKm / moonKm) * kRadian;
    const double sunParallax = std::asin(kEarthEquatorKm / sunKm) * kRadian;
    const double sunRadius = std::asin(kSunRadiusKm / sunKm) * kRadian;
    return {std::acos(std::fmin(1.0, c)) * kRadian, 1.01 * moonParallax - sunRadius + sunParallax,
            1.01 * moonParallax + sunRadius + sunParallax, std::asin(kMoonRadiusKm / moonKm) * kRadian};
}

}  // namespace

SolarShadow SolarShadowNear(const Instant& near) {
    const double t0 = static_cast<double>(near.tt());
    const double tt = Minimum(t0 - 0.5, t0 + 0.5, [](double t) { return AxisAt(t).gamma; });
    const Axis axis = AxisAt(tt);
    const double sunRadius = kSunRadiusKm / kEarthEquatorKm, moonRadius = kMoonRadiusKm / kEarthEquatorKm;
    // Half-angles of the cones and their vertices' distances beyond the Moon (the penumbra's
    // vertex lies behind it, toward the Sun).
    const double sinUmbra = (sunRadius - moonRadius) / axis.sunMoon;
    const double sinPenumbra = (sunRadius + moonRadius) / axis.sunMoon;
    const double tanUmbra = std::tan(std::asin(sinUmbra)), tanPenumbra = std::tan(std::asin(sinPenumbra));
    const double umbraVertex = moonRadius / sinUmbra, penumbraVertex = moonRadius / sinPenumbra;
    SolarShadow s;
    s.greatest = Instant::FromTT(tt);
    s.gamma = axis.gamma;
    s.penumbra = (axis.along + penumbraVertex) * tanPenumbra;
    s.umbra = (axis.along - umbraVertex) * tanUmbra;
    if (axis.gamma < 1) s.umbraAtSurface = s.umbra - std::sqrt(1 - axis.gamma * axis.gamma) * tanUmbra;
    else s.umbraAtSurface = s.umbra;
    return s;
}

double LunarShadow::SemiDuration(double radius) const {
    if (!(radius > distance) || !(speed > 0)) return 0;
    return std::sqrt(radius * radius - distance * distance) / speed;
}

LunarShadow LunarShadowNear(const Instant& near) {
    const double t0 = static_cast<double>(near.tt());
    const double tt = Minimum(t0 - 0.5, t0 + 0.5, [](double t) { return OppositionAt(t).distance; });
    const Opposition o = OppositionAt(tt);
    LunarShadow s;
    s.greatest = Instant::FromTT(tt);
    s.distance = o.distance;
    s.umbra = o.umbra;
    s.penumbra = o.penumbra;
    s.moonRadius = o.moonRadius;
    // The relative motion from the distances an hour either side: the path is a straight line.
    const double before = OppositionAt(tt - 1.0 / 24).distance, after = OppositionAt(tt + 1.0 / 24).distance;
    s.speed = std::sqrt(std::fmax(0.0, (before * before + after * after) / 2 - o.distance * o.distance));
    return s;
}

}  // namespace noctaris
