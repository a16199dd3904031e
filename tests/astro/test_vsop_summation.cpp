// The Earth series summed from its parallel arrays (double cosines, several terms at a time)
// against the sum term by term in extended precision.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "astro/theories/vsop.h"
#include "astro/theories/vsop87_earth_tables.h"

namespace noctaris {
namespace {

// The straightforward evaluation kept as the measure: every term through its provider, the
// angle and its cosine (x87) in long double, the sums in long double.
long double TermByTerm(const VsopTheory& body, VsopTheory::TermProvider provider, long double tau) {
    long double s[6];
    for (int n = 0; n < 6; ++n) {
        long double sum = 0;
        for (int i = 0;; ++i) {
            const VsopTerm t = (body.*provider)(i, n);
            if (t.A == 0) break;
            sum += t.A * ext::Cos(t.B + t.C * tau);
        }
        s[n] = sum;
    }
    return (((((s[5] * tau + s[4]) * tau + s[3]) * tau + s[2]) * tau + s[1]) * tau + s[0]) *
           1e-8L;
}

// A coordinate summed from the Earth's arrays with the chosen vector code.
long double FromArrays(const vsop87_earth::VSOPSeries* table, long double tau, bool baseline) {
    long double s[6];
    for (int n = 0; n < 6; ++n)
        s[n] = SumVsopTerms(table[n].arrays, static_cast<double>(tau), baseline) / 1000.0L;
    return (((((s[5] * tau + s[4]) * tau + s[3]) * tau + s[2]) * tau + s[1]) * tau + s[0]) *
           1e-8L;
}

// The Earth without its arrays: summed through its providers.
class EarthByProvider : public VsopEarth {
protected:
    std::optional<VsopTermArrays> TermTable(int, int) const override { return std::nullopt; }
};

double Gap(long double a, long double b) { return static_cast<double>(std::fabs(a - b)); }

std::string Scientific(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2e", x);
    return text;
}

TEST(VSOPSummation, ArraysAgreeWithTheExtendedSumFromMinus2000To6000) {
    // Both vector codes (the processor's widest, used by the Earth, and the SSE2 baseline)
    // against the extended sum, over 1000 dates; worst gaps in rad, rad, AU.
    double worst[2][3] = {};
    for (int i = 0; i < 1000; ++i) {
        const long double tau = -4.0L + 8.0L * i / 999;  // years -2000..+6000
        VsopEarth earth;
        earth.SetDate(static_cast<double>(VSOPEpoch + 0.5L + tau * 365250.0L));
        const long double t = earth.Tau();
        const long double ref[3] = {TermByTerm(earth, &VsopTheory::LongitudeTerm, t),
                                    TermByTerm(earth, &VsopTheory::LatitudeTerm, t),
                                    TermByTerm(earth, &VsopTheory::RadiusTerm, t)};
        const vsop87_earth::VSOPSeries* tables[3] = {vsop87_earth::kLongitude,
                                                     vsop87_earth::kLatitude, vsop87_earth::kRadius};
        for (int baseline = 0; baseline < 2; ++baseline)
            for (int c = 0; c < 3; ++c)
                worst[baseline][c] = std::max(
                    worst[baseline][c], Gap(FromArrays(tables[c], t, baseline == 1), ref[c]));
        // The Earth sums with the processor's widest code.
        EXPECT_EQ(earth.Longitude(), FromArrays(vsop87_earth::kLongitude, t, false));
        EXPECT_EQ(earth.Latitude(), FromArrays(vsop87_earth::kLatitude, t, false));
        EXPECT_EQ(earth.Radius(), FromArrays(vsop87_earth::kRadius, t, false));
    }
    for (int baseline = 0; baseline < 2; ++baseline) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_LT(worst[baseline][c], 1e-12) << "baseline " << baseline << " coordinate " << c;
            RecordProperty((baseline ? "baseline_worst_" : "widest_worst_") + std::to_string(c),
                           Scientific(worst[baseline][c]));
        }
    }
}

TEST(VSOPSummation, ProvidersAndFarDatesSumTermByTermInExtendedPrecision) {
    // A body without arrays, and the Earth beyond 16 millennia from J2000, where the double
    // reduction of the angles would no longer be exact, give the extended sum bit for bit.
    for (long double tau : {-4.0L, 0.3L, 3.9L, -17.0L, 16.5L, 250.0L, -1e4L}) {
        const double date = static_cast<double>(VSOPEpoch + 0.5L + tau * 365250.0L);
        EarthByProvider slow;
        slow.SetDate(date);
        const long double t = slow.Tau();
        EXPECT_EQ(slow.Longitude(), TermByTerm(slow, &VsopTheory::LongitudeTerm, t));
        EXPECT_EQ(slow.Radius(), TermByTerm(slow, &VsopTheory::RadiusTerm, t));
        if (std::fabs(tau) > 16) {
            VsopEarth earth;
            earth.SetDate(date);
            EXPECT_EQ(earth.Longitude(), slow.Longitude()) << static_cast<double>(tau);
            EXPECT_EQ(earth.Latitude(), slow.Latitude()) << static_cast<double>(tau);
            EXPECT_EQ(earth.Radius(), slow.Radius()) << static_cast<double>(tau);
            EXPECT_TRUE(std::isfinite(earth.Longitude()));
        }
    }
}

}  // namespace
}  // namespace noctaris
