#pragma once
// One moment on the two time scales the computations use: universal time (UT, the Earth's
// rotation: the clock, sidereal time, rising and setting) and terrestrial time (TT, the uniform
// time of the theories of motion; dynamical time and TDB are taken equal to it). The two differ
// by ΔT, which is applied here and nowhere else.
//
// Julian days are held in extended precision, so a date serial of the platform converts
// without loss.

namespace noctaris {

// ΔT = TT − UT in seconds at a Julian day (of either scale; ΔT changes by well under a
// millisecond in the minute they differ): the published two-year table from 1620, the observed
// yearly values from 1972 to the last observed year, then a smooth extrapolation that joins the
// long-term parabola −20 + 32 u² (u in centuries since 1820) a century later. Before 1620 two
// parabolas in the Julian centuries since J2000.
double DeltaTSeconds(double jd);

class Instant {
public:
    Instant() = default;
    // From a Julian day of universal time; TT = UT + ΔT(UT).
    static Instant FromUT(long double jdUT);
    // From a Julian day of terrestrial time; UT = TT − ΔT(TT).
    static Instant FromTT(long double jdTT);
    // From a civil date and clock time at a clock utOffsetHours ahead of UT (east positive);
    // the Julian calendar before 1582-10-15. An invalid date raises ConversionError.
    static Instant FromCivil(int year, int month, int day, int hour, int minute, double second,
                             double utOffsetHours);

    long double ut() const { return ut_; }  // Julian day, universal time
    long double tt() const { return tt_; }  // Julian day, terrestrial time
    double DeltaTSeconds() const;
    // Julian centuries of TT since J2000.0, the argument of the theories.
    long double CenturiesTT() const;
    // The instant at universal time jdUT with TT interpolated linearly between a and b (ΔT
    // taken as a straight line between them), in double arithmetic: an interpolated frame of
    // the precise places is then exactly what a double computation of its own would give.
    static Instant Interpolated(const Instant& a, const Instant& b, double jdUT);
    // The instant `days` later (ΔT taken anew).
    Instant PlusDays(double days) const { return FromUT(ut_ + days); }

    friend bool operator==(const Instant&, const Instant&) = default;

private:
    Instant(long double ut, long double tt) : ut_(ut), tt_(tt) {}
    long double ut_ = 0;
    long double tt_ = 0;
};

}  // namespace noctaris
