#pragma once
// The VSOP87 planetary series (version D: heliocentric ecliptic spherical coordinates, mean
// ecliptic and equinox of date).
#include <optional>

#include "astro/core/constants.h"
#include "astro/coords/angles.h"
#include "astro/coords/degrees.h"
#include "astro/time/timebase.h"

namespace noctaris {

// TDateTime of 2000-01-01 00:00 (36526), the origin from which Tau counts.
extern const double VSOPEpoch;

// One VSOP term: A cos(B + C tau); A in 1e-8 rad or 1e-8 AU, B in rad, C in rad/millennium.
struct VsopTerm {
    long double A = 0;
    long double B = 0;
    long double C = 0;
};

// One power of tau of one coordinate's series as parallel arrays, the layout the summation
// reads: term i is A[i] cos(B[i] + C[i] tau) with A in 1e-11 rad or 1e-11 AU (an integer, exact
// in a double), B in rad and C in rad/millennium rounded to double.
struct VsopTermArrays {
    const double* A = nullptr;
    const double* B = nullptr;
    const double* C = nullptr;
    int count = 0;
};

// Sum of A cos(B + C tau) over the arrays, in their unit of A: the angles and their cosines in
// double, several terms per instruction (AVX2 with fused multiply-adds where the processor has
// them), the sum in long double. The reduction of the angles is exact for |C tau| < 6e6 rad.
// `baseline` forces the SSE2 code that every x86-64 processor runs, so tests can check both.
long double SumVsopTerms(const VsopTermArrays& terms, double tau, bool baseline = false);

// Ecliptic longitude and latitude, radians.
struct VsopAngles {
    long double L = 0;
    long double B = 0;
};

// A body's VSOP series. A descendant supplies the terms of the three coordinates; a term
// provider gives a zero term for an index outside the series or a power without series.
class VsopTheory {
public:
    using TermProvider = VsopTerm (VsopTheory::*)(int index, int power) const;

    VsopTheory() = default;
    VsopTheory(const VsopTheory&) = default;
    VsopTheory& operator=(const VsopTheory&) = default;
    virtual ~VsopTheory() = default;

    double Date = 0;  // the instant as a TDateTime (dynamical time)

    void SetDate(TDateTime t) { Date = t; }
    // Julian millennia since JD 2451545.0.
    long double Tau() const;
    // Sum of one coordinate's series in radians or AU.
    long double EvaluateSeries(TermProvider provider) const;
    long double Longitude() const;
    long double Latitude() const;
    long double Radius() const;
    // L and B converted from the dynamical ecliptic to FK5.
    VsopAngles FK5Correction(long double L, long double B) const;

    virtual VsopTerm LongitudeTerm(int index, int power) const = 0;
    virtual VsopTerm LatitudeTerm(int index, int power) const = 0;
    virtual VsopTerm RadiusTerm(int index, int power) const = 0;

protected:
    // A descendant whose terms lie in a compiled table may hand out that table as parallel
    // arrays (the terms its provider of the given slot - 1 longitude, 2 latitude, 3 radius -
    // returns) so that the series is summed in place: cosines in double, several terms at a
    // time, the sum in long double; within 1e-12 rad or AU of the sum term by term in long
    // double for -2000..+6000. The default has no table and EvaluateSeries asks the provider
    // term by term, with extended cosines.
    virtual std::optional<VsopTermArrays> TermTable(int slot, int power) const;
};

// The complete VSOP87D series of the Earth: 2425 terms.
class VsopEarth : public VsopTheory {
public:
    VsopTerm LongitudeTerm(int index, int power) const override;
    VsopTerm LatitudeTerm(int index, int power) const override;
    VsopTerm RadiusTerm(int index, int power) const override;

protected:
    std::optional<VsopTermArrays> TermTable(int slot, int power) const override;
};

// One coordinate of the Earth series cut to its largest terms (the tables run by amplitude):
// the first `terms` of every power of tau, in radians or AU, at t (a TDateTime of dynamical
// time). A search brackets its instant on this cheap sum and finishes on the full series.
enum class EarthCoordinate { Longitude, Latitude, Radius };
long double LeadingEarthSeries(EarthCoordinate coordinate, TDateTime t, int terms);

// A body's heliocentric place in FK5, ecliptic and equinox of date.
struct VsopPlace {
    long double L = 0;  // longitude, degrees, 0..360
    long double B = 0;  // latitude, degrees
    long double R = 0;  // distance from the Sun, AU
};
// The place of the body at t (a TDateTime of dynamical time).
VsopPlace VSOPPosition(VsopTheory& body, TDateTime t);
// The same with a fresh instance of the given class, as "VSOPPosition<VsopEarth>(t)".
template <class Body>
VsopPlace VSOPPosition(TDateTime t) {
    Body body;
    return VSOPPosition(body, t);
}
VsopPlace EarthHeliocentric(TDateTime t);

}  // namespace noctaris
