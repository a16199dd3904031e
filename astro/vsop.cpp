// Degree trigonometry in extended precision and the evaluation of VSOP series.
#include "astro/vsop.h"

#include <cmath>

#include "astro/vsop87_earth_tables.h"

namespace noctaris {

using LD = long double;

namespace ext {

namespace {
// The x87 sine and cosine accept |x| < 2^63 only.
constexpr LD kTrigLimit = 9223372036854775808.0L;

// The processor's own extended sine and cosine (x87 fsin/fcos): several times faster than the
// library's software long double routines, and exact to the last bits for the reduced
// arguments of the degree functions and the moderate arguments of the series (|x| < 1e7).
inline LD RawSin(LD x) {
#if defined(__x86_64__) || defined(__i386__)
    LD r;
    __asm__("fsin" : "=t"(r) : "0"(x));
    return r;
#else
    return std::sin(x);
#endif
}

inline LD RawCos(LD x) {
#if defined(__x86_64__) || defined(__i386__)
    LD r;
    __asm__("fcos" : "=t"(r) : "0"(x));
    return r;
#else
    return std::cos(x);
#endif
}
}  // namespace

LD DegToRad(LD x) { return x / 180.0L * Pi; }
LD RadToDeg(LD x) { return x * 180.0L / Pi; }

LD Sin(LD x) {
    if (!(std::fabs(x) < kTrigLimit)) return 0;
    return RawSin(x);
}

LD Cos(LD x) {
    if (!(std::fabs(x) < kTrigLimit)) return 0;
    return RawCos(x);
}

LD Tan(LD x) {
    if (!(std::fabs(x) < kTrigLimit)) return 0;
    return std::tan(x);
}

LD ArcTan2(LD y, LD x) { return std::atan2(y, x); }

LD ArcSin(LD x) {
    if (x > 1) x = 1;
    if (x < -1) x = -1;
    return ArcTan2(x, std::sqrt(1.0L - x * x));
}

LD ArcCos(LD x) {
    if (x > 1) x = 1;
    if (x < -1) x = -1;
    return ArcTan2(std::sqrt(1.0L - x * x), x);
}

}  // namespace ext

LD SinD(LD x) { return ext::Sin(ext::DegToRad(Reduce360(x))); }
LD CosD(LD x) { return ext::Cos(ext::DegToRad(Reduce360(x))); }
LD TanD(LD x) { return ext::Tan(ext::DegToRad(Reduce360(x))); }
LD ArcTan2D(LD y, LD x) { return ext::RadToDeg(ext::ArcTan2(y, x)); }
LD ArcSinD(LD x) { return ext::RadToDeg(ext::ArcSin(x)); }
LD ArcCosD(LD x) { return ext::RadToDeg(ext::ArcCos(x)); }
LD ArcTanD(LD x) { return ext::RadToDeg(ext::ArcTan2(x, 1.0L)); }

const double VSOPEpoch = 36526.0;  // EncodeDate(2000, 1, 1)

LD VsopTheory::Tau() const {
    return (static_cast<LD>(Date) - VSOPEpoch - 0.5L) / 365250.0L;
}

bool VsopTheory::TermTable(int, int, const VsopTerm*&, int&) const { return false; }

LD VsopTheory::EvaluateSeries(TermProvider provider) const {
    const LD tau = Tau();
    int slot = 0;
    if (provider == &VsopTheory::LongitudeTerm) slot = 1;
    if (provider == &VsopTheory::LatitudeTerm) slot = 2;
    if (provider == &VsopTheory::RadiusTerm) slot = 3;
    LD s[6];
    for (int n = 0; n <= 5; ++n) {
        LD sum = 0;
        const VsopTerm* terms = nullptr;
        int count = 0;
        if (slot != 0 && TermTable(slot, n, terms, count)) {
            for (int i = 0; i < count; ++i)
                sum += terms[i].A * ext::Cos(terms[i].B + terms[i].C * tau);
        } else {
            VsopTerm term;
            // A series ends at the cleared record past its last term (no term has amplitude 0).
            for (int i = 0;; ++i) {
                (this->*provider)(i, n, term);
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

void VsopTheory::FK5Correction(LD& L, LD& B) const {
    const LD T = 10.0L * Tau();
    const LD lambda1 = L + T * ext::DegToRad(-1.397L - 0.00031L * T);
    const LD c = ext::Cos(lambda1);
    const LD s = ext::Sin(lambda1);
    L = L + ext::DegToRad(0.03916L / 3600.0L) * (c + s) * ext::Tan(B) -
        ext::DegToRad(0.09033L / 3600.0L);
    B = B + ext::DegToRad(0.03916L / 3600.0L) * (c - s);
}

namespace {

void FetchTerm(const vsop87_earth::VSOPSeries* table, int index, int power, VsopTerm& term) {
    term = VsopTerm{};
    if (power < 0 || power > 5) return;
    const vsop87_earth::VSOPSeries& series = table[power];
    if (index < 0 || index >= series.count) return;
    term = series.terms[index];
}

}  // namespace

void VsopEarth::LongitudeTerm(int index, int power, VsopTerm& term) const {
    FetchTerm(vsop87_earth::kLongitude, index, power, term);
}
void VsopEarth::LatitudeTerm(int index, int power, VsopTerm& term) const {
    FetchTerm(vsop87_earth::kLatitude, index, power, term);
}
void VsopEarth::RadiusTerm(int index, int power, VsopTerm& term) const {
    FetchTerm(vsop87_earth::kRadius, index, power, term);
}

bool VsopEarth::TermTable(int slot, int power, const VsopTerm*& terms, int& count) const {
    if (power < 0 || power > 5) return false;
    const vsop87_earth::VSOPSeries* table = slot == 1   ? vsop87_earth::kLongitude
                                            : slot == 2 ? vsop87_earth::kLatitude
                                            : slot == 3 ? vsop87_earth::kRadius
                                                        : nullptr;
    if (table == nullptr) return false;
    terms = table[power].terms;
    count = table[power].count;
    return true;
}

void VSOPPosition(VsopTheory& body, TDateTime t, LD& L, LD& B, LD& R) {
    body.SetDate(t);
    R = body.Radius();
    LD l = body.Longitude();
    LD b = body.Latitude();
    body.FK5Correction(l, b);
    L = Reduce360(ext::RadToDeg(l));
    B = ext::RadToDeg(b);
}

void EarthHeliocentric(TDateTime t, LD& L, LD& B, LD& R) {
    VSOPPosition<VsopEarth>(t, L, B, R);
}

}  // namespace noctaris
