#pragma once
// Nutation from the first 31 terms of the IAU 1980 theory, and the true obliquity of the
// ecliptic (the mean obliquity of the IAU 1976 system plus the nutation in obliquity).

namespace noctaris {

// Degrees.
struct NutationAngles {
    long double longitude = 0;      // nutation in longitude, Δψ
    long double obliquity = 0;      // nutation in obliquity, Δε
    long double trueObliquity = 0;  // ε = ε0 + Δε
};

// At T Julian centuries of dynamical time since J2000.0.
NutationAngles Nutation(long double T);

}  // namespace noctaris
