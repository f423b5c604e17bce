// Picture comparison with a tolerance per channel and pictures of the difference.
#include "PictureCompare.h"

#include <QDir>

#include <algorithm>
#include <cstdlib>

namespace {

int LargestChannelDifference(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
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
    const QString folder = QStringLiteral(QOR_TEST_ARTIFACT_DIR);
    QDir().mkpath(folder);
    const QString base = folder + QLatin1Char('/') + name;
    expected.save(base + QStringLiteral(".expected.png"));
    actual.save(base + QStringLiteral(".actual.png"));
    if (sameSize)
        diff.save(base + QStringLiteral(".diff.png"));
    testing::AssertionResult result = testing::AssertionFailure();
    if (!sameSize) {
        result << "the picture is " << actual.width() << "x" << actual.height() << ", expected "
               << expected.width() << "x" << expected.height();
    } else {
        result << beyond << " pixels differ by more than " << tolerance << " steps in a channel; the largest "
               << "difference is " << largest << " at (" << at.x() << ", " << at.y() << ")";
    }
    result << ". See " << base.toStdString() << ".{expected,actual" << (sameSize ? ",diff" : "") << "}.png";
    return result;
}
