#include "astro/coords/degrees.h"

#include <algorithm>
#include <cmath>

#include "astro/coords/angles.h"
#include "astro/core/constants.h"

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

LD DegToRad(LD x) { return x / 180.0L * kPi; }
LD RadToDeg(LD x) { return x * 180.0L / kPi; }

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

}  // namespace noctaris
