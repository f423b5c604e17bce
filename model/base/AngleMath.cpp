// Bearings, angle differences and fitting a size into a box.
#include "model/base/AngleMath.h"

#include <cmath>

double CalcBearing(double x1, double y1, double x2, double y2, double* length)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    if (length)
        *length = std::sqrt(dx * dx + dy * dy);
    if (dy == 0.0)
        return dx > 0.0 ? HALF_PI_SINGLE : THREE_HALF_PI_SINGLE;
    if (dx == 0.0)
        return dy > 0.0 ? PI_SINGLE : 0.0;
    const double a = std::fabs(std::atan(dx / dy));
    if (dy > 0.0)
        return dx > 0.0 ? PI_SINGLE - a : PI_SINGLE + a;
    return dx > 0.0 ? a : TWO_PI_SINGLE - a;
}

namespace {

double NormaliseAngle(double angle)
{
    return angle - std::floor(angle * 0.5 / PI_SINGLE) * TWO_PI_SINGLE;
}

} // namespace

double CalcAngleDiff(double a, double b)
{
    const double d = std::fabs(NormaliseAngle(a) - NormaliseAngle(b));
    return d > PI_SINGLE ? TWO_PI_SINGLE - d : d;
}

void FitSizeKeepAspect(int sourceWidth, int sourceHeight, int boxWidth, int boxHeight, bool noEnlarging,
                       int& outWidth, int& outHeight)
{
    if (sourceWidth <= 0 || sourceHeight <= 0 || boxWidth <= 0 || boxHeight <= 0) {
        outWidth = 0;
        outHeight = 0;
        return;
    }
    const float sourceRatio = static_cast<float>(sourceHeight) / static_cast<float>(sourceWidth);
    const float boxRatio = static_cast<float>(boxHeight) / static_cast<float>(boxWidth);
    if (sourceRatio > boxRatio) {
        outWidth = static_cast<int>(static_cast<float>(boxHeight) / sourceRatio);
        outHeight = boxHeight;
    } else if (sourceRatio < boxRatio) {
        outWidth = boxWidth;
        outHeight = static_cast<int>(static_cast<float>(boxWidth) * sourceRatio);
    } else {
        outWidth = boxWidth;
        outHeight = boxHeight;
    }
    if (noEnlarging && (outWidth > sourceWidth || outHeight > sourceHeight)) {
        outWidth = sourceWidth;
        outHeight = sourceHeight;
    }
}
