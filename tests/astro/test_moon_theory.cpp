// The Moon's place and age, perigee and apogee.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "astro/events/moon_phases.h"
#include "astro/theories/moon.h"

namespace noctaris {
namespace {

double D(long double x) { return static_cast<double>(x); }

// A TDateTime of dynamical time.
Instant TT(TDateTime t) { return Instant::FromTT(DateTimeToJD(t)); }

// "YYYY-MM-DD HH:MM" of a TDateTime, rounded to the minute.
std::string Minute(double t) {
    const double rounded = std::nearbyint(t * 1440) / 1440;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
    DecodeDate(rounded, y, mo, d);
    DecodeTime(rounded, h, mi, s, ms);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", y, mo, d, h, mi);
    return buf;
}

TEST(MoonPosition, Of1992April12) {
    const BodyPosition m = MoonPosition(TT(33706));
    EXPECT_NEAR(D(m.Lambda), 133.167270, 5e-7);
    EXPECT_NEAR(D(m.Beta), -3.229127, 5e-7);
    EXPECT_NEAR(D(m.Distance), 368409.68, 0.01);
    EXPECT_NEAR(D(m.RightAscension), 134.688474, 5e-7);
    EXPECT_NEAR(D(m.Declination), 13.768365, 5e-7);
    EXPECT_NEAR(D(MoonAge(TT(33706))), 9.09, 5e-3);
}

TEST(MoonAge, StaysWithinOneLunationAndVanishesAtNewMoon) {
    const TDateTime start = EncodeDate(2012, 1, 1);
    for (int i = 0; i < 60; ++i) {
        const long double age = MoonAge(TT(start + i * 0.53));
        EXPECT_GE(age, 0);
        EXPECT_LT(age, 29.530589L);
    }
    const long double age = MoonAge(SearchMoonPhase(MoonPhase::New, TT(EncodeDate(2012, 3, 22))));
    EXPECT_LT(std::min(D(age), 29.530589 - D(age)), 0.01);
}

TEST(PerigeeApogee, ApogeeOf1988October) {
    const double t = PerigeeApogeeTime(1, EncodeDate(1988, 10, 1));
    EXPECT_NEAR(D(DateTimeToJD(t)), 2447442.3543, 5e-5);
    EXPECT_EQ(Minute(t), "1988-10-07 20:30");
}

TEST(PerigeeApogee, NextPassagesFrom2012) {
    const TDateTime t = EncodeDate(2012, 1, 1);
    EXPECT_EQ(Minute(NextApogee(t)), "2012-01-02 20:20");
    EXPECT_EQ(Minute(NextPerigee(t)), "2012-01-17 21:34");
}

TEST(PerigeeApogee, NextPassageSkipsNoCycle) {
    // From 1990-01-19 12:00 the next perigee is the one 14.6 days later, not the one after it.
    const TDateTime t = 32891.5;
    EXPECT_NEAR(NextPerigee(t) - t, 14.62, 0.01);
    // Everywhere: the passage found lies at or after t and no other passage lies in between.
    for (int i = 0; i < 200; ++i) {
        const TDateTime s = EncodeDate(1990, 1, 1) + i * 1.37;
        for (int kind = 0; kind < 2; ++kind) {
            const double r = kind == 0 ? NextPerigee(s) : NextApogee(s);
            ASSERT_GE(r, s);
            for (double a = s - 40; a < r + 40; a += 5) {
                const double p = PerigeeApogeeTime(kind, a);
                EXPECT_FALSE(p >= s && p < r - 1e-6) << s << " kind " << kind;
            }
        }
    }
}

}  // namespace
}  // namespace noctaris
