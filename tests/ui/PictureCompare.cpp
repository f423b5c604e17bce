// Picture comparison with a tolerance per channel and pictures of the difference.
#include "PictureCompare.h"

#include <QDir>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// The mean colour of the cell at (cx, cy), each channel in steps.
std::array<double, 4> CellMean(const QImage& image, int cx, int cy, int cell)
{
    std::array<double, 4> sum{};
    const QRect rc = QRect(cx * cell, cy * cell, cell, cell).intersected(image.rect());
    for (int y = rc.top(); y <= rc.bottom(); ++y)
        for (int x = rc.left(); x <= rc.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            sum[0] += qRed(p);
            sum[1] += qGreen(p);
            sum[2] += qBlue(p);
            sum[3] += qAlpha(p);
        }
    const double n = std::max(1, rc.width() * rc.height());
    for (double& s : sum)
        s /= n;
    return sum;
}

int LargestChannelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

// Keeps the pictures of a failed comparison beside the test's other artifacts and starts the failure
// with the size mismatch, if any; answers the common part of the files' names.
QString KeepPictures(const QImage& actual, const QImage& expected, const QImage& diff, bool sameSize,
                     const QString& name, testing::AssertionResult& result)
{
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR);
    QDir().mkpath(folder);
    const QString base = folder + QLatin1Char('/') + name;
    expected.save(base + QStringLiteral(".expected.png"));
    actual.save(base + QStringLiteral(".actual.png"));
    if (sameSize)
        diff.save(base + QStringLiteral(".diff.png"));
    if (!sameSize)
        result << "the picture is " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    return base;
}

} // namespace

testing::AssertionResult PicturesMatch(const QImage& actualIn, const QImage& expectedIn, int tolerance,
                                       const QString& name)
{
    const QImage actual = actualIn.convertToFormat(QImage::Format_ARGB32);
    const QImage expected = expectedIn.convertToFormat(QImage::Format_ARGB32);
    QImage diff(expected.size(), QImage::Format_ARGB32);
    diff.fill(Qt::black);
    int beyond = 0;
    int largest = 0;
    QPoint at;
    const bool sameSize = actual.size() == expected.size();
    if (sameSize) {
        for (int y = 0; y < expected.height(); ++y) {
            for (int x = 0; x < expected.width(); ++x) {
                const int d = LargestChannelDifference(actual.pixel(x, y), expected.pixel(x, y));
                if (d > largest) {
                    largest = d;
                    at = QPoint(x, y);
                }
                if (d > tolerance) {
                    ++beyond;
                    diff.setPixel(x, y, qRgb(255, 0, 0));
                } else if (d > 0) {
                    const int grey = std::min(255, 64 + 32 * d);
                    diff.setPixel(x, y, qRgb(grey, grey, grey));
                }
            }
        }
        if (beyond == 0)
            return testing::AssertionSuccess();
    }
    testing::AssertionResult result = testing::AssertionFailure();
    const QString base = KeepPictures(actual, expected, diff, sameSize, name, result);
    if (sameSize) {
        result << beyond << " pixels differ by more than " << tolerance << " steps in a channel; the largest "
               << "difference is " << largest << " at (" << at.x() << ", " << at.y() << ")";
    }
    result << ". See " << base.toStdString() << ".{expected,actual" << (sameSize ? ",diff" : "") << "}.png";
    return result;
}

testing::AssertionResult PicturesAlike(const QImage& actualIn, const QImage& expectedIn, int cell,
                                       int tolerance, const QString& name)
{
    const QImage actual = actualIn.convertToFormat(QImage::Format_ARGB32);
    const QImage expected = expectedIn.convertToFormat(QImage::Format_ARGB32);
    cell = std::max(1, cell);
    const bool sameSize = actual.size() == expected.size();
    QImage diff(expected.size(), QImage::Format_ARGB32);
    diff.fill(Qt::black);
    int beyond = 0;
    double largest = 0.0;
    QPoint at;
    if (sameSize) {
        const int nx = (expected.width() + cell - 1) / cell, ny = (expected.height() + cell - 1) / cell;
        for (int cy = 0; cy < ny; ++cy) {
            for (int cx = 0; cx < nx; ++cx) {
                const std::array<double, 4> a = CellMean(actual, cx, cy, cell);
                const std::array<double, 4> e = CellMean(expected, cx, cy, cell);
                double d = 0.0;
                for (std::size_t i = 0; i < a.size(); ++i)
                    d = std::max(d, std::abs(a[i] - e[i]));
                if (d > largest) {
                    largest = d;
                    at = QPoint(cx * cell, cy * cell);
                }
                if (d <= 0.0)
                    continue;
                const int grey = std::min(255, 64 + static_cast<int>(8 * d));
                const QRgb mark = d > tolerance ? qRgb(255, 0, 0) : qRgb(grey, grey, grey);
                beyond += d > tolerance ? 1 : 0;
                const QRect rc = QRect(cx * cell, cy * cell, cell, cell).intersected(diff.rect());
                for (int y = rc.top(); y <= rc.bottom(); ++y)
                    for (int x = rc.left(); x <= rc.right(); ++x)
                        diff.setPixel(x, y, mark);
            }
        }
        if (beyond == 0)
            return testing::AssertionSuccess();
    }
    testing::AssertionResult result = testing::AssertionFailure();
    const QString base = KeepPictures(actual, expected, diff, sameSize, name, result);
    if (sameSize)
        result << beyond << " cells of " << cell << " pixels differ by more than " << tolerance
               << " steps in a channel's mean; the largest difference is " << largest << " at (" << at.x()
               << ", " << at.y() << ")";
    result << ". See " << base.toStdString() << ".{expected,actual" << (sameSize ? ",diff" : "") << "}.png";
    return result;
}
