// Extended degree trigonometry and the VSOP87D Earth series.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/theories/vsop.h"

namespace noctaris {
namespace {

double D(long double x) { return static_cast<double>(x); }

TEST(DegreeTrig, Reduce360BringsAnglesIntoOneTurn) {
    EXPECT_EQ(Reduce360(-30), 330);
    EXPECT_EQ(Reduce360(540), 180);  // 1.5 turns round to 2 (ties to even), then back up
    EXPECT_EQ(Reduce360(360), 0);
    EXPECT_EQ(Reduce360(180), 180);  // 0.5 turns round to 0
    EXPECT_EQ(Reduce360(-180), 180);
    EXPECT_EQ(Reduce360(900), 180);  // 2.5 turns round to 2
    EXPECT_NEAR(static_cast<double>(Reduce360(-719.25L)), 0.75, 1e-15);
    EXPECT_NEAR(static_cast<double>(Reduce360(477198.8676313L * 10)), 188.676313, 1e-9);
}

TEST(DegreeTrig, Reduce360StaysInRangeAtTheEdges) {
    // A tiny negative angle must not come back as 360 itself.
    const long double tiny = Reduce360(-1e-30L);
    EXPECT_GE(tiny, 0);
    EXPECT_LT(tiny, 360);
    // Angles far beyond a 64-bit multiple of 360 neither hang nor leave the range.
    for (long double x : {1e25L, -1e25L, 1e300L, -1e300L}) {
        const long double r = Reduce360(x);
        EXPECT_GE(r, 0) << static_cast<double>(x);
        EXPECT_LT(r, 360) << static_cast<double>(x);
    }
    EXPECT_EQ(Reduce360(NAN), 0);
    EXPECT_EQ(Reduce360(-INFINITY), 0);
}

TEST(DegreeTrig, FunctionsWorkInDegrees) {
    EXPECT_NEAR(static_cast<double>(SinD(30)), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(SinD(-330)), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(CosD(420)), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(TanD(225)), 1.0, 1e-17);
    EXPECT_NEAR(static_cast<double>(ArcSinD(0.5)), 30.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ArcCosD(-1)), 180.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ArcTanD(-1)), -45.0, 1e-15);
    // ArcTan2D is not brought into 0..360.
    EXPECT_NEAR(static_cast<double>(ArcTan2D(0, -1)), 180.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ArcTan2D(-1, 0)), -90.0, 1e-15);
    // A sine product that rounds just past 1 gives 90 degrees, not a NaN.
    EXPECT_NEAR(static_cast<double>(ArcSinD(1.0L + 1e-18L)), 90.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(ArcCosD(-1.0L - 1e-18L)), 180.0, 1e-15);
    // Outside the processor's range the radian sine and cosine yield 0.
    EXPECT_EQ(ext::Sin(1e30L), 0);
    EXPECT_EQ(ext::Cos(-1e30L), 0);
    EXPECT_EQ(ext::Sin(INFINITY), 0);
}

TEST(DegreeTrig, ProcessorSineAndCosineMatchTheLibrary) {
    // Reduced degree arguments are exact to the last bits; the moderate radian arguments of the
    // series lose no more than the width of the processor's pi.
    for (int i = 0; i < 720; ++i) {
        const long double x = ext::DegToRad(i * 0.5L + 0.123L);
        EXPECT_LT(D(std::fabs(ext::Sin(x) - std::sin(x))), 2e-19) << i;
        EXPECT_LT(D(std::fabs(ext::Cos(x) - std::cos(x))), 2e-19) << i;
    }
    for (int i = -200; i <= 200; ++i) {
        const long double x = i * 523.598775598L + 0.3L;
        EXPECT_LT(D(std::fabs(ext::Cos(x) - std::cos(x))), 2e-21 * std::fabs(D(x)) + 2e-19) << i;
    }
}

int CountTerms(const VsopTheory& body, VsopTheory::TermProvider provider, int power) {
    int n = 0;
    while (true) {
        const VsopTerm term = (body.*provider)(n, power);
        if (term.A == 0 && term.B == 0 && term.C == 0) return n;
        ++n;
    }
}

TEST(VSOPEarth, TablesHoldTheCompleteSeries) {
    const VsopEarth earth;
    const int L[6] = {559, 341, 142, 22, 11, 5};
    const int B[6] = {184, 99, 49, 11, 5, 0};
    const int R[6] = {526, 292, 139, 27, 10, 3};
    int total = 0;
    for (int p = 0; p < 6; ++p) {
        EXPECT_EQ(CountTerms(earth, &VsopTheory::LongitudeTerm, p), L[p]) << "L" << p;
        EXPECT_EQ(CountTerms(earth, &VsopTheory::LatitudeTerm, p), B[p]) << "B" << p;
        EXPECT_EQ(CountTerms(earth, &VsopTheory::RadiusTerm, p), R[p]) << "R" << p;
        total += L[p] + B[p] + R[p];
    }
    EXPECT_EQ(total, 2425);
}

TEST(VSOPEarth, ProvidersReturnPublishedTermsAndClearOutsideTheSeries) {
    const VsopEarth earth;
    VsopTerm t;
    t = earth.LongitudeTerm(0, 0);
    EXPECT_EQ(t.A, 175347045.673L);
    EXPECT_EQ(t.B, 0);
    t = earth.LongitudeTerm(0, 1);
    EXPECT_EQ(t.A, 628331966747.491L);
    t = earth.LongitudeTerm(0, 3);
    EXPECT_EQ(t.A, 289.226L);
    EXPECT_EQ(t.B, 5.84384198723L);
    EXPECT_EQ(t.C, 6283.0758499914L);
    t = earth.LatitudeTerm(0, 0);
    EXPECT_EQ(t.A, 279.620L);
    EXPECT_EQ(t.C, 84334.66158130829L);
    t = earth.RadiusTerm(0, 1);
    EXPECT_EQ(t.A, 103018.608L);
    EXPECT_EQ(t.B, 1.10748969588L);
    t = earth.RadiusTerm(0, 5);
    EXPECT_EQ(t.A, 0.086L);
    // The B4 term that the published file lists first is among the five.
    bool found = false;
    for (int i = 0; i < 5; ++i) {
        t = earth.LatitudeTerm(i, 4);
        found = found || (t.A == 0.004L && t.B == 0.79662198849L && t.C == 6438.4962494256L);
    }
    EXPECT_TRUE(found);

    // Outside the series a provider gives a zero term.
    for (auto [index, power] : {std::pair{-1, 0}, {559, 0}, {0, 6}, {0, -1}, {0, 5}}) {
        t = VsopTerm{1, 2, 3};
        t = earth.LatitudeTerm(index, power);
        EXPECT_EQ(t.A, 0);
        EXPECT_EQ(t.B, 0);
        EXPECT_EQ(t.C, 0);
    }
}

// A body with a handful of terms: the powers of tau and the 1e-8 scale are visible directly.
class ToyBody : public VsopTheory {
public:
    VsopTerm LongitudeTerm(int index, int power) const override {
        VsopTerm term;
        if (index == 0 && power <= 5) term.A = (power + 1) * 1e8L;  // 1 + 2 tau + ... + 6 tau^5
        return term;
    }
    VsopTerm LatitudeTerm(int index, int power) const override {
        if (power == 0 && index < 2) return VsopTerm{1e8L, kPi / 3, 0};  // 2 cos 60 = 1
        return {};
    }
    VsopTerm RadiusTerm(int, int) const override { return {}; }
};

TEST(VSOPEvaluation, SumsEveryPowerOfTau) {
    ToyBody body;
    body.SetDate(VSOPEpoch + 0.5);
    EXPECT_EQ(body.Tau(), 0);
    EXPECT_NEAR(static_cast<double>(body.Longitude()), 1.0, 1e-18);
    body.SetDate(VSOPEpoch + 0.5 + 365250.0 / 2);  // tau = 0.5
    EXPECT_NEAR(static_cast<double>(body.Tau()), 0.5, 1e-18);
    EXPECT_NEAR(static_cast<double>(body.Longitude()), 1 + 1 + 0.75 + 0.5 + 0.3125 + 0.1875,
                1e-15);
    EXPECT_NEAR(static_cast<double>(body.Latitude()), 1.0, 1e-15);
    EXPECT_EQ(body.Radius(), 0);
}

TEST(VSOPEarth, AtJ2000EverySeriesIsItsConstantPart) {
    VsopEarth earth;
    earth.SetDate(36526.5);
    EXPECT_EQ(earth.Tau(), 0);
    long double sum = 0;
    VsopTerm t;
    for (int i = 0; i < 526; ++i) {
        t = earth.RadiusTerm(i, 0);
        sum += t.A * std::cos(t.B);
    }
    EXPECT_NEAR(static_cast<double>(earth.Radius()), static_cast<double>(sum * 1e-8L), 1e-18);
}

TEST(VSOPEarth, PositionOf1992October13) {
    VsopEarth earth;
    earth.SetDate(33890);
    const long double L = earth.Longitude();
    const long double B = earth.Latitude();
    const long double R = earth.Radius();
    EXPECT_NEAR(static_cast<double>(L), -43.634849, 5e-7);
    EXPECT_NEAR(static_cast<double>(Reduce360(ext::RadToDeg(L))), 19.90730, 5e-6);
    EXPECT_NEAR(static_cast<double>(ext::RadToDeg(B)), -0.000207, 5e-7);
    EXPECT_NEAR(static_cast<double>(R), 0.9976085, 5e-8);
    const VsopAngles fk5 = earth.FK5Correction(L, B);
    EXPECT_NEAR(static_cast<double>(Reduce360(ext::RadToDeg(fk5.L))), 19.90727, 5e-6);
    EXPECT_NEAR(static_cast<double>(ext::RadToDeg(fk5.B)), -0.000200, 5e-7);

    const VsopPlace e = EarthHeliocentric(33890);
    EXPECT_EQ(e.L, Reduce360(ext::RadToDeg(fk5.L)));
    EXPECT_EQ(e.B, ext::RadToDeg(fk5.B));
    EXPECT_EQ(e.R, R);
}

}  // namespace
}  // namespace noctaris
