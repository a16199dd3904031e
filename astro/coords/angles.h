#pragma once
// Degree trigonometry, precession, ecliptic/equatorial rotation, orbit orientation, modified
// Julian date, sidereal time and horizontal coordinates. Stateless; results are doubles,
// intermediate arithmetic is extended.
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

void PrecessionMatrix(double t1, double t2, Matrix3& a);
void ApplyMatrix(const Matrix3& a, double& x, double& y, double& z);
void EclipticToEquatorial(double t, double& x, double& y, double& z);
void OrbitOrientationMatrix(double node, double incl, double argPeri, Matrix3& pqr);
void OrbitToEcliptic(double xx, double yy, const Matrix3& pqr, double& x, double& y, double& z);

double ModifiedJulianDate(int year, int month, int day, double hour);
// ra, dec in radians, lst in hours, latitude in degrees. Azimuth from the south through west.
void EquatorialToHorizontal(double ra, double dec, double lst, double latitude,
                            double& altitude, double& azimuth);

}  // namespace noctaris
