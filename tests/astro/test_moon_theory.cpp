// The Moon's place and age.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/events/moon_phases.h"
#include "astro/theories/moon.h"

namespace noctaris {
namespace {

double D(long double x) { return static_cast<double>(x); }

// A TDateTime of dynamical time.
Instant TT(TDateTime t) { return Instant::FromTT(DateTimeToJD(t)); }

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

}  // namespace
}  // namespace noctaris
