#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/core/constants.h"
#include "astro/reports/planet_info.h"

using namespace noctaris;

namespace {
int CountLines(const std::string& text) {
    int n = 0;
    for (std::size_t p = text.find("\r\n"); p != std::string::npos; p = text.find("\r\n", p + 2)) ++n;
    return n;
}
// A distance in AU whose light time, computed as the window does, is exactly `seconds`.
double DistanceForExactSeconds(double seconds) {
    const double guess = seconds * 299792.458 / kKmPerAU;
    double up = guess, down = guess;
    for (int step = 0; step < 1000; ++step) {
        if (up * kKmPerAU / 299792.458 == seconds) return up;
        if (down * kKmPerAU / 299792.458 == seconds) return down;
        up = std::nextafter(up, 1.0);
        down = std::nextafter(down, 0.0);
    }
    ADD_FAILURE() << "no distance for " << seconds << " s";
    return 0;
}
}  // namespace

TEST(PlanetInfo, EverySectionHoldsElevenLinesEachEndedByCrLf) {
    for (const char* name : {"Mercury", "Venus", "Mars", "Jupiter", "Saturn", "Uranus"}) {
        const std::string s = PlanetDataSection(PlanetDataText(), name);
        EXPECT_EQ(CountLines(s), 11) << name;
        EXPECT_TRUE(s.ends_with("\r\n")) << name;
        EXPECT_EQ(s.find('['), std::string::npos) << name;  // never runs into the next section
    }
    EXPECT_TRUE(PlanetDataSection(PlanetDataText(), "Mercury")
                    .starts_with("Mean distance 57.909 million km = 0.387 AU\r\nOrbital period 87.969 d"));
    // The figures with a decimal point, the double quote after the arcseconds, the middle dot.
    const std::string mars = PlanetDataSection(PlanetDataText(), "Mars");
    EXPECT_NE(mars.find("Orbital inclination 1°50'59.4\"\r\n"), std::string::npos);
    EXPECT_NE(mars.find("Mass 6.421·10²⁶ g = 0.107 M⊕\r\n"), std::string::npos);
    EXPECT_TRUE(PlanetDataSection(PlanetDataText(), "Uranus").ends_with("Temperature -193 °C\r\n"));
    // Uranus turns once in 17.24 h (NASA planetary fact sheet): 17 h 14 min.
    EXPECT_NE(PlanetDataSection(PlanetDataText(), "Uranus").find("Rotation period 17 h 14 min\r\n"),
              std::string::npos);
    EXPECT_EQ(PlanetDataText().back(), "[");
}

TEST(PlanetInfo, SectionLookupMatchesWholeNamesOnlyAndStopsAtTheEnd) {
    EXPECT_EQ(PlanetDataSection(PlanetDataText(), "Neptune"), "");
    EXPECT_EQ(PlanetDataSection(PlanetDataText(), "Mar"), "");
    EXPECT_EQ(PlanetDataSection(PlanetDataText(), "mars"), "");
    EXPECT_EQ(PlanetDataSection(PlanetDataText(), ""), "");  // "[" is the end line, no section
    // A text that lacks its closing "[" line ends the last section at the end of the text.
    const std::vector<std::string> open = {"[A", "a1", "[B", "b1", "b2"};
    EXPECT_EQ(PlanetDataSection(open, "B"), "b1\r\nb2\r\n");
    EXPECT_EQ(PlanetDataSection(open, "A"), "a1\r\n");
    EXPECT_EQ(PlanetDataSection({"[A"}, "A"), "");
    EXPECT_EQ(PlanetDataSection({}, "A"), "");
}

TEST(PlanetInfo, LightTimeRoundsToWholeSecondsTiesToEven) {
    const double secondsPerAU = kKmPerAU / 299792.458;
    EXPECT_EQ(LightTimeSeconds(1.0), 499);  // 499.005 s
    EXPECT_EQ(LightTimeSeconds(59.6 / secondsPerAU), 60);
    EXPECT_EQ(LightTimeSeconds(59.4 / secondsPerAU), 59);
    // Distances whose light time is exactly half a second more than a whole: ties go to even.
    EXPECT_EQ(LightTimeSeconds(DistanceForExactSeconds(0.5)), 0);
    EXPECT_EQ(LightTimeSeconds(DistanceForExactSeconds(2.5)), 2);
    EXPECT_EQ(LightTimeSeconds(DistanceForExactSeconds(3.5)), 4);
    EXPECT_EQ(LightTimeSeconds(0.0), 0);
    EXPECT_EQ(LightTimeSeconds(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(LightTimeSeconds(std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(LightTimeSeconds(-1.0), 0);
    EXPECT_EQ(LightTimeSeconds(1e300), 0);
}

TEST(PlanetInfo, SaturnAndJupiterOnADecemberEveningInChemnitz) {
    // 2026-12-07 21:30 CET = 20:30 UT. Distances and diameters agree with the rectangular theory
    // with light time (Saturn 18.34", Jupiter 39.96") to a few hundredths.
    const double jd = 2461381.5 + 20.5 / 24;
    const PlanetInfo saturn = ComputePlanetInfo(Body::Saturn, jd, 50.836667, 12.854444, 1);
    EXPECT_NEAR(saturn.Record.Distance, 9.02, 0.03);
    EXPECT_NEAR(saturn.Record.RadiusVector, 9.43, 0.03);
    EXPECT_NEAR(saturn.Record.Diameter, 18.34, 0.1);
    // Magnitudes of Mallama & Hilton (2018) for PyEphem's geometry: Saturn's rings 6° open.
    EXPECT_NEAR(saturn.Record.Magnitude, 0.68, 0.05);
    // Rising and setting of the local day, 7 December (PyEphem, centre at -0°34'): Saturn sets
    // 01:46 in the morning and rises 13:29.
    EXPECT_NEAR(*saturn.RiseAndSet.rise, 13.485, 0.05);
    EXPECT_NEAR(*saturn.RiseAndSet.set, 1.768, 0.05);
    const PlanetInfo jupiter = ComputePlanetInfo(Body::Jupiter, jd, 50.836667, 12.854444, 1);
    EXPECT_NEAR(jupiter.Record.Distance, 4.93, 0.03);
    EXPECT_NEAR(jupiter.Record.Diameter, 39.9, 0.2);
    EXPECT_NEAR(jupiter.Record.Magnitude, -2.24, 0.05);
    EXPECT_NEAR(*jupiter.RiseAndSet.rise, 21.810, 0.05);
    EXPECT_NEAR(*jupiter.RiseAndSet.set, 12.215, 0.05);
    // Jupiter stands at +13° declination: near the north pole it never sets, near the south
    // pole it never rises.
    const PlanetInfo north = ComputePlanetInfo(Body::Jupiter, jd, 89.0, 0, 0);
    EXPECT_TRUE(north.RiseAndSet.alwaysAbove && !north.RiseAndSet.rise && !north.RiseAndSet.set);
    const PlanetInfo south = ComputePlanetInfo(Body::Jupiter, jd, -89.0, 0, 0);
    EXPECT_TRUE(south.RiseAndSet.alwaysBelow && !south.RiseAndSet.rise && !south.RiseAndSet.set);
}
