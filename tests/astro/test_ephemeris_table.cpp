#include "astro/time/calendar_dates.h"
#include "astro/reports/ephemeris_table.h"
#include "astro/reports/planet_info.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "astro/time/timebase.h"

namespace noctaris {
namespace {

// Chemnitz, as the shipped place list gives it.
constexpr double kLat = 50.836667, kLon = 12.854444, kZone = 1;

TEST(EphemerisTexts, LightTime) {
    EXPECT_EQ(LightTimeSeconds(1.0), 499);   // 499.005 s: 8 min 19 s
    EXPECT_EQ(LightTimeSeconds(1.5), 749);   // 748.5075 s: 12 min 29 s
    EXPECT_EQ(LightTimeSeconds(0.0), 0);
    EXPECT_EQ(LightTimeSeconds(30.0), 14970);
    EXPECT_EQ(LightTimeSeconds(std::nan("")), 0);
}

TEST(EphemerisTexts, RiseSetText) {
    EXPECT_EQ(RiseSetText(5.75, {}), "5h45m");
    EXPECT_EQ(RiseSetText(23.99, {}), "23h59m");
    EXPECT_EQ(RiseSetText(0, {}), "0h0m");
    EXPECT_EQ(RiseSetText(5.999, {}), "6h0m");   // rounded to the minute, then split
    EXPECT_EQ(RiseSetText(21.9995, {}), "22h0m");  // never "21h60m"
    EXPECT_EQ(RiseSetText(25.5, {}), "25h30m");  // a large zone can push a time past 24
    // An exact half minute rounds up, as the table's other numbers do.
    EXPECT_EQ(RiseSetText(5.375, {}), "5h23m");
    EXPECT_EQ(RiseSetText(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysBelow = true}), "not visible");
    EXPECT_EQ(RiseSetText(std::nullopt, RiseSet{.rise = {}, .set = {}, .alwaysAbove = true}), "visible");
    EXPECT_EQ(RiseSetText(std::nullopt, {}), "-");  // none on this day
}

TEST(EphemerisTexts, FormatDegMin) {
    EXPECT_EQ(FormatDegMin(12.999999), "13°0'");  // rounded to the minute, then split
    EXPECT_EQ(FormatDegMin(-12.999999), "-13°0'");
    EXPECT_EQ(FormatDegMin(-0.5), "-0°30'");
    EXPECT_EQ(FormatDegMin(-5.12), "-5°7'");
    EXPECT_EQ(FormatDegMin(0), "0°0'");
    EXPECT_EQ(FormatDegMin(45.25), "45°15'");
    EXPECT_EQ(FormatDegMin(359.5), "359°30'");
    // To the nearest minute: 10°7'59" is 10°8', 10°7'29" is 10°7'.
    EXPECT_EQ(FormatDegMin(10 + 7.0 / 60 + 59.4 / 3600), "10°8'");
    EXPECT_EQ(FormatDegMin(10 + 7.0 / 60 + 29 / 3600.0), "10°7'");
    EXPECT_EQ(FormatDegMin(std::nan("")), "-");
    EXPECT_EQ(FormatDegMin(INFINITY), "-");
}

TEST(EphemerisTexts, SixtiethsAreRoundedFirstAndSignedOnce) {
    SignedSixtieths s = SplitSixtieths(-5.12);
    EXPECT_TRUE(s.negative);
    EXPECT_EQ(s.whole, 5);
    EXPECT_NEAR(s.sixtieths, 7.2, 1e-9);
    s = SplitSixtieths(5.99999);  // 5h 59.9994 min is 6h 0.0
    EXPECT_FALSE(s.negative);
    EXPECT_EQ(s.whole, 6);
    EXPECT_EQ(s.sixtieths, 0);
    s = SplitSixtieths(-0.8167);  // just south of the equator: -0° 49.0'
    EXPECT_TRUE(s.negative);
    EXPECT_EQ(s.whole, 0);
    EXPECT_NEAR(s.sixtieths, 49.0, 1e-9);
    for (double v = -30; v < 30; v += 0.01234) {
        const SignedSixtieths t = SplitSixtieths(v);
        ASSERT_GE(t.sixtieths, 0) << v;
        ASSERT_LT(t.sixtieths, 60) << v;
        ASSERT_NEAR((t.negative ? -1 : 1) * (t.whole + t.sixtieths / 60), v, 0.05 / 60 + 1e-12);
    }
    EXPECT_EQ(SplitSixtieths(std::nan("")).whole, 0);
}

TEST(EphemerisTexts, ZodiacBoundaries) {
    EXPECT_EQ(ZodiacConstellation(0), "Pisces");
    EXPECT_EQ(ZodiacConstellation(23.9), "Pisces");
    EXPECT_EQ(ZodiacConstellation(24.0), "Pisces");
    EXPECT_EQ(ZodiacConstellation(16.37), "Ophiuchus");
    EXPECT_EQ(ZodiacConstellation(-0.01), "Pisces");

    // Walking once round the ecliptic meets every sign in order, each from its bound on.
    const std::vector<std::pair<double, std::string>> bounds = {
        {1 + 47.0 / 60, "Aries"},      {3 + 21.0 / 60, "Taurus"},     {5 + 58.0 / 60, "Gemini"},
        {7 + 56.0 / 60, "Cancer"},     {9 + 20.0 / 60, "Leo"},        {11 + 36.0 / 60, "Virgo"},
        {14 + 18.0 / 60, "Libra"},     {15 + 58.0 / 60, "Scorpio"},   {16 + 22.0 / 60, "Ophiuchus"},
        {17 + 43.0 / 60, "Sagittarius"}, {20 + 3.0 / 60, "Capricorn"}, {21 + 57.0 / 60, "Aquarius"},
        {23 + 25.0 / 60, "Pisces"}};
    std::string previous = "Pisces";
    for (const auto& [h, name] : bounds) {
        EXPECT_EQ(ZodiacConstellation(h - 1e-4), previous) << h;
        EXPECT_EQ(ZodiacConstellation(h + 1e-4), name) << h;
        EXPECT_LE(name.size(), 12u);
        previous = name;
    }
    // The bounds are single-precision numbers: exactly at one the new sign starts, just below
    // it the old one still holds.
    const double aries = static_cast<double>(1.7833333f);
    EXPECT_EQ(ZodiacConstellation(aries), "Aries");
    EXPECT_EQ(ZodiacConstellation(std::nextafter(aries, 0.0)), "Pisces");
    // 11.6 and 23.416667 as floats lie a little above the doubles of the same decimals.
    EXPECT_EQ(ZodiacConstellation(11.6), "Leo");
    EXPECT_EQ(ZodiacConstellation(23.416667), "Aquarius");
    EXPECT_EQ(ZodiacConstellation(3.35), "Taurus");  // here the float lies below
}

// Altitude and azimuth (from the south through the west) from right ascension and declination
// by the textbook formulas and the IAU sidereal time, independently of the library.
void ReferenceHorizontal(double jdUT, double raDeg, double decDeg, double lat, double lon,
                         double& alt, double& azSouth) {
    const double d = jdUT - 2451545.0;
    const double gmst = std::fmod(280.46061837 + 360.98564736629 * d, 360.0);
    const double H = (gmst + lon - raDeg) * std::numbers::pi / 180;
    const double phi = lat * std::numbers::pi / 180, dec = decDeg * std::numbers::pi / 180;
    alt = std::asin(std::sin(phi) * std::sin(dec) + std::cos(phi) * std::cos(dec) * std::cos(H)) * 180 / std::numbers::pi;
    azSouth = std::atan2(std::sin(H), std::cos(H) * std::sin(phi) - std::tan(dec) * std::cos(phi)) * 180 / std::numbers::pi;
    if (azSouth < 0) azSouth += 360;
}

TEST(EphemerisColumn, HorizontalPlaceAgreesWithTextbookFormulas) {
    // 7 December 2026, 21:30 local standard time in Chemnitz.
    const double jd0 = LocalMidnightJD(2026, 12, 7, kZone);
    const double jd = jd0 + 21.0 / 24 + 30.0 / 1440;

    for (const Body name : kObservedPlanets) {
        SCOPED_TRACE(BodyName(name));
        const EphemerisColumnValues v = ComputeEphemerisColumn(name, jd, kLat, kLon, kZone);
        EXPECT_EQ(v.lightSeconds, LightTimeSeconds(v.rec.Distance));
        double alt, az;
        ReferenceHorizontal(jd, v.ra, v.dec, kLat, kLon, alt, az);
        EXPECT_NEAR(v.altitude, alt, 0.1);
        EXPECT_NEAR(std::remainder(v.azimuth - az, 360.0), 0, 0.2);
        EXPECT_GE(v.azimuth, 0);
        EXPECT_LT(v.azimuth, 360);
    }
}

TEST(EphemerisColumn, HighLatitudesNeverRiseOrNeverSet) {
    const double jd0 = LocalMidnightJD(2026, 12, 7, kZone);
    const double jd = jd0 + 21.5 / 24;
    // Jupiter stands at about +13 degrees, Venus at about -10.
    const auto north = ComputeEphemerisColumn(Body::Jupiter, jd, 80, kLon, kZone);
    EXPECT_EQ(RiseSetText(north.riseSet.rise, north.riseSet), "visible");
    EXPECT_EQ(RiseSetText(north.riseSet.set, north.riseSet), "visible");
    EXPECT_GT(north.altitude, 0);  // circumpolar: up all the time
    const auto south = ComputeEphemerisColumn(Body::Jupiter, jd, -80, kLon, kZone);
    EXPECT_EQ(RiseSetText(south.riseSet.rise, south.riseSet), "not visible");
    EXPECT_EQ(RiseSetText(south.riseSet.set, south.riseSet), "not visible");
    EXPECT_LT(south.altitude, 0);
    // At 80 degrees Venus would culminate at -0.1 degrees, above the -34' of the refracted
    // horizon; at 81 it stays below it.
    const auto venus = ComputeEphemerisColumn(Body::Venus, jd, 81, kLon, kZone);
    EXPECT_EQ(RiseSetText(venus.riseSet.rise, venus.riseSet), "not visible");
    EXPECT_LT(venus.altitude, 0);
    // On the equator everything rises and sets.
    for (const Body name : kObservedPlanets) {
        const auto v = ComputeEphemerisColumn(name, jd, 0, kLon, kZone);
        ASSERT_TRUE(v.riseSet.rise && v.riseSet.set) << BodyName(name);
        EXPECT_GE(*v.riseSet.rise, 0) << BodyName(name);
        EXPECT_GE(*v.riseSet.set, 0) << BodyName(name);
    }
}

TEST(EphemerisColumn, EarthGivesOnlyItsHeliocentricPlace) {
    const double jd0 = LocalMidnightJD(2026, 12, 7, kZone);
    const auto earth = ComputeEphemerisColumn(Body::Earth, jd0 + 0.5, kLat, kLon, kZone);
    // Early December the Sun stands in Scorpius/Ophiuchus, so the Earth at about 75 degrees.
    EXPECT_NEAR(earth.rec.HelioLongitude, 75.4, 1.0);
    EXPECT_NEAR(earth.rec.RadiusVector, 0.985, 0.002);
    EXPECT_EQ(earth.rec.Distance, 0);
    EXPECT_EQ(earth.lightSeconds, 0);
}

}  // namespace
}  // namespace noctaris
