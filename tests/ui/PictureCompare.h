// Compares a drawn picture with the expected one channel by channel, within a tolerance, and keeps the
// evidence of a mismatch for people to look at.
#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

// Success when both pictures have the same size and no channel (alpha included) of any pixel differs by
// more than `tolerance` steps. Otherwise the expected picture, the actual one and a difference picture
// (black where equal, grey where within the tolerance, red where beyond it) are written into the test
// picture folder as "<name>.expected.png", "<name>.actual.png" and "<name>.diff.png", and the failure
// message says where they are and which pixel differs most.
testing::AssertionResult PicturesMatch(const QImage& actual, const QImage& expected, int tolerance,
                                       const QString& name);

// For pictures drawn at different resolutions (a print against the screen): both are divided into
// cells of `cell` x `cell` pixels, and success when no channel of any cell's mean colour differs by more
// than `tolerance` steps, so that glyphs rasterised at another size pass while a missing mark, a line
// of another weight or colour, or a text of another size does not. The evidence of a mismatch is kept
// as with PicturesMatch, the difference picture marking whole cells.
testing::AssertionResult PicturesAlike(const QImage& actual, const QImage& expected, int cell, int tolerance,
                                       const QString& name);
