#include "astro/reports/sunmoon_reports.h"

#include <cmath>
#include <numbers>

#include "astro/coords/angles.h"
#include "astro/events/search.h"
#include "astro/time/calendar_dates.h"
#include "astro/events/moon_phases.h"
#include "astro/theories/moonseries.h"
#include "astro/theories/sun.h"
#include "astro/time/instant.h"
#include "astro/time/sidereal.h"
#include "astro/time/timebase.h"

namespace noctaris {
namespace {

double Sin(double deg) { return std::sin(deg * kDegree); }
double Cos(double deg) { return std::cos(deg * kDegree); }

// Arcsine in degrees of a value that rounding may have pushed a hair beyond +-1.
double ArcSin(double x) { return std::asin(std::fmax(-1.0, std::fmin(1.0, x))) * kRadian; }

}  // namespace

double FractionOfDay(double x) {
    if (!std::isfinite(x)) return 0;
    const double f = x - std::floor(x);
    return f >= 1 ? 0 : f;
}

LunationPhases LunationAt(double jdUT) {
    LunationPhases r;
    if (!std::isfinite(jdUT) || std::fabs(jdUT) > 1e9) return r;
    auto ut = [](long long lunation, MoonPhase phase) {
        return static_cast<double>(MoonPhaseAt(lunation, phase).ut());
    };
    const long long k = LunationOf(Instant::FromUT(jdUT));
    r.newMoon = ut(k, MoonPhase::New);
    r.firstQuarter = ut(k, MoonPhase::FirstQuarter);
    r.fullMoon = ut(k, MoonPhase::Full);
    r.lastQuarter = ut(k, MoonPhase::LastQuarter);
    r.nextNewMoon = ut(k + 1, MoonPhase::New);
    return r;
}

double MoonAgeAt(double jdUT) {
    if (!std::isfinite(jdUT) || std::fabs(jdUT) > 1e9) return 0;
    return jdUT - LunationAt(jdUT).newMoon;
}

AgeParts SplitMoonAge(double age) {
    AgeParts p;
    if (!std::isfinite(age) || std::fabs(age) > 1e6) return p;
    const long long minutes = static_cast<long long>(std::nearbyint(age * 1440));
    p.days = static_cast<int>(minutes / 1440);
    p.hours = static_cast<int>(minutes % 1440 / 60);
    p.minutes = static_cast<int>(minutes % 60);
    return p;
}

MoonDiameterParts MoonApparentDiameter(double distanceKm) {
    MoonDiameterParts p;
    if (!(distanceKm > 0) || !std::isfinite(distanceKm)) return p;
    p.arcseconds = 716946800.0 / distanceKm;
    p.degrees = p.arcseconds / 3600;
    if (!(p.arcseconds < 1e9)) return p;
    // Tenths of an arcsecond, as shown, before the split into minutes and seconds.
    const long long tenths = static_cast<long long>(std::nearbyint(p.arcseconds * 10));
    p.arcminutes = static_cast<int>(tenths / 600);
    p.remainderSeconds = static_cast<double>(tenths % 600) / 10;
    return p;
}

namespace {

// The Moon seen from the place at a moment of universal time: its altitude above the standard
// altitude of rising and setting, and its hour angle in -180..180, degrees.
struct MoonSight {
    double height = 0;
    double hourAngle = 0;
};

// The sight from the Moon's apparent place (degrees, km) and the apparent sidereal time.
MoonSight SightFrom(double ra, double dec, double distance, long double theta, double latitude,
                    double eastLongitude) {
    const double hourAngle =
        static_cast<double>(Reduce360(static_cast<double>(theta) + eastLongitude - ra + 180)) - 180;
    const double h =
        ArcSin(Sin(latitude) * Sin(dec) + Cos(latitude) * Cos(dec) * Cos(hourAngle));
    // Rising and setting: the upper limb on the horizon, seen from the surface through the
    // air, is the centre 0.7275 x horizontal parallax - 0.5667° above the geocentric horizon.
    const double parallax = ArcSin(6378.14 / distance);
    return {h - (0.7275 * parallax - 0.5667), hourAngle};
}

// The sidereal time is taken at the instant as the platform's date serial holds it.
Instant SiderealInstant(double jdUT) { return Instant::FromUT(DateTimeToJD(JDToDateTime(jdUT))); }

MoonSight SightOfMoon(double jdUT, double latitude, double eastLongitude) {
    const MoonFullPlace moon = MoonPositionFull(Instant::FromUT(jdUT));
    return SightFrom(moon.RightAscension, moon.Declination, moon.DistanceKm,
                     ApparentSiderealTimeDeg(SiderealInstant(jdUT)), latitude, eastLongitude);
}

// A smooth quantity over one day as a Chebyshev series through its values at the nodes.
constexpr int kNodes = 8;

// cos(j (k + 1/2) pi / kNodes): row 1 places the nodes, every row weighs them in the fit.
struct ChebyshevTable {
    double cos[kNodes][kNodes];
    ChebyshevTable() {
        for (int j = 0; j < kNodes; ++j)
            for (int k = 0; k < kNodes; ++k)
                cos[j][k] = std::cos(std::numbers::pi * j * (k + 0.5) / kNodes);
    }
};
const ChebyshevTable& Chebyshev() {
    static const ChebyshevTable table;
    return table;
}

// The k-th node as a fraction of the day.
double NodeOffset(int k) { return (Chebyshev().cos[1][k] + 1) / 2; }

struct DaySeries {
    double c[kNodes] = {};
    explicit DaySeries(const double (&f)[kNodes]) {
        for (int j = 0; j < kNodes; ++j) {
            double sum = 0;
            for (int k = 0; k < kNodes; ++k) sum += f[k] * Chebyshev().cos[j][k];
            c[j] = 2.0 * sum / kNodes;
        }
    }
    // At offset u (0..1 over the day).
    double At(double u) const {
        const double x = 2 * u - 1;
        double b1 = 0, b2 = 0;
        for (int j = kNodes - 1; j >= 1; --j) {
            const double b = 2 * x * b1 - b2 + c[j];
            b2 = b1;
            b1 = b;
        }
        return x * b1 - b2 + c[0] / 2;
    }
};

// The Moon's sight over one day from eight full places. The day's search asks for about 120
// sights; the series give the Moon's right ascension and declination within 2e-8° of the full
// theory (whose own rounding at a double Julian day is about that), the equation of the
// equinoxes within 1e-11°, so the altitude and hour angle within about 4e-8°. A sight whose
// values lie farther than kDecisive from every value the search compares them with (0° of
// altitude, 0°, 90° and ±180° of hour angle) therefore decides each comparison as the full
// sight would, and the search finds the very same instants; any other is computed in full.
class MoonDayPath {
public:
    MoonDayPath(double start, double latitude, double eastLongitude)
        : MoonDayPath(start, latitude, eastLongitude, NodeValues(start)) {}

    MoonSight operator()(double t) const {
        const double u = t - start_;
        const MoonSight s = SightFrom(ra_.At(u), dec_.At(u), distance_.At(u),
                                      MeanSiderealTimeDeg(SiderealInstant(t)) + equinoxes_.At(u),
                                      latitude_, eastLongitude_);
        constexpr double kDecisive = 1e-6;  // degrees, 25 times the series' error
        const double ha = std::fabs(s.hourAngle);
        if (std::fabs(s.height) > kDecisive && ha > kDecisive && ha < 180 - kDecisive &&
            std::fabs(s.hourAngle - 90) > kDecisive)
            return s;
        return SightOfMoon(t, latitude_, eastLongitude_);
    }

private:
    struct Values {
        double ra[kNodes], dec[kNodes], distance[kNodes], equinoxes[kNodes];
    };
    // The full place and the equation of the equinoxes at the nodes; the right ascension
    // unwrapped, so that it runs on smoothly through 360°.
    static Values NodeValues(double start) {
        Values v;
        for (int k = 0; k < kNodes; ++k) {
            const double t = start + NodeOffset(k);
            const MoonFullPlace m = MoonPositionFull(Instant::FromUT(t));
            v.ra[k] = k == 0 ? m.RightAscension
                             : v.ra[k - 1] + std::remainder(m.RightAscension - v.ra[k - 1], 360.0);
            v.dec[k] = m.Declination;
            v.distance[k] = m.DistanceKm;
            const Instant i = SiderealInstant(t);
            v.equinoxes[k] = static_cast<double>(
                std::remainder(ApparentSiderealTimeDeg(i) - MeanSiderealTimeDeg(i), 360.0L));
        }
        return v;
    }
    MoonDayPath(double start, double latitude, double eastLongitude, const Values& v)
        : start_(start), latitude_(latitude), eastLongitude_(eastLongitude), ra_(v.ra),
          dec_(v.dec), distance_(v.distance), equinoxes_(v.equinoxes) {}

    double start_, latitude_, eastLongitude_;
    DaySeries ra_, dec_, distance_, equinoxes_;
};

// Rising, culmination and setting to a fiftieth of a second (16 halvings of a sample step).
constexpr double kToleranceSeconds = 0.025;

}  // namespace

MoonDayEvents MoonEventsOfDay(double dayStart, double latitude, double eastLongitude) {
    MoonDayEvents r;
    if (!std::isfinite(dayStart) || std::fabs(dayStart) > 1e8 || !std::isfinite(latitude) ||
        !std::isfinite(eastLongitude))
        return r;
    // The Moon's altitude changes by at most about 15° an hour and its hour angle steadily, so
    // samples every 20 minutes catch each crossing of the day; each is then narrowed down.
    constexpr int kSteps = 72;
    const MoonDayPath at(dayStart, latitude, eastLongitude);
    const auto samples = SampleDay(dayStart, kSteps, at);
    // Only the day itself: a crossing narrowed down to its last instant belongs to the next.
    const double end = dayStart + 1;
    const auto up = [](const MoonSight& s) { return s.height >= 0; };
    const auto rises = [](const MoonSight& a, const MoonSight& b) {
        return a.height < 0 && b.height >= 0;
    };
    const auto sets = [](const MoonSight& a, const MoonSight& b) {
        return a.height >= 0 && b.height < 0;
    };
    r.rise = FirstCrossing(samples, rises, up, at, end, kToleranceSeconds);
    r.set = FirstCrossing(samples, sets, up, at, end, kToleranceSeconds);
    // The upper transit: the hour angle passes 0 (not the jump from 180 to -180).
    r.transit = FirstCrossing(
        samples,
        [](const MoonSight& a, const MoonSight& b) {
            return a.hourAngle < 0 && b.hourAngle >= 0 && b.hourAngle < 90;
        },
        [](const MoonSight& s) { return s.hourAngle >= 0; }, at, end, kToleranceSeconds);
    return r;
}

std::string_view ZodiacConstellation(double raHours) {
    struct Interval {
        double from;
        std::string_view name;
    };
    static constexpr Interval kTable[] = {
        {0, "Pisces"},           {1.783333, "Aries"},      {3.35, "Taurus"},
        {5.966667, "Gemini"},    {7.933333, "Cancer"},     {9.333333, "Leo"},
        {11.6, "Virgo"},         {14.3, "Libra"},          {15.966667, "Scorpio"},
        {16.366667, "Ophiuchus"}, {17.716667, "Sagittarius"}, {20.05, "Capricorn"},
        {21.95, "Aquarius"},     {23.416667, "Pisces"},
    };
    int i = static_cast<int>(std::size(kTable)) - 1;
    while (i > 0 && !(raHours >= kTable[i].from)) --i;
    return kTable[i].name;
}

HourMinute SplitHourMinute(double s) {
    if (!std::isfinite(s) || std::fabs(s) > 1e9) return {};
    const long long minutes = (static_cast<long long>(std::nearbyint(s * 60)) % 1440 + 1440) % 1440;
    return {static_cast<int>(minutes / 60), static_cast<int>(minutes % 60)};
}

}  // namespace noctaris
