#pragma once
// Helpers of the chart tests: sky positions for wanted places on the chart.
#include <cmath>
#include <numbers>

#include "chart/projection.h"

namespace noctaris::test {

// Right ascension and declination (radians) of the point at azimuth `az` (degrees from south
// through west) and altitude `alt` (degrees) for the frame's latitude and sidereal time.
inline void EquatorialOf(const ChartFrame& f, double az, double alt, double& ra, double& dec) {
    constexpr double d = std::numbers::pi / 180;
    const double sinDec = f.SinLat * std::sin(alt * d) - f.CosLat * std::cos(alt * d) * std::cos(az * d);
    dec = std::asin(sinDec);
    const double t = std::atan2(std::sin(az * d) * std::cos(alt * d),
                                std::cos(az * d) * std::cos(alt * d) * f.SinLat + std::sin(alt * d) * f.CosLat);
    ra = f.SiderealAngle - t;
}

}  // namespace noctaris::test
