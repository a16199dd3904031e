#pragma once
// The constants every computation shares, defined once. Degree factors come in extended
// precision; a double computation takes them through static_cast<double>, which gives the
// correctly rounded double.
#include <numbers>

namespace noctaris {

inline constexpr long double kPi = std::numbers::pi_v<long double>;
inline constexpr long double kTwoPi = 2 * kPi;
inline constexpr long double kDegToRad = kPi / 180;  // radians per degree
inline constexpr long double kRadToDeg = 180 / kPi;  // degrees per radian
// The degree factors in double, for the computations that work in double.
inline constexpr double kDegree = static_cast<double>(kDegToRad);  // radians per degree
inline constexpr double kRadian = static_cast<double>(kRadToDeg);  // degrees per radian

inline constexpr double kSecondsPerDay = 86400;
inline constexpr double kDaysPerJulianCentury = 36525;
inline constexpr double kJ2000 = 2451545.0;  // Julian day of 2000-01-01 12:00 TT

// The astronomical unit, IAU 2012 resolution B2, km.
inline constexpr double kKmPerAU = 149597870.7;
// The Earth's equatorial radius, km (IAU 1976), from which the Moon's horizontal parallax is taken.
inline constexpr double kEarthRadiusKm = 6378.14;
// The Moon's mean radius, km (IAU working group).
inline constexpr double kMoonRadiusKm = 1737.4;

}  // namespace noctaris
