#pragma once
// Degree trigonometry, precession, ecliptic/equatorial rotation, orbit orientation, the
// modified Julian date and horizontal coordinates. Stateless; results are doubles, intermediate
// arithmetic is extended.
#include "astro/core/constants.h"

namespace noctaris {

// 3x3 matrix, 1-based indexing a(row, col) to match the formulas.
struct Matrix3 {
    double m[3][3] = {};
    double& operator()(int row, int col) { return m[row - 1][col - 1]; }
    double operator()(int row, int col) const { return m[row - 1][col - 1]; }
};

// x reduced to 0 <= r < 360 (k = round-half-even(x / 360), r = x - 360 k): exactly 360 and -0
// give +0, a value beyond a 64-bit multiple of 360 is reduced by fmod, and a value that is not
// finite gives 0. The one reduction of degrees for all of astro/.
long double Reduce360(long double x);
// Degrees to radians reduced to 0..2pi, in double (the eclipse, phenomenon and calendar
// series work in double).
double ReducedRadians(double degrees);

double SinDeg(double a);
double CosDeg(double a);
double ArcTanDeg(double x);
// Raise DomainError when |x| > 1 or x is not a number.
double ArcSinDeg(double x);
double ArcCosDeg(double x);
double ArcTan2Deg(double y, double x);

// A rectangular vector; its unit is its user's (AU for positions, 1 for directions).
struct Vec3 {
    double x = 0, y = 0, z = 0;
};

// Precession from the epoch t1 to t2, Julian centuries from J2000 (equatorial).
Matrix3 PrecessionMatrix(double t1, double t2);
Vec3 ApplyMatrix(const Matrix3& a, const Vec3& v);
// Ecliptic to equatorial with the mean obliquity of t Julian centuries from J2000.
Vec3 EclipticToEquatorial(double t, const Vec3& v);
// The orbit plane's axes in the ecliptic, angles in degrees.
Matrix3 OrbitOrientationMatrix(double node, double incl, double argPeri);
// A point (xx, yy) of the orbit plane in the ecliptic system of pqr.
Vec3 OrbitToEcliptic(double xx, double yy, const Matrix3& pqr);

// Position angle at a point (ra, dec) of the great circle towards a second point (raTo, decTo):
// degrees 0..360 from the north through the east; all inputs in degrees. Towards the Sun from
// the Moon or a planet it is the position angle of the bright limb. Without meaning for coincident or opposite points.
double PositionAngleTowardsDeg(double ra, double dec, double raTo, double decTo);

double ModifiedJulianDate(int year, int month, int day, double hour);
struct HorizontalCoords {
    double altitude = 0;  // degrees
    double azimuth = 0;   // degrees 0..360 from the south through the west
};
// ra, dec in radians, lst in hours, latitude in degrees.
HorizontalCoords EquatorialToHorizontal(double ra, double dec, double lst, double latitude);

}  // namespace noctaris
