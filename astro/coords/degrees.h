#pragma once
// Degree trigonometry in extended precision. The degree functions reduce their argument with
// Reduce360 before the radian function, so large angles such as the unreduced lunar arguments
// lose no precision to a huge radian value.
namespace noctaris {

// Radian building blocks of the degree functions. They live in their own namespace so that
// their short names do not clash with other modules' helpers.
namespace ext {
long double DegToRad(long double x);  // x / 180 * pi
long double RadToDeg(long double x);  // x * 180 / pi
// Sine and cosine of radians; a value outside the processor's range (|x| >= 2^63, or not a
// number at all) yields 0.
long double Sin(long double x);
long double Cos(long double x);
long double Tan(long double x);
long double ArcTan2(long double y, long double x);  // -pi..pi
// ArcTan2(x, sqrt(1 - x^2)) and ArcTan2(sqrt(1 - x^2), x); x is clamped to -1..1 first so a
// rounding excess of a sine product cannot turn into a NaN.
long double ArcSin(long double x);
long double ArcCos(long double x);
}  // namespace ext

long double SinD(long double x);
long double CosD(long double x);
long double TanD(long double x);
long double ArcSinD(long double x);
long double ArcCosD(long double x);
long double ArcTanD(long double x);
long double ArcTan2D(long double y, long double x);  // -180..180, not brought into 0..360

}  // namespace noctaris
