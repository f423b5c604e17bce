// Bearings, angle differences and fitting a size into a box, on the program's single-precision constants.
#pragma once

// Pi and its multiples as the program has always used them: rounded to single precision, then widened.
inline constexpr double PI_SINGLE = static_cast<double>(static_cast<float>(3.14159265358979323846));
inline constexpr double HALF_PI_SINGLE = PI_SINGLE / 2.0;            // 1.5707963705062866
inline constexpr double THREE_HALF_PI_SINGLE = 3.0 * HALF_PI_SINGLE; // 4.71238911151886
inline constexpr double TWO_PI_SINGLE = 2.0 * PI_SINGLE;             // 6.2831854820251465

// The direction from point 1 to point 2 in 0 .. 2 pi: 0 points towards -y, pi/2 towards +x, pi towards
// +y and 3 pi/2 towards -x. Two equal points answer 3 pi/2. `length`, when given, receives the distance.
double CalcBearing(double x1, double y1, double x2, double y2, double* length = nullptr);

// The absolute difference of two angles folded into 0 .. pi, each angle first brought into 0 .. 2 pi.
double CalcAngleDiff(double a, double b);

// The largest size of the source's aspect ratio inside the box, worked out in single precision with the
// fractions cut off. With `noEnlarging` set a result larger than the source in either direction gives the
// source size. A source or box without area gives 0 x 0.
void FitSizeKeepAspect(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight, bool noEnlarging,
                       int& outWidth, int& outHeight);
