// The evaluation of VSOP series.
#include "astro/theories/vsop.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>

#include "astro/theories/vsop87_earth_tables.h"

namespace noctaris {

using LD = long double;

const double VSOPEpoch = 36526.0;  // EncodeDate(2000, 1, 1)

LD VsopTheory::Tau() const {
    return (static_cast<LD>(Date) - VSOPEpoch - 0.5L) / 365250.0L;
}

std::optional<VsopTermArrays> VsopTheory::TermTable(int, int) const { return std::nullopt; }

namespace {

// pi in two parts for the reduction of the series' angles: kPiHigh has 32 significant bits, so
// k * kPiHigh is exact for every |k| < 2^21 (angles up to 6e6 rad); the parts together miss pi
// by 7e-27.
constexpr double kPiHigh = 0x1.921fb544p+1;
constexpr double kPiLow = 0x1.0b4611a626331p-33;
constexpr double kOneOverPi = 0x1.45f306dc9c883p-2;
// Adding 1.5 * 2^52 to a double of magnitude below 2^51 rounds it to an integer (to nearest,
// ties to even), which then sits in the low bits of the sum.
constexpr double kRoundingShift = 0x1.8p52;

// cos x in double for |x| < 6e6, within 4e-16 of the true value: x = k pi + r with |r| <= pi/2,
// cos r from its Taylor series to r^20 (the first omitted term is below 2e-17), the sign
// flipped for odd k. cos 0 is exactly 1, as the constant terms need. No branch and no call, so
// that a loop of these runs several at a time in the vector registers.
[[gnu::always_inline]] inline double SeriesCos(double x) {
    const double shifted = x * kOneOverPi + kRoundingShift;
    const double k = shifted - kRoundingShift;
    const double r = (x - k * kPiHigh) - k * kPiLow;
    const double r2 = r * r;
    double c = 1.0 / 2432902008176640000.0;  // 1/20!
    c = c * r2 - 1.0 / 6402373705728000.0;
    c = c * r2 + 1.0 / 20922789888000.0;
    c = c * r2 - 1.0 / 87178291200.0;
    c = c * r2 + 1.0 / 479001600.0;
    c = c * r2 - 1.0 / 3628800.0;
    c = c * r2 + 1.0 / 40320.0;
    c = c * r2 - 1.0 / 720.0;
    c = c * r2 + 1.0 / 24.0;
    c = c * r2 - 0.5;
    c = c * r2 + 1.0;
    // The lowest bit of k is the last mantissa bit of `shifted`; moved to the sign bit.
    const std::uint64_t odd = std::bit_cast<std::uint64_t>(shifted) << 63;
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(c) ^ odd);
}

// products[i] = A[i] cos(B[i] + C[i] tau) for i < n. Compiled once for each instruction set
// below; the optimiser turns the loop into vector code of that set's width.
[[gnu::always_inline]] inline void TermProducts(const double* __restrict A,
                                                const double* __restrict B,
                                                const double* __restrict C, double tau,
                                                double* __restrict products, int n) {
    for (int i = 0; i < n; ++i) products[i] = A[i] * SeriesCos(B[i] + C[i] * tau);
}

using TermProductsFunction = void (*)(const double*, const double*, const double*, double,
                                      double*, int);

// SSE2: every x86-64 processor.
void TermProductsBaseline(const double* A, const double* B, const double* C, double tau,
                          double* products, int n) {
    TermProducts(A, B, C, tau, products, n);
}

#if defined(__x86_64__) && defined(__GNUC__)
// Four terms per instruction and fused multiply-adds (the fused operations round once, so the
// results differ from the baseline's in the last bits only).
[[gnu::target("avx2,fma")]] void TermProductsWide(const double* A, const double* B, const double* C,
                                                  double tau, double* products, int n) {
    TermProducts(A, B, C, tau, products, n);
}

TermProductsFunction FastestTermProducts() {
    static const TermProductsFunction fastest =
        __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") ? TermProductsWide
                                                                        : TermProductsBaseline;
    return fastest;
}
#else
TermProductsFunction FastestTermProducts() { return TermProductsBaseline; }
#endif

// The reduction above is exact for the angles of the Earth series up to |tau| = 20 millennia;
// beyond 16 (years -14000..+18000) the series is summed term by term in extended precision.
constexpr LD kArrayTauLimit = 16;

}  // namespace

LD SumVsopTerms(const VsopTermArrays& terms, double tau, bool baseline) {
    const TermProductsFunction products = baseline ? TermProductsBaseline : FastestTermProducts();
    constexpr int kBlock = 256;
    double block[kBlock];
    // Four running sums, so that the additions need not wait for each other.
    LD part[4] = {0, 0, 0, 0};
    for (int first = 0; first < terms.count; first += kBlock) {
        const int n = std::min(kBlock, terms.count - first);
        products(terms.A + first, terms.B + first, terms.C + first, tau, block, n);
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            part[0] += block[i];
            part[1] += block[i + 1];
            part[2] += block[i + 2];
            part[3] += block[i + 3];
        }
        for (; i < n; ++i) part[0] += block[i];
    }
    return (part[0] + part[1]) + (part[2] + part[3]);
}

LD VsopTheory::EvaluateSeries(TermProvider provider) const {
    const LD tau = Tau();
    int slot = 0;
    if (provider == &VsopTheory::LongitudeTerm) slot = 1;
    if (provider == &VsopTheory::LatitudeTerm) slot = 2;
    if (provider == &VsopTheory::RadiusTerm) slot = 3;
    LD s[6];
    for (int n = 0; n <= 5; ++n) {
        LD sum = 0;
        std::optional<VsopTermArrays> arrays;
        if (slot != 0 && std::fabs(tau) <= kArrayTauLimit) arrays = TermTable(slot, n);
        if (arrays) {
            sum = SumVsopTerms(*arrays, static_cast<double>(tau)) / 1000.0L;  // 1e-11 to 1e-8
        } else {
            // A series ends at the zero term past its last term (no term has amplitude 0).
            for (int i = 0;; ++i) {
                const VsopTerm term = (this->*provider)(i, n);
                if (term.A == 0) break;
                sum += term.A * ext::Cos(term.B + term.C * tau);
            }
        }
        s[n] = sum;
    }
    return (((((s[5] * tau + s[4]) * tau + s[3]) * tau + s[2]) * tau + s[1]) * tau + s[0]) *
           1e-8L;
}

LD VsopTheory::Longitude() const { return EvaluateSeries(&VsopTheory::LongitudeTerm); }
LD VsopTheory::Latitude() const { return EvaluateSeries(&VsopTheory::LatitudeTerm); }
LD VsopTheory::Radius() const { return EvaluateSeries(&VsopTheory::RadiusTerm); }

VsopAngles VsopTheory::FK5Correction(LD L, LD B) const {
    const LD T = 10.0L * Tau();
    const LD lambda1 = L + T * ext::DegToRad(-1.397L - 0.00031L * T);
    const LD c = ext::Cos(lambda1);
    const LD s = ext::Sin(lambda1);
    VsopAngles r;
    r.L = L + ext::DegToRad(0.03916L / 3600.0L) * (c + s) * ext::Tan(B) -
          ext::DegToRad(0.09033L / 3600.0L);
    r.B = B + ext::DegToRad(0.03916L / 3600.0L) * (c - s);
    return r;
}

namespace {

VsopTerm FetchTerm(const vsop87_earth::VSOPSeries* table, int index, int power) {
    if (power < 0 || power > 5) return {};
    const vsop87_earth::VSOPSeries& series = table[power];
    if (index < 0 || index >= series.arrays.count) return {};
    return series.terms[index];
}

}  // namespace

VsopTerm VsopEarth::LongitudeTerm(int index, int power) const {
    return FetchTerm(vsop87_earth::kLongitude, index, power);
}
VsopTerm VsopEarth::LatitudeTerm(int index, int power) const {
    return FetchTerm(vsop87_earth::kLatitude, index, power);
}
VsopTerm VsopEarth::RadiusTerm(int index, int power) const {
    return FetchTerm(vsop87_earth::kRadius, index, power);
}

std::optional<VsopTermArrays> VsopEarth::TermTable(int slot, int power) const {
    if (power < 0 || power > 5) return std::nullopt;
    const vsop87_earth::VSOPSeries* table = slot == 1   ? vsop87_earth::kLongitude
                                            : slot == 2 ? vsop87_earth::kLatitude
                                            : slot == 3 ? vsop87_earth::kRadius
                                                        : nullptr;
    if (table == nullptr) return std::nullopt;
    return table[power].arrays;
}

long double LeadingEarthSeries(EarthCoordinate coordinate, TDateTime t, int terms) {
    const vsop87_earth::VSOPSeries* table = coordinate == EarthCoordinate::Longitude
                                                ? vsop87_earth::kLongitude
                                            : coordinate == EarthCoordinate::Latitude
                                                ? vsop87_earth::kLatitude
                                                : vsop87_earth::kRadius;
    const LD tau = (static_cast<LD>(t) - VSOPEpoch - 0.5L) / 365250.0L;
    LD sum = 0;
    for (int n = 5; n >= 0; --n) {
        VsopTermArrays arrays = table[n].arrays;
        arrays.count = std::min(arrays.count, std::max(terms, 0));
        LD power = 0;
        if (std::fabs(tau) <= kArrayTauLimit) {
            power = SumVsopTerms(arrays, static_cast<double>(tau));
        } else {
            for (int i = 0; i < arrays.count; ++i)
                power += arrays.A[i] * ext::Cos(arrays.B[i] + arrays.C[i] * tau);
        }
        sum = sum * tau + power;
    }
    return sum * 1e-11L;
}

VsopPlace VSOPPosition(VsopTheory& body, TDateTime t) {
    body.SetDate(t);
    VsopPlace p;
    p.R = body.Radius();
    const VsopAngles fk5 = body.FK5Correction(body.Longitude(), body.Latitude());
    p.L = Reduce360(ext::RadToDeg(fk5.L));
    p.B = ext::RadToDeg(fk5.B);
    return p;
}

VsopPlace EarthHeliocentric(TDateTime t) { return VSOPPosition<VsopEarth>(t); }

}  // namespace noctaris
