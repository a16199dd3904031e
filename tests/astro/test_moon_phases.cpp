// The principal phases of the Moon and the lunations they bound.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/events/moon_phases.h"
#include "astro/theories/moon.h"

namespace noctaris {
namespace {

double D(long double x) { return static_cast<double>(x); }

TEST(MoonPhases, PublishedInstants) {
    // New moon of 1977 February (lunation -283): JDE 2443192.65118; the first last quarter of
    // 2044 (lunation 544): JDE 2467636.49186.
    EXPECT_NEAR(MoonPhaseJDE(-283, MoonPhase::New), 2443192.65118, 2e-5);
    EXPECT_NEAR(MoonPhaseJDE(544, MoonPhase::LastQuarter), 2467636.49186, 1e-4);
    // Brown's lunation 1 began with the new moon of 1923-01-17; 1101 with that of 2011-12-24.
    EXPECT_EQ(LunationNumber(Instant::FromCivil(1923, 1, 20, 0, 0, 0, 0)), 1);
    EXPECT_EQ(LunationNumber(Instant::FromCivil(2012, 1, 1, 0, 0, 0, 0)), 1101);
    EXPECT_EQ(LunationNumber(Instant::FromCivil(2000, 1, 6, 19, 0, 0, 0)), 953);
    EXPECT_EQ(LunationNumber(Instant::FromCivil(2000, 1, 6, 17, 0, 0, 0)), 952);
}

TEST(MoonPhases, SearchesAgreeWithTheMoonsElongation) {
    // At each phase the full lunar and solar theories put the Moon 0, 90, 180 or 270 degrees
    // ahead of the Sun; the next phase is the first at or after the instant asked.
    const Instant start = Instant::FromCivil(1990, 1, 1, 0, 0, 0, 0);
    for (int i = 0; i < 60; ++i) {
        const Instant t = start.PlusDays(i * 11.3);
        for (int p = 0; p < 4; ++p) {
            const MoonPhase phase = static_cast<MoonPhase>(p);
            const Instant found = SearchMoonPhase(phase, t);
            EXPECT_LT(std::fabs(D(found.tt() - t.tt())), 14.9);
            const long double elongation =
                MoonPosition(found).Lambda - SunPosition(found).Lambda - 90.0L * p;
            EXPECT_NEAR(D(std::remainder(elongation, 360.0L)), 0, 0.01) << i << " " << p;
            const Instant next = NextMoonPhase(phase, t);
            EXPECT_GE(next.tt(), t.tt());
            EXPECT_LT(D(next.tt() - t.tt()), 29.9);
            EXPECT_LT(SearchMoonPhase(phase, next.PlusDays(-29.53)).tt(), t.tt());
        }
        const long long k = LunationOf(t);
        EXPECT_LE(MoonPhaseAt(k, MoonPhase::New).ut(), t.ut());
        EXPECT_GT(MoonPhaseAt(k + 1, MoonPhase::New).ut(), t.ut());
    }
}

}  // namespace
}  // namespace noctaris
